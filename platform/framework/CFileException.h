// CFileException: a file operation failed; carries the framework's cause, the system error
// code and the file's path. OsErrorToException maps system codes to causes.
#pragma once

#include "platform/framework/CException.h"
#include "platform/framework/CStringT.h"

class CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };

    explicit CFileException(int cause = none, LONG osError = -1,
                            LPCTSTR fileName = nullptr);

    BOOL GetErrorMessage(LPTSTR error, UINT maxError, PUINT helpContext = nullptr) const override;

    static int PASCAL OsErrorToException(LONG osError) noexcept;
    [[noreturn]] static void PASCAL ThrowOsError(LONG osError, LPCTSTR fileName = nullptr);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

[[noreturn]] void AFXAPI AfxThrowFileException(int cause, LONG osError = -1,
                                               LPCTSTR fileName = nullptr);
