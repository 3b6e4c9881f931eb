// ShadowPixels: the window-free half of the drop shadows: where a strip goes beside its owner,
// how it meets a neighbouring shadow, and the alpha pixels of the layered strips. The shadow
// windows only place and show what these compute.
#pragma once

#include <windows.h>

#include "platform/framework/CRect.h"

#include <vector>

class ShadowPixels {
public:
    enum Kind { kindRight = 0, kindBottom = 1, kindCorner = 2 };
    // Thickness of a strip with and without alpha blending.
    enum { alphaThickness = 4, solidThickness = 2 };

    // The strip of the given kind beside an owner rectangle (screen coordinates).
    static CRect StripRect(int kind, const CRect& owner, int thickness) noexcept;

    // A new strip touching another shadow (a bottom strip against a right one, a right strip
    // against a bottom or corner one) reaches past it so that the two join; otherwise the
    // rectangle comes back unchanged.
    static CRect JoinNeighbour(int kind, const CRect& rect, int otherKind,
                               const CRect& other) noexcept;

    // One pixel: alpha in the top byte, the colour scaled by factor below it (the layout of a
    // 32-bit DIB).
    static DWORD Pixel(int alpha, double factor, COLORREF color) noexcept;

    // The cx x cy pixels of a layered strip, top row first. lighter halves the alpha. A strip
    // shorter than its shading (under 4 pixels) keeps the shading nearest to each of its ends
    // and never reaches past its own size.
    static std::vector<DWORD> Render(int kind, int cx, int cy, BOOL lighter,
                                     COLORREF color);
};
