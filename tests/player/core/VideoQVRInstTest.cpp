// The callback object against a fake shell: command gating, layouts, icons, position and
// end-of-play reports from another thread, asynchronous errors, and the settings slots.
#include "player/core/CommandStates.h"
#include "tests/support/ComPrinters.h"
#include "tests/player/core/FakeShell.h"
#include "player/core/PlayerState.h"
#include "WinNT_SP/Include_VS2005/Sett.h"
#include "player/core/VideoQVRInst.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using playertest::FakeShell;
using playertest::ShellScope;

class FakeFile final : public IOpenPresentation {
public:
    double GetDuration() override { return 20; }
    std::wstring GetFilePath() override { return L"C:\\a.wmv"; }
    BOOL HasVideo() override { return TRUE; }
};

class FakeNet final : public INetReaderState {
public:
    double GetDuration() override { return 30; }
    BOOL HasDuration() override { return TRUE; }
    double GetStartPosition() override { return 0; }
    std::wstring GetURL() override { return L"http://h/t.wmv"; }
    BOOL IsBuffering() override { return FALSE; }
    int GetBufferingPercent() override { return -1; }
};

// A window whose posted messages the test can count.
class MessageWindow {
public:
    MessageWindow()
    {
        window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                 nullptr, nullptr);
    }
    ~MessageWindow() { DestroyWindow(window); }
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;
    int Count(UINT message)
    {
        int n = 0;
        MSG msg;
        while (PeekMessageW(&msg, window, message, message, PM_REMOVE)) {
            ++n;
        }
        return n;
    }
    HWND window;
};

class CallbackTest : public testing::Test {
protected:
    void SetUp() override
    {
        inst = new VideoQVRInst;
        shell.window = messages.window;
        shell.duration = 20;
    }
    void TearDown() override
    {
        inst->Destroy();
        PlayerState& state = ThePlayerState();
        delete state.ReplaceOpenFile(nullptr);
        delete state.ReplaceNetReader(nullptr);
        state.TakeAsyncError(nullptr, nullptr);
        state.SetPositionValue(-1);
        state.settingsLoaded = FALSE;
        TheCommandStates() = COMMAND_STATES{};
    }
    VideoQVRInst* inst = nullptr;
    FakeShell shell;
    MessageWindow messages;
};

struct RunCase {
    UINT command;
    int flag;
    const wchar_t* handler;
};

TEST_F(CallbackTest, RunCommandRunsOnlyEnabledHandlers)
{
    const RunCase cases[] = {
        {0, 7, L"Stop"},          {1, 2, L"Play"},          {2, 3, L"SpeedLess"},
        {3, 4, L"SpeedMore"},     {4, 8, L"Pause"},         {4, 9, L"Pause"},
        {5, 12, L"GoLeft"},       {6, 13, L"GoRight"},      {7, 10, L"GoToStart"},
        {8, 11, L"GoToEnd"},      {9, 14, L"GoLeftFrame"},  {10, 15, L"GoRightFrame"},
    };
    EXPECT_FALSE(inst->RunCommand(0, 0, 0)) << "no main frame";
    ShellScope scope(shell);
    for (const RunCase& c : cases) {
        TheCommandStates() = COMMAND_STATES{};
        shell.calls.clear();
        EXPECT_FALSE(inst->RunCommand(c.command, 0, 0)) << c.command;
        EXPECT_TRUE(shell.calls.empty());
        TheCommandStates().flags[c.flag] = 1;
        EXPECT_TRUE(inst->RunCommand(c.command, 0, 0)) << c.command;
        ASSERT_EQ(shell.calls.size(), 1u);
        EXPECT_EQ(shell.calls[0], c.handler);
    }
    EXPECT_FALSE(inst->RunCommand(13, 0, 0));
}

