// Docking theme 18: the Visio look of theme 5 under its own number; it adds nothing.
#pragma once

#include "toolkit/dockingpane/CUTKDockingPaneOffice2002VisioTheme.h"

namespace UTKDockingPanePaintThemes {

class CUTKDockingPaneOffice2003VisioTheme : public CUTKDockingPaneOffice2002VisioTheme {
public:
    CUTKDockingPaneOffice2003VisioTheme();
};

}  // namespace UTKDockingPanePaintThemes
