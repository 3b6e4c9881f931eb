// Text form of typed values: writing, reading, escapes, numbers, binary runs and the syntax
// errors a damaged text must give.
#include "tests/WinNT_SP/Include_VS2005/TestRecords.h"
#include "WinNT_SP/Include_VS2005/TypedValue.h"
#include "WinNT_SP/Include_VS2005/TypedValueTextForm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using orvane::test::SampleRecord;
using R = SampleRecord;

TEST(FormatReal, Examples)
{
    struct Case {
        double value;
        int precision;
        const wchar_t* text;
    };
    const Case cases[] = {
        {0, 15, L"0"},
        {100, 15, L"100"},
        {1234.5, 15, L"1234.5"},
        {-2.5, 15, L"-2.5"},
        {0.5, 15, L"0.5"},
        {0.001234, 15, L"0.001234"},
        {0.0001234, 15, L"1.234E-4"},
        {1e20, 15, L"1E+20"},
        {1e14, 15, L"100000000000000"},
        {1e15, 15, L"1E+15"},
        {-0.0, 15, L"-0"},
        {12345678, 7, L"1.234568E+7"},
        {static_cast<float>(0.1), 7, L"0.1"},
        {0.8, 15, L"0.8"},
        {1.0 / 3, 15, L"3.33333333333333E-1"},  // 15 digits do not fit the plain form
        {0.25, 15, L"0.25"},
        {std::numeric_limits<double>::quiet_NaN(), 15, L"1E999"},
        {HUGE_VAL, 15, L"1E999"},
        {-HUGE_VAL, 7, L"-1E999"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatReal(c.value, c.precision), c.text) << c.value;
    }
}

