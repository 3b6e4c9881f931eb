// The open presentation over the real engine library and the sample presentation: formats and
// durations, single-frame steps, and playing on from one media block into the next.
#include "tests/support/CallbackDouble.h"
#include "player/core/QVRFile.h"
#include "tests/support/TestEnv.h"
#include "player/core/VideoLibrary.h"
#include "player/core/VideoReader.h"

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

}  // namespace
