// The open presentation over the real engine library and the sample presentation: formats and
// durations, single-frame steps, and playing on from one media block into the next.
#include "QVRFile.h"
#include "TestEnv.h"
#include "VideoLibrary.h"
#include "VideoReader.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdarg>
#include <mutex>
#include <vector>

namespace {

class CallbackDouble final : public QVRInstance {
public:
    HANDLE playEnd = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    std::mutex lock;
    std::vector<double> positions;
    std::atomic<int> asyncErrors{0};

    void Log(int, const wchar_t*, ...) override {}
    int MessageBox(HWND, const wchar_t*, UINT, UINT, UINT) override { return IDOK; }
    void GetCommandStates(void* out) override { memset(out, 0, sizeof(COMMAND_STATES)); }
    BOOL RunCommand(UINT, INT_PTR, int) override { return FALSE; }
    HICON GetIcon(UINT) override { return nullptr; }
    void OnSliderScroll(UINT, UINT, HWND) override {}
    const wchar_t* GetStatusText() override { return L""; }
    int TrackSpeedMenu(HWND, HWND) override { return 0; }
    double GetPosition() override { return 0; }
    double GetDuration() override { return 0; }
    BOOL MinimizeRestore(BOOL) override { return FALSE; }
    LRESULT ShowHelp(int) override { return 0; }
    void OnAsyncError(HRESULT, const wchar_t*) override { ++asyncErrors; }
    void OnAudioData(int, const WAVEFORMATEX*, const BYTE*, long) override {}
    void OnPosition(double seconds) override
    {
        std::lock_guard<std::mutex> hold(lock);
        positions.push_back(seconds);
    }
    std::vector<double> ends;
    BOOL OnPlayEnd(double seconds) override
    {
        {
            std::lock_guard<std::mutex> hold(lock);
            ends.push_back(seconds);
        }
        SetEvent(playEnd);
        return TRUE;
    }
    const wchar_t* GetVideoSettings() override { return L""; }
    void SetVideoSettings(const wchar_t*) override {}
    int GetListCount(int) override { return 0; }
    const wchar_t* GetListItemName(int, int) override { return L""; }
    const wchar_t* GetListItemValue(int, int) override { return L""; }
    void SetListItem(int, const wchar_t*, const wchar_t*) override {}
    void Destroy() override {}
};

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
