// The menu bar on a host frame with real input (SendInput) under Xvfb: the frame's menu taken
// away and given back, a click on "View" opening its popup below, hover moving the hot item and
// opening "Video" after the hover delay, a click on an item sending its command once and
// closing, a click outside closing and one on a trusted window not.
#include "tests/toolkit/commandbars/BarsHostFrame.h"

#include <gtest/gtest.h>

#include "platform/framework/frame/CMDIFrameWnd.h"
#include "player/core/PlayerResource.h"
#include "toolkit/commandbars/CUTKMenuBarMDIMenus.h"
#include "toolkit/commandbars/CUTKMouseManager.h"
#include "toolkit/commandbars/CUTKPopupBar.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControlPopup.h"
#include "toolkit/controls/CUTKControls.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// Pumps until the condition holds; FALSE when it does not within the limit (a failure limit,
// not a measurement).
BOOL WaitFor(const std::function<bool()>& done, DWORD limitMs = 3000)
{
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > limitMs) {
            return FALSE;
        }
        CBarsHostFrame::Pump();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return TRUE;
}

void Settle()
{
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < 100) {
        CBarsHostFrame::Pump();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void MoveTo(POINT pt)
{
    ::SetCursorPos(pt.x, pt.y);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = pt.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = pt.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(INPUT));
}

void Click(POINT pt)
{
    MoveTo(pt);
    Settle();
    INPUT input[2] = {};
    input[0].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].type = INPUT_MOUSE;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &input[0], sizeof(INPUT));
    Settle();
    ::SendInput(1, &input[1], sizeof(INPUT));
    Settle();
}

CRect ScreenRect(CUTKControl* control)
{
    CRect rc = control->GetRect();
    control->GetParent()->ClientToScreen(&rc);
    return rc;
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

class MenuBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MoveTo(POINT{900, 900});
        host = std::make_unique<CBarsHostFrame>();
        ASSERT_TRUE(host->CreateHost(RECT{60, 60, 660, 420}, TRUE, TRUE));
        host->ShowWindow(SW_SHOW);
        host->SetForegroundWindow();
        host->UpdateWindow();
        Settle();
        menuBar = host->m_pMenuBar;
        ASSERT_GE(menuBar->GetControlCount(), 6);
        view = menuBar->GetControl(1);
        play = menuBar->GetControl(2);
        ASSERT_EQ(view->GetCaption(), CString(L"&View"));
    }
    void TearDown() override
    {
        MoveTo(POINT{900, 900});
        if (menuBar != nullptr && menuBar->GetTrackingMode() != 0) {
            menuBar->SetTrackingMode(FALSE, TRUE, FALSE);
        }
        if (host && host->GetSafeHwnd() != nullptr) {
            host->DestroyWindow();
        }
        Settle();
        host.reset();
    }
    void OpenView()
    {
        Click(ScreenRect(view).CenterPoint());
        ASSERT_TRUE(WaitFor([&] { return Shown(PopupOf(view)) == TRUE; }));
    }

    std::unique_ptr<CBarsHostFrame> host;
    CUTKMenuBar* menuBar = nullptr;
    CUTKControl* view = nullptr;
    CUTKControl* play = nullptr;
};

TEST(MenuBarFrame, TheFramesMenuIsGoneAndBackWhenTheBarIsDestroyed)
{
    CBarsHostFrame host;
    ASSERT_TRUE(host.CreateHost(RECT{60, 60, 500, 300}, TRUE, FALSE));
    ASSERT_NE(host.m_hMenuAtStart, nullptr);
    EXPECT_EQ(::GetMenu(host.GetSafeHwnd()), nullptr);
    EXPECT_EQ(host.m_pMenuBar->GetSavedFrameMenu(), host.m_hMenuAtStart);
    EXPECT_EQ(host.m_pMenuBar->GetDefaultMenuID(), 128u);
    EXPECT_EQ(host.m_pMenuBar->GetControlCount(), 6);
    host.m_pMenuBar->DestroyWindow();
    EXPECT_EQ(::GetMenu(host.GetSafeHwnd()), host.m_hMenuAtStart);
    EXPECT_EQ(host.m_pMenuBar->GetSavedFrameMenu(), nullptr);
    host.DestroyWindow();
}

