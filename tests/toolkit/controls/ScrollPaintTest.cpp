// Scroll-bar, slider and progress painting read back from 32-bit DIB sections: the flat look
// with Marlett arrows in exact colours, the classic and themed arrows against what the system
// draws for the same part, the slider's channel, ticks, buttons and thumb, and the themed
// progress chunks (the classic run falls back to the flat bar).
#include <windows.h>
#include <uxtheme.h>
#include <vsstyle.h>
#include <vssym32.h>

#include <algorithm>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tests/toolkit/common/DrawCanvas.h"
#include "tests/toolkit/common/ThemeRun.h"
#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/common/CUTKWinThemeWrapper.h"
#include "toolkit/controls/CUTKProgressBase.h"
#include "toolkit/controls/CUTKProgressPaintManager.h"
#include "toolkit/controls/CUTKScrollBarPaintManager.h"
#include "toolkit/controls/CUTKScrollBase.h"
#include "toolkit/controls/CUTKSliderPaintManager.h"
#include "toolkit/themes/CUTKPaintManager.h"

using orvane::test::ClassicRun;
using orvane::test::DrawCanvas;

namespace {

COLORREF Sys(int index) { return GetColorManager()->GetColor(index); }

constexpr COLORREF kPaper = RGB(1, 2, 3);

// A horizontal bar owned by the test, drawn by a painter the test chooses.
class PaintedBar : public CUTKScrollBase {
public:
    PaintedBar(CUTKScrollBarPaintManager* painter, CRect rc, int nMax, UINT page, int pos)
        : m_painter(painter), m_rect(rc)
    {
        m_spi.vertical = FALSE;
        m_si.cbSize = sizeof(m_si);
        m_si.fMask = SIF_ALL;
        m_si.nMin = 0;
        m_si.nMax = nMax;
        m_si.nPage = page;
        m_si.nPos = pos;
        RecalcScrollBar();
    }
    BOOL IsScrollBarEnabled() const override { return TRUE; }
    CWnd* GetParentWindow() const override { return nullptr; }
    void GetScrollBarRect(CRect* rc) override { *rc = m_rect; }
    void GetScrollInfo(SCROLLINFO* si) override { *si = m_si; }
    void DoScroll(int, int) override {}
    void RedrawScrollBar() override {}
    CUTKScrollBarPaintManager* GetScrollBarPaintManager() const override { return m_painter; }

    CUTKScrollBarPaintManager* m_painter;
    CRect m_rect;
    SCROLLINFO m_si = {};
};

int Count(const DrawCanvas& canvas, CRect rc, COLORREF colour)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) {
            if (canvas.At(x, y) == colour)
                ++n;
        }
    }
    return n;
}

// Whether two canvases hold the same pixels in a rectangle.
bool SamePixels(const DrawCanvas& a, const DrawCanvas& b, CRect rc)
{
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) {
            if (a.At(x, y) != b.At(x, y))
                return false;
        }
    }
    return true;
}

}  // namespace

TEST(ScrollPaint, FlatArrowsFramesGlyphsAndThumb)
{
    CUTKScrollBarPaintManager painter(nullptr);
    const int arrow = painter.m_cxHScroll;
    ASSERT_GE(arrow, 12);
    PaintedBar bar(&painter, CRect(0, 0, 200, 17), 99, 10, 0);
    EXPECT_EQ(2, bar.GetScrollBarStyle());  // no paint manager: the Default theme's look
    const UTK_SCROLLBAR_POSINFO& s = bar.GetScrollBarPosInfo();

    DrawCanvas canvas(210, 20, kPaper);
    painter.DrawScrollBar(canvas.dc(), &bar);
    // First arrow: highlight top-left, shadow bottom-right, face inside, a black Marlett glyph.
    EXPECT_EQ(Sys(20), canvas.At(0, 0));
    EXPECT_EQ(Sys(20), canvas.At(arrow - 2, 0));
    EXPECT_EQ(Sys(16), canvas.At(arrow - 1, 16));
    EXPECT_EQ(Sys(16), canvas.At(1, 16));
    EXPECT_EQ(Sys(15), canvas.At(1, 1));
    EXPECT_GT(Count(canvas, CRect(0, 0, arrow, 17), RGB(0, 0, 0)), 3);
    EXPECT_GT(Count(canvas, CRect(200 - arrow, 0, 200, 17), RGB(0, 0, 0)), 3);
    // Thumb: face framed flat; track in the scroll-bar colour.
    const int thumbMid = (s.pxThumbTop + s.pxThumbBottom) / 2;
    EXPECT_EQ(Sys(20), canvas.At(s.pxThumbTop, 0));
    EXPECT_EQ(Sys(16), canvas.At(s.pxThumbBottom - 1, 16));
    EXPECT_EQ(Sys(15), canvas.At(thumbMid, 8));
    EXPECT_EQ(::GetSysColor(COLOR_SCROLLBAR), canvas.At(150, 8));
    EXPECT_EQ(kPaper, canvas.At(205, 8));

    // Everything in one page: disabled glyphs in the shadow colour, no thumb.
    PaintedBar disabled(&painter, CRect(0, 0, 200, 17), 9, 10, 0);
    DrawCanvas off(210, 20, kPaper);
    painter.DrawScrollBar(off.dc(), &disabled);
    EXPECT_EQ(0, Count(off, CRect(0, 0, arrow, 17), RGB(0, 0, 0)));
    EXPECT_GT(Count(off, CRect(2, 2, arrow - 2, 15), ::GetSysColor(COLOR_BTNSHADOW)), 3);
    EXPECT_EQ(::GetSysColor(COLOR_SCROLLBAR), off.At(thumbMid, 8));
}

