// Draws a horizontal zoom slider in place of a scroll bar: a channel with tick marks, round
// minus and plus buttons and a pointer-shaped thumb of a fixed 11 pixels.
#pragma once

#include "toolkit/controls/CUTKScrollBarPaintManager.h"

class CUTKSliderPaintManager : public CUTKScrollBarPaintManager {
public:
    explicit CUTKSliderPaintManager(CUTKPaintManager* paintManager);

    void DrawScrollBar(CDC* dc, CUTKScrollBase* scrollBar) override;
    void RefreshMetrics() override;
};
