// The glyphs every theme shares, read back from 32-bit DIB sections: check marks on normal and
// mirrored DCs (and bold), check boxes and radio buttons against the system's own drawing,
// the smooth circle, pixel and bit blending, and the floating bar caption through
// WM_PRINTCLIENT-free windowless drawing. Each drawing leaves the DC's objects as it found them.
#include <windows.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <gtest/gtest.h>

#include "tests/toolkit/common/DrawCanvas.h"
#include "tests/toolkit/themes/PaintManagerTestDouble.h"

#include <cstdlib>
#include <set>
#include <string>
#include <utility>

using orvane::test::DrawCanvas;
using orvane::test::TestPaintManager;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kMark = RGB(200, 30, 60);

bool IsClassicRun()
{
    const char* run = std::getenv("ORVANE_THEME_RUN");
    return run != nullptr && std::string(run) == "classic";
}

using PixelSet = std::set<std::pair<int, int>>;

// Pixels of a one-pixel polyline through 45-degree or straight segments (last point left out,
// as GDI draws it).
void AddPolyline(PixelSet& set, std::initializer_list<POINT> points)
{
    const POINT* p = points.begin();
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        int x = p[i].x;
        int y = p[i].y;
        const int dx = (p[i + 1].x > x) - (p[i + 1].x < x);
        const int dy = (p[i + 1].y > y) - (p[i + 1].y < y);
        while (x != p[i + 1].x || y != p[i + 1].y) {
            set.insert({x, y});
            x += dx;
            y += dy;
        }
    }
}

PixelSet Painted(CDC* dc, int width, int height, COLORREF background)
{
    PixelSet set;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (dc->GetPixel(x, y) != background) {
                set.insert({x, y});
            }
        }
    }
    return set;
}

struct DCObjects {
    explicit DCObjects(HDC dc)
        : pen(::GetCurrentObject(dc, OBJ_PEN)), brush(::GetCurrentObject(dc, OBJ_BRUSH)),
          font(::GetCurrentObject(dc, OBJ_FONT)), bitmap(::GetCurrentObject(dc, OBJ_BITMAP)),
          text(::GetTextColor(dc)), back(::GetBkColor(dc)), mode(::GetBkMode(dc))
    {
    }
    bool operator==(const DCObjects& o) const
    {
        return pen == o.pen && brush == o.brush && font == o.font && bitmap == o.bitmap &&
               text == o.text && back == o.back && mode == o.mode;
    }
    HGDIOBJ pen, brush, font, bitmap;
    COLORREF text, back;
    int mode;
};

class PaintManagerGlyphs : public ::testing::Test {
protected:
    void SetUp() override { pm->RefreshMetrics(); }
    void TearDown() override { pm->InternalRelease(); }
    TestPaintManager* pm = new TestPaintManager();
};

TEST_F(PaintManagerGlyphs, CheckMarkPolylinesOnNormalAndMirroredDCs)
{
    const CRect rc(0, 0, 20, 20);
    const int cx = 10;
    const int cy = 10;
    for (BOOL bold : {FALSE, TRUE}) {
        for (bool mirrored : {false, true}) {
            DrawCanvas canvas(20, 20, kWhite);
            if (mirrored) {
                ::SetLayout(canvas.hdc(), LAYOUT_RTL);
            }
            pm->m_bBoldCheckMarks = bold;
            const DCObjects before(canvas.hdc());
            pm->DrawCheckMark(canvas.dc(), rc, TRUE, kMark);
            EXPECT_TRUE(DCObjects(canvas.hdc()) == before);

            PixelSet expected;
            for (int dy = 0; dy < (bold ? 2 : 1); ++dy) {
                if (!mirrored) {
                    AddPolyline(
                        expected,
                        {{cx - 4, cy - 1 + dy}, {cx - 2, cy + 1 + dy}, {cx + 3, cy - 4 + dy}});
                    AddPolyline(expected,
                                {{cx - 4, cy + dy}, {cx - 2, cy + 2 + dy}, {cx + 3, cy - 3 + dy}});
                } else {
                    AddPolyline(expected,
                                {{cx - 4, cy - 3 + dy}, {cx, cy + 1 + dy}, {cx + 3, cy - 2 + dy}});
                    AddPolyline(expected,
                                {{cx - 4, cy - 2 + dy}, {cx, cy + 2 + dy}, {cx + 3, cy - 1 + dy}});
                }
            }
            // Read in the DC's own (logical) coordinates: a mirrored DC maps them back.
            EXPECT_EQ(Painted(canvas.dc(), 20, 20, kWhite), expected)
                << (mirrored ? "mirrored" : "normal") << (bold ? " bold" : "");
            for (const auto& [x, y] : expected) {
                EXPECT_EQ(canvas.dc()->GetPixel(x, y), kMark);
            }
        }
    }
}

