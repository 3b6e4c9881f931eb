// The tabbed container tests' host: a framework frame window with a docking pane manager
// installed in it. It records what the docking system reports (notifications, action codes),
// may refuse actions or keep a closing pane, and attaches a small child window to a pane when
// the manager says the pane is about to be shown.
#pragma once

#include <windows.h>

#include "platform/framework/frame/FrameworkFrame.h"
#include "toolkit/dockingpane/CUTKDockingPaneManager.h"

#include <set>
#include <string>
#include <vector>

class CUTKDockingPane;
class CUTKDockingPaneBase;

namespace orvane::test {

class TabbedHostFrame : public CFrameWnd {
public:
    struct Notice {
        WPARAM code = 0;
        int action = -1;  // for code 4
        int paneId = 0;   // 0 when the notice names no pane
    };

    TabbedHostFrame();
    ~TabbedHostFrame() override;

    // The frame at rc (screen), the manager installed with the docking theme. FALSE when a
    // window cannot be made.
    BOOL CreateHost(const RECT& rc, int theme = 3, BOOL visible = TRUE);
    // Dispatches what is queued, then the idle pass (delayed layouts, focus tracking).
    void Pump();
    // Pumps for about ms milliseconds.
    void PumpFor(DWORD ms);

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PostNcDestroy() override;

    // The actions recorded for a pane id, in order.
    std::vector<int> ActionsOf(int paneId) const;
    // The child window a pane got on notification 1, null when none.
    HWND WindowOf(int paneId) const;

    CUTKDockingPaneManager* m_pManager = nullptr;
    std::vector<Notice> m_notices;
    std::set<int> m_refused;        // actions answered with the refusal flag set
    LRESULT m_closeAnswer = 0;      // the answer to notification 3 (-1 keeps the pane)
    BOOL m_bAttachWindows = TRUE;

private:
    struct Attached {
        int paneId;
        HWND window;
    };
    std::vector<Attached> m_windows;
};

// A one-line text of the tree under object: "H(...)"/"V(...)" for splitters, "T[ids]" for
// tabbed containers (the selected pane marked with *), "C" for the client, a pane's id.
std::string DescribeTree(CUTKDockingPaneBase* object);

}  // namespace orvane::test
