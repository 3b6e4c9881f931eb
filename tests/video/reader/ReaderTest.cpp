// The presentation reader under Wine on the generated presentations: opening, the information
// block and format records, playing to the end at speed 1 and 2, pause, resume and stop,
// seeking into the middle, volume and mute at the renderer, damaged files, repeated opening.
#include "video/reader/IVideoReader.h"
#include "video/splitter/QvrGraphEvent.h"
#include "tests/video/reader/ReaderTestInstance.h"
#include "tests/support/TestEnv.h"
#include "tests/video/splitter/TestFileCallbacks.h"
#include "tests/video/splitter/SplitterRig.h"

#include "video/splitter/CWMFSplitterFlt.h"
#include "WinNT_SP/Include_VS2005/WMRuntimeTable.h"

#include <gtest/gtest.h>

#include <map>

#include <psapi.h>
#include <tlhelp32.h>
#include <uuids.h>

#include <memory>

namespace {

constexpr LONGLONG kSecond = 10000000;

int ThreadCount()
{
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL ok = Thread32First(snap, &entry); ok; ok = Thread32Next(snap, &entry)) {
        count += entry.th32OwnerProcessID == GetCurrentProcessId() ? 1 : 0;
    }
    CloseHandle(snap);
    return count;
}

int SettledThreadCount(int atMost)
{
    int count = ThreadCount();
    for (int i = 0; i < 100 && count > atMost; ++i) {
        ReaderTestInstance::Pump(20);
        count = ThreadCount();
    }
    return count;
}

std::wstring Text(const wchar_t* text)
{
    return text != nullptr ? text : L"";
}

// A reader over a generated presentation with its two file contexts.
struct ReaderRig {
    READER_CB_PARAMS main;
    READER_CB_PARAMS scan;
    std::unique_ptr<IVideoReader> reader = std::make_unique<IVideoReader>();

    std::wstring Open(const wchar_t* name, BOOL noClock = FALSE, WM_METADATA* tags = nullptr)
    {
        const std::wstring path = orvane::test::MediaPath(name);
        if (!main.OpenFile(path) || !scan.OpenFile(path)) {
            return L"cannot open the test file";
        }
        return Text(reader->Open(noClock, name, TestRead, TestSeek, &main, &scan, tags));
    }
    double Duration()
    {
        BYTE info[QVR_READER_INFO_BYTES];
        reader->GetInfo(info);
        double d[3];
        memcpy(d, info + QVR_READER_INFO_AUDIO_DURATION, sizeof(d));
        return std::max(d[0], std::max(d[1], d[2]));
    }
};

TEST(Reader, OpensTheSampleWithInfoAndFormats)
{
    ReaderTestInstance callback;
    ReaderRig rig;
    ASSERT_EQ(rig.Open(L"sample.wmv"), L"");
    BYTE info[QVR_READER_INFO_BYTES];
    EXPECT_EQ(rig.reader->GetInfo(info), nullptr);
    double d[3];
    memcpy(d, info + QVR_READER_INFO_AUDIO_DURATION, sizeof(d));
    for (double seconds : d) {
        EXPECT_NEAR(seconds, 20.0, 0.2);
    }
    const wchar_t* texts = reinterpret_cast<const wchar_t*>(info);
    for (int i = 0; i < 9; ++i) {
        EXPECT_NE(texts[i * 256], L'\0') << "text " << i;
    }
    // Stream number 2 takes the camera slot; the other video stream the screen slot.
    int width = 0;
    int height = 0;
    rig.reader->GetVideoFormat(0)->GetFrameSize(&width, &height);
    EXPECT_EQ(width, 640);
    rig.reader->GetVideoFormat(1)->GetFrameSize(&width, &height);
    EXPECT_EQ(width, 320);
    EXPECT_EQ(height, 240);
    EXPECT_EQ(rig.reader->GetVideoFormat(2), nullptr);
    EXPECT_EQ(rig.reader->GetVideoFormat(-1), nullptr);
    EXPECT_EQ(rig.reader->GetAudioFormat()->GetChannels(), 2u);
    EXPECT_NE(rig.reader->GetWMReader(), nullptr);
    EXPECT_FALSE(rig.reader->IsAudioOnly());
    // The last frames both videos still show, one frame apart.
    EXPECT_GT(rig.reader->FinalFrameTime(), 19 * kSecond);
    EXPECT_LT(rig.reader->PreviousFrameTime(), rig.reader->FinalFrameTime());
}

