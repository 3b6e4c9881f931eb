// Benchmark of video decoding through the engine's graph under Wine (figures only): the
// 10-minute two-video presentation played with the clock off into two windows, its sound
// into a null renderer (a sound device would pace the graph), from Play to the end-of-play
// notice. scripts/bench.d/video-decode.sh sets it against native ffmpeg.
#include "video/engine/IVideo.h"
#include "video/reader/IVideoReader.h"
#include "tests/video/reader/ReaderTestInstance.h"
#include "tests/support/TestEnv.h"
#include "tests/video/splitter/TestFileCallbacks.h"

#include <cstdio>
#include <mutex>
#include <string>

namespace {

// The editing services' Null Renderer (qedit), which mingw's headers do not name.
const CLSID kNullRenderer = {
    0xc1f400a4, 0x3f08, 0x11d3, {0x9f, 0x0b, 0x00, 0x60, 0x08, 0x03, 0x9e, 0x37}};

double NowMs()
{
    LARGE_INTEGER f;
    LARGE_INTEGER c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

// Processor time of the whole process so far.
double CpuMs()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime) /
               10000.0;
    };
    return ms(kernel) + ms(user);
}

HWND MakeWindow(int x)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"DecodeBenchWindow";
    RegisterClassW(&wc);
    return CreateWindowExW(0, L"DecodeBenchWindow", L"video", WS_POPUP | WS_VISIBLE, x, 0, 320,
                           240, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

int main()
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const wchar_t name[] = L"long-two-video.wmv";
    const std::wstring path = orvane::test::MediaPath(name);
    ReaderTestInstance callback;
    IQVRVideo* engine = IVideo::Create();
    HWND camera = MakeWindow(0);
    HWND screen = MakeWindow(340);
    engine->SetVideoWindows(camera, screen);
    READER_CB_PARAMS main;
    READER_CB_PARAMS scan;
    if (!main.OpenFile(path) || !scan.OpenFile(path)) {
        std::printf("cannot open %ls (make bench writes it)\n", path.c_str());
        return 1;
    }
    IQVRVideoReader* reader = engine->CreateReader();
    // noClock: every sample is rendered as soon as it is decoded.
    const wchar_t* error = reader->Open(TRUE, name, TestRead, TestSeek, &main, &scan, nullptr);
    if (error == nullptr) {
        error = reader->ShowVideo(TRUE);
    }
    if (error == nullptr) {
        error = reader->SetReadRange(0, 0);
    }
    IBaseFilter* sound = nullptr;
    if (FAILED(CoCreateInstance(kNullRenderer, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IBaseFilter, reinterpret_cast<void**>(&sound)))) {
        std::printf("no null renderer for the sound\n");
        return 1;
    }
    const double start = NowMs();
    if (error == nullptr) {
        error = reader->Play(1.0, FALSE, sound, -10000, TRUE);
    }
    if (error != nullptr) {
        std::printf("engine decode failed: %ls\n", error);
        return 1;
    }
    // Without a clock the engine sends no end-of-play notice: the run ends when the graph
    // goes idle (the process uses next to no processor time for 3 s), at its last busy moment.
    bool ended = false;
    double lastBusy = NowMs();
    double lastCpu = CpuMs();
    while (!ended) {
        ReaderTestInstance::Pump(250);
        const double cpu = CpuMs();
        if (cpu - lastCpu > 40) {
            lastBusy = NowMs();
        } else if (NowMs() - lastBusy > 3000) {
            ended = true;
        }
        lastCpu = cpu;
        ended = ended || callback.WaitPlayEnd(0);
    }
    const double seconds = (lastBusy - start) / 1000.0;
    double at = 0;
    reader->Stop(FALSE, &at);
    engine->ReleaseReader(reader);
    sound->Release();
    engine->Destroy();
    DestroyWindow(camera);
    DestroyWindow(screen);
    if (!ended) {
        std::printf("engine decode: no end after %.1f s\n", seconds);
        return 1;
    }
    std::printf("engine_decode_s=%.3f\n", seconds);
    CoUninitialize();
    return 0;
}
