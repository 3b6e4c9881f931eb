// Seconds to 100-ns units and back, and the grids values are compared on: the rounding every
// layer relies on, including its quirks (an exact half rounds down; negative values move toward
// zero).
#include "platform/base/GridSteps.h"
#include "platform/base/TimeUnits.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(TimeUnits, SecondsToRefTimeTable)
{
    struct Case {
        double seconds;
        std::int64_t expected;
    };
    const Case cases[] = {
        {0.0, 0},
        {1.0, 10000000},
        {2.5, 25000000},
        {86400.0, 864000000000},        // a day
        {1.4e-7, 1},
        {1.5e-7, 1},                    // an exact half rounds down
        {1.6e-7, 2},
        {0.5e-7, 0},
        {0.50001e-7, 1},                // just past the half
        {-0.4e-7, 0},
        {-1e-7, 0},                     // negative values move toward zero ...
        {-2.6e-7, -2},
        {-1.0, -9999999},               // ... by one unit on whole seconds too
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SecondsToRefTime(c.seconds), c.expected) << c.seconds;
    }
}

TEST(TimeUnits, RefTimeToSecondsTable)
{
    struct Case {
        std::int64_t time;
        double expected;
    };
    const Case cases[] = {
        {0, 0.0},
        {1, 1e-7},
        {10000000, 1.0},
        {-5000000, -0.5},
        {864000000000, 86400.0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(RefTimeToSeconds(c.time), c.expected) << c.time;
    }
}

TEST(TimeUnits, NonNegativeTimesSurviveTheRoundTrip)
{
    for (const std::int64_t t : {std::int64_t{0}, std::int64_t{1}, std::int64_t{4999999},
                                 std::int64_t{123456789}, std::int64_t{864000000000001}}) {
        EXPECT_EQ(SecondsToRefTime(RefTimeToSeconds(t)), t) << t;
    }
}

TEST(GridSteps, NearestStepWithHalvesTowardZero)
{
    struct Case {
        double value;
        double step;
        long long expected;
    };
    const Case cases[] = {
        {1.4996, 0.001, 1500},     {-1.4996, 0.001, -1500}, {0.0005, 0.001, 0},
        {-0.0005, 0.001, 0},       {0.334, 0.001, 334},     {3.0, 0.001, 3000},
        {1.0000024, kTimeGridSeconds, 200000},  {1.0000026, kTimeGridSeconds, 200001},
        {-1.0000026, kTimeGridSeconds, -200001}, {0.0000025, kTimeGridSeconds, 0},
        {2.5024, 0.005, 500},      {2.5026, 0.005, 501},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GridSteps(c.value, c.step), c.expected) << c.value << " / " << c.step;
    }
    EXPECT_EQ(TimeGridSteps(-1.0000026), -200001);
}

}  // namespace
