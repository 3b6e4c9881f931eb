#include "toolkit/common/CUTKZipMemFile.h"

#include "toolkit/common/UTKZipBlock.h"

#include <cstdlib>
#include <cstring>

CUTKZipMemFile::CUTKZipMemFile() noexcept : CMemFile(1024)
{
}

CUTKZipMemFile::CUTKZipMemFile(BYTE* data, UINT size) : CMemFile(1024)
{
    m_bAttached = AttachCompressedBuffer(data, size, FALSE);
}

CUTKZipMemFile::~CUTKZipMemFile() = default;

BOOL CUTKZipMemFile::AttachCompressedBuffer(BYTE* data, UINT size, BOOL freeSource)
{
    if (!UTKZipBlock::IsPacked(data, size)) {
        Attach(data, data ? size : 0, 0);
        m_bAutoDelete = freeSource;
        return TRUE;
    }
    uint8_t* unpacked = nullptr;
    uint32_t length = 0;
    const UTKZipBlock::Result result = UTKZipBlock::Unpack(data, size, &unpacked, &length);
    if (freeSource) {
        std::free(data);
    }
    if (result != UTKZipBlock::Result::Unpacked) {
        return FALSE;
    }
    Attach(unpacked, length, 0);
    m_bAutoDelete = TRUE;
    return TRUE;
}

BOOL CUTKZipMemFile::OpenCompressedFile(LPCWSTR path)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) {
        return FALSE;
    }
    const ULONGLONG length = file.GetLength();
    if (length > UTKZipBlock::kMaxUnpacked) {
        return FALSE;
    }
    const UINT size = static_cast<UINT>(length);
    BYTE* buffer = static_cast<BYTE*>(std::malloc(size ? size : 1));
    if (buffer == nullptr) {
        return FALSE;
    }
    UINT read = 0;
    try {
        read = file.Read(buffer, size);
        file.Close();
    } catch (CException* e) {
        e->Delete();
        std::free(buffer);
        return FALSE;
    }
    if (read != size) {
        std::free(buffer);
        return FALSE;
    }
    return AttachCompressedBuffer(buffer, size, TRUE);
}

void CUTKZipMemFile::DetachCompressedBuffer(BYTE*& data, DWORD& size)
{
    const DWORD length = static_cast<DWORD>(GetPosition());
    const BOOL owned = m_bAutoDelete;
    BYTE* raw = Detach();
    m_bAutoDelete = TRUE;
    if (raw != nullptr && !owned) {
        // The caller's own buffer stays the caller's: hand out a copy.
        BYTE* copy = static_cast<BYTE*>(std::malloc(length ? length : 1));
        if (copy != nullptr) {
            std::memcpy(copy, raw, length);
        }
        raw = copy;
    }
    data = raw;
    size = raw ? length : 0;
    uint8_t* block = nullptr;
    size_t blockSize = 0;
    if (raw == nullptr || !UTKZipBlock::Pack(raw, length, &block, &blockSize)) {
        return;
    }
    std::free(raw);
    data = block;
    size = static_cast<DWORD>(blockSize);
}
