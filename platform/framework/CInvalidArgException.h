// CInvalidArgException: the framework's invalid-argument exception,
// and AfxThrowInvalidArgException, which throws it.
#pragma once

#include "platform/framework/CSimpleException.h"

class CInvalidArgException : public CSimpleException {
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    CInvalidArgException() noexcept = default;
    explicit CInvalidArgException(BOOL autoDelete) noexcept : CSimpleException(autoDelete) {}

protected:
    LPCTSTR DefaultMessage() const noexcept override
    {
        return L"Encountered an improper argument.";
    }
};

[[noreturn]] void AFXAPI AfxThrowInvalidArgException();
