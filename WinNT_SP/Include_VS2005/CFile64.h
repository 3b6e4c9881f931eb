// The player's file class: the framework's file over a Win32 handle with 64-bit positions,
// open operations that report failures as text, creation under a unique numbered name, and
// hand-over of an open handle between objects.
#pragma once

#include "platform/framework/Framework.h"

#include <string>

// Creation flags of CFile64::CreateUnique.
constexpr DWORD CUF_DELETE_ON_CLOSE = 1;
constexpr DWORD CUF_NOT_INDEXED = 2;
constexpr DWORD CUF_NO_COMPRESSION = 4;
constexpr DWORD CUF_SEQUENTIAL = 8;
constexpr DWORD CUF_SHARE_READ = 0x10;
constexpr DWORD CUF_SHARE_WRITE = 0x20;

class CFile64 : public CFile {
public:
    CFile64() noexcept = default;
    ~CFile64() override;

    // Overridables
    BOOL Open(LPCTSTR fileName, UINT openFlags, CFileException* error = nullptr) override;
    void Close() override;

    virtual BOOL IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }
    // name1 ... name999 (or exactly name with exactName); returns the system error, 0 on success.
    virtual DWORD CreateUnique(const wchar_t* folder, const wchar_t* name,
                               const wchar_t* extension, DWORD createFlags, BOOL exactName);
    // Takes other's handle, path and ownership; other is left closed.
    virtual void TakeOver(CFile64& other);
    // Uses file's handle and path without owning the handle.
    virtual void AttachFrom(CFile& file);
    // Forgets the handle and path without closing.
    virtual void Detach();

    std::wstring OpenForRead(const wchar_t* path);
    std::wstring OpenReadShared(const wchar_t* path);

    DWORD m_reserved = 0;
};
