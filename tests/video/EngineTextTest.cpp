// Engine text helpers: bounded formatting, GUID texts, source-file titles, the call-failure
// text and the compression-code texts.
#include "video/CFourCcDescr.h"
#include "video/DXVideoFunc.h"
#include "video/EngineText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const GUID kSample = {0x0123ABCD, 0x4567, 0x89EF, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};

std::vector<std::wstring> SplitLines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(L"\r\n", start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::wstring::npos) {
            return lines;
        }
        start = end + 2;
    }
}

TEST(EngineText, FormatBuf256CutsLongTexts)
{
    const std::wstring longText(300, L'x');
    wchar_t buffer[256];
    FormatBuf256(buffer, L"%s", longText.c_str());
    EXPECT_EQ(std::wstring(buffer), std::wstring(255, L'x'));
    FormatBuf256(buffer, L"%s-%i", L"ab", 7);
    EXPECT_STREQ(buffer, L"ab-7");
}

TEST(EngineText, SmallSiblingsCutToTheirSize)
{
    const std::wstring longText(300, L'y');
    wchar_t b16[16];
    wchar_t b64[64];
    wchar_t b128[128];
    EXPECT_EQ(std::wstring(FormatBuf16(b16, L"%s", longText.c_str())), std::wstring(15, L'y'));
    EXPECT_EQ(std::wstring(FormatBuf64(b64, L"%s", longText.c_str())), std::wstring(63, L'y'));
    EXPECT_EQ(std::wstring(FormatBuf128(b128, L"%s", longText.c_str())),
              std::wstring(127, L'y'));
    EXPECT_STREQ(FormatBuf16(b16, L"%i x %i", 640, 480), L"640 x 480");
}

TEST(EngineText, FormattingUsesWideStringsForPercentS)
{
    wchar_t buffer[4096];
    FormatBuf4096(buffer, L"[%s|%hs|%I64d]", L"wide", "narrow", 1234567890123LL);
    EXPECT_STREQ(buffer, L"[wide|narrow|1234567890123]");
}

TEST(EngineText, GuidTexts)
{
    wchar_t text36[36];
    EXPECT_STREQ(FormatGuidText(kSample, text36), L"0123ABCD-4567-89EF-0123456789ABCDEF");
    EXPECT_EQ(wcslen(text36), 35u);
    wchar_t text64[64];
    EXPECT_EQ(DXVideoFunc::GuidText(kSample, text64), 36);
    EXPECT_STREQ(text64, L"0123ABCD-4567-89EF-0123-456789ABCDEF");
}

TEST(EngineText, SourceFileTitle)
{
    struct Case {
        const char* path;
        const wchar_t* title;
    };
    const Case cases[] = {
        {nullptr, L""},
        {"", L""},
        {"IVideo.cpp", L"IVideo"},
        {".\\video\\DXVideoFunc.cpp", L"DXVideoFunc"},
        {"/work/src/video/Reader.h", L"Reader"},
        {"dir.v2\\noext", L"noext"},
        {"a.b.c", L"a.b"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SourceFileTitle(c.path), c.title) << (c.path ? c.path : "(null)");
    }
}

TEST(EngineText, CallFailureHasFiveLines)
{
    const std::wstring text =
        FormatCallFailure(L"GetWMReader", E_POINTER, L"", "C:\\src\\video\\IVideo.cpp", 321);
    const std::vector<std::wstring> lines = SplitLines(text);
    ASSERT_EQ(lines.size(), 5u) << text;
    EXPECT_FALSE(lines[0].empty());
    EXPECT_NE(lines[0].back(), L' ');
    EXPECT_TRUE(lines[1].empty());
    EXPECT_EQ(lines[2], L"System error code: 0x80004003");
    EXPECT_EQ(lines[3], L"Function: GetWMReader ()");
    EXPECT_EQ(lines[4], L"Line 321 in IVideo.cpp");
}

TEST(EngineText, CallFailureCutsNameAndDetail)
{
    const std::wstring name(100, L'n');
    const std::wstring detail(400, L'd');
    const std::vector<std::wstring> lines =
        SplitLines(FormatCallFailure(name.c_str(), E_FAIL, detail.c_str(), nullptr, 1));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[3], L"Function: " + std::wstring(63, L'n') + L" (" +
                            std::wstring(255, L'd') + L")");
}

TEST(EngineText, StringTableEntries)
{
    EXPECT_STREQ(EngineString(213), L"Automatically select");
    EXPECT_STREQ(EngineString(202), L"Invalid video size: %i*%i");
    EXPECT_STREQ(EngineString(9999), L"");
}

TEST(FourCcDescr, Texts)
{
    struct Case {
        DWORD code;
        const wchar_t* text;
    };
    const Case cases[] = {
        {0, L"RGB"},           {1, L"RLE8"},          {2, L"RLE4"},
        {3, L"BITF"},          {4, L"JPEG"},          {5, L"PNG"},
        {0x33564D57, L"WMV3"}, {0x42804100, L".A.B"}, {0x7F20317E, L"~1 ."},
        {6, L"...."},          {0x64737664, L"dvsd"},
    };
    CFourCcDescr describer;
    for (const Case& c : cases) {
        EXPECT_EQ(describer.Describe(c.code), c.text) << std::hex << c.code;
        EXPECT_EQ(describer.Text(), c.text);
    }
}

}  // namespace
