// The Native XP theme: visual-style parts for toolbar buttons, split buttons, rebar bands and
// grippers, popup menus (borders, background, gutter, items, check marks, separators), small
// floating frames and captions, MDI buttons and fields; every path falls back to the Default
// theme's drawing when its visual-style class is not open and themed.
#include "toolkit/themes/CUTKNativeXPTheme.h"

#include "platform/base/CSelectGuard.h"
#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/common/CUTKFontDC.h"
#include "toolkit/controls/CUTKControl.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CUTKNativeXPTheme, CUTKDefaultTheme)

namespace {

// Published visual-style part, state and property numbers used here.
enum : int {
    kRebarBackground = 0,
    kRebarGripper = 1,
    kRebarGripperVert = 2,
    kRebarBand = 3,
    kToolbarButton = 1,
    kToolbarSplitButton = 3,
    kToolbarSplitButtonDropDown = 4,
    kToolbarSeparator = 5,
    kToolbarSeparatorVert = 6,
    kMenuPopupBackground = 9,
    kMenuPopupBorders = 10,
    kMenuPopupCheck = 11,
    kMenuPopupCheckBackground = 12,
    kMenuPopupGutter = 13,
    kMenuPopupItem = 14,
    kMenuPopupSeparator = 15,
    kWindowSmallCaption = 2,
    kWindowSmallFrameLeft = 10,
    kWindowSmallFrameRight = 11,
    kWindowSmallFrameBottom = 12,
    kWindowMdiMinButton = 16,
    kWindowMdiCloseButton = 20,
    kWindowMdiRestoreButton = 22,
    kComboDropDownButton = 1,
    kSpinUp = 1,
    kSpinDown = 2,
    kPropBorderSize = 2403,
    kPropEdgeHighlight = 3805,
    kPropEdgeShadow = 3806,
    kPropTextColor = 3803,
    kPropBorderColor = 3801,
    kSysFlatMenus = 1001,
};

CRect ClientRect(CWnd* wnd)
{
    CRect client(0, 0, 0, 0);
    if (wnd != nullptr && wnd->GetSafeHwnd() != nullptr) {
        wnd->GetClientRect(&client);
    }
    return client;
}

int BarTypeOf(CUTKControl* control)
{
    CUTKCommandBar* bar = control->GetParent();
    return bar != nullptr ? bar->GetType() : CUTKPaintManager::kBarTypeNormal;
}

int BarPositionOf(CUTKControl* control)
{
    CUTKCommandBar* bar = control->GetParent();
    return bar != nullptr ? bar->GetPosition() : CUTKPaintManager::kBarTop;
}

}  // namespace

CUTKNativeXPTheme::CUTKNativeXPTheme()
{
    m_iconsInfo.bUseFadedIcons = TRUE;
    m_iconsInfo.bIconsWithShadow = FALSE;
    m_nHighlightedTextColorIndex = COLOR_MENUTEXT;
    m_bFlatMenus = TRUE;
    m_bThemedStatusBar = TRUE;
    m_bThemedCheckBox = TRUE;
    m_bPopupItemHighlightStyle = TRUE;
    m_bBoldCheckMarks = TRUE;
}

CUTKNativeXPTheme::~CUTKNativeXPTheme()
{
    m_themeRebar.CloseThemeData();
    m_themeToolbar.CloseThemeData();
    m_themeComboBox.CloseThemeData();
    m_themeWindow.CloseThemeData();
    m_themeSpin.CloseThemeData();
    m_themeMenu.CloseThemeData();
}

BOOL CUTKNativeXPTheme::IsThemed()
{
    return m_themeRebar.IsThemeOpen() && m_themeToolbar.IsThemeOpen() &&
           m_themeToolbar.IsAppThemed();
}

