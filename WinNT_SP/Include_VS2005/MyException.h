// The program's own exception, thrown by pointer in the framework's manner with one message
// text, and the text of any caught framework exception.
#pragma once

#include "platform/framework/Framework.h"

#include <string>

class CMyException : public CException {
    DECLARE_DYNAMIC(CMyException)
public:
    explicit CMyException(const wchar_t* text) : CException(TRUE), m_text(text ? text : L"") {}
    BOOL GetErrorMessage(LPTSTR error, UINT maxError, PUINT helpContext = nullptr) const override;

    std::wstring m_text;
};

// Throws a new CMyException; the catcher deletes it with Delete().
[[noreturn]] void ThrowMyException(const wchar_t* text);
// At most 520 characters of the exception's message, or "Unknown exception.".
std::wstring GetExceptionText(const CException* exception);
