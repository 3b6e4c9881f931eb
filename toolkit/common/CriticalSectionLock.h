// CriticalSectionLock: enters a critical section for the object's lifetime.
#pragma once

#include <windows.h>

class CriticalSectionLock {
public:
    explicit CriticalSectionLock(CRITICAL_SECTION* criticalSection) noexcept
        : m_criticalSection(criticalSection)
    {
        ::EnterCriticalSection(m_criticalSection);
    }
    ~CriticalSectionLock() { ::LeaveCriticalSection(m_criticalSection); }
    CriticalSectionLock(const CriticalSectionLock&) = delete;
    CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

private:
    CRITICAL_SECTION* m_criticalSection;
};
