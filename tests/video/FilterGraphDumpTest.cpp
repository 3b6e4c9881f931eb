// The filter-graph dump of a real graph of Wine's DirectShow (a rendered WAV file), its media
// type line and GUID names, the stored-text sink, and the graph helpers on the same graph.
#include "video/CInternalGraphDebug.h"
#include "video/DXVideoFunc.h"
#include "video/EngineGlobals.h"
#include "video/FilterGraphDump.h"
#include "video/GuidNames.h"
#include "tests/video/MediaTypes.h"
#include "tests/support/TestEnv.h"

#include <gtest/gtest.h>

#include <dshow.h>

#include <cwctype>
#include <string>
#include <vector>

using orvane::test::AudioType;
using orvane::test::VideoType;

namespace {

class CollectSink : public CReleaseModeDebug {
public:
    void Output(unsigned flags, const wchar_t* text) override
    {
        EXPECT_EQ(flags, 1u);
        lines.push_back(text ? text : L"");
    }
    std::wstring All() const
    {
        std::wstring all;
        for (const std::wstring& line : lines) {
            all += line + L"\n";
        }
        return all;
    }
    std::vector<std::wstring> lines;
};

// Module names as Windows compares them: Wine loads quartz as "QUARTZ.dll" on one side and
// "quartz.dll" on the other.
bool HasModule(const std::wstring& line, const wchar_t* name)
{
    std::wstring lower = line;
    for (wchar_t& c : lower) {
        c = static_cast<wchar_t>(towlower(c));
    }
    return lower.find(name) != std::wstring::npos;
}

bool StartsWith(const std::wstring& text, const std::wstring& prefix)
{
    return text.rfind(prefix, 0) == 0;
}

class RenderedWave : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IGraphBuilder, reinterpret_cast<void**>(&graph)),
                  S_OK);
        const std::wstring file = orvane::test::MediaPath(L"tone.wav");
        ASSERT_EQ(graph->RenderFile(file.c_str(), nullptr), S_OK);
        IEnumFilters* filters = nullptr;
        ASSERT_EQ(graph->EnumFilters(&filters), S_OK);
        IBaseFilter* filter = nullptr;
        while (filters->Next(1, &filter, nullptr) == S_OK) {
            int in = 0;
            int out = 0;
            DXVideoFunc::CountPins(filter, &in, &out);
            if (in == 0 && !source) {
                source = filter;
                filter->AddRef();
            } else if (in == 1 && out >= 1 && !parser) {
                parser = filter;
                filter->AddRef();
            }
            filter->Release();
        }
        filters->Release();
        ASSERT_NE(source, nullptr);
        ASSERT_NE(parser, nullptr);
    }
    void TearDown() override
    {
        for (IUnknown* object : {static_cast<IUnknown*>(parser), static_cast<IUnknown*>(source),
                                 static_cast<IUnknown*>(graph)}) {
            if (object) {
                object->Release();
            }
        }
    }
    int FilterCount()
    {
        IEnumFilters* filters = nullptr;
        graph->EnumFilters(&filters);
        int count = 0;
        IBaseFilter* filter = nullptr;
        while (filters->Next(1, &filter, nullptr) == S_OK) {
            ++count;
            filter->Release();
        }
        filters->Release();
        return count;
    }

    IGraphBuilder* graph = nullptr;
    IBaseFilter* source = nullptr;
    IBaseFilter* parser = nullptr;
};

