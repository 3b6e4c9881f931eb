// Docking theme 9: only its tab strips differ from theme 15.
#include "toolkit/dockingpane/CUTKDockingPaneVisualStudio2005Theme.h"

#include "toolkit/tabmanager/CUTKTabPaintManager.h"

namespace UTKDockingPanePaintThemes {

CUTKDockingPaneVisualStudio2005Theme::CUTKDockingPaneVisualStudio2005Theme()
{
    SetFramelessFlatAppearance(m_pPaneTabPaintManager, TRUE);
    m_pPaneTabPaintManager->SetColorSet(new CColorSetVisualStudio2003(TRUE));
    m_pPaneTabPaintManager->m_nClientFrame = 1;
    m_pPaneTabPaintManager->m_rcClientMargin.top = 1;
    SetFramelessFlatAppearance(m_pPanelTabPaintManager, FALSE);
    m_pPanelTabPaintManager->SetColorSet(new CColorSetVisualStudio2003(FALSE));
    m_pPanelTabPaintManager->m_bRotateImageOnVerticalDraw = TRUE;
}

}  // namespace UTKDockingPanePaintThemes
