// Framework state records. The module state is per binary (the framework is a static library,
// so an engine DLL linked with it has its own application object, instance and resource
// handles); the thread states are per thread within that binary.
#pragma once

#include "platform/framework/window/AfxWinBase.h"

class CToolTipCtrl;

class CDocument;

struct AFX_MODULE_STATE {
    // Instance and resource handles are kept by AfxGet/SetInstanceHandle and
    // AfxGet/SetResourceHandle (one pair per binary as well).
    CWinApp* m_pCurrentWinApp = nullptr;
    LPCTSTR m_lpszCurrentAppName = nullptr;
    BOOL m_bDLL = FALSE;
    // Set by the document/view classes (recent-file list, document manager), which this half
    // of the framework does not know: CWinApp::OpenDocumentFile, ExitInstance (saving the
    // recent-file list) and the destructor (freeing the list and the manager) go through them.
    CDocument* (*m_pfnOpenDocumentFile)(CWinApp* app, LPCTSTR lpszFileName) = nullptr;
    void (*m_pfnSaveStdProfileSettings)(CWinApp* app) = nullptr;
    void (*m_pfnDeleteDocViewState)(CWinApp* app) = nullptr;
};

using AFX_TOOLTIP_FILTER = void (*)(MSG* pMsg, CWnd* pWnd);

struct AFX_MODULE_THREAD_STATE {
    CWinThread* m_pCurrentWinThread = nullptr;
    // Replaceable tooltip filter called from CWnd::PreTranslateMessage for windows with
    // tooltips enabled (null: the window's own FilterToolTipMessage).
    AFX_TOOLTIP_FILTER m_pfnFilterToolTipMessage = nullptr;
    CToolTipCtrl* m_pToolTip = nullptr;
    CWnd* m_pLastHit = nullptr;
    INT_PTR m_nLastHit = -1;
    TOOLINFO* m_pLastInfo = nullptr;
    INT_PTR m_nLastStatus = -1;
};

struct AFX_THREAD_STATE {
    MSG m_lastSentMsg{};   // the message being dispatched by the window procedure
    MSG m_msgCur{};        // the message last taken from the queue
    CWnd* m_pWndInit = nullptr;
    HHOOK m_hHookOldCbtFilter = nullptr;
    POINT m_ptCursorLast{-1, -1};
    UINT m_nMsgLast = 0;
    int m_nWaitCursorCount = 0;
    HCURSOR m_hcurWaitCursorRestore = nullptr;
};

AFX_MODULE_STATE* AfxGetModuleState();
AFX_MODULE_STATE* AfxGetStaticModuleState();
AFX_MODULE_THREAD_STATE* AfxGetModuleThreadState();
AFX_THREAD_STATE* AfxGetThreadState();

// Entry guard for functions exported from a DLL. Each binary links its own copy of the
// framework, so its state is already the right one; the guard records the switch so code
// that asks for the current module inside the call sees the entered module.
class AFX_MAINTAIN_STATE2 {
public:
    explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pModuleState);
    ~AFX_MAINTAIN_STATE2();
    AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
    AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;

private:
    AFX_MODULE_STATE* m_pPrevious;
};
#define AFX_MANAGE_STATE(p) AFX_MAINTAIN_STATE2 afxManageState_(p)
