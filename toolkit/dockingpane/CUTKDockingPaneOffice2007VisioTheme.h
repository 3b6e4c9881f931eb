// Docking theme 19: the Visio look of theme 5 under its own number; it adds nothing.
#pragma once

#include "toolkit/dockingpane/CUTKDockingPaneOffice2003VisioTheme.h"

namespace UTKDockingPanePaintThemes {

class CUTKDockingPaneOffice2007VisioTheme : public CUTKDockingPaneOffice2003VisioTheme {
public:
    CUTKDockingPaneOffice2007VisioTheme();
};

}  // namespace UTKDockingPanePaintThemes
