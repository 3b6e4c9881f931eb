// Speed list: parsing of stored texts, the stored form, clamping and the neighbours; the
// speed menu's entries and choices.
#include "player/core/SpeedPlay.h"

#include "player/core/CommandStates.h"
#include "tests/player/core/FakeShell.h"
#include "player/core/PlayerState.h"
#include "WinNT_SP/Include_VS2005/Sett.h"
#include "player/core/SpeedMenu.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<double> Parse(const wchar_t* text)
{
    double values[kMaxSpeeds];
    int normal = -1;
    const int n = ParseSpeedList(text, values, &normal);
    std::vector<double> v(values, values + n);
    if (n > 0) {
        EXPECT_EQ(values[normal], 1.0);
    }
    return v;
}

struct ParseCase {
    const wchar_t* text;
    std::vector<double> expected;  // empty: invalid
};

TEST(SpeedPlay, ParseTable)
{
    const ParseCase cases[] = {
        {L"0.5,2", {0.5, 1.0, 2.0}},
        {L"0.5, 2", {0.5, 1.0, 2.0}},
        {L"0.5,0.5,2", {0.5, 1.0, 2.0}},
        {L"0.334,2", {0.334, 1.0, 2.0}},
        {L"3,0.35", {0.35, 1.0, 3.0}},
        {L"", {1.0}},
        {L"0.5,1,2", {}},
        {L"0.3,2", {}},
        {L"0.5,3.01", {}},
        {L"0.5,abc", {}},
        {L"0.5,,2", {}},
    };
    for (const ParseCase& c : cases) {
        const std::vector<double> got = Parse(c.text);
        ASSERT_EQ(got.size(), c.expected.size()) << "text: " << testing::PrintToString(c.text);
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_NEAR(got[i], c.expected[i], 1e-9);
        }
    }
}

TEST(SpeedPlay, SixtyFourStoredValuesPlusNormal)
{
    std::wstring text;
    for (int i = 0; i < 64; ++i) {
        text += (i ? L"," : L"") + std::to_wstring(1.1 + 0.01 * i).substr(0, 4);
    }
    EXPECT_EQ(Parse(text.c_str()).size(), 65u);
    text += L",2.9";
    EXPECT_TRUE(Parse(text.c_str()).empty());
}

TEST(SpeedPlay, LoadRejectsListsWithoutBothSides)
{
    SpeedPlay list;
    EXPECT_TRUE(list.LoadFromText(L"0.5,2"));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_FALSE(list.LoadFromText(L"0.5,0.7"));
    EXPECT_EQ(list.Count(), 7);
    EXPECT_EQ(list.FormatSpeedList(), L"0.35,0.5,0.7,1.5,2,3");
    EXPECT_FALSE(list.LoadFromText(L""));
    EXPECT_EQ(list.NormalIndex(), 3);
}

TEST(SpeedPlay, FormatCommasFollowWrittenValues)
{
    const double startsNormal[] = {1.0, 1.5, 2.0};
    EXPECT_EQ(FormatSpeedList(startsNormal, 3), L"1.5,2");
    const double normalInside[] = {0.5, 1.0, 2.0};
    EXPECT_EQ(FormatSpeedList(normalInside, 3), L"0.5,2");
    EXPECT_EQ(FormatSpeedList(normalInside, 0), L"");
}

TEST(SpeedPlay, ClampKeepsValueInsideRange)
{
    SpeedPlay list;
    EXPECT_DOUBLE_EQ(list.ClampSpeed(1.23456), 1.23456);
    EXPECT_DOUBLE_EQ(list.ClampSpeed(0.2), 0.334);
    EXPECT_DOUBLE_EQ(list.ClampSpeed(3.01), 3.0);
    EXPECT_DOUBLE_EQ(list.ClampSpeed(3.0004), 3.0004);
}