TEST(ScanReal, ValuesAndLimits)
{
    struct Case {
        const wchar_t* text;
        size_t consumed;
        double value;
    };
    const Case cases[] = {
        {L"12.5E3", 6, 12500},
        {L"-0.25", 5, -0.25},
        {L"+3", 2, 3},
        {L"1E", 1, 1},
        {L"1E999", 5, HUGE_VAL},
        {L"-1E999", 6, -HUGE_VAL},
        {L"12345678901234567", 17, 12345678901234567.0},
        {L"123456789012345678", 17, 12345678901234567.0},  // the 18th digit ends the scan
        {L"1E1000", 5, 1e100},                              // the 4th exponent digit too
        {L"E5", 0, 0},
        {L"-", 0, 0},
        {L".5", 2, 0.5},
    };
    for (const Case& c : cases) {
        double v = 0;
        EXPECT_EQ(ScanReal(c.text, size_t(-1), &v), c.consumed) << c.text;
        if (c.consumed) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
}

TEST(ScanInt, RangeStopsTheScan)
{
    int32_t v32 = 0;
    EXPECT_EQ(ScanInt32(L"2147483647", size_t(-1), &v32), 10u);
    EXPECT_EQ(v32, 2147483647);
    EXPECT_EQ(ScanInt32(L"-2147483648", size_t(-1), &v32), 11u);
    EXPECT_EQ(v32, INT32_MIN);
    EXPECT_EQ(ScanInt32(L"2147483648", size_t(-1), &v32), 9u);
    int64_t v64 = 0;
    EXPECT_EQ(ScanInt64(L"2147483648", size_t(-1), &v64), 10u);
    EXPECT_EQ(ScanInt64(L"-9223372036854775808", size_t(-1), &v64), 20u);
    EXPECT_EQ(v64, INT64_MIN);
    EXPECT_EQ(ScanInt64(L"9223372036854775808", size_t(-1), &v64), 18u);
    EXPECT_EQ(ScanInt32(L"-", size_t(-1), &v32), 0u);
    EXPECT_EQ(ScanInt32(L"+1", size_t(-1), &v32), 0u);
}

TEST(TypedValueText, WritesPresentMembersInOrder)
{
    SampleRecord r;
    r[R::kVol].SetDouble(0.8);
    EXPECT_STREQ(r.Root().ToText(0), L"(Vol=0.8)");
    r[R::kNum].SetInt(-12);
    r[R::kName].SetStringValue(L"a b,c");
    r[R::kPosY].SetInt(4);
    EXPECT_STREQ(r.Root().ToText(0), L"(Num=-12,Vol=0.8,Name=a\\Sb\\Mc,Pos=(Y=4))");
}

TEST(TypedValueText, StringEscapes)
{
    struct Case {
        const wchar_t* value;
        const wchar_t* text;
    };
    const Case cases[] = {
        {L"a b,c", L"(Name=a\\Sb\\Mc)"},
        {L"(x)=\\", L"(Name=\\Lx\\R\\Q\\H)"},
        {L"t\tl\n\x7f", L"(Name=t\\09l\\0A\\7F)"},
        {L"\x00e9\x4e2d", L"(Name=\x00e9\x4e2d)"},
        {L"", L"(Name=\\Y)"},
    };
    for (const Case& c : cases) {
        SampleRecord r;
        r[R::kName].SetStringValue(c.value);
        EXPECT_STREQ(r.Root().ToText(0), c.text);
        SampleRecord back;
        ASSERT_GT(back.Root().Parse(c.text), 0) << c.text;
        EXPECT_TRUE(back[R::kName].IsSet());
        EXPECT_STREQ(back[R::kName].GetStringValue(), c.value);
    }
}

TEST(TypedValueText, EmptyStringWithFlag1IsOmittedAndReadsBackAbsent)
{
    SampleRecord r;
    r[R::kName].SetStringValue(L"");
    r[R::kNum].SetInt(1);
    const std::wstring text = r.Root().ToText(1);
    EXPECT_EQ(text, L"(Num=1,Name=)");
    SampleRecord back;
    ASSERT_GT(back.Root().Parse(text.c_str()), 0);
    EXPECT_FALSE(back[R::kName].IsSet());
}

TEST(TypedValueText, StringReading)
{
    struct Case {
        const wchar_t* text;
        const wchar_t* value;
    };
    const Case cases[] = {
        {L"(Name=(abc))", L"abc"},
        {L"(Name=\\Labc\\R)", L"(abc)"},
        {L"(Name= a b )", L"ab"},
        {L"(Name=\\ 4 1)", L"A"},
        {L"(Name=\\ Y )", L""},
        {L"(Name=x(a,b)y)", L"x(a,b)y"},
    };
    for (const Case& c : cases) {
        SampleRecord r;
        ASSERT_GT(r.Root().Parse(c.text), 0) << c.text;
        EXPECT_STREQ(r[R::kName].GetStringValue(), c.value) << c.text;
    }
}

TEST(TypedValueText, RunsArePositional)
{
    SampleRecord r;
    r[R::kRun0].SetInt(1);
    r[R::kRun2].SetInt(3);
    EXPECT_STREQ(r.Root().ToText(0), L"(Run=(1,,3))");
    SampleRecord back;
    ASSERT_GT(back.Root().Parse(L"(Run=(1,,3))"), 0);
    EXPECT_EQ(back[R::kRun0].GetInt(0), 1);
    EXPECT_FALSE(back[R::kRun1].IsSet());
    EXPECT_EQ(back[R::kRun2].GetInt(0), 3);

    SampleRecord start;
    start[R::kRun1].SetInt(2);
    EXPECT_STREQ(start.Root().ToText(0), L"(Run=(,2))");

    SampleRecord four;
    ASSERT_GT(four.Root().Parse(L"(Run=(1,2,3,4))"), 0);
    EXPECT_EQ(four[R::kRun2].GetInt(0), 3);
}

TEST(TypedValueText, ListsRoundTrip)
{
    SampleRecord r;
    r[R::kList].SetListSize(3);
    r[R::kList].ListEntry(0)->SetStringValue(L"(a=1)");
    r[R::kList].ListEntry(2)->SetStringValue(L"x");
    EXPECT_STREQ(r.Root().ToText(0), L"(List=((a=1),,x))");
    SampleRecord back;
    ASSERT_GT(back.Root().Parse(L"(List=((a=1),,x))"), 0);
    ASSERT_EQ(back[R::kList].ListCount(), 3u);
    EXPECT_STREQ(back[R::kList].ListEntry(0)->GetStringValue(), L"(a=1)");
    EXPECT_FALSE(back[R::kList].ListEntry(1)->IsSet());

    SampleRecord empty;
    ASSERT_GT(empty.Root().Parse(L"(List=())"), 0);
    EXPECT_EQ(empty[R::kList].ListCount(), 1u);
    EXPECT_FALSE(empty[R::kList].IsPresent());
}

TEST(TypedValueText, RecordReading)
{
    struct Case {
        const wchar_t* text;
        int result;  // -1 for a syntax error
    };
    const Case cases[] = {
        {L"(Unknown=(a,(b)),Vol=1)", 23},
        {L"(Vol=1,Vol=2)", -1},
        {L"(vol=1)", 7},
        {L"(Vol=1),more", 7},
        {L"  (Vol=1)  ", 11},
        {L"()", -1},
        {L"(Vol=1", -1},
        {L"(Vol 1)", -1},
        {L"(=1)", -1},
        {L"(Num= 12 )", 10},
        {L"(Num=12x)", -1},
        {L"(Num=2147483648)", -1},
        {L"(Big=2147483648)", 16},
        {L"(Vol=E5)", -1},
        {L"(Vol=1E)", -1},
        {L"(Vol=123456789012345678)", -1},
        {L"(Vol=0.000000000000000001)", -1},
        {L"(Vol=1E1000)", -1},
        {L"(Name=a\\Yb)", -1},
        {L"(Name=a\\Z)", -1},
        {L"(Name=(ab)", -1},
        {L"", 0},
    };
    for (const Case& c : cases) {
        SampleRecord r;
        EXPECT_EQ(r.Root().Parse(c.text), c.result) << c.text;
    }
}

TEST(TypedValueText, MembersBeforeAnErrorStay)
{
    SampleRecord r;
    EXPECT_EQ(r.Root().Parse(L"(Num=5,Vol=x)"), -1);
    EXPECT_EQ(r[R::kNum].GetInt(0), 5);
    EXPECT_FALSE(r[R::kVol].IsSet());
}

TEST(TypedValueText, UnknownKeyIsSkippedAndKnownOnesRead)
{
    SampleRecord r;
    ASSERT_GT(r.Root().Parse(L"(Unknown=(a,(b)),Vol=1)"), 0);
    EXPECT_EQ(r[R::kVol].GetDouble(0), 1.0);
    SampleRecord lower;
    ASSERT_GT(lower.Root().Parse(L"(vol=1)"), 0);
    EXPECT_FALSE(lower[R::kVol].IsSet());
}

TEST(TypedValueText, BinaryRuns)
{
    struct Case {
        std::vector<unsigned char> bytes;
        std::wstring text;
    };
    std::vector<Case> cases = {
        {{0, 0, 0, 0x41, 0x41, 0x41, 0xFF}, L"Z3R341FF"},
        {std::vector<unsigned char>(10, 0xFF), L"RAFF"},
        {{0x41, 0x41}, L"4141"},
        {{0}, L"00"},
        {std::vector<unsigned char>(8, 0), L"Z8"},
        {std::vector<unsigned char>(256, 0), L"Y100"},
        {std::vector<unsigned char>(300, 0), L"Y12C"},
        {std::vector<unsigned char>(5000, 0), L"YFFFY389"},
        {std::vector<unsigned char>(16, 7), L"RF0707"},
        {{}, L"Z0"},
    };
    for (const Case& c : cases) {
        SampleRecord r;
        r[R::kBin].SetBinary(static_cast<uint32_t>(c.bytes.size()), c.bytes.data());
        r[R::kBin].MarkSet();
        const std::wstring text = L"(Bin=" + c.text + L")";
        EXPECT_EQ(r.Root().ToText(0), text);
        SampleRecord back;
        ASSERT_GT(back.Root().Parse(text.c_str()), 0) << text;
        ASSERT_TRUE(back[R::kBin].IsSet());
        ASSERT_EQ(back[R::kBin].size, c.bytes.size());
        EXPECT_TRUE(back[R::kBin].IsEqual(r[R::kBin], 0));
    }
}

TEST(TypedValueText, BinaryReadingErrors)
{
    struct Case {
        const wchar_t* text;
        bool ok;
    };
    const Case cases[] = {
        {L"(Bin=ab cd)", true}, {L"(Bin=z3)", false}, {L"(Bin=r341)", false},
        {L"(Bin=R241)", false}, {L"(Bin=Z1)", false}, {L"(Bin=Y000)", true},
        {L"(Bin=4)", false},    {L"(Bin=G0)", false},
    };
    for (const Case& c : cases) {
        SampleRecord r;
        EXPECT_EQ(r.Root().Parse(c.text) > 0, c.ok) << c.text;
    }
}

TEST(TypedValueText, NumbersRoundTrip)
{
    const double doubles[] = {0.1, 0.333333333333333, -123456.789, 6.02214076e23, 1e-300, 0.8};
    for (double d : doubles) {
        SampleRecord r;
        r[R::kVol].SetDouble(d);
        const std::wstring text = r.Root().ToText(0);
        SampleRecord back;
        ASSERT_GT(back.Root().Parse(text.c_str()), 0) << text;
        EXPECT_DOUBLE_EQ(back[R::kVol].GetDouble(0), d) << text;
    }
    SampleRecord n;
    n[R::kVol].SetDouble(std::numeric_limits<double>::quiet_NaN());
    n[R::kFlt].SetFloat(0.1f);
    n[R::kBig].SetInt64(INT64_MIN);
    const std::wstring text = n.Root().ToText(0);
    EXPECT_EQ(text, L"(Vol=1E999,Big=-9223372036854775808,Flt=0.1)");
    SampleRecord back;
    ASSERT_GT(back.Root().Parse(text.c_str()), 0);
    EXPECT_EQ(back[R::kVol].GetDouble(0), HUGE_VAL);
    EXPECT_EQ(back[R::kFlt].GetFloat(0), 0.1f);
    EXPECT_EQ(back[R::kBig].GetInt64(0), INT64_MIN);
}
