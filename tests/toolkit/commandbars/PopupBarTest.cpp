// Popup bars on the host frame: opening at a point (placement, window kind, the site's opening
// and closing notices, the object kept for the next opening), the bottom-right corner, a list
// too tall for the screen that scrolls, a parent bar without a window, shadows by their
// windows, a hot item by WM_PRINTCLIENT, and the animation kind chosen from the options.
#include "tests/toolkit/commandbars/BarsHostFrame.h"

#include <gtest/gtest.h>

#include "tests/toolkit/common/DrawCanvas.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKCommandBarsOptions.h"
#include "toolkit/commandbars/CUTKMouseManager.h"
#include "toolkit/commandbars/CUTKPopupBar.h"
#include "toolkit/common/CUTKShadowManager.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControlPopup.h"
#include "toolkit/controls/CUTKControls.h"
#include "toolkit/themes/CUTKPaintManager.h"

#include <memory>
#include <string>

using orvane::test::DrawCanvas;

namespace {

class PopupBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host = std::make_unique<CBarsHostFrame>();
        ASSERT_TRUE(host->CreateHost(RECT{40, 40, 440, 300}, FALSE, FALSE));
        host->ShowWindow(SW_SHOWNA);
        popup = CUTKPopupBar::CreatePopupBar(nullptr);
        popup->SetOwnerWindow(host.get());
    }
    void TearDown() override
    {
        if (popup->GetTrackingMode() != 0) {
            popup->SetTrackingMode(FALSE, TRUE, FALSE);
        }
        popup->InternalRelease();
        host->DestroyWindow();
        CBarsHostFrame::Pump();
        host.reset();
    }
    void AddItems(int count)
    {
        for (int i = 0; i < count; ++i) {
            CUTKControl* control = popup->GetControls()->Add(1, 1000 + i, L"", -1, FALSE);
            ASSERT_NE(control, nullptr);
            control->SetCaption((L"Item number " + std::to_wstring(i + 1)).c_str());
        }
    }
    static RECT WorkArea(POINT pt)
    {
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        ::GetMonitorInfoW(::MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST), &info);
        return info.rcWork;
    }
    std::unique_ptr<CBarsHostFrame> host;
    CUTKPopupBar* popup = nullptr;
};

TEST_F(PopupBarTest, PointPopupOpensAtThePointAndClosesKeepingTheObject)
{
    AddItems(5);
    ASSERT_TRUE(popup->PopupAt(200, 150));
    EXPECT_EQ(host->m_popupsOpening, 1);
    CRect rc;
    popup->GetWindowRect(&rc);
    EXPECT_EQ(rc.TopLeft(), CPoint(200, 150));
    EXPECT_GT(rc.Height(), 5 * 10);
    EXPECT_TRUE(popup->IsVisible());
    EXPECT_NE(popup->GetExStyle() & WS_EX_TOOLWINDOW, 0u);
    EXPECT_NE(popup->GetExStyle() & WS_EX_TOPMOST, 0u);
    EXPECT_NE(popup->GetStyle() & WS_POPUP, 0u);
    EXPECT_EQ(popup->GetTrackingMode(), 1);
    EXPECT_EQ(popup->GetPosition(), utkBarPopup);
    EXPECT_EQ(popup->GetType(), utkBarTypePopup);

    popup->SetTrackingMode(FALSE, TRUE, FALSE);
    EXPECT_EQ(popup->GetSafeHwnd(), nullptr);
    EXPECT_EQ(host->m_popupsClosed, 1);
    EXPECT_EQ(popup->GetControlCount(), 5);
    // The object opens again.
    ASSERT_TRUE(popup->PopupAt(220, 160));
    EXPECT_TRUE(popup->IsVisible());
    EXPECT_EQ(host->m_popupsOpening, 2);
}

TEST_F(PopupBarTest, BottomRightCornerPopupStaysInsideTheWorkArea)
{
    AddItems(6);
    const RECT work = WorkArea(POINT{0, 0});
    ASSERT_TRUE(popup->PopupAt(work.right - 10, work.bottom - 10));
    CRect rc;
    popup->GetWindowRect(&rc);
    EXPECT_LE(rc.right, work.right);
    EXPECT_LE(rc.bottom, work.bottom - 10);  // moved up by its height: it ends at the point
    EXPECT_EQ(rc.bottom, work.bottom - 10);
    EXPECT_GE(rc.left, work.left);
}

