// Headless geometry and pixels of the drop shadows: strip rectangles beside an owner, joins
// with a neighbouring popup's shadow, the alpha shading (normal and lighter, black and tinted)
// and strips too small for their shading.
#include <windows.h>

#include <gtest/gtest.h>

#include "toolkit/common/ShadowPixels.h"

#include <algorithm>

namespace {

int Alpha(DWORD pixel)
{
    return static_cast<int>(pixel >> 24);
}

TEST(ShadowPixels, StripsBesideTheOwner)
{
    const CRect owner(100, 100, 200, 200);
    struct Case {
        int kind;
        int thickness;
        CRect strip;
    } cases[] = {
        {ShadowPixels::kindBottom, 4, CRect(104, 200, 204, 204)},
        {ShadowPixels::kindRight, 4, CRect(200, 104, 204, 200)},
        {ShadowPixels::kindCorner, 4, CRect(199, 199, 200, 200)},
        {ShadowPixels::kindBottom, 2, CRect(102, 200, 202, 202)},
        {ShadowPixels::kindRight, 2, CRect(200, 102, 202, 200)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.strip, ShadowPixels::StripRect(c.kind, owner, c.thickness)) << c.kind;
    }
}

TEST(ShadowPixels, JoinsTheShadowOfANeighbour)
{
    struct Case {
        int kind;
        CRect rect;
        int otherKind;
        CRect other;
        CRect joined;
    } cases[] = {
        // A submenu's bottom strip starting inside its parent's right strip reaches under it.
        {ShadowPixels::kindBottom, CRect(203, 150, 303, 154), ShadowPixels::kindRight,
         CRect(200, 104, 204, 200), CRect(194, 150, 303, 154)},
        // Not inside the other's height: unchanged.
        {ShadowPixels::kindBottom, CRect(203, 90, 303, 94), ShadowPixels::kindRight,
         CRect(200, 104, 204, 200), CRect(203, 90, 303, 94)},
        // A right strip starting on the last row of a bottom strip reaches up over it.
        {ShadowPixels::kindRight, CRect(250, 203, 254, 300), ShadowPixels::kindBottom,
         CRect(104, 200, 304, 204), CRect(250, 195, 254, 300)},
        {ShadowPixels::kindRight, CRect(250, 203, 254, 300), ShadowPixels::kindCorner,
         CRect(240, 203, 260, 204), CRect(250, 201, 254, 300)},
        // Kinds that do not join.
        {ShadowPixels::kindRight, CRect(250, 203, 254, 300), ShadowPixels::kindRight,
         CRect(104, 200, 304, 204), CRect(250, 203, 254, 300)},
        {ShadowPixels::kindBottom, CRect(203, 150, 303, 154), ShadowPixels::kindBottom,
         CRect(200, 104, 204, 200), CRect(203, 150, 303, 154)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.joined, ShadowPixels::JoinNeighbour(c.kind, c.rect, c.otherKind, c.other))
            << c.kind << " against " << c.otherKind;
    }
}

TEST(ShadowPixels, ShadingOfAHundredPixelStrip)
{
    const COLORREF tint = RGB(22, 30, 54);
    struct Case {
        int kind;
        int cx;
        int cy;
        BOOL lighter;
        COLORREF color;
        int x;
        int y;
        DWORD pixel;
    } cases[] = {
        // Bottom strip: next to the owner 120, outermost row 30; lighter 60 and 15.
        {ShadowPixels::kindBottom, 100, 4, FALSE, 0, 50, 0, 0x78000000},
        {ShadowPixels::kindBottom, 100, 4, FALSE, 0, 50, 3, 0x1E000000},
        {ShadowPixels::kindBottom, 100, 4, TRUE, 0, 50, 0, 0x3C000000},
        {ShadowPixels::kindBottom, 100, 4, TRUE, 0, 50, 3, 0x0F000000},
        // The ends fade: outermost column 3 x 2 x 1 x 4, innermost end column 3 x 2 x 4 x 4.
        {ShadowPixels::kindBottom, 100, 4, FALSE, 0, 0, 0, 0x18000000},
        {ShadowPixels::kindBottom, 100, 4, FALSE, 0, 99, 0, 0x18000000},
        {ShadowPixels::kindBottom, 100, 4, FALSE, 0, 3, 0, 0x60000000},
        {ShadowPixels::kindBottom, 100, 4, FALSE, 0, 96, 3, 0x18000000},
        {ShadowPixels::kindBottom, 100, 4, FALSE, 0, 4, 0, 0x78000000},
        // Right strip: columns fade outwards, the top four rows fade in.
        {ShadowPixels::kindRight, 4, 96, FALSE, 0, 0, 50, 0x78000000},
        {ShadowPixels::kindRight, 4, 96, FALSE, 0, 3, 50, 0x1E000000},
        {ShadowPixels::kindRight, 4, 96, TRUE, 0, 0, 50, 0x3C000000},
        {ShadowPixels::kindRight, 4, 96, FALSE, 0, 0, 0, 0x18000000},
        {ShadowPixels::kindRight, 4, 96, FALSE, 0, 0, 3, 0x60000000},
        {ShadowPixels::kindRight, 4, 96, FALSE, 0, 0, 95, 0x78000000},
        // Corner pixel.
        {ShadowPixels::kindCorner, 1, 1, FALSE, 0, 0, 0, 0x78000000},
        {ShadowPixels::kindCorner, 1, 1, TRUE, 0, 0, 0, 0x3C000000},
        // A tinted shadow scales its colour: full next to the owner, a quarter outermost,
        // (c + 1) n / 20 at the ends (0.2: 4, 6, 10).
        {ShadowPixels::kindBottom, 100, 4, FALSE, tint, 50, 0, 0x78161E36},
        {ShadowPixels::kindBottom, 100, 4, FALSE, tint, 50, 3, 0x1E05070D},
        {ShadowPixels::kindBottom, 100, 4, FALSE, tint, 0, 0, 0x1804060A},
    };
    for (const Case& c : cases) {
        const auto pixels = ShadowPixels::Render(c.kind, c.cx, c.cy, c.lighter, c.color);
        ASSERT_EQ(static_cast<size_t>(c.cx * c.cy), pixels.size());
        EXPECT_EQ(c.pixel, pixels[static_cast<size_t>(c.y * c.cx + c.x)])
            << "kind " << c.kind << " at " << c.x << "," << c.y << std::hex << " got "
            << pixels[static_cast<size_t>(c.y * c.cx + c.x)];
    }
}

TEST(ShadowPixels, SmallStripsStayInsideAndSymmetric)
{
    // Every size a strip can shrink to: the pixels fill exactly cx x cy, a bottom strip is
    // symmetric about its middle, and nothing is brighter than a full-size strip allows.
    for (int kind : {ShadowPixels::kindBottom, ShadowPixels::kindRight}) {
        for (int cx = 1; cx <= 9; ++cx) {
            for (int cy = 1; cy <= 9; ++cy) {
                const auto pixels = ShadowPixels::Render(kind, cx, cy, FALSE, 0);
                ASSERT_EQ(static_cast<size_t>(cx * cy), pixels.size());
                int strongest = 0;
                for (int y = 0; y < cy; ++y) {
                    for (int x = 0; x < cx; ++x) {
                        const DWORD p = pixels[static_cast<size_t>(y * cx + x)];
                        strongest = std::max(strongest, Alpha(p));
                        if (kind == ShadowPixels::kindBottom) {
                            EXPECT_EQ(p, pixels[static_cast<size_t>(y * cx + cx - 1 - x)]);
                        }
                    }
                }
                EXPECT_LE(strongest, 120);
                EXPECT_GT(strongest, 0) << kind << " " << cx << "x" << cy;
            }
        }
    }
    // Two pixels wide: both columns are outermost ends.
    const auto narrow = ShadowPixels::Render(ShadowPixels::kindBottom, 2, 4, FALSE, 0);
    EXPECT_EQ(0x18000000u, narrow[0]);
    EXPECT_EQ(0x18000000u, narrow[1]);
    EXPECT_EQ(0x06000000u, narrow[6]);
    // Two rows of a right strip: the two top rows of its fade-in.
    const auto low = ShadowPixels::Render(ShadowPixels::kindRight, 4, 2, FALSE, 0);
    EXPECT_EQ(0x18000000u, low[0]);
    EXPECT_EQ(0x30000000u, low[4]);
    EXPECT_TRUE(ShadowPixels::Render(ShadowPixels::kindRight, 0, 5, FALSE, 0).empty());
}

}  // namespace
