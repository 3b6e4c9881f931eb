// The real display calls behind the monitor list.
#include "video/display/MonitorSystem.h"

BOOL MonitorSystem::EnumDevice(const wchar_t* device, DWORD index, DISPLAY_DEVICEW* out)
{
    out->cb = sizeof(*out);
    return EnumDisplayDevicesW(device, index, out, 0);
}

BOOL MonitorSystem::EnumSettings(const wchar_t* device, DWORD mode, DEVMODEW* out)
{
    out->dmSize = sizeof(*out);
    out->dmDriverExtra = 0;
    return EnumDisplaySettingsExW(device, mode, out, 0);
}

BOOL MonitorSystem::IsOnDesktop(POINT point)
{
    return MonitorFromPoint(point, MONITOR_DEFAULTTONULL) != nullptr;
}

void MonitorSystem::ScreenMetrics(int* bitsPerPixel, int* width, int* height)
{
    HDC dc = GetDC(nullptr);
    *bitsPerPixel = GetDeviceCaps(dc, BITSPIXEL);
    *width = GetDeviceCaps(dc, HORZRES);
    *height = GetDeviceCaps(dc, VERTRES);
    ReleaseDC(nullptr, dc);
}

MonitorSystem& MonitorSystem::Default()
{
    static MonitorSystem system;
    return system;
}
