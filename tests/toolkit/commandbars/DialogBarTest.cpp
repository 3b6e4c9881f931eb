// Dialog bar on real windows: the hosted window inside the client borders (from the top border
// without a caption), the player's bottom bar (flags 66, no caption) across the frame, resizes
// under the minimum ignored, the sizing edges, and the caption's active state following focus.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/framework/frame/AfxFrameDefs.h"
#include "platform/framework/frame/CFrameWnd.h"
#include "toolkit/commandbars/CUTKDialogBar.h"
#include "toolkit/commandbars/CUTKDockBar.h"
#include "toolkit/controls/CUTKControls.h"

namespace {

class DialogHost {
public:
    DialogHost()
    {
        m_frame = new CFrameWnd;
        m_frame->Create(nullptr, L"dialog bar host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                        CRect(30, 30, 630, 430));
        const DWORD styles[2] = {CBRS_TOP, CBRS_BOTTOM};
        for (int i = 0; i < 2; ++i) {
            m_docks[i] = new CUTKDockBar;
            m_docks[i]->Create(m_frame, WS_CHILD | WS_VISIBLE | styles[i], 0xE81B + i);
        }
        m_bar = new CUTKDialogBar;
        m_bar->SetTitle(L"Panel");
    }
    ~DialogHost()
    {
        m_bar->DestroyWindow();
        m_bar->InternalRelease();
        for (CUTKDockBar* dock : m_docks)
            delete dock;
        m_frame->DestroyWindow();
    }
    DialogHost(const DialogHost&) = delete;
    DialogHost& operator=(const DialogHost&) = delete;

    // Docks the bar at a side (0 top, 1 bottom) with a child window of its own.
    void Dock(int position, DWORD flags)
    {
        m_bar->SetFlags(flags);
        m_bar->SetBarPosition(position);
        ASSERT_TRUE(m_bar->Create(m_docks[position], FALSE));
        m_child = ::CreateWindowExW(0, L"EDIT", L"hosted", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 10, 10,
                                    m_bar->GetSafeHwnd(), nullptr, nullptr, nullptr);
        m_docks[position]->DockBar(m_bar, nullptr);
        CWnd child;
        child.Attach(m_child);
        m_bar->SetChild(&child);
        child.Detach();
        m_frame->RecalcLayout();
    }
    CRect ChildRect() const
    {
        CRect rc;
        ::GetWindowRect(m_child, &rc);
        ::MapWindowPoints(nullptr, m_bar->GetSafeHwnd(), reinterpret_cast<LPPOINT>(&rc), 2);
        return rc;
    }
    CRect BarRectInFrame() const
    {
        CRect rc;
        ::GetWindowRect(m_bar->GetSafeHwnd(), &rc);
        ::MapWindowPoints(nullptr, m_frame->GetSafeHwnd(), reinterpret_cast<LPPOINT>(&rc), 2);
        return rc;
    }

    CFrameWnd* m_frame = nullptr;
    CUTKDockBar* m_docks[2] = {};
    CUTKDialogBar* m_bar = nullptr;
    HWND m_child = nullptr;
};

} // namespace

TEST(DialogBar, Defaults)
{
    CUTKDialogBar bar;
    EXPECT_TRUE(bar.IsDialogBar());
    EXPECT_TRUE(bar.IsCaptionVisible());
    EXPECT_TRUE(bar.IsResizable());
    EXPECT_EQ(bar.GetMinimumSize(), CSize(50, 50));
    EXPECT_EQ(bar.GetDockingClientSize(), CSize(200, 200));
    EXPECT_EQ(bar.GetFloatingClientSize(), CSize(200, 200));
    EXPECT_EQ(bar.GetCaptionHeight(), 0);
    EXPECT_FALSE(bar.IsActive());
    EXPECT_NE(bar.GetCaptionPopupBar(), nullptr);
    EXPECT_EQ(bar.GetCaptionPopupBar()->GetPopupFlags(), 2u);
}

TEST(DialogBar, PlayerBottomBarWithoutCaptionSpansTheFrame)
{
    DialogHost host;
    host.m_bar->SetCaptionVisible(FALSE);
    host.m_bar->SetSize(300, 40);
    host.Dock(1, 66);
    CRect client;
    host.m_frame->GetClientRect(&client);
    EXPECT_EQ(host.BarRectInFrame(), CRect(0, client.bottom - 46, client.right, client.bottom));
    EXPECT_EQ(host.m_bar->GetCaptionHeight(), 0);
    // The child starts at the top border and fills the client less the borders.
    EXPECT_EQ(host.ChildRect(), CRect(3, 3, client.right - 3, 43));

    // After the frame is resized too.
    host.m_frame->SetWindowPos(nullptr, 0, 0, 500, 360, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    host.m_frame->RecalcLayout();
    host.m_frame->GetClientRect(&client);
    EXPECT_EQ(host.BarRectInFrame(), CRect(0, client.bottom - 46, client.right, client.bottom));
    EXPECT_EQ(host.ChildRect(), CRect(3, 3, client.right - 3, 43));
}

TEST(DialogBar, CaptionStripAboveTheChild)
{
    DialogHost host;
    host.m_bar->SetSize(240, 60);
    host.Dock(0, 0x3F);
    const int caption = host.m_bar->GetCaptionHeight();
    EXPECT_GT(caption, 3);
    CRect borders;
    host.m_bar->GetClientBorders(borders);
    EXPECT_EQ(borders, CRect(3, caption, 3, 3));
    // The window is the client size plus the borders, so the child gets exactly that size.
    EXPECT_EQ(host.BarRectInFrame().Size(), CSize(246, 60 + caption + 3));
    EXPECT_EQ(host.ChildRect(), CRect(3, caption, 243, caption + 60));

    // The caption control spans to the hide button, which sits at the right of the caption.
    CUTKControls* controls = host.m_bar->GetControls();
    CUTKControl* hide = nullptr;
    CUTKControl* title = nullptr;
    for (int i = 0; i < controls->GetCount(); ++i) {
        if (controls->GetAt(i)->GetID() == CUTKToolBar::kHideButtonId)
            hide = controls->GetAt(i);
        if (controls->GetAt(i)->GetID() == CUTKDialogBar::kCaptionPopupId)
            title = controls->GetAt(i);
    }
    ASSERT_NE(hide, nullptr);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(hide->GetRect().Size(), CSize(16, 16));
    EXPECT_EQ(hide->GetRect().right, 246 - 3);
    EXPECT_EQ(title->GetRect().right, hide->GetRect().left);
    EXPECT_EQ(CString(title->GetCaption()), CString(L"Panel"));
    EXPECT_FALSE(static_cast<CUTKDialogBar::CControlCaptionPopup*>(title)->HasPopup())
        << "an empty caption popup shows no triangle";
    EXPECT_TRUE(title->SetPopuped(TRUE)) << "and opening it does nothing, successfully";

    // Not closeable: the hide button goes and the caption spans to the right border.
    host.m_bar->SetCloseable(FALSE);
    host.m_bar->SetCaption(L"Hosted panel");
    host.m_bar->CalcDockingLayout(32000, LM_HORZ | LM_HORZDOCK);
    EXPECT_FALSE(hide->IsVisible());
    EXPECT_EQ(title->GetRect().right, 246 - 3);
    EXPECT_EQ(CString(title->GetCaption()), CString(L"Hosted panel"));
}

TEST(DialogBar, ResizesBelowTheMinimumIgnored)
{
    DialogHost host;
    host.m_bar->SetBarPosition(utkBarFloating);
    ASSERT_TRUE(host.m_bar->Create(host.m_frame, TRUE));
    const int caption = [&] {
        host.m_bar->CalcDynamicLayout(-1, LM_HORZ | LM_COMMIT);
        return host.m_bar->GetCaptionHeight();
    }();
    host.m_bar->OnResize(100, 100, 400, 300, HTBOTTOMRIGHT);
    const CSize floating = host.m_bar->GetFloatingClientSize();
    EXPECT_EQ(floating, CSize(300 - 6, 200 - caption - 3));
    CRect window;
    host.m_bar->GetWindowRect(&window);
    EXPECT_EQ(window, CRect(100, 100, 400, 300)) << "the size it was given, no drift";

    struct Case {
        CRect rc;
        BOOL applied;
    } cases[] = {
        {CRect(100, 100, 149, 300), FALSE},
        {CRect(100, 100, 400, 149), FALSE},
        {CRect(100, 100, 150, 150), TRUE},
        {CRect(100, 100, 10, 10), FALSE},  // inverted
    };
    for (const Case& c : cases) {
        host.m_bar->OnResize(100, 100, 400, 300, HTBOTTOMRIGHT);
        host.m_bar->OnResize(c.rc.left, c.rc.top, c.rc.right, c.rc.bottom, HTBOTTOMRIGHT);
        host.m_bar->GetWindowRect(&window);
        EXPECT_EQ(window, c.applied ? c.rc : CRect(100, 100, 400, 300)) << c.rc.right << "x" << c.rc.bottom;
    }

    // Docked, the edge decides which client size changes.
    DialogHost docked;
    docked.m_bar->SetSize(200, 80);
    docked.Dock(0, 0x3F);
    docked.m_bar->OnResize(0, 0, 300, 120, HTRIGHT);
    EXPECT_EQ(docked.m_bar->GetDockingClientSize(), CSize(294, 80));
    const int dockedCaption = docked.m_bar->GetCaptionHeight();
    docked.m_bar->OnResize(0, 0, 300, 150, HTBOTTOM);
    EXPECT_EQ(docked.m_bar->GetDockingClientSize(), CSize(294, 150 - dockedCaption - 3));
    docked.m_bar->OnResize(0, 0, 40, 150, HTRIGHT);
    EXPECT_EQ(docked.m_bar->GetDockingClientSize().cx, 294);
}

TEST(DialogBar, SizingEdgesByPosition)
{
    const CRect window(100, 100, 300, 200);
    struct Case {
        int position;
        DWORD flags;
        CPoint pt;
        int want;
    } cases[] = {
        {utkBarFloating, 0, {101, 101}, HTTOPLEFT},
        {utkBarFloating, 0, {200, 101}, HTTOP},
        {utkBarFloating, 0, {298, 101}, HTTOPRIGHT},
        {utkBarFloating, 0, {101, 198}, HTBOTTOMLEFT},
        {utkBarFloating, 0, {200, 198}, HTBOTTOM},
        {utkBarFloating, 0, {298, 198}, HTBOTTOMRIGHT},
        {utkBarFloating, 0, {101, 150}, HTLEFT},
        {utkBarFloating, 0, {298, 150}, HTRIGHT},
        {utkBarFloating, 0, {200, 150}, 0},
        {utkBarBottom, 0, {200, 102}, HTTOP},
        {utkBarBottom, 0, {200, 198}, 0},
        {utkBarTop, 0, {200, 198}, HTBOTTOM},
        {utkBarTop, 0, {298, 150}, HTRIGHT},
        {utkBarTop, 0x40, {298, 150}, 0},   // stretched across its row
        {utkBarBottom, 0x40, {298, 150}, 0},
        {utkBarRight, 0, {101, 150}, HTLEFT},
        {utkBarRight, 0x40, {200, 198}, 0}, // stretched down its column
        {utkBarLeft, 0, {298, 150}, HTRIGHT},
        {utkBarLeft, 0, {200, 150}, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CUTKDialogBar::ResizeHitTest(window, c.pt, c.position, c.flags), c.want)
            << c.position << " " << c.flags << " " << c.pt.x << "," << c.pt.y;
}

TEST(DialogBar, FocusInsideMarksTheCaptionActive)
{
    DialogHost host;
    host.Dock(0, 0x3F);
    HWND outside = ::CreateWindowExW(0, L"EDIT", L"outside", WS_CHILD | WS_VISIBLE, 400, 300, 80, 20,
                                     host.m_frame->GetSafeHwnd(), nullptr, nullptr, nullptr);
    HWND combo = ::CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 3, 30,
                                   100, 120, host.m_bar->GetSafeHwnd(), nullptr, nullptr, nullptr);
    ::SetForegroundWindow(host.m_frame->GetSafeHwnd());

    ::SetFocus(host.m_child);
    host.m_bar->OnIdleUpdate(TRUE, 0);
    EXPECT_TRUE(host.m_bar->IsActive());
    ::SetFocus(outside);
    host.m_bar->OnIdleUpdate(TRUE, 0);
    EXPECT_FALSE(host.m_bar->IsActive());
    ::SetFocus(combo);
    host.m_bar->OnIdleUpdate(TRUE, 0);
    EXPECT_TRUE(host.m_bar->IsActive());

    // The rule itself: a window owned by (or, without an owner, a child of) a window inside.
    HWND bar = host.m_bar->GetSafeHwnd();
    EXPECT_TRUE(CUTKDialogBar::IsFocusInside(bar, bar));
    EXPECT_TRUE(CUTKDialogBar::IsFocusInside(bar, host.m_child));
    EXPECT_FALSE(CUTKDialogBar::IsFocusInside(bar, outside));
    EXPECT_FALSE(CUTKDialogBar::IsFocusInside(bar, nullptr));
    HWND owned = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, bar, nullptr,
                                   nullptr, nullptr);
    // A popup's owner is the top-level window above the one given: the frame, which is not
    // inside the bar.
    EXPECT_FALSE(CUTKDialogBar::IsFocusInside(bar, owned));
    ::DestroyWindow(owned);
    ::DestroyWindow(combo);
    ::DestroyWindow(outside);
}
