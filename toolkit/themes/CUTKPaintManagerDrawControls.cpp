// The base layout of a control's icon, caption, shortcut and glyphs in popup bars and on
// toolbars and menu bars, the measuring of edit and combo box fields, and the built-in buttons
// of bars (expand button, expand item, floating-caption buttons). The themes draw backgrounds
// and frames first and then come here for the text and the size.
#include "toolkit/themes/CUTKPaintManager.h"

#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/common/CUTKFontDC.h"
#include "toolkit/common/CUTKImageManagerIcon.h"
#include "toolkit/common/CUTKPenDC.h"
#include "toolkit/controls/CUTKControl.h"

#include <algorithm>

namespace {

// The icon a toolbar control shows at the width, or null when its style or lack of an
// image hides it.
CUTKImageManagerIcon* ShownIcon(CUTKControl* control, int width)
{
    const int style = control->GetStyle();
    const BOOL byStyle = style == utkButtonIcon || style == utkButtonIconAndCaption ||
                         style == utkButtonIconAndCaptionBelow ||
                         (style == utkButtonAutomatic && control->GetType() != utkControlPopup);
    if (!byStyle || control->GetIconId() <= 0) {
        return nullptr;
    }
    return control->GetImage(width);
}

int BarType(CUTKControl* control)
{
    CUTKCommandBar* bar = control->GetParent();
    return bar != nullptr ? bar->GetType() : CUTKPaintManager::kBarTypeNormal;
}

}  // namespace

CSize CUTKPaintManager::DrawControlPopupParent(CDC* pDC, CUTKControl* pControl, BOOL bDraw)
{
    CUTKCommandBar* bar = pControl->GetParent();
    CUTKFontDC font(pDC, GetControlFont(pControl));
    const CSize cell = GetPopupBarImageSize(bar);
    int gutter = GetPopupBarGripperWidth(bar) - 1;
    int rowHeight = cell.cy;
    const int type = pControl->GetType();
    const int style = pControl->GetStyle();
    if (type == utkControlLabel) {
        const BOOL iconShown = style != utkButtonCaption && pControl->GetIconId() > 0 &&
                               pControl->GetImage(GetControlIconSize(pControl).cx) != nullptr;
        if (!iconShown) {
            if (!m_bShowLabelIcons) {
                gutter = 0;
            }
            rowHeight = m_nTextHeight;
        }
    }
    const CRect rc = bDraw ? pControl->GetRect() : CRect(0, 0, 0, 0);
    CRect rcCaption(rc.left + gutter + m_nTextGap, rc.top, rc.right, rc.bottom);
    CRect rcShortcut(rc.left + gutter + 8, rc.top, rc.right - 19, rc.bottom);
    const CString shortcut = type == utkControlButton ? pControl->GetShortcutText() : CString();
    const int shortcutWidth = shortcut.IsEmpty() ? 0 : pDC->GetTextExtent(shortcut).cx;
    if (!shortcut.IsEmpty()) {
        rcCaption.right = rc.right - 19 - shortcutWidth;
    }
    const BOOL cues = IsKeyboardCuesShown(pControl);
    CString caption = pControl->GetCaption();
    if (!cues) {
        StripMnemonics(caption);
    }
    const UINT flags = DT_END_ELLIPSIS | (cues ? 0 : DT_NOPREFIX);
    const BOOL selected = pControl->GetSelected() != 0;
    const BOOL enabled = IsControlCaptionEnabled(pControl);
    const CString description = pControl->GetDescription();

    if (style == utkButtonCaptionAndDescription && !description.IsEmpty()) {
        const int lineHeight = pDC->GetTextExtent(L" ").cy;
        CRect rcBold = rcCaption;
        rcBold.bottom = rc.top + lineHeight + 10;
        CSize captionSize;
        {
            CUTKFontDC bold(pDC, &m_fontBold);
            CRect rcMeasure(0, 0, 0, 0);
            DrawControlText(pDC, caption, rcMeasure, flags, FALSE, selected, enabled);
            captionSize = rcMeasure.Size();
            if (bDraw) {
                DrawControlText(pDC, caption, rcBold, flags, TRUE, selected, enabled);
            }
        }
        if (bDraw) {
            if (!shortcut.IsEmpty()) {
                CRect rcKey(rcShortcut.left, rcBold.top, rcShortcut.right, rcBold.bottom);
                DrawControlText(pDC, shortcut, rcKey, flags | DT_RIGHT, TRUE, selected, enabled);
            }
            CRect rcText(rcCaption.left, rcBold.bottom - 2, rc.right - 10, rc.bottom);
            pDC->DrawText(description, rcText, DT_WORDBREAK | DT_NOPREFIX);
            return CSize(0, 0);
        }
        CRect rcLines(0, 0, cell.cx / 2 + 10, 0);
        const int twoLines = pDC->DrawText(CString(L"1\n2"), rcLines, DT_CALCRECT);
        const int height = std::max<int>(cell.cy, captionSize.cy + twoLines + 19);
        const int width = std::max<int>(m_nTextGap + cell.cx / 2 + gutter + 32,
                                        gutter + m_nTextGap + captionSize.cx + shortcutWidth + 32);
        return ApplyControlFixedSize(pControl, width, height, FALSE);
    }

    if (bDraw) {
        DrawControlText(pDC, caption, rcCaption, flags, TRUE, selected, enabled);
        if (!shortcut.IsEmpty()) {
            DrawControlText(pDC, shortcut, rcShortcut, flags | DT_RIGHT, TRUE, selected, enabled);
        }
        return CSize(0, 0);
    }
    CRect rcMeasure(0, 0, 0, 0);
    DrawControlText(pDC, caption, rcMeasure, flags, FALSE, selected, enabled);
    return ApplyControlFixedSize(
        pControl, shortcutWidth + m_nTextGap + rcMeasure.Width() + gutter + 32, rowHeight, FALSE);
}

