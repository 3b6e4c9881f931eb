#include "toolkit/dockingpane/CUTKDockingPaneWinNativeTheme.h"

#include "toolkit/dockingpane/DockingCaptionOwner.h"
#include "toolkit/tabmanager/CUTKTabPaintManager.h"

namespace UTKDockingPanePaintThemes {

namespace {

constexpr int kSmallCaption = 2;       // WP_SMALLCAPTION
constexpr int kSmallFrameLeft = 10;    // WP_SMALLFRAMELEFT
constexpr int kSmallFrameRight = 11;   // WP_SMALLFRAMERIGHT
constexpr int kSmallFrameBottom = 12;  // WP_SMALLFRAMEBOTTOM
constexpr int kCaptionActive = 1;      // CS_ACTIVE
constexpr int kCaptionInactive = 2;    // CS_INACTIVE

}  // namespace

CUTKDockingPaneWinNativeTheme::CUTKDockingPaneWinNativeTheme()
{
    for (CUTKTabPaintManager* tabs : {m_pPaneTabPaintManager, m_pPanelTabPaintManager}) {
        tabs->SetAppearance(0);
        tabs->SetColor(8);
        tabs->m_bHotTracking = TRUE;
    }
    m_bGradientCaption = TRUE;
    m_nTextCaptionMargin = 7;
    m_nCaptionButtonStyle = 3;
}

void CUTKDockingPaneWinNativeTheme::RefreshMetrics()
{
    CUTKDockingPaneVisualStudio2003Theme::RefreshMetrics();
    if (IsWindowThemeActive()) {
        m_clrActiveCaptionText.SetStandardValue(GetColor(COLOR_CAPTIONTEXT));
        m_clrNormalCaptionText.SetStandardValue(GetColor(COLOR_INACTIVECAPTIONTEXT));
    }
}

void CUTKDockingPaneWinNativeTheme::DrawCaption(CDC* dc, DockingCaptionOwner* container,
                                                CRect rect)
{
    if (!IsWindowThemeActive()) {
        CUTKDockingPaneGripperedTheme::DrawCaption(dc, container, rect);
        return;
    }
    const BOOL vertical = container->IsCaptionVertical();
    const CRect caption = vertical ? CRect(0, 0, m_nCaptionFontHeight + 1, rect.bottom)
                                   : CRect(0, 0, rect.right, m_nCaptionFontHeight + 1);
    const BOOL active = IsOwnerActive(container);
    (void)m_themeWindow.DrawThemeBackground(dc->m_hDC, kSmallCaption,
                                            active ? kCaptionActive : kCaptionInactive, &caption,
                                            nullptr);
    DrawCaptionPart(dc, container, caption, container->GetTitle(), active, vertical);
}

void CUTKDockingPaneWinNativeTheme::DrawCaptionPart(CDC* dc, DockingCaptionOwner* owner,
                                                    CRect rect, const CString& title,
                                                    BOOL active, BOOL vertical)
{
    if (!IsWindowThemeActive()) {
        CUTKDockingPaneVisualStudio2003Theme::DrawCaptionPart(dc, owner, rect, title, active,
                                                              vertical);
        return;
    }
    const COLORREF text = active ? m_clrActiveCaptionText : m_clrNormalCaptionText;
    COLORREF buttons = text;
    if (owner->GetOwnerType() == DockingCaptionOwner::typeSidePanel) {
        buttons = DrawCaptionBackground(dc, owner, rect, active, vertical);
    }
    if (vertical) {
        rect.bottom -= 2;
    } else {
        rect.right -= 2;
    }
    DrawCaptionButtons(dc, owner->GetCaptionButtons(), rect, buttons, 16, 3, vertical);
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

void CUTKDockingPaneWinNativeTheme::DrawFloatingFrame(CDC* dc, DockingCaptionOwner* frame,
                                                      CRect rect)
{
    if (!IsWindowThemeActive()) {
        CUTKDockingPaneDefaultTheme::DrawFloatingFrame(dc, frame, rect);
        return;
    }
    const int state = IsOwnerActive(frame) ? kCaptionActive : kCaptionInactive;
    const CRect left(rect.left, rect.top, rect.left + 3, rect.bottom);
    const CRect right(rect.right - 3, rect.top, rect.right, rect.bottom);
    const CRect bottom(rect.left, rect.bottom - 3, rect.right, rect.bottom);
    (void)m_themeWindow.DrawThemeBackground(dc->m_hDC, kSmallFrameLeft, state, &left, nullptr);
    (void)m_themeWindow.DrawThemeBackground(dc->m_hDC, kSmallFrameRight, state, &right, nullptr);
    (void)m_themeWindow.DrawThemeBackground(dc->m_hDC, kSmallFrameBottom, state, &bottom,
                                            nullptr);
    CRect caption(rect.left, rect.top, rect.right, rect.top + m_nCaptionFontHeight + 5);
    dc->SetBkMode(TRANSPARENT);
    (void)m_themeWindow.DrawThemeBackground(dc->m_hDC, kSmallCaption, state, &caption, nullptr);
    caption.DeflateRect(3, 0);
    DrawCaptionPart(dc, frame, caption, frame->GetTitle(), state == kCaptionActive, FALSE);
}

void CUTKDockingPaneWinNativeTheme::DrawSidePanel(CDC* dc, DockingCaptionOwner* panel, CRect rect)
{
    CUTKDockingPaneDefaultTheme::DrawSidePanel(dc, panel, rect);
}

}  // namespace UTKDockingPanePaintThemes
