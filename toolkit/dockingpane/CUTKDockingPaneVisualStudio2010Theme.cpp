// Docking theme 17: skips the rebar step of theme 16; its tabs take colour set 256.
#include "toolkit/dockingpane/CUTKDockingPaneVisualStudio2010Theme.h"

#include "toolkit/tabmanager/CUTKTabPaintManager.h"

namespace UTKDockingPanePaintThemes {

void CUTKDockingPaneVisualStudio2010Theme::RefreshMetrics()
{
    CUTKDockingPaneVisualStudio2005Beta2Theme::RefreshMetrics();
    m_pPaneTabPaintManager->SetColor(256);
    m_pPanelTabPaintManager->SetColor(256);
}

}  // namespace UTKDockingPanePaintThemes