TEST(ScrollPaint, ArrowsMatchTheSystemsOwnDrawing)
{
    // Style 3 draws the visual style's arrow when themes are active, the frame control
    // otherwise (the classic run); style 4 always draws the frame control.
    CUTKScrollBarPaintManager painter(nullptr);
    painter.RefreshMetrics();
    const int arrow = painter.m_cxHScroll;
    for (int style : {3, 4}) {
        SCOPED_TRACE(style);
        PaintedBar bar(&painter, CRect(0, 0, 200, 17), 99, 10, 0);
        bar.SetScrollBarStyle(style);
        DrawCanvas canvas(210, 20, kPaper);
        painter.DrawScrollBar(canvas.dc(), &bar);

        DrawCanvas reference(210, 20, kPaper);
        CRect left(0, 0, arrow, 17);
        CRect right(200 - arrow, 0, 200, 17);
        // uxtheme is bound at run time, so that the classic run (uxtheme off) starts.
        CUTKWinThemeWrapper theme;
        if (style == 3 && !ClassicRun())
            theme.OpenThemeData(nullptr, L"SCROLLBAR");
        if (theme.IsThemeOpen()) {
            theme.DrawThemeBackground(reference.hdc(), SBP_ARROWBTN, ABS_LEFTNORMAL, &left,
                                      nullptr);
            theme.DrawThemeBackground(reference.hdc(), SBP_ARROWBTN, ABS_RIGHTNORMAL, &right,
                                      nullptr);
        } else {
            ::DrawFrameControl(reference.hdc(), &left, DFC_SCROLL, DFCS_SCROLLLEFT);
            ::DrawFrameControl(reference.hdc(), &right, DFC_SCROLL, DFCS_SCROLLRIGHT);
        }
        EXPECT_TRUE(SamePixels(canvas, reference, left));
        EXPECT_TRUE(SamePixels(canvas, reference, right));
        // The track between them is drawn over the paper.
        EXPECT_EQ(0, Count(canvas, CRect(arrow, 0, 200 - arrow, 17), kPaper));
    }
}

TEST(ScrollPaint, SliderChannelTicksButtonsAndThumb)
{
    CUTKSliderPaintManager painter(nullptr);
    painter.RefreshMetrics();
    EXPECT_EQ(16, painter.m_cxHScroll);
    EXPECT_EQ(11, painter.m_nThumbLength);
    PaintedBar bar(&painter, CRect(0, 0, 120, 16), 100, 0, 50);
    const UTK_SCROLLBAR_POSINFO& s = bar.GetScrollBarPosInfo();
    ASSERT_EQ(11, s.thumbLength);
    ASSERT_EQ(55, s.pxThumbTop);

    DrawCanvas canvas(130, 20, kPaper);
    painter.DrawScrollBar(canvas.dc(), &bar);
    const COLORREF shadow = Sys(16), light = Sys(20), face = Sys(15), black = RGB(0, 0, 0);
    struct Probe {
        int x, y;
        COLORREF colour;
    };
    const Probe probes[] = {
        {30, 7, shadow}, {30, 8, light}, {100, 7, shadow}, {100, 8, light},  // channel
        {4, 7, black},   {11, 8, black}, {8, 5, face},                       // minus
        {108, 7, black}, {115, 8, black}, {111, 4, black}, {112, 11, black}, // plus
        {56, 2, shadow}, {64, 2, shadow}, {60, 15, shadow},                  // thumb outline
        {57, 5, light},  {59, 6, face},                                      // inner, fill
        {125, 8, kPaper},
    };
    for (const Probe& p : probes) {
        EXPECT_EQ(p.colour, canvas.At(p.x, p.y)) << p.x << "," << p.y;
    }

    // Ticks at 0 and 100 sit on the channel narrowed by 6 pixels at each end.
    const double ticks[] = {0.0, 100.0, 250.0};
    bar.SetTicks(ticks, 3);
    DrawCanvas ticked(130, 20, kPaper);
    painter.DrawScrollBar(ticked.dc(), &bar);
    for (int x : {22, 98}) {
        EXPECT_EQ(shadow, ticked.At(x - 1, 4)) << x;
        EXPECT_EQ(shadow, ticked.At(x - 1, 10)) << x;
        EXPECT_EQ(light, ticked.At(x, 11)) << x;
    }

    // A vertical slider draws nothing.
    PaintedBar vertical(&painter, CRect(0, 0, 16, 120), 100, 0, 50);
    vertical.GetScrollBarPosInfo().vertical = TRUE;
    DrawCanvas none(20, 130, kPaper);
    painter.DrawScrollBar(none.dc(), &vertical);
    EXPECT_EQ(20 * 130, Count(none, CRect(0, 0, 20, 130), kPaper));
}

