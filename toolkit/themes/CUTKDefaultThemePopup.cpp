// The Default theme's popup items (icon cell, check glyphs, submenu arrow, split separator and
// selection bar, before the base draws caption and shortcut), items of command lists, and the
// edit and combo box fields' frames, drop buttons and spin buttons.
#include "toolkit/themes/CUTKDefaultTheme.h"

#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/common/CUTKFontDC.h"
#include "toolkit/common/CUTKImageManagerIcon.h"
#include "toolkit/controls/CUTKControl.h"

#include <algorithm>

CSize CUTKDefaultTheme::DrawControlPopupParent(CDC* pDC, CUTKControl* pControl, BOOL bDraw)
{
    if (!bDraw || pDC == nullptr || pControl == nullptr) {
        return CUTKPaintManager::DrawControlPopupParent(pDC, pControl, bDraw);
    }
    CUTKFontDC font(pDC, GetControlFont(pControl));
    CUTKCommandBar* bar = pControl->GetParent();
    const int type = pControl->GetType();
    const BOOL iconShown = pControl->GetStyle() != utkButtonCaption;
    int enabledValue = pControl->GetEnabled();
    if (type == utkControlSplitButtonPopup && enabledValue == 5) {
        enabledValue = 0;
    }
    const BOOL enabled = enabledValue != 0;
    const BOOL selected = pControl->GetSelected() != 0;
    const int checked = pControl->GetChecked();
    const BOOL doubleColumn = bar != nullptr && bar->IsDoubleIconColumn();
    const CSize iconSize = GetControlIconSize(pControl);
    const int w = std::max<int>(m_nTextHeight, iconSize.cx + 4);
    const CRect rc = pControl->GetRect();
    CRect rcCell(rc.left, rc.top, rc.left + w, rc.bottom);
    const CRect rcGlyph((rcCell.left + rcCell.right) / 2 - 10, (rcCell.top + rcCell.bottom) / 2 - 10,
                        (rcCell.left + rcCell.right) / 2 + 10, (rcCell.top + rcCell.bottom) / 2 + 10);
    const int gutter = GetPopupBarGripperWidth(bar);

    if (pControl->IsHiddenUntilExpand()) {
        pDC->FillSolidRect(rc, GetColor(COLOR_3DLIGHT));
        if (rc.left < gutter) {
            DrawPopupBarGutter(pDC, rc.left, rc.top, gutter - rc.left, rc.Height(), TRUE);
        }
    }
    const COLORREF text = GetRectangleTextColor(selected, FALSE, enabled, FALSE, FALSE,
                                                kBarTypePopup, kBarPopup);
    pDC->SetTextColor(text);
    pDC->SetBkMode(TRANSPARENT);

    const BOOL split = type == utkControlSplitButtonPopup;
    const BOOL splitOpen = split && pControl->IsPopupOpen() && selected && enabled;
    const int textStart = rcCell.right + 1;
    if (selected) {
        if (m_bPopupItemHighlightStyle) {
            CRect rcBar = rc;
            if (splitOpen) {
                rcBar.right -= 20;
            }
            DrawRectangle(pDC, rcBar, TRUE, FALSE, TRUE, FALSE, FALSE, kBarTypePopup, kBarPopup);
        } else {
            CRect rcBar(textStart, rc.top, rc.right, rc.bottom);
            if (splitOpen) {
                rcBar.right -= 20;
            }
            DrawRectangle(pDC, rcBar, TRUE, FALSE, TRUE, FALSE, FALSE, kBarTypePopup, kBarPopup);
        }
    }
    if (checked) {
        DrawRectangle(pDC, rcCell, selected, FALSE, enabled, checked, FALSE, kBarTypePopup,
                      kBarPopup);
    }
    CRect rcIcon = rcCell;
    if (doubleColumn) {
        rcIcon.OffsetRect(rcCell.Width() + 1, 0);
    }
    CUTKImageManagerIcon* icon = iconShown ? pControl->GetImage(iconSize.cx) : nullptr;
    if (icon != nullptr) {
        const CSize fitted = FitImageSize(icon, iconSize.cx, iconSize.cy);
        if (!m_bPopupItemHighlightStyle) {
            DrawRectangle(pDC, rcIcon, selected, FALSE, enabled, doubleColumn ? FALSE : checked,
                          FALSE, kBarTypeNormal, kBarPopup);
        }
        DrawImage(pDC,
                  CPoint((rcIcon.left + rcIcon.right - fitted.cx) / 2,
                         (rcIcon.top + rcIcon.bottom - fitted.cy) / 2),
                  fitted, icon, selected, FALSE, enabled, doubleColumn ? FALSE : checked, FALSE,
                  FALSE);
    }
    if (checked && (icon == nullptr || doubleColumn)) {
        const COLORREF glyph = GetColor(enabled ? m_nHighlightedTextColorIndex : COLOR_GRAYTEXT);
        if (type == utkControlRadioButton) {
            DrawRadioDot(pDC, rcGlyph, enabled, glyph);
        } else {
            DrawCheckMark(pDC, rcGlyph, enabled, glyph);
        }
    }
    if (type == utkControlPopup || type == utkControlButtonPopup || split) {
        const int cy = (rc.top + rc.bottom) / 2;
        COLORREF arrow = text;
        if (split) {
            const COLORREF line = !enabled ? text
                                           : GetColor(selected ? COLOR_BTNSHADOW
                                                               : m_nHighlightedTextColorIndex);
            VerticalLine(pDC, rc.right - 20, rc.top + 1, rc.bottom - 1, line);
            if (splitOpen) {
                DrawSunken(pDC, CRect(rc.right - 20, rc.top, rc.right, rc.bottom));
                arrow = GetColor(m_nHighlightedTextColorIndex);
            }
        }
        Triangle(pDC, CPoint(rc.right - 11, cy - 3), CPoint(rc.right - 8, cy),
                 CPoint(rc.right - 11, cy + 3), arrow);
    }
    return CUTKPaintManager::DrawControlPopupParent(pDC, pControl, TRUE);
}

