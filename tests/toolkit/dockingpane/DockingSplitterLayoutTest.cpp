// The window-free rules of a splitter container: sharing its extent among children, where a
// bar may be dragged, and the sizes a dropped bar gives its neighbours.
#include "toolkit/dockingpane/DockingSplitLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using DockingSplitLayout::Child;
using DockingSplitLayout::Span;

Child Fixed(int size, int minSize = 0, int maxSize = 32000)
{
    Child child;
    child.size = size;
    child.minSize = minSize;
    child.maxSize = maxSize;
    return child;
}

Child Flexible(int size = 0, int minSize = 60)
{
    Child child = Fixed(size, minSize);
    child.flexible = true;
    return child;
}

std::string Spans(const std::vector<Span>& spans)
{
    std::string text;
    for (const Span& span : spans) {
        text += "[" + std::to_string(span.start) + "," + std::to_string(span.end) + ")";
    }
    return text;
}

struct PlacementCase {
    const char* name;
    std::vector<Child> children;
    int extent;
    const char* expected;  // spans of the children, splitter 4
};

class SplitPlacement : public testing::TestWithParam<PlacementCase> {};

TEST_P(SplitPlacement, SpansOfTheChildren)
{
    PlacementCase c = GetParam();
    const DockingSplitLayout::Distribution d =
        DockingSplitLayout::ComputeLengths(c.children, c.extent, 4);
    EXPECT_EQ(c.expected, Spans(DockingSplitLayout::Place(c.children, d, 0, c.extent, 4)));
}

INSTANTIATE_TEST_SUITE_P(
    Table, SplitPlacement,
    testing::Values(
        // Beside the client both panes keep their widths; the client takes 800-400-8.
        PlacementCase{"client", {Fixed(100), Flexible(), Fixed(300)}, 800,
                      "[0,100)[104,496)[500,800)"},
        // Without the client the two share 796 in proportion 1:3.
        PlacementCase{"noClient", {Fixed(100), Fixed(300)}, 800, "[0,199)[203,800)"},
        // A share below the minimum is raised to it; the others share the rest.
        PlacementCase{"minimum", {Fixed(100, 150), Fixed(300), Fixed(300)}, 500,
                      "[0,150)[154,325)[329,500)"},
        // A share above the maximum is cut to it.
        PlacementCase{"maximum", {Fixed(100, 0, 120), Fixed(100)}, 800, "[0,120)[124,800)"},
        // Rounding leaves a remainder: the last child takes it.
        PlacementCase{"remainder", {Fixed(1), Fixed(1), Fixed(1)}, 100,
                      "[0,30)[34,65)[69,100)"},
        // The client squeezed below its minimum is held at it.
        PlacementCase{"clientMinimum", {Fixed(300), Flexible(0, 60), Fixed(300)}, 500,
                      "[0,216)[220,280)[284,500)"},
        // Fixed sizes that do not fit: the one fixed last gives the overflow back.
        PlacementCase{"overflow", {Fixed(100, 300), Fixed(100, 300)}, 404, "[0,300)[304,404)"},
        // One child takes everything; none gives nothing.
        PlacementCase{"single", {Fixed(50)}, 640, "[0,640)"},
        PlacementCase{"none", {}, 640, ""},
        // No room at all: lengths stay unscaled and the last child still ends at the edge.
        PlacementCase{"noRoom", {Fixed(100), Fixed(100)}, 4, "[0,0)[4,4)"}),
    [](const testing::TestParamInfo<PlacementCase>& info) { return info.param.name; });

TEST(SplitLengths, FlexibleChildGrowsIntoWhatIsLeft)
{
    std::vector<Child> children{Fixed(100), Flexible(), Fixed(300)};
    int flexibleSize = 0;
    DockingSplitLayout::ComputeLengths(children, 800, 4, &flexibleSize);
    EXPECT_EQ(392, flexibleSize);
    EXPECT_EQ(100, children[0].length);
    EXPECT_EQ(392, children[1].length);
    EXPECT_EQ(300, children[2].length);
}

TEST(SplitLengths, FixedChildrenAreMarkedNegative)
{
    std::vector<Child> children{Fixed(100, 150), Fixed(300), Fixed(300)};
    const auto d = DockingSplitLayout::ComputeLengths(children, 500, 4);
    EXPECT_EQ(-150, children[0].length);
    EXPECT_EQ(492 - 150, d.available);
    EXPECT_EQ(600, d.total);
}

