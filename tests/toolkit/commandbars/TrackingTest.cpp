// Tracking and keyboard navigation with real keys: the thread's keyboard hook sees only real
// input, so keys are typed with SendInput into an active window of this process. Covers the
// arrow table on horizontal and vertical bars in both reading orders, Home and End, Escape one
// level, Return, duplicate mnemonics, keys kept from a focused edit, Alt, auto-repeat and
// deactivation, hover and keyboard-cue settings.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/toolkit/commandbars/CommandBarTestBar.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKCommandBarsOptions.h"
#include "toolkit/commandbars/CUTKKeyboardManager.h"
#include "toolkit/commandbars/CUTKMouseManager.h"

using bartest::TestBar;

namespace {

// Dispatches what arrives until the queue has stayed empty for a few rounds.
void Settle()
{
    for (int quiet = 0, rounds = 0; quiet < 5 && rounds < 400; ++rounds) {
        MSG msg;
        if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
            quiet = 0;
        } else {
            ++quiet;
            ::Sleep(5);
        }
    }
}

BOOL IsExtendedKey(WORD vk)
{
    switch (vk) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_HOME: case VK_END:
        return TRUE;
    default:
        return FALSE;
    }
}

void KeyEvent(WORD vk, bool up)
{
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    ::SendInput(1, &in, sizeof(in));
    Settle();
}

void Press(WORD vk)
{
    KeyEvent(vk, false);
    KeyEvent(vk, true);
}

// Saves a system setting of SystemParametersInfo and puts it back at the end of the test.
class SpiSetting {
public:
    SpiSetting(UINT get, UINT set, BOOL value) : m_set(set)
    {
        ::SystemParametersInfoW(get, 0, &m_saved, 0);
        ::SystemParametersInfoW(set, 0, reinterpret_cast<void*>(static_cast<INT_PTR>(value)), 0);
    }
    ~SpiSetting() { ::SystemParametersInfoW(m_set, 0, reinterpret_cast<void*>(static_cast<INT_PTR>(m_saved)), 0); }
    SpiSetting(const SpiSetting&) = delete;
    SpiSetting& operator=(const SpiSetting&) = delete;

private:
    UINT m_set;
    BOOL m_saved = FALSE;
};

// An active site window with one bar of four buttons owned by it; menu animation and fade off
// while the test runs so that nothing depends on timing.
struct Tracking : ::testing::Test {
    SpiSetting animation{SPI_GETMENUANIMATION, SPI_SETMENUANIMATION, FALSE};
    SpiSetting fade{SPI_GETMENUFADE, SPI_SETMENUFADE, FALSE};
    bartest::Site site;
    TestBar* bar = new TestBar();

    void Make(int position, int type, BOOL rtl, std::vector<const wchar_t*> captions = {L"&Open", L"&Play", L"&Stop", L"E&xit"})
    {
        bar->SetPosition(position);
        bar->SetType(type);
        ASSERT_TRUE(bartest::CreateBarWindow(bar, site.m_window, CRect(100, 100, 300, 200),
                                             rtl ? WS_EX_LAYOUTRTL : 0));
        bar->AddButtons(captions, 101, bartest::TestBar::IsVerticalPosition(position));
        Activate();
    }
    void Activate()
    {
        ::SetForegroundWindow(site.m_window);
        ::SetActiveWindow(site.m_window);
        ::SetFocus(site.m_window);
        Settle();
    }
    void TearDown() override
    {
        if (bar->GetTrackingMode() != 0)
            bar->SetTrackingMode(0, TRUE, FALSE);
        bar->DestroyWindow();
        bar->InternalRelease();
        Settle();
    }
};

} // namespace

TEST_F(Tracking, EnteringAndLeavingRegistersWithTheThreadManagers)
{
    Make(utkBarTop, utkBarTypeNormal, FALSE);
    CUTKKeyboardManager* keys = GetThreadKeyboardManager();
    CUTKMouseManager* mouse = GetThreadMouseManager();
    EXPECT_TRUE(bar->SetTrackingMode(1, TRUE, TRUE));
    EXPECT_EQ(bar->GetSelectedIndex(), 0) << "select first";
    EXPECT_TRUE(keys->IsKeyboardHooked());
    EXPECT_TRUE(mouse->IsTracked(bar));
    EXPECT_FALSE(bar->IsEnteredByMouse());
    EXPECT_FALSE(bar->SetTrackingMode(2, FALSE, FALSE)) << "already tracking: only stored";
    EXPECT_EQ(bar->GetTrackingMode(), 2);
    EXPECT_TRUE(bar->SetTrackingMode(0, TRUE, FALSE));
    EXPECT_EQ(bar->GetSelectedIndex(), -1);
    EXPECT_FALSE(keys->IsKeyboardHooked()) << "the hook exists only while a sink does";
    EXPECT_FALSE(mouse->IsTracked(bar));
    EXPECT_FALSE(bar->SetTrackingMode(0, TRUE, FALSE));
    EXPECT_TRUE(bar->SetTrackingMode(1, FALSE, FALSE));
    EXPECT_TRUE(bar->IsEnteredByMouse());
    EXPECT_EQ(bar->GetSelectedIndex(), -1);
}

