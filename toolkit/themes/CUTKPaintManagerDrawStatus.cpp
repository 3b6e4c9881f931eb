// Status-bar panes, switches, borders and the size gripper, and message-bar buttons, drawn
// from the records the bars fill. Button faces come from the theme's DrawRectangle, so a pane
// or switch looks like a toolbar button of the same theme.
#include "toolkit/themes/CUTKPaintManager.h"

#include "toolkit/common/CUTKFontDC.h"
#include "toolkit/common/CUTKImageManager.h"
#include "toolkit/themes/StatusBarRecords.h"

#include <algorithm>

namespace {

constexpr int kSwitchWidth = 18;

}  // namespace

BOOL CUTKPaintManager::DrawStatusBarButtonFace(CDC* pDC, CRect rc, CUTKStatusBarPane* pPane)
{
    if (pPane == nullptr) {
        return FALSE;
    }
    CUTKStatusBar* bar = pPane->m_pStatusBar;
    const BOOL hot = bar != nullptr && bar->m_nHotPane == pPane->m_nIndex;
    const BOOL pressed = pPane->m_bPressed ||
                         (bar != nullptr && bar->m_nPressedPane == pPane->m_nIndex);
    const BOOL checked = pPane->IsChecked();
    if (!hot && !pressed && !checked) {
        return FALSE;
    }
    DrawRectangle(pDC, rc, hot, pressed, TRUE, checked, FALSE, kBarTypeNormal, kBarBottom);
    return TRUE;
}

void CUTKPaintManager::DrawStatusBarPane(CDC* pDC, CRect rc, CUTKStatusBarPane* pPane)
{
    if (pDC == nullptr || pPane == nullptr) {
        return;
    }
    if (pPane->m_clrBackground != static_cast<COLORREF>(-1)) {
        CRect rcFill = rc;
        if ((pPane->m_nStyle & CUTKStatusBarPane::kStyleNoBorder) == 0) {
            rcFill.DeflateRect(1, 1);
        }
        pDC->FillSolidRect(rcFill, pPane->m_clrBackground);
    }
    BOOL face = FALSE;
    if (pPane->IsButton()) {
        face = DrawStatusBarButtonFace(pDC, rc, pPane);
    }
    CFont paneFont;
    CUTKFontDC font(pDC, nullptr);
    if (pPane->m_hFont != nullptr) {
        paneFont.Attach(pPane->m_hFont);
        font.SetFont(&paneFont);
    }
    const CRect margins = pPane->GetMargins();
    rc.left += margins.left;
    rc.top += margins.top;
    rc.right -= margins.right;
    rc.bottom -= margins.bottom;

    const BOOL enabled = pPane->IsEnabled();
    CUTKStatusBar* bar = pPane->m_pStatusBar;
    COLORREF text = m_clrStatusTextColor;
    if (face) {
        const BOOL hot = bar != nullptr && bar->m_nHotPane == pPane->m_nIndex;
        text = GetRectangleTextColor(hot, pPane->m_bPressed, TRUE, pPane->IsChecked(), FALSE,
                                     kBarTypeNormal, kBarBottom);
    }
    if (enabled && pPane->m_clrText != static_cast<COLORREF>(-1)) {
        text = pPane->m_clrText;
    }
    if (!enabled) {
        text = GetColor(COLOR_GRAYTEXT);
    }
    const COLORREF oldText = pDC->SetTextColor(text);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);

    CUTKImageManagerIcon* icon = nullptr;
    if (pPane->m_nIconID != 0) {
        CUTKImageManager* images = bar != nullptr ? bar->GetImageManager() : ::GetImageManager();
        icon = images->GetImage(pPane->m_nIconID, 16);
    }
    const BOOL drawText = enabled || (bar != nullptr && bar->m_bDrawDisabledText);
    const CSize iconSize = icon != nullptr ? icon->GetExtent() : CSize(0, 0);
    const int iconWidth = icon != nullptr && iconSize.cx <= rc.Width() ? iconSize.cx + 2 : 0;
    const int textWidth =
        drawText && !pPane->m_strText.IsEmpty() ? pDC->GetTextExtent(pPane->m_strText).cx : 0;
    const int total = iconWidth + textWidth;
    int x = rc.left;
    if (total <= rc.Width()) {
        if (pPane->m_nAlignment == 1) {
            x = rc.left + (rc.Width() - total) / 2;
        } else if (pPane->m_nAlignment == 2) {
            x = rc.right - total;
        }
    }
    if (iconWidth > 0) {
        const CPoint pt(x, (rc.top + rc.bottom - iconSize.cy) / 2);
        if (enabled) {
            icon->Draw(pDC, pt);
        } else {
            icon->DrawImage(pDC, pt, icon->GetDisabledIcon(), iconSize);
        }
        x += iconWidth;
    }
    if (drawText && !pPane->m_strText.IsEmpty()) {
        CRect rcText(x, rc.top, rc.right, rc.bottom);
        pDC->DrawText(pPane->m_strText, rcText,
                      DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX);
    }
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldText);
    if (paneFont.m_hObject != nullptr) {
        font.SetFont(nullptr);
        paneFont.Detach();
    }
}

