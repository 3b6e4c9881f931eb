// Benchmark of the presentation reader under Wine (figures only): open-to-running (open the
// sample, set the range, play, graph running) and seek-to-resumed (stop, new range, play,
// graph running) on the sample presentation, each the median of 20 runs.
#include "video/reader/IVideoReader.h"
#include "tests/video/reader/ReaderTestInstance.h"
#include "tests/support/TestEnv.h"
#include "tests/video/splitter/TestFileCallbacks.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double Now()
{
    LARGE_INTEGER f;
    LARGE_INTEGER c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

bool WaitRunning(IVideoReader& reader)
{
    IMediaControl* control = nullptr;
    if (FAILED(reader.Graph()->QueryInterface(IID_IMediaControl,
                                              reinterpret_cast<void**>(&control)))) {
        return false;
    }
    OAFilterState state = State_Stopped;
    const HRESULT hr = control->GetState(5000, &state);
    control->Release();
    return hr == S_OK && state == State_Running;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main()
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::wstring path = orvane::test::MediaPath(L"sample.wmv");
    ReaderTestInstance callback;
    std::vector<double> open;
    std::vector<double> seek;
    for (int run = 0; run < 20; ++run) {
        READER_CB_PARAMS main;
        READER_CB_PARAMS scan;
        if (!main.OpenFile(path) || !scan.OpenFile(path)) {
            std::printf("cannot open %ls\n", path.c_str());
            return 1;
        }
        IVideoReader reader;
        double t0 = Now();
        if (reader.Open(FALSE, L"sample.wmv", TestRead, TestSeek, &main, &scan, nullptr) ||
            reader.SetReadRange(0, 0) || reader.Play(1.0, TRUE, nullptr, 0, FALSE) ||
            !WaitRunning(reader)) {
            std::printf("open-to-running failed in run %d\n", run);
            return 1;
        }
        open.push_back(Now() - t0);
        ReaderTestInstance::Pump(200);
        const LONGLONG target = (5 + run % 10) * 10000000LL;
        double at = 0;
        t0 = Now();
        if (reader.Stop(FALSE, &at) || reader.SetReadRange(target, 0) ||
            reader.Play(1.0, TRUE, nullptr, 0, FALSE) || !WaitRunning(reader)) {
            std::printf("seek-to-resumed failed in run %d\n", run);
            return 1;
        }
        seek.push_back(Now() - t0);
    }
    std::printf("reader open-to-running: median %.1f ms (min %.1f, max %.1f; target <= 300)\n",
                Median(open), *std::min_element(open.begin(), open.end()),
                *std::max_element(open.begin(), open.end()));
    std::printf("reader seek-to-resumed: median %.1f ms (min %.1f, max %.1f; target <= 150)\n",
                Median(seek), *std::min_element(seek.begin(), seek.end()),
                *std::max_element(seek.begin(), seek.end()));
    CoUninitialize();
    return 0;
}
