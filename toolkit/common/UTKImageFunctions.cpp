// Bitmap and icon helpers and the strip loaders of the image manager.
#include "toolkit/common/UTKImageFunctions.h"

#include <commctrl.h>
#include <ocidl.h>
#include <olectl.h>

#include "platform/base/CHandle.h"
#include "platform/base/CSelectGuard.h"
#include "platform/framework/CComPtr.h"
#include "toolkit/common/CUTKGraphicBitmapPng.h"
#include "toolkit/common/ImageRecordFormats.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

struct ResourceBytes {
    const uint8_t* data = nullptr;
    size_t size = 0;
};

ResourceBytes FindResourceBytes(HMODULE module, LPCWSTR name, LPCWSTR type)
{
    ResourceBytes bytes;
    HRSRC info = name != nullptr ? ::FindResourceW(module, name, type) : nullptr;
    HGLOBAL loaded = info != nullptr ? ::LoadResource(module, info) : nullptr;
    const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (data != nullptr) {
        bytes.data = static_cast<const uint8_t*>(data);
        bytes.size = ::SizeofResource(module, info);
    }
    return bytes;
}

// The first bytes of a file (fewer when it is shorter); empty when it cannot be opened.
std::vector<uint8_t> ReadFileHead(LPCWSTR path, DWORD count)
{
    std::vector<uint8_t> head;
    if (path == nullptr) {
        return head;
    }
    CHandle file(::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return head;
    }
    head.resize(count);
    DWORD read = 0;
    if (!::ReadFile(file, head.data(), count, &read, nullptr)) {
        read = 0;
    }
    head.resize(read);
    return head;
}

HBITMAP DetachPng(CUTKGraphicBitmapPng& png, BOOL* alpha)
{
    if (alpha != nullptr) {
        *alpha = png.m_bAlpha;
    }
    return static_cast<HBITMAP>(png.Detach());
}

// A picture file that neither PNG nor BMP loading reads, rendered over the button face.
HBITMAP LoadPictureFile(LPCWSTR path)
{
    CComPtr<IPicture> picture;
    if (FAILED(::OleLoadPicturePath(const_cast<LPOLESTR>(path), nullptr, 0, 0, IID_IPicture,
                                    reinterpret_cast<void**>(&picture))) ||
        !picture) {
        return nullptr;
    }
    OLE_XSIZE_HIMETRIC himetricWidth = 0;
    OLE_YSIZE_HIMETRIC himetricHeight = 0;
    if (FAILED(picture->get_Width(&himetricWidth)) ||
        FAILED(picture->get_Height(&himetricHeight))) {
        return nullptr;
    }
    HDC screen = ::GetDC(nullptr);
    const int width = ::MulDiv(himetricWidth, ::GetDeviceCaps(screen, LOGPIXELSX), 2540);
    const int height = ::MulDiv(himetricHeight, ::GetDeviceCaps(screen, LOGPIXELSY), 2540);
    ::ReleaseDC(nullptr, screen);
    HBITMAP bitmap = Create32BitDIBSection(nullptr, width, height);
    if (bitmap == nullptr) {
        return nullptr;
    }
    HDC dc = ::CreateCompatibleDC(nullptr);
    {
        CSelectGuard select(dc, bitmap);
        const RECT all = {0, 0, width, height};
        ::FillRect(dc, &all, ::GetSysColorBrush(COLOR_BTNFACE));
        if (FAILED(picture->Render(dc, 0, 0, width, height, 0, himetricHeight - 1,
                                   himetricWidth, -himetricHeight, nullptr))) {
            ::DeleteObject(bitmap);
            bitmap = nullptr;
        }
    }
    ::DeleteDC(dc);
    return bitmap;
}

}  // namespace

HBITMAP Create32BitDIBSection(HDC dc, int cx, int cy, void** bits)
{
    if (bits != nullptr) {
        *bits = nullptr;
    }
    if (cx <= 0 || cy <= 0) {
        return nullptr;
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = cx;
    info.bmiHeader.biHeight = cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(cx) * static_cast<DWORD>(cy) * 4;
    void* pixels = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bitmap == nullptr || pixels == nullptr) {
        if (bitmap != nullptr) {
            ::DeleteObject(bitmap);
        }
        return nullptr;
    }
    if (bits != nullptr) {
        *bits = pixels;
    }
    return bitmap;
}

