// Small helpers of the window tests: a plain top-level host window, message pumping, and an
// optional pause (ORVANE_HOLD_MS) that keeps the windows up for a screenshot.
#pragma once

#include <windows.h>

#include <cstdlib>

namespace orvane::test {

inline void PumpMessages(DWORD ms = 0)
{
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (ms) {
            Sleep(10);
        }
    } while (GetTickCount() - start < ms);
}

inline void HoldForScreenshot()
{
    if (const char* hold = std::getenv("ORVANE_HOLD_MS")) {
        PumpMessages(static_cast<DWORD>(std::atoi(hold)));
    }
}

inline HWND CreateHostWindow(const wchar_t* title, int width, int height)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = L"OrvaneUiTestHost";
        RegisterClassW(&wc);
        registered = true;
    }
    HWND host = CreateWindowExW(0, L"OrvaneUiTestHost", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                40, 40, width, height, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    PumpMessages();
    return host;
}

// The screen colour of a window's client pixel as 0x00BBGGRR.
inline COLORREF ScreenPixel(HWND window, int x, int y)
{
    UpdateWindow(window);
    PumpMessages();
    HDC dc = GetDC(window);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return c;
}

}  // namespace orvane::test
