// Images made in memory for the image manager's tests: alpha bitmaps, classic icons with a
// transparent left border, and the colours of the generated strips' cells.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

#include "toolkit/common/UTKImageFunctions.h"

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace orvane::test {

// The colour of cell i of the generated strips (as make_image_fixtures.py paints them).
inline COLORREF CellColour(int i)
{
    return RGB((40 * i + 20) % 256, (255 - 30 * i + 256 * 4) % 256, (90 + 50 * i) % 256);
}

// A 32-bit bottom-up DIB; pixel(x, y) gives 0xAARRGGBB for the top-down row y.
inline HBITMAP MakeBitmap32(int width, int height,
                            const std::function<uint32_t(int, int)>& pixel)
{
    void* bits = nullptr;
    HBITMAP bitmap = Create32BitDIBSection(nullptr, width, height, &bits);
    auto* p = static_cast<uint32_t*>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            p[static_cast<size_t>(height - 1 - y) * static_cast<size_t>(width) +
              static_cast<size_t>(x)] = pixel(x, y);
        }
    }
    ::GdiFlush();
    return bitmap;
}

inline uint32_t Argb(int a, COLORREF c)
{
    return (static_cast<uint32_t>(a) << 24) | (uint32_t{GetRValue(c)} << 16) |
           (uint32_t{GetGValue(c)} << 8) | GetBValue(c);
}

// A classic icon: colour(x, y) with zero alpha bytes; columns left of transparentColumns are
// transparent in the mask.
inline HICON MakeClassicIcon(int width, int height,
                             const std::function<COLORREF(int, int)>& colour,
                             int transparentColumns = 0)
{
    HBITMAP colourBitmap =
        MakeBitmap32(width, height, [&](int x, int y) { return Argb(0, colour(x, y)); });
    const int stride = (width + 15) / 16 * 2;
    std::vector<uint8_t> mask(static_cast<size_t>(stride) * static_cast<size_t>(height), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < transparentColumns; ++x) {
            mask[static_cast<size_t>(y * stride + x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
        }
    }
    HBITMAP maskBitmap = ::CreateBitmap(width, height, 1, 1, mask.data());
    if (transparentColumns > 0) {
        // Transparent pixels of an icon are black in its colour bitmap.
        HDC dc = ::CreateCompatibleDC(nullptr);
        HGDIOBJ old = ::SelectObject(dc, colourBitmap);
        const RECT border = {0, 0, transparentColumns, height};
        ::FillRect(dc, &border, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        ::SelectObject(dc, old);
        ::DeleteDC(dc);
    }
    ICONINFO info = {TRUE, 0, 0, maskBitmap, colourBitmap};
    HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(colourBitmap);
    ::DeleteObject(maskBitmap);
    return icon;
}

inline HICON MakeSolidIcon(int width, int height, COLORREF colour, int transparentColumns = 0)
{
    return MakeClassicIcon(width, height, [colour](int, int) { return colour; },
                           transparentColumns);
}

// Full path of a generated fixture (tests run in the test directory).
inline std::wstring FixturePath(const wchar_t* name)
{
    std::wstring relative = std::wstring(L"image-fixtures\\") + name;
    wchar_t full[MAX_PATH] = {};
    ::GetFullPathNameW(relative.c_str(), MAX_PATH, full, nullptr);
    return full;
}

}  // namespace orvane::test
