// The scroll-bar tracking loop on a real window: the loop reads its input with GetMessage, so
// input posted before it starts drives it step by step. Thumb drags (the snap-back beyond
// eight bar thicknesses, Shift+click), arrow auto-repeat, paging up to the pointer, WM_QUIT.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "tests/toolkit/common/DrawCanvas.h"
#include "toolkit/commandbars/CUTKMouseManager.h"
#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/controls/CUTKScrollBarPaintManager.h"
#include "toolkit/controls/CUTKScrollBase.h"
#include "toolkit/controls/CUTKSliderPaintManager.h"

namespace {

using Call = std::pair<int, int>;  // scroll code, position

class LoopWindow {
public:
    LoopWindow()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"OrvaneScrollLoopTest";
        ::RegisterClassW(&wc);
        m_hwnd = ::CreateWindowExW(0, L"OrvaneScrollLoopTest", L"scroll", WS_POPUP | WS_VISIBLE,
                                   0, 0, 400, 300, nullptr, nullptr, wc.hInstance, nullptr);
        m_wnd.Attach(m_hwnd);
        // Keep the real pointer away, so that only posted input moves the loop.
        ::SetCursorPos(780, 580);
        Drain();
    }
    ~LoopWindow()
    {
        m_wnd.Detach();
        ::DestroyWindow(m_hwnd);
        Drain();
    }
    HWND hwnd() const { return m_hwnd; }
    CWnd* wnd() { return &m_wnd; }
    void Post(UINT message, CPoint p, WPARAM keys = MK_LBUTTON)
    {
        ::PostMessageW(m_hwnd, message, keys, MAKELPARAM(p.x, p.y));
    }
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
    HWND m_hwnd = nullptr;
    CWnd m_wnd;
};

// A vertical bar at (10, 0)-(27, 200) scrolling 0..99 by pages of 10; scrolling moves the
// position the way a list would, and every call is recorded.
class TestScroll : public CUTKScrollBase {
public:
    explicit TestScroll(CWnd* wnd) : m_wnd(wnd)
    {
        m_si.cbSize = sizeof(m_si);
        m_si.fMask = SIF_ALL;
        m_si.nMin = 0;
        m_si.nMax = 99;
        m_si.nPage = 10;
        RecalcScrollBar();
    }
    BOOL IsScrollBarEnabled() const override { return TRUE; }
    CWnd* GetParentWindow() const override { return m_wnd; }
    void GetScrollBarRect(CRect* rc) override { *rc = m_rect; }
    void GetScrollInfo(SCROLLINFO* si) override { *si = m_si; }
    void DoScroll(int cmd, int pos) override
    {
        m_calls.emplace_back(cmd, pos);
        m_locks.push_back(GetThreadMouseManager()->GetLockCount());
        m_periods.push_back(GetAutoRepeatPeriod());
        int next = m_si.nPos;
        switch (cmd) {
        case SB_LINEUP: next -= 1; break;
        case SB_LINEDOWN: next += 1; break;
        case SB_PAGEUP: next -= 10; break;
        case SB_PAGEDOWN: next += 10; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: next = pos; break;
        default: break;
        }
        m_si.nPos = std::max(0, std::min(next, 90));
    }
    void RedrawScrollBar() override { ++m_redraws; }
    CUTKScrollBarPaintManager* GetScrollBarPaintManager() const override { return m_painter; }

    CWnd* m_wnd;
    CUTKScrollBarPaintManager* m_painter = nullptr;  // null: the system metrics
    CRect m_rect{10, 0, 27, 200};
    SCROLLINFO m_si = {};
    std::vector<Call> m_calls;
    std::vector<int> m_periods;
    std::vector<int> m_locks;  // the mouse manager's lock count at each call
    int m_redraws = 0;
};

}  // namespace