TEST_F(Tracking, SetSelectedTwiceChangesNothingAndStartsTheHoverTimerForTheMouseOnly)
{
    Make(utkBarTop, utkBarTypeNormal, FALSE);
    EXPECT_TRUE(bar->SetSelected(1, utkSelectKeyboardPrev));
    EXPECT_EQ(bar->GetControl(1)->GetSelected(), 3);
    EXPECT_FALSE(bar->SetSelected(1, utkSelectMouse));
    EXPECT_EQ(bar->GetKeyboardSelection(), utkSelectKeyboardPrev) << "nothing changed";
    EXPECT_TRUE(bar->SetSelected(2, utkSelectMouse));
    EXPECT_EQ(bar->GetControl(1)->GetSelected(), 0);
    EXPECT_EQ(bar->GetControl(2)->GetSelected(), 1);
    EXPECT_EQ(GetThreadMouseManager()->GetSelected(), bar);
    EXPECT_FALSE(bar->SetSelected(9, utkSelectMouse)) << "no such control";
    EXPECT_EQ(bar->GetSelectedIndex(), -1);
}

namespace {

struct ArrowCase {
    int position;
    BOOL rtl;
    WORD key;
    int from;
    int want;
};

class ArrowKeys : public Tracking, public ::testing::WithParamInterface<ArrowCase> {};

} // namespace

TEST_P(ArrowKeys, MoveTheHotControl)
{
    const ArrowCase& c = GetParam();
    Make(c.position, utkBarTypeNormal, c.rtl);
    ASSERT_TRUE(bar->SetTrackingMode(1, FALSE, TRUE));
    bar->SetSelected(c.from, utkSelectKeyboard);
    Press(c.key);
    EXPECT_EQ(bar->GetSelectedIndex(), c.want);
    EXPECT_NE(bar->GetTrackingMode(), 0);
    ASSERT_FALSE(site.m_keys.empty()) << "the site hears of every key";
    EXPECT_EQ(site.m_keys.back(), c.key);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ArrowKeys,
    ::testing::Values(
        // Horizontal, left to right: Left and Right move; Up and Down open nothing here.
        ArrowCase{utkBarTop, FALSE, VK_RIGHT, 0, 1}, ArrowCase{utkBarTop, FALSE, VK_LEFT, 1, 0},
        ArrowCase{utkBarTop, FALSE, VK_LEFT, 0, 3}, ArrowCase{utkBarTop, FALSE, VK_RIGHT, 3, 0},
        ArrowCase{utkBarTop, FALSE, VK_DOWN, 1, 1}, ArrowCase{utkBarTop, FALSE, VK_UP, 1, 1},
        // Horizontal, right to left: the arrows swap.
        ArrowCase{utkBarTop, TRUE, VK_RIGHT, 1, 0}, ArrowCase{utkBarTop, TRUE, VK_LEFT, 1, 2},
        // Vertical: Up and Down move, Left and Right open or close popups.
        ArrowCase{utkBarLeft, FALSE, VK_DOWN, 0, 1}, ArrowCase{utkBarLeft, FALSE, VK_UP, 0, 3},
        ArrowCase{utkBarLeft, FALSE, VK_RIGHT, 1, 1}, ArrowCase{utkBarLeft, FALSE, VK_LEFT, 1, 1},
        ArrowCase{utkBarRight, TRUE, VK_DOWN, 2, 3}, ArrowCase{utkBarRight, TRUE, VK_LEFT, 2, 2},
        // Home and End everywhere.
        ArrowCase{utkBarTop, FALSE, VK_END, 1, 3}, ArrowCase{utkBarTop, FALSE, VK_HOME, 2, 0},
        ArrowCase{utkBarLeft, TRUE, VK_END, 0, 3}, ArrowCase{utkBarLeft, TRUE, VK_HOME, 3, 0}));

