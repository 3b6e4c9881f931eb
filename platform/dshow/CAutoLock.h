// Scope guard for CCritSec: locks in the constructor, unlocks in the destructor.
#pragma once

#include "platform/dshow/CCritSec.h"

class CAutoLock {
public:
    explicit CAutoLock(CCritSec* plock) : m_pLock(plock) { m_pLock->Lock(); }
    ~CAutoLock() { m_pLock->Unlock(); }
    CAutoLock(const CAutoLock&) = delete;
    CAutoLock& operator=(const CAutoLock&) = delete;

private:
    CCritSec* m_pLock;
};