TEST(Reader, OpenFillsTheHeaderAttributeRecord)
{
    ReaderTestInstance callback;
    ReaderRig rig;
    auto tags = std::make_unique<WM_METADATA>();
    memset(tags.get(), 0, sizeof(WM_METADATA));
    ASSERT_EQ(rig.Open(L"sample.wmv", FALSE, tags.get()), L"");
    std::map<std::wstring, std::wstring> byName;
    for (int i = 0; i < kWMMetadataCount; ++i) {
        byName[kWMMetadataNames[i]] = tags->text[i];
    }
    // The values the generated file was written with.
    EXPECT_EQ(byName[L"Title"], L"Orvane Sample Talk");
    EXPECT_EQ(byName[L"Author"], L"Dana Whitfield");
    EXPECT_EQ(byName[L"WM/AlbumTitle"], L"Orvane Test Series");
}

TEST(Reader, AudioOnlyPresentation)
{
    ReaderTestInstance callback;
    ReaderRig rig;
    ASSERT_EQ(rig.Open(L"audio-only.wma"), L"");
    EXPECT_TRUE(rig.reader->IsAudioOnly());
    BYTE info[QVR_READER_INFO_BYTES];
    rig.reader->GetInfo(info);
    const wchar_t* texts = reinterpret_cast<const wchar_t*>(info);
    EXPECT_NE(texts[0], L'\0');
    EXPECT_EQ(texts[3 * 256], L'\0');
    LONGLONG frame = 0;
    EXPECT_EQ(rig.reader->FindFrame(0, 10 * kSecond, 3 * kSecond, FALSE, FALSE, &frame),
              nullptr);
    EXPECT_EQ(frame, 3 * kSecond) << "no video: the time itself";
}

TEST(Reader, DamagedAndForeignFilesFailWithTheEngineText)
{
    ReaderTestInstance callback;
    const int threads = ThreadCount();
    for (const wchar_t* name : {L"damaged-zero.wmv", L"damaged-header-flipped.wmv",
                                L"tone.wav"}) {
        ReaderRig rig;
        const std::wstring error = rig.Open(name);
        EXPECT_NE(error.find(L"may be corrupted"), std::wstring::npos) << name << error;
        EXPECT_NE(error.find(name), std::wstring::npos) << error;
        EXPECT_EQ(rig.reader->GetWMReader(), nullptr);
    }
    EXPECT_LE(SettledThreadCount(threads), threads) << "a thread was left behind";
}

TEST(Reader, ReadFailureAtOpenNamesTheCall)
{
    ReaderTestInstance callback;
    ReaderRig rig;
    rig.main.readFailure = E_ACCESSDENIED;
    const std::wstring error = rig.Open(L"sample.wmv");
    EXPECT_NE(error.find(L"Function: Read"), std::wstring::npos) << error;
}

TEST(Reader, PlaysToTheEndAtSpeedOne)
{
    ReaderTestInstance callback;
    ReaderRig rig;
    ASSERT_EQ(rig.Open(L"one-video.wmv"), L"");
    const double duration = rig.Duration();
    ASSERT_NEAR(duration, 5.0, 0.2);
    ASSERT_EQ(rig.reader->SetReadRange(2 * kSecond, 0), nullptr);
    const DWORD start = GetTickCount();
    ASSERT_EQ(Text(rig.reader->Play(1.0, FALSE, nullptr, 0, FALSE)), L"");
    EXPECT_EQ(rig.reader->State(), 2);
    ASSERT_TRUE(callback.WaitPlayEnd(15000)) << callback.All();
    const double elapsed = (GetTickCount() - start) / 1000.0;
    EXPECT_NEAR(elapsed, duration - 2.0, 0.8);
    std::lock_guard<std::mutex> hold(callback.lock);
    EXPECT_NEAR(callback.playEnds.front(), duration, 0.01);
    EXPECT_GT(callback.positions.size(), 10u) << "position notices every 100 ms";
    EXPECT_EQ(rig.reader->State(), 0);
}

struct SpeedCase {
    double speed;
    BOOL keepPitch;
    bool soundSpeedFilter;
    double graphRate;
    // Wine's DirectSound renderer plays at its own pace whatever the graph's rate, so only the
    // sound-speed path shortens the playing time there.
    bool timedBySpeed;
};

class ReaderSpeed : public testing::TestWithParam<SpeedCase> {};

