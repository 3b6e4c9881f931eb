// Re-entrant lock used for filter state, streaming and pin data: a CRITICAL_SECTION that
// cannot be copied. Owned by the object it guards; see streams.h for the lock order.
#pragma once

#include <windows.h>

class CCritSec {
public:
    CCritSec() { InitializeCriticalSection(&m_cs); }
    ~CCritSec() { DeleteCriticalSection(&m_cs); }
    CCritSec(const CCritSec&) = delete;
    CCritSec& operator=(const CCritSec&) = delete;

    void Lock() { EnterCriticalSection(&m_cs); }
    void Unlock() { LeaveCriticalSection(&m_cs); }

    // True when the calling thread holds the lock (for assertions in derived filters).
    bool IsOwnedByCurrentThread() const
    {
        return reinterpret_cast<DWORD_PTR>(m_cs.OwningThread) ==
               static_cast<DWORD_PTR>(GetCurrentThreadId());
    }

private:
    CRITICAL_SECTION m_cs;
};
