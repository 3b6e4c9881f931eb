// Drawing helpers painted into 32-bit memory DCs and read back: gradients with msimg32 and with
// the own banded fill, clipped gradients, the colour-pair gradient with its middle colour,
// pixel pairs (an odd array is never over-read), corners, right-to-left layout with and
// without GDI's layout entry points; colour arithmetic (blends, HSL, the own source-over blend
// against msimg32's) and mnemonics.
#include <gtest/gtest.h>

#include "toolkit/common/CUTKDrawHelpers.h"
#include "tests/toolkit/common/DrawCanvas.h"
#include "toolkit/common/UTKDrawFunctions.h"

#include <string>
#include <vector>

namespace {

using orvane::test::ColourDistance;
using orvane::test::DrawCanvas;

constexpr COLORREF kSentinel = RGB(1, 2, 3);
constexpr COLORREF kFrom = RGB(200, 40, 0);
constexpr COLORREF kTo = RGB(0, 240, 100);

// Helpers with msimg32's gradient unbound: the own banded fill.
struct OwnHelpers : CUTKDrawHelpers {
    OwnHelpers() { m_pfnGradientFill = nullptr; }
};

TEST(BlendColors, TableOfFactors)
{
    struct Case {
        COLORREF a, b;
        double factor;
        COLORREF want;
    } cases[] = {
        {RGB(200, 100, 0), RGB(0, 0, 100), 1.0, RGB(200, 100, 0)},
        {RGB(200, 100, 0), RGB(0, 0, 100), 0.0, RGB(0, 0, 100)},
        // Truncated: 200 * 0.75 = 150, 100 * 0.75 = 75, 100 * 0.25 = 25.
        {RGB(200, 100, 0), RGB(0, 0, 100), 0.75, RGB(150, 75, 25)},
        {RGB(255, 255, 255), RGB(0, 0, 0), 0.5, RGB(127, 127, 127)},
        // Factors outside 0..1 are clamped per channel at 255 and 0.
        {RGB(200, 10, 0), RGB(0, 0, 0), 1.5, RGB(255, 15, 0)},
        {RGB(0, 0, 0), RGB(200, 0, 0), -0.5, RGB(255, 0, 0)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.want, BlendColors(c.a, c.b, c.factor)) << c.factor;
    }
}

TEST(Hsl, GreysHaveHue239AndNoSaturation)
{
    for (int v : {0, 1, 64, 127, 128, 200, 255}) {
        const COLORREF hsl = RGBtoHSL(RGB(v, v, v));
        EXPECT_EQ(239u, hsl & 0xFF) << v;
        EXPECT_EQ(0u, (hsl >> 8) & 0xFF) << v;
        const COLORREF back = HSLtoRGB(hsl);
        EXPECT_EQ(GetRValue(back), GetGValue(back));
        EXPECT_EQ(GetGValue(back), GetBValue(back));
        EXPECT_LE(ColourDistance(back, RGB(v, v, v)), 1) << v;
    }
    // Saturation 0 is grey whatever the hue.
    EXPECT_EQ(RGB(255, 255, 255), HSLtoRGB(100 | (0 << 8) | (240 << 16)));
}

TEST(Hsl, KnownValues)
{
    // Red: sum 255, lightness 128, saturation 255 * 256 / 257 = 254, hue 0.
    EXPECT_EQ(static_cast<COLORREF>(0 | (239 << 8) | (120 << 16)), RGBtoHSL(RGB(255, 0, 0)));
    // Green: hue (512 / 6) = 85 -> 79; blue: 1024 / 6 = 170 -> 159.
    EXPECT_EQ(79u, RGBtoHSL(RGB(0, 255, 0)) & 0xFF);
    EXPECT_EQ(159u, RGBtoHSL(RGB(0, 0, 255)) & 0xFF);
}

TEST(Hsl, RoundTripsStayClose)
{
    const COLORREF colours[] = {RGB(255, 0, 0),   RGB(0, 255, 0),    RGB(0, 0, 255),
                                RGB(10, 36, 106), RGB(212, 208, 200), RGB(255, 255, 225),
                                RGB(49, 106, 197), RGB(166, 202, 240), RGB(128, 64, 32)};
    for (COLORREF c : colours) {
        const COLORREF back = HSLtoRGB(RGBtoHSL(c));
        EXPECT_LE(ColourDistance(c, back), 8)
            << std::hex << c << " came back as " << back;
    }
}

TEST(Mnemonics, StripTables)
{
    struct Case {
        const wchar_t* in;
        const wchar_t* stripped;
        const wchar_t* inPlace;
    } cases[] = {
        {L"&File", L"File", L"File"},
        {L"Save && Quit", L"Save & Quit", L"Save & Quit"},
        {L"&&&a", L"&a", L"&&a"},
        {L"end&", L"end", L"end"},
        {L"", L"", L""},
        {L"plain", L"plain", L"plain"},
    };
    for (const Case& c : cases) {
        CString s(c.in);
        StripMnemonics(s);
        EXPECT_STREQ(c.stripped, static_cast<LPCWSTR>(s)) << c.in;
        std::wstring buffer(c.in);
        StripMnemonicsInPlace(buffer.data());
        EXPECT_STREQ(c.inPlace, buffer.c_str()) << c.in;
    }
    StripMnemonicsInPlace(nullptr);
    StripMnemonicsInPlace(reinterpret_cast<wchar_t*>(static_cast<INT_PTR>(-1)));
}

TEST(Gradient, EqualColoursFillSolid)
{
    DrawCanvas canvas(20, 4, kSentinel);
    const RECT rect = {2, 0, 18, 4};
    GetDrawHelpers()->GradientFill(canvas.dc(), &rect, kFrom, kFrom, TRUE);
    for (int x = 0; x < 20; ++x) {
        EXPECT_EQ(x >= 2 && x < 18 ? kFrom : kSentinel, canvas.At(x, 1)) << x;
    }
}

TEST(Gradient, OwnFillColumnsAndRows)
{
    OwnHelpers own;
    DrawCanvas canvas(100, 40, kSentinel);
    const RECT rect = {0, 0, 100, 40};
    own.GradientFill(canvas.dc(), &rect, kFrom, kTo, TRUE);
    for (int x = 0; x < 100; ++x) {
        EXPECT_EQ(BlendColors(kFrom, kTo, 1.0 - x / 100.0), canvas.At(x, 20)) << x;
    }
    own.GradientFill(canvas.dc(), &rect, kFrom, kTo, FALSE);
    for (int y = 0; y < 40; ++y) {
        EXPECT_EQ(BlendColors(kFrom, kTo, 1.0 - y / 40.0), canvas.At(50, y)) << y;
    }
}

TEST(Gradient, OwnFillStaysInClipBox)
{
    OwnHelpers own;
    DrawCanvas canvas(50, 10, kSentinel);
    canvas.dc()->IntersectClipRect(10, 2, 30, 8);
    const RECT rect = {0, 0, 50, 10};
    own.GradientFill(canvas.dc(), &rect, kFrom, kTo, TRUE);
    EXPECT_EQ(kSentinel, canvas.At(9, 5));
    EXPECT_EQ(kSentinel, canvas.At(30, 5));
    EXPECT_EQ(kSentinel, canvas.At(15, 1));
    EXPECT_EQ(BlendColors(kFrom, kTo, 1.0 - 10 / 50.0), canvas.At(10, 5));
    EXPECT_EQ(BlendColors(kFrom, kTo, 1.0 - 29 / 50.0), canvas.At(29, 7));
}

TEST(Gradient, Msimg32AgreesWithOwnFill)
{
    ASSERT_NE(nullptr, GetDrawHelpers()->m_pfnGradientFill);
    OwnHelpers own;
    DrawCanvas bound(64, 2, kSentinel);
    DrawCanvas banded(64, 2, kSentinel);
    const RECT rect = {0, 0, 64, 2};
    GetDrawHelpers()->GradientFill(bound.dc(), &rect, kFrom, kTo, TRUE);
    own.GradientFill(banded.dc(), &rect, kFrom, kTo, TRUE);
    for (int x = 0; x < 64; ++x) {
        EXPECT_LE(ColourDistance(bound.At(x, 0), banded.At(x, 0)), 5) << x;
    }
}

TEST(Gradient, NullAndEmptyRectanglesDrawNothing)
{
    DrawCanvas canvas(4, 4, kSentinel);
    const RECT empty = {2, 2, 2, 4};
    GetDrawHelpers()->GradientFill(canvas.dc(), nullptr, kFrom, kTo, TRUE);
    GetDrawHelpers()->GradientFill(canvas.dc(), &empty, kFrom, kTo, TRUE);
    GetDrawHelpers()->GradientFillClipped(canvas.dc(), &empty, kFrom, kTo, TRUE, &empty);
    EXPECT_EQ(kSentinel, canvas.At(2, 2));
}

struct ClipCase {
    const char* name;
    BOOL horizontal;
    RECT clip;
    // The drawn span along the gradient (empty: nothing drawn).
    int first, last;
};

class GradientClip : public testing::TestWithParam<ClipCase> {};

TEST_P(GradientClip, DrawsTheFullGradientsColoursInsideClip)
{
    const ClipCase& c = GetParam();
    OwnHelpers own;
    DrawCanvas canvas(120, 120, kSentinel);
    const RECT rect = {10, 10, 110, 110};
    own.GradientFillClipped(canvas.dc(), &rect, kFrom, kTo, c.horizontal, &c.clip);
    for (int along = 0; along < 120; ++along) {
        // Across the gradient: the middle of the clip (and of the rectangle).
        const int across = 60;
        const int x = c.horizontal ? along : across;
        const int y = c.horizontal ? across : along;
        const COLORREF got = canvas.At(x, y);
        if (along < c.first || along > c.last) {
            EXPECT_EQ(kSentinel, got) << c.name << " at " << along;
        } else {
            // The full gradient's colour at that place, to within the banding of the
            // shorter clipped gradient.
            const COLORREF full = BlendColors(kFrom, kTo, 1.0 - (along - 10) / 100.0);
            EXPECT_LE(ColourDistance(full, got), 3) << c.name << " at " << along;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, GradientClip,
    testing::Values(ClipCase{"both_ends", TRUE, {30, 0, 70, 120}, 30, 69},
                    ClipCase{"start", TRUE, {0, 0, 50, 120}, 10, 49},
                    ClipCase{"end", TRUE, {60, 0, 200, 120}, 60, 109},
                    ClipCase{"none_cut", TRUE, {0, 0, 200, 120}, 10, 109},
                    ClipCase{"outside_left", TRUE, {0, 0, 5, 120}, 1, 0},
                    ClipCase{"outside_right", TRUE, {115, 0, 120, 120}, 1, 0},
                    ClipCase{"vertical_both_ends", FALSE, {0, 40, 120, 90}, 40, 89},
                    ClipCase{"vertical_outside", FALSE, {0, 111, 120, 120}, 1, 0}),
    [](const testing::TestParamInfo<ClipCase>& info) { return std::string(info.param.name); });

TEST(GradientClip, CutAcrossTheGradient)
{
    OwnHelpers own;
    DrawCanvas canvas(100, 100, kSentinel);
    const RECT rect = {0, 0, 100, 100};
    const RECT clip = {0, 20, 100, 30};
    own.GradientFillClipped(canvas.dc(), &rect, kFrom, kTo, TRUE, &clip);
    EXPECT_EQ(kSentinel, canvas.At(50, 19));
    EXPECT_EQ(kSentinel, canvas.At(50, 30));
    EXPECT_EQ(BlendColors(kFrom, kTo, 0.5), canvas.At(50, 25));
}

TEST(GradientColorGradient, FactorPutsItsBlendAtTheMiddlePixel)
{
    CUTKPaintManagerColorGradient gradient;
    gradient.SetStandardValue(kFrom, kTo, 0.75f);
    const COLORREF middle = BlendColors(kFrom, kTo, 0.75);
    OwnHelpers own;
    for (BOOL horizontal : {TRUE, FALSE}) {
        DrawCanvas canvas(100, 100, kSentinel);
        const RECT rect = {0, 0, 100, 100};
        own.GradientFillColorGradient(canvas.dc(), &rect, gradient, horizontal, nullptr);
        // The halves meet at 50: the second half starts with the middle colour.
        EXPECT_EQ(middle, horizontal ? canvas.At(50, 10) : canvas.At(10, 50));
        EXPECT_EQ(kFrom, canvas.At(0, 0));
        // Through msimg32 the same place is within its rounding.
        DrawCanvas bound(100, 100, kSentinel);
        GetDrawHelpers()->GradientFillColorGradient(bound.dc(), &rect, gradient, horizontal,
                                                    nullptr);
        EXPECT_LE(ColourDistance(middle, horizontal ? bound.At(50, 10) : bound.At(10, 50)), 2);
    }
    // Factor 0.5 is one plain gradient.
    gradient.SetStandardValue(kFrom, kTo, 0.5f);
    DrawCanvas canvas(100, 1, kSentinel);
    const RECT rect = {0, 0, 100, 1};
    own.GradientFillColorGradient(canvas.dc(), &rect, gradient, TRUE, nullptr);
    EXPECT_EQ(BlendColors(kFrom, kTo, 0.5), canvas.At(50, 0));
}

TEST(PixelPairs, AveragesEachPairAndNeverReadsPastAnOddArray)
{
    DrawCanvas canvas(4, 1, kSentinel);
    canvas.RawAt(0, 0) = DrawCanvas::Raw(RGB(100, 50, 1));
    canvas.RawAt(1, 0) = DrawCanvas::Raw(RGB(201, 60, 2));
    canvas.RawAt(2, 0) = DrawCanvas::Raw(RGB(10, 10, 10));
    // Three points at the very end of a page followed by an inaccessible one: a fourth point
    // read would fault.
    SYSTEM_INFO si = {};
    ::GetSystemInfo(&si);
    auto* base = static_cast<BYTE*>(
        ::VirtualAlloc(nullptr, si.dwPageSize * 2, MEM_RESERVE, PAGE_NOACCESS));
    ASSERT_NE(nullptr, base);
    ASSERT_NE(nullptr, ::VirtualAlloc(base, si.dwPageSize, MEM_COMMIT, PAGE_READWRITE));
    auto* points = reinterpret_cast<POINT*>(base + si.dwPageSize - 3 * sizeof(POINT));
    points[0] = {0, 0};
    points[1] = {1, 0};
    points[2] = {2, 0};
    CUTKDrawHelpers::BlendPixelPairs(canvas.dc(), points, 3);
    EXPECT_EQ(RGB(150, 55, 1), canvas.At(0, 0));
    EXPECT_EQ(RGB(10, 10, 10), canvas.At(2, 0));
    CUTKDrawHelpers::BlendPixelPairs(canvas.dc(), points, 0);
    CUTKDrawHelpers::BlendPixelPairs(canvas.dc(), points, -4);
    EXPECT_EQ(RGB(150, 55, 1), canvas.At(0, 0));
    ::VirtualFree(base, 0, MEM_RELEASE);
}

TEST(Corners, ExcludedFromTheClip)
{
    DrawCanvas canvas(10, 10, kSentinel);
    CUTKDrawHelpers::ExcludeCorners(canvas.dc(), CRect(2, 2, 8, 8));
    const RECT all = {0, 0, 10, 10};
    GetDrawHelpers()->GradientFill(canvas.dc(), &all, kFrom, kFrom, TRUE);
    for (POINT p : {POINT{2, 2}, POINT{7, 2}, POINT{2, 7}, POINT{7, 7}}) {
        EXPECT_EQ(kSentinel, canvas.At(p.x, p.y)) << p.x << "," << p.y;
    }
    EXPECT_EQ(kFrom, canvas.At(3, 2));
    EXPECT_EQ(kFrom, canvas.At(8, 8));
}

TEST(Layout, RightToLeftWithAndWithoutGdiEntries)
{
    DrawCanvas canvas(4, 4, kSentinel);
    EXPECT_FALSE(CUTKDrawHelpers::IsContextRTL(canvas.dc()));
    CUTKDrawHelpers::SetContextRTL(canvas.dc(), LAYOUT_RTL);
    EXPECT_TRUE(CUTKDrawHelpers::IsContextRTL(canvas.dc()));
    EXPECT_FALSE(CUTKDrawHelpers::IsContextRTL(nullptr));

    // Without the entry points no DC is mirrored and setting the layout does nothing.
    UTKLayoutEntries::Override(nullptr, nullptr);
    EXPECT_FALSE(CUTKDrawHelpers::IsContextRTL(canvas.dc()));
    CUTKDrawHelpers::SetContextRTL(canvas.dc(), 0);
    UTKLayoutEntries::Reset();
    EXPECT_EQ(static_cast<DWORD>(LAYOUT_RTL), ::GetLayout(canvas.hdc()));
    CUTKDrawHelpers::SetContextRTL(canvas.dc(), 0);
    EXPECT_FALSE(CUTKDrawHelpers::IsContextRTL(canvas.dc()));
}

TEST(OwnBlend, EqualsMsimg32OnATableOfPixels)
{
    ASSERT_NE(nullptr, GetDrawHelpers()->m_pfnAlphaBlend);
    // Premultiplied sources (blue, green, red, alpha from the low byte) over destinations.
    const std::vector<std::pair<DWORD, DWORD>> table = {
        {0xFF102030u, 0x00FFFFFFu}, {0x00000000u, 0x00808080u}, {0x80404040u, 0x00FFFFFFu},
        {0x80800000u, 0x000000FFu}, {0x40202020u, 0x00C0C0C0u}, {0x01010101u, 0x00FEFEFEu},
        {0xFE7F7F7Fu, 0x00010203u}, {0xC0C00060u, 0x00336699u}, {0x7F7F7F7Fu, 0x7F7F7F7Fu},
        {0x20200000u, 0xFF00FF00u}, {0xFFFFFFFFu, 0xFF000000u}, {0x10100810u, 0x80402010u},
    };
    const int n = static_cast<int>(table.size());
    DrawCanvas source(n, 1, 0);
    DrawCanvas destination(n, 1, 0);
    for (int i = 0; i < n; ++i) {
        source.RawAt(i, 0) = table[static_cast<size_t>(i)].first;
        destination.RawAt(i, 0) = table[static_cast<size_t>(i)].second;
    }
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ASSERT_TRUE(GetDrawHelpers()->m_pfnAlphaBlend(destination.hdc(), 0, 0, n, 1, source.hdc(),
                                                  0, 0, n, 1, blend));
    for (int i = 0; i < n; ++i) {
        const auto& [s, d] = table[static_cast<size_t>(i)];
        const DWORD own = AlphaBlendPixel(s, d);
        const DWORD system = destination.RawAt(i, 0);
        for (int shift = 0; shift < 24; shift += 8) {
            EXPECT_NEAR(static_cast<int>((own >> shift) & 0xFF),
                        static_cast<int>((system >> shift) & 0xFF), 1)
                << "pixel " << i << " byte " << shift / 8;
        }
    }
}

TEST(OwnBlend, ClampsAt255)
{
    // Not premultiplied: 200 + 255 * 155 / 255 would carry into the next byte.
    EXPECT_EQ(0x64FFFFFFu, AlphaBlendPixel(0x64C8C8C8u, 0x00FFFFFFu));
    EXPECT_EQ(0xFF000000u | 0x00123456u, AlphaBlendPixel(0xFF123456u, 0x00FFFFFFu));
    EXPECT_EQ(0x00FFFFFFu, AlphaBlendPixel(0x00000000u, 0x00FFFFFFu));
}

}  // namespace
