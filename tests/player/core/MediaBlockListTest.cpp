// Media blocks: totals on the 5 us grid, position lookups at block ends, play spans over blocks
// that continue one source stretch.
#include "player/core/MediaBlockList.h"

#include <gtest/gtest.h>

namespace {

QVRFile* const kOwner = reinterpret_cast<QVRFile*>(0x1000);

MediaBlock Make(int source, double start, double duration, bool skip = false)
{
    MediaBlock b;
    b.source = source;
    b.start = start;
    b.duration = duration;
    b.skip1 = skip;
    return b;
}

TEST(MediaBlockList, BuiltListTotals)
{
    MediaBlockList list;
    list.Build(kOwner, 7, 5000, 120.000002);
    EXPECT_DOUBLE_EQ(list.GetTotalDuration(false), 120.0);
    EXPECT_DOUBLE_EQ(list.GetTotalDuration(true), 120.0);
    list.Append(Make(8, 0, 5));
    EXPECT_NEAR(list.GetTotalDuration(false), 125.0, 1e-9);
    EXPECT_NEAR(list.GetTotalDuration(true), 120.0, 1e-9);
}

TEST(MediaBlockList, EmptyList)
{
    MediaBlockList list;
    int index = 42;
    double offset = 3, rest = 4;
    EXPECT_EQ(list.GetTotalDuration(false), 0);
    EXPECT_EQ(list.FindBlock(5, &index, &offset, &rest), 0);
    EXPECT_EQ(index, 42);
    EXPECT_EQ(offset, 3);
    int next = 0;
    EXPECT_EQ(list.GetPlaySpan(0, 0, &next), 0);
    EXPECT_EQ(next, -1);
}

struct FindCase {
    double position;
    int index;
    double offset, remaining, source;
};

TEST(MediaBlockList, FindBlockTable)
{
    MediaBlockList list;
    list.Build(kOwner, 1, 1000, 10);
    list.Append(Make(1, 50, 3, true));
    list.Append(Make(1, 20, 5));
    const FindCase cases[] = {
        {0, 0, 0, 10, 0},
        {4.0000001, 0, 4.0, 6, 4.0},
        {10, 2, 0, 5, 20},      // end of block 0: start of the next playable block
        {12.5, 2, 2.5, 2.5, 22.5},
        {15, 2, 5, 0, 25},      // total duration: last block at its end
        {99, 2, 5, 0, 25},
    };
    for (const FindCase& c : cases) {
        int index = -1;
        double offset = -1, rest = -1;
        const double source = list.FindBlock(c.position, &index, &offset, &rest);
        EXPECT_EQ(index, c.index) << c.position;
        EXPECT_NEAR(offset, c.offset, 1e-9) << c.position;
        EXPECT_NEAR(rest, c.remaining, 1e-9) << c.position;
        EXPECT_NEAR(source, c.source, 1e-9) << c.position;
    }
    EXPECT_NEAR(list.GetTotalDuration(false), 15, 1e-9);
}

TEST(MediaBlockList, PlaySpanJoinsSeamlessBlocks)
{
    MediaBlockList list;
    list.Build(kOwner, 1, 1000, 10);
    list.Append(Make(1, 10, 5));
    int next = 0;
    EXPECT_NEAR(list.GetPlaySpan(4, 0, &next), 11, 1e-9);
    EXPECT_EQ(next, 2);

    MediaBlockList gap;
    gap.Build(kOwner, 1, 1000, 10);
    gap.Append(Make(1, 10.5, 5));
    EXPECT_NEAR(gap.GetPlaySpan(4, 0, &next), 6, 1e-9);
    EXPECT_EQ(next, 1);

    MediaBlockList other;
    other.Build(kOwner, 1, 1000, 10);
    other.Append(Make(2, 10, 5));
    EXPECT_NEAR(other.GetPlaySpan(0, 0, &next), 10, 1e-9);
    EXPECT_EQ(next, 1);
}

TEST(MediaBlockList, PlaySpanPassesSkippedBlocks)
{
    MediaBlockList list;
    list.Build(kOwner, 1, 1000, 10);
    list.Append(Make(1, 40, 3, true));
    list.Append(Make(1, 10, 5));
    list.Append(Make(1, 90, 1, true));
    int next = 0;
    EXPECT_NEAR(list.GetPlaySpan(0, 0, &next), 15, 1e-9);
    EXPECT_EQ(next, 4);
    EXPECT_EQ(list.GetPlaySpan(0, 1, &next), 0);
    EXPECT_EQ(next, 1);
    EXPECT_EQ(list.GetPlaySpan(0, 9, &next), 0);
    EXPECT_EQ(next, -1);
}

}  // namespace