CSize CUTKPaintManager::DrawControlToolBarParent(CDC* pDC, CUTKControl* pControl, BOOL bDraw)
{
    CUTKCommandBar* bar = pControl->GetParent();
    CUTKFontDC font(pDC, GetControlFont(pControl));
    const CRect rc = bDraw ? pControl->GetRect() : CRect(0, 0, 0, 0);
    const CSize iconSize = GetControlIconSize(pControl);
    const CSize buttonSize = pControl->GetButtonSize();
    const BOOL vert = GetControlTextOrientation(pControl) == kTextVertical;
    const int type = pControl->GetType();
    const int style = pControl->GetStyle();
    const int barType = BarType(pControl);

    CUTKImageManagerIcon* icon = ShownIcon(pControl, iconSize.cx);
    const CSize imageSize = icon != nullptr ? FitImageSize(icon, iconSize.cx, iconSize.cy)
                                            : CSize(0, 0);
    const int selected = pControl->GetSelected();
    const BOOL pressed = pControl->GetPressed();
    const BOOL enabled = IsControlCaptionEnabled(pControl);
    const BOOL checked = pControl->GetChecked();
    const BOOL popuped = pControl->IsPopupOpen();
    const BOOL checkGlyph = type == utkControlCheckBox || type == utkControlRadioButton;

    if (bDraw) {
        pDC->SetBkMode(TRANSPARENT);
    }
    if (bDraw && !checkGlyph) {
        if (type == utkControlSplitButtonPopup) {
            DrawSplitButtonFrame(pDC, pControl, rc);
        } else {
            DrawControlEntry(pDC, pControl);
        }
        pDC->SetTextColor(GetControlTextColor(pControl));
    }
    auto drawIcon = [&](CPoint pt) {
        if (bDraw && icon != nullptr) {
            DrawImage(pDC, pt, imageSize, icon, selected, pressed, enabled, checked, popuped, TRUE);
        }
    };

    if (style == utkButtonIconAndCaptionBelow) {
        const int dropDown = GetSplitDropDownHeight();
        int w = std::max(2 * GetControlHeight() - 3, 42);
        int h = m_nFixedControlHeight > 0 ? 3 * m_nFixedControlHeight
                                          : iconSize.cy + dropDown + 7;
        if (vert) {
            std::swap(w, h);
        }
        const BOOL glyph = pControl->GetCommandBar() != nullptr;
        if (bDraw) {
            if (!vert) {
                drawIcon(CPoint((rc.left + rc.right) / 2 - imageSize.cx / 2, rc.top + 3));
                DrawTwoLineControlText(
                    pDC, pControl,
                    CRect(rc.left, rc.bottom - 1 - dropDown, rc.right, rc.bottom - 1), TRUE,
                    FALSE, glyph);
            } else {
                drawIcon(CPoint(rc.left + dropDown + 4, (rc.top + rc.bottom) / 2 - imageSize.cy / 2));
                DrawTwoLineControlText(pDC, pControl,
                                       CRect(rc.left, rc.top, rc.left + dropDown, rc.bottom), TRUE,
                                       TRUE, glyph);
            }
        } else {
            const CSize text = DrawTwoLineControlText(pDC, pControl, rc, FALSE, vert, glyph);
            if (!vert) {
                w = std::max<int>(w, text.cx + 5);
            } else {
                h = std::max<int>(h, text.cy + 6);
            }
        }
        return ApplyControlFixedSize(pControl, w, h, vert);
    }

    if (bar != nullptr && bar->IsTextBelowIcons() && icon != nullptr && !checkGlyph) {
        CUTKFontDC below(pDC, pControl->GetDefaultItem() ? &m_fontBold : &m_fontRegular);
        const BOOL glyph = type == utkControlPopup;
        if (bDraw) {
            CRect rcIcon = rc;
            if (type == utkControlSplitButtonPopup) {
                rcIcon.right -= m_nSplitButtonDropDownWidth;
            }
            drawIcon(CPoint((rcIcon.left + rcIcon.right) / 2 - imageSize.cx / 2, rc.top + 4));
            DrawControlCaptionText(pDC, pControl,
                                   CRect(rc.left, rc.top + buttonSize.cy - 4, rc.right, rc.bottom),
                                   TRUE, FALSE, TRUE, glyph);
            return CSize(0, 0);
        }
        const CSize text = DrawControlCaptionText(pDC, pControl, rc, FALSE, FALSE, TRUE, glyph);
        const int h = text.cy + iconSize.cy;
        int w = std::max<int>(text.cx, iconSize.cx + 10) +
                (type == utkControlSplitButtonPopup ? 11 : 0);
        w = std::max(w, h);
        return ApplyControlFixedSize(pControl, w, h, FALSE);
    }

    if (type == utkControlPopup && icon == nullptr) {
        const BOOL glyph = barType != kBarTypeMenuBar;
        const CSize text = DrawControlCaptionText(pDC, pControl, rc, bDraw, vert, TRUE, glyph);
        if (bDraw) {
            return CSize(0, 0);
        }
        return ApplyControlFixedSize(pControl, text.cx + 6, text.cy + 6, vert);
    }

    if (checkGlyph) {
        CRect rcGlyph;
        CRect rcText = rc;
        if (!vert) {
            rcGlyph = CRect(rc.left + 3, (rc.top + rc.bottom - 13) / 2, rc.left + 16,
                            (rc.top + rc.bottom - 13) / 2 + 13);
            rcText.left = rcGlyph.right + 5;
        } else {
            rcGlyph = CRect((rc.left + rc.right - 13) / 2, rc.top + 3,
                            (rc.left + rc.right - 13) / 2 + 13, rc.top + 16);
            rcText.top = rcGlyph.bottom + 5;
        }
        if (bDraw) {
            if (type == utkControlCheckBox) {
                DrawCheckBoxMark(pDC, rcGlyph, TRUE, selected != 0, pressed, checked, enabled);
            } else {
                DrawRadioButtonMark(pDC, rcGlyph, TRUE, selected != 0, pressed, checked, enabled);
            }
            pDC->SetTextColor(GetControlTextColor(pControl));
            const BOOL keyboard = selected == utkSelectedKeyboard || selected == utkSelectedKeyboardAlt;
            if (keyboard) {
                pDC->SetTextColor(GetColor(COLOR_BTNTEXT));
                pDC->SetBkColor(GetColor(COLOR_BTNFACE));
                pDC->SetBkMode(OPAQUE);
            }
            CalcControlTextSize(pDC, pControl, rcText, TRUE, FALSE, buttonSize.cx, buttonSize.cy,
                                FALSE);
            if (keyboard) {
                const CSize text =
                    DrawControlCaptionText(pDC, pControl, rcText, FALSE, vert, FALSE, FALSE);
                CRect focus = rcText;
                if (!vert) {
                    focus.left += (rcText.Width() - text.cx) / 2 - 1;
                    focus.right = focus.left + text.cx + 2;
                    focus.top = (rcText.top + rcText.bottom - text.cy) / 2 - 1;
                    focus.bottom = focus.top + text.cy + 2;
                }
                pDC->DrawFocusRect(focus);
            }
            return CSize(0, 0);
        }
        CSize size = CalcControlTextSize(pDC, pControl, rcText, FALSE, FALSE, buttonSize.cx,
                                         buttonSize.cy, FALSE);
        if (!vert) {
            size.cx += 13 + 5;
        } else {
            size.cy += 13 + 5;
        }
        return ApplyControlFixedSize(pControl, size.cx, size.cy, vert);
    }

    if (type == utkControlComboBox || type == utkControlEdit || type == utkControlCustom) {
        return CSize(0, 0);
    }

    const BOOL captionVisible = pControl->IsCaptionVisible();
    // Icon placement.
    if (bDraw && icon != nullptr) {
        CPoint pt = !vert ? CPoint(rc.left + 3, (rc.top + rc.bottom) / 2 - imageSize.cy / 2)
                          : CPoint((rc.left + rc.right) / 2 - imageSize.cx / 2, rc.top + 3);
        if (!captionVisible && (type == utkControlButton || type == utkControlButtonPopup ||
                                type == utkControlLabel || type == utkControlGallery)) {
            if (!vert) {
                pt.x = (rc.left + rc.right) / 2 - imageSize.cx / 2;
            } else {
                pt.y = (rc.top + rc.bottom) / 2 - imageSize.cy / 2;
            }
        }
        drawIcon(pt);
    }

    if (type == utkControlSplitButtonPopup) {
        const CSize cellSize = icon != nullptr ? buttonSize : CSize(22, 22);
        if (!captionVisible) {
            return ApplyControlFixedSize(pControl, cellSize.cx + m_nSplitButtonDropDownWidth,
                                         cellSize.cy, vert);
        }
        CRect rcCaption = rc;
        rcCaption.right -= m_nSplitButtonDropDownWidth;
        CSize size = CalcControlTextSize(pDC, pControl, rcCaption, bDraw, FALSE, cellSize.cx,
                                         cellSize.cy, icon != nullptr);
        size.cx += m_nSplitButtonDropDownWidth;
        return bDraw ? CSize(0, 0) : ApplyControlFixedSize(pControl, size.cx, size.cy, vert);
    }
    if (type == utkControlPopup) {
        if (!captionVisible) {
            if (bDraw) {
                DrawControlPopupGlyph(pDC, pControl, CPoint(rc.right - 7, (rc.top + rc.bottom) / 2),
                                      selected != 0, popuped, enabled, FALSE);
                return CSize(0, 0);
            }
            return ApplyControlFixedSize(pControl, buttonSize.cy + 7, buttonSize.cy, vert);
        }
        const CSize size = CalcControlTextSize(pDC, pControl, rc, bDraw, barType != kBarTypeMenuBar,
                                               buttonSize.cx, buttonSize.cy, TRUE);
        return bDraw ? CSize(0, 0) : ApplyControlFixedSize(pControl, size.cx, size.cy, vert);
    }
    // Buttons, button popups, labels and galleries.
    if (!captionVisible) {
        return bDraw ? CSize(0, 0)
                     : ApplyControlFixedSize(pControl, buttonSize.cx, buttonSize.cy, vert);
    }
    const CSize cellSize = icon != nullptr ? buttonSize : CSize(22, buttonSize.cy);
    const CSize size = CalcControlTextSize(pDC, pControl, rc, bDraw, FALSE, cellSize.cx,
                                           cellSize.cy, icon != nullptr);
    return bDraw ? CSize(0, 0) : ApplyControlFixedSize(pControl, size.cx, size.cy, vert);
}

