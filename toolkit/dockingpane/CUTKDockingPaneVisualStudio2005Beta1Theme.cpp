// Docking theme 6: the Visual Studio 2003 look with gradient captions in scheme colours.
#include "toolkit/dockingpane/CUTKDockingPaneVisualStudio2005Beta1Theme.h"

#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManagerAppearanceSets.h"

namespace UTKDockingPanePaintThemes {

CUTKDockingPaneVisualStudio2005Beta1Theme::CUTKDockingPaneVisualStudio2005Beta1Theme()
{
    for (CUTKTabPaintManager* tabs : {m_pPaneTabPaintManager, m_pPanelTabPaintManager}) {
        SetFramelessFlatAppearance(tabs, FALSE);
        tabs->m_bDisableLunaColors = TRUE;
        tabs->m_bHotTracking = FALSE;
    }
    m_pPaneTabPaintManager->SetColorSet(new CColorSetVisualStudio2005(TRUE));
    m_pPanelTabPaintManager->SetColorSet(new CColorSetVisualStudio2005(FALSE));
    m_pPaneTabPaintManager->m_nClientFrame = 2;
    m_pPanelTabPaintManager->SetLayout(CUTKTabPaintManager::layoutAutoSize);
    m_rcCaptionMargin.SetRect(0, 0, 0, 0);
    m_bGradientCaption = TRUE;
    m_bBoldCaption = FALSE;
    m_dwSplitterStyle = splitterGradientHorizontal;
    m_nSchemeSetting = 0;
}

void CUTKDockingPaneVisualStudio2005Beta1Theme::SetFramelessFlatAppearance(
    CUTKTabPaintManager* tabs, BOOL gradientFace)
{
    tabs->SetAppearance(2);
    // The flat property page's two options; a strip whose factory has no such class keeps
    // what it made.
    if (auto* flat = dynamic_cast<CUTKTabPaintManager::CAppearanceSetPropertyPageFlat*>(
            tabs->GetAppearanceSet())) {
        flat->m_bDrawFrame = FALSE;
        flat->m_bGradientFace = gradientFace;
        tabs->OnPropertyChanged();
    }
}

void CUTKDockingPaneVisualStudio2005Beta1Theme::RefreshMetrics()
{
    CUTKDockingPaneVisualStudio2003Theme::RefreshMetrics();
    m_clrNormalCaptionText.SetStandardValue(GetColor(COLOR_INACTIVECAPTIONTEXT));
    switch (GetColorManager()->GetCurrentSystemTheme()) {
    case CUTKColorManager::schemeLunaBlue:
    case CUTKColorManager::schemeLunaOlive:
        m_clrSplitterGradient.SetStandardValue(RGB(229, 229, 215), RGB(244, 241, 231), 0.5f);
        m_clrNormalCaption.SetStandardValue(RGB(216, 215, 198), RGB(238, 239, 229), 0.5f);
        m_clrNormalCaptionText.SetStandardValue(RGB(0, 0, 0));
        break;
    case CUTKColorManager::schemeLunaSilver:
        m_clrSplitterGradient.SetStandardValue(RGB(215, 215, 229), RGB(243, 243, 247), 0.5f);
        m_clrNormalCaption.SetStandardValue(RGB(224, 224, 235), RGB(242, 242, 246), 0.5f);
        m_clrActiveCaption.SetStandardValue(RGB(160, 158, 186), RGB(224, 225, 235), 0.5f);
        m_clrNormalCaptionText.SetStandardValue(RGB(0, 0, 0));
        break;
    default:
        break;
    }
}

}  // namespace UTKDockingPanePaintThemes
