// Playing a presentation through the engine object into two player windows: the camera and
// the screen video both reach their window in their own colours, a damaged video plays on,
// without a video decoder the user is told which codec is missing, and opening, playing and
// closing again and again neither hangs nor leaves renderers behind.
#include "video/engine/IVideo.h"
#include "video/reader/IVideoReader.h"
#include "tests/video/reader/ReaderTestInstance.h"
#include "tests/support/TestEnv.h"
#include "tests/video/splitter/TestFileCallbacks.h"
#include "tests/video/CameraFrames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

namespace {

HWND MakeVideoWindow(int x, int y)
{
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = L"EngineTestVideoWindow";
        return RegisterClassW(&wc);
    }();
    (void)atom;
    HWND window = CreateWindowExW(WS_EX_TOPMOST, L"EngineTestVideoWindow", L"video",
                                  WS_POPUP | WS_VISIBLE, x, y, 320, 240, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    UpdateWindow(window);
    return window;
}

void Pump(DWORD milliseconds)
{
    const DWORD end = GetTickCount() + milliseconds;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

// The colours on the screen at a grid of points inside a window.
std::vector<COLORREF> Sample(HWND window)
{
    std::vector<COLORREF> colours;
    HDC screen = GetDC(nullptr);
    for (int y = 30; y < 240; y += 60) {
        for (int x = 20; x < 320; x += 40) {
            POINT point{x, y};
            ClientToScreen(window, &point);
            colours.push_back(GetPixel(screen, point.x, point.y));
        }
    }
    ReleaseDC(nullptr, screen);
    return colours;
}

int NonBlack(const std::vector<COLORREF>& colours)
{
    int count = 0;
    for (COLORREF colour : colours) {
        count += colour != RGB(0, 0, 0) && colour != CLR_INVALID ? 1 : 0;
    }
    return count;
}

struct PlaybackRig {
    ReaderTestInstance callback;
    IQVRVideo* engine = IVideo::Create();
    HWND window[2] = {MakeVideoWindow(0, 0), MakeVideoWindow(340, 0)};
    ~PlaybackRig()
    {
        engine->Destroy();
        DestroyWindow(window[0]);
        DestroyWindow(window[1]);
    }
};

void ExpectNoCodecText(const wchar_t* error)
{
    ASSERT_NE(error, nullptr);
    EXPECT_NE(std::wstring(error).find(L"no codec for the QZ99 video format"),
              std::wstring::npos)
        << error;
}

// The sample's videos are Windows Media Video 8 (WMV2).
const wchar_t kShownSample[] = L"sample.wmv";

IQVRVideoReader* OpenFile(IQVRVideo* engine, READER_CB_PARAMS* main, READER_CB_PARAMS* scan,
                          const wchar_t* name)
{
    const std::wstring path = orvane::test::MediaPath(name);
    if (!main->OpenFile(path) || !scan->OpenFile(path)) {
        return nullptr;
    }
    IQVRVideoReader* reader = engine->CreateReader();
    if (reader->Open(FALSE, name, TestRead, TestSeek, main, scan, nullptr) != nullptr) {
        engine->ReleaseReader(reader);
        return nullptr;
    }
    return reader;
}

// The camera pattern's leftmost bar is red; a decoder output read in the wrong pixel layout
// turns it green or magenta.
bool IsRed(COLORREF colour)
{
    return GetRValue(colour) > 160 && GetGValue(colour) < 90 && GetBValue(colour) < 90;
}

COLORREF PixelAt(HWND window, int x, int y)
{
    POINT point{x, y};
    ClientToScreen(window, &point);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

TEST(EnginePlayback, BothVideosReachThePlayersWindows)
{
    PlaybackRig rig;
    rig.engine->SetVideoWindows(rig.window[0], rig.window[1]);
    IVideo* engine = static_cast<IVideo*>(rig.engine);
    EXPECT_EQ(engine->View().GetBoardWindow(0), rig.window[0]);
    EXPECT_EQ(engine->View().GetBoardWindow(1), rig.window[1]);
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        READER_CB_PARAMS main;
        READER_CB_PARAMS scan;
        IQVRVideoReader* reader = OpenFile(rig.engine, &main, &scan, kShownSample);
        ASSERT_NE(reader, nullptr);
        ASSERT_EQ(reader->ShowVideo(TRUE), nullptr);
        ASSERT_EQ(reader->SetReadRange(0, 0), nullptr);
        EXPECT_TRUE(rig.engine->CanFullScreen());
        EXPECT_NE(engine->View().RendererFilter(0), nullptr);
        EXPECT_NE(engine->View().RendererFilter(1), nullptr);
        ASSERT_EQ(reader->Play(1.0, FALSE, nullptr, -10000, TRUE), nullptr);
        Pump(1500);
        const std::vector<COLORREF> camera = Sample(rig.window[0]);
        const std::vector<COLORREF> screen = Sample(rig.window[1]);
        EXPECT_GT(NonBlack(camera), 8) << "the camera video shows";
        EXPECT_GT(NonBlack(screen), 8) << "the screen video shows";
        EXPECT_NE(camera, screen) << "each window shows its own stream";
        const COLORREF bar = PixelAt(rig.window[0], 20, 120);
        EXPECT_TRUE(IsRed(bar)) << std::hex << bar << ": the camera's first bar is red";
        if (round == 0) {
            if (const char* hold = std::getenv("ORVANE_DISPLAY_HOLD_MS")) {
                Pump(static_cast<DWORD>(std::atoi(hold)));
            }
        }
        double at = 0;
        EXPECT_EQ(reader->Stop(FALSE, &at), nullptr);
        EXPECT_GT(at, 0.5);
        EXPECT_EQ(reader->ShowVideo(FALSE), nullptr);
        EXPECT_FALSE(rig.engine->CanFullScreen()) << "hiding the video removes the renderers";
        rig.engine->ReleaseReader(reader);
    }
}

TEST(EnginePlayback, ReleasingAShownReaderTakesItsRenderersAlong)
{
    PlaybackRig rig;
    rig.engine->SetVideoWindows(rig.window[0], rig.window[1]);
    IVideo* engine = static_cast<IVideo*>(rig.engine);
    READER_CB_PARAMS main;
    READER_CB_PARAMS scan;
    IQVRVideoReader* reader = OpenFile(rig.engine, &main, &scan, kShownSample);
    ASSERT_NE(reader, nullptr);
    ASSERT_EQ(reader->SetReadRange(0, 0), nullptr);
    ASSERT_EQ(reader->ShowVideo(TRUE), nullptr);
    ASSERT_EQ(reader->Play(1.0, FALSE, nullptr, -10000, TRUE), nullptr);
    Pump(300);
    EXPECT_EQ(engine->View().AttachedReader(), reader);
    rig.engine->ReleaseReader(reader);
    EXPECT_EQ(engine->View().AttachedReader(), nullptr);
    EXPECT_EQ(engine->View().RendererFilter(0), nullptr);
    EXPECT_EQ(engine->View().RendererFilter(1), nullptr);
}

double LastPosition(ReaderTestInstance& callback)
{
    std::lock_guard<std::mutex> hold(callback.lock);
    return callback.positions.empty() ? -1 : callback.positions.back();
}

// Full screen and back while playing: the renderer moves to the full-screen window (under Wine
// by a fresh connection), the picture is there, and playing goes on from where it was.
TEST(EnginePlayback, FullScreenWhilePlayingKeepsPlaying)
{
    PlaybackRig rig;
    rig.engine->SetVideoWindows(rig.window[0], rig.window[1]);
    READER_CB_PARAMS main;
    READER_CB_PARAMS scan;
    IQVRVideoReader* reader = OpenFile(rig.engine, &main, &scan, kShownSample);
    ASSERT_NE(reader, nullptr);
    ASSERT_EQ(reader->ShowVideo(TRUE), nullptr);
    ASSERT_EQ(reader->SetReadRange(0, 0), nullptr);
    ASSERT_EQ(reader->Play(1.0, FALSE, nullptr, -10000, TRUE), nullptr);
    Pump(1500);
    const double before = LastPosition(rig.callback);
    EXPECT_GT(before, 0.5);

    ASSERT_EQ(rig.engine->SetFullScreen(TRUE), nullptr);
    EXPECT_TRUE(rig.engine->IsFullScreen());
    // The new connection takes longer on a loaded machine: look until the picture is there.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const DWORD fullScreenAt = GetTickCount();
    int shown = 0;
    for (int look = 0; look < 10 && shown <= 4; ++look) {
        Pump(500);
        HDC screen = GetDC(nullptr);
        shown = 0;
        for (int i = 1; i < 8; ++i) {
            const COLORREF colour = GetPixel(screen, width * i / 8, height / 3);
            shown += colour != RGB(0, 0, 0) && colour != CLR_INVALID ? 1 : 0;
        }
        ReleaseDC(nullptr, screen);
    }
    EXPECT_GT(shown, 4) << "the full-screen window shows the video";
    // At least a second and a half of playing in full screen before the position is read.
    const DWORD inFullScreen = GetTickCount() - fullScreenAt;
    if (inFullScreen < 1500) {
        Pump(1500 - inFullScreen);
    }
    const double during = LastPosition(rig.callback);
    EXPECT_GT(during, before + 0.5) << "playing went on, not from the start";

    ASSERT_EQ(rig.engine->SetFullScreen(FALSE), nullptr);
    EXPECT_FALSE(rig.engine->IsFullScreen());
    Pump(1000);
    EXPECT_GT(LastPosition(rig.callback), during + 0.3);
    EXPECT_GT(NonBlack(Sample(rig.window[1])), 8) << "the screen video is back in its window";
    double at = 0;
    EXPECT_EQ(reader->Stop(FALSE, &at), nullptr);
    rig.engine->ReleaseReader(reader);
}

TEST(EnginePlayback, VideoWithoutDecoderNamesTheCodecAndLeavesNothingBehind)
{
    PlaybackRig rig;
    rig.engine->SetVideoWindows(rig.window[0], rig.window[1]);
    IVideo* engine = static_cast<IVideo*>(rig.engine);
    READER_CB_PARAMS main;
    READER_CB_PARAMS scan;
    // The sample with a FourCC that no decoder takes.
    IQVRVideoReader* reader = OpenFile(rig.engine, &main, &scan, L"unknown-codec.wmv");
    ASSERT_NE(reader, nullptr);
    ExpectNoCodecText(reader->ShowVideo(TRUE));
    EXPECT_EQ(engine->View().RendererFilter(0), nullptr);
    EXPECT_EQ(engine->View().RendererFilter(1), nullptr);
    EXPECT_FALSE(rig.engine->CanFullScreen());
    ExpectNoCodecText(reader->Play(1.0, FALSE, nullptr, -10000, TRUE));
    rig.engine->ReleaseReader(reader);
    EXPECT_EQ(engine->View().AttachedReader(), nullptr);

    // The next presentation, in another codec, plays as if nothing had happened.
    reader = OpenFile(rig.engine, &main, &scan, L"sample-video1.wmv");
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->ShowVideo(TRUE), nullptr);
    EXPECT_NE(engine->View().RendererFilter(0), nullptr);
    rig.engine->ReleaseReader(reader);
}

// Frames with damaged bytes here and there: the decoder drops or conceals them and both
// videos play on to the end of the range.
TEST(EnginePlayback, DamagedVideoFramesDoNotStopPlayback)
{
    PlaybackRig rig;
    rig.engine->SetVideoWindows(rig.window[0], rig.window[1]);
    READER_CB_PARAMS main;
    READER_CB_PARAMS scan;
    IQVRVideoReader* reader = OpenFile(rig.engine, &main, &scan, L"damaged-video.wmv");
    ASSERT_NE(reader, nullptr);
    ASSERT_EQ(reader->ShowVideo(TRUE), nullptr);
    ASSERT_EQ(reader->SetReadRange(0, 0), nullptr);
    ASSERT_EQ(reader->Play(1.0, FALSE, nullptr, -10000, TRUE), nullptr);
    Pump(3000);
    EXPECT_GT(LastPosition(rig.callback), 2.0);
    EXPECT_GT(NonBlack(Sample(rig.window[0])), 8) << "the camera video shows";
    EXPECT_GT(NonBlack(Sample(rig.window[1])), 8) << "the screen video shows";
    double at = 0;
    EXPECT_EQ(reader->Stop(FALSE, &at), nullptr);
    EXPECT_GT(at, 2.0);
    rig.engine->ReleaseReader(reader);
}

// The engine shows the camera stream in the second window, one to one.

// After a seek the window shows the pictures of the new position: the one it shows matches
// ffmpeg's picture of the position the engine reports.
TEST(EnginePlayback, SeekShowsThePicturesOfTheNewPosition)
{
    const CameraFrames frames;
    ASSERT_EQ(frames.Count(), 45);
    PlaybackRig rig;
    rig.engine->SetVideoWindows(rig.window[0], rig.window[1]);
    READER_CB_PARAMS main;
    READER_CB_PARAMS scan;
    IQVRVideoReader* reader = OpenFile(rig.engine, &main, &scan, kShownSample);
    ASSERT_NE(reader, nullptr);
    ASSERT_EQ(reader->ShowVideo(TRUE), nullptr);
    ASSERT_EQ(reader->SetReadRange(0, 0), nullptr);
    ASSERT_EQ(reader->Play(1.0, FALSE, nullptr, -10000, TRUE), nullptr);
    Pump(700);
    double at = 0;
    ASSERT_EQ(reader->Stop(FALSE, &at), nullptr);
    ASSERT_EQ(reader->SetReadRange(10LL * 10000000, 0), nullptr);
    ASSERT_EQ(reader->Play(1.0, FALSE, nullptr, -10000, TRUE), nullptr);
    Pump(600);
    ASSERT_EQ(reader->Pause(), nullptr);
    Pump(400);
    const double position = LastPosition(rig.callback);
    EXPECT_GE(position, 10.0);
    EXPECT_LT(position, 11.5);
    double difference = 0;
    const int shown = frames.BestMatch(rig.window[1], &difference);
    EXPECT_LT(difference, 0.03) << "the window shows one of ffmpeg's pictures";
    const int expected = static_cast<int>((position - CameraFrames::kFirst) * 15 + 0.5);
    EXPECT_GE(shown, 15) << "a picture of the new position, not of before the seek";
    EXPECT_NEAR(shown, expected, 4) << "the picture of the reported position";
    EXPECT_EQ(reader->Stop(FALSE, &at), nullptr);
    rig.engine->ReleaseReader(reader);
}

// A new position set while paused (a seek or a frame step) is where playing goes on from, not
// the place of the pause.
TEST(EnginePlayback, PlayingAfterAPausedSeekGoesOnFromTheNewPosition)
{
    PlaybackRig rig;
    rig.engine->SetVideoWindows(rig.window[0], rig.window[1]);
    READER_CB_PARAMS main;
    READER_CB_PARAMS scan;
    IQVRVideoReader* reader = OpenFile(rig.engine, &main, &scan, kShownSample);
    ASSERT_NE(reader, nullptr);
    ASSERT_EQ(reader->ShowVideo(TRUE), nullptr);
    ASSERT_EQ(reader->SetReadRange(0, 0), nullptr);
    ASSERT_EQ(reader->Play(1.0, FALSE, nullptr, -10000, TRUE), nullptr);
    Pump(700);
    ASSERT_EQ(reader->Pause(), nullptr);
    Pump(200);
    const double paused = LastPosition(rig.callback);
    EXPECT_LT(paused, 3.0);

    const LONGLONG second = 10000000;
    ASSERT_EQ(reader->SetReadRange(10 * second, 0), nullptr);
    ASSERT_EQ(reader->Play(1.0, FALSE, nullptr, -10000, TRUE), nullptr);
    Pump(500);
    ASSERT_EQ(reader->Pause(), nullptr);
    const double resumed = LastPosition(rig.callback);
    EXPECT_GE(resumed, 10.0);
    EXPECT_LT(resumed, 11.5);
    double at = 0;
    EXPECT_EQ(reader->Stop(FALSE, &at), nullptr);
    rig.engine->ReleaseReader(reader);
}

// Paused, a new position (a seek, or a frame step the frame search finds) shows ffmpeg's
// picture at that position, not the key frame the decoding starts from (one every 0.8 s).
TEST(EnginePlayback, PausedSeekAndFrameStepsShowThePictureAtThePosition)
{
    const CameraFrames frames;
    ASSERT_EQ(frames.Count(), 45);
    PlaybackRig rig;
    rig.engine->SetVideoWindows(rig.window[0], rig.window[1]);
    READER_CB_PARAMS main;
    READER_CB_PARAMS scan;
    IQVRVideoReader* reader = OpenFile(rig.engine, &main, &scan, kShownSample);
    ASSERT_NE(reader, nullptr);
    ASSERT_EQ(reader->ShowVideo(TRUE), nullptr);
    ASSERT_EQ(reader->SetReadRange(0, 0), nullptr);
    ASSERT_EQ(reader->Play(1.0, FALSE, nullptr, -10000, TRUE), nullptr);
    Pump(700);
    ASSERT_EQ(reader->Pause(), nullptr);
    Pump(200);

    const LONGLONG second = 10000000;
    auto expectShown = [&](LONGLONG at, const char* what) {
        Pump(300);
        double difference = 0;
        const int shown = frames.BestMatch(rig.window[1], &difference);
        const int expected = CameraFrames::IndexAt(static_cast<double>(at) / second);
        EXPECT_LT(difference, 0.03) << what << " at " << at << ": one of ffmpeg's pictures";
        // Not the key frame the decoding starts from; under Wine the picture shown is still up
        // to two before the position's own (README).
        EXPECT_NEAR(shown, expected, 2) << what << " at " << at;
    };
    // Seeks between key frames (9.6 s, 10.4 s and 11.2 s), just after one and onto one.
    for (LONGLONG at : {10 * second, 11 * second, 9 * second + second * 2 / 3,
                        11 * second + second / 5}) {
        ASSERT_EQ(reader->SetReadRange(at, 0), nullptr);
        expectShown(at, "seek");
    }
    // Frame steps forward across a key frame, then back across it again.
    LONGLONG at = 10 * second + second / 5;
    ASSERT_EQ(reader->SetReadRange(at, 0), nullptr);
    const LONGLONG end = 20 * second;
    for (int step = 0; step < 4; ++step) {
        LONGLONG next = -1;
        ASSERT_EQ(reader->FindFrame(0, end, at, FALSE, FALSE, &next), nullptr);
        ASSERT_GT(next, at);
        ASSERT_EQ(reader->SetReadRange(next, 0), nullptr);
        expectShown(next, "step forward");
        at = next;
    }
    for (int step = 0; step < 6; ++step) {
        LONGLONG previous = -1;
        ASSERT_EQ(reader->FindFrame(0, end, at, FALSE, TRUE, &previous), nullptr);
        ASSERT_LT(previous, at);
        ASSERT_EQ(reader->SetReadRange(previous, 0), nullptr);
        expectShown(previous, "step back");
        at = previous;
    }
    // Playing goes on from the last step.
    ASSERT_EQ(reader->Resume(), nullptr);
    Pump(300);
    EXPECT_GE(LastPosition(rig.callback), static_cast<double>(at) / second);
    double stopped = 0;
    EXPECT_EQ(reader->Stop(FALSE, &stopped), nullptr);
    rig.engine->ReleaseReader(reader);
}

TEST(EnginePlayback, WindowsFollowTheCallsAndAudioOnlyNeedsNone)
{
    PlaybackRig rig;
    IVideo* engine = static_cast<IVideo*>(rig.engine);
    rig.engine->SetVideoWindows(rig.window[0], nullptr);
    EXPECT_EQ(engine->View().GetBoardWindow(0), rig.window[0]);
    EXPECT_EQ(engine->View().GetBoardWindow(1), engine->HiddenWindow());
    rig.engine->SetVideoWindows(rig.window[1], rig.window[0]);
    EXPECT_EQ(engine->View().GetBoardWindow(0), rig.window[1]);
    EXPECT_EQ(engine->View().GetBoardWindow(1), rig.window[0]);

    const std::wstring path = orvane::test::MediaPath(L"audio-only.wma");
    READER_CB_PARAMS main;
    READER_CB_PARAMS scan;
    ASSERT_TRUE(main.OpenFile(path));
    ASSERT_TRUE(scan.OpenFile(path));
    IQVRVideoReader* reader = rig.engine->CreateReader();
    ASSERT_EQ(reader->Open(FALSE, L"audio-only.wma", TestRead, TestSeek, &main, &scan, nullptr),
              nullptr);
    EXPECT_EQ(reader->ShowVideo(TRUE), nullptr) << "no video: no renderer to connect";
    EXPECT_EQ(engine->View().AttachedReader(), reader);
    EXPECT_FALSE(rig.engine->CanFullScreen());
    EXPECT_EQ(rig.engine->SetFullScreen(TRUE), nullptr) << "refused silently";
    EXPECT_EQ(reader->SetReadRange(10000000, 0), nullptr);
    rig.engine->ReleaseReader(reader);
    EXPECT_EQ(engine->View().AttachedReader(), nullptr);
}

}  // namespace
