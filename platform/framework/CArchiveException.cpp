// CArchiveException and its cause messages.
#include "platform/framework/CArchiveException.h"

IMPLEMENT_DYNAMIC(CArchiveException, CException)

CArchiveException::CArchiveException(int cause, LPCTSTR archiveName)
    : m_cause(cause), m_strFileName(archiveName)
{
}

BOOL CArchiveException::GetErrorMessage(LPTSTR error, UINT maxError, PUINT helpContext) const
{
    static const wchar_t* const texts[] = {
        L"No error occurred.",
        L"An unexpected error occurred while reading %s.",
        L"An attempt was made to write to the reading %s.",
        L"An attempt was made to access %s past its end.",
        L"An attempt was made to read from the writing %s.",
        L"%s has a bad format.",
        L"%s contained an unexpected object.",
        L"%s contains an incorrect schema.",
        L"The buffer of %s is full.",
    };
    const wchar_t* pattern = (m_cause >= 0 && m_cause <= bufferFull) ? texts[m_cause]
                                                                      : texts[genericException];
    CString name = m_strFileName.IsEmpty() ? CString(L"an unnamed file") : m_strFileName;
    CString text;
    text.Format(pattern, name.GetString());
    return CopyMessage(text, error, maxError, helpContext);
}

void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR archiveName)
{
    throw new CArchiveException(cause, archiveName);
}