TEST_F(PopupBarTest, AListTallerThanTheScreenScrolls)
{
    AddItems(150);
    const RECT work = WorkArea(POINT{0, 0});
    ASSERT_TRUE(popup->PopupAt(100, 100));
    EXPECT_TRUE(popup->IsScrolling());
    CRect rc;
    popup->GetWindowRect(&rc);
    EXPECT_GE(rc.top, work.top);
    EXPECT_LE(rc.bottom, work.bottom - 5);
    EXPECT_EQ(popup->GetFirstVisible(), 0);
    EXPECT_GT(popup->GetEndVisible(), 5);
    EXPECT_LT(popup->GetEndVisible(), 150);
    const CUTKControl* hidden = popup->GetControl(popup->GetEndVisible());
    EXPECT_NE(hidden->GetHideFlags() & 0x08, 0u);
    const CUTKControl* last = popup->GetControl(popup->GetEndVisible() - 1);
    EXPECT_LE(last->GetRect().bottom, rc.Height() - 16);
    // Selecting an item below the window scrolls it in.
    popup->SetSelected(popup->GetEndVisible() + 3, utkSelectKeyboard);
    EXPECT_GT(popup->GetFirstVisible(), 0);
    EXPECT_EQ(popup->GetControl(popup->GetSelectedIndex())->GetHideFlags() & 0x08, 0u);
}

TEST_F(PopupBarTest, ParentBarWithoutAWindowAnswersFalseWithTheLockRestored)
{
    AddItems(3);
    auto* bar = new CUTKToolBar;  // never given a window
    CUTKControl* parent = bar->GetControls()->Add(2, 500, L"", -1, FALSE);
    ASSERT_NE(parent, nullptr);
    EXPECT_FALSE(popup->Popup(parent, FALSE));
    EXPECT_EQ(popup->GetRedrawLock(), 0);
    EXPECT_EQ(popup->GetSafeHwnd(), nullptr);
    popup->SetControlPopup(nullptr);
    bar->InternalRelease();
}

TEST_F(PopupBarTest, ShadowIsAWindowBesideThePopup)
{
    AddItems(4);
    CUTKPaintManager* paint = popup->GetPaintManager();
    ASSERT_NE(paint, nullptr);
    CUTKShadowManager* shadows = paint->GetShadowManager();
    ASSERT_NE(shadows, nullptr);
    // Layered windows are not composited on this display: the shadows are made whatever the
    // system's drop-shadow switch, and checked as windows.
    const int options = shadows->m_options;
    shadows->m_options |= CUTKShadowManager::optionAlways;
    const BOOL opened = popup->PopupAt(200, 150);
    shadows->m_options = options;
    ASSERT_TRUE(opened);
    ASSERT_GE(shadows->GetShadows().GetCount(), 2);
    CRect rc;
    popup->GetWindowRect(&rc);
    BOOL besideRight = FALSE;
    for (POSITION pos = shadows->GetShadows().GetHeadPosition(); pos != nullptr;) {
        CWnd* shadow = shadows->GetShadows().GetNext(pos);
        CRect s;
        shadow->GetWindowRect(&s);
        besideRight = besideRight || (s.left >= rc.right - 1 && s.top > rc.top);
        EXPECT_TRUE(shadow->IsWindowVisible());
    }
    EXPECT_TRUE(besideRight);
    popup->SetTrackingMode(FALSE, TRUE, FALSE);
    EXPECT_EQ(shadows->GetShadows().GetCount(), 0);
}

