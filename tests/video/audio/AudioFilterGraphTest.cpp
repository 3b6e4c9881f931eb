// The level tap and the sound-speed filter in a real graph under Wine: our PCM source, the tap,
// the sound-speed filter and Wine's DirectSound renderer on the null audio device. Completion
// must come when the speed says, a seek (flush) mid-stream must resume output, and failures
// must still end playback, and the end of the sound must be heard before the end is passed on.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "video/audio/CAudioGrabberFilter.h"
#include "video/audio/CSoundSpeedFlt.h"
#include "tests/video/audio/PcmRecorder.h"
#include "tests/video/audio/RecordingSink.h"
#include "tests/video/audio/TestMediaTypes.h"
#include "tests/video/audio/TestPcmSource.h"

using audio_test::MakeFormat;
using audio_test::MakeType;
using audio_test::PcmFormat;

namespace {

IPin* FindPin(IBaseFilter* filter, PIN_DIRECTION wanted)
{
    IEnumPins* pins = nullptr;
    if (FAILED(filter->EnumPins(&pins))) {
        return nullptr;
    }
    IPin* pin = nullptr;
    while (pins->Next(1, &pin, nullptr) == S_OK) {
        PIN_DIRECTION dir;
        pin->QueryDirection(&dir);
        if (dir == wanted) {
            break;
        }
        pin->Release();
        pin = nullptr;
    }
    pins->Release();
    return pin;
}

HRESULT Connect(IGraphBuilder* graph, IBaseFilter* from, IBaseFilter* to,
                const AM_MEDIA_TYPE* type)
{
    IPin* out = FindPin(from, PINDIR_OUTPUT);
    IPin* in = FindPin(to, PINDIR_INPUT);
    HRESULT hr = out && in ? graph->ConnectDirect(out, in, type) : E_FAIL;
    if (out) {
        out->Release();
    }
    if (in) {
        in->Release();
    }
    return hr;
}

// source -> level tap -> sound-speed filter -> DirectSound renderer; with `record`, source ->
// sound-speed filter -> recorder -> renderer instead.
class SpeedGraph {
public:
    SpeedGraph(const PcmFormat& format, double seconds, double speed, bool record = false)
    {
        const CMediaType type = MakeType(format);
        HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IGraphBuilder, reinterpret_cast<void**>(&graph));
        if (FAILED(hr)) {
            return;
        }
        CoCreateInstance(CLSID_DSoundRender, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                         reinterpret_cast<void**>(&renderer));
        source = TestPcmSource::Create(MakeFormat(format), seconds);
        speedFilter = CSoundSpeedFlt::Create(speed, type, &sink, &hr);
        if (record) {
            recorder = PcmRecorder::Create();
        } else {
            tap = CAudioGrabberFilter::Create(type, &sink, &hr);
        }
        if (!renderer || !source || (!tap && !recorder) || !speedFilter) {
            return;
        }
        graph->AddFilter(source, L"Source");
        graph->AddFilter(speedFilter, nullptr);
        graph->AddFilter(renderer, L"Renderer");
        if (record) {
            graph->AddFilter(recorder, nullptr);
            connected = Connect(graph, source, speedFilter, &type) == S_OK &&
                        Connect(graph, speedFilter, recorder, &type) == S_OK &&
                        Connect(graph, recorder, renderer, &type) == S_OK;
        } else {
            graph->AddFilter(tap, nullptr);
            connected = Connect(graph, source, tap, &type) == S_OK &&
                        Connect(graph, tap, speedFilter, &type) == S_OK &&
                        Connect(graph, speedFilter, renderer, &type) == S_OK;
        }
        graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control));
        graph->QueryInterface(IID_IMediaEvent, reinterpret_cast<void**>(&events));
    }

    ~SpeedGraph()
    {
        if (control) {
            control->Stop();
            control->Release();
        }
        if (events) {
            events->Release();
        }
        for (IUnknown* u : {static_cast<IUnknown*>(static_cast<IBaseFilter*>(source)),
                            static_cast<IUnknown*>(static_cast<IBaseFilter*>(tap)),
                            static_cast<IUnknown*>(static_cast<IBaseFilter*>(speedFilter)),
                            static_cast<IUnknown*>(static_cast<IBaseFilter*>(recorder)),
                            static_cast<IUnknown*>(renderer)}) {
            if (u) {
                u->Release();
            }
        }
        if (graph) {
            graph->Release();
        }
    }

    // Runs and waits for completion; the time from Run to EC_COMPLETE in seconds, or a
    // negative value when completion did not come within the time-out.
    double RunToCompletion(DWORD timeoutMs, double seekAfter = -1, double seekTo = 0)
    {
        return RunToCompletion(timeoutMs, seekAfter, [&] { source->Pin()->Seek(seekTo); });
    }

    // As above, with `action` carried out seekAfter seconds after Run.
    template <typename Action>
    double RunToCompletion(DWORD timeoutMs, double after, Action action)
    {
        const DWORD start = GetTickCount();
        if (FAILED(control->Run())) {
            return -2;
        }
        if (after >= 0) {
            Sleep(static_cast<DWORD>(after * 1000));
            action();
        }
        long code = 0;
        const HRESULT hr = events->WaitForCompletion(static_cast<long>(timeoutMs), &code);
        if (hr != S_OK || code != EC_COMPLETE) {
            return -1;
        }
        return (GetTickCount() - start) / 1000.0;
    }

    RecordingSink sink;
    IGraphBuilder* graph = nullptr;
    IBaseFilter* renderer = nullptr;
    TestPcmSource* source = nullptr;
    CAudioGrabberFilter* tap = nullptr;
    CSoundSpeedFlt* speedFilter = nullptr;
    PcmRecorder* recorder = nullptr;
    IMediaControl* control = nullptr;
    IMediaEvent* events = nullptr;
    bool connected = false;
};

