// COleException: a COM status code raised as a framework exception (also how string
// allocation failures surface, as E_FAIL).
#pragma once

#include "platform/framework/CException.h"

class COleException : public CException {
    DECLARE_DYNAMIC(COleException)
public:
    explicit COleException(SCODE sc = S_OK) noexcept : m_sc(sc) {}

    BOOL GetErrorMessage(LPTSTR error, UINT maxError, PUINT helpContext = nullptr) const override;

    // The status an exception stands for: its code for an OLE exception, E_OUTOFMEMORY for
    // a memory exception, E_UNEXPECTED otherwise.
    static SCODE Process(const CException* e) noexcept;

    SCODE m_sc;
};

[[noreturn]] void AFXAPI AfxThrowOleException(SCODE sc);
