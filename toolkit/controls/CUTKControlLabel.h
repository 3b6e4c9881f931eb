// A static text item of a command bar: drawn like a button caption, never hot, never focused
// by the keyboard and never executed; only customisation can move it.
#pragma once

#include "toolkit/controls/CUTKControl.h"

class CUTKControlLabel : public CUTKControl {
    DECLARE_SERIAL(CUTKControlLabel)

public:
    CUTKControlLabel();

    int GetSelected() const override;
    void OnClick(BOOL keyboard = FALSE, CPoint pt = CPoint(0, 0)) override;
};