int CUTKPaintManager::DrawStatusBarSwitchPane(CDC* pDC, CRect rc, CUTKStatusBarPane* pPane)
{
    if (pPane == nullptr) {
        return 0;
    }
    if (pDC == nullptr) {
        for (UTK_STATUSBAR_SWITCH& item : pPane->m_switches) {
            item.nWidth = kSwitchWidth;
        }
        return kSwitchWidth * static_cast<int>(pPane->m_switches.size());
    }
    CUTKStatusBar* bar = pPane->m_pStatusBar;
    CUTKImageManager* images = bar != nullptr ? bar->GetImageManager() : ::GetImageManager();
    const BOOL paneEnabled = pPane->IsEnabled();
    int x = rc.left;
    for (const UTK_STATUSBAR_SWITCH& item : pPane->m_switches) {
        const int width = item.nWidth > 0 ? item.nWidth : kSwitchWidth;
        const CRect rcSwitch(x, rc.top, x + width, rc.bottom);
        DrawRectangle(pDC, rcSwitch, item.bHot, item.bPressed, paneEnabled, item.bChecked, FALSE,
                      kBarTypeNormal, kBarTop);
        if (CUTKImageManagerIcon* icon = images->GetImage(item.nID, 16)) {
            const CSize size = icon->GetExtent();
            const CPoint pt((rcSwitch.left + rcSwitch.right - size.cx) / 2,
                            (rcSwitch.top + rcSwitch.bottom - size.cy) / 2);
            if (!paneEnabled || !item.bEnabled) {
                icon->DrawImage(pDC, pt, icon->GetDisabledIcon(), size);
            } else if (item.bChecked) {
                icon->DrawImage(pDC, pt, icon->GetCheckedIcon(), size);
            } else {
                icon->Draw(pDC, pt);
            }
        }
        x += width;
    }
    return x - rc.left;
}

void CUTKPaintManager::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, CUTKStatusBarPane* pPane,
                                               BOOL bGripperPane)
{
    if (m_bThemedStatusBar && m_themeStatusBar.IsAppThemed()) {
        m_themeStatusBar.DrawThemeBackground(pDC->GetSafeHdc(), bGripperPane ? 2 : 1, 0, &rc,
                                             nullptr);
        return;
    }
    if (pPane == nullptr || !pPane->IsButton()) {
        Draw3dRect(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    }
}

void CUTKPaintManager::DrawStatusBarGripper(CDC* pDC, CRect rcClient)
{
    if (m_bThemedStatusBar && m_themeStatusBar.IsAppThemed()) {
        CRect rc = rcClient;
        rc.left = rc.right - 18;
        m_themeStatusBar.DrawThemeBackground(pDC->GetSafeHdc(), 3, 0, &rc, nullptr);
        return;
    }
    // The lines are placed from the rectangle's size, so the gripper sits in its corner when
    // the rectangle starts at the client origin.
    const int w = rcClient.Width();
    const int h = rcClient.Height();
    const int x0 = rcClient.left;
    const int y0 = rcClient.top;
    for (int o : {0, 4, 8}) {
        DrawLine(pDC, x0 + w - o - 3, y0 + h - 2, x0 + w - 1, y0 + h - o - 4, COLOR_BTNSHADOW);
        DrawLine(pDC, x0 + w - o - 4, y0 + h - 2, x0 + w - 1, y0 + h - o - 5, COLOR_BTNSHADOW);
        DrawLine(pDC, x0 + w - o - 5, y0 + h - 2, x0 + w - 1, y0 + h - o - 6, COLOR_BTNHIGHLIGHT);
    }
}

void CUTKPaintManager::DrawMessageBarButton(CDC* pDC, CUTKMessageBarButton* pButton)
{
    if (pDC == nullptr || pButton == nullptr) {
        return;
    }
    const CRect rc = pButton->m_rcButton;
    const BOOL close = pButton->m_nID == SC_CLOSE;
    if (pButton->m_bPressed) {
        pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
        DrawRectangle(pDC, rc, pButton->m_bHot, TRUE, TRUE, FALSE, FALSE, kBarTypeNormal, kBarTop);
    } else if (pButton->m_bHot) {
        pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
        DrawRectangle(pDC, rc, TRUE, FALSE, TRUE, FALSE, FALSE, kBarTypeNormal, kBarTop);
    } else if (!close) {
        pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
        DrawFilledRect(pDC, rc, COLOR_BTNSHADOW, -1);
    }
    if (close) {
        const int cx = (rc.left + rc.right) / 2;
        const int cy = (rc.top + rc.bottom) / 2;
        Line(pDC, cx - 4, cy - 3, cx + 3, cy + 4);
        Line(pDC, cx - 3, cy - 3, cx + 4, cy + 4);
        Line(pDC, cx - 4, cy + 3, cx + 3, cy - 4);
        Line(pDC, cx - 3, cy + 3, cx + 4, cy - 4);
    }
}
