// A report list whose selected rows can be dragged to a new place (the parent gets the drop
// position and the new index of every row) and whose rows can be custom coloured: a marked row,
// dimmed focus colours and striped rows (the bookmark pane).
#pragma once

#include "platform/framework/window/FrameworkWindows.h"

#include <vector>

class CListCtrlEx : public CListCtrl {
public:
    static constexpr UINT_PTR kScrollTimer = 100;

    // New index of every row when the selected rows are dropped before `drop` (0..count).
    static std::vector<int> ComputeNewOrder(const std::vector<bool>& selected, int drop);

    int DropPosition() const { return m_dropPosition; }
    bool IsDragging() const { return m_dragging; }

    // Set by the owner.
    UINT m_oneRowBitmap = 0;
    UINT m_rowsBitmap = 0;
    UINT m_dropMessage = 0;  // 0: dragging disabled
    BOOL m_customColors = FALSE;
    BOOL m_dimmedFocusColors = FALSE;
    BOOL m_stripedRows = FALSE;
    int m_markedRow = -1;

protected:
    void OnBeginDrag(NMHDR* header, LRESULT* result);
    void OnCustomDraw(NMHDR* header, LRESULT* result);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnTimer(UINT_PTR id);
    BOOL OnEraseBkgnd(CDC* dc);
    void OnSysColorChange();

    DECLARE_MESSAGE_MAP()

private:
    int RowCount() const;
    int HitRow(POINT client) const;
    void UpdateDropPosition(POINT client);
    void DrawMark(bool draw);
    void RefreshColors();
    void EndDrag();

    HIMAGELIST m_dragImage = nullptr;
    int m_dropPosition = -1;
    int m_scrollDirection = 0;  // 0 none, 1 up, 2 down
    UINT_PTR m_scrollTimer = 0;
    bool m_dragging = false;
    int m_markPosition = -1;
    BOOL m_colorsStale = TRUE;
    COLORREF m_markText = 0;
    COLORREF m_markSelectedText = 0;
    COLORREF m_markBack = 0;
    COLORREF m_markSelectedBack = 0;
};
