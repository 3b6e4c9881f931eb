// A radio button in a command bar: a button drawn with a round mark for one choice of several;
// focus follows its selection and the space bar clicks it.
#pragma once

#include "toolkit/controls/CUTKControlButton.h"

class CUTKControlRadioButton : public CUTKControlButton {
    DECLARE_SERIAL(CUTKControlRadioButton)

public:
    CUTKControlRadioButton();

    BOOL IsFocused() const override;
    BOOL OnHookKeyDown(UINT key, LPARAM data) override;
    // Clones keep the class (a plain button's clone would lose the mark).
    CUTKControl* Clone(BOOL recursive = FALSE) override;
};
