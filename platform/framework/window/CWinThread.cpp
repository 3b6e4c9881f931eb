// Framework threads: creation, the message pump with idle processing, thread messages and the
// pre-translation chain.
#include "platform/framework/window/CWinThread.h"

#include "platform/framework/window/AfxState.h"
#include "platform/framework/window/CDC.h"
#include "platform/framework/window/CGdiObject.h"
#include "platform/framework/window/CImageList.h"
#include "platform/framework/window/CMenu.h"
#include "platform/framework/window/CWinApp.h"

IMPLEMENT_DYNCREATE(CWinThread, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinThread, CCmdTarget)
END_MESSAGE_MAP()

CWinThread::CWinThread() = default;

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam)
{
}

CWinThread::~CWinThread()
{
    if (m_hThread != nullptr) {
        // The thread object owns its handle, public as m_hThread by the framework's API.
        ::CloseHandle(m_hThread);
    }
    AFX_MODULE_THREAD_STATE* state = AfxGetModuleThreadState();
    if (state->m_pCurrentWinThread == this) {
        state->m_pCurrentWinThread = nullptr;
    }
}

DWORD WINAPI CWinThread::ThreadEntry(LPVOID pParam)
{
    auto* pThread = static_cast<CWinThread*>(pParam);
    AfxGetModuleThreadState()->m_pCurrentWinThread = pThread;
    UINT nResult = 0;
    if (pThread->m_pfnThreadProc != nullptr) {
        nResult = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
    } else if (pThread->InitInstance()) {
        nResult = static_cast<UINT>(pThread->Run());
    } else {
        nResult = static_cast<UINT>(pThread->ExitInstance());
    }
    AfxEndThread(nResult, TRUE);
    return nResult;
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize,
                              LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (m_hThread != nullptr) {
        return FALSE;
    }
    // Always created suspended so the handle and id are stored before the thread can run.
    m_hThread = ::CreateThread(lpSecurityAttrs, nStackSize, ThreadEntry, this, CREATE_SUSPENDED,
                               &m_nThreadID);
    if (m_hThread == nullptr) {
        return FALSE;
    }
    if (!(dwCreateFlags & CREATE_SUSPENDED)) {
        ::ResumeThread(m_hThread);
    }
    return TRUE;
}

void AfxEndThread(UINT, BOOL bDelete)
{
    AFX_MODULE_THREAD_STATE* state = AfxGetModuleThreadState();
    CWinThread* pThread = state->m_pCurrentWinThread;
    if (pThread != nullptr && bDelete && pThread->m_bAutoDelete) {
        state->m_pCurrentWinThread = nullptr;
        pThread->Delete();
    }
    CWnd::DeleteTempMap();
}

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

int CWinThread::ExitInstance()
{
    const MSG& msg = AfxGetThreadState()->m_msgCur;
    return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 0;
}

void CWinThread::Delete()
{
    if (m_bAutoDelete) {
        delete this;
    }
}

CWnd* CWinThread::GetMainWnd()
{
    if (m_pActiveWnd != nullptr) {
        return m_pActiveWnd;
    }
    return m_pMainWnd;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        if (state->m_ptCursorLast.x == pMsg->pt.x && state->m_ptCursorLast.y == pMsg->pt.y &&
            pMsg->message == state->m_nMsgLast) {
            return FALSE;
        }
        state->m_ptCursorLast = pMsg->pt;
        state->m_nMsgLast = pMsg->message;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0) {
        CWnd* pMainWnd = m_pMainWnd;
        if (pMainWnd != nullptr && pMainWnd->m_hWnd != nullptr && pMainWnd->IsWindowVisible()) {
            AfxCallWndProc(pMainWnd, pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
            pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        return TRUE;
    }
    if (lCount == 1) {
        CWnd::DeleteTempMap();
        CDC::DeleteTempMap();
        CGdiObject::DeleteTempMap();
        CMenu::DeleteTempMap();
        CImageList::DeleteTempMap();
    }
    return FALSE;
}

BOOL CWinThread::DispatchThreadMessageEx(MSG* pMsg)
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
         map = map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e) {
            const bool match = (e->nSig == AfxSig_msg && e->nMessage == pMsg->message) ||
                               (e->nSig == AfxSig_regmsg && e->pnMessage != nullptr &&
                                *e->pnMessage == pMsg->message);
            if (match) {
                AFX_MSGCALL call;
                call.message = pMsg->message;
                call.wParam = pMsg->wParam;
                call.lParam = pMsg->lParam;
                return e->pfn(this, call);
            }
        }
    }
    return FALSE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    return AfxInternalPreTranslateMessage(pMsg);
}

