// The yardstick of the start-up benchmark: a bare Win32 program that only shows a window.
#include <windows.h>

namespace {

LRESULT CALLBACK BareProc(HWND window, UINT message, WPARAM wp, LPARAM lp)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int show)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = BareProc;
    wc.hInstance = instance;
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = L"BareBenchWindow";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"Bare window", WS_OVERLAPPEDWINDOW,
                                  40, 40, 900, 560, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