void CUTKNativeXPTheme::RefreshMetrics()
{
    CUTKDefaultTheme::RefreshMetrics();
    CWnd* mainWnd = AfxGetMainWnd();
    const HWND window = mainWnd != nullptr ? mainWnd->GetSafeHwnd() : nullptr;
    m_themeToolbar.OpenThemeData(window, L"TOOLBAR");
    m_themeRebar.OpenThemeData(window, L"REBAR");
    m_themeComboBox.OpenThemeData(window, L"COMBOBOX");
    m_themeWindow.OpenThemeData(window, L"WINDOW");
    m_themeSpin.OpenThemeData(window, L"SPIN");
    m_themeMenu.OpenThemeData(window, L"MENU");
    if (m_themeMenu.IsAppThemed()) {
        // Only systems whose MENU class has the popup-menu parts answer the border size.
        int border = 0;
        if (FAILED(m_themeMenu.GetThemeInt(kMenuPopupBackground, 0, kPropBorderSize, &border))) {
            m_themeMenu.CloseThemeData();
        }
    }
    BOOL flat = FALSE;
    if (!::SystemParametersInfoW(SPI_GETFLATMENU, 0, &flat, 0)) {
        flat = FALSE;
    }
    m_bFlatMenus = flat;

    COLORREF color = 0;
    const BOOL rebarActive = m_themeRebar.IsAppThemed();
    m_clrEdgeShadowColor =
        rebarActive && SUCCEEDED(m_themeRebar.GetThemeColor(kRebarBand, 0, kPropEdgeShadow, &color))
            ? color
            : GetColor(COLOR_BTNSHADOW);
    m_clrEdgeHighLightColor =
        rebarActive &&
                SUCCEEDED(m_themeRebar.GetThemeColor(kRebarBand, 0, kPropEdgeHighlight, &color))
            ? color
            : GetColor(COLOR_BTNHIGHLIGHT);
    if (SUCCEEDED(m_themeToolbar.GetThemeColor(0, 0, kPropTextColor, &color))) {
        m_arrColor[COLOR_BTNTEXT].SetStandardValue(color);
    }
    m_clrSelectedText = GetColor(COLOR_BTNTEXT);
    if (SUCCEEDED(m_themeToolbar.GetThemeColor(kToolbarButton, 2, kPropTextColor, &color))) {
        m_clrSelectedText = color;
    }
    m_clrPressedText = GetColor(COLOR_BTNTEXT);
    if (SUCCEEDED(m_themeToolbar.GetThemeColor(kToolbarButton, 3, kPropTextColor, &color))) {
        m_clrPressedText = color;
    }
    if (!m_bFlatMenus && rebarActive) {
        m_bFlatMenus = m_themeRebar.GetThemeSysBool(kSysFlatMenus);
    }
    if (!m_bFlatMenus) {
        m_arrColor[COLOR_MENUHILIGHT].SetStandardValue(GetColor(COLOR_HIGHLIGHT));
    }
}

COLORREF CUTKNativeXPTheme::GetRectangleTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                                  BOOL bChecked, BOOL bPopuped, int barType,
                                                  int barPosition)
{
    if (barType == kBarTypePopup && barPosition == kBarPopup && IsMenuThemeActive()) {
        return GetColor(bEnabled ? m_nHighlightedTextColorIndex : COLOR_GRAYTEXT);
    }
    if (IsThemed() && barType != kBarTypePopup && barPosition != kBarPopup) {
        if (!bEnabled) {
            return GetColor(COLOR_GRAYTEXT);
        }
        if (bSelected) {
            return bPressed ? m_clrPressedText : m_clrSelectedText;
        }
        return GetColor(COLOR_BTNTEXT);
    }
    return CUTKDefaultTheme::GetRectangleTextColor(bSelected, bPressed, bEnabled, bChecked,
                                                   bPopuped, barType, barPosition);
}

