// The Default theme's frames, fills, grippers, separators and icons: the classic raised and
// sunken look drawn from the theme colour table. Popup items, list items and fields are in
// CUTKDefaultThemePopup.cpp.
#include "toolkit/themes/CUTKDefaultTheme.h"

#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/common/CUTKImageManagerIcon.h"
#include "toolkit/controls/CUTKControl.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CUTKDefaultTheme, CUTKPaintManager)

namespace {

CRect ClientRect(CUTKCommandBar* bar)
{
    CRect client(0, 0, 0, 0);
    if (bar != nullptr && bar->GetSafeHwnd() != nullptr) {
        bar->GetClientRect(&client);
    }
    return client;
}

BOOL IsVerticalPosition(int position)
{
    return position == CUTKPaintManager::kBarLeft || position == CUTKPaintManager::kBarRight;
}

}  // namespace

CUTKDefaultTheme::CUTKDefaultTheme()
{
    m_iconsInfo.bUseFadedIcons = FALSE;
    m_iconsInfo.bIconsWithShadow = FALSE;
}

void CUTKDefaultTheme::RefreshMetrics()
{
    CUTKPaintManager::RefreshMetrics();
    m_clrFloatingCaption.SetStandardValue(GetColor(COLOR_ACTIVECAPTION));
    m_clrFloatingCaptionText.SetStandardValue(GetColor(COLOR_CAPTIONTEXT));
}

COLORREF CUTKDefaultTheme::GetRectangleTextColor(BOOL bSelected, BOOL /*bPressed*/, BOOL bEnabled,
                                                 BOOL bChecked, BOOL /*bPopuped*/, int barType,
                                                 int barPosition)
{
    if (!bEnabled) {
        return GetColor(COLOR_GRAYTEXT);
    }
    if (barType == kBarTypePopup) {
        return GetColor(!bSelected || bChecked ? m_nHighlightedTextColorIndex
                                               : COLOR_HIGHLIGHTTEXT);
    }
    return GetColor(barPosition == kBarPopup ? m_nHighlightedTextColorIndex : COLOR_BTNTEXT);
}

void CUTKDefaultTheme::FillCheckedPattern(CDC* pDC, CRect rc)
{
    static const WORD kRows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    HBITMAP pattern = ::CreateBitmap(8, 8, 1, 1, kRows);
    if (pattern == nullptr) {
        return;
    }
    HBRUSH brush = ::CreatePatternBrush(pattern);
    if (brush != nullptr) {
        HDC dc = pDC->GetSafeHdc();
        const COLORREF oldBk = ::SetBkColor(dc, GetColor(COLOR_BTNFACE));
        const COLORREF oldText = ::SetTextColor(dc, GetColor(COLOR_BTNHIGHLIGHT));
        HGDIOBJ oldBrush = ::SelectObject(dc, brush);
        ::PatBlt(dc, rc.left, rc.top, rc.Width(), rc.Height(), PATCOPY);
        ::SelectObject(dc, oldBrush);
        ::SetTextColor(dc, oldText);
        ::SetBkColor(dc, oldBk);
        ::DeleteObject(brush);
    }
    ::DeleteObject(pattern);
}

void CUTKDefaultTheme::DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed,
                                     BOOL bEnabled, BOOL bChecked, BOOL bPopuped, int barType,
                                     int barPosition)
{
    if (pDC == nullptr) {
        return;
    }
    if (barType == kBarTypePopup && !bChecked) {
        if (bSelected || bPressed) {
            pDC->FillSolidRect(rc, GetColor(COLOR_HIGHLIGHT));
        }
        return;
    }
    if (barType == kBarTypePopup && m_bPopupItemHighlightStyle && barPosition == kBarPopup) {
        FillCheckedPattern(pDC, rc);
        DrawSunken(pDC, rc);
        return;
    }
    if (bEnabled) {
        if (bChecked && !bSelected && !bPressed) {
            FillCheckedPattern(pDC, rc);
            DrawSunken(pDC, rc);
        } else if (bChecked || bPopuped || bPressed == utkPressedExecuting || bPressed == 3) {
            DrawSunken(pDC, rc);
        } else if (bSelected && bPressed) {
            DrawSunken(pDC, rc);
        } else if (bSelected || bPressed) {
            DrawRaised(pDC, rc);
        }
        return;
    }
    if (bChecked) {
        DrawSunken(pDC, rc);
    }
    if (bSelected == utkSelectedKeyboard || bSelected == utkSelectedKeyboardAlt) {
        DrawSunken(pDC, rc);
    }
}

