// CUTKPaintManager: what the base answers about controls and bars (fonts, text orientation,
// text colours, entry faces, split-button parts, popup image cells, borders, the floating
// caption, keyboard tips) and the expanded-items animation that walks a popup's controls.
#include "toolkit/themes/CUTKPaintManager.h"

#include "toolkit/themes/PopupExpandPlan.h"

#include <algorithm>

COLORREF CUTKPaintManager::GetControlEditBackColor(CUTKControl* /*pControl*/)
{
    return GetColor(COLOR_WINDOW);
}

void CUTKPaintManager::DrawControlEntry(CDC* /*pDC*/, CUTKControl* /*pButton*/)
{
}

COLORREF CUTKPaintManager::GetControlTextColor(CUTKControl* /*pButton*/)
{
    return GetColor(COLOR_BTNTEXT);
}

CSize CUTKPaintManager::DrawCommandBarGripper(CDC* /*pDC*/, CUTKCommandBar* /*pBar*/,
                                              BOOL /*bDraw*/)
{
    return CSize(0, 0);
}

void CUTKPaintManager::FillDockBar(CDC* /*pDC*/, CUTKDockBar* /*pBar*/)
{
}

CRect CUTKPaintManager::GetCommandBarBorders(CUTKCommandBar* /*pBar*/)
{
    return CRect(2, 2, 2, 2);
}

CRect CUTKPaintManager::GetSplitButtonCommandRect(CUTKControl* /*pButton*/)
{
    return CRect(0, 0, 0, 0);
}

CFont* CUTKPaintManager::GetControlFont(CUTKControl* /*pControl*/)
{
    return &m_fontRegular;
}

CFont* CUTKPaintManager::GetCommandBarFont(CUTKCommandBar* /*pBar*/)
{
    return &m_fontRegular;
}

int CUTKPaintManager::GetControlTextOrientation(CUTKControl* /*pControl*/)
{
    return kTextHorizontal;
}

void CUTKPaintManager::DrawControlMDIButton(CDC* /*pDC*/, CUTKControl* /*pButton*/)
{
}

int CUTKPaintManager::AnimateExpandedItems(CUTKPopupBar* /*pPopupBar*/, CDC* /*pDestDC*/,
                                           CDC* /*pSrcDC*/, BOOL /*bExpandDown*/)
{
    return 0;
}

int CUTKPaintManager::GetPopupBarGripperWidth(CUTKCommandBar* /*pBar*/)
{
    return 0;
}

void CUTKPaintManager::DrawKeyboardTip(CDC* /*pDC*/, CUTKCommandBarKeyboardTip* /*pWnd*/,
                                       BOOL /*bSetRegion*/)
{
}

BOOL CUTKPaintManager::IsFlatToolBar(CUTKCommandBar* /*pBar*/)
{
    return m_bFlatToolBar;
}

CSize CUTKPaintManager::GetPopupBarImageSize(CUTKCommandBar* /*pBar*/)
{
    return CSize(std::max(16 + 4, m_nTextHeight + 4), std::max(16 + 6, m_nTextHeight));
}

CSize CUTKPaintManager::GetControlIconSize(CUTKControl* /*pControl*/)
{
    return CSize(16, 16);
}

CSize CUTKPaintManager::ApplyControlFixedSize(CUTKControl* /*pControl*/, int cx, int cy,
                                              BOOL /*bVertical*/)
{
    return CSize(cx, cy);
}
