// What the base draws for bars and controls itself: the floating bar's caption on a real bar
// window (its client rectangle), MDI buttons in Marlett, keyboard-cue independent fills of
// message and status bars, each leaving the DC's objects and colours as it found them.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/toolkit/common/DrawCanvas.h"
#include "tests/toolkit/themes/PaintManagerBarDouble.h"
#include "tests/toolkit/themes/PaintManagerTestDouble.h"
#include "toolkit/themes/StatusBarRecords.h"

#include <algorithm>

using orvane::test::DrawCanvas;
using orvane::test::TestBar;
using orvane::test::TestPaintManager;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

struct DCState {
    explicit DCState(HDC dc)
        : pen(::GetCurrentObject(dc, OBJ_PEN)), brush(::GetCurrentObject(dc, OBJ_BRUSH)),
          font(::GetCurrentObject(dc, OBJ_FONT)), text(::GetTextColor(dc)), back(::GetBkColor(dc)),
          mode(::GetBkMode(dc))
    {
    }
    bool operator==(const DCState& o) const
    {
        return pen == o.pen && brush == o.brush && font == o.font && text == o.text &&
               back == o.back && mode == o.mode;
    }
    HGDIOBJ pen, brush, font;
    COLORREF text, back;
    int mode;
};

int CountColour(DrawCanvas& canvas, CRect area, COLORREF colour)
{
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            n += canvas.At(x, y) == colour;
        }
    }
    return n;
}

class PaintManagerBarDraw : public ::testing::Test {
protected:
    void SetUp() override { pm->RefreshMetrics(); }
    void TearDown() override { pm->InternalRelease(); }
    TestPaintManager* pm = new TestPaintManager();
};

TEST_F(PaintManagerBarDraw, FloatingCaptionFillsItsStripAndNamesTheBar)
{
    TestBar bar(utkBarTypeNormal, utkBarFloating);
    ASSERT_TRUE(
        bar.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, CRect(0, 0, 200, 80), nullptr, 0));
    bar.SetTitle(L"Formatting");
    pm->m_clrFloatingCaption.SetCustomValue(RGB(0, 0, 128));
    pm->m_clrFloatingCaptionText.SetCustomValue(RGB(250, 250, 0));

    DrawCanvas canvas(200, 80, kWhite);
    CDC* dc = canvas.dc();
    const DCState before(canvas.hdc());
    const CSize measured = pm->DrawCommandBarGripper(dc, &bar, FALSE);
    EXPECT_EQ(CountColour(canvas, CRect(0, 0, 200, 80), kWhite), 200 * 80)
        << "measuring draws nothing";
    const CSize drawn = pm->DrawCommandBarGripper(dc, &bar, TRUE);
    EXPECT_TRUE(DCState(canvas.hdc()) == before);
    EXPECT_EQ(measured, drawn);

    HGDIOBJ old = ::SelectObject(canvas.hdc(), pm->m_fontSmCaption.m_hObject);
    SIZE space{};
    ::GetTextExtentPoint32W(canvas.hdc(), L" ", 1, &space);
    ::SelectObject(canvas.hdc(), old);
    const int bottom = std::max<int>(space.cy + 3, 18);
    EXPECT_EQ(drawn, CSize(194, bottom - 3));

    EXPECT_EQ(canvas.At(3, 3), RGB(0, 0, 128));
    EXPECT_EQ(canvas.At(196, bottom - 1), RGB(0, 0, 128));
    EXPECT_EQ(canvas.At(2, 3), kWhite);
    EXPECT_EQ(canvas.At(197, 3), kWhite);
    EXPECT_EQ(canvas.At(100, bottom), kWhite);
    // The title is drawn in the caption text colour, left of the two caption buttons' room.
    const int textPixels =
        CountColour(canvas, CRect(5, 3, 200 - 3 - 2 * (bottom - 3), bottom), RGB(250, 250, 0));
    EXPECT_GT(textPixels, 10);
    EXPECT_EQ(
        CountColour(canvas, CRect(200 - 3 - 2 * (bottom - 3), 3, 197, bottom), RGB(250, 250, 0)),
        0);
    bar.DestroyWindow();
}

