// The modal mouse loops of a tab strip on a real window: the loops take their input with
// GetMessage, so input posted before a loop starts drives it step by step.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/toolkit/tabmanager/TabHost.h"
#include "toolkit/tabmanager/CUTKTabManagerNavigateButtons.h"

#include <functional>

using orvane::test::TabHost;
using PM = CUTKTabPaintManager;

namespace {

constexpr UINT kRunAction = WM_APP + 1;

// A plain window whose WM_APP + 1 runs the action a test set.
class LoopWindow {
public:
    LoopWindow()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &LoopWindow::Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"OrvaneTabLoopTest";
        ::RegisterClassW(&wc);
        m_hwnd = ::CreateWindowExW(0, L"OrvaneTabLoopTest", L"tabs", WS_POPUP | WS_VISIBLE, 0, 0,
                                   400, 100, nullptr, nullptr, wc.hInstance, nullptr);
        ::SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        // Keep the real pointer away, so that only posted input moves the loops.
        ::SetCursorPos(780, 580);
        Drain();
    }
    ~LoopWindow() { ::DestroyWindow(m_hwnd); }
    HWND hwnd() const { return m_hwnd; }

    void PostMove(CPoint p) { ::PostMessageW(m_hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y)); }
    void PostUp(CPoint p) { ::PostMessageW(m_hwnd, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y)); }
    void PostKey(UINT key) { ::PostMessageW(m_hwnd, WM_KEYDOWN, key, 0); }
    void PostAction(std::function<void()> action)
    {
        m_action = std::move(action);
        ::PostMessageW(m_hwnd, kRunAction, 0, 0);
    }
    // Handles whatever the window has queued so far (paint, activation, moves).
    static void Drain()
    {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            ::DispatchMessageW(&msg);
        }
    }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<LoopWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (message == kRunAction && self != nullptr && self->m_action) {
            self->m_action();
            return 0;
        }
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }

    HWND m_hwnd = nullptr;
    std::function<void()> m_action;
};

// A 12-tab strip of 50-pixel tabs laid out in the window's client area.
void MakeStrip(TabHost& host, int count = 12)
{
    host.UseFixedLengths();
    for (int i = 0; i < count; ++i) {
        host.AddSized(50);
    }
    host.LayOut(CRect(0, 0, 400, 100));
}

CPoint Centre(TabHost& host, int index)
{
    return host.GetItem(index)->GetRect().CenterPoint();
}

}  // namespace

TEST(TabMouse, DragReordersStepByStepAndReportsOnce)
{
    LoopWindow window;
    TabHost host;
    MakeStrip(host, 6);
    CUTKTabManagerItem* dragged = host.GetItem(1);
    host.SetCurSel(0);
    // Over slots 2, 3 and 4, then release.
    for (int slot : {2, 3, 4}) {
        window.PostMove(Centre(host, slot));
    }
    window.PostUp(Centre(host, 4));
    host.ReOrder(window.hwnd(), Centre(host, 1), dragged);
    EXPECT_EQ(host.FindIndex(dragged), 4);
    ASSERT_EQ(host.m_swaps.size(), 3u);
    ASSERT_EQ(host.m_reorders.size(), 1u);
    EXPECT_EQ(host.m_reorders[0], std::make_pair(1, 4));
    EXPECT_EQ(host.GetSelectedItem(), dragged);
    EXPECT_EQ(::GetCapture(), nullptr);
    for (int i = 0; i < host.GetItemCount(); ++i) {
        EXPECT_EQ(host.GetItem(i)->GetIndex(), i);
    }
}

