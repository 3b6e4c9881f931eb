#include "toolkit/common/CUTKGraphicBitmapPng.h"

#include "toolkit/common/PngDecoder.h"

#include <algorithm>
#include <cstring>

namespace {

// Reads the stream through the framework file; its exceptions end the read (a short count
// makes libpng fail through its own error path).
class FileSource : public orvane::PngSource {
public:
    explicit FileSource(CFile* file) noexcept : m_file(file) {}
    size_t Read(void* buffer, size_t size) noexcept override
    {
        size_t done = 0;
        try {
            while (done < size) {
                const UINT chunk = static_cast<UINT>(std::min<size_t>(size - done, 1u << 30));
                const UINT got = m_file->Read(static_cast<BYTE*>(buffer) + done, chunk);
                if (got == 0) {
                    break;
                }
                done += got;
            }
        } catch (CException* e) {
            e->Delete();
        } catch (...) {
        }
        return done;
    }

private:
    CFile* m_file;
};

}  // namespace

void CUTKGraphicBitmapPng::Reset() noexcept
{
    m_bAlpha = FALSE;
    DeleteObject();
}

BOOL CUTKGraphicBitmapPng::LoadFromFile(LPCWSTR path)
{
    Reset();
    CFile file;
    if (path == nullptr || !file.Open(path, CFile::modeRead | CFile::shareDenyWrite |
                                                CFile::typeBinary)) {
        return FALSE;
    }
    return LoadFromStream(&file);
}

BOOL CUTKGraphicBitmapPng::LoadFromResource(HMODULE module, HRSRC resource)
{
    Reset();
    if (resource == nullptr) {
        return FALSE;
    }
    const DWORD size = ::SizeofResource(module, resource);
    HGLOBAL loaded = ::LoadResource(module, resource);
    const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (data == nullptr || size <= 9) {
        return FALSE;
    }
    // The memory file only reads the resource's bytes.
    CMemFile file(static_cast<BYTE*>(const_cast<void*>(data)), size);
    return LoadFromStream(&file);
}

BOOL CUTKGraphicBitmapPng::LoadFromStream(CFile* file)
{
    Reset();
    if (file == nullptr) {
        return FALSE;
    }
    FileSource source(file);
    orvane::PngImage image;
    if (!orvane::DecodePngToBgra(source, image)) {
        return FALSE;
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = static_cast<LONG>(image.width);
    info.bmiHeader.biHeight = -static_cast<LONG>(image.height);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr || bits == nullptr) {
        if (bitmap != nullptr) {
            ::DeleteObject(bitmap);
        }
        return FALSE;
    }
    std::memcpy(bits, image.bgra.data(), image.bgra.size());
    if (!Attach(bitmap)) {
        ::DeleteObject(bitmap);
        return FALSE;
    }
    m_bAlpha = image.hasAlpha ? TRUE : FALSE;
    return TRUE;
}
