// The progress range and position, the fill and chunk arithmetic, and the painter's flat bar
// read back from a 32-bit DIB section (exact colours), including ranges that leave the stored
// position outside and an empty range.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/toolkit/common/DrawCanvas.h"
#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/controls/CUTKProgressBase.h"
#include "toolkit/controls/CUTKProgressPaintManager.h"

using orvane::test::DrawCanvas;

namespace {

class TestProgress : public CUTKProgressBase {
public:
    void GetProgressRect(CRect* rc) override { *rc = m_rect; }
    void RedrawProgress() override { ++m_redraws; }
    CUTKProgressPaintManager* GetProgressPaintManager() override { return m_painter; }

    CRect m_rect{0, 0, 104, 16};
    int m_redraws = 0;
    CUTKProgressPaintManager* m_painter = nullptr;
};

COLORREF Sys(int index) { return GetColorManager()->GetColor(index); }

}  // namespace

TEST(ProgressBase, PositionIsClampedAndRedrawsOnlyOnChange)
{
    TestProgress p;
    int lower = -1;
    int upper = -1;
    p.GetRange(lower, upper);
    EXPECT_EQ(0, lower);
    EXPECT_EQ(100, upper);
    EXPECT_EQ(0, p.GetPos());
    struct Step {
        int set;
        int stored;
        int redraws;
    };
    const Step steps[] = {{50, 50, 1}, {50, 50, 1}, {150, 100, 2}, {-3, 0, 3}, {0, 0, 3}};
    for (const Step& s : steps) {
        p.SetPos(s.set);
        EXPECT_EQ(s.stored, p.GetPos()) << s.set;
        EXPECT_EQ(s.redraws, p.m_redraws) << s.set;
    }
    p.SetRange(0, 100);
    EXPECT_EQ(3, p.m_redraws);
    p.SetPos(80);
    p.SetRange(10, 40);  // the position is left where it was
    EXPECT_EQ(5, p.m_redraws);
    EXPECT_EQ(80, p.GetPos());
    p.GetRange(lower, upper);
    EXPECT_EQ(10, lower);
    EXPECT_EQ(40, upper);
}

TEST(ProgressBase, FilledWidth)
{
    struct Case {
        int width, pos, lower, upper, filled;
    };
    const Case cases[] = {
        {100, 50, 0, 100, 50}, {100, 0, 0, 100, 0},   {100, 100, 0, 100, 100},
        {96, 1, 0, 3, 32},     {100, 30, 20, 40, 50}, {100, 80, 10, 40, 100},  // left outside
        {100, -5, 0, 40, 0},   {100, 5, 5, 5, 0},     {100, 5, 10, 0, 0},     // empty, inverted
        {0, 50, 0, 100, 0},    {-4, 50, 0, 100, 0},   {100, INT_MAX, INT_MIN, INT_MAX, 100},
    };
    for (const Case& c : cases) {
        const int filled = CUTKProgressBase::CalcFilledWidth(c.width, c.pos, c.lower, c.upper);
        EXPECT_EQ(c.filled, filled) << c.width << " " << c.pos << " " << c.lower << ".." << c.upper;
    }
}

TEST(ProgressBase, ChunksStopAtTheInnerRight)
{
    const CRect inner(4, 3, 100, 13);
    // 20 filled pixels, chunks 6 + gap 2: (20 + 2 + 5) / 8 = 3 chunks.
    std::vector<CRect> chunks = CUTKProgressBase::CalcChunks(inner, 20, 6, 2);
    ASSERT_EQ(3u, chunks.size());
    EXPECT_EQ(CRect(4, 3, 10, 13), chunks[0]);
    EXPECT_EQ(CRect(12, 3, 18, 13), chunks[1]);
    EXPECT_EQ(CRect(20, 3, 26, 13), chunks[2]);
    EXPECT_TRUE(CUTKProgressBase::CalcChunks(inner, 0, 6, 2).empty());
    // Full: the last chunk is cut at the inner right - 1 and nothing starts beyond it.
    chunks = CUTKProgressBase::CalcChunks(inner, 96, 6, 2);
    ASSERT_EQ(12u, chunks.size());
    EXPECT_EQ(CRect(92, 3, 98, 13), chunks.back());
    chunks = CUTKProgressBase::CalcChunks(CRect(0, 0, 10, 5), 10, 4, 0);
    ASSERT_EQ(3u, chunks.size());
    EXPECT_EQ(CRect(8, 0, 9, 5), chunks.back());
    // A zero chunk width counts as 1.
    EXPECT_EQ(3u, CUTKProgressBase::CalcChunks(inner, 5, 0, 1).size());
}

TEST(ProgressPaint, FlatBarFillsHalfOfAHundredPixels)
{
    CUTKProgressPaintManager painter(nullptr);  // no theme: the flat bar
    painter.RefreshMetrics();
    EXPECT_EQ(16, painter.m_cyProgress);
    TestProgress p;
    p.SetPos(50);
    DrawCanvas canvas(120, 20, RGB(1, 2, 3));
    painter.DrawProgressBar(canvas.dc(), &p);
    const COLORREF face = Sys(15), shadow = Sys(16), fill = Sys(13);
    ASSERT_NE(face, fill);
    int filled = 0;
    for (int x = 0; x < 120; ++x) {
        if (canvas.At(x, 8) == fill)
            ++filled;
    }
    EXPECT_EQ(50, filled);
    struct Probe {
        int x, y;
        COLORREF colour;
    };
    const Probe probes[] = {
        {0, 0, shadow},  {103, 0, shadow}, {0, 15, shadow}, {103, 15, shadow}, {50, 0, shadow},
        {1, 1, face},    {1, 8, face},     {2, 2, fill},    {51, 13, fill},    {52, 8, face},
        {101, 8, face},  {102, 8, face},   {50, 14, face},  {104, 8, RGB(1, 2, 3)},
        {10, 16, RGB(1, 2, 3)},
    };
    for (const Probe& pr : probes) {
        EXPECT_EQ(pr.colour, canvas.At(pr.x, pr.y)) << pr.x << "," << pr.y;
    }
}

TEST(ProgressPaint, FlatBarNeverFillsPastItsFrame)
{
    struct Case {
        const char* name;
        int lower, upper, pos;  // range set after the position
        int filled;
    };
    const Case cases[] = {
        {"position above the new range", 0, 40, 80, 100},
        {"position below the new range", 60, 100, 20, 0},
        {"empty range", 5, 5, 50, 0},
        {"inverted range", 100, 0, 50, 0},
    };
    CUTKProgressPaintManager painter(nullptr);
    const COLORREF fill = Sys(13);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestProgress p;
        p.SetPos(c.pos);
        p.SetRange(c.lower, c.upper);
        DrawCanvas canvas(120, 20, RGB(1, 2, 3));
        painter.DrawProgressBar(canvas.dc(), &p);
        int filled = 0;
        for (int x = 0; x < 120; ++x) {
            if (canvas.At(x, 8) == fill)
                ++filled;
        }
        EXPECT_EQ(c.filled, filled);
        EXPECT_EQ(Sys(16), canvas.At(103, 8));
        EXPECT_EQ(Sys(15), canvas.At(102, 8));
    }
}
