// Frame windows: creation from a resource id, view creation, bar layout, command routing,
// floating-window activation, status-bar prompts and help.
#include "platform/framework/frame/CFrameWnd.h"

#include "platform/framework/frame/AfxDocApp.h"
#include "platform/framework/frame/CControlBar.h"
#include "platform/framework/frame/CDocManager.h"
#include "platform/framework/frame/CDocument.h"
#include "platform/framework/frame/CRecentFileList.h"
#include "platform/framework/frame/CView.h"

#include <vector>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ACTIVATE()
    ON_WM_NCACTIVATE()
    ON_WM_ENABLE()
    ON_WM_SHOWWINDOW()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, OnToolTipText)
    ON_COMMAND(ID_HELP, OnHelp)
    ON_COMMAND(ID_CONTEXT_HELP, OnContextHelp)
    ON_COMMAND(ID_HELP_FINDER, OnHelpFinder)
    ON_COMMAND(ID_HELP_INDEX, OnHelpFinder)
    ON_COMMAND(ID_DEFAULT_HELP, OnHelpFinder)
END_MESSAGE_MAP()

namespace {

struct OwnedSearch {
    HWND owner;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectOwned(HWND hWnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<OwnedSearch*>(lParam);
    for (HWND h = ::GetWindow(hWnd, GW_OWNER); h != nullptr; h = ::GetWindow(h, GW_OWNER)) {
        if (h == search->owner) {
            search->found.push_back(hWnd);
            break;
        }
    }
    return TRUE;
}

// Top-level windows of this thread owned (directly or further up) by hWndOwner.
std::vector<HWND> OwnedTopLevelWindows(HWND hWndOwner)
{
    OwnedSearch search{hWndOwner, {}};
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectOwned, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

CWnd* AfxFindPermanentDescendant(HWND hWndParent, UINT nID)
{
    if (hWndParent == nullptr) {
        return nullptr;
    }
    if (HWND hChild = ::GetDlgItem(hWndParent, static_cast<int>(nID))) {
        if (CWnd* pWnd = CWnd::FromHandlePermanent(hChild)) {
            return pWnd;
        }
    }
    for (HWND hChild = ::GetTopWindow(hWndParent); hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (::GetTopWindow(hChild) != nullptr) {
            if (CWnd* pWnd = AfxFindPermanentDescendant(hChild, nID)) {
                return pWnd;
            }
        }
    }
    return nullptr;
}

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::IsFrameWnd() const
{
    return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                       const RECT& rect, CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle,
                       CCreateContext* pContext)
{
    m_strTitle = lpszWindowName != nullptr ? lpszWindowName : L"";
    HMENU hMenu = nullptr;
    if (lpszMenuName != nullptr) {
        hMenu = ::LoadMenuW(AfxGetResourceHandle(), lpszMenuName);
        if (hMenu == nullptr) {
            return FALSE;
        }
    }
    int x = rect.left;
    int y = rect.top;
    int cx = rect.right - rect.left;
    int cy = rect.bottom - rect.top;
    if (rect.left == CW_USEDEFAULT) {
        x = y = cx = cy = CW_USEDEFAULT;
    }
    // On failure the object may already be gone (PostNcDestroy), so no member is touched.
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy,
                  AfxHwndOf(pParentWnd), hMenu, pContext)) {
        if (hMenu != nullptr) {
            ::DestroyMenu(hMenu);
        }
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext)
{
    HINSTANCE hRes = AfxGetResourceHandle();
    m_nIDHelp = nIDResource;
    CString full;
    full.LoadString(nIDResource);
    CString title;
    AfxExtractSubString(title, full, 0);
    HICON hIcon = ::LoadIconW(hRes, MAKEINTRESOURCEW(nIDResource));
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                            reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), hIcon);
    // A frame without a menu resource of that id is created without a menu.
    LPCTSTR lpszMenu = ::FindResourceW(hRes, MAKEINTRESOURCEW(nIDResource), RT_MENU) != nullptr
                           ? MAKEINTRESOURCEW(nIDResource)
                           : nullptr;
    if (!Create(lpszClass, title, dwDefaultStyle, rectDefault, pParentWnd, lpszMenu, 0,
                pContext)) {
        return FALSE;
    }
    m_strTitle = title;
    m_hMenuDefault = ::GetMenu(m_hWnd);
    m_hAccelTable = ::LoadAcceleratorsW(hRes, MAKEINTRESOURCEW(nIDResource));
    if (pContext == nullptr) {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    }
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr) {
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                                           ::LoadIconW(nullptr, IDI_APPLICATION));
    }
    // Titles read "document - application".
    if (cs.style & FWS_ADDTOTITLE) {
        cs.style |= FWS_PREFIXTITLE;
    }
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    auto* pContext = static_cast<CCreateContext*>(lpcs->lpCreateParams);
    if (CWnd::OnCreate(lpcs) == -1) {
        return -1;
    }
    if (!OnCreateClient(lpcs, pContext)) {
        return -1;
    }
    PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext != nullptr && pContext->m_pNewViewClass != nullptr) {
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    }
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    if (pContext == nullptr || pContext->m_pNewViewClass == nullptr) {
        return nullptr;
    }
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    auto* pView = dynamic_cast<CWnd*>(pObject);
    if (pView == nullptr) {
        delete pObject;
        return nullptr;
    }
    // A view that fails to create deletes itself (PostNcDestroy).
    if (!pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID,
                       pContext)) {
        return nullptr;
    }
    return pView;
}