CSize CUTKPaintManager::DrawControlField(CDC* pDC, CUTKControl* pControl, BOOL bDraw,
                                         BOOL bComboBox)
{
    CUTKCommandBar* bar = pControl->GetParent();
    const BOOL inPopup = bar != nullptr && bar->GetType() == kBarTypePopup;
    int height = 0;
    {
        CUTKFontDC title(pDC, &m_fontIconTitle);
        height = m_nFixedControlHeight > 0 ? m_nFixedControlHeight
                                           : pDC->GetTextExtent(L" ").cy + 7;
        if (bComboBox && m_nFixedControlHeight <= 0) {
            height = std::max(height, 20);
        }
    }
    const BOOL captionShown = pControl->IsCaptionVisible();
    CUTKFontDC regular(pDC, &m_fontRegular);
    if (captionShown && m_nFixedControlHeight <= 0) {
        height = std::max<int>(height, pDC->GetTextExtent(L" ").cy + 7);
    }
    const CSize iconSize = GetControlIconSize(pControl);
    CUTKImageManagerIcon* icon = inPopup ? nullptr : ShownIcon(pControl, iconSize.cx);
    CString plain = pControl->GetCaption();
    StripMnemonics(plain);
    const int captionWidth = plain.IsEmpty() ? 0 : pDC->GetTextExtent(plain).cx;
    int labelWidth = 0;
    if (inPopup) {
        labelWidth = GetPopupBarGripperWidth(bar) + m_nTextGap + captionWidth + 5;
    } else {
        if (icon != nullptr) {
            labelWidth += iconSize.cx + 4;
            height = std::max<int>(height, pControl->GetButtonSize().cy);
        }
        if (captionShown) {
            labelWidth += captionWidth + 5;
        }
    }
    if (bDraw && !inPopup) {
        const CRect rc = pControl->GetRect();
        const BOOL enabled = pControl->GetEnabled() != 0;
        int textLeft = rc.left + 2;
        if (icon != nullptr) {
            const CSize fitted = FitImageSize(icon, iconSize.cx, iconSize.cy);
            DrawImage(pDC, CPoint(rc.left + 3, (rc.top + rc.bottom - fitted.cy) / 2), fitted, icon,
                      FALSE, FALSE, enabled, FALSE, FALSE, TRUE);
            textLeft = rc.left + iconSize.cx + 6;
        }
        if (captionShown) {
            pDC->SetTextColor(GetRectangleTextColor(FALSE, FALSE, enabled, FALSE, FALSE,
                                                    bar ? bar->GetType() : kBarTypeNormal,
                                                    bar ? bar->GetPosition() : kBarTop));
            DrawControlCaptionText(pDC, pControl, CRect(textLeft, rc.top, rc.right, rc.bottom),
                                   TRUE, FALSE, FALSE, FALSE);
        }
    }
    const int width = pControl->GetWidth();
    m_nLastFieldLabelWidth = labelWidth;
    m_nLastFieldDropDownWidth = ComboDropDownWidth(height);
    if (bDraw) {
        return CSize(0, 0);
    }
    return inPopup ? CSize(GetPopupBarGripperWidth(bar) + width, height) : CSize(width, height);
}

