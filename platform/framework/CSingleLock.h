// CSingleLock: scoped acquisition of one synchronisation object; releases it on destruction
// when it holds it.
#pragma once

#include "platform/framework/CSyncObject.h"

class CSingleLock {
public:
    explicit CSingleLock(CSyncObject* object, BOOL initialLock = FALSE);
    ~CSingleLock() { Unlock(); }
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    BOOL Lock(DWORD timeout = INFINITE);
    BOOL Unlock();
    BOOL Unlock(LONG count, LPLONG previousCount = nullptr);
    BOOL IsLocked() const noexcept { return m_bAcquired; }

protected:
    CSyncObject* m_pObject;
    HANDLE m_hObject;
    BOOL m_bAcquired;
};
