// Shortcut translation on a real frame: the command reaches the frame once, the conditions that
// stop it, and the chord wait for the second keystroke with its ways out (a matching key, an
// unknown key, WM_QUIT posted again, a click, a command, a lost capture), each giving back the
// capture and the disable count.
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKShortcutManager.h"
#include "platform/framework/frame/CFrameWnd.h"
#include "platform/framework/frame/CStatusBar.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using Accel = UTK_SHORTCUTMANAGER_ACCEL;
constexpr BYTE V = FVIRTKEY;
constexpr BYTE C = FCONTROL;
constexpr BYTE S = FSHIFT;

Accel Make(int cmd, BYTE f1, WORD k1, BYTE f2 = 0, WORD k2 = 0)
{
    Accel a{};
    a.cmd = cmd;
    a.key[0].fVirt = f1;
    a.key[0].key = k1;
    a.key[1].fVirt = f2;
    a.key[1].key = k2;
    return a;
}

class CommandFrame : public CFrameWnd {
public:
    BOOL OnCommand(WPARAM wParam, LPARAM) override
    {
        commands.push_back(LOWORD(wParam));
        if (LOWORD(wParam) == kCaptureElsewhere && other != nullptr) {
            ::SetCapture(other);
        }
        if (LOWORD(wParam) == kReadStatus && status != nullptr) {
            status->GetWindowText(statusText);
        }
        return TRUE;
    }
    static constexpr UINT kCaptureElsewhere = 4242;
    static constexpr UINT kReadStatus = 4243;
    CWnd* status = nullptr;
    CString statusText;
    std::vector<UINT> commands;
    HWND other = nullptr;
};

// Sets the thread's keyboard state as if these keys were held.
void HoldKeys(std::initializer_list<int> keys)
{
    BYTE state[256] = {};
    for (int vk : keys) {
        state[vk] = 0x80;
    }
    ::SetKeyboardState(state);
}

MSG KeyDown(HWND wnd, WPARAM vk)
{
    MSG msg{};
    msg.hwnd = wnd;
    msg.message = WM_KEYDOWN;
    msg.wParam = vk;
    return msg;
}

void Flush()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT) {
            ::DispatchMessageW(&msg);
        }
    }
}

class ShortcutTranslate : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_frame = new CommandFrame;
        ASSERT_TRUE(m_frame->Create(nullptr, L"Shortcut frame",
                                    WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(50, 50, 450, 350)));
        m_otherWnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 600, 50, 50,
                                       50, nullptr, nullptr, nullptr, nullptr);
        m_frame->other = m_otherWnd;
        m_bars = new CUTKCommandBars;
        m_bars->SetSite(m_frame);
        m_manager = new CUTKShortcutManager(m_bars);
        Flush();
    }
    void TearDown() override
    {
        HoldKeys({});
        ::ReleaseCapture();
        Flush();
        m_manager->InternalRelease();
        m_bars->InternalRelease();
        ::DestroyWindow(m_otherWnd);
        if (::IsWindow(m_frame->GetSafeHwnd())) {
            m_frame->DestroyWindow(); // the frame deletes itself
        }
    }
    void SetTable(const std::vector<Accel>& accels)
    {
        m_manager->SetAccels(accels.data(), static_cast<int>(accels.size()));
    }
    HWND Frame() const { return m_frame->GetSafeHwnd(); }

    CommandFrame* m_frame = nullptr;
    HWND m_otherWnd = nullptr;
    CUTKCommandBars* m_bars = nullptr;
    CUTKShortcutManager* m_manager = nullptr;
};