int CUTKPaintManager::ComboDropDownWidth(int height) noexcept
{
    const int w = ::MulDiv(height, 9, 14);
    return w >= 14 ? w + 1 : 15;
}

CSize CUTKPaintManager::DrawControlComboBox(CDC* /*pDC*/, CUTKControlComboBox* /*pComboBox*/,
                                            BOOL /*bDraw*/)
{
    // No combo box class yet: DrawControl measures type 5 through DrawControlField.
    return CSize(0, 0);
}

CSize CUTKPaintManager::DrawControlEdit(CDC* /*pDC*/, CUTKControlEdit* /*pEdit*/, BOOL /*bDraw*/)
{
    // No edit class yet: DrawControl measures type 6 through DrawControlField.
    return CSize(0, 0);
}

CSize CUTKPaintManager::DrawSpecialControl(CDC* pDC, int kind, CUTKControl* pButton,
                                           CUTKCommandBar* pBar, BOOL bDraw, LPVOID lpParam)
{
    if (kind == 0 && !bDraw) {
        if (pButton == nullptr || pBar == nullptr) {
            return CSize(0, 0);
        }
        CRect client(0, 0, 0, 0);
        if (pBar->GetSafeHwnd() != nullptr) {
            pBar->GetClientRect(&client);
        }
        const int position = pBar->GetPosition();
        const BOOL vertical = position == kBarLeft || position == kBarRight || position == kBarPopup;
        const CRect rc = vertical ? CRect(2, client.Height() - 13, client.Width() - 2, client.Height() - 2)
                                  : CRect(client.Width() - 13, 2, client.Width() - 2, client.Height() - 2);
        pButton->SetRect(rc);
        return rc.Size();
    }
    if (kind == 1 && !bDraw) {
        return CSize(0, 12);
    }
    if (pDC == nullptr || pButton == nullptr) {
        return CSize(0, 0);
    }
    const CRect rc = pButton->GetRect();
    const int cx = (rc.left + rc.right) / 2;
    const int cy = (rc.top + rc.bottom) / 2;
    switch (kind) {
    case 0: {
        DrawControlEntry(pDC, pButton);
        const COLORREF clr = GetControlTextColor(pButton);
        BOOL hidden = FALSE;
        if (lpParam != nullptr) {
            hidden = *static_cast<BOOL*>(lpParam);
        } else if (pBar != nullptr) {
            hidden = pBar->IsControlsHidden();
        }
        const int position = pBar != nullptr ? pBar->GetPosition() : kBarTop;
        const BOOL vertical = position == kBarLeft || position == kBarRight || position == kBarPopup;
        CUTKPenDC pen(pDC->GetSafeHdc(), clr);
        if (vertical) {
            Triangle(pDC, CPoint(rc.left + 6, rc.top + 3), CPoint(rc.left + 6, rc.top + 7),
                     CPoint(rc.left + 4, rc.top + 5), clr);
            if (hidden) {
                for (int dy : {0, 1, 4, 5}) {
                    const POINT pts[3] = {{rc.right - 8, rc.top + 2 + dy},
                                          {rc.right - 6, rc.top + 4 + dy},
                                          {rc.right - 3, rc.top + 1 + dy}};
                    pDC->Polyline(pts, 3);
                }
            }
        } else {
            Triangle(pDC, CPoint(cx - 2, rc.bottom - 7), CPoint(cx + 2, rc.bottom - 7),
                     CPoint(cx, rc.bottom - 5), clr);
            if (hidden) {
                for (int dx : {0, 1, 4, 5}) {
                    const POINT pts[3] = {{rc.left + 2 + dx, rc.top + 4},
                                          {rc.left + 4 + dx, rc.top + 6},
                                          {rc.left + 1 + dx, rc.top + 9}};
                    pDC->Polyline(pts, 3);
                }
            }
        }
        return CSize(0, 0);
    }
    case 1: {
        DrawControlEntry(pDC, pButton);
        CUTKPenDC pen(pDC->GetSafeHdc(), RGB(0, 0, 0));
        for (int dy : {0, 1, 4, 5}) {
            const POINT pts[3] = {
                {cx - 2, rc.top + 2 + dy}, {cx, rc.top + 4 + dy}, {cx + 3, rc.top + 1 + dy}};
            pDC->Polyline(pts, 3);
        }
        return CSize(0, 12);
    }
    case 2: {
        DrawControlEntry(pDC, pButton);
        const BOOL active = pButton->GetPressed() || pButton->GetSelected();
        const COLORREF clr = active ? GetControlTextColor(pButton) : m_clrFloatingCaptionText.GetColor();
        CFont marlett;
        LOGFONT lf = {};
        lf.lfHeight = -::MulDiv(8, 96, 72);
        lf.lfCharSet = SYMBOL_CHARSET;
        ::lstrcpynW(lf.lfFaceName, L"Marlett", LF_FACESIZE);
        marlett.CreateFontIndirect(&lf);
        CUTKFontDC font(pDC, &marlett);
        const COLORREF oldColor = pDC->SetTextColor(clr);
        const int oldMode = pDC->SetBkMode(TRANSPARENT);
        CRect rcText = rc;
        pDC->DrawText(CString(L"r"), rcText, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
        pDC->SetBkMode(oldMode);
        pDC->SetTextColor(oldColor);
        return CSize(0, 0);
    }
    case 3: {
        DrawControlEntry(pDC, pButton);
        const BOOL active = pButton->GetSelected() || pButton->IsPopupOpen();
        const COLORREF clr = active ? GetControlTextColor(pButton) : m_clrFloatingCaptionText.GetColor();
        Triangle(pDC, CPoint(cx - 3, cy - 2), CPoint(cx + 3, cy - 2), CPoint(cx, cy + 1), clr);
        return CSize(0, 0);
    }
    default:
        return CSize(0, 0);
    }
}
