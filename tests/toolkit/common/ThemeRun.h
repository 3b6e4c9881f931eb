// Which of the two registrations of the theme tests runs: the prefix's visual style, or the
// classic run with uxtheme.dll switched off for the process.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace orvane::test {

inline bool ClassicRun()
{
    const char* run = std::getenv("ORVANE_THEME_RUN");
    return run && std::strcmp(run, "classic") == 0;
}

// The tree view's theme border colour read straight from uxtheme.dll (bound at run time, so
// the classic run still starts); FALSE when there is none.
inline BOOL ReadTreeViewBorder(COLORREF* color)
{
    HMODULE uxtheme = ::LoadLibraryW(L"uxtheme.dll");
    if (!uxtheme) {
        return FALSE;
    }
    using OpenFn = HANDLE(WINAPI*)(HWND, LPCWSTR);
    using ColorFn = HRESULT(WINAPI*)(HANDLE, int, int, int, COLORREF*);
    using CloseFn = HRESULT(WINAPI*)(HANDLE);
    auto open = reinterpret_cast<OpenFn>(
        reinterpret_cast<void*>(::GetProcAddress(uxtheme, "OpenThemeData")));
    auto get = reinterpret_cast<ColorFn>(
        reinterpret_cast<void*>(::GetProcAddress(uxtheme, "GetThemeColor")));
    auto close = reinterpret_cast<CloseFn>(
        reinterpret_cast<void*>(::GetProcAddress(uxtheme, "CloseThemeData")));
    BOOL found = FALSE;
    if (open && get && close) {
        if (HANDLE theme = open(nullptr, L"TREEVIEW")) {
            found = SUCCEEDED(get(theme, 0, 0, 3801, color));
            close(theme);
        }
    }
    ::FreeLibrary(uxtheme);
    return found;
}

}  // namespace orvane::test