SIZE GetIconSize(HICON icon)
{
    SIZE size = {0, 0};
    ICONINFO info = {};
    if (icon == nullptr || !::GetIconInfo(icon, &info)) {
        return size;
    }
    BITMAP mask = {};
    if (info.hbmMask != nullptr && ::GetObjectW(info.hbmMask, sizeof(mask), &mask) != 0) {
        size.cx = mask.bmWidth;
        // A monochrome icon keeps its image and its mask one above the other in the mask.
        size.cy = info.hbmColor != nullptr ? mask.bmHeight : mask.bmHeight / 2;
    }
    if (info.hbmMask != nullptr) {
        ::DeleteObject(info.hbmMask);
    }
    if (info.hbmColor != nullptr) {
        ::DeleteObject(info.hbmColor);
    }
    return size;
}

HICON ResizeIcon(HICON icon, int cx, int cy, int newCx)
{
    if (icon == nullptr || newCx <= 0 || cx <= 0 || cy <= 0) {
        return nullptr;
    }
    if (newCx == cx) {
        return ::CopyIcon(icon);
    }
    const int newCy = ::MulDiv(cy, newCx, cx);
    if (newCy <= 0) {
        return nullptr;
    }
    HIMAGELIST list = ::ImageList_Create(newCx, newCy, ILC_COLOR32 | ILC_MASK, 1, 1);
    if (list == nullptr) {
        return nullptr;
    }
    HICON result = nullptr;
    if (::ImageList_ReplaceIcon(list, -1, icon) == 0) {
        result = ::ImageList_GetIcon(list, 0, ILD_NORMAL);
    }
    ::ImageList_Destroy(list);
    return result;
}

bool ReadBitmapPixels32(HBITMAP bitmap, int& width, int& height, std::vector<uint32_t>& pixels)
{
    width = 0;
    height = 0;
    pixels.clear();
    BITMAP object = {};
    if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof(object), &object) == 0 ||
        object.bmWidth <= 0 || object.bmHeight <= 0) {
        return false;
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = object.bmWidth;
    info.bmiHeader.biHeight = object.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    pixels.resize(static_cast<size_t>(object.bmWidth) * static_cast<size_t>(object.bmHeight));
    HDC dc = ::CreateCompatibleDC(nullptr);
    const int rows = ::GetDIBits(dc, bitmap, 0, static_cast<UINT>(object.bmHeight),
                                 pixels.data(), &info, DIB_RGB_COLORS);
    ::DeleteDC(dc);
    if (rows != object.bmHeight) {
        pixels.clear();
        return false;
    }
    width = object.bmWidth;
    height = object.bmHeight;
    return true;
}

HBITMAP PremultiplyBitmap(HBITMAP bitmap, BOOL* hasAlpha)
{
    if (hasAlpha != nullptr) {
        *hasAlpha = FALSE;
    }
    BITMAP object = {};
    if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof(object), &object) == 0 ||
        object.bmBitsPixel != 32) {
        return nullptr;
    }
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    if (!ReadBitmapPixels32(bitmap, width, height, pixels)) {
        return nullptr;
    }
    void* bits = nullptr;
    HBITMAP copy = Create32BitDIBSection(nullptr, width, height, &bits);
    if (copy == nullptr) {
        return nullptr;
    }
    BOOL anyAlpha = FALSE;
    auto* out = static_cast<uint32_t*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i) {
        const uint32_t p = pixels[i];
        const uint32_t a = p >> 24;
        if (a != 0) {
            anyAlpha = TRUE;
        }
        const uint32_t b = (p & 0xFF) * a / 255;
        const uint32_t g = ((p >> 8) & 0xFF) * a / 255;
        const uint32_t r = ((p >> 16) & 0xFF) * a / 255;
        out[i] = (a << 24) | (r << 16) | (g << 8) | b;
    }
    ::GdiFlush();
    if (hasAlpha != nullptr) {
        *hasAlpha = anyAlpha;
    }
    return copy;
}

HBITMAP Load32BitBitmapResource(HMODULE module, LPCWSTR name)
{
    const ResourceBytes bytes = FindResourceBytes(module, name, RT_BITMAP);
    orvane::DibLayout layout;
    size_t offset = 0;
    if (!orvane::Check32BitBitmapResource(bytes.data, bytes.size, layout, offset)) {
        return nullptr;
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = layout.width;
    info.bmiHeader.biHeight = layout.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(layout.imageBytes);
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr || bits == nullptr) {
        if (bitmap != nullptr) {
            ::DeleteObject(bitmap);
        }
        return nullptr;
    }
    std::memcpy(bits, bytes.data + offset, layout.imageBytes);
    return bitmap;
}

BOOL IsPngResource(HMODULE module, LPCWSTR name)
{
    const ResourceBytes bytes = FindResourceBytes(module, name, L"PNG");
    return orvane::HasPngSignature(bytes.data, bytes.size) ? TRUE : FALSE;
}

BOOL Is32BitBitmapResource(HMODULE module, LPCWSTR name)
{
    const ResourceBytes bytes = FindResourceBytes(module, name, RT_BITMAP);
    return orvane::IsDibResource32(bytes.data, bytes.size) ? TRUE : FALSE;
}

