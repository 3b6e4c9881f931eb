// MultiMonitorApi: User32's multi-monitor entry points bound at run time (all five or none),
// and the work-area and screen-area helpers built on them. A point or rectangle outside every
// monitor falls back to the primary screen.
#pragma once

#include "toolkit/common/CUTKModuleHandle.h"

#include <windows.h>

class CWnd;

class MultiMonitorApi {
public:
    MultiMonitorApi();
    MultiMonitorApi(const MultiMonitorApi&) = delete;
    MultiMonitorApi& operator=(const MultiMonitorApi&) = delete;

    BOOL IsBound() const noexcept { return m_pfnMonitorFromPoint != nullptr; }

    BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO* info) const;
    RECT GetWorkArea(RECT* rect, HMONITOR monitor) const;
    RECT GetScreenArea(RECT* rect, HMONITOR monitor) const;
    RECT GetScreenAreaFromPoint(RECT* rect, POINT point) const;
    RECT GetScreenAreaFromRect(RECT* rect, const RECT& area) const;
    RECT GetWorkAreaFromPoint(RECT* rect, POINT point) const;
    RECT GetWorkAreaFromRect(RECT* rect, const RECT& area) const;
    RECT GetWorkAreaFromHwnd(RECT* rect, HWND window) const;
    RECT GetWorkAreaFromWindow(RECT* rect, const CWnd* window) const;
    RECT GetWorkAreaFromCursor(RECT* rect) const;

    // Unbinds every entry point, as on a system without them (tests of the fall-backs).
    void Unbind() noexcept;

private:
    using GetSystemMetricsFn = int(WINAPI*)(int);
    using MonitorFromWindowFn = HMONITOR(WINAPI*)(HWND, DWORD);
    using MonitorFromRectFn = HMONITOR(WINAPI*)(LPCRECT, DWORD);
    using MonitorFromPointFn = HMONITOR(WINAPI*)(POINT, DWORD);
    using GetMonitorInfoFn = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);

    GetSystemMetricsFn m_pfnGetSystemMetrics = nullptr;
    MonitorFromWindowFn m_pfnMonitorFromWindow = nullptr;
    MonitorFromRectFn m_pfnMonitorFromRect = nullptr;
    MonitorFromPointFn m_pfnMonitorFromPoint = nullptr;
    GetMonitorInfoFn m_pfnGetMonitorInfo = nullptr;
    CUTKModuleHandle m_user32;
};

// The process-wide instance, bound on first use.
MultiMonitorApi* GetMultiMonitorApi();
