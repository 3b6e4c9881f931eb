// CUTKOriginalControls: the snapshot of a bar's controls taken before customisation; the
// collection compares itself against it to tell whether the user changed the bar.
#pragma once

#include "toolkit/controls/CUTKControls.h"

class CUTKOriginalControls : public CUTKControls {
    DECLARE_DYNCREATE(CUTKOriginalControls)

public:
    CUTKOriginalControls() { m_isOriginal = TRUE; }
};
