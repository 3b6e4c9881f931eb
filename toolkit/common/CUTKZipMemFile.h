// A memory file that takes in and hands out its content as a "ZIP!" block (the magic, the
// unpacked length, a zlib stream); data that does not shrink is handed out as it is.
#pragma once

#include "platform/framework/Framework.h"

class CUTKZipMemFile : public CMemFile {
public:
    // An empty file that grows in steps of 1024 bytes.
    CUTKZipMemFile() noexcept;
    // An empty file, then AttachCompressedBuffer (data, size, FALSE): the caller keeps data.
    // A damaged block leaves the file empty (IsAttached tells).
    CUTKZipMemFile(BYTE* data, UINT size);
    ~CUTKZipMemFile() override;

    // Holds the content of the block from now on: a packed block is unpacked into a buffer
    // of the file's own, any other block is the data itself (given to the file when
    // freeSource, a malloc block). FALSE for a packed block that cannot be unpacked (its
    // length out of bounds or unequal to what it unpacks to, a corrupt stream, no memory):
    // the file then keeps what it held. With freeSource the block is freed either way.
    [[nodiscard]] BOOL AttachCompressedBuffer(BYTE* data, UINT size, BOOL freeSource = FALSE);
    // Reads a whole disk file and attaches it; FALSE when it cannot be opened or read in
    // full, or its block is damaged (the file then keeps what it held).
    [[nodiscard]] BOOL OpenCompressedFile(LPCWSTR path);
    // The content up to the current position as a block (packed from 20 bytes on when that
    // makes it smaller); the caller frees data (free). The file is left empty.
    void DetachCompressedBuffer(BYTE*& data, DWORD& size);

    BOOL IsAttached() const noexcept { return m_bAttached; }

private:
    BOOL m_bAttached = FALSE;
};