TEST_F(PaintManagerGlyphs, CheckMarkColourMayBeATableIndex)
{
    pm->GetColorEntry(13)->SetCustomValue(RGB(0, 128, 255));
    DrawCanvas canvas(20, 20, kWhite);
    pm->DrawCheckMark(canvas.dc(), CRect(0, 0, 20, 20), TRUE, 13);
    EXPECT_EQ(canvas.At(6, 9), RGB(0, 128, 255));
}

// The system's own drawing of a check box or radio button in the same state.
void DrawReference(CDC* dc, CRect rc, bool themed, bool radio, BOOL selected, BOOL pressed,
                   BOOL checked, BOOL enabled)
{
    if (themed) {
        // Through the wrapper: the classic run has no uxtheme to import from.
        CUTKWinThemeWrapper theme;
        theme.OpenThemeData(nullptr, L"BUTTON");
        int s = !enabled ? 3 : (selected && pressed ? 2 : (selected ? 1 : 0));
        const int state = 1 + s + (checked == 1 ? 4 : 0) + (checked == 2 ? 8 : 0);
        theme.DrawThemeBackground(*dc, radio ? BP_RADIOBUTTON : BP_CHECKBOX, state, &rc, nullptr);
        return;
    }
    UINT flags = radio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
    flags |= checked ? DFCS_CHECKED : 0;
    flags |= pressed ? DFCS_PUSHED : 0;
    flags |= (!enabled || checked == 2) ? DFCS_INACTIVE : 0;
    ::DrawFrameControl(*dc, &rc, DFC_BUTTON, flags);
}

TEST_F(PaintManagerGlyphs, CheckBoxAndRadioMarksMatchTheSystemsDrawing)
{
    for (BOOL themedFlag : {FALSE, TRUE}) {
        pm->m_bThemedCheckBox = themedFlag;
        pm->RefreshMetrics();
        const bool themed = themedFlag && pm->m_themeButton.IsAppThemed();
        // The prefix's style has the BUTTON class; the classic run has no visual styles.
        EXPECT_EQ(themed, themedFlag && !IsClassicRun());
        struct State {
            BOOL selected, pressed, checked, enabled;
        } states[] = {{0, 0, 0, 1}, {1, 0, 0, 1}, {1, 1, 1, 1}, {0, 0, 1, 1},
                      {0, 0, 2, 1}, {0, 0, 1, 0}, {0, 0, 0, 0}};
        for (bool radio : {false, true}) {
            for (const State& s : states) {
                DrawCanvas drawn(13, 13, RGB(1, 2, 3));
                DrawCanvas reference(13, 13, RGB(1, 2, 3));
                const CRect rc(0, 0, 13, 13);
                const CSize size = radio ? pm->DrawRadioButtonMark(drawn.dc(), rc, TRUE, s.selected,
                                                                   s.pressed, s.checked, s.enabled)
                                         : pm->DrawCheckBoxMark(drawn.dc(), rc, TRUE, s.selected,
                                                                s.pressed, s.checked, s.enabled);
                EXPECT_EQ(size, CSize(13, 13));
                DrawReference(reference.dc(), rc, themed, radio, s.selected, s.pressed, s.checked,
                              s.enabled);
                int differing = 0;
                for (int y = 0; y < 13; ++y) {
                    for (int x = 0; x < 13; ++x) {
                        differing += drawn.At(x, y) != reference.At(x, y);
                    }
                }
                EXPECT_EQ(differing, 0)
                    << (radio ? "radio" : "check") << " themed " << themed << " state "
                    << s.selected << s.pressed << s.checked << s.enabled;
            }
        }
    }
}

TEST_F(PaintManagerGlyphs, MarksOnlyMeasuredDrawNothing)
{
    DrawCanvas canvas(13, 13, kWhite);
    EXPECT_EQ(pm->DrawCheckBoxMark(canvas.dc(), CRect(0, 0, 13, 13), FALSE, 0, 0, 1, 1),
              CSize(13, 13));
    EXPECT_EQ(pm->DrawRadioButtonMark(canvas.dc(), CRect(0, 0, 13, 13), FALSE, 0, 0, 1, 1),
              CSize(13, 13));
    EXPECT_TRUE(Painted(canvas.dc(), 13, 13, kWhite).empty());
}