TEST_P(ReaderSpeed, EndArrivesAtTheRangeOverTheSpeed)
{
    const SpeedCase c = GetParam();
    ReaderTestInstance callback;
    ReaderRig rig;
    ASSERT_EQ(rig.Open(L"sample.wmv"), L"");
    ASSERT_EQ(rig.reader->SetReadRange(14 * kSecond, 3 * kSecond), nullptr);
    const DWORD start = GetTickCount();
    ASSERT_EQ(Text(rig.reader->Play(c.speed, c.keepPitch, nullptr, 0, FALSE)), L"");
    EXPECT_EQ(rig.reader->HasSoundSpeedFilter(), c.soundSpeedFilter);
    // The graph's rate reaches the splitter, which divides its time stamps by it.
    double rate = 0;
    rig.reader->Splitter()->GetPositions(nullptr, nullptr, &rate);
    EXPECT_EQ(rate, c.graphRate);
    ASSERT_TRUE(callback.WaitPlayEnd(15000)) << callback.All();
    const double elapsed = (GetTickCount() - start) / 1000.0;
    EXPECT_NEAR(elapsed, (c.timedBySpeed ? 3.0 / c.speed : 3.0), 0.8) << c.speed;
    std::lock_guard<std::mutex> hold(callback.lock);
    EXPECT_NEAR(callback.playEnds.front(), 17.0, 0.01);
    EXPECT_TRUE(callback.errors.empty()) << callback.errors.front();
}

INSTANTIATE_TEST_SUITE_P(Speeds, ReaderSpeed,
                         testing::Values(SpeedCase{2.0, TRUE, true, 1.0, true},
                                         SpeedCase{2.0, FALSE, false, 2.0, false},
                                         SpeedCase{1.0, TRUE, false, 1.0, true}));

TEST(Reader, PauseResumeAndStop)
{
    ReaderTestInstance callback;
    ReaderRig rig;
    ASSERT_EQ(rig.Open(L"sample.wmv"), L"");
    ASSERT_EQ(rig.reader->SetReadRange(5 * kSecond, 0), nullptr);
    ASSERT_EQ(Text(rig.reader->Play(1.0, FALSE, nullptr, 0, FALSE)), L"");
    ReaderTestInstance::Pump(700);
    ASSERT_EQ(Text(rig.reader->Pause()), L"");
    EXPECT_EQ(rig.reader->State(), 1);
    double paused = 0;
    EXPECT_EQ(rig.reader->GetPositionSeconds(&paused), L"");
    EXPECT_GT(paused, 5.2);
    EXPECT_LT(paused, 6.5);
    ReaderTestInstance::Pump(500);
    double still = 0;
    rig.reader->GetPositionSeconds(&still);
    EXPECT_NEAR(still, paused, 0.05) << "paused: the position stands";
    ASSERT_EQ(Text(rig.reader->Resume()), L"");
    EXPECT_EQ(rig.reader->State(), 2);
    ReaderTestInstance::Pump(500);
    double stopped = 0;
    ASSERT_EQ(Text(rig.reader->Stop(FALSE, &stopped)), L"");
    EXPECT_EQ(rig.reader->State(), 0);
    EXPECT_GT(stopped, paused + 0.2);
    EXPECT_LT(stopped, paused + 1.5);
}

TEST(Reader, SeekIntoTheMiddleAndPlay)
{
    ReaderTestInstance callback;
    ReaderRig rig;
    ASSERT_EQ(rig.Open(L"sample.wmv"), L"");
    ASSERT_EQ(rig.reader->SetReadRange(3 * kSecond, 0), nullptr);
    ASSERT_EQ(Text(rig.reader->Play(1.0, FALSE, nullptr, 0, FALSE)), L"");
    ReaderTestInstance::Pump(300);
    // A new range while playing: the player stops, sets the range and plays again.
    double at = 0;
    ASSERT_EQ(Text(rig.reader->Stop(FALSE, &at)), L"");
    ASSERT_EQ(rig.reader->SetReadRange(10 * kSecond, kSecond), nullptr);
    callback.Clear();
    ASSERT_EQ(Text(rig.reader->Play(1.0, FALSE, nullptr, 0, FALSE)), L"");
    ASSERT_TRUE(callback.WaitPlayEnd(10000)) << callback.All();
    std::lock_guard<std::mutex> hold(callback.lock);
    EXPECT_NEAR(callback.playEnds.front(), 11.0, 0.01);
    for (double p : callback.positions) {
        EXPECT_GE(p, 9.99);
        EXPECT_LE(p, 11.01);
    }
}

