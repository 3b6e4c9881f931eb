// CResourceException: the framework's resource exception,
// and AfxThrowResourceException, which throws it.
#pragma once

#include "platform/framework/CSimpleException.h"

class CResourceException : public CSimpleException {
    DECLARE_DYNAMIC(CResourceException)
public:
    CResourceException() noexcept = default;
    explicit CResourceException(BOOL autoDelete) noexcept : CSimpleException(autoDelete) {}

protected:
    LPCTSTR DefaultMessage() const noexcept override
    {
        return L"A required resource was unavailable.";
    }
};

[[noreturn]] void AFXAPI AfxThrowResourceException();
