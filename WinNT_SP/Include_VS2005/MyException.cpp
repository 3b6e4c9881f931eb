// Program exception and exception texts (see MyException.h).
#include "WinNT_SP/Include_VS2005/MyException.h"

#include <algorithm>
#include <cwchar>

IMPLEMENT_DYNAMIC(CMyException, CException)

BOOL CMyException::GetErrorMessage(LPTSTR error, UINT maxError, PUINT helpContext) const
{
    if (helpContext) {
        *helpContext = 0;
    }
    if (!error || maxError == 0) {
        return TRUE;
    }
    const size_t n = std::min<size_t>(m_text.size(), maxError - 1);
    std::wmemcpy(error, m_text.c_str(), n);
    error[n] = 0;
    return TRUE;
}

void ThrowMyException(const wchar_t* text)
{
    throw new CMyException(text);
}

std::wstring GetExceptionText(const CException* exception)
{
    wchar_t buffer[521] = {};
    if (exception && exception->GetErrorMessage(buffer, 520, nullptr) && buffer[0]) {
        return buffer;
    }
    return L"Unknown exception.";
}
