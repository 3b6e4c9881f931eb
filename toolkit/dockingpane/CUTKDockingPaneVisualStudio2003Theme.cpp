#include "toolkit/dockingpane/CUTKDockingPaneVisualStudio2003Theme.h"

#include "toolkit/common/CUTKDrawHelpers.h"
#include "toolkit/dockingpane/DockingCaptionOwner.h"
#include "toolkit/tabmanager/CUTKTabPaintManager.h"

namespace UTKDockingPanePaintThemes {

CUTKDockingPaneVisualStudio2003Theme::CUTKDockingPaneVisualStudio2003Theme()
{
    // Flat panel tabs and Visual Studio pane tabs: appearances not built yet fall back to
    // the property page through the factory.
    m_pPanelTabPaintManager->SetAppearance(6);
    m_pPanelTabPaintManager->SetColorSet(CreateOfficePanelColorSet());
    m_pPaneTabPaintManager->SetAppearance(5);
    m_bGradientCaption = FALSE;
    m_bBoldCaption = FALSE;
}

void CUTKDockingPaneVisualStudio2003Theme::RefreshMetrics()
{
    CUTKDockingPaneGripperedTheme::RefreshMetrics();
    m_clrActiveCaption.SetStandardValue(GetColor(COLOR_ACTIVECAPTION),
                                        GetColor(COLOR_GRADIENTACTIVECAPTION), 0.5f);
    m_clrNormalCaption.SetStandardValue(GetColor(COLOR_INACTIVECAPTION),
                                        ::GetSysColor(COLOR_GRADIENTINACTIVECAPTION), 0.5f);
    m_clrNormalCaptionText.SetStandardValue(GetColor(COLOR_BTNTEXT));
    m_clrActiveCaptionText.SetStandardValue(GetColor(COLOR_CAPTIONTEXT));
}

COLORREF CUTKDockingPaneVisualStudio2003Theme::DrawCaptionBackground(CDC* dc,
                                                                     DockingCaptionOwner* owner,
                                                                     CRect rect, BOOL active,
                                                                     BOOL vertical)
{
    if (m_bGradientCaption) {
        GetDrawHelpers()->GradientFillColorGradient(
            dc, &rect, active ? m_clrActiveCaption : m_clrNormalCaption, !vertical, nullptr);
    } else if (active) {
        dc->FillSolidRect(&rect, m_clrActiveCaption.clrLight);
    } else if (owner->GetOwnerType() != DockingCaptionOwner::typeSidePanel) {
        // A one-pixel outline without its corner pixels.
        const COLORREF line = GetColor(52);
        dc->FillSolidRect(rect.left + 1, rect.top, rect.Width() - 2, 1, line);
        dc->FillSolidRect(rect.left + 1, rect.bottom - 1, rect.Width() - 2, 1, line);
        dc->FillSolidRect(rect.left, rect.top + 1, 1, rect.Height() - 2, line);
        dc->FillSolidRect(rect.right - 1, rect.top + 1, 1, rect.Height() - 2, line);
    }
    return active ? m_clrActiveCaptionText : m_clrNormalCaptionText;
}

void CUTKDockingPaneVisualStudio2003Theme::DrawCaptionPart(CDC* dc, DockingCaptionOwner* owner,
                                                           CRect rect, const CString& title,
                                                           BOOL active, BOOL vertical)
{
    const COLORREF text = DrawCaptionBackground(dc, owner, rect, active, vertical);
    if (vertical) {
        rect.bottom -= 2;
    } else {
        rect.right -= 2;
    }
    DrawCaptionButtons(dc, owner->GetCaptionButtons(), rect, text, 14, 2, vertical);
    dc->SetTextColor(IsCaptionEnabled(owner) ? text : m_clrDisabledCaptionText.GetColor());
    if (vertical) {
        rect.left += 1;
        rect.top += 4;
    } else {
        rect.left += 4;
        rect.top += 1;
    }
    DrawCaptionIcon(dc, owner, rect, vertical);
    (void)DrawCaptionText(dc, title, rect, vertical, FALSE);
}

}  // namespace UTKDockingPanePaintThemes