int CUTKNativeXPTheme::ToolbarButtonState(BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                          BOOL bChecked, BOOL bPopuped) noexcept
{
    if (bChecked == 2 && bEnabled) {
        bChecked = FALSE;
    }
    if (!bEnabled) {
        return bChecked ? 3 : 4;
    }
    if (bPopuped) {
        return 3;
    }
    if (bChecked && !bPressed) {
        return bSelected ? 6 : 5;
    }
    if ((bSelected && bPressed) || bPressed == 2 || bPressed == 3) {
        return 3;
    }
    return bSelected ? 2 : 1;
}

void CUTKNativeXPTheme::DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed,
                                      BOOL bEnabled, BOOL bChecked, BOOL bPopuped, int barType,
                                      int barPosition)
{
    if (pDC == nullptr) {
        return;
    }
    if (!IsThemed()) {
        CUTKDefaultTheme::DrawRectangle(pDC, rc, bSelected, bPressed, bEnabled, bChecked,
                                        bPopuped, barType, barPosition);
        return;
    }
    const HDC dc = pDC->GetSafeHdc();
    if (barType == kBarTypePopup && !bChecked) {
        if (!bSelected && !bPressed) {
            return;
        }
        if (IsMenuThemeActive()) {
            m_themeMenu.DrawThemeBackground(dc, kMenuPopupItem, 2, &rc, nullptr);
        } else {
            DrawFilledRect(pDC, rc, COLOR_MENUHILIGHT, COLOR_HIGHLIGHT);
        }
        return;
    }
    if (barType == kBarTypePopup && barPosition == kBarPopup && bChecked &&
        m_bPopupItemHighlightStyle && IsMenuThemeActive()) {
        m_themeMenu.DrawThemeBackground(dc, kMenuPopupCheckBackground, bEnabled ? 2 : 1, &rc,
                                        nullptr);
        return;
    }
    m_themeToolbar.DrawThemeBackground(
        dc, kToolbarButton, ToolbarButtonState(bSelected, bPressed, bEnabled, bChecked, bPopuped),
        &rc, nullptr);
}

void CUTKNativeXPTheme::DrawControlEntry(CDC* pDC, CUTKControl* pButton)
{
    if (pDC != nullptr && pButton != nullptr && IsThemed() &&
        pButton->GetType() == utkControlPopup && BarTypeOf(pButton) == kBarTypeMenuBar &&
        IsFlatToolBar(pButton->GetParent()) && BarPositionOf(pButton) != kBarPopup) {
        if (pButton->GetSelected() || pButton->GetPressed() || pButton->IsPopupOpen()) {
            pDC->FillSolidRect(pButton->GetRect(), GetColor(COLOR_HIGHLIGHT));
        }
        return;
    }
    CUTKDefaultTheme::DrawControlEntry(pDC, pButton);
}

COLORREF CUTKNativeXPTheme::GetControlTextColor(CUTKControl* pButton)
{
    if (pButton != nullptr && IsThemed() && pButton->GetType() == utkControlPopup &&
        BarTypeOf(pButton) == kBarTypeMenuBar && IsFlatToolBar(pButton->GetParent()) &&
        BarPositionOf(pButton) != kBarPopup &&
        (pButton->GetSelected() || pButton->GetPressed() || pButton->IsPopupOpen())) {
        return GetColor(COLOR_HIGHLIGHTTEXT);
    }
    return CUTKDefaultTheme::GetControlTextColor(pButton);
}