CView* CFrameWnd::GetActiveView() const
{
    return m_pViewActive;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld) {
        return;
    }
    m_pViewActive = nullptr;
    if (bNotify && pViewOld != nullptr) {
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    }
    // The old view may have chosen another view while being deactivated.
    if (m_pViewActive != nullptr) {
        return;
    }
    m_pViewActive = pViewNew;
    if (bNotify && pViewNew != nullptr) {
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
    }
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* pView = GetActiveView();
    return pView != nullptr ? pView->GetDocument() : nullptr;
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1) {
        if (!IsWindowVisible()) {
            nCmdShow = SW_SHOWNORMAL;
        } else if (IsIconic()) {
            nCmdShow = SW_RESTORE;
        }
    }
    if (nCmdShow != -1) {
        ShowWindow(nCmdShow);
    }
    if (nCmdShow != SW_HIDE && IsWindowVisible()) {
        BringWindowToTop();
    }
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* pView = GetActiveView();
    if (pView == nullptr) {
        pView = dynamic_cast<CView*>(AfxFindPermanentDescendant(m_hWnd, AFX_IDW_PANE_FIRST));
        if (pView != nullptr) {
            SetActiveView(pView, FALSE);
        }
    }
    if (bMakeVisible) {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        if (pView != nullptr) {
            pView->OnActivateFrame(WA_INACTIVE, this);
        }
        // The main window shows the way the program was started, once.
        int nCmdShow = -1;
        CWinApp* pApp = AfxGetApp();
        if (pApp != nullptr && pApp->m_pMainWnd == this) {
            nCmdShow = pApp->m_nCmdShow;
            pApp->m_nCmdShow = -1;
        }
        ActivateFrame(nCmdShow);
        if (pView != nullptr) {
            pView->OnActivateView(TRUE, pView, pView);
        }
    }
    if (pDoc != nullptr) {
        pDoc->UpdateFrameCounts();
    }
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout) {
        return;
    }
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~static_cast<UINT>(idleLayout | idleNotify);
    CRect border = m_rectBorder;
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &border);
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::DelayRecalcLayout(BOOL bNotify)
{
    m_nIdleFlags |= idleLayout | (bNotify ? idleNotify : 0);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if ((GetStyle() & FWS_ADDTOTITLE) == 0) {
        return;
    }
    CDocument* pDoc = GetActiveDocument();
    if (bAddToTitle && pDoc != nullptr) {
        UpdateFrameTitleForDocument(pDoc->GetTitle());
    } else {
        UpdateFrameTitleForDocument(nullptr);
    }
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName)
{
    CString doc = lpszDocName != nullptr ? lpszDocName : L"";
    CString text;
    if (doc.IsEmpty()) {
        text = m_strTitle;
    } else if (m_strTitle.IsEmpty()) {
        text = doc;
    } else if (GetStyle() & FWS_PREFIXTITLE) {
        text = doc + L" - " + m_strTitle;
    } else {
        text = m_strTitle + L" - " + doc;
    }
    CString current;
    GetWindowText(current);
    if (current != text) {
        SetWindowText(text);
    }
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    CString full;
    rMessage.Empty();
    if (full.LoadString(nID)) {
        AfxExtractSubString(rMessage, full, 0);
    }
}

