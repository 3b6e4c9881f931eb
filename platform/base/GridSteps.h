// Values that must compare equal after rounding (speeds to 0.001, positions to 5 us or 5 ms) are
// compared as whole counts of their grid step, since two doubles of one step can differ in their
// last bits.
#pragma once

// The count of steps nearest to value, halves toward zero: value / step, 0.499999 added (or
// subtracted for a negative value), truncated.
inline long long GridSteps(double value, double step)
{
    const double steps = value / step;
    return static_cast<long long>(value < 0 ? steps - 0.499999 : steps + 0.499999);
}
