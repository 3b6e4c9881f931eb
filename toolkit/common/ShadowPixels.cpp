// Geometry and pixels of the drop shadows.
#include "toolkit/common/ShadowPixels.h"

#include <algorithm>

CRect ShadowPixels::StripRect(int kind, const CRect& owner, int thickness) noexcept
{
    switch (kind) {
    case kindBottom:
        return CRect(owner.left + thickness, owner.bottom, owner.right + thickness,
                     owner.bottom + thickness);
    case kindRight:
        return CRect(owner.right, owner.top + thickness, owner.right + thickness, owner.bottom);
    default:
        return CRect(owner.right - 1, owner.bottom - 1, owner.right, owner.bottom);
    }
}

CRect ShadowPixels::JoinNeighbour(int kind, const CRect& rect, int otherKind,
                                  const CRect& other) noexcept
{
    CRect joined = rect;
    if (kind == kindBottom && otherKind == kindRight) {
        if (rect.left == other.right - 1 && rect.top > other.top && rect.bottom < other.bottom) {
            joined.left += 2 * (other.left - other.right) - 1;
        }
    } else if (kind == kindRight && (otherKind == kindBottom || otherKind == kindCorner)) {
        if (rect.top == other.bottom - 1 && other.left < rect.right && rect.right < other.right) {
            joined.top += 2 * (other.top - other.bottom);
        }
    }
    return joined;
}

DWORD ShadowPixels::Pixel(int alpha, double factor, COLORREF color) noexcept
{
    const auto scaled = [factor](BYTE channel) {
        return static_cast<DWORD>(static_cast<int>(channel * factor)) & 0xFF;
    };
    return (static_cast<DWORD>(alpha & 0xFF) << 24) | (scaled(GetRValue(color)) << 16) |
           (scaled(GetGValue(color)) << 8) | scaled(GetBValue(color));
}

std::vector<DWORD> ShadowPixels::Render(int kind, int cx, int cy, BOOL lighter, COLORREF color)
{
    if (cx <= 0 || cy <= 0) {
        return {};
    }
    std::vector<DWORD> pixels(static_cast<size_t>(cx) * static_cast<size_t>(cy), 0);
    const int f = lighter ? 1 : 2;
    const auto at = [&pixels, cx](int x, int y) -> DWORD& {
        return pixels[static_cast<size_t>(y) * static_cast<size_t>(cx) + static_cast<size_t>(x)];
    };
    switch (kind) {
    case kindCorner:
        // The single pixel where the two strips of a shaped owner meet.
        at(0, cy - 1) = Pixel(60 * f, 1.0, color);
        break;
    case kindBottom:
        // Rows fade away from the owner; each end fades over four columns.
        for (int y = 0; y < std::min(cy, 4); ++y) {
            const int n = 4 - y;
            for (int x = 0; x < cx; ++x) {
                const int c = std::min(x, cx - 1 - x);
                at(x, y) = c >= 4 ? Pixel(15 * f * n, n * 0.25, color)
                                  : Pixel(3 * f * (c + 1) * n, (c + 1) * n / 20.0, color);
            }
        }
        break;
    case kindRight:
        // Columns fade away from the owner; the top four rows fade in.
        for (int x = 0; x < std::min(cx, 4); ++x) {
            const int n = 4 - x;
            for (int y = 0; y < cy; ++y) {
                at(x, y) = y >= 4 ? Pixel(15 * f * n, n * 0.25, color)
                                  : Pixel(3 * f * (y + 1) * n, (y + 1) * n / 20.0, color);
            }
        }
        break;
    default:
        break;
    }
    return pixels;
}