void CUTKNativeXPTheme::DrawSplitButtonFrame(CDC* pDC, CUTKControl* pButton, CRect rc)
{
    if (pDC == nullptr || pButton == nullptr || !IsThemed()) {
        CUTKDefaultTheme::DrawSplitButtonFrame(pDC, pButton, rc);
        return;
    }
    const int enabled = pButton->GetEnabled();
    const BOOL selected = pButton->GetSelected() != 0;
    const BOOL pressed = pButton->GetPressed();
    const BOOL popuped = pButton->IsPopupOpen();
    int active = 1;
    if (pressed && selected) {
        active = 3;
    } else if (pButton->GetChecked()) {
        active = 5;
    } else if (popuped || selected) {
        active = 2;
    }
    const int state = enabled == 0 || enabled == 5 ? 4 : active;
    int arrowState = popuped ? 3 : active;
    if (enabled == 0 || enabled == 4) {
        arrowState = 4;
    }
    CRect rcButton = rc;
    rcButton.right -= 12;
    const CRect rcArrow(rc.right - 12, rc.top, rc.right, rc.bottom);
    const HDC dc = pDC->GetSafeHdc();
    m_themeToolbar.DrawThemeBackground(dc, kToolbarSplitButton, state, &rcButton, nullptr);
    m_themeToolbar.DrawThemeBackground(dc, kToolbarSplitButtonDropDown, arrowState, &rcArrow,
                                       nullptr);
}

void CUTKNativeXPTheme::FillRebarBackground(CDC* pDC, CWnd* pWnd, CWnd* pReferenceWnd)
{
    if (pDC == nullptr || pWnd == nullptr) {
        return;
    }
    const CRect client = ClientRect(pWnd);
    if (!IsThemed()) {
        pDC->FillSolidRect(client, GetColor(COLOR_BTNFACE));
        return;
    }
    CRect rc = client;
    if (pReferenceWnd != nullptr && pReferenceWnd->GetSafeHwnd() != nullptr) {
        ::GetWindowRect(pReferenceWnd->GetSafeHwnd(), &rc);
        ::MapWindowPoints(nullptr, pWnd->GetSafeHwnd(), reinterpret_cast<POINT*>(&rc), 2);
    }
    m_themeRebar.DrawThemeBackground(pDC->GetSafeHdc(), kRebarBackground, 0, &rc, &client);
}

