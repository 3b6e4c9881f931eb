// Our filters in Wine's filter graph manager: push source -> in-place transform -> size
// changing transform -> sink. Connection, allocator pass-through, run/pause/stop, end of
// stream to EC_COMPLETE, a seek made on the graph reaching the source, stopping while the
// source is blocked, and nothing left alive after the graph is released.
#include <gtest/gtest.h>

#include "platform/dshow/streams.h"

#include "tests/platform/dshow/GraphDump.h"
#include "tests/platform/dshow/GraphEvents.h"
#include "tests/platform/dshow/TestDownmixFilter.h"
#include "tests/platform/dshow/TestInvertFilter.h"
#include "tests/platform/dshow/TestMediaTypes.h"
#include "tests/platform/dshow/TestSinkFilter.h"
#include "tests/platform/dshow/TestSourceFilter.h"
#include "tests/platform/dshow/TestSourcePin.h"
#include "tests/platform/dshow/TestWait.h"

namespace {

using dshowtest::MakePcmType;

constexpr int kBuffers = 20;
constexpr LONG kBufferBytes = 3200;                   // 100 ms of 8 kHz 16-bit stereo
constexpr REFERENCE_TIME kBufferTime = 1000000;       // 100 ms
constexpr LONG kFramesPerBuffer = kBufferBytes / 4;

template <typename T>
T* Query(IUnknown* unk, REFIID iid)
{
    T* out = nullptr;
    EXPECT_EQ(unk->QueryInterface(iid, reinterpret_cast<void**>(&out)), S_OK);
    return out;
}

class GraphTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_before = CBaseObject::ObjectsActive();
        ASSERT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IGraphBuilder, reinterpret_cast<void**>(&m_graph)),
                  S_OK);
        m_source = new TestSourceFilter(MakePcmType(8000, 2, 16), kBufferBytes, kBuffers, 4);
        m_invert = new TestInvertFilter();
        m_downmix = new TestDownmixFilter();
        m_sink = new TestSinkFilter();
        for (CBaseFilter* filter : {static_cast<CBaseFilter*>(m_source),
                                    static_cast<CBaseFilter*>(m_invert),
                                    static_cast<CBaseFilter*>(m_downmix),
                                    static_cast<CBaseFilter*>(m_sink)}) {
            filter->NonDelegatingAddRef();
        }
        m_sink->Pin()->SetRequirements(ALLOCATOR_PROPERTIES{3, 0, 16, 0});
        ASSERT_EQ(m_graph->AddFilter(m_source, L"Source"), S_OK);
        ASSERT_EQ(m_graph->AddFilter(m_invert, L"Invert"), S_OK);
        ASSERT_EQ(m_graph->AddFilter(m_downmix, L"Downmix"), S_OK);
        ASSERT_EQ(m_graph->AddFilter(m_sink, L"Sink"), S_OK);
        m_control = Query<IMediaControl>(m_graph, IID_IMediaControl);
        m_events = Query<IMediaEvent>(m_graph, IID_IMediaEvent);
        m_seeking = Query<IMediaSeeking>(m_graph, IID_IMediaSeeking);
    }

    void Connect()
    {
        ASSERT_EQ(m_graph->ConnectDirect(m_source->Pin(), m_invert->GetPin(0), nullptr), S_OK);
        ASSERT_EQ(m_graph->ConnectDirect(m_invert->GetPin(1), m_downmix->GetPin(0), nullptr),
                  S_OK);
        ASSERT_EQ(m_graph->ConnectDirect(m_downmix->GetPin(1), m_sink->Pin(), nullptr), S_OK);
    }

    void TearDown() override
    {
        if (m_control) {
            m_control->Stop();
            m_control->Release();
        }
        if (m_events) {
            m_events->Release();
        }
        if (m_seeking) {
            m_seeking->Release();
        }
        if (m_graph) {
            EXPECT_EQ(m_graph->Release(), 0u) << "the graph itself leaked";
        }
        for (CBaseFilter* filter : {static_cast<CBaseFilter*>(m_source),
                                    static_cast<CBaseFilter*>(m_invert),
                                    static_cast<CBaseFilter*>(m_downmix),
                                    static_cast<CBaseFilter*>(m_sink)}) {
            if (filter) {
                EXPECT_EQ(filter->NonDelegatingRelease(), 0u)
                    << "the graph kept a reference to a filter or pin";
            }
        }
        EXPECT_EQ(CBaseObject::ObjectsActive(), m_before) << "an object of ours leaked";
    }

    // True once samples have arrived and then stopped coming for 100 ms.
    bool WaitUntilStuck()
    {
        int seen = 0;
        DWORD since = GetTickCount();
        return dshowtest::WaitUntil(
            [&] {
                const int now = m_sink->Pin()->CountOf(SinkEvent::Sample);
                if (now != seen) {
                    seen = now;
                    since = GetTickCount();
                }
                return seen > 0 && GetTickCount() - since >= 100;
            },
            3000);
    }

    // Samples the sink received after its last flush (or all).
    std::vector<SinkEvent> SamplesSinceFlush()
    {
        std::vector<SinkEvent> samples;
        for (const SinkEvent& event : m_sink->Pin()->Events()) {
            if (event.kind == SinkEvent::BeginFlush) {
                samples.clear();
            } else if (event.kind == SinkEvent::Sample) {
                samples.push_back(event);
            }
        }
        return samples;
    }

    // The mono sample of output buffer i holds the inverted channel 0 of source frames.
    void ExpectSamples(const std::vector<SinkEvent>& samples, int firstBuffer)
    {
        ASSERT_EQ(samples.size(), static_cast<size_t>(kBuffers - firstBuffer));
        for (size_t i = 0; i < samples.size(); ++i) {
            const SinkEvent& s = samples[i];
            const LONGLONG frame = (firstBuffer + static_cast<LONGLONG>(i)) * kFramesPerBuffer;
            EXPECT_TRUE(s.timeValid);
            EXPECT_EQ(s.start, static_cast<REFERENCE_TIME>(i) * kBufferTime) << "sample " << i;
            EXPECT_EQ(s.stop, static_cast<REFERENCE_TIME>(i + 1) * kBufferTime);
            EXPECT_EQ(s.length, kBufferBytes / 2) << "half the size after the downmix";
            EXPECT_EQ(s.firstValue, static_cast<short>(~dshowtest::SourceValue(frame)));
            EXPECT_EQ(s.lastValue, static_cast<short>(
                                       ~dshowtest::SourceValue(frame + kFramesPerBuffer - 1)));
            EXPECT_EQ(s.mediaStart, frame) << "media times travel with the sample";
            EXPECT_EQ(s.discontinuity, i == 0);
        }
    }

    LONG m_before = 0;
    IGraphBuilder* m_graph = nullptr;
    IMediaControl* m_control = nullptr;
    IMediaEvent* m_events = nullptr;
    IMediaSeeking* m_seeking = nullptr;
    TestSourceFilter* m_source = nullptr;
    TestInvertFilter* m_invert = nullptr;
    TestDownmixFilter* m_downmix = nullptr;
    TestSinkFilter* m_sink = nullptr;
};

