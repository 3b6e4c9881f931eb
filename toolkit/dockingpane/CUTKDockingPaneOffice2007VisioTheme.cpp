// Docking theme 19: built as its base, nothing changed.
#include "toolkit/dockingpane/CUTKDockingPaneOffice2007VisioTheme.h"

namespace UTKDockingPanePaintThemes {

CUTKDockingPaneOffice2007VisioTheme::CUTKDockingPaneOffice2007VisioTheme() = default;

}  // namespace UTKDockingPanePaintThemes
