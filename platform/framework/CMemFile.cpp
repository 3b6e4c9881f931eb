// CMemFile: reads and writes within a malloc'd buffer that grows on demand.
#include "platform/framework/CMemFile.h"

#include "platform/framework/CMemoryException.h"
#include "platform/framework/CNotSupportedException.h"

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT growBytes) noexcept
    : m_nGrowBytes(growBytes), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0),
      m_lpBuffer(nullptr), m_bAutoDelete(TRUE)
{
}

CMemFile::CMemFile(BYTE* buffer, UINT bufferSize, UINT growBytes) noexcept : CMemFile(0)
{
    Attach(buffer, bufferSize, growBytes);
}

CMemFile::~CMemFile()
{
    Abort();
}

void CMemFile::Attach(BYTE* buffer, UINT bufferSize, UINT growBytes) noexcept
{
    Abort();
    m_nGrowBytes = growBytes;
    m_nPosition = 0;
    m_nBufferSize = buffer ? bufferSize : 0;
    m_nFileSize = growBytes == 0 ? m_nBufferSize : 0;
    m_lpBuffer = buffer;
    m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach() noexcept
{
    BYTE* buffer = m_lpBuffer;
    m_lpBuffer = nullptr;
    m_nFileSize = 0;
    m_nBufferSize = 0;
    m_nPosition = 0;
    return buffer;
}

BOOL CMemFile::Open(LPCTSTR, UINT, CFileException* error)
{
    if (error) {
        error->m_cause = CFileException::genericException;
        error->m_lOsError = ERROR_NOT_SUPPORTED;
    }
    return FALSE;
}

void CMemFile::Close()
{
    Abort();
}

void CMemFile::Abort() noexcept
{
    if (m_lpBuffer && m_bAutoDelete) {
        Free(m_lpBuffer);
    }
    m_lpBuffer = nullptr;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
}

ULONGLONG CMemFile::Seek(LONGLONG offset, UINT from)
{
    LONGLONG base = 0;
    switch (from) {
    case begin: base = 0; break;
    case current: base = static_cast<LONGLONG>(m_nPosition); break;
    case end: base = static_cast<LONGLONG>(m_nFileSize); break;
    default: AfxThrowFileException(CFileException::badSeek);
    }
    LONGLONG position = base + offset;
    if (position < 0 || position > 0x7FFFFFFF) {
        AfxThrowFileException(CFileException::badSeek);
    }
    m_nPosition = static_cast<SIZE_T>(position);
    return m_nPosition;
}

void CMemFile::SetLength(ULONGLONG newLength)
{
    if (newLength > 0x7FFFFFFF) {
        AfxThrowMemoryException();
    }
    SIZE_T length = static_cast<SIZE_T>(newLength);
    if (length > m_nBufferSize) {
        GrowFile(length);
    }
    if (length > m_nFileSize) {
        std::memset(m_lpBuffer + m_nFileSize, 0, length - m_nFileSize);
    }
    if (m_nPosition > length) {
        m_nPosition = length;
    }
    m_nFileSize = length;
}

UINT CMemFile::Read(void* buffer, UINT count)
{
    if (count == 0 || m_nPosition >= m_nFileSize) {
        return 0;
    }
    SIZE_T available = m_nFileSize - m_nPosition;
    UINT n = count < available ? count : static_cast<UINT>(available);
    std::memcpy(buffer, m_lpBuffer + m_nPosition, n);
    m_nPosition += n;
    return n;
}

void CMemFile::Write(const void* buffer, UINT count)
{
    if (count == 0) {
        return;
    }
    if (count > 0x7FFFFFFF - m_nPosition) {
        AfxThrowMemoryException();
    }
    SIZE_T endPosition = m_nPosition + count;
    if (endPosition > m_nBufferSize) {
        GrowFile(endPosition);
    }
    // A write after a seek past the end leaves a gap of zeros, not stale memory.
    if (m_nPosition > m_nFileSize) {
        std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    }
    std::memcpy(m_lpBuffer + m_nPosition, buffer, count);
    m_nPosition = endPosition;
    if (m_nPosition > m_nFileSize) {
        m_nFileSize = m_nPosition;
    }
}

void CMemFile::GrowFile(SIZE_T newLength)
{
    if (newLength <= m_nBufferSize) {
        return;
    }
    // A fixed buffer (growth 0) cannot grow.
    if (m_nGrowBytes == 0) {
        AfxThrowMemoryException();
    }
    SIZE_T newSize = m_nBufferSize;
    while (newSize < newLength) {
        if (newSize > 0x7FFFFFFF - m_nGrowBytes) {
            AfxThrowMemoryException();
        }
        newSize += m_nGrowBytes;
    }
    BYTE* buffer = m_lpBuffer ? Realloc(m_lpBuffer, newSize) : Alloc(newSize);
    if (!buffer) {
        AfxThrowMemoryException();
    }
    m_lpBuffer = buffer;
    m_nBufferSize = newSize;
}

BYTE* CMemFile::Alloc(SIZE_T bytes) noexcept
{
    return static_cast<BYTE*>(std::malloc(bytes));
}

BYTE* CMemFile::Realloc(BYTE* block, SIZE_T bytes) noexcept
{
    return static_cast<BYTE*>(std::realloc(block, bytes));
}

void CMemFile::Free(BYTE* block) noexcept
{
    std::free(block);
}
