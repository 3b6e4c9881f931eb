// A segmented level meter drawn into a static control: lit segments up to the level, the
// highest recent segment held for a while and then dissolved pixel by pixel, unlit segments in
// a dim colour.
#pragma once

#include <windows.h>

#include <vector>

#include "WinNT_SP/Include_VS2005/ui/BitmapFromPoints.h"

struct LEVEL_COLOR_STOP {
    double position;  // 0..1 along the meter
    COLORREF color;
};

struct CLevelIndicator2_PARM {
    int horizontal = 1;
    int border = 1;
    COLORREF background = 0;
    COLORREF unlit = 0x808080;
    double unlitBrightness = 0.0;
    DWORD holdMs = 1000;
    DWORD fallMs = 500;
    int segmentSize = 2;
    int gap = 1;
    std::vector<LEVEL_COLOR_STOP> stops = {
        {0.0, 0x00FF00}, {0.5, 0x00FF00}, {0.8, 0x00FFFF}, {0.9, 0x0000FF}, {1.0, 0x0000FF}};
};

class CLevelIndicator2 {
public:
    static constexpr double kKeepTop = -1.0;
    static constexpr double kClear = -2.0;

    // window is a static control with SS_BITMAP; it may be shrunk to whole segments.
    void Init(HWND window, const CLevelIndicator2_PARM& parm);
    void SetLevel(double level);
    void SetLevelAt(DWORD now, double level);

    int SegmentCount() const { return m_segments; }
    int PixelsPerSegment() const { return m_pixelsPerSegment; }
    int DrawnCount(int segment) const { return m_states[segment].drawn; }
    const CBitmapFromPoints& Pixels() const { return m_bitmap; }
    // 0x00RRGGBB colour of the colour ramp at a (0..1).
    static DWORD RampColor(const std::vector<LEVEL_COLOR_STOP>& stops, double a);

private:
    struct SegmentState {
        DWORD lastLit;  // 0 = never
        int drawn;      // -1 = not drawn
    };
    void BuildDissolveOrder();
    void Paint();

    CLevelIndicator2_PARM m_parm;
    HWND m_window = nullptr;
    int m_width = 0;
    int m_height = 0;
    int m_segments = 0;
    int m_drawnLength = 0;
    std::vector<DWORD> m_litColors;
    std::vector<DWORD> m_unlitColors;
    std::vector<SegmentState> m_states;
    int m_pixelsPerSegment = 0;
    std::vector<int> m_dissolve;
    DWORD m_heldPeakTick = 0;
    int m_lastTop = -1;
    CBitmapFromPoints m_bitmap;
};
