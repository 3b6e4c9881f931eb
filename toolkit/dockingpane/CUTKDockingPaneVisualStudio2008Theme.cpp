// Docking theme 16: the rebar style decides between native and flat tabs at every refresh.
#include "toolkit/dockingpane/CUTKDockingPaneVisualStudio2008Theme.h"

#include "toolkit/tabmanager/CUTKTabPaintManager.h"

namespace UTKDockingPanePaintThemes {

CUTKDockingPaneVisualStudio2008Theme::~CUTKDockingPaneVisualStudio2008Theme()
{
    m_themeRebar.CloseThemeData();
}

BOOL CUTKDockingPaneVisualStudio2008Theme::IsRebarThemeActive()
{
    return m_themeRebar.IsThemeOpen() && m_themeRebar.IsAppThemed();
}

void CUTKDockingPaneVisualStudio2008Theme::RefreshMetrics()
{
    CUTKDockingPaneVisualStudio2005Theme::RefreshMetrics();
    m_themeRebar.OpenThemeData(nullptr, L"REBAR");
    if (IsRebarThemeActive()) {
        for (CUTKTabPaintManager* tabs : {m_pPaneTabPaintManager, m_pPanelTabPaintManager}) {
            tabs->SetAppearance(0);
            tabs->SetColor(8);
            tabs->m_bHotTracking = TRUE;
        }
    }
}

}  // namespace UTKDockingPanePaintThemes