TEST(SpeedPlay, Neighbours)
{
    SpeedPlay list;
    EXPECT_DOUBLE_EQ(list.GetLowerSpeed(1.0), 0.7);
    EXPECT_DOUBLE_EQ(list.GetHigherSpeed(1.0), 1.5);
    EXPECT_DOUBLE_EQ(list.GetHigherSpeed(1.0004), 1.5);
    EXPECT_DOUBLE_EQ(list.GetLowerSpeed(0.35), -1);
    EXPECT_DOUBLE_EQ(list.GetHigherSpeed(3.0), -1);
    EXPECT_DOUBLE_EQ(list.GetLowerSpeed(0.6), 0.5);
    EXPECT_TRUE(list.IsNormalSpeed(1.0004));
    EXPECT_FALSE(list.IsNormalSpeed(1.001));
    EXPECT_DOUBLE_EQ(list.EntryBelowNormal(), 0.7);
    EXPECT_DOUBLE_EQ(list.EntryAboveNormal(), 1.5);
}

TEST(SpeedPlay, RegisteredAsServices)
{
    RegisterSpeedList();
    EXPECT_EQ(&SpeedListService(), static_cast<ISpeedListService*>(&TheSpeedList()));
    EXPECT_EQ(&SpeedSteps(), static_cast<ISpeedSteps*>(&TheSpeedList()));
    SetSpeedListService(nullptr);
}

}  // namespace

namespace {

using playertest::FakeShell;
using Calls = std::vector<std::wstring>;

// The menu's choices reach the frame's speed actions through the main frame.
class SpeedMenuTest : public testing::Test {
protected:
    void SetUp() override
    {
        TheSpeedList().LoadFromText(L"");
        SetMainFrame(&shell);
        state.playing = FALSE;
        state.speed = 1.0;
    }
    void TearDown() override
    {
        SetMainFrame(nullptr);
        state.playing = FALSE;
        state.speed = 1.0;
        TheCommandStates().flags[2] = 0;
    }
    FakeShell shell;
    PlayerState& state = ThePlayerState();
};

UINT ItemState(HMENU menu, UINT id) { return GetMenuState(menu, id, MF_BYCOMMAND); }

TEST_F(SpeedMenuTest, EntriesGreyedByState)
{
    TheCommandStates().flags[2] = 1;
    HMENU menu = BuildSpeedMenu(TRUE);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetMenuItemCount(menu), 9);
    EXPECT_EQ(ItemState(menu, 4) & MF_GRAYED, 0u);
    DestroyMenu(menu);
    state.playing = TRUE;
    state.speed = 1.0004;
    menu = BuildSpeedMenu(FALSE);
    EXPECT_EQ(GetMenuItemCount(menu), 7);
    EXPECT_NE(ItemState(menu, 4) & MF_GRAYED, 0u);  // the current speed
    EXPECT_EQ(ItemState(menu, 5) & MF_GRAYED, 0u);
    DestroyMenu(menu);
    state.playing = FALSE;
    TheCommandStates().flags[2] = 0;
    menu = BuildSpeedMenu(FALSE);
    EXPECT_NE(ItemState(menu, 1) & MF_GRAYED, 0u);
    DestroyMenu(menu);
}

TEST_F(SpeedMenuTest, Choices)
{
    TheCommandStates().flags[2] = 1;
    ApplySpeedMenuChoice(2);
    EXPECT_DOUBLE_EQ(state.speed, 0.5);
    EXPECT_EQ(shell.calls, (Calls{L"ClampSpeed", L"Play"}));
    EXPECT_DOUBLE_EQ(AppSettings().Item(SETT_SpeedPlayLast).GetDouble(0), 0.5);
    shell.calls.clear();
    state.playing = TRUE;
    ApplySpeedMenuChoice(6);
    EXPECT_DOUBLE_EQ(state.speed, 2.0);
    EXPECT_EQ(shell.calls, Calls{L"ApplySpeed"});
    shell.calls.clear();
    ApplySpeedMenuChoice(8);
    EXPECT_EQ(shell.calls, Calls{L"SpeedEdit"});
    shell.calls.clear();
    ApplySpeedMenuChoice(0);
    EXPECT_EQ(shell.calls, Calls{});
    EXPECT_DOUBLE_EQ(state.speed, 2.0);
}

}  // namespace
