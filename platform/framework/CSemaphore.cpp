// CSemaphore: creation over CreateSemaphoreW.
#include "platform/framework/CSemaphore.h"

#include "platform/framework/CResourceException.h"

IMPLEMENT_DYNAMIC(CSemaphore, CSyncObject)

CSemaphore::CSemaphore(LONG initialCount, LONG maxCount, LPCTSTR name,
                       LPSECURITY_ATTRIBUTES attributes)
    : CSyncObject(name)
{
    m_hObject = ::CreateSemaphoreW(attributes, initialCount, maxCount, name);
    if (!m_hObject) {
        AfxThrowResourceException();
    }
}
