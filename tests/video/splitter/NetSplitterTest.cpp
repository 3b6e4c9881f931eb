// The network splitter in a Wine filter graph, fed with the compressed samples of a generated
// presentation as the stand-in runtime's synchronous reader gives them: pins for the streams
// named, time stamps relative to the start, buffers grown for a large key frame, one report
// for a failure that repeats, and a push waiting for a buffer ended by the graph's stop.
#include "tests/video/ReaderOpenWaiter.h"
#include "video/splitter/CWMNetOutputPin.h"
#include "video/splitter/CWMNetSplitterFlt.h"
#include "video/EngineGlobals.h"
#include "tests/support/TestEnv.h"
#include "tests/video/TestInstance.h"
#include "video/splitter/WmReaderFactory.h"

#include "platform/dshow/CBaseFilter.h"
#include "platform/dshow/CBaseInputPin.h"

#include <gtest/gtest.h>

#include <control.h>
#include <uuids.h>
#include <vfwmsgs.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// Counts the asynchronous errors the engine reports to the player.
class ErrorCounter : public TestInstance {
public:
    void OnAsyncError(HRESULT, const wchar_t* text) override
    {
        std::lock_guard<std::mutex> hold(m_lock);
        errors.push_back(text != nullptr ? text : L"");
    }
    size_t Count()
    {
        std::lock_guard<std::mutex> hold(m_lock);
        return errors.size();
    }
    std::vector<std::wstring> errors;

private:
    std::mutex m_lock;
};

class HoardingSink;

class HoardingPin : public CBaseInputPin {
public:
    HoardingPin(HoardingSink* sink, CCritSec* lock);
    HRESULT CheckMediaType(const CMediaType*) override { return S_OK; }
    STDMETHODIMP Receive(IMediaSample* sample) override;

private:
    HoardingSink* m_sink;
};

// Records what arrives; while hoarding, keeps every sample, so its buffer is not given back.
class HoardingSink : public CBaseFilter {
public:
    HoardingSink() : CBaseFilter(L"HoardingSink", nullptr, &m_lock, GUID_NULL), m_pin(this, &m_lock)
    {
    }
    ~HoardingSink() override { ReleaseHoard(); }
    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int n) override { return n == 0 ? &m_pin : nullptr; }

    struct Arrival {
        LONGLONG start = 0;
        long length = 0;
        bool sync = false;
    };
    void Take(IMediaSample* sample)
    {
        Arrival a;
        LONGLONG stop = 0;
        sample->GetTime(&a.start, &stop);
        a.length = sample->GetActualDataLength();
        a.sync = sample->IsSyncPoint() == S_OK;
        std::lock_guard<std::mutex> hold(m_recordLock);
        arrivals.push_back(a);
        if (hoard) {
            sample->AddRef();
            m_kept.push_back(sample);
        }
    }
    std::vector<Arrival> Arrivals()
    {
        std::lock_guard<std::mutex> hold(m_recordLock);
        return arrivals;
    }
    void ReleaseHoard()
    {
        std::lock_guard<std::mutex> hold(m_recordLock);
        for (IMediaSample* s : m_kept) {
            s->Release();
        }
        m_kept.clear();
    }
    std::atomic<bool> hoard{false};

private:
    CCritSec m_lock;
    HoardingPin m_pin;
    std::mutex m_recordLock;
    std::vector<Arrival> arrivals;
    std::vector<IMediaSample*> m_kept;
};

HoardingPin::HoardingPin(HoardingSink* sink, CCritSec* lock)
    : CBaseInputPin(L"HoardingPin", sink, lock, nullptr, L"In"), m_sink(sink)
{
}

STDMETHODIMP HoardingPin::Receive(IMediaSample* sample)
{
    const HRESULT hr = CBaseInputPin::Receive(sample);
    if (hr != S_OK) {
        return hr;
    }
    m_sink->Take(sample);
    return S_OK;
}

// Minimal callback for opening the asynchronous reader.
struct PushedSample {
    WORD stream = 0;
    QWORD time = 0;
    QWORD duration = 0;
    DWORD flags = 0;
    INSSBuffer* buffer = nullptr;
};

class NetSplitterTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_previous = GetEngineCallback();
        SetEngineCallback(&m_errors);
        std::wstring error;
        ASSERT_EQ(WmReaderFactory::CreateReader(&m_reader, &error), S_OK) << error;
        const std::wstring path = orvane::test::MediaPath(L"sample-video1.wmv");
        ASSERT_EQ(m_reader->Open(path.c_str(), &m_waiter, nullptr), S_OK);
        ASSERT_EQ(WaitForSingleObject(m_waiter.opened, 20000), WAIT_OBJECT_0);
        ASSERT_EQ(m_waiter.result, S_OK);
        IWMProfile* profile = nullptr;
        ASSERT_EQ(m_reader->QueryInterface(IID_IWMProfile, reinterpret_cast<void**>(&profile)),
                  S_OK);
        DWORD count = 0;
        profile->GetStreamCount(&count);
        for (DWORD i = 0; i < count; ++i) {
            IWMStreamConfig* config = nullptr;
            profile->GetStream(i, &config);
            WORD number = 0;
            GUID major = GUID_NULL;
            config->GetStreamNumber(&number);
            config->GetStreamType(&major);
            (major == MEDIATYPE_Audio ? m_audio : m_video).push_back(number);
            config->Release();
        }
        profile->Release();
        ASSERT_EQ(m_audio.size(), 1u);
        ASSERT_EQ(m_video.size(), 2u);
        ASSERT_EQ(WmReaderFactory::CreateSyncReader(&m_sync, &error), S_OK) << error;
        ASSERT_EQ(m_sync->Open(path.c_str()), S_OK);
        for (WORD n : {m_audio[0], m_video[0], m_video[1]}) {
            ASSERT_EQ(m_sync->SetReadStreamSamples(n, TRUE), S_OK);
        }
    }
    void TearDown() override
    {
        if (m_control != nullptr) {
            m_control->Stop();
            m_control->Release();
        }
        if (m_graph != nullptr) {
            m_graph->Release();
        }
        for (HoardingSink* sink : m_sinks) {
            sink->ReleaseHoard();
            sink->Release();
        }
        if (m_splitter != nullptr) {
            m_splitter->Release();
        }
        for (PushedSample& s : m_samples) {
            s.buffer->Release();
        }
        if (m_sync != nullptr) {
            m_sync->Close();
            m_sync->Release();
        }
        if (m_reader != nullptr) {
            // Closing is asynchronous: the waiter must outlive the reader's report of it.
            EXPECT_TRUE(m_waiter.CloseAndWait(m_reader));
            m_reader->Release();
        }
        SetEngineCallback(m_previous);
    }

    // The splitter for the streams given, in a graph with a sink on each pin.
    void Build(WORD audio, WORD video1, WORD video2)
    {
        std::wstring error;
        m_splitter = new CWMNetSplitterFlt(m_reader, audio, video1, video2, &error);
        ASSERT_TRUE(error.empty()) << error;
        ASSERT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IGraphBuilder, reinterpret_cast<void**>(&m_graph)),
                  S_OK);
        ASSERT_EQ(m_graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&m_control)),
                  S_OK);
        ASSERT_EQ(m_graph->AddFilter(m_splitter, L"WMNetSplitter"), S_OK);
        for (int i = 0; i < m_splitter->GetPinCount(); ++i) {
            HoardingSink* sink = new HoardingSink();
            sink->AddRef();
            m_sinks.push_back(sink);
            const std::wstring name = L"sink" + std::to_wstring(i);
            ASSERT_EQ(m_graph->AddFilter(sink, name.c_str()), S_OK);
            ASSERT_EQ(m_graph->ConnectDirect(m_splitter->GetPin(i), sink->GetPin(0), nullptr),
                      S_OK);
            m_sinkOf[static_cast<CWMNetOutputPin*>(m_splitter->GetPin(i))->streamNumber] = sink;
        }
    }
    // The next n samples of the file (every stream), read through the stand-in.
    void Read(size_t n)
    {
        for (size_t i = 0; i < n; ++i) {
            PushedSample s;
            DWORD output = 0;
            if (m_sync->GetNextSample(0, &s.buffer, &s.time, &s.duration, &s.flags, &output,
                                      &s.stream) != S_OK) {
                return;
            }
            m_samples.push_back(s);
        }
    }
    HRESULT Push(const PushedSample& s)
    {
        return m_splitter->OnWMStreamSample(s.stream, s.buffer, static_cast<LONGLONG>(s.time),
                                            static_cast<LONGLONG>(s.duration), s.flags);
    }
    static DWORD Length(const PushedSample& s)
    {
        DWORD length = 0;
        s.buffer->GetLength(&length);
        return length;
    }

    ErrorCounter m_errors;
    QVRInstance* m_previous = nullptr;
    ReaderOpenWaiter m_waiter;
    IWMReader* m_reader = nullptr;
    IWMSyncReader* m_sync = nullptr;
    std::vector<WORD> m_audio;
    std::vector<WORD> m_video;
    CWMNetSplitterFlt* m_splitter = nullptr;
    IGraphBuilder* m_graph = nullptr;
    IMediaControl* m_control = nullptr;
    std::vector<HoardingSink*> m_sinks;
    std::map<WORD, HoardingSink*> m_sinkOf;
    std::vector<PushedSample> m_samples;
};

