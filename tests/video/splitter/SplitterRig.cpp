// The splitter test rig.
#include "tests/video/splitter/SplitterRig.h"

#include "video/splitter/CWMFOutputPin.h"
#include "tests/support/TestEnv.h"

#include <uuids.h>

#include <cstdio>
#include <cstdlib>

std::vector<ExpectedPacket> ExpectedPackets(const wchar_t* name)
{
    std::vector<ExpectedPacket> packets;
    const char* dir = std::getenv("ORVANE_MEDIA");
    std::string path = std::string(dir ? dir : ".") + "/";
    for (const wchar_t* p = name; *p; ++p) {
        path += static_cast<char>(*p);
    }
    path += ".packets.csv";
    // Wine maps the Unix root to Z:.
    std::string winPath = "Z:" + path;
    FILE* f = std::fopen(winPath.c_str(), "r");
    if (f == nullptr) {
        return packets;
    }
    int index = 0;
    long long ms = 0;
    long size = 0;
    int key = 0;
    while (std::fscanf(f, "%d,%lld,%ld,%d", &index, &ms, &size, &key) == 4) {
        packets.push_back({index, ms * 10000, size, key != 0});
    }
    std::fclose(f);
    return packets;
}

SplitterRig::~SplitterRig()
{
    TearDown();
}

std::wstring SplitterRig::Open(const wchar_t* name)
{
    if (!context.OpenFile(orvane::test::MediaPath(name))) {
        return L"cannot open the test file";
    }
    std::wstring error;
    splitter = new CWMFSplitterFlt(name, &context, TRUE, &error, TestRead, TestSeek);
    return error;
}

HRESULT SplitterRig::BuildGraph()
{
    HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IGraphBuilder, reinterpret_cast<void**>(&graph));
    if (FAILED(hr)) {
        return hr;
    }
    graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control));
    graph->QueryInterface(IID_IMediaEventEx, reinterpret_cast<void**>(&events));
    hr = graph->AddFilter(splitter, L"WMFSplitter");
    if (FAILED(hr)) {
        return hr;
    }
    for (int i = 0; i < splitter->GetPinCount(); ++i) {
        TestSinkFilter* sink = new TestSinkFilter();
        sink->AddRef();
        sinks.push_back(sink);
        wchar_t name[16];
        swprintf(name, 16, L"sink%d", i);
        hr = graph->AddFilter(sink, name);
        if (FAILED(hr)) {
            return hr;
        }
        hr = graph->ConnectDirect(splitter->GetPinByIndex(i), sink->GetPin(0), nullptr);
        if (FAILED(hr)) {
            return hr;
        }
    }
    return S_OK;
}

void SplitterRig::TearDown()
{
    if (control != nullptr) {
        control->Stop();
        control->Release();
        // Wine's graph stays "stopped" after a failed Run while the filters it had already
        // paused stay paused; their pins then never disconnect and the graph's release spins.
        for (TestSinkFilter* sink : sinks) {
            sink->Stop();
        }
        splitter->Stop();
        control = nullptr;
    }
    if (events != nullptr) {
        events->Release();
        events = nullptr;
    }
    if (graph != nullptr) {
        graph->Release();  // removes the filters: the splitter closes its reader
        graph = nullptr;
    }
    for (TestSinkFilter* sink : sinks) {
        sink->Release();
    }
    sinks.clear();
    if (splitter != nullptr) {
        // Out of a graph the reader still holds the filter's callbacks: leaving closes it.
        splitter->JoinFilterGraph(nullptr, nullptr);
        splitter->Release();
        splitter = nullptr;
    }
}

bool SplitterRig::WaitAllEnded(DWORD milliseconds)
{
    const DWORD until = GetTickCount() + milliseconds;
    for (TestSinkFilter* sink : sinks) {
        const DWORD now = GetTickCount();
        const DWORD left = static_cast<LONG>(until - now) > 0 ? until - now : 0;
        if (!sink->WaitEndOfStream(left)) {
            return false;
        }
    }
    return true;
}

HRESULT SplitterRig::SeekAll(LONGLONG start, LONGLONG stop)
{
    HRESULT last = S_OK;
    for (int i = 0; i < splitter->GetPinCount(); ++i) {
        IMediaSeeking* seeking = nullptr;
        splitter->GetPinByIndex(i)->QueryInterface(IID_IMediaSeeking,
                                                   reinterpret_cast<void**>(&seeking));
        LONGLONG current = start;
        LONGLONG end = stop;
        last = seeking->SetPositions(&current, AM_SEEKING_AbsolutePositioning, &end,
                                     AM_SEEKING_AbsolutePositioning);
        seeking->Release();
    }
    return last;
}
