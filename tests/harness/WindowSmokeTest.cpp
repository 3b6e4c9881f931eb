// A real window under Xvfb: created, painted, and read back pixel by pixel.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

LRESULT CALLBACK PaintProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_PAINT || msg == WM_PRINTCLIENT) {
        PAINTSTRUCT ps{};
        HDC dc = (msg == WM_PAINT) ? BeginPaint(hwnd, &ps) : reinterpret_cast<HDC>(wp);
        RECT rc;
        GetClientRect(hwnd, &rc);
        RECT left = rc;
        left.right = rc.right / 2;
        RECT right = rc;
        right.left = rc.right / 2;
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
        FillRect(dc, &left, red);
        FillRect(dc, &right, blue);
        DeleteObject(red);
        DeleteObject(blue);
        if (msg == WM_PAINT) {
            EndPaint(hwnd, &ps);
        }
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

TEST(WindowSmoke, PaintedPixelsReadBack)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = PaintProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"HarnessPaintWindow";
    ASSERT_NE(RegisterClassW(&wc), 0);
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"paint", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                10, 10, 200, 100, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(hwnd, nullptr) << "no display?";
    UpdateWindow(hwnd);

    RECT rc;
    GetClientRect(hwnd, &rc);
    HDC wdc = GetDC(hwnd);
    HDC mem = CreateCompatibleDC(wdc);
    HBITMAP bmp = CreateCompatibleBitmap(wdc, rc.right, rc.bottom);
    HGDIOBJ old = SelectObject(mem, bmp);
    SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
    EXPECT_EQ(GetPixel(mem, 5, 5), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(mem, rc.right - 5, rc.bottom - 5), RGB(0, 0, 255));
    // The screen itself, through the window DC, shows what WM_PAINT drew.
    EXPECT_EQ(GetPixel(wdc, 5, 5), RGB(255, 0, 0));
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(hwnd, wdc);
    DestroyWindow(hwnd);
    UnregisterClassW(wc.lpszClassName, wc.hInstance);
}
