// CEvent: creation over CreateEventW.
#include "platform/framework/CEvent.h"

#include "platform/framework/CResourceException.h"

IMPLEMENT_DYNAMIC(CEvent, CSyncObject)

CEvent::CEvent(BOOL initiallyOwn, BOOL manualReset, LPCTSTR name, LPSECURITY_ATTRIBUTES attributes)
    : CSyncObject(name)
{
    m_hObject = ::CreateEventW(attributes, manualReset, initiallyOwn, name);
    if (!m_hObject) {
        AfxThrowResourceException();
    }
}