TEST(ScrollTrack, ThumbSnapsBackBeyondEightThicknesses)
{
    LoopWindow window;
    TestScroll bar(window.wnd());
    const UTK_SCROLLBAR_POSINFO& s = bar.GetScrollBarPosInfo();
    const int arrow = ::GetSystemMetrics(SM_CYVSCROLL);
    ASSERT_EQ(arrow, s.pxMin);
    ASSERT_GT(s.trackLength, 60);
    const int grabY = s.pxThumbTop + 2;
    const int movedY = grabY + 40;  // the thumb top moves 40 px down
    const int moved = CUTKScrollBase::PosFromThumbPixel(s, s.pxThumbTop + 40);
    ASSERT_GT(moved, 0);
    // 17 px wide bar at x 10..27: the drag rectangle reaches 8 x 17 = 136 px to each side.
    const int farRight = 27 + 8 * 17 + 5;
    const int nearRight = 27 + 8 * 17 - 5;
    window.Post(WM_MOUSEMOVE, {18, movedY});
    window.Post(WM_MOUSEMOVE, {farRight, movedY});   // outside: back to the start
    window.Post(WM_MOUSEMOVE, {nearRight, movedY});  // inside again: the drag resumes
    window.Post(WM_LBUTTONUP, {nearRight, movedY}, 0);
    bar.TrackScrollBar(window.wnd(), {18, grabY}, &bar.GetScrollBarPosInfo(), FALSE);

    const std::vector<Call> expected = {{SB_THUMBTRACK, 0}, {SB_THUMBTRACK, moved},
                                        {SB_THUMBTRACK, 0}, {SB_THUMBTRACK, moved},
                                        {SB_THUMBPOSITION, moved}, {SB_ENDSCROLL, 0}};
    EXPECT_EQ(expected, bar.m_calls);
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ(nullptr, bar.GetTrackInfo());
    // Popups stay locked while the loop reads messages, and are unlocked after it.
    const int before = GetThreadMouseManager()->GetLockCount();
    ASSERT_EQ(expected.size(), bar.m_locks.size());
    for (size_t i = 1; i + 2 < bar.m_locks.size(); ++i)
        EXPECT_EQ(before + 1, bar.m_locks[i]) << i;
}

TEST(ScrollTrack, ThumbDragEndsWhenTheButtonIsNoLongerDown)
{
    LoopWindow window;
    TestScroll bar(window.wnd());
    const UTK_SCROLLBAR_POSINFO& s = bar.GetScrollBarPosInfo();
    const int grabY = s.pxThumbTop + 1;
    const int moved = CUTKScrollBase::PosFromThumbPixel(s, s.pxThumbTop + 30);
    window.Post(WM_MOUSEMOVE, {18, grabY + 30});
    window.Post(WM_MOUSEMOVE, {18, grabY + 60}, 0);  // released outside the window
    bar.TrackScrollBar(window.wnd(), {18, grabY}, &bar.GetScrollBarPosInfo(), FALSE);
    const std::vector<Call> expected = {{SB_THUMBTRACK, 0}, {SB_THUMBTRACK, moved},
                                        {SB_THUMBPOSITION, moved}, {SB_ENDSCROLL, 0}};
    EXPECT_EQ(expected, bar.m_calls);
}

TEST(ScrollTrack, ShiftClickCentresTheThumbOnThePointer)
{
    LoopWindow window;
    TestScroll bar(window.wnd());
    const UTK_SCROLLBAR_POSINFO& s = bar.GetScrollBarPosInfo();
    const int y = 150;
    const int jumped = CUTKScrollBase::PosFromThumbPixel(s, y - s.thumbLength / 2);
    ASSERT_GT(jumped, 0);
    window.Post(WM_LBUTTONUP, {18, y}, 0);
    bar.TrackScrollBar(window.wnd(), {18, y}, &bar.GetScrollBarPosInfo(), TRUE);
    const std::vector<Call> expected = {{SB_THUMBTRACK, 0}, {SB_THUMBTRACK, jumped},
                                        {SB_THUMBPOSITION, jumped}, {SB_ENDSCROLL, 0}};
    EXPECT_EQ(expected, bar.m_calls);
}

TEST(ScrollTrack, HeldArrowStepsAtOnceThenRepeats)
{
    LoopWindow window;
    TestScroll bar(window.wnd());
    const UTK_SCROLLBAR_POSINFO& s = bar.GetScrollBarPosInfo();
    const CPoint onArrow(18, s.pxDownArrow + 3);
    // The repeat tick reads the cursor: put it on the arrow.
    POINT screen = onArrow;
    ::ClientToScreen(window.hwnd(), &screen);
    ::SetCursorPos(screen.x, screen.y);
    ::PostMessageW(window.hwnd(), WM_TIMER, CUTKScrollBase::kAutoRepeatTimer, 0);
    ::PostMessageW(window.hwnd(), WM_TIMER, CUTKScrollBase::kAutoRepeatTimer, 0);
    window.Post(WM_LBUTTONUP, onArrow, 0);
    bar.TrackScrollBar(window.wnd(), onArrow, &bar.GetScrollBarPosInfo(), FALSE);
    ::SetCursorPos(780, 580);

    const std::vector<Call> expected = {{SB_LINEDOWN, 0}, {SB_LINEDOWN, 0}, {SB_LINEDOWN, 0},
                                        {SB_ENDSCROLL, 0}};
    EXPECT_EQ(expected, bar.m_calls);
    const int dbl = static_cast<int>(::GetDoubleClickTime());
    ASSERT_EQ(4u, bar.m_periods.size());
    EXPECT_EQ(dbl * 4 / 5, bar.m_periods[0]);
    EXPECT_EQ(dbl / 10, bar.m_periods[1]);
    EXPECT_EQ(3, bar.m_si.nPos);
}