TEST(AudioFilterGraph, StereoAtDoubleSpeedCompletesInHalfTheTime)
{
    SpeedGraph g({44100, 2, 16}, 3.0, 2.0);
    ASSERT_TRUE(g.connected);
    // 100 ms output buffers, ten of them, and a conversion buffer of one buffer's values.
    auto* out = static_cast<CBaseOutputPin*>(g.speedFilter->GetPin(1));
    ALLOCATOR_PROPERTIES props{};
    ASSERT_NE(out->PeekAllocator(), nullptr);
    out->PeekAllocator()->GetProperties(&props);
    EXPECT_GE(props.cBuffers, 10);
    EXPECT_GE(props.cbBuffer, 17640);

    const double seconds = g.RunToCompletion(15000);
    // 3 s of input at speed 2: 1.5 s of output (less the ~20 ms held back) plus the renderer.
    EXPECT_GE(seconds, 1.2);
    EXPECT_LE(seconds, 2.5);
    EXPECT_GT(g.speedFilter->GetNextOutputTime(), 13000000);
    EXPECT_LT(g.speedFilter->GetNextOutputTime(), 15100000);
    // The tap saw the data of the running graph in the connection's format.
    EXPECT_GT(g.sink.AudioBytes(), 0);
    EXPECT_LE(g.sink.AudioBytes(), g.source->Pin()->DeliveredBytes());
    EXPECT_EQ(g.sink.LastFormat().nChannels, 2);
    EXPECT_EQ(g.sink.LastFormat().nSamplesPerSec, 44100u);
    EXPECT_TRUE(g.sink.Errors().empty());
}

TEST(AudioFilterGraph, EightBitMonoAtHalfSpeedTakesTwiceAsLong)
{
    SpeedGraph g({22050, 1, 8}, 1.5, 0.5);
    ASSERT_TRUE(g.connected);
    const double seconds = g.RunToCompletion(15000);
    EXPECT_GE(seconds, 2.5);
    EXPECT_LE(seconds, 4.2);
    EXPECT_TRUE(g.sink.Errors().empty());
}

TEST(AudioFilterGraph, SeekMidStreamResumesOutput)
{
    SpeedGraph g({44100, 2, 16}, 4.0, 2.0);
    ASSERT_TRUE(g.connected);
    // 0.5 s played, then the last 2 s of input at speed 2: about 1.5 s in all. Without the
    // restart after the flush no output would follow and completion would never come.
    const double seconds = g.RunToCompletion(15000, 0.5, 2.0);
    EXPECT_GE(seconds, 1.2);
    EXPECT_LE(seconds, 2.8);
    EXPECT_TRUE(g.sink.Errors().empty());
}

TEST(AudioFilterGraph, FailedProcessingStillEndsPlayback)
{
    SpeedGraph g({44100, 2, 16}, 2.0, 1.5);
    ASSERT_TRUE(g.connected);
    g.source->Pin()->SetUntimed(true);
    const double seconds = g.RunToCompletion(15000);
    EXPECT_GE(seconds, 0.0) << "no completion after the failure";
    ASSERT_FALSE(g.sink.Errors().empty());
    EXPECT_EQ(g.sink.Errors()[0].rfind(L"1:ProcessSample failed", 0), 0u);
}

