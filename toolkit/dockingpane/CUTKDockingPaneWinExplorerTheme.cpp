// Docking theme 8: the explorer look; without visual styles the Visual Studio tab look and
// plain raised caption buttons.
#include "toolkit/dockingpane/CUTKDockingPaneWinExplorerTheme.h"

#include "toolkit/dockingpane/DockingCaptionOwner.h"
#include "toolkit/tabmanager/CUTKTabPaintManager.h"

namespace UTKDockingPanePaintThemes {

namespace {

// Two raised bars 3 pixels thick, one each side of the middle line, from start to the end.
void DrawRaisedBars(CDC* dc, CRect rect, int start, BOOL vertical, COLORREF light, COLORREF dark)
{
    if (vertical) {
        const int middle = (rect.left + rect.right) / 2;
        if (start < rect.bottom) {
            dc->Draw3dRect(middle - 3, start, 3, rect.bottom - start, light, dark);
            dc->Draw3dRect(middle + 1, start, 3, rect.bottom - start, light, dark);
        }
    } else {
        const int middle = (rect.top + rect.bottom) / 2;
        if (start < rect.right) {
            dc->Draw3dRect(start, middle - 3, rect.right - start, 3, light, dark);
            dc->Draw3dRect(start, middle + 1, rect.right - start, 3, light, dark);
        }
    }
}

}  // namespace

CUTKDockingPaneWinExplorerTheme::CUTKDockingPaneWinExplorerTheme()
{
    m_bBoldCaption = FALSE;
    m_rcCaptionMargin.SetRect(0, 0, 0, 0);
    m_nTextCaptionMargin = 9;
    m_nCaptionButtonStyle = 5;
}

CUTKDockingPaneWinExplorerTheme::~CUTKDockingPaneWinExplorerTheme()
{
    m_themeRebar.CloseThemeData();
}

BOOL CUTKDockingPaneWinExplorerTheme::IsRebarThemeActive()
{
    return m_themeRebar.IsThemeOpen() && m_themeRebar.IsAppThemed();
}

void CUTKDockingPaneWinExplorerTheme::RefreshMetrics()
{
    CUTKDockingPaneGripperedTheme::RefreshMetrics();
    m_themeRebar.OpenThemeData(nullptr, L"REBAR");
    if (IsRebarThemeActive()) {
        for (CUTKTabPaintManager* tabs : {m_pPaneTabPaintManager, m_pPanelTabPaintManager}) {
            tabs->SetAppearance(0);
            tabs->SetColor(8);
            tabs->m_bHotTracking = TRUE;
        }
    } else {
        m_pPaneTabPaintManager->SetAppearance(6);
        m_pPanelTabPaintManager->SetAppearance(5);
        m_pPaneTabPaintManager->m_bHotTracking = FALSE;
        m_pPanelTabPaintManager->m_bHotTracking = FALSE;
    }
}

void CUTKDockingPaneWinExplorerTheme::DrawCaptionPart(CDC* dc, DockingCaptionOwner* owner,
                                                      CRect rect, const CString& title,
                                                      BOOL active, BOOL vertical)
{
    if (IsRebarThemeActive()) {
        CRect back = rect;
        HWND window = owner->GetOwnerWindow();
        if (window != nullptr) {
            ::GetClientRect(window, &back);
        }
        (void)m_themeRebar.DrawThemeBackground(dc->m_hDC, 0, 0, &back, &rect);
    }
    const COLORREF text = active ? m_clrActiveCaptionText : m_clrNormalCaptionText;
    DrawCaptionButtons(dc, owner->GetCaptionButtons(), rect, text, 16, 2, vertical);
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
    DrawRaisedBars(dc, rect, (vertical ? rect.top : rect.left) + width + 4, vertical,
                   GetColor(COLOR_BTNHIGHLIGHT), GetColor(COLOR_BTNSHADOW));
}

}  // namespace UTKDockingPanePaintThemes
