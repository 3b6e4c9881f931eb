// CSingleLock: tracks whether it holds its object.
#include "platform/framework/CSingleLock.h"

#include "platform/framework/CInvalidArgException.h"

CSingleLock::CSingleLock(CSyncObject* object, BOOL initialLock)
    : m_pObject(object), m_hObject(object ? object->m_hObject : nullptr), m_bAcquired(FALSE)
{
    if (!object) {
        AfxThrowInvalidArgException();
    }
    if (initialLock) {
        Lock();
    }
}

BOOL CSingleLock::Lock(DWORD timeout)
{
    if (!m_bAcquired) {
        m_bAcquired = m_pObject->Lock(timeout);
    }
    return m_bAcquired;
}

BOOL CSingleLock::Unlock()
{
    if (m_bAcquired) {
        m_bAcquired = !m_pObject->Unlock();
    }
    return !m_bAcquired;
}

BOOL CSingleLock::Unlock(LONG count, LPLONG previousCount)
{
    if (m_bAcquired) {
        m_bAcquired = !m_pObject->Unlock(count, previousCount);
    }
    return !m_bAcquired;
}
