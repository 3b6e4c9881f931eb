// Dock-bar rows without windows: toolbars of fixed sizes placed along horizontal and vertical
// dock bars, as a table of rows and the rectangles they end up in.
#include <windows.h>

#include <gtest/gtest.h>

#include "toolkit/commandbars/DockBarRowLayout.h"

#include <string>
#include <vector>

namespace {

// A toolbar of fixed size: `length` along the row and 26 across. One that may hide controls
// gives way down to `minLength` when the mode allows it; a stretched one takes the length.
struct FakeBar {
    int length = 100;
    int minLength = 0;  // 0: cannot hide controls
    int dockedEdge = 0;
    DWORD flags = 0;
};

constexpr int kThickness = 26;

class FakeMeasure : public DockBarRowLayout::Measure {
public:
    FakeMeasure(std::vector<FakeBar> bars, BOOL horizontal) : m_bars(std::move(bars)), m_horz(horizontal) {}

    CSize CalcDockingLayout(int bar, int length, DWORD mode) override
    {
        const FakeBar& b = m_bars[static_cast<size_t>(bar)];
        calls.push_back(mode);
        int along = b.length;
        if (mode & DockBarRowLayout::kModeStretch)
            along = length;
        else if ((mode & DockBarRowLayout::kModeHideWrap) && b.minLength > 0)
            along = std::max(b.minLength, std::min(length, b.length));
        return m_horz ? CSize(along, kThickness) : CSize(kThickness, along);
    }

    std::vector<DockBarRowLayout::Bar> Bars() const
    {
        std::vector<DockBarRowLayout::Bar> out;
        for (const FakeBar& b : m_bars) {
            DockBarRowLayout::Bar bar;
            bar.flags = b.flags | (b.minLength > 0 ? DockBarRowLayout::kFlagHideWrap : 0);
            bar.dockedEdge = b.dockedEdge;
            out.push_back(bar);
        }
        return out;
    }

    std::vector<DWORD> calls;

private:
    std::vector<FakeBar> m_bars;
    BOOL m_horz;
};

// Placements as "bar:left,top,right,bottom" in bar order, for readable failures.
std::string Describe(const std::vector<DockBarRowLayout::Placement>& placements, size_t count)
{
    std::vector<std::string> byBar(count, "-");
    for (const auto& p : placements) {
        byBar[static_cast<size_t>(p.bar)] = std::to_string(p.rect.left) + "," +
                                            std::to_string(p.rect.top) + "," +
                                            std::to_string(p.rect.right) + "," +
                                            std::to_string(p.rect.bottom);
    }
    std::string out;
    for (size_t i = 0; i < count; ++i)
        out += (i ? " " : "") + std::to_string(i) + ":" + byBar[i];
    return out;
}

struct RowCase {
    const char* name;
    std::vector<FakeBar> bars;
    std::vector<std::vector<int>> rows;
    int length;
    const char* want;  // rectangles of a horizontal dock bar
    int thickness;
};

std::vector<RowCase> RowCases()
{
    const DWORD stretched = DockBarRowLayout::kFlagStretched;
    const DWORD fill = DockBarRowLayout::kFlagFillRow;
    return {
        {"empty dock bar takes no room", {}, {}, 300, "", 0},
        {"two at the start side by side in index order",
         {{100, 0, 0, 0}, {100, 0, 0, 0}}, {{0, 1}}, 300,
         "0:0,0,100,26 1:100,0,200,26", 26},
        {"given order decides who is pushed, not bar order",
         {{100, 0, 0, 0}, {100, 0, 0, 0}}, {{1, 0}}, 300,
         "0:100,0,200,26 1:0,0,100,26", 26},
        {"overlap pushes the later-given one forward",
         {{100, 0, 50, 0}, {100, 0, 100, 0}}, {{0, 1}}, 300,
         "0:50,0,150,26 1:150,0,250,26", 26},
        {"the earlier-given one keeps its place; the later one is pulled back",
         {{100, 0, 50, 0}, {100, 0, 100, 0}}, {{1, 0}}, 300,
         "0:0,0,100,26 1:100,0,200,26", 26},
        {"past the row end is pulled back", {{100, 0, 250, 0}}, {{0}}, 300,
         "0:200,0,300,26", 26},
        {"remembered gaps are kept", {{80, 0, 0, 0}, {80, 0, 200, 0}}, {{0, 1}}, 300,
         "0:0,0,80,26 1:200,0,280,26", 26},
        {"short row shrinks bars that may hide controls",
         {{150, 40, 0, 0}, {150, 40, 0, 0}}, {{0, 1}}, 250,
         "0:0,0,100,26 1:100,0,250,26", 26},
        {"short row of fixed bars wraps the furthest into a new row",
         {{150, 0, 0, 0}, {150, 0, 0, 0}}, {{0, 1}}, 250,
         "0:0,0,150,26 1:0,26,150,52", 52},
        {"shrinking first, then the furthest wraps",
         {{150, 40, 0, 0}, {150, 40, 0, 0}, {150, 40, 0, 0}}, {{0, 1, 2}}, 100,
         "0:0,0,40,26 1:40,0,100,26 2:0,26,100,52", 52},
        {"wrapped bars keep their array order",
         {{150, 0, 0, 0}, {150, 0, 0, 0}, {150, 0, 0, 0}}, {{0, 1, 2}}, 160,
         "0:0,0,150,26 1:0,26,150,52 2:0,52,150,78", 78},
        {"one bar longer than its row stays in it", {{400, 0, 0, 0}}, {{0}}, 300,
         "0:0,0,400,26", 26},
        {"a stretched bar takes the whole row", {{100, 0, 0, stretched}}, {{0}}, 300,
         "0:0,0,300,26", 26},
        {"a row-filling bar takes the free space",
         {{100, 0, 0, 0}, {50, 0, 150, fill}}, {{0, 1}}, 300,
         "0:0,0,100,26 1:100,0,300,26", 26},
        {"rows stack",
         {{100, 0, 0, 0}, {100, 0, 40, 0}}, {{0}, {1}}, 300,
         "0:0,0,100,26 1:40,26,140,52", 52},
    };
}

} // namespace

