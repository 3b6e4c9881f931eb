// A progress bar shown as a command-bar control (typically on a status or ribbon bar): the
// control base with the shared progress range and position, drawn by the paint manager's
// progress painter in the control's rectangle.
#pragma once

#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKProgressBase.h"

class CUTKControlProgress : public CUTKControl, public CUTKProgressBase {
    DECLARE_SERIAL(CUTKControlProgress)

public:
    static constexpr int kDefaultWidth = 100;

    CUTKControlProgress();

    // Progress base: the control rectangle, the parent's redraw (not animated), the painter of
    // the control's paint manager.
    void GetProgressRect(CRect* rc) override;
    void RedrawProgress() override;
    CUTKProgressPaintManager* GetProgressPaintManager() override;

    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void DoPropExchange(CUTKPropExchange* px) override;
    void Copy(CUTKControl* source, BOOL recursive = FALSE) override;
    CUTKControl* Clone(BOOL recursive = FALSE) override;
};