TEST_F(GraphTest, ConnectsWithTypeAgreement)
{
    Connect();
    const std::string dump = dshowtest::DumpGraph(m_graph);
    EXPECT_NE(dump.find("\"Source\".Out"), std::string::npos);
    EXPECT_NE(dump.find("out Output -> \"Sink\".In"), std::string::npos);

    AM_MEDIA_TYPE type{};
    ASSERT_EQ(m_sink->Pin()->ConnectionMediaType(&type), S_OK);
    EXPECT_TRUE(CMediaType(type) == MakePcmType(8000, 1, 16)) << "the downmix's output type";
    FreeMediaType(type);
    ASSERT_EQ(m_invert->GetPin(1)->ConnectionMediaType(&type), S_OK);
    EXPECT_TRUE(CMediaType(type) == MakePcmType(8000, 2, 16)) << "in place keeps the type";
    FreeMediaType(type);
}

TEST_F(GraphTest, RefusesAWrongType)
{
    TestSourceFilter* wrong = new TestSourceFilter(MakePcmType(8000, 1, 8), 800, 4);
    wrong->NonDelegatingAddRef();
    ASSERT_EQ(m_graph->AddFilter(wrong, L"Wrong"), S_OK);
    EXPECT_EQ(m_graph->ConnectDirect(wrong->Pin(), m_invert->GetPin(0), nullptr),
              VFW_E_NO_ACCEPTABLE_TYPES);
    CMediaType stereo = MakePcmType(8000, 2, 16);
    EXPECT_EQ(m_graph->ConnectDirect(wrong->Pin(), m_invert->GetPin(0), &stereo),
              VFW_E_TYPE_NOT_ACCEPTED);
    EXPECT_FALSE(wrong->Pin()->IsConnected());
    EXPECT_FALSE(m_invert->GetPin(0)->IsConnected());
    // The downmix output offers nothing until its input is connected.
    EXPECT_NE(m_graph->ConnectDirect(m_downmix->GetPin(1), m_sink->Pin(), nullptr), S_OK);
    ASSERT_EQ(m_graph->RemoveFilter(wrong), S_OK);
    EXPECT_EQ(wrong->NonDelegatingRelease(), 0u);
}