TEST_F(Tracking, HiddenControlsAreSkipped)
{
    Make(utkBarTop, utkBarTypeNormal, FALSE);
    bar->GetControl(1)->SetVisible(FALSE);
    ASSERT_TRUE(bar->SetTrackingMode(1, TRUE, TRUE));
    Press(VK_RIGHT);
    EXPECT_EQ(bar->GetSelectedIndex(), 2);
}

TEST_F(Tracking, EscapeLeavesOneLevel)
{
    Make(utkBarTop, utkBarTypeNormal, FALSE);
    TestBar* child = new TestBar();
    child->m_parentBar = bar;
    child->SetPosition(utkBarPopup);
    child->SetType(utkBarTypePopup);
    ASSERT_TRUE(bartest::CreateBarWindow(child, site.m_window, CRect(100, 130, 200, 230)));
    child->AddButtons({L"&New", L"&Close"}, 201, TRUE);
    Activate();
    ASSERT_TRUE(bar->SetTrackingMode(2, TRUE, TRUE));
    ASSERT_TRUE(child->SetTrackingMode(1, TRUE, TRUE));
    Press(VK_ESCAPE);
    EXPECT_EQ(child->GetTrackingMode(), 0);
    EXPECT_EQ(child->GetSelectedIndex(), -1);
    EXPECT_EQ(bar->GetTrackingMode(), 1) << "the parent tracks on";
    Press(VK_ESCAPE);
    EXPECT_EQ(bar->GetTrackingMode(), 0);
    child->DestroyWindow();
    child->InternalRelease();
}

TEST_F(Tracking, ReturnExecutesTheHotControl)
{
    Make(utkBarTop, utkBarTypeNormal, FALSE);
    ASSERT_TRUE(bar->SetTrackingMode(1, TRUE, TRUE));
    Press(VK_RIGHT);
    Press(VK_RETURN);
    ASSERT_EQ(site.m_commands.size(), 1u);
    EXPECT_EQ(site.m_commands[0], 102);
}

TEST_F(Tracking, SameMnemonicSelectsWithoutExecutingAndMovesOn)
{
    Make(utkBarTop, utkBarTypeNormal, FALSE, {L"&File", L"&View", L"&Format", L"&Help"});
    ASSERT_TRUE(bar->SetTrackingMode(1, FALSE, TRUE));
    Press('F');
    EXPECT_EQ(bar->GetSelectedIndex(), 0);
    EXPECT_TRUE(site.m_commands.empty());
    Press('F');
    EXPECT_EQ(bar->GetSelectedIndex(), 2);
    EXPECT_TRUE(site.m_commands.empty());
    Press('F');
    EXPECT_EQ(bar->GetSelectedIndex(), 0);
    // A unique mnemonic executes.
    Press('V');
    ASSERT_EQ(site.m_commands.size(), 1u);
    EXPECT_EQ(site.m_commands[0], 102);
}

TEST_F(Tracking, NoLetterReachesAFocusedEditWhileTracking)
{
    Make(utkBarTop, utkBarTypeNormal, FALSE);
    HWND edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 250, 200, 24,
                                  site.m_window, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SetFocus(edit);
    Settle();
    Press('Q');
    wchar_t text[32] = {};
    ::GetWindowTextW(edit, text, 32);
    EXPECT_STREQ(text, L"q") << "without tracking the edit types";
    ::SetWindowTextW(edit, L"");
    ASSERT_TRUE(bar->SetTrackingMode(1, TRUE, TRUE));
    Press('Q');
    Press('O');
    ::GetWindowTextW(edit, text, 32);
    EXPECT_STREQ(text, L"");
    ASSERT_EQ(site.m_commands.size(), 1u);
    EXPECT_EQ(site.m_commands[0], 101) << "'O' chose Open";
    ::DestroyWindow(edit);
}

TEST_F(Tracking, AltClosesEverythingButItsAutoRepeatDoesNot)
{
    Make(utkBarTop, utkBarTypeNormal, FALSE);
    ASSERT_TRUE(bar->SetTrackingMode(1, TRUE, TRUE));
    Press(VK_MENU);
    EXPECT_EQ(bar->GetTrackingMode(), 0);

    KeyEvent(VK_MENU, false);              // Alt held down...
    ASSERT_TRUE(bar->SetTrackingMode(1, TRUE, TRUE));
    KeyEvent(VK_MENU, false);              // ...repeats
    EXPECT_EQ(bar->GetTrackingMode(), 1);
    KeyEvent(VK_MENU, true);
}

