// CUTKCustomizeDropSource: carries a control while the user drags it between bars during
// customisation. It holds the mouse capture, runs its own message loop, tells the registered
// bars under the cursor about the drag, shows the drop cursors and reports whether the control
// was copied, moved, dropped nowhere or the drag was cancelled.
#pragma once

#include <windows.h>

#include "platform/framework/CArray.h"
#include "platform/framework/CPoint.h"

class CUTKCommandBar;
class CUTKCommandBars;
class CUTKControl;
class CWnd;

class CUTKCustomizeDropSource {
public:
    // Drop effects of DoDragDrop.
    static constexpr DWORD kEffectNone = 0;
    static constexpr DWORD kEffectCopy = 1;
    static constexpr DWORD kEffectMove = 2;
    static constexpr DWORD kEffectCancel = 5;
    // Cursor ids of the toolkit's resources (system cursors stand in when they are missing).
    static constexpr UINT kCursorCopy = 9105;
    static constexpr UINT kCursorMove = 9106;
    static constexpr UINT kCursorNoDrop = 9107;

    explicit CUTKCustomizeDropSource(CUTKCommandBars* pCommandBars);
    virtual ~CUTKCustomizeDropSource();
    CUTKCustomizeDropSource(const CUTKCustomizeDropSource&) = delete;
    CUTKCustomizeDropSource& operator=(const CUTKCustomizeDropSource&) = delete;

    void AddDropTarget(CUTKCommandBar* pBar);
    void RemoveDropTarget(CUTKCommandBar* pBar);
    int GetDropTargetCount() const { return static_cast<int>(m_arrTargets.GetSize()); }

    // Runs the drag of the control; answers the drop effect.
    DWORD DoDragDrop(CUTKControl* pControl, BOOL bCopyOnly);
    void UpdateDragCursor();
    // The cursor UpdateDragCursor shows for a target state and the move and copy-only flags.
    HCURSOR ChooseCursor(BOOL bTarget, BOOL bMove, BOOL bCopyOnly) const;

    // The customise dialog's window while it is open (gets the capture and notifications).
    void SetCustomizeWindow(CWnd* pWnd) { m_pCustomizeWnd = pWnd; }
    CWnd* GetCustomizeWindow() const { return m_pCustomizeWnd; }
    CUTKCommandBar* GetTarget() const { return m_pTarget; }
    BOOL IsMove() const { return m_bMove; }
    CUTKControl* GetControl() const { return m_pControl; }

private:
    // The registered bar under a screen point, last registered first; null when none.
    CUTKCommandBar* FindTarget(CPoint ptScreen) const;
    void DragOver(CPoint ptScreen);
    DWORD Drop();
    void LeaveTarget();

    HWND m_hwndCapture = nullptr;
    CUTKControl* m_pControl = nullptr;
    BOOL m_bMove = FALSE;
    BOOL m_bCopyOnly = FALSE;
    CUTKCommandBar* m_pTarget = nullptr;
    CWnd* m_pCustomizeWnd = nullptr;
    CPoint m_ptStart{0, 0};
    CArray<CUTKCommandBar*, CUTKCommandBar*> m_arrTargets;
    CUTKCommandBars* m_pCommandBars = nullptr;
    HCURSOR m_hcurNoDrop = nullptr;
    HCURSOR m_hcurMove = nullptr;
    HCURSOR m_hcurCopy = nullptr;
};