TEST_F(RenderedWave, DumpListsObjectsTopologyAndModules)
{
    CollectSink sink;
    DumpFilterGraph(&sink, graph);
    const std::vector<std::wstring>& l = sink.lines;
    ASSERT_GT(l.size(), 10u);
    EXPECT_TRUE(StartsWith(l[0], L"Graph ")) << l[0];
    EXPECT_TRUE(HasModule(l[0], L" in quartz.dll")) << l[0];
    EXPECT_TRUE(StartsWith(l[1], L"VFT=")) << l[1];
    EXPECT_NE(l[1].find(L" 10="), std::wstring::npos);
    EXPECT_EQ(l[2], L"  3 filters") << sink.All();

    const std::wstring all = sink.All();
    EXPECT_NE(all.find(L"MdTp=(T=MT_Audio ST=MST_PCM Fx=Y Cm=N SSz="), std::wstring::npos)
        << all;
    EXPECT_NE(all.find(L"FT=F_WaveFormatEx F=(F=1 44100*"), std::wstring::npos) << all;
    EXPECT_NE(all.find(L"FT=Null F=(Null))"), std::wstring::npos) << all;
    EXPECT_NE(all.find(L"Dir=In"), std::wstring::npos);
    EXPECT_NE(all.find(L"Dir=Out"), std::wstring::npos);

    // The chain source -> parser -> renderer, with the indents of its depth.
    size_t open = 0;
    while (open < l.size() && l[open] != L"        /------\\") {
        ++open;
    }
    ASSERT_LT(open + 13, l.size()) << all;
    EXPECT_EQ(l[open - 1], L"--- Graph ---");
    EXPECT_TRUE(StartsWith(l[open + 1], L"Flt  ")) << l[open + 1];
    EXPECT_TRUE(StartsWith(l[open + 2], L"     Pin ")) << l[open + 2];
    EXPECT_TRUE(StartsWith(l[open + 3], L"       MdTp=(")) << l[open + 3];
    EXPECT_TRUE(StartsWith(l[open + 4], L"     Pin ")) << l[open + 4];
    EXPECT_TRUE(StartsWith(l[open + 5], L"       MdTp=(")) << l[open + 5];
    EXPECT_TRUE(StartsWith(l[open + 6], L"  Flt  ")) << l[open + 6];
    EXPECT_TRUE(StartsWith(l[open + 7], L"       Pin ")) << l[open + 7];
    EXPECT_TRUE(StartsWith(l[open + 8], L"         MdTp=(")) << l[open + 8];
    EXPECT_TRUE(StartsWith(l[open + 9], L"       Pin ")) << l[open + 9];
    EXPECT_TRUE(StartsWith(l[open + 10], L"         MdTp=(")) << l[open + 10];
    EXPECT_TRUE(StartsWith(l[open + 11], L"    Flt  ")) << l[open + 11];
    EXPECT_EQ(l[open + 12], L"            \\------/");
    EXPECT_EQ(l[open + 13], L"--- End of Graph ---");

    // Modules: each path, then its size and time, then version lines.
    bool quartz = false;
    for (size_t i = open + 14; i + 1 < l.size(); ++i) {
        if (HasModule(l[i], L"quartz.dll") && !StartsWith(l[i], L" ")) {
            quartz = true;
            EXPECT_TRUE(StartsWith(l[i + 1], L"  f ")) << l[i + 1];
            EXPECT_NE(l[i + 1].find(L" UTC"), std::wstring::npos) << l[i + 1];
        }
    }
    EXPECT_TRUE(quartz) << all;
}

TEST_F(RenderedWave, GraphHelpers)
{
    IPin* pin = nullptr;
    EXPECT_EQ(DXVideoFunc::GetPin(0, parser, &pin), S_OK);
    ASSERT_NE(pin, nullptr);
    EXPECT_TRUE(DXVideoFunc::IsPinConnected(pin));
    CMediaType preferred;
    EXPECT_EQ(DXVideoFunc::GetPreferredMediaType(pin, preferred), S_OK);
    EXPECT_TRUE(IsEqualGUID(preferred.majortype, MEDIATYPE_Audio));
    pin->Release();
    EXPECT_EQ(DXVideoFunc::GetPin(1, parser, &pin), E_FAIL);
    EXPECT_EQ(pin, nullptr);
    EXPECT_FALSE(DXVideoFunc::IsPinConnected(nullptr));
    EXPECT_EQ(DXVideoFunc::FindUnconnectedPin(parser, &pin, PINDIR_OUTPUT), E_FAIL);
    int in = -1;
    int out = -1;
    EXPECT_EQ(DXVideoFunc::CountPins(parser, &in, &out), S_OK);
    EXPECT_EQ(in, 1);
    EXPECT_EQ(out, 1);
    EXPECT_EQ(DXVideoFunc::CountPins(nullptr, &in, &out), E_POINTER);

    ASSERT_EQ(FilterCount(), 3);
    DXVideoFunc::RemoveDownstream(source, graph);
    EXPECT_EQ(FilterCount(), 1);
    DXVideoFunc::RemoveDownstream(nullptr, graph);
}