CWnd* CFrameWnd::GetMessageBar()
{
    return AfxFindPermanentDescendant(m_hWnd, AFX_IDW_STATUS_BAR);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    return dynamic_cast<CControlBar*>(AfxFindPermanentDescendant(m_hWnd, nID));
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, nID, 0);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    const UINT nIDLast = m_nIDLastMessage;
    m_nFlags &= ~WF_NOPOPMSG;
    if (CWnd* pBar = GetMessageBar()) {
        CString text;
        if (lParam != 0) {
            text = reinterpret_cast<LPCTSTR>(lParam);
        } else if (wParam != 0) {
            GetMessageString(static_cast<UINT>(wParam), text);
        }
        pBar->SetWindowText(text);
    }
    m_nIDLastMessage = static_cast<UINT>(wParam);
    m_nIDTracking = static_cast<UINT>(wParam);
    return nIDLast;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam)
{
    if (m_nFlags & WF_NOPOPMSG) {
        return 0;
    }
    return SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    if (nFlags == 0xFFFF && hSysMenu == nullptr) {
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;  // the menu closed
    } else if (nFlags & (MF_SEPARATOR | MF_POPUP)) {
        m_nIDTracking = 0;
    } else {
        m_nIDTracking = nItemID;
    }
    SendMessage(WM_SETMESSAGESTRING, m_nIDTracking);
}

void CFrameWnd::OnSetPreviewMode(BOOL, CPrintPreviewState*)
{
    m_nIdleFlags |= idleLayout;
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (m_nIdleFlags & (idleLayout | idleNotify)) {
        RecalcLayout((m_nIdleFlags & idleNotify) != 0);
    }
    if (m_nIdleFlags & idleTitle) {
        OnUpdateFrameTitle(TRUE);
    }
    m_nIdleFlags = 0;
    return 0;
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED) {
        RecalcLayout();
    }
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive != nullptr && CWnd::HwndOf(m_pViewActive) != nullptr) {
        m_pViewActive->SetFocus();
    } else {
        CWnd::OnSetFocus(pOldWnd);
    }
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC)
{
    return CWnd::OnEraseBkgnd(pDC);
}

// ---- activation in step with floating windows --------------------------------------------

BOOL CFrameWnd::IsSyncedPopup(HWND hWnd) const
{
    if (hWnd == nullptr || hWnd == m_hWnd) {
        return FALSE;
    }
    for (HWND h = ::GetWindow(hWnd, GW_OWNER); h != nullptr; h = ::GetWindow(h, GW_OWNER)) {
        if (h == m_hWnd) {
            return ::SendMessageW(hWnd, WM_FLOATSTATUS, FS_SYNCACTIVE, 0) != 0;
        }
    }
    return FALSE;
}

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags)
{
    if (m_hWnd == nullptr) {
        return;
    }
    for (HWND hWnd : OwnedTopLevelWindows(m_hWnd)) {
        ::SendMessageW(hWnd, WM_FLOATSTATUS, dwFlags, 0);
    }
}

void CFrameWnd::SyncActivation(HWND hWndNewActive)
{
    const BOOL bSelf = hWndNewActive == m_hWnd;
    const BOOL bActive = bSelf || IsSyncedPopup(hWndNewActive);
    const BOOL bKeep = bActive && !bSelf;
    const BOOL bChanged = bActive != m_bFrameActive;
    m_bFrameActive = bActive;
    if (bChanged) {
        NotifyFloatingWindows(bActive ? FS_ACTIVATE : FS_DEACTIVATE);
    }
    if (bKeep != m_bKeepCaptionActive) {
        m_bKeepCaptionActive = bKeep;
        // Repaint the caption in the state the frame now counts as.
        SendMessage(WM_NCACTIVATE, bActive);
    }
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    SyncActivation(nState != WA_INACTIVE ? m_hWnd : AfxHwndOf(pWndOther));
    if (nState != WA_INACTIVE && !bMinimized && m_pViewActive != nullptr) {
        m_pViewActive->OnActivateFrame(nState, this);
    }
}

BOOL CFrameWnd::OnNcActivate(BOOL bActive)
{
    if (m_bKeepCaptionActive) {
        bActive = TRUE;
    }
    return static_cast<BOOL>(DefWindowProc(WM_NCACTIVATE, bActive, 0));
}

void CFrameWnd::OnEnable(BOOL bEnable)
{
    CWnd::OnEnable(bEnable);
    NotifyFloatingWindows(bEnable ? FS_ENABLE : FS_DISABLE);
}

void CFrameWnd::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CWnd::OnShowWindow(bShow, nStatus);
    if (nStatus == 0) {
        NotifyFloatingWindows(bShow ? FS_SHOW : FS_HIDE);
    }
}

// ---- menus, commands and keys -------------------------------------------------------------

