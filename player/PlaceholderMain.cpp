// Placeholder player: opens one window naming the file it was given, so the build, the run
// script and the screenshot can be checked before the player core exists.
#include <windows.h>

namespace {

const wchar_t* g_file = L"";

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT rc;
        GetClientRect(hwnd, &rc);
        FillRect(dc, &rc, GetSysColorBrush(COLOR_WINDOW));
        const wchar_t* text = L"Orvane Presentation Player (placeholder build)";
        DrawTextW(dc, text, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        RECT below = rc;
        below.top = (rc.bottom + rc.top) / 2 + 20;
        DrawTextW(dc, g_file, -1, &below, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_PATH_ELLIPSIS);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, LPWSTR cmdLine, int show)
{
    g_file = cmdLine;
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WndProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = L"OrvanePresentationPlayerWndClass";
    if (!RegisterClassExW(&wc)) {
        return 1;
    }
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"Orvane Presentation Player",
                                WS_OVERLAPPEDWINDOW, 40, 40, 800, 500, nullptr, nullptr, inst,
                                nullptr);
    if (!hwnd) {
        return 1;
    }
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
