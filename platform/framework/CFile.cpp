// CFile over CreateFileW and the handle functions; every failure becomes a CFileException.
#include "platform/framework/CFile.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace {

CString FullPath(LPCTSTR name)
{
    wchar_t buffer[MAX_PATH];
    DWORD n = ::GetFullPathNameW(name, MAX_PATH, buffer, nullptr);
    return (n == 0 || n >= MAX_PATH) ? CString(name) : CString(buffer, static_cast<int>(n));
}

}  // namespace

CFile::CFile() noexcept : m_hFile(INVALID_HANDLE_VALUE), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(HANDLE file) noexcept : m_hFile(file), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(LPCTSTR fileName, UINT openFlags) : CFile()
{
    CFileException error;
    if (!Open(fileName, openFlags, &error)) {
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
    }
}

CFile::~CFile()
{
    if (m_hFile != INVALID_HANDLE_VALUE && m_bCloseOnDelete) {
        Abort();
    }
}

CString CFile::GetFilePath() const
{
    return m_strFileName;
}

BOOL CFile::Open(LPCTSTR fileName, UINT openFlags, CFileException* error)
{
    if (error) {
        error->m_cause = CFileException::none;
        error->m_lOsError = -1;
        error->m_strFileName = fileName;
    }
    if (!fileName || m_hFile != INVALID_HANDLE_VALUE) {
        if (error) {
            error->m_cause = CFileException::genericException;
            error->m_lOsError = ERROR_INVALID_PARAMETER;
        }
        return FALSE;
    }
    DWORD access = 0;
    switch (openFlags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    case modeReadWrite: access = GENERIC_READ | GENERIC_WRITE; break;
    default:
        if (error) {
            error->m_cause = CFileException::genericException;
            error->m_lOsError = ERROR_INVALID_PARAMETER;
        }
        return FALSE;
    }
    DWORD share = 0;
    switch (openFlags & 0x70) {
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: share = 0; break;
    }
    SECURITY_ATTRIBUTES security = {sizeof(security), nullptr,
                                    (openFlags & modeNoInherit) ? FALSE : TRUE};
    DWORD creation = OPEN_EXISTING;
    if (openFlags & modeCreate) {
        creation = (openFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    }
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    if (openFlags & osNoBuffer) {
        attributes |= FILE_FLAG_NO_BUFFERING;
    }
    if (openFlags & osWriteThrough) {
        attributes |= FILE_FLAG_WRITE_THROUGH;
    }
    if (openFlags & osRandomAccess) {
        attributes |= FILE_FLAG_RANDOM_ACCESS;
    }
    if (openFlags & osSequentialScan) {
        attributes |= FILE_FLAG_SEQUENTIAL_SCAN;
    }
    CString path = FullPath(fileName);
    HANDLE file = ::CreateFileW(path, access, share, &security, creation, attributes, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        if (error) {
            LONG code = static_cast<LONG>(::GetLastError());
            error->m_lOsError = code;
            error->m_cause = CFileException::OsErrorToException(code);
        }
        return FALSE;
    }
    m_hFile = file;
    m_bCloseOnDelete = TRUE;
    m_strFileName = path;
    return TRUE;
}

void CFile::Flush()
{
    if (m_hFile != INVALID_HANDLE_VALUE && !::FlushFileBuffers(m_hFile)) {
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
    }
}

void CFile::Close()
{
    if (m_hFile == INVALID_HANDLE_VALUE) {
        return;
    }
    LONG code = 0;
    // CFile is the owner type of its handle, and a failed close is reported as CFileException.
    if (!::CloseHandle(m_hFile)) {
        code = static_cast<LONG>(::GetLastError());
        if (code == 0) {
            code = ERROR_INVALID_FUNCTION;
        }
    }
    CString name = m_strFileName;
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
    if (code) {
        CFileException::ThrowOsError(code, name);
    }
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from)
{
    if (from > end) {
        AfxThrowFileException(CFileException::badSeek, ERROR_INVALID_PARAMETER, m_strFileName);
    }
    LARGE_INTEGER move;
    move.QuadPart = offset;
    LONG high = static_cast<LONG>(move.HighPart);
    DWORD low = ::SetFilePointer(m_hFile, static_cast<LONG>(move.LowPart), &high, from);
    if (low == INVALID_SET_FILE_POINTER) {
        DWORD code = ::GetLastError();
        if (code != NO_ERROR) {
            CFileException::ThrowOsError(static_cast<LONG>(code), m_strFileName);
        }
    }
    return (static_cast<ULONGLONG>(static_cast<DWORD>(high)) << 32) | low;
}

ULONGLONG CFile::SeekToEnd()
{
    return Seek(0, end);
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER zero = {};
    LARGE_INTEGER position;
    if (!::SetFilePointerEx(m_hFile, zero, &position, FILE_CURRENT)) {
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
    }
    return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(m_hFile, &size)) {
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
    }
    return static_cast<ULONGLONG>(size.QuadPart);
}

void CFile::SetLength(ULONGLONG newLength)
{
    Seek(static_cast<LONGLONG>(newLength), begin);
    if (!::SetEndOfFile(m_hFile)) {
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
    }
}

UINT CFile::Read(void* buffer, UINT count)
{
    if (count == 0) {
        return 0;
    }
    DWORD read = 0;
    if (!::ReadFile(m_hFile, buffer, count, &read, nullptr)) {
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
    }
    return read;
}

void CFile::Write(const void* buffer, UINT count)
{
    if (count == 0) {
        return;
    }
    DWORD written = 0;
    if (!::WriteFile(m_hFile, buffer, count, &written, nullptr)) {
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
    }
    if (written != count) {
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
    }
}

void CFile::SetFilePath(LPCTSTR newName)
{
    m_strFileName = newName;
}

CString CFile::GetFileName() const
{
    int slash = m_strFileName.FindOneOf(L"\\/:");
    if (slash < 0) {
        return m_strFileName;
    }
    int last = -1;
    for (int i = 0; i < m_strFileName.GetLength(); ++i) {
        wchar_t c = m_strFileName[i];
        if (c == L'\\' || c == L'/' || c == L':') {
            last = i;
        }
    }
    return m_strFileName.Mid(last + 1);
}

CString CFile::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind(L'.');
    return dot > 0 ? name.Left(dot) : name;
}

void CFile::Abort() noexcept
{
    if (m_hFile != INVALID_HANDLE_VALUE) {
        ::CloseHandle(m_hFile);  // the owner's own close, errors ignored as Abort promises
        m_hFile = INVALID_HANDLE_VALUE;
    }
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

void PASCAL CFile::Rename(LPCTSTR oldName, LPCTSTR newName)
{
    if (!::MoveFileW(oldName, newName)) {
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), oldName);
    }
}

void PASCAL CFile::Remove(LPCTSTR fileName)
{
    if (!::DeleteFileW(fileName)) {
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), fileName);
    }
}