TEST_F(ShortcutTranslate, SingleKeystrokes)
{
    SetTable({Make(100, V | C, 'O'), Make(101, V, VK_F5), Make(102, 0, 'x'), Make(0, V, VK_F6)});
    const struct {
        const char* what;
        std::initializer_list<int> held;
        UINT message;
        WPARAM key;
        BOOL result;
        std::vector<UINT> commands;
    } cases[] = {
        {"Ctrl+O", {VK_CONTROL, VK_LCONTROL}, WM_KEYDOWN, 'O', TRUE, {100}},
        {"O without Ctrl", {}, WM_KEYDOWN, 'O', FALSE, {}},
        {"F5", {}, WM_KEYDOWN, VK_F5, TRUE, {101}},
        {"Shift+F5 is another key", {VK_SHIFT}, WM_KEYDOWN, VK_F5, FALSE, {}},
        {"character key", {}, WM_CHAR, 'x', TRUE, {102}},
        {"command 0 is taken but sends nothing", {}, WM_KEYDOWN, VK_F6, TRUE, {}},
        {"key release", {}, WM_KEYUP, VK_F5, FALSE, {}},
        {"AltGr is no Ctrl", {VK_CONTROL, VK_LCONTROL, VK_MENU, VK_RMENU}, WM_KEYDOWN, 'O',
         FALSE, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        m_frame->commands.clear();
        HoldKeys(c.held);
        MSG msg{};
        msg.hwnd = Frame();
        msg.message = c.message;
        msg.wParam = c.key;
        EXPECT_EQ(c.result, m_manager->TranslateAccelerator(&msg));
        EXPECT_EQ(c.commands, m_frame->commands);
    }
}

TEST_F(ShortcutTranslate, WhatStopsAShortcut)
{
    SetTable({Make(101, V, VK_F5)});
    MSG f5 = KeyDown(Frame(), VK_F5);
    HoldKeys({});

    m_manager->DisableShortcuts(TRUE);
    EXPECT_FALSE(m_manager->TranslateAccelerator(&f5));
    m_manager->DisableShortcuts(FALSE);

    m_bars->SetCustomizeMode(TRUE);
    EXPECT_FALSE(m_manager->TranslateAccelerator(&f5));
    m_bars->SetCustomizeMode(FALSE);

    // Taken (TRUE) but nothing sent: a disabled frame, or a capture elsewhere.
    ::EnableWindow(Frame(), FALSE);
    EXPECT_TRUE(m_manager->TranslateAccelerator(&f5));
    ::EnableWindow(Frame(), TRUE);
    ::SetCapture(m_otherWnd);
    EXPECT_TRUE(m_manager->TranslateAccelerator(&f5));
    m_manager->m_bIgnoreKeyWhileCaptured = FALSE;
    EXPECT_TRUE(m_manager->TranslateAccelerator(&f5));
    ::ReleaseCapture();
    EXPECT_EQ(std::vector<UINT>{101}, m_frame->commands);

    CUTKShortcutManager lonely(nullptr);
    lonely.SetAccels(std::vector<Accel>{Make(101, V, VK_F5)}.data(), 1);
    EXPECT_FALSE(lonely.TranslateAccelerator(&f5)) << "no command bars";
    CUTKShortcutManager empty(m_bars);
    EXPECT_FALSE(empty.TranslateAccelerator(&f5)) << "an empty table";
}

TEST_F(ShortcutTranslate, ChordWait)
{
    const auto post = [this](UINT message, WPARAM wParam) {
        return [this, message, wParam] { ::PostMessageW(Frame(), message, wParam, 0); };
    };
    // Ctrl is held for the whole wait (the thread's key state; posted keys do not change it).
    const struct {
        const char* what;
        std::vector<std::function<void()>> queued;
        std::vector<UINT> commands;
        bool quitReposted;
    } cases[] = {
        {"second key", {post(WM_KEYDOWN, 'D')}, {201}, false},
        {"other chord of the same first key", {post(WM_KEYDOWN, 'E')}, {202}, false},
        {"modifier alone keeps waiting",
         {post(WM_KEYDOWN, VK_SHIFT), post(WM_KEYDOWN, VK_CONTROL), post(WM_SYSKEYDOWN, VK_MENU),
          post(WM_KEYDOWN, 'D')},
         {201},
         false},
        {"unknown second key beeps, no command", {post(WM_KEYDOWN, 'Q')}, {}, false},
        {"second key without its Shift", {post(WM_KEYDOWN, 'F')}, {}, false},
        {"the chord of another first key is not reached", {post(WM_KEYDOWN, 'G')}, {}, false},
        {"WM_QUIT ends it and is posted again", {[] { ::PostQuitMessage(7); }}, {}, true},
        {"a click ends it", {post(WM_LBUTTONDOWN, 0)}, {}, false},
        {"a command is dispatched and ends it", {post(WM_COMMAND, 555)}, {555}, false},
        {"other messages are dispatched, the wait goes on",
         {post(WM_NULL, 0), post(WM_KEYUP, 'K'), post(WM_CHAR, 'k'), post(WM_KEYDOWN, 'D')},
         {201},
         false},
        {"a lost capture ends it", {post(WM_COMMAND, CommandFrame::kCaptureElsewhere)},
         {CommandFrame::kCaptureElsewhere}, false},
    };
    SetTable({Make(201, V | C, 'K', V | C, 'D'), Make(202, V | C, 'K', V | C, 'E'),
              Make(203, V | C, 'K', V | C | S, 'F'), Make(204, V | S, 'K', V | C, 'G')});
    HoldKeys({VK_CONTROL, VK_LCONTROL});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Flush();
        m_frame->commands.clear();
        for (const auto& queue : c.queued) {
            queue();
        }
        MSG first = KeyDown(Frame(), 'K');
        EXPECT_TRUE(m_manager->TranslateAccelerator(&first));
        EXPECT_EQ(c.commands, m_frame->commands);
        EXPECT_EQ(0, m_manager->GetDisableCount());
        EXPECT_NE(Frame(), ::GetCapture());
        MSG quit{};
        const bool quitWaiting = ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        EXPECT_EQ(c.quitReposted, quitWaiting);
        if (quitWaiting) {
            EXPECT_EQ(7u, quit.wParam);
        }
        ::ReleaseCapture();
    }
}

