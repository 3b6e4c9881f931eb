// Our source and in-place transform feeding Wine's own DirectSound renderer on the null audio
// device: the renderer takes our allocator, plays in real time on its clock, reports
// EC_COMPLETE, and passes a graph seek back up through our transform to the source.
#include <gtest/gtest.h>

#include <cstdio>

#include "platform/dshow/streams.h"

#include "tests/platform/dshow/GraphDump.h"
#include "tests/platform/dshow/GraphEvents.h"
#include "tests/platform/dshow/TestInvertFilter.h"
#include "tests/platform/dshow/TestMediaTypes.h"
#include "tests/platform/dshow/TestSourceFilter.h"
#include "tests/platform/dshow/TestSourcePin.h"

namespace {

constexpr int kBuffers = 10;
constexpr LONG kBufferBytes = 17640;  // 100 ms of 44.1 kHz 16-bit stereo

TEST(DSoundGraph, PlaysOurSourceToTheNullDevice)
{
    const LONG before = CBaseObject::ObjectsActive();
    IGraphBuilder* graph = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                               reinterpret_cast<void**>(&graph)),
              S_OK);
    IBaseFilter* renderer = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_DSoundRender, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                               reinterpret_cast<void**>(&renderer)),
              S_OK);
    auto* source = new TestSourceFilter(dshowtest::MakePcmType(44100, 2, 16), kBufferBytes,
                                        kBuffers, 4);
    source->NonDelegatingAddRef();
    auto* invert = new TestInvertFilter();
    invert->NonDelegatingAddRef();
    ASSERT_EQ(graph->AddFilter(source, L"Source"), S_OK);
    ASSERT_EQ(graph->AddFilter(invert, L"Invert"), S_OK);
    ASSERT_EQ(graph->AddFilter(renderer, L"Wine DirectSound renderer"), S_OK);

    ASSERT_EQ(graph->ConnectDirect(source->Pin(), invert->GetPin(0), nullptr), S_OK);
    IEnumPins* pins = nullptr;
    ASSERT_EQ(renderer->EnumPins(&pins), S_OK);
    IPin* rendererIn = nullptr;
    ASSERT_EQ(pins->Next(1, &rendererIn, nullptr), S_OK);
    pins->Release();
    ASSERT_EQ(graph->ConnectDirect(invert->GetPin(1), rendererIn, nullptr), S_OK);
    rendererIn->Release();

    const std::string dump = dshowtest::DumpGraph(graph);
    EXPECT_NE(dump.find("class DSoundRender"), std::string::npos);
    EXPECT_NE(dump.find("-> \"Wine DirectSound renderer\""), std::string::npos);
    EXPECT_FALSE(invert->UsingDifferentAllocators())
        << "Wine's renderer took the source's allocator through the in-place filter";

    IMediaControl* control = nullptr;
    IMediaEvent* events = nullptr;
    IMediaSeeking* seeking = nullptr;
    ASSERT_EQ(graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control)), S_OK);
    ASSERT_EQ(graph->QueryInterface(IID_IMediaEvent, reinterpret_cast<void**>(&events)), S_OK);
    ASSERT_EQ(graph->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&seeking)), S_OK);

    const DWORD start = GetTickCount();
    ASSERT_TRUE(SUCCEEDED(control->Run()));
    EXPECT_TRUE(dshowtest::WaitForEvent(events, EC_COMPLETE, 10000));
    const DWORD elapsed = GetTickCount() - start;
    std::printf("played 1 s of sound in %lu ms\n", static_cast<unsigned long>(elapsed));
    EXPECT_GE(elapsed, 700u) << "1 s of sound finished too early: not played on a clock?";
    EXPECT_EQ(invert->Transformed(), kBuffers);

    // The renderer passes the seek upstream: through our transform to the source.
    LONGLONG position = 5 * 1000000;
    EXPECT_EQ(seeking->SetPositions(&position, AM_SEEKING_AbsolutePositioning, nullptr,
                                    AM_SEEKING_NoPositioning),
              S_OK);
    EXPECT_GE(source->Pin()->SeekCount(), 1);
    const DWORD seekStart = GetTickCount();
    EXPECT_TRUE(dshowtest::WaitForEvent(events, EC_COMPLETE, 10000));
    std::printf("played the last 0.5 s after the seek in %lu ms\n",
                static_cast<unsigned long>(GetTickCount() - seekStart));
    EXPECT_EQ(invert->Transformed(), kBuffers + kBuffers / 2);

    EXPECT_EQ(control->Stop(), S_OK);
    seeking->Release();
    events->Release();
    control->Release();
    renderer->Release();
    EXPECT_EQ(graph->Release(), 0u);
    EXPECT_EQ(invert->NonDelegatingRelease(), 0u);
    EXPECT_EQ(source->NonDelegatingRelease(), 0u);
    EXPECT_EQ(CBaseObject::ObjectsActive(), before) << "an object of ours leaked";
}

}  // namespace
