// The image manager's blits: per-pixel alpha and colour-key transparency through msimg32 when
// it is bound, else the manager's own code; and icons drawn with alpha made from a colour key.
#include "toolkit/common/CUTKImageManager.h"

#include "platform/base/CSelectGuard.h"
#include "toolkit/common/CUTKDrawHelpers.h"
#include "toolkit/common/OSVersionInfo.h"
#include "toolkit/common/UTKDrawFunctions.h"

#include <vector>

namespace {

BOOL IsRTL(HDC dc)
{
    CDC wrap;
    wrap.m_hDC = dc;
    wrap.m_hAttribDC = dc;
    const BOOL rtl = CUTKDrawHelpers::IsContextRTL(&wrap);
    wrap.m_hDC = nullptr;
    wrap.m_hAttribDC = nullptr;
    return rtl;
}

void SetLayoutZero(HDC dc)
{
    CDC wrap;
    wrap.m_hDC = dc;
    wrap.m_hAttribDC = dc;
    CUTKDrawHelpers::SetContextRTL(&wrap, 0);
    wrap.m_hDC = nullptr;
    wrap.m_hAttribDC = nullptr;
}

// A 32-bit DIB section with its memory DC, both freed together.
class Layer {
public:
    Layer(HDC compatible, int width, int height)
    {
        void* bits = nullptr;
        m_bitmap = Create32BitDIBSection(nullptr, width, height, &bits);
        m_bits = static_cast<uint32_t*>(bits);
        m_dc = ::CreateCompatibleDC(compatible);
        if (m_dc != nullptr && m_bitmap != nullptr) {
            m_old = ::SelectObject(m_dc, m_bitmap);
            SetLayoutZero(m_dc);
        }
    }
    ~Layer()
    {
        if (m_old != nullptr) {
            ::SelectObject(m_dc, m_old);
        }
        if (m_dc != nullptr) {
            ::DeleteDC(m_dc);
        }
        if (m_bitmap != nullptr) {
            ::DeleteObject(m_bitmap);
        }
    }
    Layer(const Layer&) = delete;
    Layer& operator=(const Layer&) = delete;

    bool Ok() const { return m_bits != nullptr && m_old != nullptr; }
    HDC dc() const { return m_dc; }
    uint32_t* bits() const { return m_bits; }

private:
    HBITMAP m_bitmap = nullptr;
    uint32_t* m_bits = nullptr;
    HDC m_dc = nullptr;
    HGDIOBJ m_old = nullptr;
};

int Width(const RECT& r)
{
    return r.right - r.left;
}

int Height(const RECT& r)
{
    return r.bottom - r.top;
}

}  // namespace

BOOL CUTKImageManager::AlphaBlend(HDC dest, const RECT& destRect, HDC src, const RECT& srcRect)
{
    if (dest == nullptr || src == nullptr) {
        return FALSE;
    }
    CUTKDrawHelpers* helpers = GetDrawHelpers();
    OSVersionInfo* os = GetOSVersionInfo();
    const bool own = (os->IsWin9x() && IsRTL(dest)) || helpers->m_pfnAlphaBlend == nullptr ||
                     (!os->IsWin2KOrGreater() &&
                      (srcRect.left != 0 || srcRect.top != 0 || destRect.top < 0));
    if (own) {
        return AlphaBlendOwn(dest, destRect, src, srcRect);
    }
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return helpers->m_pfnAlphaBlend(dest, destRect.left, destRect.top, Width(destRect),
                                    Height(destRect), src, srcRect.left, srcRect.top,
                                    Width(srcRect), Height(srcRect), blend);
}

BOOL CUTKImageManager::AlphaBlendOwn(HDC dest, const RECT& destRect, HDC src,
                                     const RECT& srcRect)
{
    const int width = Width(destRect);
    const int height = Height(destRect);
    if (dest == nullptr || src == nullptr || width <= 0 || height <= 0 || Width(srcRect) <= 0 ||
        Height(srcRect) <= 0) {
        return FALSE;
    }
    Layer source(dest, width, height);
    Layer background(dest, width, height);
    Layer result(dest, width, height);
    if (!source.Ok() || !background.Ok() || !result.Ok()) {
        return FALSE;
    }
    ::SetStretchBltMode(source.dc(), COLORONCOLOR);
    ::StretchBlt(source.dc(), 0, 0, width, height, src, srcRect.left, srcRect.top,
                 Width(srcRect), Height(srcRect), SRCCOPY);
    ::BitBlt(background.dc(), 0, 0, width, height, dest, destRect.left, destRect.top, SRCCOPY);
    ::GdiFlush();
    const bool sourceRTL = IsRTL(src) != FALSE;
    const bool destRTL = IsRTL(dest) != FALSE;
    for (int y = 0; y < height; ++y) {
        const size_t row = static_cast<size_t>(y) * static_cast<size_t>(width);
        for (int x = 0; x < width; ++x) {
            const int sx = sourceRTL ? width - 1 - x : x;
            const int dx = destRTL ? width - 1 - x : x;
            result.bits()[row + static_cast<size_t>(x)] = AlphaBlendPixel(
                source.bits()[row + static_cast<size_t>(sx)],
                background.bits()[row + static_cast<size_t>(dx)]);
        }
    }
    return ::BitBlt(dest, destRect.left, destRect.top, width, height, result.dc(), 0, 0,
                    SRCCOPY | (destRTL ? NOMIRRORBITMAP : 0));
}

