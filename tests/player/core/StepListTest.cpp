// Time texts, the step list with the migration of older step texts, and the checks of both
// list editors (line numbers, selections and messages of bad entries).
#include "WinNT_SP/Include_VS2005/Sett.h"
#include "player/core/SpeedListEditor.h"
#include "player/core/StepList.h"
#include "player/core/TimeListEditor.h"
#include "player/core/TimeText.h"

#include <gtest/gtest.h>

namespace {

TEST(TimeText, ParseTable)
{
    struct Case {
        const wchar_t* text;
        int decimals;
        int ms;
    };
    const Case cases[] = {
        {L"0:00.1", 1, 100},   {L"0:01", 1, 1000},      {L"1:00", 1, 60000},
        {L"15:00", 1, 900000}, {L"1:00:00", 1, 3600000}, {L"0:01,5", 1, 1500},
        {L"0:01.25", 1, -1},   {L"0:01.25", 3, 1250},   {L"0:60", 1, -1},
        {L"abc", 1, -1},       {L"", 1, -1},            {L"1:2:3:4", 1, -1},
        {L"99:59:59.9", 1, 359999900}, {L"100:00:00", 1, -1}, {L" 0:30 ", 1, 30000},
        {L"0:x1", 1, -1},      {L"0:", 1, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseTimeText(c.text, c.decimals), c.ms) << testing::PrintToString(c.text);
    }
}

TEST(TimeText, FormatAndShortForms)
{
    EXPECT_EQ(FormatTimeText(5000), L"0:00:05");
    EXPECT_EQ(FormatTimeText(120000), L"0:02:00");
    EXPECT_EQ(FormatTimeText(1500), L"0:00:01.5");
    EXPECT_EQ(FormatShortTimeText(L"0:00.1"), L"0.1s");
    EXPECT_EQ(FormatShortTimeText(L"0:15"), L"15s");
    EXPECT_EQ(FormatShortTimeText(L"2:00"), L"2m");
    EXPECT_EQ(FormatShortTimeText(L"1:00:00"), L"1h");
    EXPECT_EQ(FormatShortTimeText(L"1:30"), L"1:30");
    EXPECT_EQ(FormatShortTimeText(L"bad"), L"");
}

class StepListTest : public testing::Test {
protected:
    void SetUp() override
    {
        AppSettings().Item(SETT_SliderList).SetStringValue(L"");
        AppSettings().Item(SETT_SliderStep).SetStringValue(L"");
    }
};

TEST_F(StepListTest, DefaultsAndMigration)
{
    struct Case {
        const wchar_t* stored;
        const wchar_t* after;
        int index;
    };
    const Case cases[] = {
        {L"5s", L"0:05", -1},  // not in the default list: replaced by the first step
        {L"15s", L"15", 7},
        {L"2m", L"2:00", 10},
        {L"0:00:30", L"0:00:30", 8},
    };
    for (const Case& c : cases) {
        AppSettings().Item(SETT_SliderStep).SetStringValue(c.stored);
        StepList list;
        list.Load();
        EXPECT_EQ(list.Steps().size(), 14u);
        if (c.index >= 0) {
            EXPECT_EQ(list.GetStepIndex(), c.index) << testing::PrintToString(c.stored);
            EXPECT_STREQ(AppSettings().Item(SETT_SliderStep).GetStringValue(), c.after);
        } else {
            EXPECT_EQ(list.GetStepIndex(), 0);
            EXPECT_STREQ(AppSettings().Item(SETT_SliderStep).GetStringValue(), L"0:00:00.1");
            EXPECT_DOUBLE_EQ(list.CurrentStep(), 0.1);
        }
    }
}

TEST_F(StepListTest, StoredListAndComboFilling)
{
    AppSettings().Item(SETT_SliderList).SetStringValue(L"0:01,0:05,bad,1:00");
    AppSettings().Item(SETT_SliderStep).SetStringValue(L"0:05");
    StepList list;
    list.Load();
    ASSERT_EQ(list.Steps().size(), 3u);
    EXPECT_DOUBLE_EQ(list.CurrentStep(), 5.0);
    HWND combo = CreateWindowW(L"COMBOBOX", L"", CBS_DROPDOWNLIST, 0, 0, 100, 100, nullptr,
                               nullptr, nullptr, nullptr);
    ASSERT_NE(combo, nullptr);
    list.FillComboBox(combo);
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, 3, 0), -1);
    list.SelectStep(combo, 60000);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);
    EXPECT_DOUBLE_EQ(list.CurrentStep(), 60.0);
    list.SelectStep(combo, 7000);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
    EXPECT_STREQ(AppSettings().Item(SETT_SliderStep).GetStringValue(), L"0:00:01");
    DestroyWindow(combo);
}

