#include "toolkit/dockingpane/CUTKDockingPaneDefaultTheme.h"

#include "toolkit/dockingpane/DockingCaptionOwner.h"
#include "toolkit/tabmanager/CUTKTabPaintManager.h"

namespace UTKDockingPanePaintThemes {

CUTKDockingPaneDefaultTheme::CUTKDockingPaneDefaultTheme()
{
    m_pPaneTabPaintManager->SetAppearance(0);
    m_pPanelTabPaintManager->SetAppearance(0);
    m_nCaptionButtonStyle = 0;
}

void CUTKDockingPaneDefaultTheme::RefreshMetrics()
{
    CUTKDockingPanePaintManager::RefreshMetrics();
    m_clrActiveCaption.SetStandardSolid(GetColor(COLOR_ACTIVECAPTION));
    m_clrNormalCaption.SetStandardSolid(GetColor(COLOR_INACTIVECAPTION));
    m_clrActiveCaptionText.SetStandardValue(GetColor(COLOR_CAPTIONTEXT));
    m_clrNormalCaptionText.SetStandardValue(GetColor(COLOR_INACTIVECAPTIONTEXT));
}

BOOL CUTKDockingPaneDefaultTheme::IsOwnerActive(DockingCaptionOwner* owner) const
{
    return m_bHighlightActiveCaption && owner != nullptr && owner->IsActive();
}

void CUTKDockingPaneDefaultTheme::DrawCaptionPart(CDC* dc, DockingCaptionOwner* owner,
                                                  CRect rect, const CString& title, BOOL active,
                                                  BOOL vertical)
{
    const CUTKPaintManagerColorGradient& gradient = active ? m_clrActiveCaption : m_clrNormalCaption;
    dc->FillSolidRect(&rect, gradient.clrDark);
    DrawCaptionButtons(dc, owner->GetCaptionButtons(), rect, GetColor(COLOR_BTNTEXT), 14, 0,
                       vertical);
    const COLORREF text = active ? m_clrActiveCaptionText : m_clrNormalCaptionText;
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

void CUTKDockingPaneDefaultTheme::DrawGripperedCaption(CDC* dc, DockingCaptionOwner* container,
                                                       CRect rect, int top)
{
    const BOOL vertical = container->IsCaptionVertical();
    CRect caption;
    CRect corner;
    if (vertical) {
        caption.SetRect(rect.left + top, rect.top, rect.left + m_nCaptionFontHeight + 1,
                        rect.bottom);
        corner.SetRect(rect.left, rect.top, caption.right + 2, rect.bottom);
    } else {
        caption.SetRect(rect.left, rect.top + top, rect.right,
                        rect.top + m_nCaptionFontHeight + 1);
        corner.SetRect(rect.left, rect.top, rect.right, caption.bottom + 2);
    }
    dc->FillSolidRect(&corner, GetColor(COLOR_BTNFACE));
    DrawCaptionPart(dc, container, caption, container->GetTitle(), IsOwnerActive(container),
                    vertical);
}

void CUTKDockingPaneDefaultTheme::DrawCaption(CDC* dc, DockingCaptionOwner* container,
                                              CRect rect)
{
    DrawGripperedCaption(dc, container, rect, 2);
}

void CUTKDockingPaneDefaultTheme::DrawSidePanel(CDC* dc, DockingCaptionOwner* panel, CRect rect)
{
    dc->FillSolidRect(&rect, GetColor(COLOR_BTNFACE));
    dc->Draw3dRect(&rect, GetColor(COLOR_WINDOWFRAME), GetColor(COLOR_WINDOWFRAME));
    const int side = panel->GetDockedSide();
    DrawCaptionPart(dc, panel, GetSidePanelCaptionRect(panel), panel->GetTitle(),
                    IsOwnerActive(panel), side == 0 || side == 1);
}

void CUTKDockingPaneDefaultTheme::DrawFloatingFrame(CDC* dc, DockingCaptionOwner* frame,
                                                    CRect rect)
{
    dc->Draw3dRect(&rect, GetColor(COLOR_BTNFACE), RGB(0, 0, 0));
    rect.DeflateRect(1, 1);
    dc->Draw3dRect(&rect, GetColor(COLOR_BTNHIGHLIGHT), GetColor(COLOR_BTNSHADOW));
    rect.DeflateRect(1, 1);
    dc->Draw3dRect(&rect, GetColor(COLOR_BTNFACE), GetColor(COLOR_BTNFACE));
    rect.DeflateRect(1, 1);
    CRect caption(rect.left, rect.top, rect.right, rect.top + m_nCaptionFontHeight + 3);
    dc->FillSolidRect(&caption, GetColor(COLOR_BTNFACE));
    caption.DeflateRect(1, 2, 1, 2);
    DrawCaptionPart(dc, frame, caption, frame->GetTitle(), IsOwnerActive(frame), FALSE);
}

}  // namespace UTKDockingPanePaintThemes