TEST_F(GraphTest, NegotiatesAllocators)
{
    Connect();
    auto* invertIn = static_cast<CBaseInputPin*>(m_invert->GetPin(0));
    auto* invertOut = static_cast<CBaseOutputPin*>(m_invert->GetPin(1));
    auto* downmixIn = static_cast<CBaseInputPin*>(m_downmix->GetPin(0));
    auto* downmixOut = static_cast<CBaseOutputPin*>(m_downmix->GetPin(1));
    IMemAllocator* shared = m_source->Pin()->PeekAllocator();
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(invertIn->PeekAllocator(), shared);
    EXPECT_EQ(invertOut->PeekAllocator(), shared) << "in place passes the allocator through";
    EXPECT_EQ(downmixIn->PeekAllocator(), shared);
    EXPECT_FALSE(m_invert->UsingDifferentAllocators());

    IMemAllocator* own = downmixOut->PeekAllocator();
    ASSERT_NE(own, nullptr);
    EXPECT_NE(own, shared);
    EXPECT_EQ(own, m_sink->Pin()->PeekAllocator()) << "the sink's allocator was taken";
    ALLOCATOR_PROPERTIES props{};
    ASSERT_EQ(own->GetProperties(&props), S_OK);
    EXPECT_EQ(props.cbAlign, 16) << "the sink's requirements reached the allocator";
    EXPECT_GE(props.cBuffers, 3);
    EXPECT_GE(props.cbBuffer, kBufferBytes / 2);
}

TEST_F(GraphTest, RunsToCompletion)
{
    Connect();
    ASSERT_EQ(m_control->Pause(), S_OK);
    OAFilterState state = State_Stopped;
    EXPECT_EQ(m_control->GetState(1000, &state), S_OK);
    EXPECT_EQ(state, State_Paused);
    EXPECT_EQ(m_downmix->StartCount(), 1);

    ASSERT_TRUE(SUCCEEDED(m_control->Run()));
    ASSERT_TRUE(dshowtest::WaitForEvent(m_events, EC_COMPLETE, 5000));
    FILTER_STATE filterState = State_Stopped;
    EXPECT_EQ(m_sink->GetState(0, &filterState), S_OK);
    EXPECT_EQ(filterState, State_Running);

    ExpectSamples(SamplesSinceFlush(), 0);
    EXPECT_EQ(m_invert->Transformed(), kBuffers);
    EXPECT_EQ(m_invert->Copied(), 0);
    const std::vector<SinkEvent> events = m_sink->Pin()->Events();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front().kind, SinkEvent::NewSegment);
    EXPECT_EQ(events.back().kind, SinkEvent::EndOfStream);

    ASSERT_EQ(m_control->Stop(), S_OK);
    EXPECT_EQ(m_downmix->StopCount(), 1);
    EXPECT_EQ(m_source->GetState(0, &filterState), S_OK);
    EXPECT_EQ(filterState, State_Stopped);

    // A second run from stopped starts again at the beginning.
    dshowtest::DrainEvents(m_events);
    ASSERT_TRUE(SUCCEEDED(m_control->Run()));
    ASSERT_TRUE(dshowtest::WaitForEvent(m_events, EC_COMPLETE, 5000));
    EXPECT_EQ(m_sink->Pin()->CountOf(SinkEvent::Sample), 2 * kBuffers);
}

TEST_F(GraphTest, SeekOnTheGraphReachesTheSource)
{
    Connect();
    ASSERT_TRUE(SUCCEEDED(m_control->Run()));
    ASSERT_TRUE(dshowtest::WaitForEvent(m_events, EC_COMPLETE, 5000));

    DWORD caps = 0;
    EXPECT_EQ(m_seeking->GetCapabilities(&caps), S_OK);
    EXPECT_TRUE(caps & AM_SEEKING_CanSeekAbsolute) << "the source's capabilities came through";
    LONGLONG duration = 0;
    EXPECT_EQ(m_seeking->GetDuration(&duration), S_OK);
    EXPECT_EQ(duration, kBuffers * kBufferTime);

    LONGLONG position = 10 * kBufferTime;
    ASSERT_EQ(m_seeking->SetPositions(&position, AM_SEEKING_AbsolutePositioning, nullptr,
                                      AM_SEEKING_NoPositioning),
              S_OK);
    EXPECT_GE(m_source->Pin()->SeekCount(), 1);
    ASSERT_TRUE(dshowtest::WaitForEvent(m_events, EC_COMPLETE, 5000));

    // After the first end of stream: the flush, then the new segment, then the samples.
    const std::vector<SinkEvent> events = m_sink->Pin()->Events();
    size_t i = 0;
    while (i < events.size() && events[i].kind != SinkEvent::EndOfStream) {
        ++i;
    }
    std::vector<SinkEvent::Kind> after;
    for (++i; i < events.size(); ++i) {
        if (after.empty() || after.back() != events[i].kind) {
            after.push_back(events[i].kind);
        }
    }
    const std::vector<SinkEvent::Kind> expected = {
        SinkEvent::BeginFlush, SinkEvent::EndFlush, SinkEvent::NewSegment, SinkEvent::Sample,
        SinkEvent::EndOfStream};
    EXPECT_EQ(after, expected);
    for (const SinkEvent& event : events) {
        if (event.kind == SinkEvent::NewSegment && &event != &events.front()) {
            EXPECT_EQ(event.start, 10 * kBufferTime) << "the segment starts at the seek";
        }
    }
    ExpectSamples(SamplesSinceFlush(), 10);
}

