// The file splitter over the stand-in media runtime under Wine: opening and stream selection,
// delivery of every compressed sample with the right time stamps and flags, stop positions,
// speed, seeking while running, damaged files and repeated opening.
#include "video/splitter/CWMFOutputPin.h"
#include "video/splitter/QvrGraphEvent.h"
#include "tests/video/splitter/SplitterRig.h"
#include "tests/video/TestInstance.h"

#include <gtest/gtest.h>

#include <amvideo.h>
#include <tlhelp32.h>
#include <uuids.h>
#include <vfwmsgs.h>

#include <map>

namespace {

constexpr LONGLONG kSecond = 10000000;

int ThreadCount()
{
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL ok = Thread32First(snap, &entry); ok; ok = Thread32Next(snap, &entry)) {
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) {
            ++count;
        }
    }
    CloseHandle(snap);
    return count;
}

const VIDEOINFOHEADER* VideoInfo(const AM_MEDIA_TYPE& type)
{
    return type.formattype == FORMAT_VideoInfo && type.cbFormat >= sizeof(VIDEOINFOHEADER)
               ? reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat)
               : nullptr;
}

TEST(SplitterGraph, OpensTheSampleWithOnePinPerStream)
{
    ScopedCallback callback;
    SplitterRig rig;
    ASSERT_EQ(rig.Open(L"sample.wmv"), L"");
    ASSERT_EQ(rig.splitter->GetPinCount(), 3);
    const struct {
        WORD stream;
        bool audio;
        int width;
        int height;
    } expected[] = {{1, false, 320, 240}, {2, false, 640, 480}, {3, true, 0, 0}};
    for (int i = 0; i < 3; ++i) {
        CWMFOutputPin* pin = rig.splitter->GetPinByIndex(i);
        EXPECT_EQ(pin->GetStreamNumber(nullptr), expected[i].stream);
        EXPECT_EQ(pin->IsAudio(), expected[i].audio);
        if (!expected[i].audio) {
            const VIDEOINFOHEADER* info = VideoInfo(pin->StreamType());
            ASSERT_NE(info, nullptr);
            EXPECT_EQ(info->bmiHeader.biWidth, expected[i].width);
            EXPECT_EQ(info->bmiHeader.biHeight, expected[i].height);
        } else {
            EXPECT_EQ(pin->StreamType().formattype, FORMAT_WaveFormatEx);
        }
    }
    EXPECT_EQ(rig.splitter->GetPinByIndex(3), nullptr);
    EXPECT_EQ(rig.splitter->GetPinByIndex(-1), nullptr);
    EXPECT_NEAR(static_cast<double>(rig.splitter->Duration()) / kSecond, 20.0, 0.2);

    IMediaSeeking* seeking = nullptr;
    ASSERT_EQ(rig.splitter->GetPinByIndex(0)->QueryInterface(
                  IID_IMediaSeeking, reinterpret_cast<void**>(&seeking)),
              S_OK);
    LONGLONG stop = 0;
    EXPECT_EQ(seeking->GetStopPosition(&stop), S_OK);
    EXPECT_EQ(stop, rig.splitter->Duration()) << "no stop set: the duration";
    DWORD caps = AM_SEEKING_CanGetCurrentPos;
    EXPECT_EQ(seeking->CheckCapabilities(&caps), S_FALSE);
    EXPECT_EQ(seeking->SetRate(0.0), E_INVALIDARG) << "a rate of 0 would divide by zero";
    double rate = 0;
    EXPECT_EQ(seeking->GetRate(&rate), S_OK);
    EXPECT_EQ(rate, 1.0);
    // Only a stop: stored, nothing restarts.
    LONGLONG newStop = 7 * kSecond;
    EXPECT_EQ(seeking->SetPositions(nullptr, 0, &newStop, AM_SEEKING_AbsolutePositioning), S_OK);
    EXPECT_EQ(seeking->GetStopPosition(&stop), S_OK);
    EXPECT_EQ(stop, 7 * kSecond);
    seeking->Release();
}