TEST_F(NetSplitterTest, PinsOnlyForTheStreamsNamed)
{
    Build(m_audio[0], m_video[1], 0);
    ASSERT_EQ(m_splitter->GetPinCount(), 2);
    EXPECT_NE(m_splitter->FindPinByStream(m_audio[0]), nullptr);
    EXPECT_NE(m_splitter->FindPinByStream(m_video[1]), nullptr);
    EXPECT_EQ(m_splitter->FindPinByStream(m_video[0]), nullptr);
    EXPECT_EQ(m_splitter->FindPinByStream(0), nullptr);
}

TEST_F(NetSplitterTest, SamplesArriveStampedFromTheStartWithBuffersGrown)
{
    Build(m_audio[0], m_video[0], m_video[1]);
    Read(200);
    ASSERT_EQ(m_samples.size(), 200u);
    ASSERT_EQ(m_control->Run(), S_OK);
    const LONGLONG start = static_cast<LONGLONG>(m_samples[20].time);
    m_splitter->OnStart(start);
    std::map<WORD, std::vector<const PushedSample*>> accepted;
    for (const PushedSample& s : m_samples) {
        const HRESULT hr = Push(s);
        ASSERT_TRUE(hr == S_OK || hr == S_FALSE) << std::hex << hr;
        if (hr == S_OK) {
            accepted[s.stream].push_back(&s);
        }
    }
    // The 640x480 screen's first key frame is far above the 1 KB the pins start with.
    const auto screen = std::find_if(m_samples.begin(), m_samples.end(), [&](const auto& s) {
        return s.stream == m_video[1] && (s.flags & WM_SF_CLEANPOINT);
    });
    ASSERT_NE(screen, m_samples.end());
    EXPECT_GT(Length(*screen), 32u * 1024);
    // The pins deliver through queues of their own threads: let them catch up (bounded) before
    // the stop flushes what is still queued.
    const auto caughtUp = [&] {
        for (const auto& [stream, pushed] : accepted) {
            if (m_sinkOf[stream]->Arrivals().size() + 8 < pushed.size()) {
                return false;
            }
        }
        return true;
    };
    for (int i = 0; i < 500 && !caughtUp(); ++i) {
        Sleep(10);
    }
    m_control->Stop();
    // What arrives is what was accepted, in order, stamped from the start (growing a pin's
    // buffers flushes that pin, which may drop samples still queued).
    for (const auto& [stream, pushed] : accepted) {
        const std::vector<HoardingSink::Arrival> got = m_sinkOf[stream]->Arrivals();
        EXPECT_GE(got.size() + 8, pushed.size()) << "stream " << stream;
        size_t k = 0;
        for (const HoardingSink::Arrival& a : got) {
            while (k < pushed.size() &&
                   static_cast<LONGLONG>(pushed[k]->time) - start != a.start) {
                ++k;
            }
            ASSERT_LT(k, pushed.size()) << "an arrival that was never pushed, stream " << stream;
            EXPECT_EQ(a.length, static_cast<long>(Length(*pushed[k])));
            EXPECT_EQ(a.sync, (pushed[k]->flags & WM_SF_CLEANPOINT) != 0);
            ++k;
        }
    }
    const std::vector<HoardingSink::Arrival> screenGot = m_sinkOf[m_video[1]]->Arrivals();
    EXPECT_TRUE(std::any_of(screenGot.begin(), screenGot.end(), [&](const auto& a) {
        return a.length == static_cast<long>(Length(*screen));
    })) << "the large key frame arrived whole";
    EXPECT_FALSE(accepted[m_video[1]].empty());
    EXPECT_EQ(m_errors.Count(), 0u);
}

TEST_F(NetSplitterTest, APushIntoAStoppedGraphIsRefusedQuietly)
{
    Build(m_audio[0], m_video[0], m_video[1]);
    Read(5);
    for (const PushedSample& s : m_samples) {
        EXPECT_EQ(Push(s), S_FALSE);
    }
    EXPECT_EQ(m_errors.Count(), 0u);
}

