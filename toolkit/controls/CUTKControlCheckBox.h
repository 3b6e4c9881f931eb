// A check box in a command bar: a button drawn with a check mark showing its checked state;
// focus follows its selection and the space bar clicks it.
#pragma once

#include "toolkit/controls/CUTKControlButton.h"

class CUTKControlCheckBox : public CUTKControlButton {
    DECLARE_SERIAL(CUTKControlCheckBox)

public:
    CUTKControlCheckBox();

    BOOL IsFocused() const override;
    BOOL OnHookKeyDown(UINT key, LPARAM data) override;
    // Clones keep the class (a plain button's clone would lose the mark).
    CUTKControl* Clone(BOOL recursive = FALSE) override;
};
