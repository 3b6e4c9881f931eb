// Benchmark: from the open request to the first audio block at the engine's level tap, for the
// same presentation from disk (the file reader), from nginx and live from ffmpeg (the network
// reader); prints the median of a few runs each and the ratios to the disk figure.
//   net_open_bench.exe DISK_PATH NGINX_URL LIVE_URL [RUNS]
#include "player/core/InetWMAAsyncReader.h"
#include "player/core/QVRFile.h"
#include "player/core/VideoLibrary.h"
#include "player/core/VideoReader.h"
#include "tests/support/CallbackDouble.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

class TapCallback : public orvane::test::CallbackDouble {
public:
    void OnAudioData(int, const WAVEFORMATEX*, const BYTE*, long) override
    {
        SetEvent(firstAudio);
    }
    CHandle firstAudio{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

TapCallback g_callback;

double Now()
{
    LARGE_INTEGER frequency;
    LARGE_INTEGER count;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Waits for the event while this thread's messages are dispatched; false at the limit.
bool Pump(HANDLE event, DWORD ms)
{
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms) {
            return false;
        }
        if (MsgWaitForMultipleObjects(1, &event, FALSE, ms - elapsed, QS_ALLINPUT) ==
            WAIT_OBJECT_0) {
            return true;
        }
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
        }
    }
}

// Milliseconds to the first audio block, or a negative value when it failed.
double FromDisk(const std::wstring& path)
{
    ResetEvent(g_callback.firstAudio);
    const double start = Now();
    QVRFile file;
    file.SetReaderMode(0);
    if (!file.Open(path.c_str()).empty() || !file.Seek(0).empty() ||
        !file.Reader()->Play(nullptr, TRUE, TRUE, 1.0, 0).empty()) {
        return -1;
    }
    const bool arrived = Pump(g_callback.firstAudio, 30000);
    const double took = Now() - start;
    double position = 0;
    (void)file.Reader()->Stop(&position);
    return arrived ? took : -1;
}

double FromUrl(const std::wstring& url)
{
    ResetEvent(g_callback.firstAudio);
    const double start = Now();
    auto* reader = new InetWMAAsyncReader;
    double took = -1;
    const INET_NOTIFY_MSG notify{nullptr, 0, 0, 0};
    if (reader->OpenInetURL(url, notify).empty()) {
        const DWORD begin = GetTickCount();
        while (reader->GetThreadState() == kInetThreadRunning && GetTickCount() - begin < 30000) {
            Sleep(5);
        }
        if (reader->GetThreadErrorText().empty() && reader->Start(nullptr, 0.0).empty() &&
            Pump(g_callback.firstAudio, 30000)) {
            took = Now() - start;
        }
    }
    (void)reader->Stop();
    reader->Discard();
    return took;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4) {
        std::fwprintf(stderr, L"usage: net_open_bench DISK_PATH NGINX_URL LIVE_URL [RUNS]\n");
        return 2;
    }
    const int runs = argc > 4 ? std::max(1, _wtoi(argv[4])) : 3;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    g_callback.videoSettings = L"";
    SetVideoCallback(&g_callback);
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring dir(exe);
    dir.erase(dir.rfind(L'\\'));
    const std::wstring error = LoadVideoLibraryFrom(dir + L"\\..\\..\\bin\\QVPVideo.dll");
    if (!error.empty()) {
        std::fwprintf(stderr, L"engine: %ls\n", error.c_str());
        return 1;
    }
    struct Source {
        const wchar_t* name;
        std::wstring where;
        bool disk;
        std::vector<double> ms;
    } sources[] = {{L"disk", argv[1], true, {}},
                   {L"nginx", argv[2], false, {}},
                   {L"ffmpeg live", argv[3], false, {}}};
    for (int run = 0; run < runs; ++run) {
        for (Source& source : sources) {
            const double ms = source.disk ? FromDisk(source.where) : FromUrl(source.where);
            if (ms >= 0) {
                source.ms.push_back(ms);
            }
            // The live sender restarts after each disconnect.
            Sleep(source.disk ? 0 : 800);
        }
    }
    std::wprintf(L"open to first audio block (median of %i runs):\n", runs);
    const double disk = Median(sources[0].ms);
    for (const Source& source : sources) {
        const double median = Median(source.ms);
        std::wprintf(L"  %-12ls %8.1f ms  (%zu ok)", source.name, median, source.ms.size());
        if (disk > 0 && median > 0 && !source.disk) {
            std::wprintf(L"  x%.2f of disk", median / disk);
        }
        std::wprintf(L"\n");
    }
    UnloadVideoLibrary();
    SetVideoCallback(nullptr);
    CoUninitialize();
    return 0;
}