TEST(MenuBarFrame, TheFramesDestroyGivesTheMenuBackSoItGoesWithTheFrame)
{
    CBarsHostFrame host;
    ASSERT_TRUE(host.CreateHost(RECT{60, 60, 500, 300}, TRUE, FALSE));
    const HMENU saved = host.m_pMenuBar->GetSavedFrameMenu();
    ASSERT_TRUE(::IsMenu(saved));
    host.DestroyWindow();
    // Given back at the frame's WM_DESTROY, the menu was destroyed with its window; a menu
    // kept away would still exist.
    EXPECT_FALSE(::IsMenu(saved));
}

TEST(MenuBarFrame, AltOrF10EntersKeyboardTracking)
{
    CBarsHostFrame host;
    ASSERT_TRUE(host.CreateHost(RECT{60, 60, 500, 300}, TRUE, FALSE));
    host.ShowWindow(SW_SHOWNA);
    CUTKMenuBar* bar = host.m_pMenuBar;
    EXPECT_EQ(host.SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 0), 0);
    EXPECT_EQ(bar->GetTrackingMode(), 1);
    EXPECT_EQ(bar->GetSelectedIndex(), 0);
    EXPECT_NE(bar->GetKeyboardSelection(), 0);
    bar->SetTrackingMode(FALSE, TRUE, FALSE);
    host.DestroyWindow();
}

// A multiple-document frame with a real MDI client: the maximised child's buttons.
class MdiChildButtons : public ::testing::Test {
protected:
    static LRESULT CALLBACK ChildProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        return ::DefMDIChildProcW(hwnd, message, wParam, lParam);
    }
    void SetUp() override
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ChildProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
        wc.lpszClassName = L"OrvaneBarsMdiChild";
        ::RegisterClassW(&wc);
        frame = new CMDIFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, L"MDI host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                  CRect(60, 60, 600, 400), nullptr, MAKEINTRESOURCEW(128)));
        CLIENTCREATESTRUCT ccs{nullptr, 0xFF00};
        client = ::CreateWindowExW(0, L"MDICLIENT", nullptr,
                                   WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE | MDIS_ALLCHILDSTYLES,
                                   0, 40, 500, 300,
                                   frame->GetSafeHwnd(), reinterpret_cast<HMENU>(0xE900),
                                   ::GetModuleHandleW(nullptr), &ccs);
        ASSERT_NE(client, nullptr);
        frame->m_hWndMDIClient = client;
        bar = new CUTKMenuBar;
        bar->SetBarPosition(utkBarTop);
        ASSERT_TRUE(bar->Create(frame, FALSE));
        ASSERT_TRUE(bar->LoadMenu(128));
        frame->ShowWindow(SW_SHOWNA);
        CBarsHostFrame::Pump();
    }
    void TearDown() override
    {
        frame->DestroyWindow();  // the frame deletes itself
        CBarsHostFrame::Pump();
        bar->InternalRelease();
    }
    // The client keeps the styles given (MDIS_ALLCHILDSTYLES), so a child may lack the boxes.
    HWND NewChild(DWORD style)
    {
        MDICREATESTRUCTW mcs = {};
        mcs.szClass = L"OrvaneBarsMdiChild";
        mcs.szTitle = L"child";
        mcs.hOwner = ::GetModuleHandleW(nullptr);
        mcs.x = mcs.y = 0;
        mcs.cx = 200;
        mcs.cy = 150;
        mcs.style = style | WS_VISIBLE;
        return reinterpret_cast<HWND>(::SendMessageW(client, WM_MDICREATE, 0,
                                                     reinterpret_cast<LPARAM>(&mcs)));
    }
    std::vector<int> SysIds() const
    {
        std::vector<int> ids;
        for (int i = 0; i < bar->GetControlCount(); ++i) {
            const int id = bar->GetControl(i)->GetID();
            if (id >= CUTKMenuBar::kCloseButtonId && id <= CUTKMenuBar::kSysMenuId) {
                ids.push_back(id);
            }
        }
        return ids;
    }
    CMDIFrameWnd* frame = nullptr;
    HWND client = nullptr;
    CUTKMenuBar* bar = nullptr;
};

