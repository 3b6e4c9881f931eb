// CUTKDockContext: moves and sizes one toolbar with the mouse (drag to dock or float, drag a
// floating bar's border to resize it, double-click to toggle between docked and floating).
// The dock bars and the manager decide where a bar docks; this only tracks the mouse.
#pragma once

#include <windows.h>

#include "platform/framework/CPoint.h"
#include "platform/framework/CRect.h"

class CUTKCommandBar;

class CUTKDockContext {
public:
    // Pixels of a floating bar that stay inside the work area on every side.
    static constexpr int kKeepOnScreen = 10;

    // The toolbar (or dialog bar) it moves, as its command bar.
    explicit CUTKDockContext(CUTKCommandBar* pBar);
    virtual ~CUTKDockContext();
    CUTKDockContext(const CUTKDockContext&) = delete;
    CUTKDockContext& operator=(const CUTKDockContext&) = delete;

    virtual void StartDrag(int x, int y);
    virtual void StartResize(int nHitTest, int x, int y);
    virtual BOOL ToggleDocking();
    virtual void Track();

    // Window-free rules.
    // Moves the rectangle by the least amount so that it contains the point.
    static CRect MoveToContain(CRect rc, CPoint pt);
    // Keeps at least kKeepOnScreen pixels of the rectangle inside the work area on every side.
    static CRect KeepRectOnScreen(CRect rc, CRect rcWork);

    // The bar (as a command bar); null without one.
    CUTKCommandBar* GetCommandBar() const;

    CUTKCommandBar* m_pBar;
    int m_nMode = 0;                 // 1 dragging; the hit-test code (10-17) while resizing
    CPoint m_ptLast{0, 0};
    int m_uMRUDockID = 0;            // dock index: 0 top, 1 bottom, 2 left, 3 right
    CRect m_rectMRUDockPos{0, 0, 0, 0};
    CPoint m_ptMRUFloatPos{0, 0};
    CRect m_rectDragDock{0, 0, 0, 0};
    CRect m_rectFloat{0, 0, 0, 0};

private:
    // One step of the tracking loop for the new cursor position (screen).
    void DragStep(CPoint pt);
    void ResizeStep(CPoint pt);
};

// Accessors used by the docking-pane splitter: the minimum or maximum tracking extent along the
// given direction.
LONG* GetMinTrackSizeRef(MINMAXINFO* pMinMax, BOOL bHorizontal);
LONG* GetMaxTrackSizeRef(MINMAXINFO* pMinMax, BOOL bHorizontal);