TEST_F(RenderedWave, FilterWithTwoBranchesIsPrintedAgain)
{
    // Put a tee with two outputs between the parser and the renderer.
    IBaseFilter* tee = nullptr;
    if (FAILED(CoCreateInstance(CLSID_SmartTee, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                reinterpret_cast<void**>(&tee)))) {
        GTEST_SKIP() << "no Smart Tee filter here";
    }
    IPin* parserOut = nullptr;
    ASSERT_EQ(DXVideoFunc::GetPin(0, parser, &parserOut), S_OK);
    DXVideoFunc::RemoveDownstreamOfPin(graph, parserOut);
    ASSERT_EQ(FilterCount(), 2);
    ASSERT_EQ(graph->AddFilter(tee, L"Tee"), S_OK);
    ASSERT_EQ(DXVideoFunc::ConnectFilters(tee, graph, parserOut), S_OK);
    parserOut->Release();
    for (int branch = 0; branch < 2; ++branch) {
        IBaseFilter* renderer = nullptr;
        ASSERT_EQ(DXVideoFunc::AddFilterByCLSID(&renderer, graph), S_OK);
        IPin* teeOut = nullptr;
        ASSERT_EQ(DXVideoFunc::GetPin(branch, tee, &teeOut), S_OK);
        EXPECT_EQ(DXVideoFunc::ConnectFilters(renderer, graph, teeOut), S_OK);
        teeOut->Release();
        renderer->Release();
    }
    tee->Release();

    CollectSink sink;
    DumpFilterGraph(&sink, graph);
    const std::vector<std::wstring>& l = sink.lines;
    size_t open = 0;
    while (open < l.size() && l[open] != L"        /------\\") {
        ++open;
    }
    ASSERT_LT(open + 28, l.size()) << sink.All();
    // source, parser, tee, first renderer and its end ...
    EXPECT_TRUE(StartsWith(l[open + 11], L"    Flt  ")) << sink.All();
    EXPECT_TRUE(StartsWith(l[open + 16], L"      Flt  ")) << sink.All();
    EXPECT_EQ(l[open + 17], L"              \\------/");
    // ... then the tee's line again and its second branch at the same depth.
    EXPECT_EQ(l[open + 18], l[open + 11]);
    EXPECT_TRUE(StartsWith(l[open + 19], L"         Pin ")) << l[open + 19];
    EXPECT_TRUE(StartsWith(l[open + 23], L"      Flt  ")) << l[open + 23];
    EXPECT_EQ(l[open + 24], L"              \\------/");
    EXPECT_EQ(l[open + 25], L"--- End of Graph ---");
}

TEST(FilterGraphDump, DisconnectedPinAndStoredText)
{
    IGraphBuilder* graph = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                               IID_IGraphBuilder, reinterpret_cast<void**>(&graph)),
              S_OK);
    IBaseFilter* renderer = nullptr;
    ASSERT_EQ(DXVideoFunc::AddFilterByCLSID(&renderer, graph), S_OK);
    StoredGraphText() = L"LastPlayGraph:";
    CInternalGraphDebug sink(0);
    DumpFilterGraph(&sink, graph);
    const std::wstring text = StoredGraphText();
    EXPECT_EQ(text.rfind(L"LastPlayGraph:\r\nGraph ", 0), 0u) << text;
    EXPECT_NE(text.find(L"->None ["), std::wstring::npos) << text;
    EXPECT_NE(text.find(L"\r\n      MdTp=None\r\n"), std::wstring::npos) << text;
    EXPECT_NE(text.find(L"\r\n        \\------/\r\n"), std::wstring::npos) << text;

    // Other indices and empty lines write nothing.
    CInternalGraphDebug other(1);
    other.Output(0, L"x");
    sink.Output(0, L"");
    sink.Output(0, nullptr);
    EXPECT_EQ(StoredGraphText(), text);
    StoredGraphText().clear();
    renderer->Release();
    graph->Release();
}