TEST(SpeedListCheck, Table)
{
    struct Case {
        std::vector<std::wstring> lines;
        bool ok;
        int line;
        UINT message;
        const wchar_t* result;
    };
    std::vector<std::wstring> many;
    for (int i = 0; i < 65; ++i) {
        many.push_back(std::to_wstring(1100 + 10 * i).insert(1, L"."));
    }
    const Case cases[] = {
        {{L"0.5", L"", L"2", L"1", L"1.0004", L"0.5"}, true, -1, 0, L"0.5,2"},
        {{L"0.5", L"abc", L"2"}, false, 1, 229, nullptr},
        {{L"0.5000000000000000", L"2"}, false, 0, 229, nullptr},
        {{L"0.5", L"3.5"}, false, 1, 229, nullptr},
        {{L"0.5", L"0.7"}, false, 0, 228, L"0.5,0.7"},
        {many, false, 64, 227, nullptr},
    };
    for (const Case& c : cases) {
        const ListEditCheck check = SpeedListEditor::Check(c.lines);
        EXPECT_EQ(check.ok, c.ok);
        EXPECT_EQ(check.line, c.line);
        EXPECT_EQ(check.messageId, c.message);
        if (c.result) {
            EXPECT_EQ(check.result, c.result);
        }
    }
    const ListEditCheck bad = SpeedListEditor::Check({L"0.5", L"abc"});
    EXPECT_EQ(bad.message, L"Line number 2 (\"abc...\") contains an invalid speed value.");
    EXPECT_EQ(SpeedListEditor::EditTextOf(L"0.35,0.5,0.7,1.5,2,3"),
              L"0.35\r\n0.5\r\n0.7\r\n1\r\n1.5\r\n2\r\n3\r\n");
}

TEST(TimeListCheck, Table)
{
    struct Case {
        std::vector<std::wstring> lines;
        int decimals;
        BOOL zero, empty;
        bool ok;
        int line, selStart, selEnd;
        UINT message;
        const wchar_t* result;
    };
    const Case cases[] = {
        {{L"0:01", L"", L"0:01,5", L" 0:30 "}, 1, FALSE, FALSE, true, -1, 0, 0, 0,
         L"0:01,0:01.5,0:30"},
        {{L"0:01", L"0:01.25"}, 1, FALSE, FALSE, false, 1, 6, 7, 109, nullptr},
        {{L"0:00"}, 1, FALSE, FALSE, false, 0, 0, 0, 109, nullptr},
        {{L"0:00"}, 3, TRUE, TRUE, true, -1, 0, 0, 0, L"0:00"},
        {{L"", L"  "}, 1, FALSE, FALSE, false, -1, 0, 0, 59394, nullptr},
        {{L""}, 3, TRUE, TRUE, true, -1, 0, 0, 0, L""},
        {{L"0:30", L"", L"0:30.0"}, 1, FALSE, FALSE, false, 2, 0, 0, 59395, nullptr},
        {{L"0:00:00:00:00:00:01"}, 1, FALSE, FALSE, false, 0, 0, 0, 109, nullptr},
    };
    for (const Case& c : cases) {
        const ListEditCheck check = TimeListEditor::Check(c.lines, c.decimals, c.zero, c.empty);
        EXPECT_EQ(check.ok, c.ok) << check.message;
        EXPECT_EQ(check.line, c.line) << check.message;
        EXPECT_EQ(check.selStart, c.selStart) << check.message;
        EXPECT_EQ(check.selEnd, c.selEnd) << check.message;
        EXPECT_EQ(check.messageId, c.message);
        if (c.result) {
            EXPECT_EQ(check.result, c.result);
        }
    }
    EXPECT_EQ(TimeListEditor::Check({L"0:30", L"0:30.0"}, 1, FALSE, FALSE).message,
              L"Line numbers 1 and 2 contain equal time values.");
    std::wstring fifty;
    for (int i = 60; i > 0; --i) {
        fifty += (fifty.empty() ? L"" : L",") + std::to_wstring(i);
    }
    const std::wstring sorted = TimeListEditor::EditTextOf(fifty.c_str(), 1, true);
    EXPECT_EQ(std::count(sorted.begin(), sorted.end(), L'\n'), 50);
    EXPECT_EQ(sorted.substr(0, 4), L"11\r\n");
}

}  // namespace
