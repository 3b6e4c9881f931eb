// CUTKDefaultTheme: theme 0, the classic three-dimensional look: raised and sunken frames in
// the face, shadow and highlight colours, a highlight bar over the selected popup item and a
// dithered face for checked buttons. It implements every operation the base leaves open and is
// the fallback of the Native XP theme wherever visual styles are not active.
#pragma once

#include "toolkit/themes/CUTKPaintManager.h"

class CUTKDefaultTheme : public CUTKPaintManager {
    DECLARE_DYNAMIC(CUTKDefaultTheme)

public:
    CUTKDefaultTheme();
    ~CUTKDefaultTheme() override = default;

    CSize DrawControlPopupParent(CDC* pDC, CUTKControl* pControl, BOOL bDraw) override;
    void DrawSplitButtonFrame(CDC* pDC, CUTKControl* pButton, CRect rc) override;
    CSize DrawControlComboBox(CDC* pDC, CUTKControlComboBox* pComboBox, BOOL bDraw) override;
    CSize DrawControlEdit(CDC* pDC, CUTKControlEdit* pEdit, BOOL bDraw) override;
    CSize DrawListBoxControl(CDC* pDC, CUTKControl* pButton, CRect rcButton, BOOL bSelected,
                             BOOL bDraw, CUTKCommandBars* pCommandBars) override;
    void FillCommandBarEntry(CDC* pDC, CUTKCommandBar* pBar) override;
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
    CRect GetCommandBarBorders(CUTKCommandBar* pBar) override;
    CSize DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bSelected, BOOL bDraw) override;
    void DrawPopupResizeGripper(CDC* pDC, CRect rcGripper, int kind) override;
    void DrawImage(CDC* pDC, CPoint pt, CSize sz, CUTKImageManagerIcon* pImage, BOOL bSelected,
                   BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped,
                   BOOL bToolBarImage) override;
    CSize DrawDialogBarGripper(CDC* pDC, CUTKCommandBar* pBar, BOOL bDraw) override;
    int GetBaseTheme() override { return utkThemeDefault; }
    CSize GetPopupBarImageSize(CUTKCommandBar* pBar) override;

    // Slots the field controls call.
    virtual void DrawControlEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected);
    virtual void DrawComboBoxDropButton(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected,
                                        BOOL bDropped);
    virtual void DrawControlEditSpin(CDC* pDC, CUTKControlEdit* pEdit);

    // The one-pixel checkerboard of face and highlight that checked buttons show.
    void FillCheckedPattern(CDC* pDC, CRect rc);
    // The frames: highlight top-left and shadow bottom-right, and the reverse.
    void DrawRaised(CDC* pDC, CRect rc) { Draw3dRect(pDC, rc, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW); }
    void DrawSunken(CDC* pDC, CRect rc) { Draw3dRect(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT); }

    // Colour index of normal popup item text, of check glyphs and of the split separator in
    // popup items.
    int m_nHighlightedTextColorIndex = COLOR_BTNTEXT;
};
