// CSimpleException: an exception whose message is one fixed text (a string resource id, or
// the built-in text when the resource is missing). Base of the memory, resource,
// not-supported, invalid-argument and user exceptions.
#pragma once

#include "platform/framework/CException.h"

class CSimpleException : public CException {
    DECLARE_DYNAMIC(CSimpleException)
public:
    CSimpleException() noexcept : CException(TRUE) {}
    explicit CSimpleException(BOOL autoDelete) noexcept : CException(autoDelete) {}

    BOOL GetErrorMessage(LPTSTR error, UINT maxError, PUINT helpContext = nullptr) const override;

protected:
    // Text used by GetErrorMessage; derived classes name their own.
    virtual LPCTSTR DefaultMessage() const noexcept { return L"An unknown error has occurred."; }
    UINT m_nResourceID = 0;
};
