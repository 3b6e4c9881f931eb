// Docking theme 5: the Visio look of panes, captions and floating frames.
#include "toolkit/dockingpane/CUTKDockingPaneOffice2002VisioTheme.h"

#include "toolkit/common/CUTKFontDC.h"
#include "toolkit/dockingpane/DockingCaptionOwner.h"
#include "toolkit/tabmanager/CUTKTabManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManagerColorSet.h"

namespace UTKDockingPanePaintThemes {

namespace {

constexpr int kVisioInset = 3;

}  // namespace

CUTKDockingPaneOffice2002VisioTheme::CUTKDockingPaneOffice2002VisioTheme()
{
    m_pPanelTabPaintManager->SetAppearance(6);
    m_pPaneTabPaintManager->SetAppearance(8);
    m_pPaneTabPaintManager->SetPosition(CUTKTabPaintManager::positionTop);
    m_nTextCaptionMargin = 2;
    m_nCaptionButtonStyle = 2;
}

void CUTKDockingPaneOffice2002VisioTheme::RefreshMetrics()
{
    // The paint manager's own metrics only: no caption gradients of the themes in between.
    CUTKDockingPanePaintManager::RefreshMetrics();
}

void CUTKDockingPaneOffice2002VisioTheme::AdjustCaptionRect(DockingCaptionOwner* container,
                                                            CRect& rect)
{
    CUTKDockingPanePaintManager::AdjustCaptionRect(container, rect);
    const BOOL caption = container->IsCaptionVisible();
    if (caption && container->IsCaptionVertical()) {
        rect.top += kVisioInset;
    } else {
        rect.left += kVisioInset;
        if (!caption) {
            rect.top += kVisioInset;
        }
    }
    rect.right -= kVisioInset;
    rect.bottom -= kVisioInset;
    if (!container->IsTabsVisible() && m_pPaneTabPaintManager->m_nClientFrame != 2) {
        rect.DeflateRect(1, 1);
    }
}

CRect CUTKDockingPaneOffice2002VisioTheme::GetVisioCaptionRect(DockingCaptionOwner* container,
                                                               CRect rect) const
{
    const int band = GetCaptionBand();
    if (container->IsCaptionVertical()) {
        return CRect(rect.left + m_rcCaptionMargin.top, rect.top + kVisioInset,
                     rect.left + band - m_rcCaptionMargin.bottom, rect.bottom - kVisioInset);
    }
    return CRect(rect.left + kVisioInset, rect.top + m_rcCaptionMargin.top,
                 rect.right - kVisioInset, rect.top + band - m_rcCaptionMargin.bottom);
}

void CUTKDockingPaneOffice2002VisioTheme::DrawPane(CDC* dc, DockingCaptionOwner* container,
                                                   CRect rect)
{
    dc->FillSolidRect(&rect, GetColor(container->IsActive() ? 31 : 30));
    dc->SetBkMode(TRANSPARENT);
    if (container->IsCaptionVisible()) {
        dc->FillSolidRect(rect.left, rect.top, rect.Width(), 1, m_clrSplitterFace);
    }
    CRect client = rect;
    AdjustCaptionRect(container, client);
    if (container->IsTabsVisible() && container->GetTabManager() != nullptr) {
        m_pPaneTabPaintManager->DrawTabControl(container->GetTabManager(), dc, client);
    } else if (CUTKTabPaintManager::CColorSet* colors = m_pPaneTabPaintManager->GetColorSet()) {
        CRect frame = client;
        frame.InflateRect(1, 1);
        dc->Draw3dRect(&frame, colors->m_clrFrameBorder, colors->m_clrFrameBorder);
    }
    if (container->IsCaptionVisible()) {
        DrawCaption(dc, container, rect);
    }
    if (!rect.IsRectEmpty()) {
        SetPixelColor(dc, rect.left, rect.top, 51);
        SetPixelColor(dc, rect.right - 1, rect.top, 51);
        SetPixelColor(dc, rect.left, rect.bottom - 1, 51);
        SetPixelColor(dc, rect.right - 1, rect.bottom - 1, 51);
    }
}

void CUTKDockingPaneOffice2002VisioTheme::DrawCaptionLines(CDC* dc, CRect rect, int start,
                                                           int end, BOOL vertical,
                                                           COLORREF color) const
{
    if (start >= end) {
        return;
    }
    const int middle = vertical ? (rect.left + rect.right) / 2 : (rect.top + rect.bottom) / 2;
    for (int offset : {-3, -1, 1, 3}) {
        if (vertical) {
            dc->FillSolidRect(middle + offset, start, 1, end - start, color);
        } else {
            dc->FillSolidRect(start, middle + offset, end - start, 1, color);
        }
    }
}

void CUTKDockingPaneOffice2002VisioTheme::DrawCaption(CDC* dc, DockingCaptionOwner* container,
                                                      CRect rect)
{
    const BOOL vertical = container->IsCaptionVertical();
    const BOOL active = IsOwnerActive(container);
    CRect caption = GetVisioCaptionRect(container, rect);
    DrawCaptionButtons(dc, container->GetCaptionButtons(), caption, RGB(0, 0, 0), 16, 0,
                       vertical);
    dc->SetTextColor(IsCaptionEnabled(container) ? GetColor(COLOR_BTNTEXT)
                                                 : m_clrDisabledCaptionText.GetColor());
    CRect text = caption;
    if (vertical) {
        text.top += 4;
    } else {
        text.left += 4;
    }
    DrawCaptionIcon(dc, container, text, vertical);
    const int width = DrawCaptionText(dc, container->GetTitle(), text, vertical, TRUE);
    const COLORREF lines = GetColor(active ? COLOR_BTNTEXT : 38);
    if (vertical) {
        DrawCaptionLines(dc, caption, text.top + width + (width > 0 ? 4 : 0), caption.bottom - 2,
                         TRUE, lines);
    } else {
        DrawCaptionLines(dc, caption, text.left + width + (width > 0 ? 4 : 0), caption.right - 2,
                         FALSE, lines);
    }
}

void CUTKDockingPaneOffice2002VisioTheme::DrawFloatingFrame(CDC* dc, DockingCaptionOwner* frame,
                                                            CRect rect)
{
    const COLORREF face = GetColor(IsOwnerActive(frame) ? 31 : 30);
    dc->Draw3dRect(&rect, face, RGB(0, 0, 0));
    rect.DeflateRect(1, 1);
    dc->Draw3dRect(&rect, GetColor(COLOR_BTNHIGHLIGHT), GetColor(COLOR_BTNSHADOW));
    rect.DeflateRect(1, 1);
    dc->Draw3dRect(&rect, face, face);
    rect.DeflateRect(1, 1);
    const CRect caption(rect.left, rect.top, rect.right, rect.top + m_nCaptionFontHeight + 3);
    dc->FillSolidRect(&caption, face);
    CRect buttons = caption;
    buttons.right -= 2;
    DrawCaptionButtons(dc, frame->GetCaptionButtons(), buttons, GetColor(COLOR_BTNTEXT), 16, 0,
                       FALSE);
    const CString title = frame->GetTitle();
    int width = 0;
    if (!title.IsEmpty()) {
        CUTKFontDC font(dc, GetCaptionFont());
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(IsCaptionEnabled(frame) ? GetColor(COLOR_BTNTEXT)
                                                 : m_clrDisabledCaptionText.GetColor());
        CRect text(caption.left + 4, caption.top, buttons.right, caption.bottom);
        CRect measure = text;
        dc->DrawText(title, &measure, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        width = measure.Width();
        dc->DrawText(title, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    DrawCaptionLines(dc, caption, caption.left + width + 14, buttons.right - 4, FALSE,
                     GetColor(IsOwnerActive(frame) ? COLOR_BTNTEXT : 38));
}

}  // namespace UTKDockingPanePaintThemes
