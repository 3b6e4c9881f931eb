// Bitmap resources as the command-icon cache loads them.
#include "ResourceBitmap.h"

#include "FrameworkWindows.h"

HBITMAP LoadResourceBitmap(UINT resourceId, BOOL* hasAlpha)
{
    if (hasAlpha) {
        *hasAlpha = FALSE;
    }
    HINSTANCE module = AfxGetResourceHandle();
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
