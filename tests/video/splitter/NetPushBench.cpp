// Benchmark: every compressed sample of a presentation (read through the stand-in runtime)
// pushed through the network splitter into sinks that take everything, with the graph's clock
// off, as the network receiver pushes them; prints media seconds per wall second.
//   net_push_bench.exe PATH
#include "video/splitter/CWMNetSplitterFlt.h"
#include "video/splitter/WmReaderFactory.h"

#include "platform/dshow/CBaseFilter.h"
#include "platform/dshow/CBaseInputPin.h"
#include "tests/video/ReaderOpenWaiter.h"

#include <control.h>
#include <uuids.h>

#include <cstdio>
#include <vector>

namespace {

class NullSink;

class NullPin : public CBaseInputPin {
public:
    NullPin(CBaseFilter* filter, CCritSec* lock)
        : CBaseInputPin(L"NullPin", filter, lock, nullptr, L"In")
    {
    }
    HRESULT CheckMediaType(const CMediaType*) override { return S_OK; }
};

class NullSink : public CBaseFilter {
public:
    NullSink() : CBaseFilter(L"NullSink", nullptr, &m_lock, GUID_NULL), m_pin(this, &m_lock) {}
    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int n) override { return n == 0 ? &m_pin : nullptr; }

private:
    CCritSec m_lock;
    NullPin m_pin;
};

struct Sample {
    WORD stream;
    QWORD time;
    QWORD duration;
    DWORD flags;
    INSSBuffer* buffer;
};

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: net_push_bench PATH\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    std::wstring error;
    IWMReader* reader = nullptr;
    IWMSyncReader* sync = nullptr;
    ReaderOpenWaiter waiter;
    if (FAILED(WmReaderFactory::CreateReader(&reader, &error)) ||
        FAILED(WmReaderFactory::CreateSyncReader(&sync, &error)) ||
        FAILED(reader->Open(argv[1], &waiter, nullptr)) || FAILED(sync->Open(argv[1]))) {
        std::fprintf(stderr, "cannot open the file\n");
        return 1;
    }
    WaitForSingleObject(waiter.opened, 30000);
    std::vector<WORD> audio;
    std::vector<WORD> video;
    IWMProfile* profile = nullptr;
    reader->QueryInterface(IID_IWMProfile, reinterpret_cast<void**>(&profile));
    DWORD count = 0;
    profile->GetStreamCount(&count);
    for (DWORD i = 0; i < count; ++i) {
        IWMStreamConfig* config = nullptr;
        profile->GetStream(i, &config);
        WORD number = 0;
        GUID major = GUID_NULL;
        config->GetStreamNumber(&number);
        config->GetStreamType(&major);
        (major == MEDIATYPE_Audio ? audio : video).push_back(number);
        sync->SetReadStreamSamples(number, TRUE);
        config->Release();
    }
    profile->Release();
    std::vector<Sample> samples;
    unsigned long long bytes = 0;
    for (;;) {
        Sample s{};
        DWORD output = 0;
        if (sync->GetNextSample(0, &s.buffer, &s.time, &s.duration, &s.flags, &output,
                                &s.stream) != S_OK) {
            break;
        }
        DWORD length = 0;
        s.buffer->GetLength(&length);
        bytes += length;
        samples.push_back(s);
    }
    CWMNetSplitterFlt* splitter =
        new CWMNetSplitterFlt(reader, audio.empty() ? 0 : audio[0], video.size() > 0 ? video[0] : 0,
                              video.size() > 1 ? video[1] : 0, &error);
    IGraphBuilder* graph = nullptr;
    CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                     reinterpret_cast<void**>(&graph));
    graph->AddFilter(splitter, L"WMNetSplitter");
    std::vector<NullSink*> sinks;
    for (int i = 0; i < splitter->GetPinCount(); ++i) {
        NullSink* sink = new NullSink();
        sink->AddRef();
        sinks.push_back(sink);
        graph->AddFilter(sink, nullptr);
        graph->ConnectDirect(splitter->GetPin(i), sink->GetPin(0), nullptr);
    }
    IMediaFilter* filter = nullptr;
    graph->QueryInterface(IID_IMediaFilter, reinterpret_cast<void**>(&filter));
    filter->SetSyncSource(nullptr);  // the clock off: as fast as the pushes go
    IMediaControl* control = nullptr;
    graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control));
    control->Run();
    splitter->OnStart(0);
    LARGE_INTEGER frequency, began, ended;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&began);
    unsigned long long refused = 0;
    QWORD last = 0;
    for (const Sample& s : samples) {
        refused += splitter->OnWMStreamSample(s.stream, s.buffer, static_cast<LONGLONG>(s.time),
                                              static_cast<LONGLONG>(s.duration),
                                              s.flags) != S_OK;
        last = s.time > last ? s.time : last;
    }
    QueryPerformanceCounter(&ended);
    control->Stop();
    const double wall = double(ended.QuadPart - began.QuadPart) / double(frequency.QuadPart);
    const double media = double(last) / 1e7;
    std::printf("pushed %zu samples (%llu bytes, %llu refused), %.1f media seconds in %.3f s: "
                "%.1f media seconds per wall second\n",
                samples.size(), bytes, refused, media, wall, wall > 0 ? media / wall : 0.0);
    control->Release();
    filter->Release();
    graph->Release();
    for (NullSink* sink : sinks) {
        sink->Release();
    }
    splitter->Release();
    for (Sample& s : samples) {
        s.buffer->Release();
    }
    sync->Close();
    sync->Release();
    waiter.CloseAndWait(reader);
    reader->Release();
    return 0;
}
