// CException: deletion rule and the empty default message.
#include "platform/framework/CException.h"

#include <cwchar>

IMPLEMENT_DYNAMIC(CException, CObject)

void CException::Delete() noexcept
{
    if (m_bAutoDelete > 0) {
        delete this;
    }
}

BOOL CException::GetErrorMessage(LPTSTR error, UINT maxError, PUINT helpContext) const
{
    if (helpContext) {
        *helpContext = 0;
    }
    if (error && maxError > 0) {
        *error = 0;
    }
    return FALSE;
}

BOOL CException::CopyMessage(LPCTSTR text, LPTSTR error, UINT maxError, PUINT helpContext)
{
    if (helpContext) {
        *helpContext = 0;
    }
    if (!error || maxError == 0) {
        return FALSE;
    }
    std::wcsncpy(error, text, maxError - 1);
    error[maxError - 1] = 0;
    return TRUE;
}
