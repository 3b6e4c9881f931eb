// Docking theme 9: the Beta 2 captions with frameless flat tabs, the pane tabs with gradient
// faces and a client frame.
#pragma once

#include "toolkit/dockingpane/CUTKDockingPaneVisualStudio2005Beta2Theme.h"

namespace UTKDockingPanePaintThemes {

class CUTKDockingPaneVisualStudio2005Theme : public CUTKDockingPaneVisualStudio2005Beta2Theme {
public:
    CUTKDockingPaneVisualStudio2005Theme();
};

}  // namespace UTKDockingPanePaintThemes
