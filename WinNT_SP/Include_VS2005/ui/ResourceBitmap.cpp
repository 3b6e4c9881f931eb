// Bitmap resources as the command-icon cache loads them.
#include "WinNT_SP/Include_VS2005/ui/ResourceBitmap.h"

#include "platform/framework/window/FrameworkWindows.h"

#include <png.h>

#include <cstring>

HBITMAP DecodePngBitmap(const void* data, size_t size)
{
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (!data || size < sizeof(kSignature) || std::memcmp(data, kSignature, 8) != 0) {
        return nullptr;
    }
    // The simplified reader keeps libpng's error handling (its jump buffer) inside the library.
    png_image image;
    std::memset(&image, 0, sizeof(image));
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data, size)) {
        return nullptr;
    }
    image.format = PNG_FORMAT_BGRA;
    if (image.width == 0 || image.height == 0 || image.width > 16384 || image.height > 16384) {
        png_image_free(&image);
        return nullptr;
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = static_cast<LONG>(image.width);
    info.bmiHeader.biHeight = -static_cast<LONG>(image.height);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) {
        png_image_free(&image);
        return nullptr;
    }
    if (!png_image_finish_read(&image, nullptr, bits, 0, nullptr)) {
        ::DeleteObject(bitmap);
        return nullptr;
    }
    return bitmap;
}

HBITMAP LoadResourceBitmap(UINT resourceId, BOOL* hasAlpha)
{
    if (hasAlpha) {
        *hasAlpha = FALSE;
    }
    HINSTANCE module = AfxGetResourceHandle();
    if (HRSRC png = ::FindResourceW(module, MAKEINTRESOURCEW(resourceId), L"PNG")) {
        HGLOBAL data = ::LoadResource(module, png);
        const void* bytes = data ? ::LockResource(data) : nullptr;
        HBITMAP bitmap = DecodePngBitmap(bytes, ::SizeofResource(module, png));
        if (bitmap && hasAlpha) {
            *hasAlpha = TRUE;
        }
        return bitmap;
    }
    HRSRC info = ::FindResourceW(module, MAKEINTRESOURCEW(resourceId), RT_BITMAP);
    if (!info) {
        return nullptr;
    }
    // The header tells whether the pixels carry alpha; it is read within the resource's size.
    bool alpha = false;
    if (HGLOBAL data = ::LoadResource(module, info)) {
        const auto* header = static_cast<const BITMAPINFOHEADER*>(::LockResource(data));
        if (header && ::SizeofResource(module, info) >= sizeof(BITMAPINFOHEADER)) {
            alpha = header->biBitCount == 32;
        }
    }
    const UINT flags = alpha ? LR_CREATEDIBSECTION : LR_DEFAULTSIZE;
    HBITMAP bitmap = static_cast<HBITMAP>(
        ::LoadImageW(module, MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0, flags));
    if (bitmap && hasAlpha) {
        *hasAlpha = alpha ? TRUE : FALSE;
    }
    return bitmap;
}
