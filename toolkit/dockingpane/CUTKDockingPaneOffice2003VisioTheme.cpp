// Docking theme 18: built as its base, nothing changed.
#include "toolkit/dockingpane/CUTKDockingPaneOffice2003VisioTheme.h"

namespace UTKDockingPanePaintThemes {

CUTKDockingPaneOffice2003VisioTheme::CUTKDockingPaneOffice2003VisioTheme() = default;

}  // namespace UTKDockingPanePaintThemes
