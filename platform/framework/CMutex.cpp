// CMutex: creation over CreateMutexW.
#include "platform/framework/CMutex.h"

#include "platform/framework/CResourceException.h"

IMPLEMENT_DYNAMIC(CMutex, CSyncObject)

CMutex::CMutex(BOOL initiallyOwn, LPCTSTR name, LPSECURITY_ATTRIBUTES attributes)
    : CSyncObject(name)
{
    m_hObject = ::CreateMutexW(attributes, initiallyOwn, name);
    if (!m_hObject) {
        AfxThrowResourceException();
    }
}
