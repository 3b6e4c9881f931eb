// The system calls the monitor list is built from, behind virtual operations so that a test
// can describe any display configuration (mirrors, detached monitors, no monitor at all).
#pragma once

#include <windows.h>

class MonitorSystem {
public:
    virtual ~MonitorSystem() = default;
    virtual BOOL EnumDevice(const wchar_t* device, DWORD index, DISPLAY_DEVICEW* out);
    virtual BOOL EnumSettings(const wchar_t* device, DWORD mode, DEVMODEW* out);
    virtual BOOL IsOnDesktop(POINT point);
    // Colour depth and size of the whole screen.
    virtual void ScreenMetrics(int* bitsPerPixel, int* width, int* height);

    // The system's own answers.
    static MonitorSystem& Default();
};
