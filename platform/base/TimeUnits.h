// Media time crosses DirectShow and the Windows Media runtime as signed counts of 100 ns; the
// player and the engine keep positions in seconds. These are the only conversions between them.
#pragma once

#include "platform/base/GridSteps.h"

#include <cstdint>

constexpr std::int64_t kRefTimePerSecond = 10000000;

// Truncates seconds * 10^7 + 0.499999: positive values round to the nearest unit with an exact
// half rounding down; negative values move toward zero (-1.0 s gives -9999999, not -10^7).
// The player and the engine compare times they converted on either side, so all round alike.
inline std::int64_t SecondsToRefTime(double seconds)
{
    return static_cast<std::int64_t>(seconds * static_cast<double>(kRefTimePerSecond) + 0.499999);
}

inline double RefTimeToSeconds(std::int64_t time)
{
    return static_cast<double>(time) / static_cast<double>(kRefTimePerSecond);
}

// Positions in seconds are compared, and kept, on a grid of 5 us: finer than any frame, coarse
// enough that sums of block lengths land on the same step.
constexpr double kTimeGridSeconds = 0.000005;

inline long long TimeGridSteps(double seconds)
{
    return GridSteps(seconds, kTimeGridSeconds);
}
