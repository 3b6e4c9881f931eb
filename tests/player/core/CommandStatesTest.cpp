// Command states as a table of situations, and the play and speed states, icons, status text
// and tooltips over the program's playback state.
#include "player/core/CommandStates.h"
#include "tests/player/core/FakeShell.h"
#include "player/core/PlayerResource.h"
#include "player/core/PlayerState.h"
#include "WinNT_SP/Include_VS2005/Sett.h"
#include "player/core/SpeedPlay.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using playertest::FakeShell;
using playertest::ShellScope;

struct StateCase {
    const char* name;
    CommandStateInputs in;
    const char* expected;  // 19 characters '0' or '1', flag 0 first
};

CommandStateInputs File(double duration, double position)
{
    CommandStateInputs in;
    in.file = true;
    in.duration = duration;
    in.position = position;
    return in;
}

CommandStateInputs Playing(CommandStateInputs in, double speed, double last)
{
    in.playing = true;
    in.speed = speed;
    in.speedPlayLast = last;
    return in;
}

CommandStateInputs Paused(CommandStateInputs in)
{
    in.playing = true;
    in.paused = true;
    return in;
}

CommandStateInputs Url(bool hasDuration, bool playing)
{
    CommandStateInputs in;
    in.url = true;
    in.urlHasDuration = hasDuration;
    in.urlDuration = hasDuration ? 30 : 0;
    in.playing = playing;
    return in;
}

CommandStateInputs WithVideo(CommandStateInputs in)
{
    in.video = true;
    return in;
}

CommandStateInputs WithBookmarks(CommandStateInputs in)
{
    in.selectedBookmarks = 2;
    return in;
}

CommandStateInputs QuickSwitch(CommandStateInputs in)
{
    in.quickSpeedSwitch = true;
    return in;
}

//                                         flag index: 0123456789012345678
const StateCase kStates[] = {
    {"NothingOpen", CommandStateInputs{}, "0000000000000000000"},
    {"StoppedAtStart", File(60, 0), "1111100000010100000"},
    {"StoppedInMiddleWithVideo", WithVideo(File(60, 30)), "1111100000111111000"},
    {"StoppedAtEnd", File(60, 60), "1111100000101000000"},
    {"PlayingAtLastSpeed", Playing(File(60, 10), 1.5, 1.5), "1101110110111100000"},
    {"PlayingNormalLastDiffers", Playing(File(60, 10), 1.0, 2.0), "1101101110111100000"},
    {"PlayingSlowest", Playing(File(60, 10), 0.35, 2.0), "1100111110111100000"},
    {"PlayingQuickSwitch", QuickSwitch(Playing(File(60, 10), 1.0, 2.0)),
     "1111101110111100000"},
    {"Paused", Paused(File(60, 10)), "1101101111111100000"},
    {"UrlWithoutDurationPlaying", Url(false, true), "1000000100000000000"},
    {"UrlWithDurationPlaying", Url(true, true), "1100000110000000000"},
    {"UrlStopped", Url(true, false), "1110000000000000000"},
    {"AudioOnlyInMiddle", File(60, 30), "1111100000111100000"},
    {"ZeroDurationFile", File(0, 0), "1000000000000000000"},
    {"BookmarksSelected", WithBookmarks(File(60, 0)), "1111100000010100001"},
};

// The speed flags come from the program's speed list: the default list for these cases.
class CommandStateTable : public testing::TestWithParam<StateCase> {
protected:
    void SetUp() override { TheSpeedList().LoadFromText(L""); }
};

