// The splitter tracker's modal loop, driven by mouse and key messages posted to its window:
// the release accepts the moved bar (clamped into the available area), Escape cancels and the
// bar drawn on the desktop is erased again.
#include <gtest/gtest.h>

#include "tests/toolkit/common/DrawCanvas.h"
#include "toolkit/common/SplitterTracker.h"

#include <vector>

namespace {

using orvane::test::DrawCanvas;

class SplitterTrackerTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_wnd.m_hWnd = ::CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE,
                                         200, 200, 300, 100, nullptr, nullptr, nullptr,
                                         nullptr);
        ASSERT_NE(nullptr, m_wnd.m_hWnd);
        ::UpdateWindow(m_wnd.m_hWnd);
        Pump();
    }
    void TearDown() override
    {
        ::DestroyWindow(m_wnd.m_hWnd);
        m_wnd.m_hWnd = nullptr;
    }
    static void Pump()
    {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::DispatchMessageW(&msg);
        }
    }
    void PostMove(int clientX, int clientY)
    {
        ::PostMessageW(m_wnd.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(clientX, clientY));
    }
    // The screen area around the window, as it shows now.
    std::vector<COLORREF> Screen()
    {
        DrawCanvas canvas(340, 140, 0);
        HDC screen = ::GetDC(nullptr);
        ::BitBlt(canvas.hdc(), 0, 0, 340, 140, screen, 180, 180, SRCCOPY);
        ::ReleaseDC(nullptr, screen);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < 140; ++y) {
            for (int x = 0; x < 340; ++x) {
                pixels.push_back(canvas.At(x, y));
            }
        }
        return pixels;
    }

    CWnd m_wnd;
};

TEST_F(SplitterTrackerTest, ReleaseAcceptsTheClampedPosition)
{
    struct Case {
        int clientX;
        LONG left;
    } cases[] = {
        // Screen 350, grabbed 2 pixels right of the bar's left edge.
        {150, 348},
        // Beyond the available area: its right edge.
        {900, 480},
        // Before it: its left edge.
        {-150, 210},
    };
    for (const Case& c : cases) {
        CRect tracker(300, 200, 304, 300);
        PostMove(c.clientX, 50);
        ::PostMessageW(m_wnd.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(c.clientX, 50));
        SplitterTracker splitter(FALSE, TRUE);
        EXPECT_TRUE(splitter.Track(&m_wnd, CRect(210, 0, 480, 1000), tracker, CPoint(302, 250),
                                   TRUE));
        EXPECT_EQ(CRect(c.left, 200, c.left + 4, 300), tracker) << c.clientX;
        EXPECT_EQ(nullptr, ::GetCapture());
    }
}

TEST_F(SplitterTrackerTest, VerticalMovesOnlyTheTop)
{
    CRect tracker(200, 240, 500, 244);
    PostMove(40, 80);
    ::PostMessageW(m_wnd.m_hWnd, WM_LBUTTONUP, 0, 0);
    SplitterTracker splitter(TRUE, FALSE);
    EXPECT_TRUE(splitter.Track(&m_wnd, CRect(0, 210, 2000, 290), tracker, CPoint(240, 242),
                               FALSE));
    // Screen y 280 minus the 2-pixel grab.
    EXPECT_EQ(CRect(200, 278, 500, 282), tracker);
}

TEST_F(SplitterTrackerTest, EscapeCancelsAndLeavesTheScreenAsItWas)
{
    const std::vector<COLORREF> before = Screen();
    // The read-back shows the screen: the window's face differs from the desktop beside it.
    ASSERT_NE(before[10 * 340 + 10], before[70 * 340 + 170]);
    CRect tracker(300, 200, 304, 300);
    PostMove(120, 50);
    ::PostMessageW(m_wnd.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    SplitterTracker splitter(FALSE, TRUE);
    splitter.m_rcBound = CRect(250, 210, 260, 220);
    EXPECT_FALSE(splitter.Track(&m_wnd, CRect(210, 0, 480, 1000), tracker, CPoint(302, 250),
                                TRUE));
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_TRUE(before == Screen());
}

TEST_F(SplitterTrackerTest, QuitCancelsAndStaysQueued)
{
    CRect tracker(300, 200, 304, 300);
    ::PostQuitMessage(7);
    SplitterTracker splitter(FALSE, TRUE);
    EXPECT_FALSE(splitter.Track(&m_wnd, CRect(210, 0, 480, 1000), tracker, CPoint(302, 250),
                                TRUE));
    EXPECT_EQ(nullptr, ::GetCapture());
    // The loop that owns the thread still sees the request.
    MSG msg = {};
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
}

}  // namespace