// A pin held elsewhere keeps its filter alive; the last release of either frees both, and
// nothing is deleted while still referenced.
TEST(SplitterGraph, PinHeldAfterTheFilterIsReleasedStaysUsable)
{
    ScopedCallback callback;
    SplitterRig rig;
    ASSERT_EQ(rig.Open(L"one-video.wmv"), L"");
    IPin* pin = rig.splitter->GetPinByIndex(0);
    pin->AddRef();
    rig.TearDown();  // the rig's reference to the splitter is gone
    PIN_DIRECTION direction = PINDIR_INPUT;
    EXPECT_EQ(pin->QueryDirection(&direction), S_OK);
    EXPECT_EQ(direction, PINDIR_OUTPUT);
    PIN_INFO info{};
    ASSERT_EQ(pin->QueryPinInfo(&info), S_OK);
    ASSERT_NE(info.pFilter, nullptr) << "the filter is still there";
    info.pFilter->Release();
    EXPECT_EQ(pin->Release(), 1u) << "only the filter's own reference is left";
}

TEST(SplitterGraph, OtherMediaTypeIsRefused)
{
    ScopedCallback callback;
    SplitterRig rig;
    ASSERT_EQ(rig.Open(L"one-video.wmv"), L"");
    CMediaType other;
    other.majortype = MEDIATYPE_Video;
    other.subtype = MEDIASUBTYPE_RGB24;
    EXPECT_EQ(rig.splitter->GetPinByIndex(0)->CheckMediaType(&other), VFW_E_TYPE_NOT_ACCEPTED);
    CMediaType same;
    same.Set(rig.splitter->GetPinByIndex(0)->StreamType());
    EXPECT_EQ(rig.splitter->GetPinByIndex(0)->CheckMediaType(&same), S_OK);
}

// The thread count of the process once it has settled (threads end shortly after a close).
int SettledThreadCount(int atMost)
{
    int count = ThreadCount();
    // Threads end asynchronously after their last release; a loaded machine may take seconds.
    for (int i = 0; i < 250 && count > atMost; ++i) {
        Sleep(20);
        count = ThreadCount();
    }
    return count;
}

TEST(SplitterGraph, DamagedHeadersFailToOpenWithTextAndLeaveNothing)
{
    ScopedCallback callback;
    const int threads = ThreadCount();
    for (const wchar_t* name : {L"damaged-zero.wmv", L"damaged-header-flipped.wmv"}) {
        SplitterRig rig;
        const std::wstring error = rig.Open(name);
        EXPECT_NE(error.find(L"Function: OpenStream"), std::wstring::npos) << name << error;
        EXPECT_EQ(rig.splitter->Reader(), nullptr) << "a failed open closes the reader";
    }
    EXPECT_LE(SettledThreadCount(threads), threads) << "a thread was left behind";
}

// Files whose data is cut short open, then end their streams with one engine event.
TEST(SplitterGraph, DamagedDataEndsTheStreamsWithOneEvent)
{
    ScopedCallback callback;
    const int threads = ThreadCount();
    for (const wchar_t* name : {L"damaged-header-truncated.wmv", L"damaged-data-truncated.wmv"}) {
        SplitterRig rig;
        ASSERT_EQ(rig.Open(name), L"") << name;
        ASSERT_EQ(rig.BuildGraph(), S_OK);
        ASSERT_EQ(rig.control->Run(), S_OK);
        ASSERT_TRUE(rig.WaitAllEnded(10000)) << name << callback.instance.All();
        int engineEvents = 0;
        long code = 0;
        LONG_PTR p1 = 0;
        LONG_PTR p2 = 0;
        // The reader's thread may report the failure just after the streams ended, and the
        // event follows the text: under load it can come late, so wait longer for it once
        // the text is there.
        auto drain = [&](long firstWait) {
            for (long wait = firstWait; rig.events->GetEvent(&code, &p1, &p2, wait) == S_OK;
                 wait = 200) {
                engineEvents += code == QVR_ERROR_DS_EVENT ? 1 : 0;
                rig.events->FreeEventParams(code, p1, p2);
            }
        };
        drain(200);
        if (engineEvents == 0 && !rig.splitter->LastErrorText().empty()) {
            drain(5000);
        }
        EXPECT_LE(engineEvents, 1) << name;
        EXPECT_EQ(engineEvents == 1, !rig.splitter->LastErrorText().empty()) << name;
    }
    EXPECT_LE(SettledThreadCount(threads), threads) << "a thread was left behind";
}

