// The thin window between two neighbours of a splitter container, dragged to move space from
// one to the other (outline tracker or live resize, by the manager's option). Without a
// container it is one of the strips around the client area: drawn alike, inert to the mouse.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

class CUTKDockingPaneBase;
class CUTKDockingPaneManager;
class CUTKDockingPaneSplitterContainer;

class CUTKDockingPaneSplitterWnd : public CWnd {
    DECLARE_DYNAMIC(CUTKDockingPaneSplitterWnd)

public:
    CUTKDockingPaneSplitterWnd();
    ~CUTKDockingPaneSplitterWnd() override;

    // Creates the window as a child of parent. container is null for a client frame strip,
    // whose orientation vertical gives (TRUE: the bar lies horizontally).
    BOOL Create(CUTKDockingPaneManager* manager, CWnd* parent,
                CUTKDockingPaneSplitterContainer* container, CUTKDockingPaneBase* first,
                CUTKDockingPaneBase* second, BOOL vertical);

    // Where the bar's leading edge may go, in screen coordinates; empty when it may not move.
    CRect GetTrackRect() const;
    // Applies a bar position (screen coordinate of its leading edge along the axis) to the
    // two neighbours' docking sizes. FALSE when nothing could be applied.
    BOOL ApplyBarPosition(int position);
    BOOL IsHorizontal() const { return !m_bVertical; }
    CUTKDockingPaneBase* GetFirst() const { return m_pFirst; }
    CUTKDockingPaneBase* GetSecond() const { return m_pSecond; }
    CUTKDockingPaneSplitterContainer* GetContainer() const { return m_pContainer; }

protected:
    void OnPaint();
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    BOOL OnEraseBkgnd(CDC* dc);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnLButtonDown(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()

    // The live loop: pumps messages with the mouse captured until the button goes up, Escape,
    // WM_QUIT (posted again) or the capture is lost; always releases the capture.
    void TrackLive(CPoint start, CRect bar, CRect range);

    CUTKDockingPaneSplitterContainer* m_pContainer = nullptr;
    CUTKDockingPaneBase* m_pFirst = nullptr;
    CUTKDockingPaneBase* m_pSecond = nullptr;
    CUTKDockingPaneManager* m_pManager = nullptr;
    HCURSOR m_hCursor = nullptr;
    BOOL m_bVertical = FALSE;

private:
    void Draw(CDC* dc);
    BOOL SplittersLocked() const;
    int GetSplitterIndent() const;
};
