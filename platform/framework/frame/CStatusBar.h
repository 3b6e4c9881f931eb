// CStatusBar: a bar over the system status control along the frame's bottom edge. Pane 0
// shows the frame's prompt strings (the window text of the bar is that pane's text).
#pragma once

#include "platform/framework/frame/CControlBar.h"

#include <vector>

class CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)

public:
    CStatusBar();
    ~CStatusBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
    // One pane per id (ID_SEPARATOR, 0, for a pane without a string); pane texts come from
    // the string of the id. The first pane stretches.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    CString GetPaneText(int nIndex) const;
    UINT GetItemID(int nIndex) const;
    int CommandToIndex(UINT nIDFind) const;
    INT_PTR GetCount() const override { return static_cast<INT_PTR>(m_ids.size()); }

    // The text a pane shows for an indicator id: the first "\n" field of its string.
    static CString IndicatorText(UINT nID);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    void OnSize(UINT nType, int cx, int cy);

protected:
    void UpdateParts();

    std::vector<UINT> m_ids;
    std::vector<int> m_widths;

    DECLARE_MESSAGE_MAP()
};
