// CUserException: the framework's user (cancelled operation) exception,
// and AfxThrowUserException, which throws it.
#pragma once

#include "platform/framework/CSimpleException.h"

class CUserException : public CSimpleException {
    DECLARE_DYNAMIC(CUserException)
public:
    CUserException() noexcept = default;
    explicit CUserException(BOOL autoDelete) noexcept : CSimpleException(autoDelete) {}

protected:
    LPCTSTR DefaultMessage() const noexcept override
    {
        return L"The operation was cancelled.";
    }
};

[[noreturn]] void AFXAPI AfxThrowUserException();
