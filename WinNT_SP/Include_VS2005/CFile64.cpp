// 64-bit file class (see CFile64.h).
#include "WinNT_SP/Include_VS2005/CFile64.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"

#include "WinNT_SP/Include_VS2005/FileSystem.h"
#include "WinNT_SP/Include_VS2005/MyException.h"

#include <winioctl.h>

namespace {

std::wstring FullPathOf(const wchar_t* name)
{
    wchar_t full[MAX_PATH];
    const DWORD n = GetFullPathNameW(name, MAX_PATH, full, nullptr);
    if (n == 0 || n >= MAX_PATH) {
        return name;
    }
    return full;
}

}  // namespace

CFile64::~CFile64()
{
    if (m_hFile != INVALID_HANDLE_VALUE && !m_bCloseOnDelete) {
        m_hFile = INVALID_HANDLE_VALUE;  // borrowed: the base must not close it
    }
}

BOOL CFile64::Open(LPCTSTR fileName, UINT openFlags, CFileException* error)
{
    TRACE_FUNCTION();
    Close();
    const std::wstring full = FullPathOf(fileName);
    const BOOL ok = CFile::Open(full.c_str(), openFlags, error);
    if (!ok && error) {
        error->m_strFileName = full.c_str();
    }
    return ok;
}

void CFile64::Close()
{
    TRACE_FUNCTION();
    if (m_hFile == INVALID_HANDLE_VALUE) {
        return;
    }
    const CString oldPath = m_strFileName;
    DWORD code = 0;
    // The file object is the owner type of its handle; a failed close is reported.
    if (m_bCloseOnDelete && !::CloseHandle(m_hFile)) {
        code = GetLastError();
        if (code == 0) {
            code = ERROR_INVALID_FUNCTION;
        }
    }
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
    if (code) {
        CFileException::ThrowOsError(static_cast<LONG>(code), oldPath);
    }
}

DWORD CFile64::CreateUnique(const wchar_t* folder, const wchar_t* name, const wchar_t* extension,
                            DWORD createFlags, BOOL exactName)
{
    TRACE_FUNCTION();
    Close();
    std::wstring base = folder ? folder : L"";
    if (!base.empty() && base.back() != L'\\') {
        base += L'\\';
    }
    base += name ? name : L"";
    DWORD share = 0;
    if (createFlags & CUF_SHARE_READ) {
        share |= FILE_SHARE_READ;
    }
    if (createFlags & CUF_SHARE_WRITE) {
        share |= FILE_SHARE_WRITE;
    }
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    if (createFlags & CUF_DELETE_ON_CLOSE) {
        attributes |= FILE_FLAG_DELETE_ON_CLOSE;
    }
    if (createFlags & CUF_NOT_INDEXED) {
        attributes |= FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    }
    if (createFlags & CUF_SEQUENTIAL) {
        attributes |= FILE_FLAG_SEQUENTIAL_SCAN;
    }
    const wchar_t* ext = extension ? extension : L"";
    for (int n = 1;; ++n) {
        const std::wstring candidate =
            exactName ? base + ext : base + std::to_wstring(n) + ext;
        const std::wstring path = FullPathOf(candidate.c_str());
        m_strFileName = path.c_str();
        HANDLE h = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr,
                               CREATE_NEW, attributes, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            if (createFlags & CUF_NO_COMPRESSION) {
                USHORT format = COMPRESSION_FORMAT_NONE;
                DWORD bytes = 0;
                DeviceIoControl(h, FSCTL_SET_COMPRESSION, &format, sizeof format, nullptr, 0,
                                &bytes, nullptr);
            }
            m_hFile = h;
            m_bCloseOnDelete = TRUE;
            return 0;
        }
        const DWORD code = GetLastError();
        if (code != ERROR_FILE_EXISTS || exactName || n >= 999) {
            m_strFileName.Empty();
            return code;
        }
    }
}

void CFile64::TakeOver(CFile64& other)
{
    Close();
    m_hFile = other.m_hFile;
    m_strFileName = other.m_strFileName;
    m_bCloseOnDelete = other.m_bCloseOnDelete;
    other.m_hFile = INVALID_HANDLE_VALUE;
    other.m_bCloseOnDelete = FALSE;
    other.m_strFileName.Empty();
}

void CFile64::AttachFrom(CFile& file)
{
    Close();
    m_hFile = file.m_hFile;
    m_strFileName = file.m_strFileName;
    m_bCloseOnDelete = FALSE;
}

void CFile64::Detach()
{
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

std::wstring CFile64::OpenForRead(const wchar_t* path)
{
    TRACE_FUNCTION();
    CFileException error;
    if (Open(path, modeRead | shareDenyWrite, &error)) {
        return std::wstring();
    }
    return GetExceptionText(&error);
}

std::wstring CFile64::OpenReadShared(const wchar_t* path)
{
    TRACE_FUNCTION();
    Close();
    const std::wstring full = GetFullFilePath(path);
    HANDLE h = CreateFileW(full.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_RANDOM_ACCESS, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const LONG code = static_cast<LONG>(GetLastError());
        CFileException error(CFileException::OsErrorToException(code), code, full.c_str());
        return GetExceptionText(&error);
    }
    m_hFile = h;
    m_bCloseOnDelete = TRUE;
    m_strFileName = full.c_str();
    return std::wstring();
}