void CUTKDefaultTheme::DrawSplitButtonFrame(CDC* pDC, CUTKControl* pButton, CRect rc)
{
    if (pDC == nullptr || pButton == nullptr) {
        return;
    }
    const int enabled = pButton->GetEnabled();
    const BOOL buttonEnabled = enabled != 0 && enabled != 5;
    const BOOL arrowEnabled = enabled != 0 && enabled != 4;
    const int selected = pButton->GetSelected();
    const BOOL pressed = pButton->GetPressed();
    const BOOL checked = pButton->GetChecked();
    const BOOL popuped = pButton->IsPopupOpen();
    CUTKCommandBar* bar = pButton->GetParent();
    const int position = bar != nullptr ? bar->GetPosition() : kBarTop;
    CRect rcButton = rc;
    CRect rcArrow = rc;
    if (pButton->GetStyle() == utkButtonIconAndCaptionBelow) {
        const int m = GetSplitDropDownHeight();
        if (GetControlTextOrientation(pButton) == kTextVertical) {
            rcButton.left += m;
            rcArrow.right = rcArrow.left + m;
        } else {
            rcButton.bottom -= m;
            rcArrow.top = rcArrow.bottom - m;
        }
        DrawRectangle(pDC, rcButton, selected != 0 || popuped, pressed, buttonEnabled, checked,
                      popuped, kBarTypeNormal, position);
        if ((selected != 0 || pressed || popuped) && arrowEnabled) {
            DrawRectangle(pDC, rcArrow, TRUE, FALSE, arrowEnabled, FALSE, popuped,
                          kBarTypeNormal, position);
        }
        return;
    }
    rcButton.right -= m_nSplitButtonDropDownWidth + 1;
    rcArrow.left = rcButton.right;
    DrawRectangle(pDC, rcButton, selected != 0 || popuped, pressed, buttonEnabled, checked,
                  popuped, kBarTypeNormal, position);
    if ((selected != 0 || pressed || popuped) && arrowEnabled) {
        DrawRectangle(pDC, rcArrow, TRUE, FALSE, arrowEnabled, FALSE, popuped, kBarTypeNormal,
                      position);
    }
    DrawControlPopupGlyph(pDC, pButton, CPoint(rc.right - 7, (rc.top + rc.bottom) / 2),
                          selected != 0, popuped, enabled == 4 ? FALSE : enabled != 0, FALSE);
}

void CUTKDefaultTheme::FillCommandBarEntry(CDC* pDC, CUTKCommandBar* pBar)
{
    if (pDC == nullptr || pBar == nullptr) {
        return;
    }
    CRect rc = ClientRect(pBar);
    pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
    const int position = pBar->GetPosition();
    if (position == kBarFloating || position == kBarPopup) {
        Draw3dRect(pDC, rc, COLOR_BTNFACE, COLOR_3DDKSHADOW);
        rc.DeflateRect(1, 1);
        DrawRaised(pDC, rc);
    } else if (!IsFlatToolBar(pBar)) {
        DrawRaised(pDC, rc);
    }
}

CSize CUTKDefaultTheme::DrawCommandBarGripper(CDC* pDC, CUTKCommandBar* pBar, BOOL bDraw)
{
    if (pBar == nullptr) {
        return CSize(0, 0);
    }
    if (pBar->IsDialogBar()) {
        return DrawDialogBarGripper(pDC, pBar, bDraw);
    }
    const CRect client = ClientRect(pBar);
    switch (pBar->GetPosition()) {
    case kBarTop:
    case kBarBottom:
        if (bDraw && pDC != nullptr) {
            DrawRaised(pDC, CRect(3, 3, 6, client.bottom - 3));
        }
        return CSize(6, 0);
    case kBarLeft:
    case kBarRight:
        if (bDraw && pDC != nullptr) {
            DrawRaised(pDC, CRect(3, 3, client.right - 3, 6));
        }
        return CSize(0, 8);
    case kBarFloating:
        return CUTKPaintManager::DrawCommandBarGripper(pDC, pBar, bDraw);
    default:
        return CSize(0, 0);
    }
}