void CFrameWnd::OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu)
{
    if (bSysMenu) {
        CWnd::OnInitMenuPopup(pMenu, nIndex, bSysMenu);
        return;
    }
    CCmdUI::UpdateMenu(this, pMenu, m_bAutoMenuEnable);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg)) {
        return TRUE;
    }
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable != nullptr &&
        m_hWnd != nullptr) {
        return ::TranslateAcceleratorW(m_hWnd, m_hAccelTable, pMsg) != 0;
    }
    return FALSE;
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0) {
        m_nIDTracking = 0;
    }
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The active view first (it passes on to its document), then the frame, then the
    // application, its document templates and the recent-file list.
    if (CView* pView = GetActiveView()) {
        if (pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) {
            return TRUE;
        }
    }
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) {
        return TRUE;
    }
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr) {
        return FALSE;
    }
    if (pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) {
        return TRUE;
    }
    return AfxAppRouteCmdMsg(pApp, nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pInfo = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
    UINT_PTR nID = pNMHDR->idFrom;
    if (pInfo->uFlags & TTF_IDISHWND) {
        nID = static_cast<UINT_PTR>(::GetDlgCtrlID(reinterpret_cast<HWND>(nID)));
    }
    if (nID == 0 || nID > 0xFFFF) {
        return FALSE;
    }
    CString full;
    CString tip;
    if (full.LoadString(static_cast<UINT>(nID)) && !AfxExtractSubString(tip, full, 1)) {
        tip.Empty();
    }
    ::lstrcpynW(pInfo->szText, tip, static_cast<int>(sizeof(pInfo->szText) / sizeof(wchar_t)));
    pInfo->lpszText = pInfo->szText;
    pInfo->hinst = nullptr;
    *pResult = 0;
    return TRUE;
}

// ---- help ---------------------------------------------------------------------------------

LRESULT CFrameWnd::OnCommandHelp(WPARAM, LPARAM lParam)
{
    if (lParam == 0) {
        if (m_nIDTracking != 0 && m_nIDTracking != AFX_IDS_IDLEMESSAGE) {
            lParam = static_cast<LPARAM>(HID_BASE_COMMAND + m_nIDTracking);
        } else if (m_nIDHelp != 0) {
            lParam = static_cast<LPARAM>(HID_BASE_RESOURCE + m_nIDHelp);
        }
    }
    if (lParam == 0) {
        return FALSE;
    }
    if (CWinApp* pApp = AfxGetApp()) {
        pApp->WinHelpInternal(static_cast<DWORD_PTR>(lParam), HELP_CONTEXT);
    }
    return TRUE;
}

void CFrameWnd::OnHelp()
{
    // The active popup (a modeless dialog, a floating window) answers first.
    HWND hWndPopup = ::GetLastActivePopup(m_hWnd);
    if (hWndPopup != nullptr && hWndPopup != m_hWnd &&
        ::SendMessageW(hWndPopup, WM_COMMANDHELP, 0, 0) != 0) {
        return;
    }
    if (SendMessage(WM_COMMANDHELP, 0, 0) != 0) {
        return;
    }
    OnHelpFinder();
}

void CFrameWnd::OnHelpFinder()
{
    if (CWinApp* pApp = AfxGetApp()) {
        pApp->WinHelpInternal(0, HELP_FINDER);
    }
}

void CFrameWnd::OnContextHelp()
{
    // No help mode: context help is the help of what the frame shows.
    OnHelp();
}

// ---- closing ------------------------------------------------------------------------------

void CFrameWnd::OnClose()
{
    CDocument* pDoc = GetActiveDocument();
    if (pDoc != nullptr && !pDoc->CanCloseFrame(this)) {
        return;
    }
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == this) {
        if (pDoc == nullptr && !AfxAppSaveAllModified(pApp)) {
            return;
        }
        HWND hWnd = m_hWnd;
        AfxAppCloseAllDocuments(pApp, FALSE);
        // Closing the documents normally destroyed this frame already.
        if (::IsWindow(hWnd) && FromHandlePermanent(hWnd) == this) {
            DestroyWindow();
        }
        return;
    }
    if (pDoc != nullptr) {
        pDoc->PreCloseFrame(this);
    }
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    m_pViewActive = nullptr;
    CWnd::OnDestroy();
}

void CFrameWnd::OnNcDestroy()
{
    CWinThread* pThread = AfxGetThread();
    const bool bMain = pThread != nullptr && pThread->m_pMainWnd == this;
    if (bMain) {
        pThread->m_pMainWnd = nullptr;
    }
    CWnd::OnNcDestroy();  // deletes the object
    if (bMain) {
        ::PostQuitMessage(0);
    }
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}
