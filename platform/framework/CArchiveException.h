// CArchiveException: an archive could not read or write (end of data, bad class reference,
// wrong direction, ...).
#pragma once

#include "platform/framework/CException.h"
#include "platform/framework/CStringT.h"

class CArchiveException : public CException {
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum {
        none,
        genericException,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema,
        bufferFull,
    };

    explicit CArchiveException(int cause = none, LPCTSTR archiveName = nullptr);

    BOOL GetErrorMessage(LPTSTR error, UINT maxError, PUINT helpContext = nullptr) const override;

    int m_cause;
    CString m_strFileName;
};

[[noreturn]] void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR archiveName = nullptr);