TEST(Reader, VolumeAndMuteReachTheRenderer)
{
    ReaderTestInstance callback;
    ReaderRig rig;
    ASSERT_EQ(rig.Open(L"one-video.wmv"), L"");
    ASSERT_EQ(rig.reader->SetReadRange(0, 0), nullptr);
    ASSERT_EQ(Text(rig.reader->Play(1.0, FALSE, nullptr, -2000, FALSE)), L"");
    IBaseFilter* renderer = rig.reader->AudioRenderer();
    ASSERT_NE(renderer, nullptr);
    IBasicAudio* audio = nullptr;
    ASSERT_EQ(renderer->QueryInterface(IID_IBasicAudio, reinterpret_cast<void**>(&audio)), S_OK);
    const struct {
        long volume;
        BOOL mute;
        long applied;
    } cases[] = {{-2000, FALSE, -2000}, {500, FALSE, 0}, {-20000, FALSE, -10000},
                 {-1500, TRUE, -10000}, {-1500, FALSE, -1500}};
    for (const auto& c : cases) {
        rig.reader->ApplyVolume(c.volume, c.mute);
        long volume = 1;
        ASSERT_EQ(audio->get_Volume(&volume), S_OK);
        EXPECT_EQ(volume, c.applied) << c.volume << " mute " << c.mute;
    }
    audio->Release();
    renderer->Release();
    double position = 0;
    EXPECT_EQ(Text(rig.reader->Stop(FALSE, &position)), L"");
}

// The file's data ends at 8.6 s while its header promises more: the end of play still comes.
TEST(Reader, StreamEndingBeforeTheHeaderDurationEndsPlay)
{
    ReaderTestInstance callback;
    ReaderRig rig;
    ASSERT_EQ(rig.Open(L"damaged-data-truncated.wmv"), L"");
    ASSERT_GT(rig.Duration(), 9.0);
    ASSERT_EQ(rig.reader->SetReadRange(7 * kSecond, 0), nullptr);
    ASSERT_EQ(Text(rig.reader->Play(1.0, FALSE, nullptr, 0, FALSE)), L"");
    EXPECT_TRUE(callback.WaitPlayEnd(8000)) << callback.All();
    EXPECT_EQ(rig.reader->State(), 0);
}

TEST(Reader, NewRangeWhilePlayingRestartsThere)
{
    ReaderTestInstance callback;
    ReaderRig rig;
    ASSERT_EQ(rig.Open(L"sample.wmv"), L"");
    ASSERT_EQ(rig.reader->SetReadRange(2 * kSecond, 0), nullptr);
    ASSERT_EQ(Text(rig.reader->Play(1.0, FALSE, nullptr, 0, FALSE)), L"");
    ReaderTestInstance::Pump(300);
    ASSERT_EQ(rig.reader->SetReadRange(12 * kSecond, kSecond), nullptr);
    callback.Clear();
    ASSERT_TRUE(callback.WaitPlayEnd(10000)) << callback.All();
    std::lock_guard<std::mutex> hold(callback.lock);
    EXPECT_NEAR(callback.playEnds.front(), 13.0, 0.01);
}

TEST(Reader, NoClockRangeRunsTheGraphAgain)
{
    ReaderTestInstance callback;
    ReaderRig rig;
    ASSERT_EQ(rig.Open(L"one-video.wmv", TRUE), L"");
    EXPECT_EQ(rig.reader->FinalFrameTime(), -1) << "computed only for a clocked open";
    ASSERT_EQ(rig.reader->SetReadRange(0, 0), nullptr);
    ASSERT_EQ(Text(rig.reader->Play(1.0, FALSE, nullptr, 0, FALSE)), L"");
    ASSERT_EQ(Text(rig.reader->Pause()), L"");
    // Without a clock a new range stops the graph, positions it and runs it again.
    ASSERT_EQ(rig.reader->SetReadRange(kSecond, kSecond), nullptr);
    IMediaControl* control = nullptr;
    ASSERT_EQ(rig.reader->Graph()->QueryInterface(IID_IMediaControl,
                                                  reinterpret_cast<void**>(&control)),
              S_OK);
    OAFilterState state = State_Stopped;
    EXPECT_EQ(control->GetState(5000, &state), S_OK);
    EXPECT_EQ(state, State_Running);
    control->Release();
}