BOOL CUTKImageManager::TransparentBlt(HDC dest, const RECT& destRect, HDC src,
                                      const RECT& srcRect, COLORREF transparent)
{
    if (dest == nullptr || src == nullptr) {
        return FALSE;
    }
    CUTKDrawHelpers* helpers = GetDrawHelpers();
    if (GetOSVersionInfo()->IsWin2KOrGreater() && helpers->m_pfnTransparentBlt != nullptr) {
        return helpers->m_pfnTransparentBlt(dest, destRect.left, destRect.top, Width(destRect),
                                            Height(destRect), src, srcRect.left, srcRect.top,
                                            Width(srcRect), Height(srcRect), transparent);
    }
    return TransparentBltOwn(dest, destRect, src, srcRect, transparent);
}

BOOL CUTKImageManager::TransparentBltOwn(HDC dest, const RECT& destRect, HDC src,
                                         const RECT& srcRect, COLORREF transparent)
{
    const int width = Width(srcRect);
    const int height = Height(srcRect);
    if (dest == nullptr || src == nullptr || width <= 0 || height <= 0) {
        return FALSE;
    }
    HDC copyDC = ::CreateCompatibleDC(dest);
    HDC maskDC = ::CreateCompatibleDC(dest);
    HBITMAP copy = ::CreateCompatibleBitmap(dest, width, height);
    HBITMAP mask = ::CreateBitmap(width, height, 1, 1, nullptr);
    BOOL ok = FALSE;
    if (copyDC != nullptr && maskDC != nullptr && copy != nullptr && mask != nullptr) {
        CSelectGuard selectCopy(copyDC, copy);
        CSelectGuard selectMask(maskDC, mask);
        ::BitBlt(copyDC, 0, 0, width, height, src, srcRect.left, srcRect.top, SRCCOPY);
        // Mask 1 where the copy has the transparent colour.
        ::SetBkColor(copyDC, transparent);
        ::BitBlt(maskDC, 0, 0, width, height, copyDC, 0, 0, SRCCOPY);
        if (transparent != RGB(0, 0, 0)) {
            // The transparent pixels of the copy become black.
            ::SetBkColor(copyDC, RGB(0, 0, 0));
            ::SetTextColor(copyDC, RGB(255, 255, 255));
            ::BitBlt(copyDC, 0, 0, width, height, maskDC, 0, 0, SRCAND);
        }
        const COLORREF oldBack = ::SetBkColor(dest, RGB(255, 255, 255));
        const COLORREF oldText = ::SetTextColor(dest, RGB(0, 0, 0));
        if (Width(destRect) == width && Height(destRect) == height) {
            ::BitBlt(dest, destRect.left, destRect.top, width, height, maskDC, 0, 0, SRCAND);
            ok = ::BitBlt(dest, destRect.left, destRect.top, width, height, copyDC, 0, 0,
                          SRCPAINT);
        } else {
            ::StretchBlt(dest, destRect.left, destRect.top, Width(destRect), Height(destRect),
                         maskDC, 0, 0, width, height, SRCAND);
            ok = ::StretchBlt(dest, destRect.left, destRect.top, Width(destRect),
                              Height(destRect), copyDC, 0, 0, width, height, SRCPAINT);
        }
        ::SetBkColor(dest, oldBack);
        ::SetTextColor(dest, oldText);
    }
    if (copy != nullptr) {
        ::DeleteObject(copy);
    }
    if (mask != nullptr) {
        ::DeleteObject(mask);
    }
    if (copyDC != nullptr) {
        ::DeleteDC(copyDC);
    }
    if (maskDC != nullptr) {
        ::DeleteDC(maskDC);
    }
    return ok;
}

void CUTKImageManager::DrawIconComposited(CDC* dc, CPoint point, CSize size, HICON icon)
{
    const int width = size.cx < 0 ? -size.cx : size.cx;
    if (dc == nullptr || icon == nullptr || width == 0 || size.cy <= 0) {
        return;
    }
    Layer layer(dc->m_hDC, width, size.cy);
    if (!layer.Ok()) {
        return;
    }
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(size.cy);
    const uint32_t key = 0x00FF00FFu;  // magenta in a DIB's byte order
    ::GdiFlush();
    for (size_t i = 0; i < count; ++i) {
        layer.bits()[i] = key;
    }
    ::DrawIconEx(layer.dc(), size.cx < 0 ? -size.cx : 0, 0, icon, size.cx, size.cy, 0, nullptr,
                 DI_NORMAL);
    ::GdiFlush();
    for (size_t i = 0; i < count; ++i) {
        uint32_t& p = layer.bits()[i];
        p = (p & 0xFFFFFF) == (key & 0xFFFFFF) ? 0 : (p | 0xFF000000u);
    }
    const int left = size.cx < 0 ? point.x + size.cx : point.x;
    const RECT target = {left, point.y, left + width, point.y + size.cy};
    const RECT from = {0, 0, width, size.cy};
    (void)AlphaBlend(dc->m_hDC, target, layer.dc(), from);
}
