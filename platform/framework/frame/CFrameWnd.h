// CFrameWnd: the top-level window that holds a view and control bars. It lays its bars and
// view out through WM_SIZEPARENT, routes commands view -> document -> frame -> application,
// owns the menu and accelerators loaded from one resource id, keeps owned floating windows in
// step with its activation, shows prompt strings in the status bar and routes help requests.
#pragma once

#include "platform/framework/frame/CCreateContext.h"

class CView;
class CDocument;
class CControlBar;

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)

public:
    CFrameWnd();
    ~CFrameWnd() override;

    static const CRect rectDefault;

    enum IdleFlags { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };

    HACCEL m_hAccelTable = nullptr;
    HMENU m_hMenuDefault = nullptr;
    UINT m_nIDHelp = 0;
    UINT m_nIdleFlags = 0;
    BOOL m_bInRecalcLayout = FALSE;
    BOOL m_bAutoMenuEnable = TRUE;
    BOOL m_bHelpMode = FALSE;
    CRect m_rectBorder{0, 0, 0, 0};
    CString m_strTitle;
    UINT m_nIDTracking = 0;
    UINT m_nIDLastMessage = 0;
    // The frame counts as active while it or one of its synchronised floating windows is the
    // active window; the caption stays active while a floating window holds the activation.
    BOOL m_bFrameActive = FALSE;
    BOOL m_bKeepCaptionActive = FALSE;

    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                        CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr,
                        DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
    // Menu, accelerators, icon and title (the first "\n" field of the string) all come from
    // nIDResource.
    virtual BOOL LoadFrame(UINT nIDResource,
                           DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL IsFrameWnd() const override;

    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    virtual CView* GetActiveView() const;
    virtual void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    virtual void ActivateFrame(int nCmdShow = -1);
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);

    virtual void RecalcLayout(BOOL bNotify = TRUE);
    void DelayRecalcLayout(BOOL bNotify = TRUE);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    // Puts the frame's menu back: hMenuAlt, else the frame's default menu.
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    CString GetTitle() const { return m_strTitle; }

    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);
    virtual CWnd* GetMessageBar();
    CControlBar* GetControlBar(UINT nID);

    // Print preview is not offered; the frame stays as it is.
    virtual void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState);
    // Sends WM_FLOATSTATUS to the owned windows that follow this frame's state.
    void NotifyFloatingWindows(DWORD dwFlags);
    // Brings the frame's and its floating windows' activation in step with hWndNewActive, the
    // window that is (becoming) active.
    void SyncActivation(HWND hWndNewActive);
    // TRUE when hWnd is an owned window that follows this frame's activation.
    BOOL IsSyncedPopup(HWND hWnd) const;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnNcDestroy();
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    BOOL OnNcActivate(BOOL bActive);
    void OnEnable(BOOL bEnable);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu);
    void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    BOOL OnEraseBkgnd(CDC* pDC);
    LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
    // Tip text of a bar button: the second "\n" field of the command's prompt string.
    BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    void OnHelp();
    void OnHelpFinder();
    void OnContextHelp();

protected:
    CView* m_pViewActive = nullptr;

    DECLARE_MESSAGE_MAP()
};
