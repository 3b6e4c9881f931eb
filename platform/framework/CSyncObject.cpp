// CSyncObject: waiting on the handle and closing it.
#include "platform/framework/CSyncObject.h"

IMPLEMENT_DYNAMIC(CSyncObject, CObject)

CSyncObject::~CSyncObject()
{
    if (m_hObject) {
        // The synchronisation objects are the owner type of their handle (public m_hObject).
        ::CloseHandle(m_hObject);
    }
}

BOOL CSyncObject::Lock(DWORD timeout)
{
    DWORD result = ::WaitForSingleObject(m_hObject, timeout);
    return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}