TEST(TabMouse, EscapeOrRightClickEndsTheDrag)
{
    for (UINT ending : {UINT{WM_KEYDOWN}, UINT{WM_RBUTTONDOWN}, UINT{WM_CANCELMODE}}) {
        LoopWindow window;
        TabHost host;
        MakeStrip(host, 6);
        CUTKTabManagerItem* dragged = host.GetItem(0);
        window.PostMove(Centre(host, 1));
        if (ending == WM_KEYDOWN) {
            window.PostKey(VK_ESCAPE);
        } else {
            ::PostMessageW(window.hwnd(), ending, 0, 0);
        }
        // Nothing after the end may reach the loop.
        window.PostMove(Centre(host, 5));
        host.ReOrder(window.hwnd(), Centre(host, 0), dragged);
        EXPECT_EQ(host.FindIndex(dragged), 1) << "message " << ending;
        EXPECT_EQ(host.m_swaps.size(), 1u) << "message " << ending;
        EXPECT_EQ(::GetCapture(), nullptr);
        LoopWindow::Drain();
    }
}

TEST(TabMouse, ClickSelectsWhenReleasedOnTheTab)
{
    struct Case {
        int releaseOn;  // tab index, -1 outside every tab
        BOOL selects;
    };
    for (const Case& c : {Case{3, TRUE}, Case{-1, FALSE}}) {
        LoopWindow window;
        TabHost host;
        MakeStrip(host);
        host.SetCurSel(0);
        const CPoint release = c.releaseOn >= 0 ? Centre(host, c.releaseOn) : CPoint(390, 90);
        window.PostMove(release);
        window.PostUp(release);
        host.TrackClick(window.hwnd(), Centre(host, 3), host.GetItem(3));
        EXPECT_EQ(host.GetCurSel(), c.selects ? 3 : 0);
        EXPECT_EQ(host.GetPressedItem(), nullptr);
        EXPECT_EQ(::GetCapture(), nullptr);
    }
}

TEST(TabMouse, TabDeletedDuringTheClickLeavesTheManagerConsistent)
{
    LoopWindow window;
    TabHost host;
    MakeStrip(host);
    host.SetCurSel(0);
    CUTKTabManagerItem* pressed = host.GetItem(3);
    const CPoint at = Centre(host, 3);
    window.PostAction([&] {
        EXPECT_EQ(host.GetPressedItem(), pressed);
        ASSERT_TRUE(host.DeleteItem(3));
        EXPECT_EQ(host.GetPressedItem(), nullptr);
    });
    window.PostMove(at);
    window.PostUp(at);
    const int clicks = host.m_clicks;
    host.TrackClick(window.hwnd(), at, pressed);
    EXPECT_EQ(host.m_clicks, clicks) << "a tab that left the strip is not clicked";
    EXPECT_EQ(host.GetItemCount(), 11);
    EXPECT_EQ(host.GetCurSel(), 0);
    EXPECT_EQ(host.GetPressedItem(), nullptr);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST(TabMouse, TabDeletedDuringTheDragIsNotSelected)
{
    LoopWindow window;
    TabHost host;
    MakeStrip(host, 6);
    host.SetCurSel(5);
    CUTKTabManagerItem* dragged = host.GetItem(2);
    window.PostAction([&] { ASSERT_TRUE(host.DeleteItem(2)); });
    window.PostMove(Centre(host, 4));
    window.PostUp(Centre(host, 4));
    host.ReOrder(window.hwnd(), Centre(host, 2), dragged);
    EXPECT_EQ(host.GetItemCount(), 5);
    EXPECT_TRUE(host.m_swaps.empty());
    EXPECT_TRUE(host.m_reorders.empty());
    EXPECT_EQ(host.GetCurSel(), 4) << "the earlier selection comes back";
}

TEST(TabMouse, LoopsPassQuitOnAndReleaseTheCapture)
{
    LoopWindow window;
    TabHost host;
    MakeStrip(host);
    ::PostQuitMessage(7);
    host.TrackClick(window.hwnd(), Centre(host, 2), host.GetItem(2));
    EXPECT_EQ(::GetCapture(), nullptr);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);

    ::PostQuitMessage(9);
    host.ReOrder(window.hwnd(), Centre(host, 2), host.GetItem(2));
    EXPECT_EQ(::GetCapture(), nullptr);
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 9u);
}

