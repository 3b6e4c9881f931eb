// CMemFile: a file held in memory. It owns a buffer that grows in steps of the growth size,
// or works over a caller's buffer (Attach); with a growth size of 0 the buffer is fixed and
// its whole size is the file's content. Buffers are C run-time (malloc) blocks.
#pragma once

#include "platform/framework/CFile.h"

class CMemFile : public CFile {
    DECLARE_DYNAMIC(CMemFile)
public:
    explicit CMemFile(UINT growBytes = 1024) noexcept;
    CMemFile(BYTE* buffer, UINT bufferSize, UINT growBytes = 0) noexcept;
    ~CMemFile() override;

    // Works over buffer from now on (the file does not free it). growBytes 0: the content is
    // the whole buffer and the file cannot grow; otherwise the file starts empty.
    void Attach(BYTE* buffer, UINT bufferSize, UINT growBytes = 0) noexcept;
    // Hands the buffer to the caller and leaves the file empty.
    BYTE* Detach() noexcept;

    // CFile operations
    CString GetFilePath() const override { return CString(); }
    BOOL Open(LPCTSTR, UINT, CFileException* error = nullptr) override;
    void Flush() override {}
    void Close() override;
    ULONGLONG Seek(LONGLONG offset, UINT from) override;
    ULONGLONG SeekToEnd() override { return Seek(0, end); }
    ULONGLONG GetPosition() const override { return m_nPosition; }
    ULONGLONG GetLength() const override { return m_nFileSize; }
    void SetLength(ULONGLONG newLength) override;
    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    void Abort() noexcept override;

protected:
    // Overridables for the memory of derived files
    virtual BYTE* Alloc(SIZE_T bytes) noexcept;
    virtual BYTE* Realloc(BYTE* block, SIZE_T bytes) noexcept;
    virtual void Free(BYTE* block) noexcept;
    virtual void GrowFile(SIZE_T newLength);

    UINT m_nGrowBytes;
    SIZE_T m_nPosition;
    SIZE_T m_nBufferSize;
    SIZE_T m_nFileSize;
    BYTE* m_lpBuffer;
    BOOL m_bAutoDelete;  // the file frees its buffer
};
