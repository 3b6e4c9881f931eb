// CMiniFrameWnd: a frame with a small tool caption, floating over (owned by) a frame or
// placed as a child. With MFS_SYNCACTIVE its caption follows its owner's activation (both
// look active while either is), with MFS_BLOCKSYSMENU its system menu does not open.
#pragma once

#include "platform/framework/frame/CFrameWnd.h"

class CMiniFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMiniFrameWnd)

public:
    CMiniFrameWnd();
    ~CMiniFrameWnd() override;

    BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd = nullptr, UINT nID = 0);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd = nullptr, UINT nID = 0);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // The owner frame whose activation this window follows (null when not synchronised).
    CFrameWnd* GetSyncOwner() const;

    BOOL m_bActive = FALSE;
    BOOL m_bSysMenu = FALSE;

    LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    BOOL OnNcActivate(BOOL bActive);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);

    DECLARE_MESSAGE_MAP()
};
