#include "toolkit/dockingpane/CUTKDockingPaneGripperedTheme.h"

#include "toolkit/dockingpane/DockingCaptionOwner.h"

namespace UTKDockingPanePaintThemes {

CUTKDockingPaneGripperedTheme::CUTKDockingPaneGripperedTheme()
{
    m_nCaptionButtonStyle = 1;
}

void CUTKDockingPaneGripperedTheme::RefreshMetrics()
{
    CUTKDockingPaneDefaultTheme::RefreshMetrics();
    m_clrActiveCaption.SetStandardSolid(GetColor(COLOR_BTNFACE));
    m_clrNormalCaption.SetStandardSolid(GetColor(COLOR_BTNFACE));
    m_clrActiveCaptionText.SetStandardValue(GetColor(COLOR_BTNTEXT));
    m_clrNormalCaptionText.SetStandardValue(GetColor(COLOR_BTNTEXT));
}

void CUTKDockingPaneGripperedTheme::DrawCaption(CDC* dc, DockingCaptionOwner* container,
                                                CRect rect)
{
    DrawGripperedCaption(dc, container, rect, m_rcCaptionMargin.top);
}

void CUTKDockingPaneGripperedTheme::DrawCaptionPart(CDC* dc, DockingCaptionOwner* owner,
                                                    CRect rect, const CString& title,
                                                    BOOL active, BOOL vertical)
{
    const COLORREF text = active ? m_clrActiveCaptionText : m_clrNormalCaptionText;
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
    const int width = DrawCaptionText(dc, title, rect, vertical, TRUE);
    const COLORREF light = GetColor(COLOR_BTNHIGHLIGHT);
    const COLORREF dark = GetColor(COLOR_BTNSHADOW);
    if (vertical) {
        const int start = rect.top + width + 4;
        const int middle = (rect.left + rect.right) / 2;
        if (start < rect.bottom) {
            dc->Draw3dRect(middle - 3, start, 3, rect.bottom - start, light, dark);
            dc->Draw3dRect(middle + 1, start, 3, rect.bottom - start, light, dark);
        }
    } else {
        const int start = rect.left + width + 4;
        const int middle = (rect.top + rect.bottom) / 2;
        if (start < rect.right) {
            dc->Draw3dRect(start, middle - 3, rect.right - start, 3, light, dark);
            dc->Draw3dRect(start, middle + 1, rect.right - start, 3, light, dark);
        }
    }
}

}  // namespace UTKDockingPanePaintThemes