TEST_F(CallbackTest, LayoutCommands)
{
    ShellScope scope(shell);
    const struct {
        int setting;
        int engine;
    } reads[] = {{0, 0}, {1, 1}, {2, 3}, {3, 2}, {7, 2}};
    for (const auto& r : reads) {
        AppSettings().Item(SETT_VideoViewMode).SetInt(r.setting);
        int layout = -1;
        EXPECT_TRUE(inst->RunCommand(11, reinterpret_cast<INT_PTR>(&layout), 0));
        EXPECT_EQ(layout, r.engine) << r.setting;
    }
    EXPECT_FALSE(inst->RunCommand(11, 0, 0)) << "no result pointer";
    const struct {
        int engine;
        const wchar_t* handler;
    } sets[] = {{0, L"OnlyCamera"}, {1, L"OnlyScreen"}, {3, L"CameraUp"}, {2, L"CameraLeft"},
                {9, L"CameraLeft"}, {-1, L"CameraLeft"}};
    for (const auto& s : sets) {
        shell.calls.clear();
        EXPECT_TRUE(inst->RunCommand(12, s.engine, 0));
        ASSERT_EQ(shell.calls.size(), 1u);
        EXPECT_EQ(shell.calls[0], s.handler) << s.engine;
    }
}

TEST_F(CallbackTest, IconIds)
{
    const int expected[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 15, 16, 19, 21};
    for (UINT id = 0; id < 17; ++id) {
        EXPECT_EQ(VideoQVRInst::IconIndexForId(id), expected[id]) << id;
    }
    EXPECT_EQ(VideoQVRInst::IconIndexForId(17), 4);
    EXPECT_EQ(VideoQVRInst::IconIndexForId(18), 9);
    EXPECT_EQ(VideoQVRInst::IconIndexForId(19), 15);
    EXPECT_EQ(VideoQVRInst::IconIndexForId(20), -1);
    EXPECT_EQ(inst->GetIcon(20), nullptr);
}

TEST_F(CallbackTest, PositionReports)
{
    PlayerState& state = ThePlayerState();
    inst->OnPosition(3.0);
    EXPECT_DOUBLE_EQ(state.GetPositionValue(), -1) << "no main frame";
    ShellScope scope(shell);
    inst->OnPosition(3.0);
    EXPECT_DOUBLE_EQ(state.GetPositionValue(), -1) << "nothing open";
    delete state.ReplaceOpenFile(new FakeFile);
    state.SetRangeOffset(10.0);
    inst->OnPosition(3.0000026);
    EXPECT_DOUBLE_EQ(state.GetPositionValue(), 13.000005);
    EXPECT_EQ(shell.calls.back(), L"UpdatePosition");
    EXPECT_DOUBLE_EQ(inst->GetPosition(), 13.000005);
    delete state.ReplaceNetReader(new FakeNet);
    state.SetNetStartPosition(100.0);
    inst->OnPosition(3.0);
    EXPECT_DOUBLE_EQ(state.GetPositionValue(), 103.0) << "a network stream takes precedence";
}

TEST_F(CallbackTest, PlayEndFromAnotherThread)
{
    PlayerState& state = ThePlayerState();
    ShellScope scope(shell);
    EXPECT_FALSE(inst->OnPlayEnd(5.0)) << "no presentation open";
    delete state.ReplaceOpenFile(new FakeFile);
    state.SetPositionValue(2.0);
    BOOL posted = FALSE;
    std::thread([&] { posted = inst->OnPlayEnd(-1); }).join();
    EXPECT_TRUE(posted);
    EXPECT_DOUBLE_EQ(state.GetPositionValue(), 2.0) << "-1 leaves the position";
    EXPECT_EQ(messages.Count(WM_APP + 6), 1);
    std::thread([&] { posted = inst->OnPlayEnd(19.5); }).join();
    EXPECT_DOUBLE_EQ(state.GetPositionValue(), 19.5);
    EXPECT_EQ(messages.Count(WM_APP + 6), 1);
}

TEST_F(CallbackTest, PlayEndRacesWithClosingThePresentation)
{
    // The engine's thread reports the end while the user interface replaces the presentation:
    // the report reads only the locked copies, never the object being deleted.
    PlayerState& state = ThePlayerState();
    ShellScope scope(shell);
    std::thread engine([&] {
        for (int i = 0; i < 2000; ++i) {
            inst->OnPlayEnd(1.0);
        }
    });
    for (int i = 0; i < 2000; ++i) {
        delete state.ReplaceOpenFile(new FakeFile);
        state.SetRangeOffset(i);
    }
    engine.join();
    delete state.ReplaceOpenFile(nullptr);
    EXPECT_GT(messages.Count(WM_APP + 6), 0);
}

