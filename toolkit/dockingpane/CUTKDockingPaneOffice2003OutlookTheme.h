// Docking theme 7: the Office 2003 captions without band or gripper dots, in a large bold
// caption font, with darker inactive captions.
#pragma once

#include "toolkit/dockingpane/CUTKDockingPaneOffice2003Theme.h"

namespace UTKDockingPanePaintThemes {

class CUTKDockingPaneOffice2003OutlookTheme : public CUTKDockingPaneOffice2003Theme {
public:
    CUTKDockingPaneOffice2003OutlookTheme();
    void RefreshMetrics() override;
};

}  // namespace UTKDockingPanePaintThemes