TEST(TabMouse, ArrowReleasedOutsideDoesNotClickAndDisabledArrowIgnoresThePress)
{
    LoopWindow window;
    TabHost host;
    MakeStrip(host);
    CUTKTabManagerNavigateButton* right = host.FindNavigateButton(1);
    ASSERT_FALSE(right->GetRect().IsRectEmpty());
    ASSERT_TRUE(right->IsEnabled());
    const CPoint at = right->GetRect().CenterPoint();
    // Released outside the button: no click, the capture goes back.
    window.PostUp(CPoint(5, 90));
    right->PerformClick(window.hwnd(), CPoint(5, 90));
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_FALSE(right->IsPressed());
    EXPECT_TRUE(host.m_buttonClicks.empty());

    // A disabled button ignores the press.
    host.FindNavigateButton(0)->SetEnabled(FALSE);
    window.PostUp(at);
    host.FindNavigateButton(0)->PerformClick(window.hwnd(), at);
    EXPECT_EQ(::GetCapture(), nullptr);
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, window.hwnd(), WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE))
        << "the disabled button ran no loop";
    // Every scroll is one 20-pixel step.
    EXPECT_EQ(host.GetScrollOffset() % 20, 0);
}

TEST(TabMouse, TabCloseButtonDeletedByItsOwnClickEndsTheLoopSafely)
{
    LoopWindow window;
    TabHost host;
    host.SetCloseButtonMode(2);
    MakeStrip(host, 3);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CUTKTabManagerItem* item = host.GetItem(1);
    // Drawing the tab places its button.
    host.m_paint->DrawSingleButton(&dc, item, item->GetRect(), TRUE);
    CUTKTabManagerNavigateButton* close = item->GetButtons().at(0);
    ASSERT_FALSE(close->GetRect().IsRectEmpty());
    const CPoint at = close->GetRect().CenterPoint();
    window.PostAction([&] { ASSERT_TRUE(host.DeleteItem(1)); });
    window.PostUp(at);
    close->PerformClick(window.hwnd(), at);
    EXPECT_EQ(host.GetItemCount(), 2);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_TRUE(host.m_buttonClicks.empty());
}

namespace {

void CALLBACK ReleaseTimer(HWND hwnd, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(hwnd, id);
    ::PostMessageW(hwnd, WM_LBUTTONUP, 0, 0);
}

ULONGLONG ThreadCpu100ns()
{
    FILETIME created;
    FILETIME exited;
    FILETIME kernel;
    FILETIME user;
    ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
    auto value = [](const FILETIME& t) {
        return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return value(kernel) + value(user);
}

}  // namespace

TEST(TabMouse, HoldingAnArrowScrollsInStepsWithoutSpinning)
{
    LoopWindow window;
    TabHost host;
    MakeStrip(host, 40);
    CUTKTabManagerNavigateButton* right = host.FindNavigateButton(1);
    ASSERT_FALSE(right->GetRect().IsRectEmpty());
    const CPoint at = right->GetRect().CenterPoint();
    // The release comes from a 300 ms timer that the loop itself dispatches.
    window.PostAction([&] {
        ::SetTimer(window.hwnd(), 77, 300, &ReleaseTimer);
    });
    const ULONGLONG cpuBefore = ThreadCpu100ns();
    const ULONGLONG wallBefore = ::GetTickCount64();
    right->PerformClick(window.hwnd(), at);
    const ULONGLONG wall = (::GetTickCount64() - wallBefore) * 10000;
    const ULONGLONG cpu = ThreadCpu100ns() - cpuBefore;
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_LT(host.GetScrollOffset(), 0) << "the hold ticked";
    EXPECT_EQ(host.GetScrollOffset() % 20, 0) << "every tick one 20-pixel step";
    EXPECT_LT(cpu, wall / 2) << "the press loop waits instead of spinning";
}
