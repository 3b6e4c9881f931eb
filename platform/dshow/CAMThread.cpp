// Worker thread with a request/reply handshake, used by sources that push samples.
#include "platform/dshow/CAMThread.h"

#include <objbase.h>

#include "platform/dshow/CAutoLock.h"

CAMThread::CAMThread(HRESULT* phr) : m_EventSend(TRUE, phr), m_EventComplete(FALSE, phr) {}

CAMThread::~CAMThread()
{
    Close();
}

DWORD WINAPI CAMThread::InitialThreadProc(LPVOID pv)
{
    const HRESULT hrCo = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    const DWORD result = static_cast<CAMThread*>(pv)->ThreadProc();
    if (SUCCEEDED(hrCo)) {
        CoUninitialize();
    }
    return result;
}

BOOL CAMThread::Create()
{
    CAutoLock lock(&m_AccessLock);
    if (ThreadExists()) {
        return FALSE;
    }
    DWORD id = 0;
    m_hThread = CreateThread(nullptr, 0, InitialThreadProc, this, 0, &id);
    return m_hThread != nullptr;
}

DWORD CAMThread::CallWorker(DWORD dwParam)
{
    CAutoLock lock(&m_AccessLock);
    if (!ThreadExists()) {
        return static_cast<DWORD>(E_FAIL);
    }
    m_dwParam = dwParam;
    m_EventSend.Set();
    // The worker may end without replying (it returned from ThreadProc): do not wait forever.
    const HANDLE handles[2] = {m_EventComplete, m_hThread};
    if (WaitForMultipleObjects(2, handles, FALSE, INFINITE) != WAIT_OBJECT_0) {
        return static_cast<DWORD>(E_FAIL);
    }
    return m_dwReturnVal;
}

void CAMThread::Close()
{
    // Taken out atomically, so a second Close finds nothing to wait for.
    const CHandle thread(InterlockedExchangePointer(&m_hThread, nullptr));
    if (thread) {
        WaitForSingleObject(thread, INFINITE);
    }
}

DWORD CAMThread::GetRequest()
{
    m_EventSend.Wait();
    return m_dwParam;
}

BOOL CAMThread::CheckRequest(DWORD* pParam)
{
    if (!m_EventSend.Wait(0)) {
        return FALSE;
    }
    if (pParam) {
        *pParam = m_dwParam;
    }
    return TRUE;
}

void CAMThread::Reply(DWORD dw)
{
    m_dwReturnVal = dw;
    // The send event is manual reset so that CheckRequest can look without consuming; the
    // reply consumes it.
    m_EventSend.Reset();
    m_EventComplete.Set();
}