TEST_F(PaintManagerGlyphs, SmoothCircleOnlyOnSquares)
{
    DrawCanvas canvas(20, 20, kWhite);
    CUTKPaintManager::DrawSmoothCircle(canvas.dc(), 2, 2, 8, 9, RGB(0, 0, 0), RGB(0, 0, 0));
    EXPECT_TRUE(Painted(canvas.dc(), 20, 20, kWhite).empty()) << "6 by 7 draws nothing";

    CUTKPaintManager::DrawSmoothCircle(canvas.dc(), 2, 2, 12, 12, RGB(0, 0, 255), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(6, 6), RGB(255, 0, 0)) << "inside is the fill colour";
    EXPECT_EQ(canvas.At(2, 2), kWhite) << "the corner stays";
    EXPECT_EQ(canvas.At(15, 15), kWhite);
    const COLORREF edge = canvas.At(2, 6);
    EXPECT_NE(edge, kWhite);
    EXPECT_NE(edge, RGB(255, 0, 0));
}

TEST_F(PaintManagerGlyphs, RadioDotIsASixPixelCircleInTheMiddle)
{
    DrawCanvas canvas(20, 20, kWhite);
    pm->DrawRadioDot(canvas.dc(), CRect(0, 0, 20, 20), TRUE, kMark);
    const PixelSet painted = Painted(canvas.dc(), 20, 20, kWhite);
    ASSERT_FALSE(painted.empty());
    for (const auto& [x, y] : painted) {
        EXPECT_GE(x, 7);
        EXPECT_LT(x, 13);
        EXPECT_GE(y, 7);
        EXPECT_LT(y, 13);
    }
    EXPECT_EQ(canvas.At(9, 9), kMark);
}

TEST(PaintManagerBlend, BlendPixelOnlyWhereAPixelExists)
{
    DrawCanvas canvas(4, 4, RGB(100, 100, 100));
    CUTKPaintManager::BlendPixel(canvas.dc(), 1, 1, RGB(200, 0, 0), 0, 0.5);
    EXPECT_EQ(canvas.At(1, 1), RGB(150, 50, 50));
    CUTKPaintManager::BlendPixel(canvas.dc(), 2, 2, RGB(200, 0, 0), RGB(0, 0, 0), -0.25);
    EXPECT_EQ(canvas.At(2, 2), RGB(150, 0, 0)) << "a negative factor blends with the given colour";
    // Outside the bitmap: nothing happens, nothing breaks.
    CUTKPaintManager::BlendPixel(canvas.dc(), 10, 10, RGB(200, 0, 0), 0, 0.5);
    CUTKPaintManager::BlendPixel(canvas.dc(), -1, 0, RGB(200, 0, 0), 0, 0.5);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            if (!((x == 1 && y == 1) || (x == 2 && y == 2))) {
                EXPECT_EQ(canvas.At(x, y), RGB(100, 100, 100));
            }
        }
    }
}

TEST(PaintManagerBlend, BlendBitsMixesColourBytesAndKeepsTheFourth)
{
    struct Case {
        BYTE a;
        BYTE b;
        int alpha;
        BYTE expected;
    } cases[] = {{0, 255, 0, 0},
                 {0, 255, 255, 254},
                 {100, 200, 128, 149},
                 {255, 0, 229, 25},
                 {50, 50, 25, 49}};
    for (const Case& c : cases) {
        BYTE a[8] = {c.a, c.a, c.a, 11, c.a, c.a, c.a, 12};
        BYTE b[8] = {c.b, c.b, c.b, 21, c.b, c.b, c.b, 22};
        BYTE dest[8] = {0, 0, 0, 77, 0, 0, 0, 88};
        CUTKPaintManager::BlendBits(dest, a, 2, 1, b, c.alpha);
        const int value = (c.b * c.alpha + c.a * (255 - c.alpha)) >> 8;
        EXPECT_EQ(dest[0], value);
        EXPECT_EQ(dest[0], c.expected);
        EXPECT_EQ(dest[6], c.expected);
        EXPECT_EQ(dest[3], 77);
        EXPECT_EQ(dest[7], 88);
    }
}