TEST(DockBarRowLayout, RowsAsTable)
{
    for (const RowCase& c : RowCases()) {
        for (BOOL horizontal : {TRUE, FALSE}) {
            FakeMeasure measure(c.bars, horizontal);
            DockBarRowLayout layout(measure, measure.Bars(), horizontal, TRUE);
            const CSize size = layout.CalcDockBarSize(c.rows, c.length, FALSE, TRUE);
            // A vertical dock bar is the same layout with the axes swapped.
            std::vector<DockBarRowLayout::Placement> placements = layout.GetPlacements();
            if (!horizontal) {
                for (auto& p : placements)
                    p.rect = CRect(p.rect.top, p.rect.left, p.rect.bottom, p.rect.right);
            }
            EXPECT_EQ(Describe(placements, c.bars.size()), c.want)
                << c.name << (horizontal ? " (horizontal)" : " (vertical)");
            EXPECT_EQ(horizontal ? size.cy : size.cx, c.thickness) << c.name;
            EXPECT_EQ(horizontal ? size.cx : size.cy, 0) << c.name;
        }
    }
}

TEST(DockBarRowLayout, MeasuringCommitsNothing)
{
    FakeMeasure measure({{100, 0, 0, 0}, {100, 0, 0, 0}}, TRUE);
    DockBarRowLayout layout(measure, measure.Bars(), TRUE, TRUE);
    const CSize size = layout.CalcDockBarSize({{0, 1}}, 300, TRUE, FALSE);
    EXPECT_EQ(size, CSize(DockBarRowLayout::kStretchLength, kThickness));
    EXPECT_TRUE(layout.GetPlacements().empty());
    for (DWORD mode : measure.calls)
        EXPECT_EQ(mode & DockBarRowLayout::kModeCommit, 0u);

    FakeMeasure vertical({{100, 0, 0, 0}}, FALSE);
    DockBarRowLayout column(vertical, vertical.Bars(), FALSE, TRUE);
    EXPECT_EQ(column.CalcDockBarSize({}, 300, TRUE, FALSE), CSize(0, DockBarRowLayout::kStretchLength));
}

TEST(DockBarRowLayout, ModesByDockBarAndFlags)
{
    struct Case {
        BOOL horizontal;
        DWORD flags;
        BOOL hideAllowed;
        DWORD want;
    } cases[] = {
        {TRUE, 0, TRUE, 10},
        {FALSE, 0, TRUE, 16},
        {TRUE, DockBarRowLayout::kFlagStretched, TRUE, 11},
        {FALSE, DockBarRowLayout::kFlagStretched, TRUE, 17},
        {TRUE, DockBarRowLayout::kFlagHideWrap, TRUE, 10 | 0x80},
        {TRUE, DockBarRowLayout::kFlagHideWrap, FALSE, 10},  // customising
        {FALSE, DockBarRowLayout::kFlagHideWrap | DockBarRowLayout::kFlagStretched, TRUE, 17 | 0x80},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DockBarRowLayout::LayoutMode(c.horizontal, c.flags, c.hideAllowed), c.want)
            << c.horizontal << " " << c.flags << " " << c.hideAllowed;
}

TEST(DockBarRowLayout, CommitCallsCarryCommitAndFillStretch)
{
    FakeMeasure measure({{100, 0, 0, 0}, {50, 0, 150, DockBarRowLayout::kFlagFillRow}}, TRUE);
    DockBarRowLayout layout(measure, measure.Bars(), TRUE, TRUE);
    layout.CalcDockBarSize({{0, 1}}, 300, TRUE, TRUE);
    ASSERT_EQ(layout.GetPlacements().size(), 2u);
    EXPECT_EQ(layout.GetPlacements()[0].mode, 10u | 0x40);
    EXPECT_EQ(layout.GetPlacements()[1].mode, 10u | 0x40 | 0x01);
}

TEST(DockBarRowLayout, HidingNotAllowedWrapsInsteadOfShrinking)
{
    // Customising: bars that could hide controls keep them and wrap.
    FakeMeasure measure({{150, 40, 0, 0}, {150, 40, 0, 0}}, TRUE);
    DockBarRowLayout layout(measure, measure.Bars(), TRUE, FALSE);
    const CSize size = layout.CalcDockBarSize({{0, 1}}, 250, FALSE, TRUE);
    EXPECT_EQ(size.cy, 2 * kThickness);
    EXPECT_EQ(Describe(layout.GetPlacements(), 2), "0:0,0,150,26 1:0,26,150,52");
}
