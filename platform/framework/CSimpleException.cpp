// CSimpleException: the message from the resource id when present, else the built-in text.
#include "platform/framework/CSimpleException.h"

#include "platform/framework/CStringT.h"

IMPLEMENT_DYNAMIC(CSimpleException, CException)

BOOL CSimpleException::GetErrorMessage(LPTSTR error, UINT maxError, PUINT helpContext) const
{
    CString text;
    if (m_nResourceID == 0 || !text.LoadString(m_nResourceID)) {
        text = DefaultMessage();
    }
    return CopyMessage(text, error, maxError, helpContext);
}