// Frame times of the main video stream (stream number 2, the camera slot) against ffprobe.
TEST(Reader, FrameTimesAndKeyFramesOfTheMainStream)
{
    ReaderTestInstance callback;
    ReaderRig rig;
    ASSERT_EQ(rig.Open(L"sample.wmv"), L"");
    std::vector<ExpectedPacket> frames;
    for (const ExpectedPacket& p : ExpectedPackets(L"sample.wmv")) {
        if (p.streamIndex == 1) {
            frames.push_back(p);
        }
    }
    ASSERT_GT(frames.size(), 20u);
    for (size_t i = 1; i + 1 < frames.size(); i += 7) {
        LONGLONG t = -2;
        BOOL key = 2;
        ASSERT_EQ(rig.reader->GetFrameTime(frames[i].time - 1, &key, &t), nullptr);
        EXPECT_EQ(t, frames[i].time) << i;
        LONGLONG next = -2;
        ASSERT_EQ(rig.reader->FindFrame(0, 30 * kSecond, frames[i].time, FALSE, FALSE, &next),
                  nullptr);
        EXPECT_EQ(next, frames[i + 1].time) << i;
        LONGLONG previous = -2;
        ASSERT_EQ(rig.reader->FindFrame(0, 30 * kSecond, frames[i].time, FALSE, TRUE,
                                        &previous),
                  nullptr);
        EXPECT_EQ(previous, frames[i - 1].time) << i;
    }
    // At or after the duration: the time itself, not a key frame.
    LONGLONG t = 0;
    BOOL key = TRUE;
    ASSERT_EQ(rig.reader->GetFrameTime(25 * kSecond, &key, &t), nullptr);
    EXPECT_EQ(t, 25 * kSecond);
    EXPECT_FALSE(key);
}

TEST(Reader, RateOfZeroIsRefused)
{
    ReaderTestInstance callback;
    ReaderRig rig;
    ASSERT_EQ(rig.Open(L"one-video.wmv"), L"");
    const std::wstring error = Text(rig.reader->Play(0.0, FALSE, nullptr, 0, FALSE));
    EXPECT_NE(error.find(L"Function: Play"), std::wstring::npos) << error;
    EXPECT_EQ(rig.reader->State(), 0);
}

TEST(Reader, ReadFailureWhilePlayingReachesThePlayerOnce)
{
    ReaderTestInstance callback;
    ReaderRig rig;
    ASSERT_EQ(rig.Open(L"sample.wmv"), L"");
    ASSERT_EQ(rig.reader->SetReadRange(0, 0), nullptr);
    {
        std::lock_guard<std::mutex> hold(rig.main.lock);
        rig.main.readFailure = E_ACCESSDENIED;
    }
    ASSERT_EQ(Text(rig.reader->Play(1.0, FALSE, nullptr, 0, FALSE)), L"");
    ASSERT_TRUE(callback.WaitAsyncError(5000)) << callback.All();
    ReaderTestInstance::Pump(300);
    std::lock_guard<std::mutex> hold(callback.lock);
    EXPECT_EQ(callback.errors.size(), 1u);
    EXPECT_NE(callback.errors.front().find(L"Unable to read file \"sample.wmv\""),
              std::wstring::npos);
}

// An error event that the event thread handles while the player's thread reopens the reader
// (holding the reader lock) must not deadlock: the event thread is stopped outside the lock.
TEST(Reader, ReopenDuringAnErrorEventDoesNotDeadlock)
{
    ReaderTestInstance callback;
    ReaderRig rig;
    ASSERT_EQ(rig.Open(L"one-video.wmv"), L"");
    for (int i = 0; i < 5; ++i) {
        rig.reader->Splitter()->NotifyEvent(QVR_ERROR_DS_EVENT, E_FAIL, 0);
        const DWORD start = GetTickCount();
        const std::wstring error = Text(rig.reader->Open(FALSE, L"one-video.wmv", TestRead,
                                                         TestSeek, &rig.main, &rig.scan,
                                                         nullptr));
        EXPECT_EQ(error, L"");
        EXPECT_LT(GetTickCount() - start, 3000u);
    }
}

TEST(Reader, OpenAndClose50TimesKeepsHandlesAndThreads)
{
    ReaderTestInstance callback;
    auto once = [] {
        ReaderRig rig;
        ASSERT_EQ(rig.Open(L"one-video.wmv"), L"");
    };
    once();
    const int threads = SettledThreadCount(1000);
    DWORD handles = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    GetProcessMemoryInfo(GetCurrentProcess(),
                         reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory));
    for (int i = 0; i < 50; ++i) {
        once();
    }
    DWORD after = 0;
    GetProcessHandleCount(GetCurrentProcess(), &after);
    EXPECT_LE(after, handles + 5);
    EXPECT_LE(SettledThreadCount(threads), threads);
    PROCESS_MEMORY_COUNTERS_EX memoryAfter{};
    GetProcessMemoryInfo(GetCurrentProcess(),
                         reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memoryAfter),
                         sizeof(memoryAfter));
    // Fifty opens of a 5-second file: a leak of its graph or buffers would show in megabytes.
    EXPECT_LT(static_cast<double>(memoryAfter.PrivateUsage) - memory.PrivateUsage,
              8.0 * 1024 * 1024);
}

}  // namespace
