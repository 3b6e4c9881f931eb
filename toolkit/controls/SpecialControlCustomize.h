// The customisation click shared by the static special controls (labels, markup labels,
// bitmaps, hyperlinks): in customisation mode a mouse click on a movable control starts
// dragging it.
#pragma once

#include "toolkit/controls/CUTKControl.h"

class SpecialControlCustomize {
public:
    // TRUE when the parent bar is in customisation mode.
    static BOOL IsCustomizeMode(const CUTKControl* control);
    // In customisation mode starts the drag for a mouse click on a movable control; TRUE when
    // the bar was in customisation mode (the click is then used up).
    static BOOL OnClick(CUTKControl* control, BOOL keyboard, CPoint point);
};
