// CException: base of the framework's exceptions. They are thrown by pointer
// (`throw new CFileException(...)`) and the catcher frees them with Delete().
#pragma once

#include "platform/framework/CObject.h"

class CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL autoDelete = TRUE) noexcept : m_bAutoDelete(autoDelete) {}

    // Frees a heap exception; exceptions made with autoDelete FALSE (static ones) stay.
    void Delete() noexcept;

    // Copies the message (terminated, truncated to maxError) into error; FALSE when there is
    // none. *helpContext, when given, is set to 0.
    virtual BOOL GetErrorMessage(LPTSTR error, UINT maxError, PUINT helpContext = nullptr) const;

    BOOL m_bAutoDelete;

protected:
    static BOOL CopyMessage(LPCTSTR text, LPTSTR error, UINT maxError, PUINT helpContext);
};