BOOL IsPngFile(LPCWSTR path)
{
    const std::vector<uint8_t> head = ReadFileHead(path, 4);
    return orvane::HasPngSignature(head.data(), head.size()) ? TRUE : FALSE;
}

BOOL Is32BitBitmapFile(LPCWSTR path)
{
    const std::vector<uint8_t> head = ReadFileHead(path, 14 + 40);
    return orvane::IsBmpFile32(head.data(), head.size()) ? TRUE : FALSE;
}

HBITMAP LoadModuleResourceBitmap(HMODULE module, LPCWSTR name, BOOL* alpha)
{
    if (alpha != nullptr) {
        *alpha = FALSE;
    }
    if (module == nullptr || name == nullptr) {
        return nullptr;
    }
    if (IsPngResource(module, name)) {
        CUTKGraphicBitmapPng png;
        HRSRC info = ::FindResourceW(module, name, L"PNG");
        return png.LoadFromResource(module, info) ? DetachPng(png, alpha) : nullptr;
    }
    if (Is32BitBitmapResource(module, name)) {
        HBITMAP bitmap = Load32BitBitmapResource(module, name);
        if (bitmap != nullptr && alpha != nullptr) {
            *alpha = TRUE;
        }
        return bitmap;
    }
    return static_cast<HBITMAP>(
        ::LoadImageW(module, name, IMAGE_BITMAP, 0, 0, LR_DEFAULTSIZE));
}

HBITMAP LoadResourceBitmap(LPCWSTR name, BOOL* alpha)
{
    return LoadModuleResourceBitmap(AfxGetResourceHandle(), name, alpha);
}

HBITMAP LoadResourceBitmap(UINT id, BOOL* alpha)
{
    return LoadResourceBitmap(MAKEINTRESOURCEW(id), alpha);
}

HBITMAP LoadBitmapFromFile(LPCWSTR path, BOOL* alpha)
{
    if (path == nullptr) {
        return nullptr;
    }
    if (IsPngFile(path)) {
        CUTKGraphicBitmapPng png;
        if (alpha != nullptr) {
            *alpha = FALSE;
        }
        return png.LoadFromFile(path) ? DetachPng(png, alpha) : nullptr;
    }
    // A file that calls itself a BMP must hold what its headers promise; the system loaders
    // are not given one that does not.
    const std::vector<uint8_t> head =
        ReadFileHead(path, static_cast<DWORD>(14 + orvane::kImageMaxHeaderBlock));
    if (head.size() >= 2 && head[0] == 'B' && head[1] == 'M') {
        WIN32_FILE_ATTRIBUTE_DATA attributes = {};
        if (!::GetFileAttributesExW(path, GetFileExInfoStandard, &attributes)) {
            return nullptr;
        }
        const uint64_t size = (static_cast<uint64_t>(attributes.nFileSizeHigh) << 32) |
                              attributes.nFileSizeLow;
        if (!orvane::CheckBmpFile(head.data(), std::min<uint64_t>(head.size(), size), size)) {
            return nullptr;
        }
    }
    const BOOL bits32 = Is32BitBitmapFile(path);
    UINT flags = LR_LOADFROMFILE | LR_DEFAULTSIZE;
    if (bits32) {
        flags |= LR_CREATEDIBSECTION;
    }
    if (auto* bitmap = static_cast<HBITMAP>(
            ::LoadImageW(nullptr, path, IMAGE_BITMAP, 0, 0, flags))) {
        if (alpha != nullptr) {
            *alpha = bits32;
        }
        return bitmap;
    }
    return LoadPictureFile(path);
}

BOOL ReadToolBarResource(UINT toolBarId, UINT*& ids, int& count, SIZE& size)
{
    ids = nullptr;
    count = 0;
    HMODULE module = AfxGetResourceHandle();
    const ResourceBytes bytes =
        FindResourceBytes(module, MAKEINTRESOURCEW(toolBarId), MAKEINTRESOURCEW(241));
    orvane::ToolBarResource toolBar;
    if (!orvane::ParseToolBarResource(bytes.data, bytes.size, toolBar)) {
        return FALSE;
    }
    // The caller owns the array (the interface hands it over as a plain pointer).
    auto array = std::make_unique<UINT[]>(static_cast<size_t>(toolBar.itemCount) + 1);
    for (size_t i = 0; i < toolBar.ids.size(); ++i) {
        array[i] = toolBar.ids[i];
    }
    ids = array.release();
    count = static_cast<int>(toolBar.ids.size());
    size.cx = toolBar.buttonWidth;
    size.cy = toolBar.buttonHeight;
    return TRUE;
}
