// What the command-bar benchmark programs share: a microsecond clock, the median of the runs
// (an even number of them), and a pump that returns once nothing, paint included, is queued.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

namespace barsbench {

inline double Now()
{
    LARGE_INTEGER f;
    LARGE_INTEGER c;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1e6 / static_cast<double>(f.QuadPart);
}

inline double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

inline void PumpUntilIdle()
{
    MSG msg;
    for (;;) {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (HIWORD(::GetQueueStatus(QS_ALLINPUT | QS_PAINT)) == 0) {
            return;
        }
    }
}

}  // namespace barsbench
