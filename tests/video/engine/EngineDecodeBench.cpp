// Benchmark of video decoding through the engine's graph under Wine (figures only): the
// 10-minute two-video presentation played with the clock off into two windows, from Play to
// the end-of-play notice. scripts/bench.d/video-decode.sh sets it against native ffmpeg.
#include "IVideo.h"
#include "IVideoReader.h"
#include "ReaderTestInstance.h"
#include "TestEnv.h"
#include "TestFileCallbacks.h"

#include <cstdio>
#include <string>

namespace {

double NowMs()
{
    LARGE_INTEGER f;
    LARGE_INTEGER c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
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
    const double start = NowMs();
    if (error == nullptr) {
        error = reader->Play(1.0, FALSE, nullptr, -10000, TRUE);
    }
    if (error != nullptr) {
        std::printf("engine decode failed: %ls\n", error);
        return 1;
    }
    const bool ended = callback.WaitPlayEnd(30 * 60 * 1000);
    const double seconds = (NowMs() - start) / 1000.0;
    double at = 0;
    reader->Stop(FALSE, &at);
    engine->ReleaseReader(reader);
    engine->Destroy();
    DestroyWindow(camera);
    DestroyWindow(screen);
    if (!ended) {
        std::printf("engine decode: no end of play after %.1f s\n", seconds);
        return 1;
    }
    std::printf("engine_decode_s=%.3f\n", seconds);
    CoUninitialize();
    return 0;
}