TEST(FilterGraphDump, GuidNames)
{
    EXPECT_EQ(GuidNameTableSize(), 169);
    wchar_t buffer[36];
    const GUID mp3 = {0x00000055, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
    EXPECT_STREQ(RMD_FilterGraph_GuidName(mp3, buffer), L"WMMST_MP3");
    GUID adpcm = mp3;
    adpcm.Data1 = 2;
    EXPECT_STREQ(RMD_FilterGraph_GuidName(adpcm, buffer), L"WavFmt#2");
    adpcm.Data1 = 0xFFFE;
    EXPECT_STREQ(RMD_FilterGraph_GuidName(adpcm, buffer), L"WavFmt#-2");
    const GUID other = {0x12345678, 0x9ABC, 0xDEF0, {1, 2, 3, 4, 5, 6, 7, 8}};
    EXPECT_STREQ(RMD_FilterGraph_GuidName(other, buffer), L"12345678-9ABC-DEF0-0102030405060708");
    EXPECT_STREQ(RMD_FilterGraph_GuidName(GUID_NULL, buffer), L"Null");
    EXPECT_STREQ(RMD_FilterGraph_GuidName(MEDIATYPE_Video, buffer), L"MT_Video");
    EXPECT_STREQ(RMD_FilterGraph_GuidName(MEDIASUBTYPE_PCM, buffer), L"MST_PCM");
    EXPECT_STREQ(RMD_FilterGraph_GuidName(FORMAT_VideoInfo2, buffer), L"F_VideoInfo2");
    EXPECT_STREQ(RMD_FilterGraph_GuidName(PIN_CATEGORY_CAPTURE, buffer), L"PC_CAPTURE");
    const GUID wmv2 = {0x32564D57, 0x0000, 0x0010,
                       {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
    EXPECT_STREQ(RMD_FilterGraph_GuidName(wmv2, buffer), L"WMMST_WMV2");
}

TEST(FilterGraphDump, MediaTypeLines)
{
    struct Case {
        CMediaType type;
        const wchar_t* text;
    };
    CMediaType pal = VideoType(0x32564D57, 320, 240, 400000, 24);
    auto* vih = reinterpret_cast<VIDEOINFOHEADER*>(pal.pbFormat);
    vih->rcSource = {0, 0, 320, 240};
    vih->rcTarget = {8, 4, 328, 244};
    vih->dwBitRate = 300000;
    CMediaType noFormat;
    noFormat.majortype = MEDIATYPE_Audio;
    CMediaType shortVideo = VideoType(0, 320, 240, 400000);
    shortVideo.cbFormat = 20;
    CMediaType wma = AudioType(0x161, 44100, 2, 8000);
    DXVideoFunc::AllocZeroedFormat(wma, sizeof(WAVEFORMATEX) + 10);
    auto* w = reinterpret_cast<WAVEFORMATEX*>(wma.pbFormat);
    w->wFormatTag = 0x161;
    w->nSamplesPerSec = 44100;
    w->nChannels = 2;
    w->nAvgBytesPerSec = 8000;
    w->nBlockAlign = 2973;
    w->wBitsPerSample = 16;
    w->cbSize = 10;
    const Case cases[] = {
        {pal, L"S=320*240 T=(8,4,320*240) BR=300000 SpF=0.0400000=1/25.0 [WMV2] 320*240,24b"},
        {VideoType(0, 640, 480, 0, 32), L"SpF=0.0000000=1/0.0 BI_RGB 640*480,32b"},
        {VideoType(0x12345678, 1, 1, 333667, 0), L"SpF=0.0333667=1/30.0 12345678 1*1,0b"},
        {noFormat, L"Null"},
        {shortVideo, L"Unkn"},
        {wma, L"F=353 44100*2*16,2973,8000 Sz=10"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MediaTypeFormatText(c.type), c.text);
    }
    CollectSink sink;
    WriteMediaTypeLine(&sink, nullptr, &pal);
    WriteMediaTypeLine(&sink, L"  ", &noFormat);
    ASSERT_EQ(sink.lines.size(), 2u);
    EXPECT_EQ(sink.lines[0], L"MdTp=(T=MT_Video ST=MST_RGB24 Fx=Y Cm=N SSz=1 FT=F_VideoInfo F=(" +
                                 std::wstring(cases[0].text) + L"))");
    EXPECT_EQ(sink.lines[1], L"  MdTp=(T=MT_Audio ST=Null Fx=Y Cm=N SSz=1 FT=Null F=(Null))");
}

}  // namespace
