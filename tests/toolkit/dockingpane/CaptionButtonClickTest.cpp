// The caption button's modal click on a real window, driven by posted input.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/toolkit/dockingpane/TestCaptionOwner.h"

using orvane::test::TestCaptionOwner;
using Button = CUTKDockingPaneCaptionButton;

namespace {

HWND MakeWindow()
{
    ::SetCursorPos(780, 580);
    HWND window = ::CreateWindowExW(0, L"STATIC", L"caption", WS_POPUP | WS_VISIBLE, 0, 0, 200,
                                    60, nullptr, nullptr, nullptr, nullptr);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::DispatchMessageW(&msg);
    }
    return window;
}

}  // namespace

TEST(CaptionButtonClick, ResultDependsOnWhereAndHowTheLoopEnds)
{
    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
        CPoint point;
        BOOL result;
    };
    const Case cases[] = {
        {"released on it", WM_LBUTTONUP, 0, CPoint(15, 15), TRUE},
        {"released outside", WM_LBUTTONUP, 0, CPoint(100, 50), FALSE},
        {"escape", WM_KEYDOWN, VK_ESCAPE, CPoint(15, 15), FALSE},
        {"right button", WM_RBUTTONDOWN, 0, CPoint(15, 15), FALSE},
    };
    for (const Case& c : cases) {
        HWND window = MakeWindow();
        ASSERT_NE(window, nullptr);
        TestCaptionOwner owner({Button::idClose});
        owner.m_window = window;
        Button* button = (*owner.GetCaptionButtons())[0];
        button->SetRect(CRect(10, 10, 24, 24));
        ::PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(c.point.x, c.point.y));
        ::PostMessageW(window, c.message, c.wParam, MAKELPARAM(c.point.x, c.point.y));
        EXPECT_EQ(button->Click(window, CPoint(15, 15)), c.result) << c.name;
        EXPECT_EQ(::GetCapture(), nullptr) << c.name;
        EXPECT_FALSE(button->IsPressed()) << c.name;
        ::DestroyWindow(window);
    }
}

TEST(CaptionButtonClick, GivesUpWhileAnotherWindowHoldsTheCaptureAndPassesQuitOn)
{
    HWND window = MakeWindow();
    HWND other = MakeWindow();
    TestCaptionOwner owner({Button::idClose});
    owner.m_window = window;
    Button* button = (*owner.GetCaptionButtons())[0];
    button->SetRect(CRect(10, 10, 24, 24));
    ::SetCapture(other);
    if (::GetCapture() == other) {
        EXPECT_FALSE(button->Click(window, CPoint(15, 15)));
        EXPECT_EQ(::GetCapture(), other);
        ::ReleaseCapture();
    }
    ::PostQuitMessage(3);
    EXPECT_FALSE(button->Click(window, CPoint(15, 15)));
    EXPECT_EQ(::GetCapture(), nullptr);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
    ::DestroyWindow(other);
    ::DestroyWindow(window);
}
