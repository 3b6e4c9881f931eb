// The frame's keys with real input (SendInput) on the host built like the player's main frame:
// Alt alone shows the underlines and still reaches the system, Alt's release and F10 come back
// as SC_KEYMENU and enter the menu bar, Alt+letter opens or only selects by mnemonic, keyboard
// cues use 2 leaves Alt+letter to the system, the frame's accelerators and the toolkit's
// shortcuts (chords too) run their commands once.
#include "tests/toolkit/commandbars/BarsFrameHost.h"
#include "tests/toolkit/commandbars/FrameLoop.h"

#include <gtest/gtest.h>

#include "platform/framework/window/CWinThread.h"
#include "player/core/PlayerResource.h"
#include "toolkit/commandbars/CUTKCommandBarsOptions.h"
#include "toolkit/commandbars/CUTKMouseManager.h"
#include "toolkit/commandbars/CUTKPopupBar.h"
#include "toolkit/commandbars/CUTKShortcutManager.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControlPopup.h"
#include "toolkit/controls/CUTKControls.h"

#include <functional>
#include <utility>
#include <memory>
#include <vector>

namespace {

using frametest::Pump;
using frametest::Settle;
using frametest::WaitFor;

INPUT KeyInput(WORD vk, BOOL up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// One key stroke: '+' before a key holds it down, '-' releases it, a bare key is pressed and
// released.
struct Stroke {
    char how;  // '+', '-' or ' '
    WORD vk;
};

void Send(const std::vector<Stroke>& strokes)
{
    std::vector<INPUT> inputs;
    for (const Stroke& s : strokes) {
        if (s.how != '-') {
            inputs.push_back(KeyInput(s.vk, FALSE));
        }
        if (s.how != '+') {
            inputs.push_back(KeyInput(s.vk, TRUE));
        }
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// System commands sent to any window of the thread, seen before any subclass of the frame
// (the menu bar watches the frame's messages ahead of the frame's own procedure).
std::vector<std::pair<HWND, std::pair<WPARAM, LPARAM>>> g_sysCommands;

LRESULT CALLBACK WatchSysCommands(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && lParam != 0) {
        const auto* info = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (info->message == WM_SYSCOMMAND) {
            g_sysCommands.push_back({info->hwnd, {info->wParam, info->lParam}});
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

CUTKPopupBar* PopupOf(CUTKControl* control)
{
    auto* popup = DYNAMIC_DOWNCAST(CUTKControlPopup, control);
    return popup != nullptr ? DYNAMIC_DOWNCAST(CUTKPopupBar, popup->m_commandBar) : nullptr;
}

BOOL Shown(CUTKPopupBar* popup)
{
    return popup != nullptr && popup->GetSafeHwnd() != nullptr && popup->IsWindowVisible();
}

class FrameKeys : public ::testing::Test {
protected:
    void Open(UINT menuId = 128)
    {
        g_sysCommands.clear();
        watch = ::SetWindowsHookExW(WH_CALLWNDPROC, WatchSysCommands, nullptr,
                                    ::GetCurrentThreadId());
        host = std::make_unique<CBarsManagedFrame>();
        CBarsManagedFrame::Options options;
        options.menuId = menuId;
        ASSERT_TRUE(host->CreateHost(RECT{80, 80, 680, 440}, options));
        host->ShowWindow(SW_SHOW);
        host->SetForegroundWindow();
        host->SetFocus();
        host->UpdateWindow();
        ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == host->GetSafeHwnd(); }));
        Settle();
        bars = host->GetCommandBars();
        menuBar = host->m_pMenuBar;
        ASSERT_NE(bars, nullptr);
        ASSERT_NE(menuBar, nullptr);
        file = menuBar->GetControl(0);
        ASSERT_NE(file, nullptr);
        ASSERT_EQ(file->GetCaption(), CString(L"&File"));
    }
    void TearDown() override
    {
        if (watch != nullptr) {
            ::UnhookWindowsHookEx(watch);
            watch = nullptr;
        }
        if (menuBar != nullptr && menuBar->GetTrackingMode() != 0) {
            menuBar->SetTrackingMode(FALSE, TRUE, FALSE);
        }
        GetThreadMouseManager()->SendTrackLost();
        if (host && host->GetSafeHwnd() != nullptr) {
            host->DestroyWindow();
        }
        Settle(50);
        host.reset();
    }
    BOOL SawSysCommand(WPARAM code, LPARAM lParam) const
    {
        for (const auto& c : g_sysCommands) {
            if (c.first == host->GetSafeHwnd() && (c.second.first & 0xFFF0) == code &&
                c.second.second == lParam) {
                return TRUE;
            }
        }
        return FALSE;
    }

    HHOOK watch = nullptr;
    std::unique_ptr<CBarsManagedFrame> host;
    CUTKCommandBars* bars = nullptr;
    CUTKToolBar* menuBar = nullptr;
    CUTKControl* file = nullptr;
};

TEST_F(FrameKeys, AltAloneShowsTheUnderlinesAndStillReachesTheSystem)
{
    Open();
    bars->SetKeyboardCuesState(FALSE, TRUE);
    Send({{'+', VK_MENU}});
    ASSERT_TRUE(WaitFor([&] { return bars->IsKeyboardCuesVisible() == TRUE; }));
    // Not consumed: the frame's window procedure got the key.
    EXPECT_TRUE(WaitFor([&] { return host->m_sysKeysDown > 0; }));
    EXPECT_EQ(menuBar->GetTrackingMode(), 0);
    // The release comes back from the system's window procedure as the menu key command, which
    // enters the menu bar from the keyboard.
    Send({{'-', VK_MENU}});
    ASSERT_TRUE(WaitFor([&] { return menuBar->GetTrackingMode() != 0; }));
    EXPECT_TRUE(SawSysCommand(SC_KEYMENU, 0));
    EXPECT_EQ(menuBar->GetSelectedIndex(), 0);
    EXPECT_FALSE(Shown(PopupOf(file)));
    EXPECT_TRUE(host->m_commands.empty());
}

TEST_F(FrameKeys, F10EntersTheMenuBarThroughTheMenuKeyCommand)
{
    Open();
    Send({{' ', VK_F10}});
    ASSERT_TRUE(WaitFor([&] { return menuBar->GetTrackingMode() != 0; }));
    EXPECT_TRUE(SawSysCommand(SC_KEYMENU, 0));
    EXPECT_EQ(menuBar->GetSelectedIndex(), 0);
    // Escape leaves it again.
    Send({{' ', VK_ESCAPE}});
    EXPECT_TRUE(WaitFor([&] { return menuBar->GetTrackingMode() == 0; }));
    EXPECT_TRUE(host->m_commands.empty());
}

TEST_F(FrameKeys, AltFOpensFile)
{
    Open();
    Send({{'+', VK_MENU}, {' ', 'F'}, {'-', VK_MENU}});
    ASSERT_TRUE(WaitFor([&] { return Shown(PopupOf(file)) == TRUE; }));
    Settle();
    EXPECT_TRUE(Shown(PopupOf(file)));
    EXPECT_NE(menuBar->GetTrackingMode(), 0);
    EXPECT_EQ(menuBar->GetSelectedIndex(), 0);
    EXPECT_TRUE(bars->IsKeyboardCuesVisible());
    // The toolkit took Alt+F: the system never saw it as a menu key.
    EXPECT_FALSE(SawSysCommand(SC_KEYMENU, 'f'));
    EXPECT_TRUE(host->m_commands.empty());
}

TEST_F(FrameKeys, TwoControlsMarkingFOnlySelectTheFirst)
{
    Open(140);
    ASSERT_EQ(menuBar->GetControl(1)->GetCaption(), CString(L"&Find"));
    Send({{'+', VK_MENU}, {' ', 'F'}, {'-', VK_MENU}});
    ASSERT_TRUE(WaitFor([&] { return menuBar->GetTrackingMode() != 0; }));
    Settle();
    EXPECT_EQ(menuBar->GetSelectedIndex(), 0);
    EXPECT_FALSE(Shown(PopupOf(file)));
    EXPECT_FALSE(Shown(PopupOf(menuBar->GetControl(1))));
    EXPECT_TRUE(host->m_commands.empty());
}

TEST_F(FrameKeys, KeyboardCuesUseTwoLeavesAltLetterToTheSystem)
{
    Open();
    bars->GetCommandBarsOptions()->keyboardCuesUse = 2;
    Send({{'+', VK_MENU}, {' ', 'F'}, {'-', VK_MENU}});
    // The key became the system's menu key with its character.
    ASSERT_TRUE(WaitFor([&] { return SawSysCommand(SC_KEYMENU, 'f') == TRUE; }));
    Settle();
    EXPECT_FALSE(Shown(PopupOf(file)));
    EXPECT_TRUE(host->m_commands.empty());
}

TEST_F(FrameKeys, CtrlOFromTheFramesAcceleratorsRunsOnceAndFileShowsIt)
{
    Open(140);
    CUTKShortcutManager* shortcuts = bars->GetShortcutManager();
    ASSERT_NE(shortcuts, nullptr);
    ASSERT_EQ(shortcuts->GetAccelTable()->GetCount(), 0);
    Send({{'+', VK_CONTROL}, {' ', 'O'}, {'-', VK_CONTROL}});
    ASSERT_TRUE(WaitFor([&] { return !host->m_commands.empty(); }));
    Settle();
    EXPECT_EQ(host->m_commands, std::vector<UINT>{ID_FILE_OPEN});

    CString text;
    EXPECT_TRUE(shortcuts->GetShortcut(ID_FILE_OPEN, text));
    EXPECT_EQ(text, CString(L"Ctrl+O"));
    // The menu's item has no text after a tab: what File shows comes from the manager. Alt+F
    // only selects File here (Find marks F too); Down opens it.
    Send({{'+', VK_MENU}, {' ', 'F'}, {'-', VK_MENU}, {' ', VK_DOWN}});
    ASSERT_TRUE(WaitFor([&] { return Shown(PopupOf(file)) == TRUE; }));
    CUTKControl* open = PopupOf(file)->GetControl(0);
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->GetShortcutTextAuto(), CString(L"Ctrl+O"));
    EXPECT_EQ(host->m_commands, std::vector<UINT>{ID_FILE_OPEN});
}

// Keys typed with the toolkit's own table: a chord, a chord waiting through a lone Shift, a
// chord broken by a wrong key, and a single keystroke that comes before a chord on the same
// first key.
struct ShortcutCase {
    const char* name;
    std::vector<Stroke> keys;
    std::vector<UINT> commands;
};

TEST_F(FrameKeys, ToolkitShortcutsThroughTheFrame)
{
    const UTK_SHORTCUTMANAGER_ACCEL table[] = {
        {static_cast<int>(ID_PLAY_PLAY), {{FVIRTKEY | FCONTROL, 0, 'K'}, {FVIRTKEY | FCONTROL, 0, 'D'}}},
        {static_cast<int>(ID_PLAY_STOP), {{FVIRTKEY | FCONTROL, 0, 'J'}, {0, 0, 0}}},
        {static_cast<int>(ID_PLAY_PAUSE), {{FVIRTKEY | FCONTROL, 0, 'J'}, {FVIRTKEY | FCONTROL, 0, 'X'}}},
    };
    const ShortcutCase cases[] = {
        {"chord", {{'+', VK_CONTROL}, {' ', 'K'}, {' ', 'D'}, {'-', VK_CONTROL}}, {ID_PLAY_PLAY}},
        {"lone Shift waits",
         {{'+', VK_CONTROL}, {' ', 'K'}, {'-', VK_CONTROL}, {' ', VK_SHIFT}, {'+', VK_CONTROL},
          {' ', 'D'}, {'-', VK_CONTROL}},
         {ID_PLAY_PLAY}},
        {"wrong key", {{'+', VK_CONTROL}, {' ', 'K'}, {'-', VK_CONTROL}, {' ', 'Q'}}, {}},
        {"single keystroke first", {{'+', VK_CONTROL}, {' ', 'J'}, {' ', 'X'}, {'-', VK_CONTROL}},
         {ID_PLAY_STOP}},
    };
    Open();
    bars->GetShortcutManager()->SetAccels(table, 3);
    for (const ShortcutCase& c : cases) {
        SCOPED_TRACE(c.name);
        host->m_commands.clear();
        Send(c.keys);
        Settle(400);
        EXPECT_EQ(host->m_commands, c.commands);
    }
}

} // namespace