TEST_F(PopupBarTest, HotItemDiffersByPrintClient)
{
    AddItems(4);
    ASSERT_TRUE(popup->PopupAt(200, 150));
    CRect client;
    popup->GetClientRect(&client);
    auto shot = [&] {
        DrawCanvas canvas(client.Width(), client.Height(), RGB(255, 0, 255));
        popup->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.hdc()), PRF_CLIENT);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < client.Height(); ++y) {
            for (int x = 0; x < client.Width(); ++x) {
                pixels.push_back(canvas.At(x, y));
            }
        }
        return pixels;
    };
    popup->SetSelected(-1, utkSelectMouse);
    const auto normal = shot();
    popup->SetSelected(1, utkSelectKeyboard);
    const auto hot = shot();
    const CRect item = popup->GetControl(1)->GetRect();
    int differing = 0;
    int outside = 0;
    for (int y = 0; y < client.Height(); ++y) {
        for (int x = 0; x < client.Width(); ++x) {
            const size_t i = static_cast<size_t>(y * client.Width() + x);
            if (normal[i] != hot[i]) {
                (item.PtInRect(CPoint(x, y)) ? differing : outside) += 1;
            }
        }
    }
    EXPECT_GT(differing, item.Width() * item.Height() / 4);
    EXPECT_EQ(outside, 0);
}

TEST_F(PopupBarTest, TearOffLoopRestoresLockAndCaptureOnQuitAndEscape)
{
    AddItems(3);
    popup->SetTearOffPopup(L"Torn", 4711, 0);
    ASSERT_TRUE(popup->PopupAt(200, 150));
    ASSERT_FALSE(popup->GetTearOffRect().IsRectEmpty());
    CUTKMouseManager* mouse = GetThreadMouseManager();
    const int lock = mouse->GetLockCount();
    // WM_QUIT ends the loop and is posted again for the caller's loop.
    ::PostQuitMessage(7);
    popup->TrackTearOff();
    EXPECT_NE(::GetCapture(), popup->GetSafeHwnd());
    EXPECT_EQ(mouse->GetLockCount(), lock);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    // Escape ends it; other keys before it are dropped.
    popup->PostMessage(WM_KEYDOWN, 'A', 0);
    popup->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    popup->TrackTearOff();
    EXPECT_NE(::GetCapture(), popup->GetSafeHwnd());
    EXPECT_EQ(mouse->GetLockCount(), lock);
    EXPECT_TRUE(popup->IsVisible());
    EXPECT_EQ(popup->GetTornBar(), nullptr);
    // Someone else holds the capture: nothing starts.
    ::SetCapture(host->GetSafeHwnd());
    popup->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    popup->TrackTearOff();
    EXPECT_EQ(::GetCapture(), host->GetSafeHwnd());
    ::ReleaseCapture();
    CBarsHostFrame::Pump();
}

TEST_F(PopupBarTest, DraggingOutOfTheMarginTearsOffAFloatingToolbar)
{
    AddItems(3);
    popup->SetTearOffPopup(L"Torn", 4711, 0);
    ASSERT_TRUE(popup->PopupAt(200, 150));
    CRect band = popup->GetTearOffRect();
    popup->ClientToScreen(&band);
    // The loop reads the pointer itself: put it far from the band, then move and release.
    ::SetCursorPos(band.right + 120, band.bottom + 160);
    popup->PostMessage(WM_MOUSEMOVE, 0, 0);
    popup->PostMessage(WM_LBUTTONUP, 0, 0);
    popup->TrackTearOff();
    CBarsHostFrame::Pump();
    // The popup closed; a floating toolbar with its items shows under the pointer.
    EXPECT_EQ(popup->GetSafeHwnd(), nullptr);
    HWND torn = ::FindWindowW(L"UTKToolBar", L"Torn");
    ASSERT_NE(torn, nullptr);
    EXPECT_TRUE(::IsWindowVisible(torn));
    EXPECT_NE(::GetWindowLongW(torn, GWL_STYLE) & WS_POPUP, 0);
    auto* bar = DYNAMIC_DOWNCAST(CUTKToolBar, CWnd::FromHandlePermanent(torn));
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->IsTearOff());
    EXPECT_EQ(bar->GetBarID(), 4711u);
    EXPECT_NE(bar->GetControls()->FindControlById(1002), nullptr);
    CRect rc;
    ::GetWindowRect(torn, &rc);
    EXPECT_EQ(rc.top, band.bottom + 160 - 10);
}

