// Docking theme 15: captions always in their gradient, run across the caption, outlined on
// three sides.
#pragma once

#include "toolkit/dockingpane/CUTKDockingPaneVisualStudio2005Beta1Theme.h"

namespace UTKDockingPanePaintThemes {

class CUTKDockingPaneVisualStudio2005Beta2Theme : public CUTKDockingPaneVisualStudio2005Beta1Theme {
public:
    CUTKDockingPaneVisualStudio2005Beta2Theme();
    void RefreshMetrics() override;
    COLORREF DrawCaptionBackground(CDC* dc, DockingCaptionOwner* owner, CRect rect, BOOL active,
                                   BOOL vertical) override;

    COLORREF m_clrCaptionBorder = 0;
};

}  // namespace UTKDockingPanePaintThemes
