// The panel colour set of the Visual Studio 2003 docking theme and of the themes built on it.
#include "toolkit/dockingpane/CUTKDockingPaneVisualStudio2003Theme.h"

#include "toolkit/tabmanager/CUTKTabPaintManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManagerColorSets.h"

namespace UTKDockingPanePaintThemes {

class CUTKDockingPaneVisualStudio2003Theme::COfficePanelColorSet
    : public CUTKTabPaintManager::CColorSetVisualStudio2003 {
public:
    void RefreshMetrics() override
    {
        CUTKTabPaintManager::CColorSetVisualStudio2003::RefreshMetrics();
        if (m_pPaintManager != nullptr && m_pPaintManager->GetAppearance() == 6) {
            m_clrFrameBorder.SetStandardValue(Sys(COLOR_3DDKSHADOW));
            m_clrTabBorder.SetStandardValue(Sys(COLOR_3DDKSHADOW));
        }
    }
};

CUTKTabPaintManager::CColorSet* CUTKDockingPaneVisualStudio2003Theme::CreateOfficePanelColorSet()
{
    return new COfficePanelColorSet();
}

}  // namespace UTKDockingPanePaintThemes