TEST(ScrollTrack, HeldPageAreaStopsWhenTheThumbReachesThePointer)
{
    LoopWindow window;
    TestScroll bar(window.wnd());
    const CPoint onTrack(18, 120);
    POINT screen = onTrack;
    ::ClientToScreen(window.hwnd(), &screen);
    ::SetCursorPos(screen.x, screen.y);
    for (int i = 0; i < 12; ++i)
        ::PostMessageW(window.hwnd(), WM_TIMER, CUTKScrollBase::kAutoRepeatTimer, 0);
    window.Post(WM_LBUTTONUP, onTrack, 0);
    bar.TrackScrollBar(window.wnd(), onTrack, &bar.GetScrollBarPosInfo(), FALSE);
    ::SetCursorPos(780, 580);

    // Paging went on while the thumb was above the pointer, and not once past it.
    const UTK_SCROLLBAR_POSINFO& s = bar.GetScrollBarPosInfo();
    ASSERT_GE(bar.m_calls.size(), 2u);
    EXPECT_EQ(Call(SB_ENDSCROLL, 0), bar.m_calls.back());
    const size_t pages = bar.m_calls.size() - 1;
    for (size_t i = 0; i < pages; ++i)
        EXPECT_EQ(SB_PAGEDOWN, bar.m_calls[i].first);
    EXPECT_LT(pages, 13u);
    EXPECT_GT(s.pxThumbBottom, onTrack.y);
    EXPECT_LE(s.pxThumbTop, onTrack.y + 1);
    // One page less would leave the thumb above the pointer.
    UTK_SCROLLBAR_POSINFO before = s;
    SCROLLINFO si = bar.m_si;
    si.nPos -= 10;
    CUTKScrollBase::CalcGeometry(s.rc, &before, si, ::GetSystemMetrics(SM_CYVSCROLL), 0);
    EXPECT_LE(before.pxThumbBottom, onTrack.y);
}

TEST(ScrollTrack, QuitEndsTheLoopAndIsPostedAgain)
{
    LoopWindow window;
    TestScroll bar(window.wnd());
    const CPoint onArrow(18, 3);
    bar.m_si.nPos = 50;
    bar.RecalcScrollBar();
    ::PostQuitMessage(7);
    bar.TrackScrollBar(window.wnd(), onArrow, &bar.GetScrollBarPosInfo(), FALSE);
    const std::vector<Call> expected = {{SB_LINEUP, 0}, {SB_ENDSCROLL, 0}};
    EXPECT_EQ(expected, bar.m_calls);
    EXPECT_EQ(nullptr, ::GetCapture());
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
}

TEST(ScrollTrack, ThumbThatDoesNotFitIsNotDragged)
{
    LoopWindow window;
    TestScroll bar(window.wnd());
    bar.m_si.nPage = 100;  // one page holds everything: the thumb fills the track
    bar.RecalcScrollBar();
    const UTK_SCROLLBAR_POSINFO& s = bar.GetScrollBarPosInfo();
    bar.TrackScrollBar(window.wnd(), {18, (s.pxUpArrow + s.pxDownArrow) / 2},
                       &bar.GetScrollBarPosInfo(), TRUE);
    EXPECT_TRUE(bar.m_calls.empty());
    EXPECT_EQ(nullptr, ::GetCapture());
}

namespace {

// A bar whose scrolling starts an animation of three steps (timer 23346 ticks).
class AnimatedScroll : public TestScroll {
public:
    using TestScroll::TestScroll;
    void DoScroll(int cmd, int pos) override
    {
        TestScroll::DoScroll(cmd, pos);
        if (cmd == SB_ENDSCROLL)
            SetAnimating(TRUE);
    }
    void DoAnimate() override
    {
        if (++m_steps >= 3)
            SetAnimating(FALSE);
    }
    int m_steps = 0;
};

}  // namespace