TEST_F(Tracking, DeactivationClosesAndTrackLostLeaves)
{
    Make(utkBarTop, utkBarTypeNormal, FALSE);
    ASSERT_TRUE(bar->SetTrackingMode(1, TRUE, TRUE));
    ::SendMessageW(site.m_window, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(bar->GetTrackingMode(), 0);
    EXPECT_FALSE(GetThreadMouseManager()->IsTracked(bar));
}

TEST_F(Tracking, KeysDuringTheTrackLockAreEaten)
{
    Make(utkBarTop, utkBarTypeNormal, FALSE);
    ASSERT_TRUE(bar->SetTrackingMode(1, TRUE, TRUE));
    bar->AddTrackLock(1);
    Press(VK_RIGHT);
    EXPECT_EQ(bar->GetSelectedIndex(), 0);
    EXPECT_TRUE(site.m_keys.empty()) << "locked: the site hears nothing either";
    bar->AddTrackLock(-1);
    Press(VK_RIGHT);
    EXPECT_EQ(bar->GetSelectedIndex(), 1);
}

TEST_F(Tracking, KeyboardCuesFollowTheSystemWhenAsked)
{
    Make(utkBarTop, utkBarTypeNormal, FALSE);
    EXPECT_TRUE(bar->IsKeyboardCuesVisible()) << "without command bars cues always show";
    CUTKCommandBars* owner = new CUTKCommandBars();
    bar->SetCommandBars(owner);
    {
        SpiSetting cues(SPI_GETKEYBOARDCUES, SPI_SETKEYBOARDCUES, FALSE);
        owner->GetCommandBarsOptions()->SetShowKeyboardCues(2);
        EXPECT_FALSE(bar->IsKeyboardCuesVisible());
        EXPECT_TRUE(owner->IsKeyboardCuesHiddenUntilAlt());
        owner->GetCommandBarsOptions()->SetShowKeyboardCues(0);
        EXPECT_TRUE(bar->IsKeyboardCuesVisible());
    }
    {
        SpiSetting cues(SPI_GETKEYBOARDCUES, SPI_SETKEYBOARDCUES, TRUE);
        owner->GetCommandBarsOptions()->SetShowKeyboardCues(2);
        EXPECT_TRUE(bar->IsKeyboardCuesVisible());
        owner->GetCommandBarsOptions()->SetShowKeyboardCues(1);
        EXPECT_FALSE(bar->IsKeyboardCuesVisible());
    }
    bar->SetCommandBars(nullptr);
    owner->InternalRelease();
}

TEST_F(Tracking, HoverTimerActsOnlyAfterTheLock)
{
    Make(utkBarTop, utkBarTypeNormal, FALSE);
    ASSERT_TRUE(bar->SetSelected(1, utkSelectMouse));
    bar->AddTrackLock(1);
    // An expiry while locked does nothing and keeps the timer.
    ::SendMessageW(bar->GetSafeHwnd(), WM_TIMER, CUTKCommandBar::kHoverTimerId, 0);
    EXPECT_TRUE(::KillTimer(bar->GetSafeHwnd(), CUTKCommandBar::kHoverTimerId)) << "still running";
    bar->AddTrackLock(-1);
}

namespace {

// Moves the real pointer (absolute, in screen pixels) and presses or releases the left button.
INPUT MouseInput(int x, int y, DWORD buttons)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = static_cast<LONG>((x * 65535 + ::GetSystemMetrics(SM_CXSCREEN) / 2) / (::GetSystemMetrics(SM_CXSCREEN) - 1));
    in.mi.dy = static_cast<LONG>((y * 65535 + ::GetSystemMetrics(SM_CYSCREEN) / 2) / (::GetSystemMetrics(SM_CYSCREEN) - 1));
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
    return in;
}

void MouseTo(int x, int y)
{
    INPUT in = MouseInput(x, y, 0);
    ::SendInput(1, &in, sizeof(in));
    Settle();
}

// Press and release go in together: the press starts a modal loop that reads the release.
void ClickAt(int x, int y)
{
    INPUT in[2] = {MouseInput(x, y, MOUSEEVENTF_LEFTDOWN), MouseInput(x, y, MOUSEEVENTF_LEFTUP)};
    ::SendInput(2, in, sizeof(INPUT));
    Settle();
}

// Pumps until the condition holds, for at most about two seconds.
template <class F>
bool PumpUntil(F condition)
{
    for (int i = 0; i < 200 && !condition(); ++i) {
        Settle();
        ::Sleep(10);
    }
    return condition();
}

struct MouseTracking : ::testing::Test {
    bartest::Site site;
    TestBar* bar = new TestBar();
    POINT origin{0, 0};
    void SetUp() override
    {
        bar->SetPosition(utkBarTop);
        ASSERT_TRUE(bar->CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW)), L"bar",
                                  WS_CHILD | WS_VISIBLE, 10, 10, 200, 30, site.m_window, nullptr));
        bar->AddButtons({L"&Open", L"&Play", L"&Stop"}, 101);
        ::SetForegroundWindow(site.m_window);
        ::SetActiveWindow(site.m_window);
        Settle();
        ::ClientToScreen(bar->GetSafeHwnd(), &origin);
    }
    void TearDown() override
    {
        MouseTo(5, 5);
        bar->DestroyWindow();
        bar->InternalRelease();
        Settle();
    }
};

} // namespace