struct StopCall {
    IMediaControl* control;
    HRESULT hr = E_PENDING;
    HANDLE thread = nullptr;
    static DWORD WINAPI Run(LPVOID pv)
    {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        auto* call = static_cast<StopCall*>(pv);
        call->hr = call->control->Stop();
        CoUninitialize();
        return 0;
    }
    void Start() { thread = CreateThread(nullptr, 0, Run, this, 0, nullptr); }
    ~StopCall()
    {
        if (thread) {
            WaitForSingleObject(thread, 10000);
            CloseHandle(thread);
        }
    }
};

TEST_F(GraphTest, StopsWhileTheSourceIsBlocked)
{
    Connect();
    // The sink keeps every sample, like a renderer waiting to run: the downmix runs out of
    // buffers, and with it the source.
    m_sink->Pin()->HoldSamples(1000);
    ASSERT_TRUE(SUCCEEDED(m_control->Pause()));
    ASSERT_TRUE(WaitUntilStuck());
    const int held = m_sink->Pin()->CountOf(SinkEvent::Sample);
    EXPECT_GT(held, 0);
    EXPECT_LT(held, kBuffers) << "the stream is stuck, not finished";

    StopCall stop{m_control};
    stop.Start();
    ASSERT_EQ(WaitForSingleObject(stop.thread, 2000), WAIT_OBJECT_0) << "Stop finished within 2 s";
    EXPECT_EQ(stop.hr, S_OK);
    FILTER_STATE state = State_Running;
    m_source->GetState(0, &state);
    EXPECT_EQ(state, State_Stopped);
}

struct SeekCall {
    IMediaSeeking* seeking;
    LONGLONG position;
    HRESULT hr = E_PENDING;
    HANDLE thread = nullptr;
    static DWORD WINAPI Run(LPVOID pv)
    {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        auto* call = static_cast<SeekCall*>(pv);
        call->hr = call->seeking->SetPositions(&call->position, AM_SEEKING_AbsolutePositioning,
                                               nullptr, AM_SEEKING_NoPositioning);
        CoUninitialize();
        return 0;
    }
    void Start() { thread = CreateThread(nullptr, 0, Run, this, 0, nullptr); }
    ~SeekCall()
    {
        if (thread) {
            WaitForSingleObject(thread, 10000);
            CloseHandle(thread);
        }
    }
};

TEST_F(GraphTest, SeekWhileBlockedFlushesThroughTheChain)
{
    Connect();
    m_sink->Pin()->HoldSamples(1000);
    ASSERT_TRUE(SUCCEEDED(m_control->Pause()));
    ASSERT_TRUE(WaitUntilStuck());
    const int before = m_sink->Pin()->CountOf(SinkEvent::Sample);
    ASSERT_GT(before, 0);
    ASSERT_LT(before, kBuffers) << "the source is blocked behind the held samples";

    // The flush releases the held samples, which frees the downmix and the source thread.
    SeekCall seek{m_seeking, 15 * kBufferTime};
    seek.Start();
    ASSERT_EQ(WaitForSingleObject(seek.thread, 1000), WAIT_OBJECT_0) << "seek finished within 1 s";
    EXPECT_EQ(seek.hr, S_OK);
    EXPECT_TRUE(dshowtest::WaitUntil([this] { return !SamplesSinceFlush().empty(); }, 2000));

    const std::vector<SinkEvent> after = SamplesSinceFlush();
    ASSERT_FALSE(after.empty()) << "the source started again from the new position";
    EXPECT_EQ(after.front().firstValue,
              static_cast<short>(~dshowtest::SourceValue(15 * kFramesPerBuffer)));
    EXPECT_EQ(after.front().start, 0);
    EXPECT_TRUE(after.front().discontinuity);
    EXPECT_EQ(m_sink->Pin()->CountOf(SinkEvent::BeginFlush), 1);
    EXPECT_EQ(m_sink->Pin()->CountOf(SinkEvent::EndFlush), 1);

    // Running now plays the rest from the seek position to the end.
    m_sink->Pin()->ReleaseHeld();
    m_sink->Pin()->HoldSamples(0);
    dshowtest::DrainEvents(m_events);
    ASSERT_TRUE(SUCCEEDED(m_control->Run()));
    ASSERT_TRUE(dshowtest::WaitForEvent(m_events, EC_COMPLETE, 5000));
    ExpectSamples(SamplesSinceFlush(), 15);
}