TEST_F(PaintManagerGlyphs, DropDownAndPopupGlyphs)
{
    DrawCanvas canvas(30, 30, kWhite);
    pm->DrawDropDownGlyph(canvas.dc(), CRect(0, 0, 20, 20), kMark);
    // Half width 10 → f 6: the triangle (4, 7), (16, 7), (10, 13).
    EXPECT_EQ(canvas.At(10, 7), kMark);
    EXPECT_EQ(canvas.At(4, 7), kMark);
    EXPECT_EQ(canvas.At(10, 12), kMark);
    EXPECT_EQ(canvas.At(10, 6), kWhite);
    EXPECT_EQ(canvas.At(10, 14), kWhite);
    EXPECT_EQ(canvas.At(3, 7), kWhite);

    canvas.Fill(kWhite);
    pm->DrawControlPopupGlyph(canvas.dc(), nullptr, CPoint(10, 10), FALSE, FALSE, TRUE, FALSE);
    // Colour from the theme's text colour of a normal enabled toolbar control.
    EXPECT_EQ(pm->m_lastState[5], CUTKPaintManager::kBarTypeNormal);
    EXPECT_EQ(canvas.At(10, 10), RGB(1, 2, 3) + 0x100000u);
    EXPECT_EQ(canvas.At(8, 9), RGB(1, 2, 3) + 0x100000u);
    EXPECT_EQ(canvas.At(10, 12), kWhite);
}

TEST_F(PaintManagerGlyphs, FramesAndFills)
{
    pm->GetColorEntry(16)->SetCustomValue(RGB(10, 0, 0));
    pm->GetColorEntry(20)->SetCustomValue(RGB(0, 20, 0));
    pm->GetColorEntry(24)->SetCustomValue(RGB(0, 0, 30));
    DrawCanvas canvas(10, 10, kWhite);
    pm->Draw3dRect(canvas.dc(), CRect(0, 0, 10, 10), 20, 16);
    EXPECT_EQ(canvas.At(0, 0), RGB(0, 20, 0));
    EXPECT_EQ(canvas.At(9, 9), RGB(10, 0, 0));
    EXPECT_EQ(canvas.At(5, 5), kWhite);
    pm->DrawFilledRect(canvas.dc(), CRect(2, 2, 8, 8), 16, 24);
    EXPECT_EQ(canvas.At(2, 2), RGB(10, 0, 0));
    EXPECT_EQ(canvas.At(7, 7), RGB(10, 0, 0));
    EXPECT_EQ(canvas.At(4, 4), RGB(0, 0, 30));
    pm->DrawFilledRect(canvas.dc(), CRect(2, 2, 8, 8), 24, 24);
    EXPECT_EQ(canvas.At(2, 2), RGB(0, 0, 30)) << "a frame of the fill colour is not drawn over";
    pm->DrawFilledRect(canvas.dc(), CRect(0, 0, 10, 10), 16, -1);
    EXPECT_EQ(canvas.At(4, 4), RGB(0, 0, 30)) << "fill -1 keeps the inside";
    EXPECT_EQ(canvas.At(0, 5), RGB(10, 0, 0));

    const DCObjects before(canvas.hdc());
    CUTKPaintManager::Triangle(canvas.dc(), CPoint(1, 1), CPoint(5, 1), CPoint(3, 3), kMark);
    pm->DrawLine(canvas.dc(), 0, 9, 9, 9, 16);
    EXPECT_TRUE(DCObjects(canvas.hdc()) == before);
    EXPECT_EQ(canvas.At(3, 2), kMark);
    EXPECT_EQ(canvas.At(4, 9), RGB(10, 0, 0));
}

TEST(PaintManagerAlpha, SetRectAlphaOpaqueSetsOnlyTheAlphaByte)
{
    DrawCanvas canvas(6, 6, RGB(10, 20, 30));
    CUTKPaintManager::SetRectAlphaOpaque(canvas.dc(), CRect(1, 1, 4, 4));
    EXPECT_EQ(canvas.RawAt(2, 2) >> 24, 0xFFu);
    EXPECT_EQ(canvas.At(2, 2), RGB(10, 20, 30));
    EXPECT_EQ(canvas.RawAt(0, 0) >> 24, 0u);
    EXPECT_EQ(canvas.RawAt(4, 4) >> 24, 0u);
}

}  // namespace
