// CUTKNativeXPTheme: theme 3, the one the player installs. Bars, menus, buttons, fields and
// floating frames are drawn with the system's visual styles, so they look like the system's
// own; wherever the styles are not active it falls back to the Default theme it derives from.
#pragma once

#include "toolkit/themes/CUTKDefaultTheme.h"

class CUTKNativeXPTheme : public CUTKDefaultTheme {
    DECLARE_DYNAMIC(CUTKNativeXPTheme)

public:
    CUTKNativeXPTheme();
    ~CUTKNativeXPTheme() override;

    void DrawSplitButtonFrame(CDC* pDC, CUTKControl* pButton, CRect rc) override;
    void FillCommandBarEntry(CDC* pDC, CUTKCommandBar* pBar) override;
    void DrawControlEntry(CDC* pDC, CUTKControl* pButton) override;
    COLORREF GetControlTextColor(CUTKControl* pButton) override;
    COLORREF GetRectangleTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                                   BOOL bPopuped, int barType, int barPosition) override;
    void DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                       BOOL bChecked, BOOL bPopuped, int barType, int barPosition) override;
    CSize DrawCommandBarGripper(CDC* pDC, CUTKCommandBar* pBar, BOOL bDraw = TRUE) override;
    CSize DrawCommandBarSeparator(CDC* pDC, CUTKCommandBar* pBar, CUTKControl* pControl,
                                  BOOL bDraw = TRUE) override;
    void AdjustExcludeRect(CRect& rc, CUTKControl* pControl, BOOL bVertical) override;
    void RefreshMetrics() override;
    CSize DrawSpecialControl(CDC* pDC, int kind, CUTKControl* pButton, CUTKCommandBar* pBar,
                             BOOL bDraw, LPVOID lpParam) override;
    CSize DrawDialogBarGripper(CDC* pDC, CUTKCommandBar* pBar, BOOL bDraw) override;
    void DrawPopupBarGutter(CDC* pDC, int x, int y, int cx, int cy, BOOL bExpanded) override;
    int GetBaseTheme() override { return utkThemeNativeXP; }
    void DrawCheckMark(CDC* pDC, CRect rcCheck, BOOL bEnabled, COLORREF clr) override;
    void DrawRadioDot(CDC* pDC, CRect rcCheck, BOOL bEnabled, COLORREF clr) override;
    void DrawControlMDIButton(CDC* pDC, CUTKControl* pButton) override;
    int GetPopupBarGripperWidth(CUTKCommandBar* pBar) override;
    void DrawControlEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected) override;
    void DrawComboBoxDropButton(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected,
                                BOOL bDropped) override;
    void DrawControlEditSpin(CDC* pDC, CUTKControlEdit* pEdit) override;

    // Both the rebar and the toolbar classes are open and the application is themed.
    BOOL IsThemed();
    // The menu class is open, themed and has the popup-menu parts.
    BOOL IsMenuThemeActive() { return m_themeMenu.IsAppThemed(); }
    // The rebar background over the reference window's rectangle, clipped to the window's
    // client area, so neighbouring bars continue one background; face colour unthemed.
    void FillRebarBackground(CDC* pDC, CWnd* pWnd, CWnd* pReferenceWnd);
    // The TOOLBAR button state DrawRectangle uses for a state (exposed for tests).
    static int ToolbarButtonState(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                                  BOOL bPopuped) noexcept;

    CUTKWinThemeWrapper m_themeRebar;
    CUTKWinThemeWrapper m_themeToolbar;
    CUTKWinThemeWrapper m_themeComboBox;
    CUTKWinThemeWrapper m_themeWindow;
    CUTKWinThemeWrapper m_themeSpin;
    CUTKWinThemeWrapper m_themeMenu;
    COLORREF m_clrEdgeShadowColor = 0;
    COLORREF m_clrEdgeHighLightColor = 0;
    BOOL m_bFlatMenus = TRUE;
    COLORREF m_clrSelectedText = 0;
    COLORREF m_clrPressedText = 0;
};
