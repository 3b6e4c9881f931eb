// Wine's DirectShow: a graph renders the PCM audio of a generated file to the null audio
// device and reports completion.
#include <windows.h>
#include <dshow.h>

#include <gtest/gtest.h>

#include "tests/support/TestEnv.h"

TEST(GraphSmoke, PcmPlaysToCompletion)
{
    IGraphBuilder* graph = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                               reinterpret_cast<void**>(&graph)),
              S_OK);
    const std::wstring file = orvane::test::MediaPath(L"tone.wav");
    ASSERT_EQ(graph->RenderFile(file.c_str(), nullptr), S_OK);

    IMediaControl* control = nullptr;
    IMediaEvent* events = nullptr;
    ASSERT_EQ(graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control)), S_OK);
    ASSERT_EQ(graph->QueryInterface(IID_IMediaEvent, reinterpret_cast<void**>(&events)), S_OK);

    const DWORD start = GetTickCount();
    ASSERT_TRUE(SUCCEEDED(control->Run()));
    long code = 0;
    // The file lasts 2 s; allow generous slack on a loaded machine.
    EXPECT_EQ(events->WaitForCompletion(20000, &code), S_OK);
    EXPECT_EQ(code, EC_COMPLETE);
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 1500u) << "played faster than real time: no clock?";
    control->Stop();

    events->Release();
    control->Release();
    graph->Release();
}