TEST_F(ShortcutTranslate, ChordPromptOnTheStatusBar)
{
    CStatusBar status;
    ASSERT_TRUE(status.Create(m_frame));
    m_frame->status = &status;
    SetTable({Make(201, V | C, 'K', V | C, 'D')});
    HoldKeys({VK_CONTROL, VK_LCONTROL});
    // Read while the wait runs (a command ends the wait).
    ::PostMessageW(Frame(), WM_COMMAND, CommandFrame::kReadStatus, 0);
    MSG first = KeyDown(Frame(), 'K');
    EXPECT_TRUE(m_manager->TranslateAccelerator(&first));
    EXPECT_EQ(CString(L"Waiting for the second key of Ctrl+K..."), m_frame->statusText);
    CString after;
    status.GetWindowText(after);
    EXPECT_TRUE(after.IsEmpty()) << "the prompt is taken away after the wait";
    m_frame->status = nullptr;
    status.DestroyWindow();
}

TEST_F(ShortcutTranslate, SingleKeystrokeEarlierInTheTableWins)
{
    SetTable({Make(300, V | C, 'K'), Make(301, V | C, 'K', V | C, 'D')});
    ::PostMessageW(Frame(), WM_KEYDOWN, 'D', 0);
    HoldKeys({VK_CONTROL, VK_LCONTROL});
    MSG first = KeyDown(Frame(), 'K');
    EXPECT_TRUE(m_manager->TranslateAccelerator(&first));
    EXPECT_EQ(std::vector<UINT>{300}, m_frame->commands);
    MSG pending{};
    EXPECT_TRUE(::PeekMessageW(&pending, Frame(), WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE))
        << "no wait took the next key";
}

TEST_F(ShortcutTranslate, TextsFromTheFramesAcceleratorsWhenTheTableIsEmpty)
{
    ACCEL accels[] = {{static_cast<BYTE>(V | C), 'R', 700}, {V, VK_F5, 700},
                      {static_cast<BYTE>(V | FALT), 'Q', 701}};
    m_frame->m_hAccelTable = ::CreateAcceleratorTableW(accels, 3);
    CString text;
    EXPECT_TRUE(m_manager->GetShortcut(700, text));
    EXPECT_EQ(CString(L"F5"), text);
    EXPECT_TRUE(m_manager->GetShortcut(701, text));
    EXPECT_EQ(CString(L"Alt+Q"), text);
    EXPECT_FALSE(m_manager->GetShortcut(702, text));
    EXPECT_TRUE(text.IsEmpty());
    // A table of its own answers instead of the frame.
    SetTable({Make(700, V | S, 'R')});
    EXPECT_TRUE(m_manager->GetShortcut(700, text));
    EXPECT_EQ(CString(L"Shift+R"), text);
    ::DestroyAcceleratorTable(m_frame->m_hAccelTable);
    m_frame->m_hAccelTable = nullptr;
}

} // namespace