CSize CUTKDefaultTheme::DrawDialogBarGripper(CDC* pDC, CUTKCommandBar* /*pBar*/, BOOL bDraw)
{
    const int h = m_nTextHeight >= 18 ? m_nTextHeight + 4 : 22;
    if (bDraw && pDC != nullptr) {
        DrawRaised(pDC, CRect(3, 3, 6, h));
    }
    return CSize(6, h);
}

CSize CUTKDefaultTheme::DrawCommandBarSeparator(CDC* pDC, CUTKCommandBar* pBar,
                                                CUTKControl* pControl, BOOL bDraw)
{
    const BOOL popup = pBar != nullptr && pBar->GetType() == kBarTypePopup;
    if (!bDraw) {
        return popup ? CSize(8, 8) : CSize(6, 6);
    }
    if (pDC == nullptr || pBar == nullptr || pControl == nullptr) {
        return CSize(0, 0);
    }
    const CRect rc = pControl->GetRect();
    const CRect row = pControl->GetRowRect();
    const BOOL wrap = pControl->GetWrap();
    CRect line;
    if (popup) {
        line = wrap ? CRect(rc.left - 5, row.top + 3, rc.left - 3, row.bottom - 3)
                    : CRect(rc.left + 11, rc.top - 5, rc.right - 11, rc.top - 3);
    } else if (IsVerticalPosition(pBar->GetPosition())) {
        line = wrap ? CRect(row.right + 2, row.top + 4, row.right + 4, row.bottom)
                    : CRect(row.left, rc.top - 4, row.right, rc.top - 2);
    } else {
        line = wrap ? CRect(row.left + 4, row.top - 4, row.right, row.top - 2)
                    : CRect(rc.left - 4, row.top, rc.left - 2, row.bottom);
    }
    Draw3dRect(pDC, line, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    return CSize(0, 0);
}

void CUTKDefaultTheme::AdjustExcludeRect(CRect& rc, CUTKControl* pControl, BOOL bVertical)
{
    if (pControl == nullptr || pControl->GetParent() == nullptr ||
        pControl->GetType() == utkControlComboBox) {
        return;
    }
    if (pControl->GetParent()->GetType() == kBarTypePopup) {
        rc.DeflateRect(1, 0);
    } else if (bVertical) {
        rc.InflateRect(0, 1);
    } else {
        rc.InflateRect(1, 0);
    }
}

CRect CUTKDefaultTheme::GetCommandBarBorders(CUTKCommandBar* pBar)
{
    if (pBar != nullptr && pBar->GetType() == kBarTypePopup) {
        return CRect(3, 3, 3, 3);
    }
    return CUTKPaintManager::GetCommandBarBorders(pBar);
}

CSize CUTKDefaultTheme::DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bSelected, BOOL bDraw)
{
    if (bDraw && pDC != nullptr) {
        pDC->FillSolidRect(CRect(rcGripper.left, rcGripper.top, rcGripper.right,
                                 rcGripper.bottom - 1),
                           GetColor(bSelected ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    }
    return CSize(0, 8);
}

void CUTKDefaultTheme::DrawPopupResizeGripper(CDC* pDC, CRect rcGripper, int kind)
{
    if (pDC == nullptr) {
        return;
    }
    const COLORREF light = GetColor(COLOR_WINDOW);
    const COLORREF dark = GetColor(38);
    if (kind == 2) {
        const int x = (rcGripper.left + rcGripper.right) / 2;
        for (int o : {x - 8, x - 4, x, x + 4}) {
            pDC->FillSolidRect(o + 1, rcGripper.top + 4, 2, 2, light);
            pDC->FillSolidRect(o, rcGripper.top + 3, 2, 2, dark);
        }
        return;
    }
    const POINT corners[3] = {{rcGripper.right - 3, rcGripper.bottom - 3},
                              {rcGripper.right - 7, rcGripper.bottom - 3},
                              {rcGripper.right - 3, rcGripper.bottom - 7}};
    for (const POINT& pt : corners) {
        pDC->FillSolidRect(pt.x, pt.y, 2, 2, light);
        pDC->FillSolidRect(pt.x - 1, pt.y - 1, 2, 2, dark);
    }
}

void CUTKDefaultTheme::DrawImage(CDC* pDC, CPoint pt, CSize sz, CUTKImageManagerIcon* pImage,
                                 BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                                 BOOL bPopuped, BOOL /*bToolBarImage*/)
{
    if (pDC == nullptr || pImage == nullptr) {
        return;
    }
    const BOOL alpha = pImage->IsAlpha();
    auto drawDisabled = [&]() {
        if (!m_iconsInfo.bUseDisabledIcons && !alpha) {
            pImage->DrawMono(pDC, CPoint(pt.x + 1, pt.y + 1), pImage->GetIcon(), sz,
                             GetColor(COLOR_BTNHIGHLIGHT));
            pImage->DrawMono(pDC, pt, pImage->GetIcon(), sz, GetColor(COLOR_BTNSHADOW));
            return;
        }
        if (m_iconsInfo.bOfficeStyleDisabledIcons && !pImage->HasDisabledIcon()) {
            pImage->CreateDisabledIcon(m_grcBarFace.clrLight.GetColor(),
                                       m_grcBarFace.clrDark.GetColor());
        }
        pImage->DrawImage(pDC, pt, pImage->GetDisabledIcon(), sz);
    };
    if (!bEnabled) {
        drawDisabled();
        return;
    }
    if (bChecked == 2 && !bPressed) {
        if (!alpha) {
            pImage->DrawMono(pDC, pt, pImage->GetCheckedIcon(), sz, GetColor(COLOR_BTNSHADOW));
        } else {
            drawDisabled();
        }
        return;
    }
    if (!bPopuped && !bChecked) {
        if (!bSelected && !bPressed) {
            pImage->DrawImage(pDC, pt,
                              m_iconsInfo.bUseFadedIcons ? pImage->GetFadedIcon()
                                                         : pImage->GetIcon(),
                              sz);
        } else if (bPressed == utkPressedExecuting || bPressed == 3 || (bSelected && bPressed)) {
            pImage->DrawImage(pDC, CPoint(pt.x + 1, pt.y + 1), pImage->GetPressedIcon(), sz);
        } else if (!bSelected && bPressed != utkPressedMouse) {
            // Other press values without a selection show nothing.
        } else if (m_iconsInfo.bIconsWithShadow && !pImage->GetShadowIcon().IsEmpty()) {
            pImage->DrawImage(pDC, CPoint(pt.x + 1, pt.y + 1), pImage->GetShadowIcon(), sz);
            pImage->DrawImage(pDC, CPoint(pt.x - 1, pt.y - 1), pImage->GetHotIcon(), sz);
        } else {
            pImage->DrawImage(pDC, pt, pImage->GetHotIcon(), sz);
        }
        return;
    }
    pImage->DrawImage(pDC, pt, bChecked ? pImage->GetCheckedIcon() : pImage->GetIcon(), sz);
}

CSize CUTKDefaultTheme::GetPopupBarImageSize(CUTKCommandBar* pBar)
{
    const CSize icon = pBar != nullptr ? pBar->GetIconSize() : CSize(16, 16);
    return CSize(std::max<int>(icon.cx + 4, m_nTextHeight),
                 std::max<int>(icon.cy + 4, m_nTextHeight));
}

CSize CUTKDefaultTheme::DrawSpecialControl(CDC* pDC, int kind, CUTKControl* pButton,
                                           CUTKCommandBar* pBar, BOOL bDraw, LPVOID lpParam)
{
    if (bDraw && pDC != nullptr && pButton != nullptr && (kind == 2 || kind == 3)) {
        if (pButton->GetPressed() || pButton->GetSelected() ||
            (kind == 3 && pButton->IsPopupOpen())) {
            pDC->FillSolidRect(pButton->GetRect(), GetColor(COLOR_BTNFACE));
        }
    }
    return CUTKPaintManager::DrawSpecialControl(pDC, kind, pButton, pBar, bDraw, lpParam);
}
