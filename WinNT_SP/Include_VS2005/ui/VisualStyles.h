// The visual-styles functions of UxTheme.dll, bound once at run time for the custom button and
// slider. A failed bind is remembered and never retried; without it both controls draw as their
// system classes do.
#pragma once

#include <windows.h>
#include <uxtheme.h>

BOOL LoadUxTheme();
BOOL IsThemingActive();

struct VisualStyles {
    using IsAppThemedFn = BOOL(WINAPI*)();
    using IsThemeActiveFn = BOOL(WINAPI*)();
    using DrawThemeBackgroundFn = HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*,
                                                   const RECT*);
    using DrawThemeParentBackgroundFn = HRESULT(WINAPI*)(HWND, HDC, const RECT*);
    using GetThemeBackgroundContentRectFn = HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*,
                                                             RECT*);
    using GetThemeBackgroundExtentFn = HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*,
                                                        RECT*);
    using OpenThemeDataFn = HTHEME(WINAPI*)(HWND, LPCWSTR);
    using CloseThemeDataFn = HRESULT(WINAPI*)(HTHEME);

    static IsAppThemedFn IsAppThemed();
    static IsThemeActiveFn IsThemeActive();
    static DrawThemeBackgroundFn DrawThemeBackground();
    static DrawThemeParentBackgroundFn DrawThemeParentBackground();
    static GetThemeBackgroundContentRectFn GetThemeBackgroundContentRect();
    static GetThemeBackgroundExtentFn GetThemeBackgroundExtent();
    static OpenThemeDataFn OpenThemeData();
    static CloseThemeDataFn CloseThemeData();
};