// Plays a whole file through the sinks and checks every sample against ffprobe's packets.
TEST(SplitterGraph, PlaysEverySampleWithTimesAndFlags)
{
    ScopedCallback callback;
    SplitterRig rig;
    ASSERT_EQ(rig.Open(L"sample.wmv"), L"");
    ASSERT_EQ(rig.BuildGraph(), S_OK);
    ASSERT_EQ(rig.control->Run(), S_OK);
    ASSERT_TRUE(rig.WaitAllEnded(30000)) << callback.instance.All();

    const std::vector<ExpectedPacket> packets = ExpectedPackets(L"sample.wmv");
    ASSERT_FALSE(packets.empty());
    std::map<int, std::vector<ExpectedPacket>> byStream;
    for (const ExpectedPacket& p : packets) {
        byStream[p.streamIndex].push_back(p);
    }
    for (int i = 0; i < 3; ++i) {
        const std::vector<SinkSample> got = rig.sinks[i]->Samples();
        const std::vector<ExpectedPacket>& want = byStream[i];
        ASSERT_EQ(got.size(), want.size()) << "pin " << i;
        LONGLONG audioBytes = 0;
        for (size_t k = 0; k < got.size(); ++k) {
            ASSERT_TRUE(got[k].hasTime);
            EXPECT_EQ(got[k].start, want[k].time) << "pin " << i << " sample " << k;
            EXPECT_EQ(got[k].length, want[k].size) << "pin " << i << " sample " << k;
            if (i < 2) {
                EXPECT_EQ(got[k].sync, want[k].key) << "pin " << i << " sample " << k;
            } else {
                EXPECT_EQ(got[k].mediaStart, audioBytes);
                EXPECT_EQ(got[k].mediaStop, audioBytes + got[k].length);
                audioBytes += got[k].length;
            }
        }
        EXPECT_TRUE(got.front().discontinuity) << "first sample after activation";
        EXPECT_EQ(rig.sinks[i]->SegmentStarts(), std::vector<REFERENCE_TIME>{0});
        EXPECT_EQ(rig.sinks[i]->EndOfStreams(), 1);
    }
    EXPECT_EQ(rig.splitter->LastErrorText(), L"");
}

TEST(SplitterGraph, StopPositionEndsTheStreamThereAndSpeedDividesTimes)
{
    ScopedCallback callback;
    SplitterRig rig;
    ASSERT_EQ(rig.Open(L"one-video.wmv"), L"");
    ASSERT_EQ(rig.BuildGraph(), S_OK);
    ASSERT_EQ(rig.SeekAll(2 * kSecond, 3 * kSecond), S_OK);
    rig.splitter->SetSpeed(2.0);
    ASSERT_EQ(rig.control->Run(), S_OK);
    ASSERT_TRUE(rig.WaitAllEnded(10000)) << callback.instance.All();
    EXPECT_TRUE(callback.instance.Logged(L"OnTime: EOS 3 sec")) << callback.instance.All();
    for (TestSinkFilter* sink : rig.sinks) {
        const std::vector<SinkSample> got = sink->Samples();
        ASSERT_FALSE(got.empty());
        for (const SinkSample& s : got) {
            // Times are relative to the start and halved; nothing beyond the stop arrives.
            EXPECT_LE(s.start, kSecond / 2);
            EXPECT_EQ(s.preroll, s.start < 0);
        }
        EXPECT_EQ(sink->SegmentStarts(), std::vector<REFERENCE_TIME>{2 * kSecond});
    }
}

