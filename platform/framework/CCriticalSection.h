// CCriticalSection: the framework's wrapper of a Win32 critical section.
#pragma once

#include "platform/framework/CSyncObject.h"

class CCriticalSection : public CSyncObject {
    DECLARE_DYNAMIC(CCriticalSection)
public:
    CCriticalSection() noexcept { ::InitializeCriticalSection(&m_sect); }
    ~CCriticalSection() override { ::DeleteCriticalSection(&m_sect); }

    operator CRITICAL_SECTION*() noexcept { return &m_sect; }
    BOOL Lock() { ::EnterCriticalSection(&m_sect); return TRUE; }
    // A critical section has no time-out: any timeout waits until it is entered.
    BOOL Lock(DWORD) override { return Lock(); }
    BOOL Unlock() override { ::LeaveCriticalSection(&m_sect); return TRUE; }
    using CSyncObject::Unlock;

    CRITICAL_SECTION m_sect;
};
