// Multi-monitor entry points of User32, bound by name.
#include "toolkit/common/MultiMonitorApi.h"

#include "toolkit/common/OSVersionInfo.h"

#include "platform/framework/window/FrameworkWindows.h"

MultiMonitorApi::MultiMonitorApi()
{
    bool all = m_user32.Init(L"User32.dll") != FALSE;
    all = all && m_user32.FindProc(m_pfnGetSystemMetrics, "GetSystemMetrics");
    all = all && m_user32.FindProc(m_pfnMonitorFromWindow, "MonitorFromWindow");
    all = all && m_user32.FindProc(m_pfnMonitorFromRect, "MonitorFromRect");
    all = all && m_user32.FindProc(m_pfnMonitorFromPoint, "MonitorFromPoint");
    const char* infoName =
        GetOSVersionInfo()->IsWinNT4OrGreater() ? "GetMonitorInfoW" : "GetMonitorInfoA";
    all = all && m_user32.FindProc(m_pfnGetMonitorInfo, infoName);
    if (!all) {
        Unbind();
    }
}

void MultiMonitorApi::Unbind() noexcept
{
    m_pfnGetSystemMetrics = nullptr;
    m_pfnMonitorFromWindow = nullptr;
    m_pfnMonitorFromRect = nullptr;
    m_pfnMonitorFromPoint = nullptr;
    m_pfnGetMonitorInfo = nullptr;
}

BOOL MultiMonitorApi::GetMonitorInfo(HMONITOR monitor, MONITORINFO* info) const
{
    if (!monitor || !m_pfnGetMonitorInfo || !info) {
        return FALSE;
    }
    info->cbSize = sizeof(MONITORINFO);
    return m_pfnGetMonitorInfo(monitor, info);
}

RECT MultiMonitorApi::GetWorkArea(RECT* rect, HMONITOR monitor) const
{
    MONITORINFO info{};
    RECT area{};
    if (GetMonitorInfo(monitor, &info)) {
        area = info.rcWork;
    } else {
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    }
    if (rect) {
        *rect = area;
    }
    return area;
}

RECT MultiMonitorApi::GetScreenArea(RECT* rect, HMONITOR monitor) const
{
    MONITORINFO info{};
    RECT area{};
    if (GetMonitorInfo(monitor, &info)) {
        area = info.rcMonitor;
    } else {
        area = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    }
    if (rect) {
        *rect = area;
    }
    return area;
}

RECT MultiMonitorApi::GetScreenAreaFromPoint(RECT* rect, POINT point) const
{
    HMONITOR monitor = m_pfnMonitorFromPoint ? m_pfnMonitorFromPoint(point, 0) : nullptr;
    return GetScreenArea(rect, monitor);
}

RECT MultiMonitorApi::GetScreenAreaFromRect(RECT* rect, const RECT& area) const
{
    HMONITOR monitor = m_pfnMonitorFromRect ? m_pfnMonitorFromRect(&area, 0) : nullptr;
    return GetScreenArea(rect, monitor);
}

RECT MultiMonitorApi::GetWorkAreaFromPoint(RECT* rect, POINT point) const
{
    HMONITOR monitor = m_pfnMonitorFromPoint ? m_pfnMonitorFromPoint(point, 0) : nullptr;
    return GetWorkArea(rect, monitor);
}

RECT MultiMonitorApi::GetWorkAreaFromRect(RECT* rect, const RECT& area) const
{
    HMONITOR monitor = m_pfnMonitorFromRect ? m_pfnMonitorFromRect(&area, 0) : nullptr;
    return GetWorkArea(rect, monitor);
}

RECT MultiMonitorApi::GetWorkAreaFromHwnd(RECT* rect, HWND window) const
{
    HMONITOR monitor = m_pfnMonitorFromWindow ? m_pfnMonitorFromWindow(window, 0) : nullptr;
    return GetWorkArea(rect, monitor);
}

RECT MultiMonitorApi::GetWorkAreaFromWindow(RECT* rect, const CWnd* window) const
{
    return GetWorkAreaFromHwnd(rect, window ? window->GetSafeHwnd() : nullptr);
}

RECT MultiMonitorApi::GetWorkAreaFromCursor(RECT* rect) const
{
    POINT point{};
    ::GetCursorPos(&point);
    return GetWorkAreaFromPoint(rect, point);
}

MultiMonitorApi* GetMultiMonitorApi()
{
    static MultiMonitorApi api;
    return &api;
}
