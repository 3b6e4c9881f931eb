// Painting a 100-button toolbar in all states into a 32-bit memory DC with theme 0 and theme 3,
// beside a system toolbar with the same 100 buttons and states painted by WM_PRINTCLIENT, and
// installing theme 3 with its refresh. Prints microseconds per paint and the ratios. Run it
// twice (with WINEDLLOVERRIDES=uxtheme=d theme 3 draws as the Default theme).
#include <windows.h>
#include <commctrl.h>

#include "tests/toolkit/themes/ThemeShowcase.h"
#include "toolkit/themes/CUTKPaintManager.h"

#include <cstdio>

using orvane::test::DrawCanvas;
using orvane::test::ShowcaseToolbar;

namespace {

constexpr int kButtons = 100;
constexpr int kRounds = 50;

double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1e6 /
           static_cast<double>(frequency.QuadPart);
}

double TimeTheme(int number, ShowcaseToolbar& toolbar)
{
    CUTKPaintManager* paint = CUTKPaintManager::CreateTheme(number);
    paint->RefreshMetrics();
    DrawCanvas canvas(toolbar.width, 26, ::GetSysColor(COLOR_BTNFACE));
    toolbar.Draw(paint, canvas.dc());  // first paint fills the icon caches
    LARGE_INTEGER a;
    LARGE_INTEGER b;
    ::QueryPerformanceCounter(&a);
    for (int i = 0; i < kRounds; ++i) {
        toolbar.Draw(paint, canvas.dc());
    }
    ::GdiFlush();
    ::QueryPerformanceCounter(&b);
    paint->InternalRelease();
    return Microseconds(a, b) / kRounds;
}

double TimeSystemToolbar(int width)
{
    HWND parent = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, width, 40, nullptr,
                                    nullptr, nullptr, nullptr);
    HWND toolbar = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                                     WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NODIVIDER |
                                         CCS_NORESIZE | CCS_NOPARENTALIGN,
                                     0, 0, width, 26, parent, nullptr, nullptr, nullptr);
    ::SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    HIMAGELIST images = ::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 8, 0);
    HDC screen = ::GetDC(nullptr);
    for (int i = 0; i < 8; ++i) {
        HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 16, 16);
        HDC dc = ::CreateCompatibleDC(screen);
        HGDIOBJ old = ::SelectObject(dc, bitmap);
        RECT rc = {0, 0, 16, 16};
        HBRUSH mask = ::CreateSolidBrush(RGB(255, 0, 255));
        ::FillRect(dc, &rc, mask);
        ::DeleteObject(mask);
        HBRUSH disc = ::CreateSolidBrush(RGB(32 * i, 96, 192));
        HGDIOBJ oldBrush = ::SelectObject(dc, disc);
        ::Ellipse(dc, 2, 1, 13, 12);
        ::SelectObject(dc, oldBrush);
        ::DeleteObject(disc);
        ::SelectObject(dc, old);
        ::DeleteDC(dc);
        ::ImageList_AddMasked(images, bitmap, RGB(255, 0, 255));
        ::DeleteObject(bitmap);
    }
    ::ReleaseDC(nullptr, screen);
    ::SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    TBBUTTON buttons[kButtons] = {};
    for (int i = 0; i < kButtons; ++i) {
        const int kind = i % 7;
        buttons[i].iBitmap = i % 8;
        buttons[i].idCommand = 1000 + i;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = kind == 6 ? BTNS_DROPDOWN : BTNS_BUTTON;
        if (kind == 2) {
            buttons[i].fsState |= TBSTATE_PRESSED;
        } else if (kind == 3 || kind == 4) {
            buttons[i].fsState |= TBSTATE_CHECKED;
        } else if (kind == 5) {
            buttons[i].fsState = 0;
        }
    }
    ::SendMessageW(toolbar, TB_ADDBUTTONSW, kButtons, reinterpret_cast<LPARAM>(buttons));
    ::SendMessageW(toolbar, TB_SETHOTITEM, 1, 0);
    DrawCanvas canvas(width, 26, ::GetSysColor(COLOR_BTNFACE));
    ::SendMessageW(toolbar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.hdc()),
                   PRF_CLIENT | PRF_ERASEBKGND);
    LARGE_INTEGER a;
    LARGE_INTEGER b;
    ::QueryPerformanceCounter(&a);
    for (int i = 0; i < kRounds; ++i) {
        ::SendMessageW(toolbar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.hdc()),
                       PRF_CLIENT | PRF_ERASEBKGND);
    }
    ::GdiFlush();
    ::QueryPerformanceCounter(&b);
    ::DestroyWindow(parent);
    ::ImageList_Destroy(images);
    return Microseconds(a, b) / kRounds;
}

double TimeSetTheme()
{
    constexpr int kSwitches = 20;
    CUTKPaintManager::SetTheme(3);
    LARGE_INTEGER a;
    LARGE_INTEGER b;
    ::QueryPerformanceCounter(&a);
    for (int i = 0; i < kSwitches; ++i) {
        CUTKPaintManager::SetTheme(3);
    }
    ::QueryPerformanceCounter(&b);
    CUTKPaintManager::Done();
    return Microseconds(a, b) / kSwitches;
}

}  // namespace

int main()
{
    INITCOMMONCONTROLSEX init = {sizeof(init), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&init);
    HMODULE uxtheme = ::LoadLibraryW(L"uxtheme.dll");
    const char* run = uxtheme != nullptr ? "visual style" : "uxtheme off";
    if (uxtheme != nullptr) {
        ::FreeLibrary(uxtheme);
    }
    ShowcaseToolbar toolbar(kButtons);
    const double theme0 = TimeTheme(0, toolbar);
    const double theme3 = TimeTheme(3, toolbar);
    const double system = TimeSystemToolbar(toolbar.width);
    const double setTheme = TimeSetTheme();
    std::printf("toolkit paint (%s): 100-button toolbar, all states, memory DC\n", run);
    std::printf("  theme 0 (Default)        %9.1f us/paint  ratio to system %.2f\n", theme0,
                theme0 / system);
    std::printf("  theme 3 (Native XP)      %9.1f us/paint  ratio to system %.2f\n", theme3,
                theme3 / system);
    std::printf("  system toolbar (PRINTCLIENT) %5.1f us/paint\n", system);
    std::printf("  SetTheme(3) with refresh %9.1f us\n", setTheme);
    return 0;
}
