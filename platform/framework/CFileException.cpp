// CFileException: the cause mapping from system error codes, and the cause messages.
#include "platform/framework/CFileException.h"

IMPLEMENT_DYNAMIC(CFileException, CException)

CFileException::CFileException(int cause, LONG osError, LPCTSTR fileName)
    : m_cause(cause), m_lOsError(osError), m_strFileName(fileName)
{
}

int PASCAL CFileException::OsErrorToException(LONG osError) noexcept
{
    struct Row {
        LONG code;
        int cause;
    };
    static const Row table[] = {
        {NO_ERROR, none},
        {ERROR_FILE_NOT_FOUND, fileNotFound},
        {ERROR_PATH_NOT_FOUND, badPath},
        {ERROR_TOO_MANY_OPEN_FILES, tooManyOpenFiles},
        {ERROR_ACCESS_DENIED, accessDenied},
        {ERROR_INVALID_HANDLE, fileNotFound},
        {ERROR_BAD_FORMAT, invalidFile},
        {ERROR_INVALID_ACCESS, accessDenied},
        {ERROR_INVALID_DRIVE, badPath},
        {ERROR_CURRENT_DIRECTORY, removeCurrentDir},
        {ERROR_NOT_SAME_DEVICE, badPath},
        {ERROR_NO_MORE_FILES, fileNotFound},
        {ERROR_WRITE_PROTECT, accessDenied},
        {ERROR_BAD_UNIT, hardIO},
        {ERROR_NOT_READY, hardIO},
        {ERROR_BAD_COMMAND, hardIO},
        {ERROR_CRC, hardIO},
        {ERROR_BAD_LENGTH, badSeek},
        {ERROR_SEEK, badSeek},
        {ERROR_NOT_DOS_DISK, invalidFile},
        {ERROR_SECTOR_NOT_FOUND, badSeek},
        {ERROR_WRITE_FAULT, accessDenied},
        {ERROR_READ_FAULT, badSeek},
        {ERROR_SHARING_VIOLATION, sharingViolation},
        {ERROR_LOCK_VIOLATION, lockViolation},
        {ERROR_WRONG_DISK, badPath},
        {ERROR_SHARING_BUFFER_EXCEEDED, tooManyOpenFiles},
        {ERROR_HANDLE_EOF, endOfFile},
        {ERROR_HANDLE_DISK_FULL, diskFull},
        {ERROR_DUP_NAME, badPath},
        {ERROR_BAD_NETPATH, badPath},
        {ERROR_NETWORK_BUSY, accessDenied},
        {ERROR_DEV_NOT_EXIST, badPath},
        {ERROR_ADAP_HDW_ERR, hardIO},
        {ERROR_BAD_NET_RESP, accessDenied},
        {ERROR_UNEXP_NET_ERR, hardIO},
        {ERROR_BAD_REM_ADAP, invalidFile},
        {ERROR_NO_SPOOL_SPACE, directoryFull},
        {ERROR_NETNAME_DELETED, accessDenied},
        {ERROR_NETWORK_ACCESS_DENIED, accessDenied},
        {ERROR_BAD_DEV_TYPE, invalidFile},
        {ERROR_BAD_NET_NAME, badPath},
        {ERROR_TOO_MANY_NAMES, tooManyOpenFiles},
        {ERROR_TOO_MANY_SESS, tooManyOpenFiles},
        {ERROR_SHARING_PAUSED, tooManyOpenFiles},
        {ERROR_REQ_NOT_ACCEP, accessDenied},
        {ERROR_FILE_EXISTS, accessDenied},
        {ERROR_CANNOT_MAKE, accessDenied},
        {ERROR_INVALID_PASSWORD, accessDenied},
        {ERROR_INVALID_PARAMETER, invalidFile},
        {ERROR_NET_WRITE_FAULT, hardIO},
        {ERROR_DRIVE_LOCKED, lockViolation},
        {ERROR_OPEN_FAILED, fileNotFound},
        {ERROR_BUFFER_OVERFLOW, badPath},
        {ERROR_DISK_FULL, diskFull},
        {ERROR_INVALID_NAME, badPath},
        {ERROR_INVALID_LEVEL, badPath},
        {ERROR_NO_VOLUME_LABEL, badPath},
        {ERROR_NEGATIVE_SEEK, badSeek},
        {ERROR_SEEK_ON_DEVICE, badSeek},
        {ERROR_DIR_NOT_ROOT, badPath},
        {ERROR_DIR_NOT_EMPTY, removeCurrentDir},
        {ERROR_ALREADY_EXISTS, accessDenied},
        {ERROR_FILENAME_EXCED_RANGE, badPath},
        {ERROR_BAD_PATHNAME, badPath},
        {ERROR_LOCK_FAILED, lockViolation},
    };
    for (const Row& row : table) {
        if (row.code == osError) {
            return row.cause;
        }
    }
    return genericException;
}

void PASCAL CFileException::ThrowOsError(LONG osError, LPCTSTR fileName)
{
    if (osError != 0) {
        AfxThrowFileException(OsErrorToException(osError), osError, fileName);
    }
    // A failure without a system code still fails: never let it pass as success.
    AfxThrowFileException(genericException, osError, fileName);
}

BOOL CFileException::GetErrorMessage(LPTSTR error, UINT maxError, PUINT helpContext) const
{
    static const wchar_t* const texts[] = {
        L"No error occurred.",
        L"An unexpected error occurred while accessing %s.",
        L"%s was not found.",
        L"%s contains an invalid path.",
        L"%s could not be opened because there are too many open files.",
        L"Access to %s was denied.",
        L"An invalid file handle was associated with %s.",
        L"%s could not be removed because it is the current directory.",
        L"%s could not be created because the directory is full.",
        L"Seek failed on %s",
        L"A hardware I/O error was reported while accessing %s.",
        L"A sharing violation occurred while accessing %s.",
        L"A locking violation occurred while locking %s.",
        L"Disk full while accessing %s.",
        L"An attempt was made to access %s past its end.",
    };
    const wchar_t* pattern = (m_cause >= 0 && m_cause <= endOfFile) ? texts[m_cause]
                                                                     : texts[genericException];
    CString name = m_strFileName.IsEmpty() ? CString(L"an unnamed file") : m_strFileName;
    CString text;
    text.Format(pattern, name.GetString());
    return CopyMessage(text, error, maxError, helpContext);
}

void AFXAPI AfxThrowFileException(int cause, LONG osError, LPCTSTR fileName)
{
    throw new CFileException(cause, osError, fileName);
}