TEST(SplitLengths, SizeIsLimitedBeforeScaling)
{
    // A docking size above the maximum counts as the maximum, below the minimum as it.
    std::vector<Child> children{Fixed(5000, 0, 200), Fixed(1, 50)};
    const auto d = DockingSplitLayout::ComputeLengths(children, 1000, 4);
    EXPECT_EQ(-200, children[0].length);
    EXPECT_EQ(50, children[1].length);
    EXPECT_EQ("[0,200)[204,1000)", Spans(DockingSplitLayout::Place(children, d, 0, 1000, 4)));
}

struct RangeCase {
    const char* name;
    int firstMin, firstMax, secondMin, secondMax;
    int low, high;
};

class SplitDragRange : public testing::TestWithParam<RangeCase> {};

// Two neighbours spanning [100, 600): the bar's leading edge range.
TEST_P(SplitDragRange, LeadingEdgeBounds)
{
    const RangeCase c = GetParam();
    const auto range = DockingSplitLayout::DragRange(100, 600, c.firstMin, c.firstMax,
                                                     c.secondMin, c.secondMax, 22, 4);
    EXPECT_EQ(c.low, range.low);
    EXPECT_EQ(c.high, range.high);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SplitDragRange,
    testing::Values(
        // 22 from the first's outer edge; 22 from the second's, which keeps 22 - 4 = 18.
        RangeCase{"floor", 0, 32000, 0, 32000, 122, 578},
        RangeCase{"smallMinimums", 5, 32000, 10, 32000, 122, 578},
        RangeCase{"minimums", 50, 32000, 40, 32000, 150, 556},
        RangeCase{"firstMaximum", 0, 200, 0, 32000, 122, 300},
        RangeCase{"secondMaximum", 0, 32000, 0, 100, 496, 578}),
    [](const testing::TestParamInfo<RangeCase>& info) { return info.param.name; });

TEST(SplitDragRange, SecondNeighbourKeeps18Pixels)
{
    const auto range = DockingSplitLayout::DragRange(0, 300, 0, 32000, 0, 32000, 22, 4);
    EXPECT_EQ(300 - (range.high + 4), 18);
    EXPECT_EQ(22, range.low);
}

TEST(SplitDragRange, TooNarrowIsInvalid)
{
    EXPECT_FALSE(DockingSplitLayout::DragRange(0, 40, 0, 32000, 0, 32000, 22, 4).valid());
    EXPECT_FALSE(DockingSplitLayout::DragRange(0, 300, 200, 32000, 200, 32000, 22, 4).valid());
    EXPECT_TRUE(DockingSplitLayout::DragRange(0, 300, 0, 32000, 0, 32000, 22, 4).valid());
}

struct BarCase {
    const char* name;
    int total, position, indent, unionStart, unionExtent;
    bool rtl;
    bool applied;
    int first, second;
};

class SplitBarPosition : public testing::TestWithParam<BarCase> {};

TEST_P(SplitBarPosition, NewSizes)
{
    const BarCase c = GetParam();
    int first = -1;
    int second = -1;
    EXPECT_EQ(c.applied, DockingSplitLayout::BarSizes(c.total, 4, c.position, c.indent,
                                                      c.unionStart, c.unionExtent, c.rtl,
                                                      first, second));
    if (c.applied) {
        EXPECT_EQ(c.first, first);
        EXPECT_EQ(c.second, second);
    } else {
        EXPECT_EQ(-1, first);
        EXPECT_EQ(-1, second);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, SplitBarPosition,
    testing::Values(
        // (396 + 4) * (300 - 100) / 400 = 200.
        BarCase{"middle", 396, 300, 0, 100, 400, false, true, 200, 196},
        // Truncated: 400 * 133 / 400 = 133.
        BarCase{"truncated", 396, 233, 0, 100, 400, false, true, 133, 263},
        // The caption indent moves the bar's reference point.
        BarCase{"indent", 396, 297, 3, 100, 400, false, true, 200, 196},
        // Right to left: the first neighbour is on the far side.
        BarCase{"rtl", 396, 300, 0, 100, 400, true, true, 196, 200},
        // Neighbours without extent: nothing to divide by, nothing applied.
        BarCase{"zeroExtent", 396, 300, 0, 100, 0, false, false, 0, 0},
        BarCase{"negativeExtent", 396, 300, 0, 100, -5, false, false, 0, 0}),
    [](const testing::TestParamInfo<BarCase>& info) { return info.param.name; });

}  // namespace