TEST_P(CommandStateTable, Flags)
{
    COMMAND_STATES states;
    ComputeCommandStates(GetParam().in, &states);
    std::string flags;
    for (DWORD f : states.flags) {
        flags += f ? '1' : '0';
    }
    EXPECT_EQ(flags, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandStateTable, testing::ValuesIn(kStates),
                         [](const testing::TestParamInfo<StateCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(CommandStates, PositionAndDurationAreComparedOnTheTimeGrid)
{
    // 59.999998 and 60 land on the same 5-microsecond step: nothing left to step right into.
    COMMAND_STATES states;
    ComputeCommandStates(File(60, 59.999998), &states);
    EXPECT_EQ(states.flags[13], 0u);
    EXPECT_EQ(states.flags[12], 1u);
}

TEST(TimeGrid, Rounding)
{
    EXPECT_DOUBLE_EQ(RoundToTimeGrid(1.0000024), 1.0);
    EXPECT_DOUBLE_EQ(RoundToTimeGrid(1.0000026), 1.000005);
    EXPECT_DOUBLE_EQ(RoundToTimeGrid(-1.0000026), -1.000005);
    EXPECT_DOUBLE_EQ(RoundToSpeedGrid(1.4996), 1.5);
}

class FakeFile final : public IOpenPresentation {
public:
    double GetDuration() override { return 60; }
    std::wstring GetFilePath() override { return L"C:\\Talks\\a.wmv"; }
    BOOL HasVideo() override { return TRUE; }
};

// Installs a presentation and restores an empty playback state afterwards.
class PlaybackFixture : public testing::Test {
protected:
    void SetUp() override
    {
        TheSpeedList().LoadFromText(L"");
        PlayerState& state = ThePlayerState();
        delete state.ReplaceOpenFile(new FakeFile);
        state.SetPositionValue(0);
        shell.duration = 60;
    }
    void TearDown() override
    {
        PlayerState& state = ThePlayerState();
        delete state.ReplaceOpenFile(nullptr);
        state.playing = FALSE;
        state.paused = FALSE;
        state.speed = 1.0;
        state.SetPositionValue(-1);
        AppSettings().Item(SETT_SpeedPlayLast).Reset();
        InitDoubleValue(AppSettings().Item(SETT_SpeedPlayLast), L"SpeedPlayLast");
        UpdateCommandStates();
    }
    FakeShell shell;
};

TEST_F(PlaybackFixture, StatesAndIcons)
{
    ShellScope scope(shell);
    PlayerState& state = ThePlayerState();
    UpdateCommandStates();
    EXPECT_EQ(GetPlayState(), 0);
    EXPECT_EQ(GetSpeedState(), 0);
    EXPECT_EQ(GetPlayStateIconIndex(), 9);
    EXPECT_EQ(GetSpeedIconIndex(), 4);
    EXPECT_EQ(GetPlayPauseIconIndex(), 15);
    EXPECT_DOUBLE_EQ(GetAppDuration(), 60);
    state.playing = TRUE;
    shell.quickSpeedSwitch = TRUE;
    UpdateCommandStates();
    EXPECT_EQ(GetPlayState(), 2);
    EXPECT_EQ(GetSpeedState(), 2);
    EXPECT_EQ(GetSpeedIconIndex(), 6);
    EXPECT_EQ(GetPlayStateIconIndex(), 10);
    EXPECT_EQ(GetPlayPauseIconIndex(), 16);
    state.speed = 1.5;
    UpdateCommandStates();
    EXPECT_EQ(GetSpeedState(), 1);
    EXPECT_EQ(GetSpeedIconIndex(), 5);
    state.paused = TRUE;
    EXPECT_EQ(GetPlayState(), 3);
    EXPECT_EQ(GetPlayStateIconIndex(), 13);
}

TEST_F(PlaybackFixture, StatusText)
{
    ShellScope scope(shell);
    PlayerState& state = ThePlayerState();
    EXPECT_EQ(GetStatusText(), L"");
    state.playing = TRUE;
    EXPECT_EQ(GetStatusText(), L"Playing");
    state.speed = 1.5;
    EXPECT_EQ(GetStatusText(), L"Playing x1.5");
    state.paused = TRUE;
    EXPECT_EQ(GetStatusText(), L"Paused playing x1.5");
    delete state.ReplaceOpenFile(nullptr);
    EXPECT_EQ(GetStatusText(), L"");
    EXPECT_DOUBLE_EQ(GetAppDuration(), 0);
    EXPECT_DOUBLE_EQ(GetAppPosition(), 0);
}

TEST_F(PlaybackFixture, PlayTooltipFollowsTheSpeedState)
{
    ShellScope scope(shell);
    PlayerState& state = ThePlayerState();
    AppSettings().Item(SETT_SpeedPlayLast).SetDouble(2.0);
    state.playing = TRUE;
    shell.quickSpeedSwitch = TRUE;
    UpdateCommandStates();
    EXPECT_EQ(GetCommandTooltip(ID_PLAY_PLAY), L"Set last used playback speed [x2]");
    shell.quickSpeedSwitch = FALSE;
    UpdateCommandStates();
    EXPECT_EQ(GetCommandTooltip(ID_PLAY_PLAY), L"Play");
    shell.shortcuts[ID_PLAY_PLAY] = L"Space";
    EXPECT_EQ(GetCommandTooltip(ID_PLAY_PLAY), L"Play (Space)");
}

TEST_F(PlaybackFixture, Tooltips)
{
    EXPECT_EQ(GetCommandTooltip(ID_PLAY_STOP), L"") << "no main window, no tooltip";
    ShellScope scope(shell);
    PlayerState& state = ThePlayerState();
    EXPECT_EQ(GetCommandTooltip(ID_PLAY_STOP), L"Stop");
    EXPECT_EQ(GetCommandTooltip(ID_FILE_NEW), L"Close");
    EXPECT_EQ(GetCommandTooltip(12345), L"");
    EXPECT_EQ(GetCommandTooltip(ID_PLAY_SPEED_LESS), L"Play at slow speed [x0.7]");
    EXPECT_EQ(GetCommandTooltip(ID_PLAY_SPEED_MORE), L"Play at fast speed [x1.5]");
    state.playing = TRUE;
    state.speed = 0.35;
    EXPECT_EQ(GetCommandTooltip(ID_PLAY_SPEED_LESS), L"Decrease playback speed");
    EXPECT_EQ(GetCommandTooltip(ID_PLAY_SPEED_MORE), L"Increase playing speed to x0.5");
    EXPECT_EQ(GetCommandTooltip(ID_STEP_VALUE_BOX),
              L"Step value (Previous step - no shortcut; Next step - no shortcut)");
}

TEST(ThreadErrors, TextsAreJoined)
{
    PlayerState& state = ThePlayerState();
    state.TakeThreadErrors();
    state.AppendThreadError(L"first");
    state.AppendThreadError(L"second");
    EXPECT_EQ(state.TakeThreadErrors(), L"first\r\nsecond");
    EXPECT_EQ(state.TakeThreadErrors(), L"");
}

}  // namespace