// The renderer asks the filters' pins for their seeking interface while it handles the end of
// stream, on the streaming thread; a Stop right after completion must not deadlock with it.
TEST(AudioFilterGraph, StopRightAfterCompletionReturns)
{
    for (int round = 0; round < 5; ++round) {
        SpeedGraph g({44100, 2, 16}, 0.4, 2.0);
        ASSERT_TRUE(g.connected);
        EXPECT_GE(g.RunToCompletion(10000), 0.0) << round;
        const DWORD start = GetTickCount();
        EXPECT_EQ(g.control->Stop(), S_OK);
        EXPECT_LT(GetTickCount() - start, 2000u) << round;
    }
}

TEST(AudioFilterGraph, FailedDeliveryStillEndsPlayback)
{
    SpeedGraph g({44100, 2, 16}, 3.0, 1.5);
    ASSERT_TRUE(g.connected);
    // Output buffers stop coming mid-stream: the queued output can never be delivered, yet the
    // end of stream must reach the renderer.
    auto* out = static_cast<CBaseOutputPin*>(g.speedFilter->GetPin(1));
    const double seconds =
        g.RunToCompletion(15000, 0.4, [&] { out->PeekAllocator()->Decommit(); });
    EXPECT_GE(seconds, 0.3) << "no completion after the failure";
    EXPECT_LE(seconds, 3.0);
    ASSERT_FALSE(g.sink.Errors().empty());
    EXPECT_EQ(g.sink.Errors()[0].rfind(L"1:ReceiveIfNeed failed", 0), 0u);
}

}  // namespace

namespace {

int Peak(const std::vector<int16_t>& values, size_t from, size_t to)
{
    int peak = 0;
    for (size_t i = from; i < to && i < values.size(); ++i) {
        peak = std::max(peak, std::abs(static_cast<int>(values[i])));
    }
    return peak;
}

}  // namespace

// A tone whose last 50 ms are a loud marker: the stretch holds its last input back, so the end
// of the stream must push it out (time-stretched) before the end is passed on. Double speed is
// in the table too: the first drain was suspected of corrupting the heap there.
TEST(AudioFilterGraph, TheLastInputIsHeardBeforeTheEnd)
{
    for (const double speed : {0.5, 0.3, 2.0}) {
        SCOPED_TRACE(speed);
        const PcmFormat format{44100, 2, 16};
        const double inputSeconds = 0.6;
        const double burstSeconds = 0.05;
        SpeedGraph g(format, inputSeconds, speed, true);
        ASSERT_TRUE(g.connected);
        g.source->Pin()->SetEndBurst(burstSeconds);
        EXPECT_GE(g.RunToCompletion(20000), 0.0) << "no completion";
        g.control->Stop();

        const std::vector<int16_t> out = g.recorder->Values();
        const size_t frames = out.size() / 2;
        const double inputFrames = inputSeconds * 44100;
        const double expected = inputFrames / speed;
        // Within one output block (the overlap length at 44.1 kHz) of input / speed.
        const double block = 400;
        EXPECT_NEAR(static_cast<double>(frames), expected, block);
        EXPECT_NEAR(static_cast<double>(g.speedFilter->GetNextOutputTime()),
                    expected / 44100 * 1e7, block / 44100 * 1e7);
        // The marker, stretched to burst / speed, fills the end of the output (fading out in
        // its last block); the tone before it stays at its own level, which the cross-fades
        // of the stretch never raise (their gains sum to one). A segment's place may be off by
        // the search width (448 frames of input at 44.1 kHz) and a cross-fade (one block), and
        // a block step reads the search width and two blocks of input ahead of what it writes.
        const size_t burstStart = static_cast<size_t>((inputFrames - burstSeconds * 44100) /
                                                      speed);
        const size_t late = static_cast<size_t>(block + 448 / speed);
        const size_t early = static_cast<size_t>((448 + 2 * block) / speed);
        EXPECT_GT(Peak(out, 2 * (frames - 441), 2 * frames), 8000) << "the last 10 ms";
        EXPECT_GT(Peak(out, 2 * (burstStart + late), 2 * frames), 26000);
        EXPECT_LT(Peak(out, 0, 2 * (burstStart - early)), 17500);
        EXPECT_TRUE(g.sink.Errors().empty());
    }
}