// Rarely used commands hide behind the expand item when the manager does not show full menus.
class HiddenCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        host = std::make_unique<CBarsHostFrame>();
        ASSERT_TRUE(host->CreateHost(RECT{40, 40, 440, 300}, FALSE, FALSE));
        host->ShowWindow(SW_SHOWNA);
        bars = new CUTKCommandBars;
        bars->SetSite(host.get());
        bars->GetCommandBarsOptions()->bAlwaysShowFullMenus = FALSE;
        bars->GetCommandBarsOptions()->animationType = 5;
        popup = CUTKPopupBar::CreatePopupBar(bars);
        for (int i = 0; i < 4; ++i) {
            CUTKControl* control = popup->GetControls()->Add(1, 2000 + i, L"", -1, FALSE);
            ASSERT_NE(control, nullptr);
            control->SetCaption((L"Command " + std::to_wstring(i + 1)).c_str());
        }
    }
    void TearDown() override
    {
        if (popup->GetTrackingMode() != 0) {
            popup->SetTrackingMode(FALSE, TRUE, FALSE);
        }
        popup->InternalRelease();
        bars->InternalRelease();
        host->DestroyWindow();
        CBarsHostFrame::Pump();
        GetThreadMouseManager()->SetMenusExpanded(FALSE);
    }
    std::unique_ptr<CBarsHostFrame> host;
    CUTKCommandBars* bars = nullptr;
    CUTKPopupBar* popup = nullptr;
};

TEST_F(HiddenCommands, RareCommandsHideUntilTheExpandItemShowsThem)
{
    popup->GetControl(1)->SetHiddenUntilExpand(TRUE);
    popup->GetControl(3)->SetHiddenUntilExpand(TRUE);
    ASSERT_TRUE(popup->PopupAt(200, 150));
    EXPECT_TRUE(popup->HasHiddenCommands());
    EXPECT_FALSE(popup->IsExpanded());
    EXPECT_NE(popup->GetControl(1)->GetHideFlags() & 0x20, 0u);
    EXPECT_FALSE(popup->GetControl(1)->IsVisible());
    CUTKControl* expand = popup->GetControls()->FindControlById(CUTKPopupBar::kExpandItemId);
    ASSERT_NE(expand, nullptr);
    EXPECT_TRUE(expand->IsVisible());
    EXPECT_GT(expand->GetRect().top, popup->GetControl(2)->GetRect().top);
    CRect before;
    popup->GetWindowRect(&before);

    expand->OnExecute();
    EXPECT_TRUE(popup->IsExpanded());
    EXPECT_TRUE(popup->GetControl(1)->IsVisible());
    EXPECT_TRUE(popup->GetControl(3)->IsVisible());
    EXPECT_FALSE(expand->IsVisible());
    EXPECT_TRUE(GetThreadMouseManager()->IsMenusExpanded());
    CRect after;
    popup->GetWindowRect(&after);
    EXPECT_GT(after.Height(), before.Height());
}

TEST_F(HiddenCommands, AMenuOfOnlyRareCommandsShowsThemAll)
{
    for (int i = 0; i < popup->GetControlCount(); ++i) {
        popup->GetControl(i)->SetHiddenUntilExpand(TRUE);
    }
    ASSERT_TRUE(popup->PopupAt(200, 150));
    EXPECT_FALSE(popup->HasHiddenCommands());
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(popup->GetControl(i)->IsVisible()) << i;
    }
    CUTKControl* expand = popup->GetControls()->FindControlById(CUTKPopupBar::kExpandItemId);
    EXPECT_TRUE(expand == nullptr || !expand->IsVisible());
}

TEST(PopupAnimation, KindFromTheOptionAndTheSystemSwitches)
{
    struct Case {
        int option;
        BOOL animation;
        BOOL fade;
        int random;
        int kind;
    } cases[] = {
        {0, FALSE, TRUE, 0, 5}, {0, TRUE, TRUE, 0, 4}, {0, TRUE, FALSE, 0, 3},
        {1, FALSE, FALSE, 0, 4}, {1, FALSE, FALSE, 1, 3}, {1, FALSE, FALSE, 2, 2},
        {2, FALSE, FALSE, 0, 2}, {3, TRUE, TRUE, 0, 3}, {4, FALSE, FALSE, 0, 4},
        {5, TRUE, TRUE, 0, 5}, {9, TRUE, TRUE, 0, 5}, {-1, TRUE, TRUE, 0, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.option << " " << c.animation << c.fade << c.random);
        EXPECT_EQ(CUTKPopupBar::ResolveAnimation(c.option, c.animation, c.fade, c.random), c.kind);
    }
}

} // namespace
