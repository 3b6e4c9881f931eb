// Docking theme 15, and the caption colours themes 9, 16 and 17 keep.
#include "toolkit/dockingpane/CUTKDockingPaneVisualStudio2005Beta2Theme.h"

#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/common/CUTKDrawHelpers.h"
#include "toolkit/dockingpane/DockingCaptionOwner.h"
#include "toolkit/tabmanager/CUTKTabPaintManager.h"

namespace UTKDockingPanePaintThemes {

CUTKDockingPaneVisualStudio2005Beta2Theme::CUTKDockingPaneVisualStudio2005Beta2Theme()
{
    m_pPaneTabPaintManager->SetAppearance(9);
    m_pPanelTabPaintManager->SetAppearance(9);
    m_pPaneTabPaintManager->SetColorSet(new CColorSetVisualStudio2003(FALSE));
    m_pPanelTabPaintManager->SetColorSet(new CColorSetVisualStudio2003(FALSE));
}

void CUTKDockingPaneVisualStudio2005Beta2Theme::RefreshMetrics()
{
    CUTKDockingPaneVisualStudio2005Beta1Theme::RefreshMetrics();
    m_clrNormalCaption.SetStandardSolid(GetColor(COLOR_INACTIVECAPTION));
    m_clrActiveCaption.SetStandardSolid(GetColor(COLOR_ACTIVECAPTION));
    m_clrCaptionBorder = GetColor(COLOR_BTNSHADOW);
    switch (GetColorManager()->GetCurrentSystemTheme()) {
    case CUTKColorManager::schemeLunaBlue:
        m_clrNormalCaption.SetStandardSolid(RGB(204, 199, 186));
        m_clrActiveCaption.SetStandardValue(RGB(59, 128, 237), RGB(49, 106, 197), 0.5f);
        m_clrNormalCaptionText.SetStandardValue(RGB(0, 0, 0));
        break;
    case CUTKColorManager::schemeLunaOlive:
        m_clrNormalCaption.SetStandardSolid(RGB(204, 199, 186));
        m_clrActiveCaption.SetStandardValue(RGB(182, 195, 146), RGB(145, 160, 117), 0.5f);
        m_clrNormalCaptionText.SetStandardValue(RGB(0, 0, 0));
        break;
    case CUTKColorManager::schemeLunaSilver:
        m_clrNormalCaption.SetStandardSolid(RGB(240, 240, 245));
        m_clrActiveCaption.SetStandardValue(RGB(211, 212, 221), RGB(166, 165, 191), 0.5f);
        m_clrCaptionBorder = RGB(145, 155, 156);
        m_clrNormalCaptionText.SetStandardValue(RGB(0, 0, 0));
        break;
    default:
        break;
    }
}

COLORREF CUTKDockingPaneVisualStudio2005Beta2Theme::DrawCaptionBackground(
    CDC* dc, DockingCaptionOwner* owner, CRect rect, BOOL active, BOOL vertical)
{
    GetDrawHelpers()->GradientFillColorGradient(
        dc, &rect, active ? m_clrActiveCaption : m_clrNormalCaption, vertical, nullptr);
    if (owner->GetOwnerType() != DockingCaptionOwner::typeSidePanel && !rect.IsRectEmpty()) {
        const COLORREF line = m_clrCaptionBorder;
        // Open at the bottom of a horizontal caption, at the right of a vertical one.
        dc->FillSolidRect(rect.left, rect.top, rect.Width(), 1, line);
        dc->FillSolidRect(rect.left, rect.top, 1, rect.Height(), line);
        if (vertical) {
            dc->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, line);
        } else {
            dc->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), line);
        }
    }
    return active ? m_clrActiveCaptionText : m_clrNormalCaptionText;
}

}  // namespace UTKDockingPanePaintThemes