TEST(ScrollTrack, TrailingAnimationIsPumpedToItsEnd)
{
    LoopWindow window;
    AnimatedScroll bar(window.wnd());
    const CPoint onArrow(18, 3);
    bar.m_si.nPos = 50;
    bar.RecalcScrollBar();
    window.Post(WM_LBUTTONUP, onArrow, 0);
    for (int i = 0; i < 5; ++i)
        ::PostMessageW(window.hwnd(), WM_TIMER, CUTKScrollBase::kAnimationTimer, 0);
    bar.TrackScrollBar(window.wnd(), onArrow, &bar.GetScrollBarPosInfo(), FALSE);
    EXPECT_EQ(3, bar.m_steps);
    EXPECT_FALSE(bar.IsAnimating());
    // The two ticks after the animation ended are still queued.
    MSG msg;
    int left = 0;
    while (::PeekMessageW(&msg, window.hwnd(), WM_TIMER, WM_TIMER, PM_REMOVE))
        ++left;
    EXPECT_EQ(2, left);
}

TEST(ScrollTrack, QuitEndsTheTrailingAnimation)
{
    LoopWindow window;
    AnimatedScroll bar(window.wnd());
    const CPoint onArrow(18, 3);
    bar.m_si.nPos = 50;
    bar.RecalcScrollBar();
    window.Post(WM_LBUTTONUP, onArrow, 0);
    ::PostMessageW(window.hwnd(), WM_TIMER, CUTKScrollBase::kAnimationTimer, 0);
    ::PostQuitMessage(3);
    bar.TrackScrollBar(window.wnd(), onArrow, &bar.GetScrollBarPosInfo(), FALSE);
    EXPECT_EQ(1, bar.m_steps);
    EXPECT_TRUE(bar.IsAnimating());
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3u, msg.wParam);
}

TEST(ScrollTrack, FixedThumbFollowsThePointerFarSideways)
{
    // A slider's thumb (fixed length) has no snap-back.
    LoopWindow window;
    CUTKSliderPaintManager slider(nullptr);
    slider.RefreshMetrics();
    TestScroll bar(window.wnd());
    bar.m_painter = &slider;
    bar.RecalcScrollBar();
    const UTK_SCROLLBAR_POSINFO& s = bar.GetScrollBarPosInfo();
    ASSERT_EQ(11, s.thumbLength);
    const int grabY = s.pxThumbTop + 2;
    const int moved = CUTKScrollBase::PosFromThumbPixel(s, s.pxThumbTop + 40);
    window.Post(WM_MOUSEMOVE, {300, grabY + 40});  // far outside the drag rectangle
    window.Post(WM_LBUTTONUP, {300, grabY + 40}, 0);
    bar.TrackScrollBar(window.wnd(), {18, grabY}, &bar.GetScrollBarPosInfo(), FALSE);
    const std::vector<Call> expected = {{SB_THUMBTRACK, 0}, {SB_THUMBTRACK, moved},
                                        {SB_THUMBPOSITION, moved}, {SB_ENDSCROLL, 0}};
    EXPECT_EQ(expected, bar.m_calls);
}

namespace {

// Draws itself flat at every redraw and keeps the first arrow's top-left pixel.
class DrawnScroll : public TestScroll {
public:
    using TestScroll::TestScroll;
    void RedrawScrollBar() override
    {
        TestScroll::RedrawScrollBar();
        orvane::test::DrawCanvas canvas(40, 210, RGB(1, 2, 3));
        m_painter->DrawScrollBar(canvas.dc(), this);
        m_corners.push_back(canvas.At(10, 0));
    }
    std::vector<COLORREF> m_corners;
};

}  // namespace

TEST(ScrollTrack, HeldArrowIsDrawnPressedUntilReleased)
{
    LoopWindow window;
    CUTKScrollBarPaintManager painter(nullptr);
    DrawnScroll bar(window.wnd());
    bar.m_painter = &painter;
    bar.m_si.nPos = 50;
    bar.RecalcScrollBar();
    ASSERT_EQ(2, bar.GetScrollBarStyle());
    const CPoint onArrow(18, 3);
    window.Post(WM_LBUTTONUP, onArrow, 0);
    bar.TrackScrollBar(window.wnd(), onArrow, &bar.GetScrollBarPosInfo(), FALSE);
    // Pressed: the flat frame turns round (shadow top-left); afterwards it is raised again.
    const COLORREF shadow = GetColorManager()->GetColor(16);
    const COLORREF light = GetColorManager()->GetColor(20);
    ASSERT_GE(bar.m_corners.size(), 2u);
    EXPECT_EQ(shadow, bar.m_corners.front());
    EXPECT_EQ(light, bar.m_corners.back());
}
