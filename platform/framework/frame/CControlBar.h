// CControlBar: the base of the bars a frame lays out around its view. A bar answers
// WM_SIZEPARENT by taking its room from the side it is aligned to (or just reporting its
// size when the layout is only a query), and updates its items from the frame's command
// handlers on every idle pass.
#pragma once

#include "platform/framework/frame/AfxFrameDefs.h"

class CFrameWnd;

class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)

public:
    CControlBar();
    ~CControlBar() override;

    // CBRS_* styles (kept apart from the window style).
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    void SetBorders(LPCRECT lpRect);
    CRect GetBorders() const;
    // Shown, counting a show or hide still waiting for the idle update.
    BOOL IsVisible() const;
    // Shows or hides the bar at the next idle update, which also lays the frame out again.
    void DelayShow(BOOL bShow);
    BOOL IsFloating() const { return FALSE; }
    virtual INT_PTR GetCount() const { return 0; }

    // The bar's size: stretched bars take the frame's whole width (horizontal) or height.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
    void PostNcDestroy() override;

    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

    BOOL m_bAutoDelete = FALSE;
    int m_cxLeftBorder = 0;
    int m_cxRightBorder = 0;
    int m_cyTopBorder = 0;
    int m_cyBottomBorder = 0;

protected:
    enum : UINT { delayHide = 0x1, delayShow = 0x2 };

    // Carries out a pending DelayShow; TRUE when the window was shown or hidden.
    BOOL ApplyDelayedShow();

    DWORD m_dwStyle = 0;
    UINT m_nStateFlags = 0;

    DECLARE_MESSAGE_MAP()
};
