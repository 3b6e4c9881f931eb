// CUTKPaintManager: what the base answers about controls and bars (fonts, text orientation,
// text colours, entry faces, split-button parts, popup image cells, borders, the floating
// caption, MDI buttons, keyboard tips) and the expanded-items animation that walks a popup's
// controls.
#include "toolkit/themes/CUTKPaintManager.h"

#include "platform/base/CSelectGuard.h"
#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/themes/PopupExpandPlan.h"

#if __has_include("toolkit/commandbars/CUTKDockBar.h")
#include "toolkit/commandbars/CUTKDockBar.h"
#define UTK_HAVE_DOCK_BAR 1
#endif
#if __has_include("toolkit/commandbars/CUTKCommandBarKeyboardTip.h")
#include "toolkit/commandbars/CUTKCommandBarKeyboardTip.h"
#define UTK_HAVE_KEYBOARD_TIP 1
#endif

#include <algorithm>
#include <vector>

namespace {

constexpr int kSpecialMDIFontSize = 80;  // tenths of a point at 96 pixels per inch

int BarType(const CUTKControl* control)
{
    CUTKCommandBar* bar = control->GetParent();
    return bar != nullptr ? bar->GetType() : utkBarTypeNormal;
}

int BarPosition(const CUTKControl* control)
{
    CUTKCommandBar* bar = control->GetParent();
    return bar != nullptr ? bar->GetPosition() : utkBarTop;
}

// The caption's enabled state: split-button popups use 4 for a disabled drop-down part and 5
// for a disabled button part; with the arrow below the caption (style 4) the caption belongs
// to the drop-down part.
BOOL IsCaptionEnabled(const CUTKControl* control)
{
    const BOOL enabled = control->GetEnabled();
    if (enabled == 0) {
        return FALSE;
    }
    if (control->GetType() == utkControlSplitButtonPopup) {
        const int disabledValue = control->GetStyle() == utkButtonIconAndCaptionBelow ? 4 : 5;
        if (enabled == disabledValue) {
            return FALSE;
        }
    }
    return TRUE;
}

}  // namespace

COLORREF CUTKPaintManager::GetControlEditBackColor(CUTKControl* pControl)
{
    const BOOL enabled = pControl == nullptr || pControl->GetEnabled();
    return GetColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE);
}

void CUTKPaintManager::DrawControlEntry(CDC* pDC, CUTKControl* pButton)
{
    if (pDC == nullptr || pButton == nullptr) {
        return;
    }
    // Controls in ribbon groups go to the ribbon painter first; there is none without a ribbon.
    DrawRectangle(pDC, pButton->GetRect(), pButton->GetSelected(), pButton->GetPressed(),
                  pButton->GetEnabled(), pButton->GetChecked(), pButton->IsPopupOpen(),
                  BarType(pButton), BarPosition(pButton));
}

COLORREF CUTKPaintManager::GetControlTextColor(CUTKControl* pButton)
{
    if (pButton == nullptr) {
        return GetColor(COLOR_BTNTEXT);
    }
    const BOOL enabled = IsCaptionEnabled(pButton);
    const int type = pButton->GetType();
    const int barType = BarType(pButton);
    if ((type == utkControlCheckBox || type == utkControlRadioButton) &&
        barType != utkBarTypePopup) {
        return GetRectangleTextColor(FALSE, FALSE, enabled, FALSE, FALSE, barType,
                                     BarPosition(pButton));
    }
    return GetRectangleTextColor(pButton->GetSelected(), pButton->GetPressed(), enabled,
                                 pButton->GetChecked(), pButton->IsPopupOpen(), barType,
                                 BarPosition(pButton));
}