TEST_F(GraphTest, InPlaceCopiesWhenTheAllocatorIsRefused)
{
    // Source -> invert -> sink, with a sink that accepts only its own allocator.
    ASSERT_EQ(m_graph->RemoveFilter(m_downmix), S_OK);
    m_sink->Pin()->InsistOnOwnAllocator(true);
    m_sink->Pin()->AcceptChannels(2);
    ASSERT_EQ(m_graph->ConnectDirect(m_source->Pin(), m_invert->GetPin(0), nullptr), S_OK);
    ASSERT_EQ(m_graph->ConnectDirect(m_invert->GetPin(1), m_sink->Pin(), nullptr), S_OK);
    EXPECT_TRUE(m_invert->UsingDifferentAllocators());
    dshowtest::DumpGraph(m_graph);

    ASSERT_TRUE(SUCCEEDED(m_control->Run()));
    ASSERT_TRUE(dshowtest::WaitForEvent(m_events, EC_COMPLETE, 5000));
    EXPECT_EQ(m_invert->Copied(), kBuffers);
    const std::vector<SinkEvent> samples = SamplesSinceFlush();
    ASSERT_EQ(samples.size(), static_cast<size_t>(kBuffers));
    for (size_t i = 0; i < samples.size(); ++i) {
        const LONGLONG frame = static_cast<LONGLONG>(i) * kFramesPerBuffer;
        EXPECT_EQ(samples[i].length, kBufferBytes);
        EXPECT_EQ(samples[i].firstValue, static_cast<short>(~dshowtest::SourceValue(frame)));
        EXPECT_EQ(samples[i].start, static_cast<REFERENCE_TIME>(i) * kBufferTime);
        EXPECT_EQ(samples[i].mediaStart, frame);
    }
}

TEST_F(GraphTest, InPlaceReconnectsItsOutputForANewInputType)
{
    ASSERT_EQ(m_graph->RemoveFilter(m_downmix), S_OK);
    ASSERT_EQ(m_graph->ConnectDirect(m_source->Pin(), m_invert->GetPin(0), nullptr), S_OK);
    ASSERT_EQ(m_graph->ConnectDirect(m_invert->GetPin(1), m_sink->Pin(), nullptr), S_OK);

    // Another source with another rate takes the in-place filter's input.
    auto* other = new TestSourceFilter(MakePcmType(11025, 2, 16), 4410, 5);
    other->NonDelegatingAddRef();
    ASSERT_EQ(m_graph->AddFilter(other, L"Other source"), S_OK);
    ASSERT_EQ(m_graph->Disconnect(m_source->Pin()), S_OK);
    ASSERT_EQ(m_graph->Disconnect(m_invert->GetPin(0)), S_OK);
    ASSERT_EQ(m_graph->ConnectDirect(other->Pin(), m_invert->GetPin(0), nullptr), S_OK);
    dshowtest::DumpGraph(m_graph);

    AM_MEDIA_TYPE type{};
    ASSERT_EQ(m_sink->Pin()->ConnectionMediaType(&type), S_OK);
    EXPECT_TRUE(CMediaType(type) == MakePcmType(11025, 2, 16))
        << "the output was reconnected with the new input type";
    FreeMediaType(type);
    EXPECT_FALSE(m_invert->UsingDifferentAllocators());

    ASSERT_TRUE(SUCCEEDED(m_control->Run()));
    ASSERT_TRUE(dshowtest::WaitForEvent(m_events, EC_COMPLETE, 5000));
    EXPECT_EQ(m_sink->Pin()->CountOf(SinkEvent::Sample), 5);
    ASSERT_EQ(m_control->Stop(), S_OK);
    ASSERT_EQ(m_graph->RemoveFilter(other), S_OK);
    EXPECT_EQ(other->NonDelegatingRelease(), 0u);
}

}  // namespace