CSize CUTKDefaultTheme::DrawListBoxControl(CDC* pDC, CUTKControl* pButton, CRect rcButton,
                                           BOOL bSelected, BOOL bDraw,
                                           CUTKCommandBars* /*pCommandBars*/)
{
    const CSize icon = GetAutoIconSize(FALSE);
    const CSize item(std::max<int>(icon.cx + 4, m_nTextHeight),
                     std::max<int>(icon.cy + 4, m_nTextHeight));
    if (!bDraw || pDC == nullptr || pButton == nullptr) {
        return item;
    }
    CUTKFontDC font(pDC, &m_fontRegular);
    pDC->FillSolidRect(rcButton, GetColor(COLOR_BTNFACE));
    const int type = pButton->GetType();
    const int style = pButton->GetStyle();
    const BOOL iconShown = (style == utkButtonAutomatic && type != utkControlPopup) ||
                           style == utkButtonIcon || style == utkButtonIconAndCaption;
    const CRect rcCell(rcButton.left, rcButton.top, rcButton.left + item.cx, rcButton.bottom);
    if (iconShown) {
        if (CUTKImageManagerIcon* image = pButton->GetImage(icon.cx)) {
            DrawRectangle(pDC, rcCell, bSelected, FALSE, TRUE, FALSE, FALSE, kBarTypeNormal,
                          kBarPopup);
            DrawImage(pDC,
                      CPoint((rcCell.left + rcCell.right - icon.cx) / 2,
                             (rcCell.top + rcCell.bottom - icon.cy) / 2),
                      icon, image, bSelected, FALSE, TRUE, FALSE, FALSE, FALSE);
        }
    }
    CRect rcText(rcCell.right, rcButton.top, rcButton.right, rcButton.bottom);
    if (bSelected) {
        pDC->FillSolidRect(rcText, GetColor(COLOR_HIGHLIGHT));
    }
    rcText.left += 4;
    CString caption = pButton->GetCaption();
    StripMnemonics(caption);
    const COLORREF oldText = pDC->SetTextColor(GetColor(bSelected ? COLOR_HIGHLIGHTTEXT
                                                                  : COLOR_BTNTEXT));
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(caption, rcText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    const int cy = (rcButton.top + rcButton.bottom) / 2;
    if (type == utkControlPopup || type == utkControlButtonPopup ||
        type == utkControlSplitButtonPopup) {
        Triangle(pDC, CPoint(rcButton.right - 12, cy - 3), CPoint(rcButton.right - 7 - 2, cy),
                 CPoint(rcButton.right - 12, cy + 3), pDC->GetTextColor());
        if (type == utkControlSplitButtonPopup) {
            VerticalLine(pDC, rcButton.right - 20, rcButton.top + 1, rcButton.bottom - 1,
                         pDC->GetTextColor());
        }
    }
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldText);
    return item;
}

CSize CUTKDefaultTheme::DrawControlComboBox(CDC* pDC, CUTKControlComboBox* pComboBox, BOOL bDraw)
{
    return CUTKPaintManager::DrawControlComboBox(pDC, pComboBox, bDraw);
}

CSize CUTKDefaultTheme::DrawControlEdit(CDC* pDC, CUTKControlEdit* pEdit, BOOL bDraw)
{
    return CUTKPaintManager::DrawControlEdit(pDC, pEdit, bDraw);
}

void CUTKDefaultTheme::DrawControlEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected)
{
    if (pDC == nullptr) {
        return;
    }
    CRect inner = rc;
    inner.DeflateRect(1, 1);
    if (bEnabled) {
        if (bSelected) {
            DrawSunken(pDC, rc);
        }
        Draw3dRect(pDC, inner, COLOR_BTNFACE, COLOR_BTNFACE);
        return;
    }
    const BOOL keyboard = bSelected == utkSelectedKeyboard || bSelected == utkSelectedKeyboardAlt;
    Draw3dRect(pDC, inner, keyboard ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT,
               keyboard ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
}

void CUTKDefaultTheme::DrawComboBoxDropButton(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected,
                                              BOOL bDropped)
{
    if (pDC == nullptr) {
        return;
    }
    CRect button(rc.left + 1, rc.top + 2, rc.right - 2, rc.bottom - 2);
    CRect glyph = button;
    if (bEnabled) {
        pDC->FillSolidRect(button, GetColor(COLOR_BTNFACE));
        if (bDropped) {
            pDC->FillSolidRect(button.left - 1, button.top, 1, button.Height(),
                               GetColor(COLOR_BTNFACE));
            DrawSunken(pDC, button);
            glyph.OffsetRect(1, 1);
        } else if (bSelected) {
            pDC->FillSolidRect(button.left - 1, button.top, 1, button.Height(),
                               GetColor(COLOR_BTNFACE));
            DrawRaised(pDC, button);
        } else {
            Draw3dRect(pDC, button, COLOR_BTNHIGHLIGHT, COLOR_BTNHIGHLIGHT);
        }
    }
    DrawDropDownGlyph(pDC, glyph, GetColor(COLOR_BTNTEXT));
}

void CUTKDefaultTheme::DrawControlEditSpin(CDC* /*pDC*/, CUTKControlEdit* /*pEdit*/)
{
    // Spin buttons belong to the edit control, which comes with the field controls.
}