TEST_F(MdiChildButtons, SysMenuOnlyChildShowsCloseAndRestoringRemovesThem)
{
    EXPECT_TRUE(bar->IsMDIFrame());
    HWND child = NewChild(WS_CAPTION | WS_SYSMENU | WS_MAXIMIZE);
    ASSERT_NE(child, nullptr);
    CBarsHostFrame::Pump();  // the hook's posted refresh
    BOOL maximised = FALSE;
    EXPECT_EQ(bar->GetActiveMDIChild(&maximised), child);
    EXPECT_TRUE(maximised);
    EXPECT_EQ(SysIds(), std::vector<int>{CUTKMenuBar::kCloseButtonId});
    ::SendMessageW(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
    CBarsHostFrame::Pump();
    EXPECT_TRUE(SysIds().empty());
}

TEST_F(MdiChildButtons, FullChildShowsThreeButtonsAndTheIconOnlyWithItsFlag)
{
    HWND child = NewChild(WS_OVERLAPPEDWINDOW | WS_MAXIMIZE);
    ASSERT_NE(child, nullptr);
    CBarsHostFrame::Pump();
    EXPECT_EQ(SysIds(), (std::vector<int>{CUTKMenuBar::kMinimizeButtonId,
                                          CUTKMenuBar::kRestoreButtonId,
                                          CUTKMenuBar::kCloseButtonId}));
    bar->ModifyFlags(CUTKMenuBar::kFlagShowSysMenu, 0);
    bar->RefreshMenu();
    ASSERT_FALSE(SysIds().empty());
    EXPECT_EQ(bar->GetControl(0)->GetID(), CUTKMenuBar::kSysMenuId);
    // Its popup holds the child's system menu as controls.
    auto* sysMenu = DYNAMIC_DOWNCAST(CUTKControlPopup, bar->GetControl(0));
    ASSERT_NE(sysMenu, nullptr);
    ASSERT_NE(sysMenu->m_commandBar, nullptr);
    EXPECT_NE(sysMenu->m_commandBar->GetControls()->FindControlById(SC_CLOSE), nullptr);
}

TEST_F(MdiChildButtons, WithoutCustomisationSwitchingReloadsAndKeepsNoSets)
{
    CMenu other;
    ASSERT_TRUE(other.CreatePopupMenu());
    other.AppendMenu(MF_STRING, 40100, L"&Alpha");
    other.AppendMenu(MF_STRING, 40101, L"&Beta");
    bar->SwitchMDIMenu(0, &other);  // id 0: nothing
    EXPECT_EQ(bar->GetCurrentMenuID(), 128u);
    bar->SwitchMDIMenu(300, &other);
    EXPECT_EQ(bar->GetCurrentMenuID(), 300u);
    EXPECT_EQ(bar->GetControlCount(), 2);
    EXPECT_EQ(bar->GetMDIMenus()->GetCount(), 0);
    // WM_MDISETMENU with no menu: the frame's own menu, that is the default id.
    ::SendMessageW(frame->GetSafeHwnd(), WM_MDISETMENU, 0, 0);
    CBarsHostFrame::Pump();
    EXPECT_EQ(bar->GetCurrentMenuID(), 128u);
    EXPECT_EQ(bar->GetControlCount(), 6);
    EXPECT_EQ(::GetMenu(frame->GetSafeHwnd()), nullptr);
}

TEST_F(MenuBarTest, ClickOnViewOpensItsPopupBelow)
{
    OpenView();
    CUTKPopupBar* popup = PopupOf(view);
    CRect popupRect;
    popup->GetWindowRect(&popupRect);
    const CRect control = ScreenRect(view);
    EXPECT_NEAR(popupRect.top, control.bottom, 2);
    EXPECT_NEAR(popupRect.left, control.left, 2);
    EXPECT_EQ(popup->GetPopupFlags() & CUTKPopupBar::kFlagBelow, CUTKPopupBar::kFlagBelow);
    EXPECT_EQ(menuBar->GetPopupedIndex(), 1);
    EXPECT_TRUE(host->m_commands.empty());
}

TEST_F(MenuBarTest, HoverMovesTheHotItemAndOpensVideoAfterTheDelay)
{
    OpenView();
    // Along the bar: the open popup follows the hot item.
    MoveTo(ScreenRect(play).CenterPoint());
    ASSERT_TRUE(WaitFor([&] { return Shown(PopupOf(play)) == TRUE; }));
    EXPECT_EQ(menuBar->GetSelectedIndex(), 2);
    EXPECT_FALSE(Shown(PopupOf(view)));
    // Back to View, then rest on "Video": its submenu opens once the hover delay has passed.
    MoveTo(ScreenRect(view).CenterPoint());
    ASSERT_TRUE(WaitFor([&] { return Shown(PopupOf(view)) == TRUE; }));
    CUTKControl* video = PopupOf(view)->GetControl(0);
    ASSERT_NE(video, nullptr);
    ASSERT_EQ(video->GetCaption(), CString(L"&Video"));
    MoveTo(ScreenRect(video).CenterPoint());
    ASSERT_TRUE(WaitFor([&] { return PopupOf(view)->GetSelectedIndex() == 0; }));
    EXPECT_FALSE(Shown(PopupOf(video)));  // not at once: after the delay
    ASSERT_TRUE(WaitFor([&] { return Shown(PopupOf(video)) == TRUE; }));
    CRect sub;
    PopupOf(video)->GetWindowRect(&sub);
    EXPECT_GE(sub.left, ScreenRect(video).right - 4);
}

TEST_F(MenuBarTest, ClickOnAnItemSendsItsCommandOnceAndCloses)
{
    OpenView();
    CUTKPopupBar* popup = PopupOf(view);
    CUTKControl* fullScreen = popup->GetControls()->FindControlById(ID_VIEW_FULLSCREEN);
    ASSERT_NE(fullScreen, nullptr);
    Click(ScreenRect(fullScreen).CenterPoint());
    ASSERT_TRUE(WaitFor([&] { return !Shown(popup); }));
    Settle();
    EXPECT_EQ(host->m_commands, std::vector<UINT>{ID_VIEW_FULLSCREEN});
    EXPECT_EQ(menuBar->GetTrackingMode(), 0);
}

TEST_F(MenuBarTest, AClickOutsideClosesAndOneOnATrustedWindowDoesNot)
{
    HWND trusted = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"trusted",
                                     WS_POPUP | WS_VISIBLE, 700, 100, 120, 80, nullptr, nullptr,
                                     ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(trusted, nullptr);
    OpenView();
    CUTKPopupBar* popup = PopupOf(view);
    GetThreadMouseManager()->AddTrustedWindow(trusted);
    Click(POINT{760, 140});
    EXPECT_TRUE(Shown(popup));
    GetThreadMouseManager()->RemoveTrustedWindow(trusted);
    CRect client;
    host->GetClientRect(&client);
    host->ClientToScreen(&client);
    Click(POINT{client.right - 40, client.bottom - 40});
    EXPECT_TRUE(WaitFor([&] { return !Shown(popup); }));
    EXPECT_TRUE(host->m_commands.empty());
    ::DestroyWindow(trusted);
}

} // namespace
