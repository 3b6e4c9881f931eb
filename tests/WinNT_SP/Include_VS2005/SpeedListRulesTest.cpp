// The speed list's rules as the support library applies them before the player registers its
// list: the built-in list takes exactly the texts the player's list would, and the range is
// judged on the 0.001 grid.
#include "WinNT_SP/Include_VS2005/PlayerCoreServices.h"
#include "WinNT_SP/Include_VS2005/Sett.h"
#include "WinNT_SP/Include_VS2005/SpeedListRules.h"

#include <gtest/gtest.h>

namespace {

TEST(SpeedListRules, RangeIsJudgedOnTheGrid)
{
    const struct {
        double value;
        bool inRange;
    } cases[] = {
        {0.3335, false}, {0.3336, true}, {kMinSpeed, true}, {1.0, true},
        {kMaxSpeed, true}, {3.0004, true}, {3.0006, false}, {-1.0, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsInSpeedRange(c.value), c.inRange) << c.value;
    }
}

TEST(SpeedListRules, BuiltInListTakesWhatThePlayersListWould)
{
    SetSpeedListService(nullptr);
    ISpeedListService& list = SpeedListService();
    const struct {
        const wchar_t* text;
        bool taken;
        double lowest;
        double highest;
    } cases[] = {
        {L"0.5,2", true, 0.5, 2.0},
        {L"0.5,0.5,2", true, 0.5, 2.0},    // repeats collapse
        {L"0.25,2", false, 0.35, 3.0},     // below the player's range
        {L"0.5,5", false, 0.35, 3.0},      // above it
        {L"0.5,1,2", false, 0.35, 3.0},    // the normal speed is implied, never written
        {L"0.5,0.7", false, 0.35, 3.0},    // nothing above normal
        {L"0.5,abc", false, 0.35, 3.0},
    };
    for (const auto& c : cases) {
        AppSettings().Item(SETT_SpeedPlayList).SetStringValue(c.text);
        EXPECT_EQ(list.LoadSpeedList(), c.taken) << c.text;
        EXPECT_DOUBLE_EQ(list.LowestSpeed(), c.lowest) << c.text;
        EXPECT_DOUBLE_EQ(list.HighestSpeed(), c.highest) << c.text;
        if (!c.taken) {
            EXPECT_EQ(list.FormatSpeedList(), L"0.35,0.5,0.7,1.5,2,3") << c.text;
        }
    }
    AppSettings().Item(SETT_SpeedPlayList).Reset();
    list.LoadSpeedList();
}

}  // namespace
