// A PNG in memory as a bitmap, through the toolkit's PNG bitmap.
#include "WinNT_SP/Include_VS2005/ui/ResourceBitmap.h"

#include "toolkit/common/CUTKGraphicBitmapPng.h"
#include "toolkit/common/ImageRecordFormats.h"

HBITMAP DecodePngBitmap(const void* data, size_t size)
{
    if (!orvane::HasPngSignature(static_cast<const uint8_t*>(data), size) ||
        size > 0x7FFFFFFF) {
        return nullptr;
    }
    // The memory file only reads the bytes.
    CMemFile file(static_cast<BYTE*>(const_cast<void*>(data)), static_cast<UINT>(size));
    CUTKGraphicBitmapPng png;
    if (!png.LoadFromStream(&file)) {
        return nullptr;
    }
    return static_cast<HBITMAP>(png.Detach());
}
