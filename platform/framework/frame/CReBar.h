// CReBar: a frame's rebar ("ReBarWindow32") as a control bar: each band holds one child
// window; the bar takes the height of its rows from the side it is aligned to.
#pragma once

#include <commctrl.h>

#include "platform/framework/frame/CControlBar.h"

class CReBar : public CControlBar {
    DECLARE_DYNAMIC(CReBar)

public:
    CReBar();
    ~CReBar() override;

    // dwCtrlStyle: RBS_* styles of the control; dwStyle: window and CBRS_* styles.
    BOOL Create(CWnd* pParentWnd, DWORD dwCtrlStyle = RBS_BANDBORDERS,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                                CBRS_TOP,
                UINT nID = AFX_IDW_REBAR);
    // Adds a band at the end holding the window, sized to the window's current size.
    BOOL AddBar(CWnd* pBar, LPCTSTR pszText = nullptr, CBitmap* pbmp = nullptr,
                DWORD dwStyle = RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);

    // Band messages.
    UINT GetBandCount() const;
    BOOL GetBandInfo(UINT uBand, REBARBANDINFOW* prbbi) const;
    BOOL SetBandInfo(UINT uBand, REBARBANDINFOW* prbbi);
    BOOL DeleteBand(UINT uBand);
    UINT GetBarHeight() const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    // The rows changed height: the frame lays out again.
    LRESULT OnHeightChange(WPARAM wParam, LPARAM lParam);
    LRESULT OnReflectedNotify(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
