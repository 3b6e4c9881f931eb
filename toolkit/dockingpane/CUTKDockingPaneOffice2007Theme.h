// Docking theme 10: Office 2007 blue captions and splitters, from the Office 2007 image set
// when one is loaded, else from fixed colours.
#pragma once

#include "toolkit/dockingpane/CUTKDockingPaneOffice2003Theme.h"

namespace UTKDockingPanePaintThemes {

class CUTKDockingPaneOffice2007Theme : public CUTKDockingPaneOffice2003Theme {
public:
    CUTKDockingPaneOffice2007Theme();
    void DrawCaption(CDC* dc, DockingCaptionOwner* container, CRect rect) override;
    void RefreshMetrics() override;
};

}  // namespace UTKDockingPanePaintThemes
