// The text forms that the INI file and XML storages give values: blob letters, string
// escapes, dates with the day before the month, comma-separated integers.
#include "toolkit/common/UTKValueText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::u16string U(const wchar_t* text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text));
}

TEST(BlobText, BytesBecomeLetterPairsLowNibbleFirst)
{
    const struct {
        std::vector<uint8_t> bytes;
        const wchar_t* text;
    } cases[] = {
        {{0x3C}, L"MD"},
        {{0x00, 0xFF}, L"AAPP"},
        {{0x01}, L"BA"},
        {{}, L""},
        {{0x10, 0x2F, 0xA5}, L"ABPCFK"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(U(c.text), UTKValueText::EncodeBlob(c.bytes.data(), c.bytes.size()));
        std::vector<uint8_t> back = {0x77};
        ASSERT_TRUE(UTKValueText::DecodeBlob(U(c.text), back)) << c.text;
        EXPECT_EQ(c.bytes, back);
    }
}

TEST(BlobText, TextOutsideTheLettersOrOfOddLengthIsRefused)
{
    for (const wchar_t* bad : {L"A", L"ABC", L"AQ", L"a@", L"@A", L"MD ", L"1234", L"AA\x0141"}) {
        std::vector<uint8_t> kept = {9, 8};
        EXPECT_FALSE(UTKValueText::DecodeBlob(U(bad), kept)) << bad;
        EXPECT_EQ((std::vector<uint8_t>{9, 8}), kept) << bad;
    }
}

TEST(StringEscapes, StoredAndReadBack)
{
    const struct {
        const wchar_t* plain;
        const wchar_t* stored;
    } cases[] = {
        {L"a\\b", L"a\\\\b"},
        {L"line\nnext", L"line\\nnext"},
        {L"\r\t", L"\\r\\t"},
        {L"\\n", L"\\\\n"},
        {L"no escapes", L"no escapes"},
        // The stand-in character of a two-pass unescape must survive.
        {L"\x0001\x0001\\", L"\x0001\x0001\\\\"},
        {L"\x0001\\\x0001", L"\x0001\\\\\x0001"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(U(c.stored), UTKValueText::Escape(U(c.plain))) << c.plain;
        EXPECT_EQ(U(c.plain), UTKValueText::Unescape(U(c.stored))) << c.stored;
    }
}

TEST(StringEscapes, UnknownEscapesAndATrailingBackslashStay)
{
    EXPECT_EQ(U(L"\\q\\"), UTKValueText::Unescape(U(L"\\q\\")));
    EXPECT_EQ(U(L"\\\n"), UTKValueText::Unescape(U(L"\\\\\\n")));
}

TEST(DateText, DayBeforeMonthAndTimeForms)
{
    UTKValueText::DateFields f;
    f.year = 2010;
    f.month = 11;
    f.day = 6;
    EXPECT_EQ(U(L"2010-06-11"), UTKValueText::FormatDate(f, false, false));
    f.hour = 12;
    f.minute = 30;
    EXPECT_EQ(U(L"2010-06-11T12:30:00"), UTKValueText::FormatDate(f, true, false));
    EXPECT_EQ(U(L"12:30:00"), UTKValueText::FormatDate(f, true, true));
}

TEST(DateText, ParsedFieldsByCount)
{
    const struct {
        const wchar_t* text;
        UTKValueText::DateKind kind;
        unsigned short year, day, month, hour, minute, second;
    } cases[] = {
        {L"2010-06-11", UTKValueText::DateKind::Calendar, 2010, 6, 11, 0, 0, 0},
        {L"2010-06-11T12:30", UTKValueText::DateKind::Calendar, 2010, 6, 11, 12, 30, 0},
        {L"2010-06-11T12:30:05", UTKValueText::DateKind::Calendar, 2010, 6, 11, 12, 30, 5},
        {L"12:30", UTKValueText::DateKind::TimeOfDay, 0, 0, 0, 12, 30, 0},
        {L"1:2:3", UTKValueText::DateKind::TimeOfDay, 0, 0, 0, 1, 2, 3},
        {L"2010-06-11T12", UTKValueText::DateKind::None, 0, 0, 0, 0, 0, 0},
        {L"2010-06", UTKValueText::DateKind::None, 0, 0, 0, 0, 0, 0},
        {L"", UTKValueText::DateKind::None, 0, 0, 0, 0, 0, 0},
        {L"noon", UTKValueText::DateKind::None, 0, 0, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        UTKValueText::DateFields f;
        ASSERT_EQ(c.kind, UTKValueText::ParseDate(U(c.text), f)) << c.text;
        if (c.kind == UTKValueText::DateKind::None) {
            continue;
        }
        EXPECT_EQ(c.year, f.year) << c.text;
        EXPECT_EQ(c.day, f.day) << c.text;
        EXPECT_EQ(c.month, f.month) << c.text;
        EXPECT_EQ(c.hour, f.hour) << c.text;
        EXPECT_EQ(c.minute, f.minute) << c.text;
        EXPECT_EQ(c.second, f.second) << c.text;
    }
}

TEST(IntegerText, ScannedAsScanfReadsThem)
{
    const struct {
        const wchar_t* text;
        int count;
        int32_t values[4];
    } cases[] = {
        {L"1, 2, 3, 4", 4, {1, 2, 3, 4}},
        {L"-1,-2,  -3,\t4", 4, {-1, -2, -3, 4}},
        {L"0x10, 010, 9, 0", 4, {16, 8, 9, 0}},
        {L"1, 2", 2, {1, 2, 0, 0}},
        {L"1 , 2", 1, {1, 0, 0, 0}},
        {L"x", 0, {0, 0, 0, 0}},
        {L"4294967295, 2147483648", 2, {-1, INT32_MIN, 0, 0}},
    };
    for (const auto& c : cases) {
        int32_t values[4] = {};
        EXPECT_EQ(c.count, UTKValueText::ScanInts(U(c.text), values, 4)) << c.text;
        for (int i = 0; i < c.count; ++i) {
            EXPECT_EQ(c.values[i], values[i]) << c.text << " #" << i;
        }
    }
    const int32_t rect[] = {1, 2, 3, 4};
    EXPECT_EQ(U(L"1, 2, 3, 4"), UTKValueText::FormatInts(rect, 4));
}

TEST(IntegerText, LongConversion)
{
    EXPECT_EQ(65535, UTKValueText::ParseLong(U(L"65535")));
    EXPECT_EQ(-7, UTKValueText::ParseLong(U(L"  -7xyz")));
    EXPECT_EQ(0, UTKValueText::ParseLong(U(L"abc")));
    EXPECT_EQ(INT32_MAX, UTKValueText::ParseLong(U(L"99999999999")));
    EXPECT_EQ(INT32_MIN, UTKValueText::ParseLong(U(L"-99999999999")));
}

}  // namespace