void CUTKNativeXPTheme::FillCommandBarEntry(CDC* pDC, CUTKCommandBar* pBar)
{
    if (pDC == nullptr || pBar == nullptr || !IsThemed()) {
        CUTKDefaultTheme::FillCommandBarEntry(pDC, pBar);
        return;
    }
    const HDC dc = pDC->GetSafeHdc();
    CRect rc = ClientRect(pBar);
    const int position = pBar->GetPosition();
    if (position == kBarPopup) {
        if (IsMenuThemeActive() &&
            SUCCEEDED(m_themeMenu.DrawThemeBackground(dc, kMenuPopupBorders, 0, &rc, nullptr))) {
            CRect inner = rc;
            inner.DeflateRect(3, 3);
            m_themeMenu.DrawThemeBackground(dc, kMenuPopupBackground, 0, &inner, nullptr);
            return;
        }
        if (m_bFlatMenus) {
            DrawFilledRect(pDC, rc, COLOR_BTNSHADOW, COLOR_MENU);
        } else {
            pDC->FillSolidRect(rc, GetColor(COLOR_MENU));
            Draw3dRect(pDC, rc, COLOR_BTNFACE, COLOR_3DDKSHADOW);
            rc.DeflateRect(1, 1);
            Draw3dRect(pDC, rc, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
        }
        return;
    }
    if (position == kBarFloating) {
        if (pBar->IsDialogBar()) {
            CUTKDefaultTheme::FillCommandBarEntry(pDC, pBar);
            return;
        }
        if (pBar->GetType() == kBarTypePopup) {
            pDC->FillSolidRect(rc, GetColor(COLOR_MENU));
        } else {
            pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
            m_themeToolbar.DrawThemeBackground(dc, 0, 0, &rc, nullptr);
        }
        const CRect left(rc.left, rc.top, rc.left + 3, rc.bottom);
        const CRect right(rc.right - 3, rc.top, rc.right, rc.bottom);
        const CRect bottom(rc.left, rc.bottom - 3, rc.right, rc.bottom);
        m_themeWindow.DrawThemeBackground(dc, kWindowSmallFrameLeft, 1, &left, nullptr);
        m_themeWindow.DrawThemeBackground(dc, kWindowSmallFrameRight, 1, &right, nullptr);
        m_themeWindow.DrawThemeBackground(dc, kWindowSmallFrameBottom, 1, &bottom, nullptr);
        return;
    }
    if (position == kBarTop) {
        CWnd* parent = pBar->GetSafeHwnd() != nullptr
                           ? CWnd::FromHandle(::GetParent(pBar->GetSafeHwnd()))
                           : nullptr;
        FillRebarBackground(pDC, pBar, parent);
    } else {
        pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
    }
    m_themeRebar.DrawThemeBackground(dc, kRebarBand, 0, &rc, nullptr);
    if (!IsFlatToolBar(pBar)) {
        pDC->Draw3dRect(rc, m_clrEdgeHighLightColor, m_clrEdgeShadowColor);
    }
}

CSize CUTKNativeXPTheme::DrawCommandBarGripper(CDC* pDC, CUTKCommandBar* pBar, BOOL bDraw)
{
    if (pBar == nullptr || !IsThemed()) {
        return CUTKDefaultTheme::DrawCommandBarGripper(pDC, pBar, bDraw);
    }
    if (pBar->IsDialogBar()) {
        return DrawDialogBarGripper(pDC, pBar, bDraw);
    }
    const CRect client = ClientRect(pBar);
    const HDC dc = pDC != nullptr ? pDC->GetSafeHdc() : nullptr;
    switch (pBar->GetPosition()) {
    case kBarPopup:
        if (IsMenuThemeActive()) {
            if (bDraw && dc != nullptr) {
                CRect rc = client;
                rc.DeflateRect(3, 3);
                rc.right = rc.left + GetPopupBarGripperWidth(pBar);
                m_themeMenu.DrawThemeBackground(dc, kMenuPopupGutter, 0, &rc, nullptr);
            }
            return CSize(0, 0);
        }
        return CUTKDefaultTheme::DrawCommandBarGripper(pDC, pBar, bDraw);
    case kBarTop:
    case kBarBottom:
        if (bDraw && dc != nullptr) {
            const CRect rc(client.left + 2, client.top, client.left + 8, client.bottom);
            m_themeRebar.DrawThemeBackground(dc, kRebarGripper, 1, &rc, nullptr);
        }
        return CSize(8, 0);
    case kBarLeft:
    case kBarRight:
        if (bDraw && dc != nullptr) {
            const CRect rc(client.left, client.top + 2, client.right, client.top + 8);
            m_themeRebar.DrawThemeBackground(dc, kRebarGripperVert, 1, &rc, nullptr);
        }
        return CSize(0, 8);
    case kBarFloating: {
        if (pDC == nullptr) {
            return CSize(0, 0);
        }
        CUTKFontDC font(pDC, &m_fontSmCaption);
        const int h = std::max<int>(pDC->GetTextExtent(CString(L" ")).cy, 15);
        const CRect caption(0, 0, client.Width(), h + 3);
        if (bDraw) {
            m_themeWindow.DrawThemeBackground(dc, kWindowSmallCaption, 1, &caption, nullptr);
            const COLORREF oldText = pDC->SetTextColor(m_clrFloatingCaptionText.GetColor());
            const int oldMode = pDC->SetBkMode(TRANSPARENT);
            CRect text(5, 3, caption.right - 2 * caption.Height() + 3, caption.bottom);
            pDC->DrawText(pBar->GetTitle(), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
            pDC->SetBkMode(oldMode);
            pDC->SetTextColor(oldText);
        }
        return CSize(client.Width(), h);
    }
    default:
        return CSize(0, 0);
    }
}

CSize CUTKNativeXPTheme::DrawDialogBarGripper(CDC* pDC, CUTKCommandBar* pBar, BOOL bDraw)
{
    if (!IsThemed()) {
        return CUTKDefaultTheme::DrawDialogBarGripper(pDC, pBar, bDraw);
    }
    const int h = std::max(m_nTextHeight + 4, 22);
    if (bDraw && pDC != nullptr) {
        const CRect rc(2, 3, 8, h);
        m_themeRebar.DrawThemeBackground(pDC->GetSafeHdc(), kRebarGripper, 1, &rc, nullptr);
    }
    return CSize(8, h);
}

CSize CUTKNativeXPTheme::DrawCommandBarSeparator(CDC* pDC, CUTKCommandBar* pBar,
                                                 CUTKControl* pControl, BOOL bDraw)
{
    if (!bDraw || pDC == nullptr || pBar == nullptr || pControl == nullptr || !IsThemed()) {
        return CUTKDefaultTheme::DrawCommandBarSeparator(pDC, pBar, pControl, bDraw);
    }
    const CRect rc = pControl->GetRect();
    const CRect row = pControl->GetRowRect();
    const BOOL wrap = pControl->GetWrap();
    const HDC dc = pDC->GetSafeHdc();
    const int position = pBar->GetPosition();
    if (pBar->GetType() == kBarTypePopup) {
        if (position != kBarPopup || !IsMenuThemeActive() || wrap) {
            return CUTKDefaultTheme::DrawCommandBarSeparator(pDC, pBar, pControl, bDraw);
        }
        const CRect line(rc.left + GetPopupBarGripperWidth(pBar), rc.top - 8, rc.right,
                         rc.top - 2);
        m_themeMenu.DrawThemeBackground(dc, kMenuPopupSeparator, 0, &line, nullptr);
        return CSize(0, 0);
    }
    CRect line;
    int part = kToolbarSeparator;
    if (position == kBarLeft || position == kBarRight) {
        if (wrap) {
            line = CRect(row.right, row.top + 4, row.right + 5, row.bottom);
        } else {
            part = kToolbarSeparatorVert;
            line = CRect(row.left, rc.top - 6, row.right, rc.top);
        }
    } else {
        if (wrap) {
            part = kToolbarSeparatorVert;
            line = CRect(row.left + 4, row.top - 5, row.right, row.top);
        } else {
            line = CRect(rc.left - 6, row.top, rc.left, row.bottom);
        }
    }
    m_themeToolbar.DrawThemeBackground(dc, part, 0, &line, nullptr);
    return CSize(0, 0);
}

void CUTKNativeXPTheme::AdjustExcludeRect(CRect& rc, CUTKControl* pControl, BOOL bVertical)
{
    if (!IsThemed()) {
        CUTKDefaultTheme::AdjustExcludeRect(rc, pControl, bVertical);
        return;
    }
    if (pControl == nullptr || pControl->GetParent() == nullptr ||
        pControl->GetType() == utkControlComboBox) {
        return;
    }
    if (pControl->GetParent()->GetType() == kBarTypePopup) {
        rc.DeflateRect(3, 0);
        rc.InflateRect(0, 3);
    }
}

int CUTKNativeXPTheme::GetPopupBarGripperWidth(CUTKCommandBar* pBar)
{
    const int width = CUTKDefaultTheme::GetPopupBarGripperWidth(pBar);
    return width > 0 && IsMenuThemeActive() ? width + 3 : width;
}

void CUTKNativeXPTheme::DrawPopupBarGutter(CDC* pDC, int x, int y, int cx, int cy,
                                           BOOL /*bExpanded*/)
{
    if (pDC != nullptr && IsMenuThemeActive()) {
        const CRect rc(x, y, x + cx, y + cy);
        m_themeMenu.DrawThemeBackground(pDC->GetSafeHdc(), kMenuPopupGutter, 0, &rc, nullptr);
    }
}

void CUTKNativeXPTheme::DrawCheckMark(CDC* pDC, CRect rcCheck, BOOL bEnabled, COLORREF clr)
{
    if (pDC != nullptr && IsMenuThemeActive()) {
        m_themeMenu.DrawThemeBackground(pDC->GetSafeHdc(), kMenuPopupCheck, bEnabled ? 1 : 2,
                                        &rcCheck, nullptr);
        return;
    }
    CUTKDefaultTheme::DrawCheckMark(pDC, rcCheck, bEnabled, clr);
}

void CUTKNativeXPTheme::DrawRadioDot(CDC* pDC, CRect rcCheck, BOOL bEnabled, COLORREF clr)
{
    if (pDC != nullptr && IsMenuThemeActive()) {
        m_themeMenu.DrawThemeBackground(pDC->GetSafeHdc(), kMenuPopupCheck, bEnabled ? 3 : 4,
                                        &rcCheck, nullptr);
        return;
    }
    CUTKDefaultTheme::DrawRadioDot(pDC, rcCheck, bEnabled, clr);
}

CSize CUTKNativeXPTheme::DrawSpecialControl(CDC* pDC, int kind, CUTKControl* pButton,
                                            CUTKCommandBar* pBar, BOOL bDraw, LPVOID lpParam)
{
    if ((kind == 2 || kind == 3) && m_themeToolbar.IsAppThemed()) {
        return CUTKPaintManager::DrawSpecialControl(pDC, kind, pButton, pBar, bDraw, lpParam);
    }
    return CUTKDefaultTheme::DrawSpecialControl(pDC, kind, pButton, pBar, bDraw, lpParam);
}

void CUTKNativeXPTheme::DrawControlMDIButton(CDC* pDC, CUTKControl* pButton)
{
    if (pDC != nullptr && pButton != nullptr && m_themeWindow.IsAppThemed()) {
        const int id = pButton->GetID();
        const int part = id == 9152   ? kWindowMdiRestoreButton
                         : id == 9153 ? kWindowMdiMinButton
                                      : kWindowMdiCloseButton;
        const int state = !pButton->GetEnabled() ? 4
                          : pButton->GetPressed() ? 3
                          : pButton->GetSelected() ? 2
                                                  : 1;
        const CRect rc = pButton->GetRect();
        if (SUCCEEDED(m_themeWindow.DrawThemeBackground(pDC->GetSafeHdc(), part, state, &rc,
                                                        nullptr))) {
            return;
        }
    }
    CUTKDefaultTheme::DrawControlMDIButton(pDC, pButton);
}

void CUTKNativeXPTheme::DrawControlEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected)
{
    if (pDC == nullptr || !m_themeComboBox.IsAppThemed()) {
        CUTKDefaultTheme::DrawControlEditFrame(pDC, rc, bEnabled, bSelected);
        return;
    }
    COLORREF border = 0;
    if (FAILED(m_themeComboBox.GetThemeColor(1, bEnabled ? 1 : 4, kPropBorderColor, &border))) {
        border = GetColor(COLOR_BTNSHADOW);
    }
    pDC->Draw3dRect(rc, border, border);
}

void CUTKNativeXPTheme::DrawComboBoxDropButton(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected,
                                               BOOL bDropped)
{
    if (pDC == nullptr || !m_themeComboBox.IsAppThemed()) {
        CUTKDefaultTheme::DrawComboBoxDropButton(pDC, rc, bEnabled, bSelected, bDropped);
        return;
    }
    const int state = !bEnabled ? 4 : bDropped ? 3 : bSelected ? 2 : 1;
    const CRect button(rc.left - 2, rc.top + 1, rc.right - 1, rc.bottom - 1);
    m_themeComboBox.DrawThemeBackground(pDC->GetSafeHdc(), kComboDropDownButton, state, &button,
                                        nullptr);
}

void CUTKNativeXPTheme::DrawControlEditSpin(CDC* pDC, CUTKControlEdit* pEdit)
{
    // The spin rectangle and pressed part come with the edit control.
    CUTKDefaultTheme::DrawControlEditSpin(pDC, pEdit);
}
