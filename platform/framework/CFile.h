// CFile: the framework's file over a Win32 handle, with 64-bit positions. Failures of the
// operations throw CFileException (cause, system code, path); Open reports them instead.
// The virtual operations are declared in the order derived file classes rely on.
#pragma once

#include "platform/framework/CFileException.h"
#include "platform/framework/CObject.h"
#include "platform/framework/CStringT.h"

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
        osNoBuffer = 0x10000,
        osWriteThrough = 0x20000,
        osRandomAccess = 0x40000,
        osSequentialScan = 0x80000,
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

    static const HANDLE hFileNull;

    CFile() noexcept;
    explicit CFile(HANDLE file) noexcept;
    // Opens the file; throws CFileException on failure.
    CFile(LPCTSTR fileName, UINT openFlags);
    ~CFile() override;

    // Overridables, in slot order
    virtual CString GetFilePath() const;
    // Opens (the handle must be closed); FALSE with *error filled in on failure.
    virtual BOOL Open(LPCTSTR fileName, UINT openFlags, CFileException* error = nullptr);
    virtual void Flush();
    virtual void Close();
    virtual ULONGLONG Seek(LONGLONG offset, UINT from);
    virtual ULONGLONG SeekToEnd();
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG newLength);
    virtual UINT Read(void* buffer, UINT count);
    // Writes all bytes or throws (a short write is a full disk).
    virtual void Write(const void* buffer, UINT count);
    virtual void SetFilePath(LPCTSTR newName);
    virtual CString GetFileName() const;
    virtual CString GetFileTitle() const;
    // Closes without throwing.
    virtual void Abort() noexcept;

    // Operations
    void SeekToBegin() { Seek(0, begin); }
    operator HANDLE() const noexcept { return m_hFile; }

    static void PASCAL Rename(LPCTSTR oldName, LPCTSTR newName);
    static void PASCAL Remove(LPCTSTR fileName);

    HANDLE m_hFile;
    BOOL m_bCloseOnDelete;
    CString m_strFileName;
};