BOOL AfxInternalPreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == nullptr) {
        CWinThread* pThread = AfxGetThread();
        if (pThread != nullptr && pThread->DispatchThreadMessageEx(pMsg)) {
            return TRUE;
        }
    }
    CWinThread* pThread = AfxGetThread();
    CWnd* pMainWnd = pThread != nullptr ? pThread->GetMainWnd() : nullptr;
    if (CWnd::WalkPreTranslateTree(CWnd::HwndOf(pMainWnd), pMsg)) {
        return TRUE;
    }
    // A message for a window outside the main window's tree (a modeless popup) still gives
    // the main window its turn, as the main window owns the accelerators.
    if (pMainWnd != nullptr && pMainWnd->m_hWnd != nullptr) {
        HWND hTop = pMsg->hwnd;
        while (hTop != nullptr && hTop != pMainWnd->m_hWnd) {
            hTop = ::GetParent(hTop);
        }
        if (hTop == nullptr && pMsg->hwnd != nullptr &&
            pMainWnd->PreTranslateMessage(pMsg)) {
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CWinThread::ProcessMessageFilter(int, LPMSG lpMsg)
{
    return lpMsg != nullptr && PreTranslateMessage(lpMsg);
}

BOOL CWinThread::PumpMessage()
{
    MSG& msg = AfxGetThreadState()->m_msgCur;
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
        return FALSE;
    }
    if (msg.message != WM_KICKIDLE && !AfxPreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return TRUE;
}

int CWinThread::Run()
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    MSG& msg = AfxGetThreadState()->m_msgCur;
    for (;;) {
        while (bIdle && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++)) {
                bIdle = FALSE;
            }
        }
        do {
            if (!PumpMessage()) {
                return ExitInstance();
            }
            if (IsIdleMessage(&msg)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

LRESULT CWinThread::ProcessWndProcException(CException* e, const MSG* pMsg)
{
    if (pMsg->message == WM_CREATE) {
        return -1;  // creation fails
    }
    if (pMsg->message == WM_PAINT) {
        ::ValidateRect(pMsg->hwnd, nullptr);  // don't repaint into the same failure forever
        return 0;
    }
    if (e != nullptr && !e->IsKindOf(RUNTIME_CLASS(CUserException))) {
        wchar_t text[512] = {};
        if (!e->GetErrorMessage(text, 512)) {
            lstrcpynW(text, L"An unexpected error occurred.", 512);
        }
        AfxMessageBox(text, MB_ICONSTOP);
    }
    return 0;
}

CWinThread* AfxGetThread()
{
    CWinThread* pThread = AfxGetModuleThreadState()->m_pCurrentWinThread;
    if (pThread == nullptr) {
        // The main thread runs the application object.
        CWinApp* app = AfxGetApp();
        if (app != nullptr && app->m_nThreadID == ::GetCurrentThreadId()) {
            return app;
        }
    }
    return pThread;
}

BOOL AfxPreTranslateMessage(MSG* pMsg)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr) {
        return pThread->PreTranslateMessage(pMsg);
    }
    return AfxInternalPreTranslateMessage(pMsg);
}

BOOL AfxPumpMessage()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr) {
        return pThread->PumpMessage();
    }
    MSG& msg = AfxGetThreadState()->m_msgCur;
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
        return FALSE;
    }
    if (msg.message != WM_KICKIDLE && !AfxPreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return TRUE;
}

BOOL AfxIsIdleMessage(MSG* pMsg)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr) {
        return pThread->IsIdleMessage(pMsg);
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

LRESULT AfxProcessWndProcException(CException* e, const MSG* pMsg)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr) {
        return pThread->ProcessWndProcException(e, pMsg);
    }
    return pMsg->message == WM_CREATE ? -1 : 0;
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority,
                           UINT nStackSize, DWORD dwCreateFlags,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    auto* pThread = new CWinThread(pfnThreadProc, pParam);
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        pThread->Delete();
        return nullptr;
    }
    pThread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED)) {
        pThread->ResumeThread();
    }
    return pThread;
}

CWinThread* AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize,
                           DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    CObject* object = pThreadClass != nullptr ? pThreadClass->CreateObject() : nullptr;
    auto* pThread = dynamic_cast<CWinThread*>(object);
    if (pThread == nullptr) {
        delete object;
        return nullptr;
    }
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        pThread->Delete();
        return nullptr;
    }
    pThread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED)) {
        pThread->ResumeThread();
    }
    return pThread;
}