TEST_F(PaintManagerBarDraw, OnlyFloatingBarsGetACaption)
{
    for (int position : {utkBarTop, utkBarLeft, utkBarPopup}) {
        TestBar bar(utkBarTypeNormal, position);
        DrawCanvas canvas(50, 50, kWhite);
        EXPECT_EQ(pm->DrawCommandBarGripper(canvas.dc(), &bar, TRUE), CSize(0, 0));
        EXPECT_EQ(CountColour(canvas, CRect(0, 0, 50, 50), kWhite), 2500);
    }
    TestBar floating(utkBarTypeNormal, utkBarFloating);
    EXPECT_EQ(pm->DrawCommandBarGripper(nullptr, &floating, TRUE), CSize(0, 0));
}

TEST_F(PaintManagerBarDraw, MDIButtonDrawsItsMarlettGlyph)
{
    TestBar bar(utkBarTypeMenuBar, utkBarTop);
    CUTKControl* button = new CUTKControl();
    button->SetParent(&bar);
    button->SetRect(CRect(2, 2, 18, 16));
    button->SetParameter(L"r");  // Marlett's cross
    DrawCanvas canvas(20, 18, kWhite);
    const DCState before(canvas.hdc());
    pm->DrawControlMDIButton(canvas.dc(), button);
    EXPECT_TRUE(DCState(canvas.hdc()) == before);
    EXPECT_EQ(pm->m_rectangles, 1) << "the face comes from the theme's rectangle";
    const COLORREF text = RGB(1, 2, 3) + 0x100000u;
    EXPECT_GT(CountColour(canvas, CRect(2, 2, 18, 16), text), 6);
    EXPECT_EQ(CountColour(canvas, CRect(0, 0, 20, 2), text), 0);

    // A metafile DC reports no resolution: the font size falls back instead of dividing by 0.
    HDC metafile = ::CreateMetaFileW(nullptr);
    ASSERT_NE(metafile, nullptr);
    CDC* meta = CDC::FromHandle(metafile);
    pm->DrawControlMDIButton(meta, button);
    ::DeleteMetaFile(::CloseMetaFile(metafile));
    button->SetParent(nullptr);
    button->InternalRelease();
}

TEST_F(PaintManagerBarDraw, MessageAndStatusBarFills)
{
    pm->GetColorEntry(15)->SetCustomValue(RGB(15, 15, 15));
    pm->GetColorEntry(16)->SetCustomValue(RGB(16, 16, 16));
    pm->GetColorEntry(24)->SetCustomValue(RGB(24, 24, 24));
    pm->GetColorEntry(20)->SetCustomValue(RGB(20, 20, 20));
    CUTKMessageBar message;
    message.m_rcClient = CRect(0, 0, 60, 30);
    message.m_rcPadding = CRect(4, 4, 4, 4);
    DrawCanvas canvas(60, 30, kWhite);
    pm->FillMessageBar(canvas.dc(), &message);
    const CRect area = message.GetMessageRect();
    EXPECT_EQ(canvas.At(0, 0), RGB(15, 15, 15));
    EXPECT_EQ(canvas.At(area.left, area.top), RGB(16, 16, 16));
    EXPECT_EQ(canvas.At(area.right - 1, area.bottom - 1), RGB(16, 16, 16));
    EXPECT_EQ(canvas.At(area.left + 1, area.top + 1), RGB(24, 24, 24));

    CUTKStatusBar status;
    status.m_rcClient = CRect(0, 0, 60, 30);
    canvas.Fill(kWhite);
    pm->FillStatusBar(canvas.dc(), &status);  // themed status bars are off in the base
    EXPECT_EQ(CountColour(canvas, CRect(0, 0, 60, 30), RGB(15, 15, 15)), 60 * 30);

    canvas.Fill(kWhite);
    pm->DrawStatusBarPaneSeparator(canvas.dc(), CRect(10, 5, 30, 20), nullptr);
    EXPECT_EQ(canvas.At(8, 5), RGB(16, 16, 16));
    EXPECT_EQ(canvas.At(9, 19), RGB(20, 20, 20));
    EXPECT_EQ(canvas.At(10, 10), kWhite);

    canvas.Fill(kWhite);
    pm->FillWorkspace(canvas.dc(), CRect(1, 1, 5, 5));
    EXPECT_EQ(canvas.At(2, 2), pm->GetColor(COLOR_APPWORKSPACE));
    EXPECT_EQ(canvas.At(6, 6), kWhite);
}

}  // namespace