TEST_F(CallbackTest, AsyncErrorsAreNotLostBeforeTheyAreShown)
{
    inst->OnAsyncError(E_FAIL, L"ignored without a frame");
    EXPECT_FALSE(ThePlayerState().TakeAsyncError(nullptr, nullptr));
    ShellScope scope(shell);
    std::thread([&] { inst->OnAsyncError(E_FAIL, L"first"); }).join();
    std::thread([&] { inst->OnAsyncError(E_ABORT, L"second"); }).join();
    EXPECT_EQ(messages.Count(WM_APP + 4), 1) << "one message for errors not yet taken";
    HRESULT code = S_OK;
    std::wstring text;
    ASSERT_TRUE(ThePlayerState().TakeAsyncError(&code, &text));
    EXPECT_HR(E_FAIL, code);
    EXPECT_EQ(text, L"first\r\nsecond");
    inst->OnAsyncError(E_ABORT, L"third");
    EXPECT_EQ(messages.Count(WM_APP + 4), 1);
    ASSERT_TRUE(ThePlayerState().TakeAsyncError(&code, &text));
    EXPECT_EQ(text, L"third");
}

TEST_F(CallbackTest, VideoSettings)
{
    EXPECT_EQ(inst->GetVideoSettings(), nullptr) << "settings not loaded yet";
    ThePlayerState().settingsLoaded = TRUE;
    AppSettings().Item(SETT_VideoInt).Reset();
    InitTextValue(AppSettings().Item(SETT_VideoInt), L"VideoInt");
    ASSERT_NE(inst->GetVideoSettings(), nullptr);
    EXPECT_STREQ(inst->GetVideoSettings(), L"");
    inst->SetVideoSettings(L"{A=1}");
    EXPECT_STREQ(inst->GetVideoSettings(), L"{A=1}");
    EXPECT_TRUE(AppSettings().Item(SETT_VideoInt).IsSet());
}

TEST_F(CallbackTest, SettingsListSlots)
{
    TypedValue& list = AppSettings().Item(SETT_FmtPresets);
    list.RemoveListEntries(0, list.ListCount());
    EXPECT_EQ(inst->GetListCount(0), 0);
    EXPECT_EQ(inst->GetListCount(1), 0);
    inst->SetListItem(0, L"Low", L"{Rate=1}");
    inst->SetListItem(0, L"High", L"{Rate=9}");
    EXPECT_EQ(inst->GetListCount(0), 2);
    EXPECT_STREQ(inst->GetListItemName(0, 1), L"High");
    EXPECT_STREQ(inst->GetListItemValue(0, 1), L"{Rate=9}");
    inst->SetListItem(0, L"Low", L"{Rate=2}");
    EXPECT_EQ(inst->GetListCount(0), 2);
    EXPECT_STREQ(inst->GetListItemValue(0, 0), L"{Rate=2}");
    // Bad input gives the empty text, never the text of the call before.
    EXPECT_STREQ(inst->GetListItemName(0, 0), L"Low");
    EXPECT_STREQ(inst->GetListItemName(0, 2), L"");
    EXPECT_STREQ(inst->GetListItemValue(0, -1), L"");
    EXPECT_STREQ(inst->GetListItemName(5, 0), L"");
    inst->SetListItem(0, L"Low", L"");
    EXPECT_EQ(inst->GetListCount(0), 1);
    EXPECT_STREQ(inst->GetListItemName(0, 0), L"High");
    inst->SetListItem(0, L"High", nullptr);
    EXPECT_EQ(inst->GetListCount(0), 0);
}

TEST_F(CallbackTest, HelpAndMinimizeNeedAFrame)
{
    EXPECT_EQ(inst->ShowHelp(1), 0);
    EXPECT_FALSE(inst->MinimizeRestore(TRUE));
    inst->OnAudioData(0, nullptr, nullptr, 0);
    EXPECT_DOUBLE_EQ(inst->GetDuration(), 0);
    ShellScope scope(shell);
    EXPECT_DOUBLE_EQ(inst->GetDuration(), 20);
    inst->OnAudioData(0, nullptr, nullptr, 0);
    EXPECT_EQ(shell.calls.back(), L"AudioLevel");
    inst->OnSliderScroll(4, 10, nullptr);
    EXPECT_EQ(shell.calls.back(), L"AudioLevel") << "no slider window: only traced";
    inst->OnSliderScroll(4, 10, messages.window);
    EXPECT_EQ(shell.calls.back(), L"Slider");
}

}  // namespace
