// CWinThread: a thread with the framework's message pump. The pump runs idle processing
// between messages (update-UI passes, freeing temporary handle wrappers), offers every message
// to the PreTranslateMessage chain, and dispatches thread messages through the message map.
// Worker threads run a plain function instead.
#pragma once

#include "platform/framework/window/CWnd.h"

using AFX_THREADPROC = UINT (*)(LPVOID pParam);

class CWinThread : public CCmdTarget {
    DECLARE_DYNCREATE(CWinThread)

public:
    CWinThread();
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;

    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0,
                      LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

    CWnd* m_pMainWnd = nullptr;
    CWnd* m_pActiveWnd = nullptr;
    BOOL m_bAutoDelete = TRUE;
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    AFX_THREADPROC m_pfnThreadProc = nullptr;
    LPVOID m_pThreadParams = nullptr;

    operator HANDLE() const { return m_hThread; }
    int GetThreadPriority() { return ::GetThreadPriority(m_hThread); }
    BOOL SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }
    DWORD SuspendThread() { return ::SuspendThread(m_hThread); }
    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return ::PostThreadMessageW(m_nThreadID, message, wParam, lParam);
    }

    virtual BOOL InitInstance();
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL PumpMessage();
    // lCount 0: update-UI pass (WM_IDLEUPDATECMDUI to the main window and its descendants);
    // lCount 1: temporary handle wrappers are freed. Returns TRUE while more idle work waits.
    virtual BOOL OnIdle(LONG lCount);
    // The framework's rule: repeated mouse moves at the same place, WM_PAINT and the caret
    // blink timer (0x118) don't restart idle processing.
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual int ExitInstance();
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);
    virtual BOOL ProcessMessageFilter(int code, LPMSG lpMsg);
    virtual CWnd* GetMainWnd();
    virtual void Delete();

    // Thread messages (no window) through ON_THREAD_MESSAGE entries.
    BOOL DispatchThreadMessageEx(MSG* pMsg);

    static DWORD WINAPI ThreadEntry(LPVOID pParam);

    DECLARE_MESSAGE_MAP()
};

CWinThread* AfxGetThread();
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                           int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                           DWORD dwCreateFlags = 0,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
CWinThread* AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL,
                           UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
// Ends the calling framework thread (its object is deleted when auto-delete).
void AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);

// One message through the current thread's pump; FALSE on WM_QUIT.
BOOL AfxPumpMessage();
BOOL AfxIsIdleMessage(MSG* pMsg);
BOOL AfxPreTranslateMessage(MSG* pMsg);
// Default pre-translation: the window tree from the message's window up to the main window,
// then the main window itself.
BOOL AfxInternalPreTranslateMessage(MSG* pMsg);
LRESULT AfxProcessWndProcException(CException* e, const MSG* pMsg);
