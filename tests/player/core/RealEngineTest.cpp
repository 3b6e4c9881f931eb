// The open presentation over the real engine library and the sample presentation: formats and
// durations, single-frame steps, and playing on from one media block into the next.
#include "tests/support/CallbackDouble.h"
#include "player/core/QVRFile.h"
#include "tests/support/TestEnv.h"
#include "player/core/VideoLibrary.h"
#include "player/core/VideoReader.h"
#include "tests/video/CameraFrames.h"

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

namespace {

using orvane::test::CallbackDouble;

// Waits for the event while dispatching this thread's messages (the engine's position timer
// runs on them).
DWORD PumpUntil(HANDLE event, DWORD ms)
{
    const DWORD end = GetTickCount() + ms;
    for (;;) {
        const DWORD now = GetTickCount();
        if (static_cast<LONG>(end - now) <= 0) {
            return WAIT_TIMEOUT;
        }
        const DWORD r = MsgWaitForMultipleObjects(1, &event, FALSE, end - now, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) {
            return r;
        }
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
        }
    }
}

std::wstring EnginePath()
{
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring dir(exe);
    dir.erase(dir.rfind(L'\\'));                 // tests\bin
    return dir + L"\\..\\..\\bin\\QVPVideo.dll";  // build\bin
}

class RealEngineTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        SetVideoCallback(&callback());
        loadError() = LoadVideoLibraryFrom(EnginePath());
    }
    static void TearDownTestSuite()
    {
        UnloadVideoLibrary();
        SetVideoCallback(nullptr);
        CoUninitialize();
    }
    void SetUp() override
    {
        ASSERT_EQ(loadError(), L"");
        ASSERT_NE(VideoEngine(), nullptr);
    }
    static CallbackDouble& callback()
    {
        static CallbackDouble c;
        c.videoSettings = L"";
        return c;
    }
    static std::wstring& loadError()
    {
        static std::wstring e;
        return e;
    }
};

TEST_F(RealEngineTest, OpenGivesDurationsFormatsAndBookmarks)
{
    QVRFile file;
    file.SetReaderMode(0);
    ASSERT_EQ(file.Open(orvane::test::MediaPath(L"sample.wmv").c_str()), L"");
    EXPECT_NEAR(file.GetDuration(), 20.0, 0.5);
    EXPECT_TRUE(file.HasVideo());
    EXPECT_NE(file.GetFormatText(0), L"");
    EXPECT_NE(file.GetFormatText(4), L"");
    EXPECT_NE(file.GetFormatText(8), L"");
    ASSERT_NE(file.GetBookmarks(), nullptr);
    EXPECT_EQ(file.GetBookmarks()->Count(), 5);
}

TEST_F(RealEngineTest, FrameSteps)
{
    QVRFile file;
    file.SetReaderMode(0);
    ASSERT_EQ(file.Open(orvane::test::MediaPath(L"sample.wmv").c_str()), L"");
    double next = -1;
    ASSERT_EQ(file.StepFrame(FALSE, &next, 5.0), L"");
    EXPECT_GT(next, 5.0);
    EXPECT_LT(next, 5.5);
    double previous = -1;
    ASSERT_EQ(file.StepFrame(TRUE, &previous, 5.0), L"");
    EXPECT_LT(previous, 5.0);
    EXPECT_GT(previous, 4.5);
    double start = -1;
    ASSERT_EQ(file.StepFrame(TRUE, &start, 0), L"");
    EXPECT_EQ(start, 0);
}