namespace {

class PaintedProgress : public CUTKProgressBase {
public:
    void GetProgressRect(CRect* rc) override { *rc = CRect(0, 0, 104, 16); }
    void RedrawProgress() override {}
    CUTKProgressPaintManager* GetProgressPaintManager() override { return nullptr; }
};

}  // namespace

TEST(ProgressPaint, NativeThemeDrawsChunksOrTheFlatBar)
{
    CUTKPaintManager* theme = CUTKPaintManager::CreateTheme(utkThemeNativeXP);
    theme->RefreshMetrics();
    CUTKProgressPaintManager* painter = theme->GetProgressPaintManager();
    ASSERT_NE(nullptr, painter);
    EXPECT_EQ(3, painter->GetBaseTheme());
    PaintedProgress empty;
    PaintedProgress half;
    half.SetPos(50);
    DrawCanvas before(110, 20, kPaper);
    DrawCanvas after(110, 20, kPaper);
    painter->DrawProgressBar(before.dc(), &empty);
    painter->DrawProgressBar(after.dc(), &half);

    CUTKWinThemeWrapper progressTheme;
    if (!ClassicRun())
        progressTheme.OpenThemeData(nullptr, L"PROGRESS");
    if (!progressTheme.IsThemeOpen()) {
        // No visual style: the flat bar, 50 of its 100 inner pixels filled.
        EXPECT_EQ(50, Count(after, CRect(0, 8, 110, 9), Sys(13)));
        EXPECT_EQ(Sys(16), after.At(0, 0));
        theme->InternalRelease();
        return;
    }
    int chunk = 0;
    int gap = 0;
    if (FAILED(progressTheme.GetThemeInt(0, 0, TMT_PROGRESSCHUNKSIZE, &chunk)))
        chunk = 10 * 2 / 3;  // two thirds of the inner height (16 - 2 x 3)
    if (FAILED(progressTheme.GetThemeInt(0, 0, TMT_PROGRESSSPACESIZE, &gap)))
        gap = 2;
    chunk = chunk > 0 ? chunk : 1;
    // The columns of the middle row that changed form the chunks: runs of the chunk width
    // starting at the inner left (4), gap apart.
    std::vector<std::pair<int, int>> runs;
    for (int x = 0; x < 110; ++x) {
        if (after.At(x, 8) == before.At(x, 8))
            continue;
        if (!runs.empty() && runs.back().second == x)
            runs.back().second = x + 1;
        else
            runs.emplace_back(x, x + 1);
    }
    // The themed inner width is 104 - 2 x 4 = 96, half of it filled.
    const int filled = 48;
    const int expected = (filled + gap + chunk - 1) / (chunk + gap);
    ASSERT_GT(expected, 0);
    if (gap == 0) {
        // Chunks side by side: one run from the inner left over whole chunks.
        ASSERT_EQ(1u, runs.size());
        EXPECT_EQ(4, runs[0].first);
        EXPECT_EQ(std::min(4 + expected * chunk, 99), runs[0].second);
        theme->InternalRelease();
        return;
    }
    ASSERT_EQ(static_cast<size_t>(expected), runs.size());
    for (size_t i = 0; i < runs.size(); ++i) {
        EXPECT_EQ(4 + static_cast<int>(i) * (chunk + gap), runs[i].first) << i;
        EXPECT_EQ(chunk, runs[i].second - runs[i].first) << i;
    }
    theme->InternalRelease();
}

TEST(ScrollPaint, StyleFollowsTheOwningThemeUnlessSet)
{
    struct Case {
        int theme;
        int style;
    };
    const Case cases[] = {{utkThemeDefault, 2}, {utkThemeNativeXP, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.theme);
        CUTKPaintManager* theme = CUTKPaintManager::CreateTheme(c.theme);
        theme->RefreshMetrics();
        CUTKScrollBarPaintManager painter(theme);
        EXPECT_EQ(c.theme, painter.GetBaseTheme());
        PaintedBar bar(&painter, CRect(0, 0, 100, 17), 99, 10, 0);
        EXPECT_EQ(c.style, bar.GetScrollBarStyle());
        bar.SetScrollBarStyle(4);
        EXPECT_EQ(4, bar.GetScrollBarStyle());
        theme->InternalRelease();
    }
}
