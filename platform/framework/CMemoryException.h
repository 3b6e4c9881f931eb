// CMemoryException: the framework's memory exception,
// and AfxThrowMemoryException, which throws it.
#pragma once

#include "platform/framework/CSimpleException.h"

class CMemoryException : public CSimpleException {
    DECLARE_DYNAMIC(CMemoryException)
public:
    CMemoryException() noexcept = default;
    explicit CMemoryException(BOOL autoDelete) noexcept : CSimpleException(autoDelete) {}

protected:
    LPCTSTR DefaultMessage() const noexcept override
    {
        return L"Out of memory.";
    }
};

[[noreturn]] void AFXAPI AfxThrowMemoryException();
