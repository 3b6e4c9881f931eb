// Utilities: system error texts, error-record texts, ShellExecute results, number and time
// formatting, stepped numbers, integer lists.
#include "WinNT_SP/Include_VS2005/ErrInfo.h"
#include "WinNT_SP/Include_VS2005/SystemErrorText.h"
#include "WinNT_SP/Include_VS2005/SupportStrings.h"
#include "WinNT_SP/Include_VS2005/TextFormat.h"

#include <gtest/gtest.h>

#include <string>

TEST(SystemErrorText, Layout)
{
    const std::wstring text = FormatSystemError(2, L"CreateFile(x)");
    EXPECT_NE(text.find(L"\r\n\r\nSystem error code: 0x2\r\nFunction: CreateFile(x)."),
              std::wstring::npos)
        << text;
    EXPECT_EQ(FormatSystemError(0, L"F"),
              L"Unknown error\r\n\r\nSystem error code: 0x0\r\nFunction: F.");
    EXPECT_EQ(FormatSystemError(7, L"F", L"given"),
              L"given\r\n\r\nSystem error code: 0x7\r\nFunction: F.");
    const std::wstring denied = FormatSystemError(ERROR_ACCESS_DENIED, L"F", L"t");
    EXPECT_NE(denied.find(L"Function: F.\r\n\r\nThe operation may have failed"),
              std::wstring::npos);
}

TEST(SystemErrorText, ErrInfoKinds)
{
    ERR_INFO info;
    SetErrInfo(&info, 2, L"LoadLibrary", L"x.dll", L"a.cpp", 1, 0, nullptr);
    EXPECT_NE(GetErrInfoText(info).find(L"Function: LoadLibrary(x.dll)."), std::wstring::npos);
    SetErrInfo(&info, 2, L"LoadLibrary", nullptr, L"a.cpp", 1, 0, nullptr);
    EXPECT_NE(GetErrInfoText(info).find(L"Function: LoadLibrary."), std::wstring::npos);

    ERR_INFO mm;
    ClearErrInfo(&mm);
    mm.kind = ERRK_MULTIMEDIA;
    mm.code = 2;  // a multimedia error code
    wcscpy(mm.function, L"waveOutOpen");
    const std::wstring mmText = GetErrInfoText(mm);
    EXPECT_NE(mmText, L"");  // never the empty (success) text
    EXPECT_NE(mmText.find(L"Function: waveOutOpen."), std::wstring::npos) << mmText;

    ERR_INFO fmt;
    ClearErrInfo(&fmt);
    fmt.kind = ERRK_FORMAT;
    wcscpy(fmt.object, L"HKCU\\Software\\X");
    EXPECT_EQ(GetErrInfoText(fmt), L"Invalid registry value format: HKCU\\Software\\X.");
}

TEST(SystemErrorText, ShellExecuteResults)
{
    struct Case {
        INT_PTR result;
        DWORD code;
    };
    const Case cases[] = {{33, 0}, {0, 8}, {8, 8}, {2, 2}, {3, 3}, {5, 5}, {11, 11}, {26, 32},
                          {27, 1155}, {31, 1155}, {28, 1156}, {30, 1156}, {32, 1157}, {1, 1},
                          {12, 1}, {25, 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(ShellExecuteResultToError(c.result), c.code) << c.result;
    }
}

TEST(TextFormat, Numbers)
{
    EXPECT_EQ(FormatInt64Grouped(0), L"0");
    EXPECT_EQ(FormatInt64Grouped(1000), L"1 000");
    EXPECT_EQ(FormatInt64Grouped(1000000), L"1 000 000");
    EXPECT_EQ(FormatInt64Grouped(999), L"999");
    EXPECT_EQ(FormatInt64Grouped(18446744073709551615ull), L"18 446 744 073 709 551 615");
    EXPECT_EQ(FormatSettingsVersion(), L"1.0");
    EXPECT_EQ(MakeAllFilesFilter(L"Talks|*.wmv"), L"Talks|*.wmv|All Files (*.*)|*.*||");
}

TEST(TextFormat, SecondsText)
{
    struct Case {
        double seconds;
        int decimals;
        int minWidth;
        const wchar_t* text;
    };
    const Case cases[] = {
        {5.4, 1, 4, L"0:05.4"}, {5.96, 1, 1, L"6.0"},   {3725, 0, 1, L"1:02:05"},
        {0, 3, 1, L"0.000"},   {59.9996, 3, 1, L"1:00.000"}, {59.9994, 3, 1, L"59.999"},
        {725.6, 0, 1, L"12:06"}, {725.5, 0, 1, L"12:05"}, {-3, 1, 1, L"0.0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatSecondsText(c.seconds, c.decimals, c.minWidth), c.text) << c.seconds;
    }
}

TEST(TextFormat, NumberToStep)
{
    struct Case {
        const wchar_t* text;
        double step;
        bool ok;
        double value;
    };
    const Case cases[] = {{L"  1.26\t ", 0.1, true, 1.3}, {L"abc", 0.1, false, 0},
                          {L"1.2x", 0.1, false, 0},       {L"0", 0.1, true, 0},
                          {L"-1.26", 0.1, true, -1.3},    {L"7", 5, true, 5},
                          {L"8", 5, true, 10},            {L"1", 0, false, 0}};
    for (const Case& c : cases) {
        double out = -99;
        EXPECT_EQ(ParseNumberToStep(c.text, c.step, &out), c.ok) << c.text;
        if (c.ok) {
            EXPECT_NEAR(out, c.value, 1e-9) << c.text;
        }
    }
}

TEST(TextFormat, IntLists)
{
    std::vector<int> v;
    ParseIntList(v, L"1,-2,30");
    EXPECT_EQ(v, (std::vector<int>{1, -2, 30}));
    EXPECT_EQ(FormatIntList(v), L"1,-2,30");
    ParseIntList(v, L"");
    EXPECT_TRUE(v.empty());
    EXPECT_EQ(FormatIntList(v), L"");
}

TEST(TextFormat, FormattingFollowsTheProgramsConventions)
{
    // %s and %ls wide, %S and %hs narrow, %I64d 64-bit: the conventions of every format text
    // of the program.
    EXPECT_EQ(FormatNewString(L"%s|%ls|%S|%hs|%I64d", L"w", L"l", "n", "h", -5000000000ll),
              L"w|l|n|h|-5000000000");
    EXPECT_EQ(FormatResString(IDS_SYSTEM_ERROR, L"t", 0x1Fu, L"F"),
              L"t\r\n\r\nSystem error code: 0x1F\r\nFunction: F.");
}