CSize CUTKPaintManager::DrawCommandBarGripper(CDC* pDC, CUTKCommandBar* pBar, BOOL bDraw)
{
    if (pDC == nullptr || pBar == nullptr || pBar->GetPosition() != utkBarFloating) {
        return CSize(0, 0);
    }
    CRect client(0, 0, 0, 0);
    if (pBar->GetSafeHwnd() != nullptr) {
        pBar->GetClientRect(&client);
    }
    HGDIOBJ font = m_fontSmCaption.m_hObject != nullptr ? m_fontSmCaption.m_hObject
                                                        : ::GetStockObject(DEFAULT_GUI_FONT);
    CSelectGuard selectFont(*pDC, font);
    const int textHeight = pDC->GetTextExtent(CString(L" ")).cy;
    CRect caption(3, 3, client.Width() - 3, std::max(textHeight + 3, 18));
    if (bDraw) {
        const int oldMode = pDC->SetBkMode(TRANSPARENT);
        const COLORREF oldText = pDC->SetTextColor(m_clrFloatingCaptionText.GetColor());
        pDC->FillSolidRect(caption, m_clrFloatingCaption.GetColor());
        // Room is left at the right for the hide and customise buttons.
        CRect text(5, 3, caption.right - 2 * caption.Height(), caption.bottom);
        pDC->DrawText(pBar->GetTitle(), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        pDC->SetTextColor(oldText);
        pDC->SetBkMode(oldMode);
    }
    return CSize(caption.Width(), caption.Height());
}

void CUTKPaintManager::FillDockBar(CDC* pDC, CUTKDockBar* pBar)
{
    if (pDC == nullptr || pBar == nullptr) {
        return;
    }
#ifdef UTK_HAVE_DOCK_BAR
    CRect client;
    pBar->GetClientRect(&client);
    pDC->FillSolidRect(client, GetColor(COLOR_BTNFACE));
#endif
}

CRect CUTKPaintManager::GetCommandBarBorders(CUTKCommandBar* /*pBar*/)
{
    return CRect(2, 2, 2, 2);
}

CRect CUTKPaintManager::GetSplitButtonCommandRect(CUTKControl* pButton)
{
    if (pButton == nullptr) {
        return CRect(0, 0, 0, 0);
    }
    CRect rc = pButton->GetRect();
    if (BarType(pButton) == utkBarTypePopup) {
        rc.right -= m_nSplitButtonPopupWidth;
    } else if (pButton->GetStyle() == utkButtonIconAndCaptionBelow) {
        if (GetControlTextOrientation(pButton) == kTextVertical) {
            rc.left += GetSplitDropDownHeight();
        } else {
            rc.bottom -= GetSplitDropDownHeight();
        }
    } else {
        rc.right -= m_nSplitButtonDropDownWidth + 1;
    }
    return rc;
}

CFont* CUTKPaintManager::GetControlFont(CUTKControl* pControl)
{
    const BOOL defaultItem = pControl != nullptr && pControl->GetDefaultItem();
    if (GetControlTextOrientation(pControl) == kTextVertical) {
        return defaultItem ? &m_fontVertBold : &m_fontVert;
    }
    return defaultItem ? &m_fontBold : &m_fontRegular;
}

CFont* CUTKPaintManager::GetCommandBarFont(CUTKCommandBar* pBar)
{
    if (pBar == nullptr) {
        return &m_fontRegular;
    }
    const int orientation = pBar->GetTextOrientation();
    if (orientation != 0) {
        return orientation == kTextVertical ? &m_fontVert : &m_fontRegular;
    }
    const int position = pBar->GetPosition();
    return position == utkBarLeft || position == utkBarRight ? &m_fontVert : &m_fontRegular;
}

int CUTKPaintManager::GetControlTextOrientation(CUTKControl* pControl)
{
    // A control not (yet) on a bar has nothing to turn its text: horizontal.
    CUTKCommandBar* bar = pControl != nullptr ? pControl->GetParent() : nullptr;
    if (bar == nullptr) {
        return kTextHorizontal;
    }
    const int orientation = bar->GetTextOrientation();
    if (orientation != 0) {
        return orientation;
    }
    const int position = bar->GetPosition();
    return position == utkBarLeft || position == utkBarRight ? kTextVertical : kTextHorizontal;
}

void CUTKPaintManager::DrawControlMDIButton(CDC* pDC, CUTKControl* pButton)
{
    if (pDC == nullptr || pButton == nullptr) {
        return;
    }
    // A DC without a resolution (some memory and metafile DCs) counts as 96 pixels per inch.
    int dpi = pDC->GetDeviceCaps(LOGPIXELSX);
    if (dpi <= 0) {
        dpi = 96;
    }
    CFont marlett;
    marlett.CreatePointFont(MulDiv(kSpecialMDIFontSize, 96, dpi), L"Marlett", pDC);
    DrawControlEntry(pDC, pButton);
    CSelectGuard selectFont(*pDC, marlett.m_hObject);
    const COLORREF oldText =
        pDC->SetTextColor(GetColor(static_cast<int>(GetControlTextColor(pButton))));
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    CRect rc = pButton->GetRect();
    pDC->DrawText(pButton->GetParameter(), rc, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldText);
}

int CUTKPaintManager::AnimateExpandedItems(CUTKCommandBar* pPopupBar, CDC* pDestDC, CDC* pSrcDC,
                                           BOOL bExpandDown)
{
    const int steps = m_nAnimationSteps;
    if (steps <= 0 || pPopupBar == nullptr || pDestDC == nullptr || pSrcDC == nullptr) {
        return 0;
    }
    CRect client(0, 0, 0, 0);
    if (pPopupBar->GetSafeHwnd() != nullptr) {
        pPopupBar->GetClientRect(&client);
    }
    std::vector<PopupExpandRow> rows;
    const int count = pPopupBar->GetControlCount();
    for (int i = 0; i < count; ++i) {
        CUTKControl* control = pPopupBar->GetControl(i);
        if (control == nullptr || !control->IsVisible(0)) {
            continue;
        }
        const CRect rc = control->GetRect();
        rows.push_back({rc.top, rc.bottom, control->IsHiddenUntilExpand() != FALSE});
    }
    const DWORD stepTime =
        static_cast<DWORD>(std::max(m_nAnimationTime, 0)) / static_cast<DWORD>(steps);
    const int oldMode = pDestDC->SetStretchBltMode(COLORONCOLOR);
    for (int i = 1; i <= steps; ++i) {
        for (const PopupExpandBlit& blit :
             PlanPopupExpandStep(rows, client.Height(), i, steps, bExpandDown != FALSE)) {
            if (blit.destHeight > 0) {
                pDestDC->StretchBlt(0, blit.destTop, client.Width(), blit.destHeight, pSrcDC, 0,
                                    blit.srcTop, client.Width(), blit.srcHeight, SRCCOPY);
            }
        }
        ::Sleep(stepTime);
    }
    pDestDC->SetStretchBltMode(oldMode);
    return steps;
}

int CUTKPaintManager::GetPopupBarGripperWidth(CUTKCommandBar* pBar)
{
    if (pBar == nullptr || pBar->GetType() != utkBarTypePopup) {
        return 0;
    }
    const int cell = GetPopupBarImageSize(pBar).cx;
    return 1 + (pBar->IsDoubleIconColumn() ? 2 * cell : cell);
}

void CUTKPaintManager::DrawKeyboardTip(CDC* pDC, CUTKCommandBarKeyboardTip* pWnd, BOOL bSetRegion)
{
    if (bSetRegion || pDC == nullptr || pWnd == nullptr) {
        return;
    }
#ifdef UTK_HAVE_KEYBOARD_TIP
    CRect client;
    pWnd->GetClientRect(&client);
    CSelectGuard selectFont(*pDC, m_fontStatus.m_hObject);
    pDC->FillSolidRect(client, GetColor(COLOR_INFOBK));
    pDC->Draw3dRect(client, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNSHADOW));
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldText =
        pDC->SetTextColor(GetColor(pWnd->IsWindowEnabled() ? COLOR_INFOTEXT : COLOR_GRAYTEXT));
    CString caption;
    pWnd->GetWindowText(caption);
    pDC->DrawText(caption, client, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    pDC->SetTextColor(oldText);
    pDC->SetBkMode(oldMode);
#endif
}

BOOL CUTKPaintManager::IsFlatToolBar(CUTKCommandBar* pBar)
{
    if (pBar != nullptr && pBar->GetType() == utkBarTypeMenuBar) {
        return m_bFlatMenuBar;
    }
    return m_bFlatToolBar;
}

CSize CUTKPaintManager::GetPopupBarImageSize(CUTKCommandBar* pBar)
{
    const CSize icon = pBar != nullptr ? pBar->GetIconSize() : CSize(16, 16);
    return CSize(std::max<int>(icon.cx + 4, m_nTextHeight + 4),
                 std::max<int>(icon.cy + 6, m_nTextHeight));
}

CSize CUTKPaintManager::GetControlIconSize(CUTKControl* pControl)
{
    if (pControl == nullptr) {
        return GetAutoIconSize(FALSE);
    }
    CUTKCommandBar* bar = pControl->GetParent();
    if (pControl->GetStyle() == utkButtonIconAndCaptionBelow && bar != nullptr &&
        bar->GetType() != utkBarTypePopup) {
        return bar->GetLargeIconSize(TRUE);
    }
    return pControl->GetIconSize();
}

CSize CUTKPaintManager::ApplyControlFixedSize(CUTKControl* pControl, int cx, int cy, BOOL bVertical)
{
    if (pControl == nullptr) {
        return CSize(cx, cy);
    }
    const int width = pControl->GetWidth();
    const int height = pControl->GetHeight();
    if (bVertical) {
        if (width > 0) {
            cy = width;
        }
        if (height > 0) {
            cx = height;
        }
    } else {
        if (width > 0) {
            cx = width;
        }
        if (height > 0) {
            cy = height;
        }
    }
    return CSize(cx, cy);
}
