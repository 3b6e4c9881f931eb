// CNotSupportedException: the framework's not-supported exception,
// and AfxThrowNotSupportedException, which throws it.
#pragma once

#include "platform/framework/CSimpleException.h"

class CNotSupportedException : public CSimpleException {
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    CNotSupportedException() noexcept = default;
    explicit CNotSupportedException(BOOL autoDelete) noexcept : CSimpleException(autoDelete) {}

protected:
    LPCTSTR DefaultMessage() const noexcept override
    {
        return L"Unsupported operation was attempted.";
    }
};

[[noreturn]] void AFXAPI AfxThrowNotSupportedException();