TEST_F(NetSplitterTest, AStreamWithoutAPinIsReportedOncePerStart)
{
    Build(m_audio[0], m_video[0], 0);
    Read(60);
    ASSERT_EQ(m_control->Run(), S_OK);
    m_splitter->OnStart(0);
    size_t unpinned = 0;
    for (const PushedSample& s : m_samples) {
        const HRESULT hr = Push(s);
        if (s.stream == m_video[1]) {
            EXPECT_EQ(hr, E_POINTER);
            ++unpinned;
        }
    }
    ASSERT_GT(unpinned, 2u);
    EXPECT_EQ(m_errors.Count(), 1u);
    EXPECT_EQ(m_splitter->RepeatedFailures(), static_cast<long>(unpinned - 1));
    // A new start reports it again, once.
    m_splitter->OnStart(0);
    for (const PushedSample& s : m_samples) {
        if (s.stream == m_video[1]) {
            EXPECT_EQ(Push(s), E_POINTER);
        }
    }
    EXPECT_EQ(m_errors.Count(), 2u);
}

TEST_F(NetSplitterTest, GraphStopEndsAPushWaitingForABuffer)
{
    Build(m_audio[0], 0, 0);
    ASSERT_EQ(m_splitter->GetPinCount(), 1);
    // Far more samples than the pool holds, so that the pushes must run it dry.
    Read(10000);
    for (HoardingSink* sink : m_sinks) {
        sink->hoard = true;  // buffers never come back: the pool runs dry
    }
    ASSERT_EQ(m_control->Run(), S_OK);
    m_splitter->OnStart(0);
    std::atomic<size_t> done{0};
    std::atomic<bool> finished{false};
    HRESULT last = S_OK;
    std::thread pusher([&] {
        for (const PushedSample& s : m_samples) {
            if (s.stream != m_audio[0]) {
                continue;
            }
            last = Push(s);
            ++done;
            if (last != S_OK) {
                break;
            }
        }
        finished = true;
    });
    // Wait (bounded) until pushing stops advancing: the pool of 75 buffers is all held.
    size_t seen = SIZE_MAX;
    for (int i = 0; i < 100 && done != seen && !finished; ++i) {
        seen = done;
        Sleep(100);
    }
    // No early return from here on: the pushing thread must be joined whatever happened.
    const bool ranDry = !finished;
    EXPECT_TRUE(ranDry) << "the pool never ran dry";
    EXPECT_EQ(m_control->Stop(), S_OK);
    for (int i = 0; i < 500 && !finished; ++i) {
        Sleep(10);
    }
    EXPECT_TRUE(finished) << "the waiting push did not end with the stop";
    if (!finished) {
        m_sinks[0]->ReleaseHoard();
    }
    pusher.join();
    if (ranDry) {
        EXPECT_EQ(last, S_FALSE);
    }
    EXPECT_EQ(m_errors.Count(), 0u);
}

TEST(NetSplitterRules, BuffersGrowToOneAndAHalfTimesWithinThePool)
{
    struct Case {
        long count;
        LONGLONG needed;
        bool ok;
        long size;
        long newCount;
    };
    const Case cases[] = {
        {75, 2000, true, 3000, 75},
        {225, 614400, true, 921600, 72},  // 640x480 at 16 bits: the pool stays within 64 MB
        {225, 16LL << 20, true, 16 << 20, 4},
        {3, 16LL << 20, true, 16 << 20, 3},
        {512, (16LL << 20) + 1, false, 0, 0},
        {32, 0, false, 0, 0},
        {32, 3000000000LL, false, 0, 0},  // beyond 32-bit sizes: refused, not wrapped
    };
    for (const Case& c : cases) {
        ALLOCATOR_PROPERTIES now = {c.count, 1024, 1, 0};
        ALLOCATOR_PROPERTIES out = {};
        EXPECT_EQ(CWMNetSplitterFlt::GrownProperties(now, c.needed, &out), c.ok) << c.needed;
        if (c.ok) {
            EXPECT_EQ(out.cbBuffer, c.size) << c.needed;
            EXPECT_EQ(out.cBuffers, c.newCount) << c.needed;
            EXPECT_LE(static_cast<LONGLONG>(out.cBuffers) * out.cbBuffer,
                      std::max<LONGLONG>(CWMNetSplitterFlt::kMaxPoolBytes, 2LL * out.cbBuffer));
        }
    }
}

}  // namespace
