// Docking theme 12: Office 2007 colours with an outlined, highlighted caption band in a large
// bold caption font.
#pragma once

#include "toolkit/dockingpane/CUTKDockingPaneOffice2007Theme.h"

namespace UTKDockingPanePaintThemes {

class CUTKDockingPaneOffice2007OutlookTheme : public CUTKDockingPaneOffice2007Theme {
public:
    CUTKDockingPaneOffice2007OutlookTheme();
    void DrawCaption(CDC* dc, DockingCaptionOwner* container, CRect rect) override;
    void RefreshMetrics() override;
};

}  // namespace UTKDockingPanePaintThemes