TEST_F(RealEngineTest, PlaysOnIntoTheNextBlock)
{
    QVRFile file;
    file.SetReaderMode(0);
    ASSERT_EQ(file.Open(orvane::test::MediaPath(L"sample.wmv").c_str()), L"");
    MediaBlock first = file.Blocks().Block(0);
    MediaBlock second = first;
    first.duration = 1.0;
    second.start = 10.0;
    second.duration = 1.0;
    MediaBlockList& blocks = file.EditBlocks();
    const MediaBlock whole = blocks.Block(0);
    blocks.Build(&file, whole.source, whole.length, 1.0);
    blocks.Append(second);
    ASSERT_NEAR(file.GetDuration(), 2.0, 1e-9);

    ASSERT_EQ(file.Seek(0), L"");
    EXPECT_EQ(file.NextBlock(), 1);
    ASSERT_EQ(file.Reader()->Play(nullptr, TRUE, TRUE, 1.0, 0), L"");
    ASSERT_EQ(PumpUntil(callback().playEnd, 15000), WAIT_OBJECT_0);
    ASSERT_EQ(file.PlayNextBlock(), L"");
    EXPECT_EQ(file.CurrentBlock(), 1);
    EXPECT_NEAR(file.RangeStart(), 10.0, 1e-9);
    EXPECT_NEAR(file.RangePosition(), 1.0, 1e-9);
    ASSERT_EQ(PumpUntil(callback().playEnd, 15000), WAIT_OBJECT_0);
    double stopped = 0;
    file.Reader()->Stop(&stopped);
    {
        std::lock_guard<std::mutex> hold(callback().lock);
        bool sawSecondBlock = false;
        for (double p : callback().positions) {
            sawSecondBlock = sawSecondBlock || (p >= 10.0 && p <= 12.1);
        }
        EXPECT_TRUE(sawSecondBlock) << testing::PrintToString(callback().positions);
        ASSERT_EQ(callback().ends.size(), 2u);
        // The engine reports where its graph stopped: at the range end or up to the following
        // key frame.
        EXPECT_GE(callback().ends[0], 0.99);
        EXPECT_LE(callback().ends[0], 2.01);
        EXPECT_GE(callback().ends[1], 10.99);
        EXPECT_LE(callback().ends[1], 12.01);
    }
    EXPECT_EQ(file.PlayNextBlock(), L"");  // after the last block: nothing more to play
}

// A borderless top-level window for one video (Wine draws video only into top-level windows).
HWND MakeVideoWindow(int x)
{
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = L"RealEngineTestVideo";
        return RegisterClassW(&wc);
    }();
    (void)atom;
    HWND window = CreateWindowExW(WS_EX_TOPMOST, L"RealEngineTestVideo", L"video",
                                  WS_POPUP | WS_VISIBLE, x, 0, 320, 240, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    UpdateWindow(window);
    return window;
}

void Pump(DWORD ms)
{
    HANDLE never = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    PumpUntil(never, ms);
    CloseHandle(never);
}

// Paused, the presentation's seeks and single-frame steps show ffmpeg's picture of the new
// position in the camera's window, not the key frame the decoding starts from.
TEST_F(RealEngineTest, PausedSeeksAndFrameStepsShowThePictureAtThePosition)
{
    const CameraFrames frames;
    ASSERT_EQ(frames.Count(), 45);
    HWND windows[2] = {MakeVideoWindow(0), MakeVideoWindow(340)};
    VideoEngine()->SetVideoWindows(windows[0], windows[1]);
    {
        QVRFile file;
        file.SetReaderMode(0);
        ASSERT_EQ(file.Open(orvane::test::MediaPath(L"sample.wmv").c_str()), L"");
        ASSERT_EQ(file.Seek(0), L"");
        ASSERT_EQ(file.Reader()->Play(nullptr, TRUE, TRUE, 1.0, 0), L"");
        Pump(700);
        ASSERT_EQ(file.Reader()->Pause(), L"");
        // The camera video goes into the second window.
        auto expectShown = [&](double at, const char* what) {
            Pump(300);
            double difference = 0;
            const int shown = frames.BestMatch(windows[1], &difference);
            EXPECT_LT(difference, 0.03) << what << " at " << at << ": one of ffmpeg's pictures";
            // Not the key frame the decoding starts from; under Wine the picture shown is still
            // up to two before the position's own (README).
            EXPECT_NEAR(shown, CameraFrames::IndexAt(at), 2) << what << " at " << at;
        };
        ASSERT_EQ(file.Seek(10.0), L"");
        expectShown(10.0, "seek");
        double x = 10.0;
        for (int step = 0; step < 3; ++step) {
            double next = -1;
            ASSERT_EQ(file.StepFrame(FALSE, &next, x), L"");
            ASSERT_GT(next, x);
            ASSERT_EQ(file.Seek(next), L"");
            expectShown(next, "step forward");
            x = next;
        }
        for (int step = 0; step < 4; ++step) {
            double previous = -1;
            ASSERT_EQ(file.StepFrame(TRUE, &previous, x), L"");
            ASSERT_LT(previous, x);
            ASSERT_EQ(file.Seek(previous), L"");
            expectShown(previous, "step back");
            x = previous;
        }
        ASSERT_EQ(file.Seek(11.5), L"");
        expectShown(11.5, "seek");
        double stopped = 0;
        file.Reader()->Stop(&stopped);
    }
    VideoEngine()->SetVideoWindows(nullptr, nullptr);
    DestroyWindow(windows[0]);
    DestroyWindow(windows[1]);
}

}  // namespace
