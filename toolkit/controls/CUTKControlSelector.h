// A grid in a popup in which the user drags out a number of columns and rows (a table size
// picker). The grid grows past its usual size, up to a maximum, while the button is held and
// the pointer goes beyond its right or bottom edge. Changes are sent to the site as 0x1006.
#pragma once

#include "toolkit/controls/CUTKControl.h"

class CUTKControlSelector : public CUTKControl {
    DECLARE_SERIAL(CUTKControlSelector)

public:
    CUTKControlSelector();

    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void OnCalcDynamicSize(DWORD layoutFlags) override;
    void DoPropExchange(CUTKPropExchange* px) override;
    void Copy(CUTKControl* source, BOOL recursive = FALSE) override;
    void OnLButtonUp(CPoint point) override;
    void OnMouseMove(CPoint point) override;
    BOOL SetSelected(int selected) override;
    CUTKControl* Clone(BOOL recursive = FALSE) override;
    // Draws a cell's content; nothing here (derived selectors draw into the cells).
    virtual void DrawItem(CDC* pDC, CRect rcItem, COLORREF textColor);

    // Stores a changed (or forced) selection, redraws and notifies the site.
    void SetSelection(CSize selection, BOOL force = FALSE);
    CSize GetSelection() const { return m_szSelected; }
    CSize GetLastSelection() const { return m_szLastSelected; }
    CSize GetGridSize() const { return m_szGrid; }
    void SetItemsCount(CSize count) { m_szItemsCount = count; }
    CSize GetItemsCount() const { return m_szItemsCount; }
    void SetItemsMax(CSize max) { m_szItemsMax = max; }
    CSize GetItemsMax() const { return m_szItemsMax; }
    void SetItemSize(CSize size) { m_szItem = size; }
    CSize GetItemSize() const { return m_szItem; }

    // Window-free: the selection for a point in a grid of cells at origin, at most the grid.
    static CSize CalcSelection(CPoint point, CPoint origin, CSize item, CSize grid);
    // Window-free: the grid grown to hold the cell under a point beyond its edges, at most max.
    static CSize CalcGrownGrid(CPoint point, CPoint origin, CSize item, CSize grid, CSize max);

protected:
    CSize m_szItemsCount{5, 4};
    CSize m_szItemsMax{12, 12};
    CSize m_szItem{28, 28};
    CSize m_szSelected{0, 0};
    CSize m_szLastSelected{0, 0};
    CSize m_szGrid{5, 4};
    BOOL m_bResizing = FALSE;
};
