// Worker thread with a one-slot request channel: the owner posts a request with CallWorker and
// blocks until the worker answers with Reply. Derived classes implement ThreadProc.
#pragma once

#include <windows.h>

#include "platform/dshow/CAMEvent.h"
#include "platform/dshow/CCritSec.h"
#include "platform/base/CHandle.h"

class CAMThread {
public:
    explicit CAMThread(HRESULT* phr = nullptr);
    // The derived class must Close() the thread in its own destructor: ThreadProc is gone by
    // the time this one runs.
    virtual ~CAMThread();
    CAMThread(const CAMThread&) = delete;
    CAMThread& operator=(const CAMThread&) = delete;

    // Starts ThreadProc; FALSE when a thread already runs or creation fails.
    BOOL Create();
    // Posts dwParam to the worker and waits for its Reply value (E_FAIL without a thread).
    DWORD CallWorker(DWORD dwParam);
    // Waits for the thread to end and closes its handle.
    void Close();
    BOOL ThreadExists() const { return m_hThread != nullptr; }
    HANDLE GetRequestHandle() const { return m_EventSend; }

    // Worker side.
    DWORD GetRequest();
    BOOL CheckRequest(DWORD* pParam);
    void Reply(DWORD dw);
    virtual DWORD ThreadProc() = 0;

    CCritSec m_AccessLock;  // serialises CallWorker callers
    CCritSec m_WorkerLock;  // held by the worker while it serves a request, if it wishes

protected:
    HANDLE m_hThread = nullptr;

private:
    static DWORD WINAPI InitialThreadProc(LPVOID pv);

    CAMEvent m_EventSend;
    CAMEvent m_EventComplete;
    DWORD m_dwParam = 0;
    DWORD m_dwReturnVal = 0;
};
