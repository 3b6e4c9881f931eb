// The customisation edge-resize loop on a bar window made with CreateEx, driven by posted
// input: release accepts, Escape cancels, the width never goes below the control's minimum,
// and WM_QUIT or a lost capture end the loop with the desktop unlocked and WM_QUIT posted again.
#include "toolkit/controls/CUTKControl.h"

#include <gtest/gtest.h>

#include <memory>

#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/controls/CUTKControls.h"

namespace {

struct Release {
    void operator()(CCmdTarget* target) const { target->InternalRelease(); }
};
template <class T>
using Held = std::unique_ptr<T, Release>;

class ResizableControl : public CUTKControl {
public:
    BOOL IsCustomizeResizeAllow() const override { return TRUE; }
    int GetCustomizeMinWidth() const override { return 30; }
};

constexpr UINT kDropCaptureMessage = WM_APP + 7;

class ControlResize : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_bars.reset(new CUTKCommandBars());
        m_bars->SetCustomizeMode(TRUE);
        m_bar.reset(new CUTKCommandBar());
        m_bar->SetCommandBars(m_bars.get());
        ASSERT_TRUE(m_bar->CreateEx(0, AfxRegisterWndClass(0), L"resize", WS_POPUP, 50, 50, 300,
                                    40, nullptr, nullptr));
        ::ShowWindow(m_bar->GetSafeHwnd(), SW_SHOWNOACTIVATE);
        m_control = new ResizableControl();
        m_bar->GetControls()->AddControl(m_control, 100);
        m_control->SetRect(CRect(10, 5, 110, 27));
        Drain();
    }
    void TearDown() override
    {
        Drain();
        if (m_bar && m_bar->GetSafeHwnd()) {
            m_bar->DestroyWindow();
        }
        m_bar.reset();
        m_bars.reset();
    }
    static void Drain()
    {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                continue;
            }
            ::DispatchMessageW(&msg);
        }
    }
    void PostMove(int x)
    {
        ::PostMessageW(m_bar->GetSafeHwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 10));
    }
    // TRUE when no window holds the desktop's update lock.
    bool DesktopUnlocked()
    {
        const bool locked = ::LockWindowUpdate(m_bar->GetSafeHwnd()) != FALSE;
        if (locked) {
            ::LockWindowUpdate(nullptr);
        }
        return locked;
    }

    Held<CUTKCommandBars> m_bars;
    Held<CUTKCommandBar> m_bar;
    ResizableControl* m_control = nullptr;
};

TEST_F(ControlResize, ReleaseAcceptsTheNewWidth)
{
    PostMove(140);
    PostMove(138);
    ::PostMessageW(m_bar->GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(138, 10));
    EXPECT_TRUE(m_control->CustomizeStartResize(CPoint(109, 10)));
    EXPECT_EQ(129, m_control->GetWidth());  // the right edge followed the pointer by +29
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_TRUE(DesktopUnlocked());
}

TEST_F(ControlResize, TheLeftEdgeMovesToo)
{
    PostMove(1);
    ::PostMessageW(m_bar->GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(1, 10));
    EXPECT_TRUE(m_control->CustomizeStartResize(CPoint(11, 10)));
    EXPECT_EQ(110, m_control->GetWidth());
}

TEST_F(ControlResize, EscapeLeavesTheWidthUnchanged)
{
    PostMove(200);
    ::PostMessageW(m_bar->GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(m_control->CustomizeStartResize(CPoint(109, 10)));
    EXPECT_EQ(0, m_control->GetWidth());
    EXPECT_TRUE(DesktopUnlocked());
}

TEST_F(ControlResize, NeverNarrowerThanTheMinimum)
{
    PostMove(12);
    ::PostMessageW(m_bar->GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(12, 10));
    EXPECT_TRUE(m_control->CustomizeStartResize(CPoint(109, 10)));
    EXPECT_EQ(30, m_control->GetWidth());
}

TEST_F(ControlResize, APointAwayFromTheEdgesIsNoResize)
{
    const CPoint points[] = {CPoint(13, 10), CPoint(107, 10), CPoint(60, 10), CPoint(200, 10)};
    for (const CPoint& point : points) {
        EXPECT_FALSE(m_control->CustomizeStartResize(point)) << point.x;
    }
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(ControlResize, WmQuitEndsTheLoopAndIsPostedAgain)
{
    PostMove(200);
    ::PostQuitMessage(5);
    EXPECT_TRUE(m_control->CustomizeStartResize(CPoint(109, 10)));
    EXPECT_EQ(0, m_control->GetWidth());
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_TRUE(DesktopUnlocked());
    MSG msg{};
    bool quit = false;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit = true;
            EXPECT_EQ(5u, msg.wParam);
            break;
        }
        ::DispatchMessageW(&msg);
    }
    EXPECT_TRUE(quit);
}

// A window that drops the capture when told, as another program taking the mouse would.
LRESULT CALLBACK DropCaptureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kDropCaptureMessage) {
        ::ReleaseCapture();
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

TEST_F(ControlResize, ALostCaptureEndsTheLoop)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = DropCaptureProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"OrvaneDropCapture";
    ::RegisterClassW(&wc);
    HWND dropper = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                                     nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, dropper);
    PostMove(200);
    ::PostMessageW(dropper, kDropCaptureMessage, 0, 0);
    EXPECT_TRUE(m_control->CustomizeStartResize(CPoint(109, 10)));
    EXPECT_EQ(0, m_control->GetWidth());
    EXPECT_TRUE(DesktopUnlocked());
    ::DestroyWindow(dropper);
}

}  // namespace