TEST(SplitterGraph, SeekWhileRunningFlushesAndRestarts)
{
    ScopedCallback callback;
    SplitterRig rig;
    ASSERT_EQ(rig.Open(L"one-video.wmv"), L"");
    ASSERT_EQ(rig.BuildGraph(), S_OK);
    ASSERT_EQ(rig.control->Run(), S_OK);
    ASSERT_TRUE(rig.WaitAllEnded(10000));
    for (TestSinkFilter* sink : rig.sinks) {
        sink->Clear();
    }
    // The first pin restarts the reader; the others asking for the same positions join it.
    ASSERT_EQ(rig.SeekAll(3 * kSecond, -1), S_OK);
    ASSERT_TRUE(rig.WaitAllEnded(10000)) << callback.instance.All();
    for (TestSinkFilter* sink : rig.sinks) {
        EXPECT_EQ(sink->Flushes(), 1);
        const std::vector<SinkSample> got = sink->Samples();
        ASSERT_FALSE(got.empty());
        EXPECT_TRUE(got.front().discontinuity);
        EXPECT_LE(got.back().start, 2 * kSecond + kSecond / 10);
        EXPECT_EQ(sink->SegmentStarts(), std::vector<REFERENCE_TIME>{3 * kSecond});
        if (got.front().mediaStart >= 0) {
            EXPECT_EQ(got.front().mediaStart, 0) << "audio bytes count again from the restart";
        }
    }
}

TEST(SplitterGraph, PauseStopAndRunAgain)
{
    ScopedCallback callback;
    SplitterRig rig;
    ASSERT_EQ(rig.Open(L"one-video.wmv"), L"");
    ASSERT_EQ(rig.BuildGraph(), S_OK);
    for (int round = 0; round < 3; ++round) {
        for (TestSinkFilter* sink : rig.sinks) {
            sink->Clear();
        }
        ASSERT_EQ(rig.control->Pause(), S_OK);
        ASSERT_EQ(rig.control->Run(), S_OK);
        ASSERT_TRUE(rig.WaitAllEnded(10000)) << "round " << round;
        ASSERT_EQ(rig.control->Stop(), S_OK);
    }
}

TEST(SplitterGraph, ReadFailureIsRaisedOnceAsTheEngineEvent)
{
    ScopedCallback callback;
    SplitterRig rig;
    ASSERT_EQ(rig.Open(L"sample.wmv"), L"");
    ASSERT_EQ(rig.BuildGraph(), S_OK);
    {
        std::lock_guard<std::mutex> hold(rig.context.lock);
        rig.context.readFailure = E_ACCESSDENIED;
    }
    ASSERT_EQ(rig.control->Run(), S_OK);
    int engineEvents = 0;
    std::wstring text;
    const DWORD until = GetTickCount() + 10000;
    while (engineEvents == 0 && static_cast<LONG>(until - GetTickCount()) > 0) {
        long code = 0;
        LONG_PTR p1 = 0;
        LONG_PTR p2 = 0;
        if (rig.events->GetEvent(&code, &p1, &p2, 100) == S_OK) {
            if (code == QVR_ERROR_DS_EVENT) {
                ++engineEvents;
                text = reinterpret_cast<const wchar_t*>(p2);
            }
            rig.events->FreeEventParams(code, p1, p2);
        }
    }
    ASSERT_EQ(engineEvents, 1) << callback.instance.All();
    EXPECT_NE(text.find(L"sample.wmv"), std::wstring::npos) << text;
}

TEST(SplitterGraph, OpenAndCloseRepeatedlyKeepsHandlesAndThreads)
{
    ScopedCallback callback;
    auto once = [] {
        SplitterRig rig;
        ASSERT_EQ(rig.Open(L"one-video.wmv"), L"");
        ASSERT_EQ(rig.BuildGraph(), S_OK);
        ASSERT_EQ(rig.control->Run(), S_OK);
        ASSERT_TRUE(rig.WaitAllEnded(10000));
    };
    once();
    DWORD handles = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles);
    const int threads = ThreadCount();
    for (int i = 0; i < 20; ++i) {
        once();
    }
    DWORD after = 0;
    GetProcessHandleCount(GetCurrentProcess(), &after);
    EXPECT_LE(after, handles + 4);
    EXPECT_LE(ThreadCount(), threads + 1);
}

}  // namespace