TEST_F(MouseTracking, MovesHotTrackAndLeavingClears)
{
    MouseTo(origin.x + 60, origin.y + 10);
    ASSERT_TRUE(PumpUntil([&] { return bar->GetSelectedIndex() == 1; }));
    EXPECT_EQ(bar->GetControl(1)->GetSelected(), 1) << "hot by the mouse";
    EXPECT_EQ(bar->GetKeyboardSelection(), utkSelectMouse);
    MouseTo(origin.x + 20, origin.y + 10);
    EXPECT_TRUE(PumpUntil([&] { return bar->GetSelectedIndex() == 0; }));
    MouseTo(origin.x + 20, origin.y + 150);
    EXPECT_TRUE(PumpUntil([&] { return bar->GetSelectedIndex() == -1; })) << "the mouse left the bar";
}

TEST_F(MouseTracking, ClickExecutesOnce)
{
    MouseTo(origin.x + 100, origin.y + 10);
    ClickAt(origin.x + 100, origin.y + 10);
    ASSERT_TRUE(PumpUntil([&] { return !site.m_commands.empty(); }));
    Settle();
    ASSERT_EQ(site.m_commands.size(), 1u);
    EXPECT_EQ(site.m_commands[0], 103);
}

TEST_F(MouseTracking, TrackLockedBarsDoNotHotTrack)
{
    GetThreadMouseManager()->LockTracking();
    MouseTo(origin.x + 60, origin.y + 10);
    Settle();
    EXPECT_EQ(bar->GetSelectedIndex(), -1);
    GetThreadMouseManager()->UnlockTracking();
    bar->SetTrackLockExempt(TRUE);
    GetThreadMouseManager()->LockTracking();
    MouseTo(origin.x + 65, origin.y + 12);
    EXPECT_TRUE(PumpUntil([&] { return bar->GetSelectedIndex() == 1; })) << "an exempt bar still does";
    GetThreadMouseManager()->UnlockTracking();
}

TEST_F(Tracking, CtrlTabMovesTrackingToTheNextBarAndTabAloneMovesTheHotControl)
{
    Make(utkBarTop, utkBarTypeNormal, FALSE);
    CUTKCommandBars* owner = new CUTKCommandBars();
    TestBar* second = new TestBar();
    second->SetPosition(utkBarTop);
    ASSERT_TRUE(bartest::CreateBarWindow(second, site.m_window, CRect(100, 220, 300, 250)));
    second->AddButtons({L"&Back", L"&Next"}, 301);
    Activate();
    bar->SetCommandBars(owner);
    second->SetCommandBars(owner);
    owner->Add(bar);
    ASSERT_TRUE(bar->SetTrackingMode(1, TRUE, TRUE));
    Press(VK_TAB);
    EXPECT_EQ(bar->GetSelectedIndex(), 1) << "Tab alone: the next control";
    // With a single bar Ctrl+Tab falls back to the next control.
    KeyEvent(VK_CONTROL, false);
    Press(VK_TAB);
    KeyEvent(VK_CONTROL, true);
    EXPECT_EQ(bar->GetSelectedIndex(), 2);
    owner->Add(second);
    KeyEvent(VK_CONTROL, false);
    Press(VK_TAB);
    KeyEvent(VK_CONTROL, true);
    EXPECT_EQ(bar->GetTrackingMode(), 0);
    EXPECT_EQ(second->GetTrackingMode(), 1);
    EXPECT_EQ(second->GetSelectedIndex(), 0);
    second->SetTrackingMode(0, TRUE, FALSE);
    owner->RemoveAll();
    bar->SetCommandBars(nullptr);
    second->DestroyWindow();
    second->InternalRelease();
    owner->InternalRelease();
}
