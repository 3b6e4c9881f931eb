// The custom slider under Xvfb with real (SendInput) mouse input: click-to-position, dragging
// past the end, a click that changes nothing, and the thumb's own dragging left alone.
#include "WinNT_SP/Include_VS2005/ui/SliderCtrlEx.h"
#include "tests/WinNT_SP/Include_VS2005/ui/UiTestWindow.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <vector>

using namespace orvane::test;

namespace {

struct Scroll {
    int code;
    int position;
};
std::vector<Scroll> g_scrolls;
WNDPROC g_hostProc = nullptr;

LRESULT CALLBACK RecordingHost(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HSCROLL) {
        g_scrolls.push_back({LOWORD(wParam), static_cast<short>(HIWORD(wParam))});
        return 0;
    }
    return CallWindowProcW(g_hostProc, window, message, wParam, lParam);
}

class SliderInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_host = CreateHostWindow(L"Slider", 400, 120);
        g_hostProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(m_host, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingHost)));
        HWND track = CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE | TBS_HORZ,
                                     10, 10, 320, 30, m_host, nullptr, GetModuleHandleW(nullptr),
                                     nullptr);
        ASSERT_TRUE(m_slider.SubclassWindow(track));
        m_slider.SetRange(0, 100, TRUE);
        m_slider.SetPos(50);
        SetForegroundWindow(m_host);
        PumpMessages(50);
        g_scrolls.clear();
    }
    void TearDown() override
    {
        Input(MOUSEEVENTF_LEFTUP);
        PumpMessages(20);
        m_slider.UnsubclassWindow();
        DestroyWindow(m_host);
    }
    // Screen point of a position along the channel's middle line.
    POINT PointOf(int position)
    {
        RECT channel;
        m_slider.GetChannelRect(&channel);
        POINT p = {channel.left + (channel.right - channel.left) * position / 100,
                   (channel.top + channel.bottom) / 2};
        ClientToScreen(m_slider.m_hWnd, &p);
        return p;
    }
    static void MoveTo(POINT p)
    {
        SetCursorPos(p.x, p.y);
        INPUT in = {};
        in.type = INPUT_MOUSE;
        in.mi.dx = p.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
        in.mi.dy = p.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
        in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &in, sizeof(in));
        PumpMessages(30);
    }
    static void Input(DWORD flags)
    {
        INPUT in = {};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = flags;
        SendInput(1, &in, sizeof(in));
        PumpMessages(30);
    }

    HWND m_host = nullptr;
    CSliderCtrlEx m_slider;
};

}  // namespace

TEST(SliderPosition, ChannelMapping)
{
    const RECT channel = {10, 0, 110, 4};
    struct Case {
        int coordinate;
        int position;
    } cases[] = {{10, 0}, {60, 50}, {110, 100}, {35, 25}, {-90, -99}, {210, 200}};
    for (const Case& c : cases) {
        int position = -999;
        ASSERT_TRUE(CSliderCtrlEx::PositionFromChannel(0, 100, channel, c.coordinate, &position));
        EXPECT_EQ(position, c.position) << c.coordinate;
    }
    int position = 7;
    const RECT empty = {20, 0, 20, 4};
    EXPECT_FALSE(CSliderCtrlEx::PositionFromChannel(0, 100, empty, 25, &position));
    EXPECT_EQ(position, 7);
}

TEST_F(SliderInput, ClickLeftOfThumbJumpsThereAndEndsTrackOnRelease)
{
    MoveTo(PointOf(20));
    Input(MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(m_slider.IsDragging());
    const int jumped = m_slider.GetPos();
    EXPECT_NEAR(jumped, 20, 1);
    ASSERT_EQ(g_scrolls.size(), 1u);
    EXPECT_EQ(g_scrolls[0].code, TB_THUMBTRACK);
    EXPECT_EQ(g_scrolls[0].position, jumped);
    Input(MOUSEEVENTF_LEFTUP);
    EXPECT_FALSE(m_slider.IsDragging());
    ASSERT_EQ(g_scrolls.size(), 2u);
    EXPECT_EQ(g_scrolls[1].code, TB_ENDTRACK);
    EXPECT_EQ(g_scrolls[1].position, jumped);
}

TEST_F(SliderInput, DragBeyondTheEndReportsTheEndOnce)
{
    MoveTo(PointOf(80));
    Input(MOUSEEVENTF_LEFTDOWN);
    POINT beyond = PointOf(100);
    beyond.x += 40;
    MoveTo(beyond);
    EXPECT_EQ(m_slider.GetPos(), 100);
    const size_t afterEnd = g_scrolls.size();
    beyond.x += 10;
    MoveTo(beyond);
    beyond.x += 10;
    MoveTo(beyond);
    EXPECT_EQ(g_scrolls.size(), afterEnd) << "no further TB_THUMBTRACK without a change";
    Input(MOUSEEVENTF_LEFTUP);
    ASSERT_FALSE(g_scrolls.empty());
    EXPECT_EQ(g_scrolls.back().code, TB_ENDTRACK);
    EXPECT_EQ(g_scrolls.back().position, 100);
    for (size_t i = 0; i + 1 < g_scrolls.size(); ++i) {
        EXPECT_EQ(g_scrolls[i].code, TB_THUMBTRACK);
    }
}

TEST_F(SliderInput, ClickOnTheCurrentPositionOutsideTheThumbSendsNothing)
{
    // The thumb covers the current position: set a wide range so a point beside the thumb
    // still maps to it.
    m_slider.SetRange(0, 2, TRUE);
    m_slider.SetPos(0);
    PumpMessages(20);
    RECT thumb;
    m_slider.GetThumbRect(&thumb);
    RECT channel;
    m_slider.GetChannelRect(&channel);
    POINT p = {thumb.right + 3, (channel.top + channel.bottom) / 2};
    int position = -1;
    ASSERT_TRUE(CSliderCtrlEx::PositionFromChannel(0, 2, channel, p.x, &position));
    ASSERT_EQ(position, 0) << "the point must map to the current position";
    ClientToScreen(m_slider.m_hWnd, &p);
    g_scrolls.clear();
    MoveTo(p);
    Input(MOUSEEVENTF_LEFTDOWN);
    Input(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(g_scrolls.empty());
    EXPECT_EQ(m_slider.GetPos(), 0);
}

TEST_F(SliderInput, PressingTheThumbLeavesTheControlsOwnDragging)
{
    RECT thumb;
    m_slider.GetThumbRect(&thumb);
    POINT p = {(thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2};
    ClientToScreen(m_slider.m_hWnd, &p);
    MoveTo(p);
    Input(MOUSEEVENTF_LEFTDOWN);
    EXPECT_FALSE(m_slider.IsDragging());
    Input(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(m_slider.GetPos(), 50);
}

TEST_F(SliderInput, CaptureTakenAwayMidDragEndsTheTrack)
{
    MoveTo(PointOf(30));
    Input(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(m_slider.IsDragging());
    SetCapture(m_host);
    ReleaseCapture();
    EXPECT_FALSE(m_slider.IsDragging());
    ASSERT_EQ(g_scrolls.size(), 2u);
    EXPECT_EQ(g_scrolls[1].code, TB_ENDTRACK);
    EXPECT_EQ(g_scrolls[1].position, g_scrolls[0].position);
}
