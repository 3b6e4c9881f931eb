// Filter-graph dump: object list with interface tables, topology chains and module list.
#include "video/FilterGraphDump.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"

#include "platform/dshow/CMediaType.h"
#include "video/EngineText.h"
#include "video/GuidNames.h"
#include "video/ModuleVersionText.h"
#include "platform/base/CComPtr.h"
#include "platform/base/TimeUnits.h"

#include <dshow.h>
#include <dvdmedia.h>
#include <mmreg.h>
#include <ks.h>
#include <ksmedia.h>
#include <ks.h>
#include <ksproxy.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr unsigned kMaxFilters = 256;
constexpr unsigned kMaxPins = 256;
constexpr unsigned kMaxPinsPerFilter = 64;
constexpr unsigned kMaxModules = 256;
constexpr unsigned kGraphMethods = 11;
constexpr unsigned kFilterMethods = 15;
constexpr unsigned kPinMethods = 18;

std::wstring Spaces(size_t n)
{
    TRACE_FUNCTION();
    return std::wstring(n > 50 ? 50 : n, L' ');
}

std::wstring Cut(std::wstring text, size_t chars)
{
    TRACE_FUNCTION();
    if (text.size() > chars) {
        text.resize(chars);
    }
    return text;
}

std::wstring GuidName(const GUID& guid)
{
    TRACE_FUNCTION();
    wchar_t buffer[36];
    return RMD_FilterGraph_GuidName(guid, buffer);
}

std::wstring RectText(const wchar_t* name, const RECT& r)
{
    TRACE_FUNCTION();
    if (r.left != 0 || r.top != 0) {
        return FormatText(L"%s=(%i,%i,%i*%i) ", name, static_cast<int>(r.left),
                          static_cast<int>(r.top), static_cast<int>(r.right - r.left),
                          static_cast<int>(r.bottom - r.top));
    }
    if (r.right != 0 || r.bottom != 0) {
        return FormatText(L"%s=%i*%i ", name, static_cast<int>(r.right),
                          static_cast<int>(r.bottom));
    }
    return std::wstring();
}

std::wstring CompressionText(DWORD code)
{
    TRACE_FUNCTION();
    static const wchar_t* const kNames[] = {L"BI_RGB", L"BI_RLE8", L"BI_RLE4",
                                            L"BI_BITFIELDS", L"BI_JPEG", L"BI_PNG"};
    if (code <= 5) {
        return kNames[code];
    }
    wchar_t chars[4];
    for (int i = 0; i < 4; ++i) {
        const unsigned b = (code >> (8 * i)) & 0xFF;
        if (b < 32 || b > 126) {
            return FormatText(L"%08X", static_cast<unsigned>(code));
        }
        chars[i] = static_cast<wchar_t>(b);
    }
    return FormatText(L"[%c%c%c%c]", chars[0], chars[1], chars[2], chars[3]);
}

void FrameTimes(REFERENCE_TIME perFrame, double* spf, double* fps)
{
    TRACE_FUNCTION();
    *spf = RefTimeToSeconds(perFrame);
    *fps = perFrame != 0 ? static_cast<double>(kRefTimePerSecond) / static_cast<double>(perFrame)
                          : 0.0;
}

std::wstring VideoInfoText(const AM_MEDIA_TYPE& type, bool second)
{
    TRACE_FUNCTION();
    const size_t need = second ? sizeof(VIDEOINFOHEADER2) : sizeof(VIDEOINFOHEADER);
    if (type.cbFormat < need) {
        return L"Unkn";
    }
    RECT source;
    RECT target;
    DWORD bitRate;
    DWORD errorRate;
    REFERENCE_TIME perFrame;
    const BITMAPINFOHEADER* bmi;
    std::wstring extra;
    if (second) {
        const auto* v = reinterpret_cast<const VIDEOINFOHEADER2*>(type.pbFormat);
        source = v->rcSource;
        target = v->rcTarget;
        bitRate = v->dwBitRate;
        errorRate = v->dwBitErrorRate;
        perFrame = v->AvgTimePerFrame;
        bmi = &v->bmiHeader;
        if (v->dwInterlaceFlags) {
            extra += FormatText(L" IlF=%X", static_cast<unsigned>(v->dwInterlaceFlags));
        }
        if (v->dwCopyProtectFlags) {
            extra += FormatText(L" CpF=%X", static_cast<unsigned>(v->dwCopyProtectFlags));
        }
        if (v->dwControlFlags) {
            extra += FormatText(L" CtF=%X", static_cast<unsigned>(v->dwControlFlags));
        }
        if (v->dwPictAspectRatioX) {
            extra += FormatText(L" rX=%i", static_cast<int>(v->dwPictAspectRatioX));
        }
        if (v->dwPictAspectRatioY) {
            extra += FormatText(L" rY=%i", static_cast<int>(v->dwPictAspectRatioY));
        }
    } else {
        const auto* v = reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat);
        source = v->rcSource;
        target = v->rcTarget;
        bitRate = v->dwBitRate;
        errorRate = v->dwBitErrorRate;
        perFrame = v->AvgTimePerFrame;
        bmi = &v->bmiHeader;
    }
    double spf;
    double fps;
    FrameTimes(perFrame, &spf, &fps);
    const std::wstring br = bitRate ? FormatText(L"BR=%i ", static_cast<int>(bitRate)) : L"";
    const std::wstring ber =
        errorRate ? FormatText(L"BER=%i ", static_cast<int>(errorRate)) : L"";
    return FormatText(L"%s%s%s%sSpF=%9.7f=1/%3.1f%s %s %i*%i,%ib",
                      RectText(L"S", source).c_str(), RectText(L"T", target).c_str(), br.c_str(),
                      ber.c_str(), spf, fps, extra.c_str(),
                      CompressionText(bmi->biCompression).c_str(),
                      static_cast<int>(bmi->biWidth), static_cast<int>(bmi->biHeight),
                      static_cast<int>(bmi->biBitCount));
}

std::wstring AnalogVideoText(const AM_MEDIA_TYPE& type)
{
    TRACE_FUNCTION();
    if (type.cbFormat < sizeof(ANALOGVIDEOINFO)) {
        return L"Unkn";
    }
    const auto* v = reinterpret_cast<const ANALOGVIDEOINFO*>(type.pbFormat);
    double spf;
    double fps;
    FrameTimes(v->AvgTimePerFrame, &spf, &fps);
    return FormatText(L"%s%s%i*%i SpF=%9.7f=1/%3.1f", RectText(L"S", v->rcSource).c_str(),
                      RectText(L"T", v->rcTarget).c_str(), static_cast<int>(v->dwActiveWidth),
                      static_cast<int>(v->dwActiveHeight), spf, fps);
}

std::wstring WaveFormatText(const AM_MEDIA_TYPE& type)
{
    TRACE_FUNCTION();
    if (type.cbFormat < sizeof(PCMWAVEFORMAT)) {
        return L"Unkn";
    }
    const auto* w = reinterpret_cast<const WAVEFORMATEX*>(type.pbFormat);
    // A 16-byte PCMWAVEFORMAT has no extra-size field.
    const WORD extraSize = type.cbFormat >= sizeof(WAVEFORMATEX) ? w->cbSize : 0;
    std::wstring tail;
    if (extraSize) {
        tail += FormatText(L" Sz=%i", static_cast<int>(extraSize));
    }
    if (w->wFormatTag == WAVE_FORMAT_EXTENSIBLE && extraSize >= 22 &&
        type.cbFormat >= sizeof(WAVEFORMATEXTENSIBLE)) {
        const auto* x = reinterpret_cast<const WAVEFORMATEXTENSIBLE*>(type.pbFormat);
        if (x->Samples.wValidBitsPerSample) {
            tail += FormatText(L" b=%i", static_cast<int>(x->Samples.wValidBitsPerSample));
        }
        if (x->dwChannelMask) {
            tail += FormatText(L" CM=%X", static_cast<unsigned>(x->dwChannelMask));
        }
        const GUID& sub = x->SubFormat;
        const GUID base = {0, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
        GUID probe = sub;
        probe.Data1 &= 0xFFFF0000u;
        if (IsEqualGUID(probe, base)) {
            tail += FormatText(L" Fmt=%i", static_cast<int>(sub.Data1 & 0xFFFF));
        } else {
            tail += L" InvFmtGuid";
        }
    }
    return FormatText(L"F=%i %i*%i*%i,%i,%i%s", static_cast<int>(static_cast<int16_t>(
                                                    w->wFormatTag)),
                      static_cast<int>(w->nSamplesPerSec), static_cast<int>(w->nChannels),
                      static_cast<int>(w->wBitsPerSample), static_cast<int>(w->nBlockAlign),
                      static_cast<int>(w->nAvgBytesPerSec), tail.c_str());
}

// Windows Media format types that the SDK headers here lack.
constexpr GUID kWmFormatScript = {
    0x5C8510F2, 0xDEBE, 0x4CA7, {0xBB, 0xA5, 0xF0, 0x7A, 0x10, 0x4F, 0x8D, 0xFF}};
constexpr GUID kWmFormatWebStream = {
    0xDA1E6B13, 0x8359, 0x4050, {0xB3, 0x98, 0x38, 0x8E, 0x96, 0x5B, 0xF0, 0x0C}};

class GraphDumper {
public:
    explicit GraphDumper(CReleaseModeDebug* sink) : m_sink(sink) {}
    ~GraphDumper();
    GraphDumper(const GraphDumper&) = delete;
    GraphDumper& operator=(const GraphDumper&) = delete;

    void ListObjects(IFilterGraph* graph);
    void PrintTopology();
    void PrintModules();

private:
    struct FilterEntry {
        CComPtr<IBaseFilter> filter;
        DWORD printed;
    };
    struct PinEntry {
        CComPtr<IPin> pin;
        IBaseFilter* owner;  // not counted: the pin's filter lives as long as the pin
        PIN_DIRECTION direction;
        CComPtr<IPin> connected;
    };

    void Line(const std::wstring& text) { m_sink->Output(RMD_CONTINUATION, text.c_str()); }
    std::wstring ModuleOf(const void* object);
    void InterfaceTableLine(const std::wstring& prefix, const void* object, unsigned count);
    void FilterBlock(const std::wstring& prefix, unsigned index, IBaseFilter* filter, bool full);
    void PinBlock(const std::wstring& prefix, IPin* pin, IBaseFilter* owner, bool full);
    void Chain(unsigned filterIndex, size_t depth);
    int FilterIndex(IBaseFilter* filter) const;
    int PinIndex(IPin* pin) const;

    CReleaseModeDebug* m_sink;
    std::vector<std::wstring> m_modulePaths;
    std::vector<FilterEntry> m_filters;
    std::vector<PinEntry> m_pins;
};

GraphDumper::~GraphDumper()
{
    TRACE_FUNCTION();
    m_filters.clear();
    m_pins.clear();
}

std::wstring GraphDumper::ModuleOf(const void* object)
{
    TRACE_FUNCTION();
    const void* table = *static_cast<const void* const*>(object);
    HMODULE module = nullptr;
    wchar_t path[MAX_PATH] = {};
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCWSTR>(table), &module) ||
        !GetModuleFileNameW(module, path, MAX_PATH)) {
        return L"?";
    }
    path[MAX_PATH - 1] = L'\0';
    const std::wstring full = path;
    if (!full.empty() && full[0] != L'?' && m_modulePaths.size() < kMaxModules) {
        bool seen = false;
        for (const std::wstring& known : m_modulePaths) {
            if (lstrcmpiW(known.c_str(), full.c_str()) == 0) {
                seen = true;
                break;
            }
        }
        if (!seen) {
            m_modulePaths.push_back(full);
        }
    }
    const size_t slash = full.find_last_of(L"\\/");
    return slash == std::wstring::npos ? full : full.substr(slash + 1);
}

void GraphDumper::InterfaceTableLine(const std::wstring& prefix, const void* object,
                                     unsigned count)
{
    TRACE_FUNCTION();
    const auto* table = *static_cast<const uintptr_t* const*>(object);
    std::wstring text = std::wstring(L"VFT=") + AddressText(table).text;
    for (unsigned i = 0; i < count; ++i) {
        if (IsBadReadPtr(table + i, sizeof(uintptr_t))) {
            text += FormatText(L" %u=Err", i);
        } else {
            text += FormatText(L" %u=%s", i, AddressText(table[i]).text);
        }
    }
    LogPrintf(m_sink, RMD_CONTINUATION, L"%s%s", prefix.c_str(), text.c_str());
}

void GraphDumper::ListObjects(IFilterGraph* graph)
{
    TRACE_FUNCTION();
    LogPrintf(m_sink, RMD_CONTINUATION, L"%sGraph %s in %s", L"", AddressText(graph).text,
              ModuleOf(graph).c_str());
    InterfaceTableLine(L"", graph, kGraphMethods);

    const std::wstring two = Spaces(2);
    CComPtr<IEnumFilters> filters;
    HRESULT hr = graph->EnumFilters(&filters);
    if (FAILED(hr) || !filters) {
        LogPrintf(m_sink, RMD_CONTINUATION, L"%sErr.%08X in IFilterGraph::EnumFilters",
                  two.c_str(), static_cast<unsigned>(hr));
        return;
    }
    std::vector<CComPtr<IBaseFilter>> found;
    while (found.size() < kMaxFilters) {
        CComPtr<IBaseFilter> filter;
        hr = filters->Next(1, &filter, nullptr);
        if (hr == S_OK && filter) {
            found.push_back(std::move(filter));
            continue;
        }
        if (hr != S_OK && hr != S_FALSE) {
            LogPrintf(m_sink, RMD_CONTINUATION, L"%sErr.%08X in IEnumFilters::Next(%u)",
                      two.c_str(), static_cast<unsigned>(hr),
                      static_cast<unsigned>(found.size()));
        }
        break;
    }
    filters.Release();
    LogPrintf(m_sink, RMD_CONTINUATION, L"%s%u filters", two.c_str(),
              static_cast<unsigned>(found.size()));
    for (size_t i = 0; i < found.size(); ++i) {
        FilterBlock(two, static_cast<unsigned>(i), found[i], true);
        found[i].Release();
    }
}

void GraphDumper::FilterBlock(const std::wstring& prefix, unsigned index, IBaseFilter* filter,
                              bool full)
{
    TRACE_FUNCTION();
    FILTER_INFO info = {};
    std::wstring name;
    HRESULT hr = filter->QueryFilterInfo(&info);
    if (SUCCEEDED(hr)) {
        info.achName[MAX_FILTER_NAME - 1] = L'\0';
        name = Cut(info.achName, 127);
        // QueryFilterInfo's reference: only the address is printed.
        CComPtr<IFilterGraph> infoGraph;
        infoGraph.Attach(info.pGraph);
    } else {
        name = FormatText(L"Err.%08X", static_cast<unsigned>(hr));
        info.pGraph = nullptr;
    }
    LogPrintf(m_sink, RMD_CONTINUATION, L"%sFlt%3u: %s [%s] in %s Gr=%s", prefix.c_str(), index,
              AddressText(filter).text, name.c_str(), ModuleOf(filter).c_str(),
              AddressText(info.pGraph).text);
    if (!full) {
        return;
    }
    InterfaceTableLine(prefix, filter, kFilterMethods);
    if (m_filters.size() < kMaxFilters && FilterIndex(filter) < 0) {
        m_filters.push_back({filter, 0});
    }
    const std::wstring inner = prefix + L"  ";
    CComPtr<IEnumPins> pins;
    hr = filter->EnumPins(&pins);
    if (FAILED(hr) || !pins) {
        LogPrintf(m_sink, RMD_CONTINUATION, L"%sErr.%08X in IBaseFilter::EnumPins",
                  Spaces(inner.size()).c_str(), static_cast<unsigned>(hr));
        return;
    }
    std::vector<CComPtr<IPin>> found;
    while (found.size() < kMaxPinsPerFilter) {
        CComPtr<IPin> pin;
        hr = pins->Next(1, &pin, nullptr);
        if (hr == S_OK && pin) {
            found.push_back(std::move(pin));
            continue;
        }
        if (hr != S_OK && hr != S_FALSE) {
            LogPrintf(m_sink, RMD_CONTINUATION, L"%sErr.%08X in IEnumPins::Next(%u)",
                      Spaces(inner.size()).c_str(), static_cast<unsigned>(hr),
                      static_cast<unsigned>(found.size()));
        }
        break;
    }
    pins.Release();
    LogPrintf(m_sink, RMD_CONTINUATION, L"%s%u pins", Spaces(inner.size()).c_str(),
              static_cast<unsigned>(found.size()));
    for (CComPtr<IPin>& pin : found) {
        PinBlock(Spaces(inner.size()), pin, filter, true);
        pin.Release();
    }
}

void GraphDumper::PinBlock(const std::wstring& prefix, IPin* pin, IBaseFilter* owner, bool full)
{
    TRACE_FUNCTION();
    CComPtr<IPin> peer;
    std::wstring connection;
    HRESULT hr = pin->ConnectedTo(&peer);
    if (SUCCEEDED(hr) && peer) {
        connection = AddressText(peer).text;
    } else if (hr == VFW_E_NOT_CONNECTED) {
        connection = L"None";
    } else {
        connection = FormatText(L"Err.%08X", static_cast<unsigned>(hr));
    }

    PIN_INFO info = {};
    std::wstring name;
    PIN_DIRECTION direction = static_cast<PIN_DIRECTION>(-1);
    hr = pin->QueryPinInfo(&info);
    if (SUCCEEDED(hr)) {
        info.achName[MAX_PIN_NAME - 1] = L'\0';
        name = Cut(info.achName, 127);
        direction = info.dir;
        CComPtr<IBaseFilter> infoFilter;
        infoFilter.Attach(info.pFilter);  // QueryPinInfo's reference
        if (infoFilter && !owner) {
            owner = infoFilter;
        }
    } else {
        name = FormatText(L"Err.%08X", static_cast<unsigned>(hr));
    }

    std::wstring category;
    CComPtr<IKsPropertySet> props;
    hr = pin->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(&props));
    if (hr == E_NOINTERFACE) {
        category = L"err.E_NOINTERFACE";
    } else if (FAILED(hr) || !props) {
        category = FormatText(L"Err.%08X in IPin::QueryInterface", static_cast<unsigned>(hr));
    } else {
        GUID value = GUID_NULL;
        DWORD returned = 0;
        hr = props->Get(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr, 0, &value,
                        sizeof(value), &returned);
        props.Release();
        category = FAILED(hr) ? FormatText(L"Err.%08X in IKsPropertySet::Get",
                                           static_cast<unsigned>(hr))
                              : GuidName(value);
    }
    const wchar_t* dirText = direction == PINDIR_INPUT ? L"In"
                             : direction == PINDIR_OUTPUT ? L"Out"
                                                          : L"?";
    LogPrintf(m_sink, RMD_CONTINUATION, L"%sPin %s->%s [%s] in %s Flt=%s Dir=%s Ctg=%s",
              prefix.c_str(), AddressText(pin).text, connection.c_str(), name.c_str(),
              ModuleOf(pin).c_str(), AddressText(owner).text, dirText, category.c_str());
    if (full) {
        if (m_pins.size() < kMaxPins && PinIndex(pin) < 0) {
            m_pins.push_back({pin, owner, direction, peer});
        }
        InterfaceTableLine(prefix, pin, kPinMethods);
    }
    peer.Release();

    const std::wstring typePrefix = Spaces(prefix.size() + 2);
    AM_MEDIA_TYPE type = {};
    hr = pin->ConnectionMediaType(&type);
    if (SUCCEEDED(hr)) {
        WriteMediaTypeLine(m_sink, typePrefix.c_str(), &type);
        FreeMediaType(type);
    } else if (hr == VFW_E_NOT_CONNECTED) {
        LogPrintf(m_sink, RMD_CONTINUATION, L"%sMdTp=None", typePrefix.c_str());
    } else {
        LogPrintf(m_sink, RMD_CONTINUATION, L"%sMdTp=Err.%08X", typePrefix.c_str(),
                  static_cast<unsigned>(hr));
    }
}

int GraphDumper::FilterIndex(IBaseFilter* filter) const
{
    TRACE_FUNCTION();
    for (size_t i = 0; i < m_filters.size(); ++i) {
        if (m_filters[i].filter == filter) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int GraphDumper::PinIndex(IPin* pin) const
{
    TRACE_FUNCTION();
    for (size_t i = 0; i < m_pins.size(); ++i) {
        if (m_pins[i].pin == pin) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void GraphDumper::PrintTopology()
{
    TRACE_FUNCTION();
    Line(L"--- Graph ---");
    for (size_t f = 0; f < m_filters.size(); ++f) {
        bool fed = false;
        for (const PinEntry& p : m_pins) {
            if (p.owner == m_filters[f].filter && p.direction != PINDIR_OUTPUT && p.connected) {
                fed = true;
                break;
            }
        }
        if (!fed) {
            Line(L"        /------\\");
            Chain(static_cast<unsigned>(f), 0);
        }
    }
    Line(L"--- End of Graph ---");
}

void GraphDumper::Chain(unsigned filterIndex, size_t depth)
{
    TRACE_FUNCTION();
    const std::wstring prefix = Spaces(depth);
    FilterEntry& entry = m_filters[filterIndex];
    FilterBlock(prefix, filterIndex, entry.filter, false);
    if (entry.printed) {
        LogPrintf(m_sink, RMD_CONTINUATION, L"%s        ........", prefix.c_str());
        return;
    }
    entry.printed = 1;
    int branches = 0;
    for (size_t p = 0; p < m_pins.size(); ++p) {
        const PinEntry pin = m_pins[p];
        if (pin.owner != entry.filter || pin.direction != PINDIR_OUTPUT || !pin.connected) {
            continue;
        }
        const int peerIndex = PinIndex(pin.connected);
        if (peerIndex < 0) {
            continue;
        }
        if (branches++ > 0) {
            FilterBlock(prefix, filterIndex, entry.filter, false);
        }
        const PinEntry peer = m_pins[peerIndex];
        PinBlock(Spaces(depth + 5), pin.pin, pin.owner, false);
        PinBlock(Spaces(depth + 5), peer.pin, peer.owner, false);
        const int next = FilterIndex(peer.owner);
        if (next >= 0) {
            Chain(static_cast<unsigned>(next), depth + 2);
        }
    }
    if (branches == 0) {
        LogPrintf(m_sink, RMD_CONTINUATION, L"%s        \\------/", prefix.c_str());
    }
}

void GraphDumper::PrintModules()
{
    TRACE_FUNCTION();
    for (const std::wstring& path : m_modulePaths) {
        Line(path);
        LogPrintf(m_sink, RMD_CONTINUATION, L"  f %s", FormatFileSizeTime(path).c_str());
        for (const std::wstring& line : ModuleVersionLines(path, L"  ")) {
            Line(line);
        }
    }
}

}  // namespace

std::wstring MediaTypeFormatText(const AM_MEDIA_TYPE& type)
{
    TRACE_FUNCTION();
    std::wstring text;
    if (type.cbFormat == 0 || type.pbFormat == nullptr) {
        text = L"Null";
    } else if (IsEqualGUID(type.formattype, FORMAT_VideoInfo)) {
        text = VideoInfoText(type, false);
    } else if (IsEqualGUID(type.formattype, FORMAT_VideoInfo2)) {
        text = VideoInfoText(type, true);
    } else if (IsEqualGUID(type.formattype, FORMAT_AnalogVideo)) {
        text = AnalogVideoText(type);
    } else if (IsEqualGUID(type.formattype, FORMAT_WaveFormatEx)) {
        text = WaveFormatText(type);
    } else if (IsEqualGUID(type.formattype, kWmFormatScript)) {
        text = type.cbFormat >= sizeof(GUID)
                   ? GuidName(*reinterpret_cast<const GUID*>(type.pbFormat))
                   : L"Unkn";
    } else if (IsEqualGUID(type.formattype, kWmFormatWebStream)) {
        if (type.cbFormat >= 4 * sizeof(WORD)) {
            const auto* w = reinterpret_cast<const WORD*>(type.pbFormat);
            text = FormatText(L"s=%i h=%i V=%i", static_cast<int>(w[0]),
                              static_cast<int>(w[1]), static_cast<int>(w[2]));
        } else {
            text = L"Unkn";
        }
    } else {
        text = L"Unkn";
    }
    return Cut(text, 255);
}

void WriteMediaTypeLine(CReleaseModeDebug* sink, const wchar_t* prefix, const AM_MEDIA_TYPE* type)
{
    TRACE_FUNCTION();
    if (!sink || !type) {
        return;
    }
    LogPrintf(sink, RMD_CONTINUATION, L"%sMdTp=(T=%s ST=%s Fx=%s Cm=%s SSz=%u FT=%s F=(%s))",
              prefix ? prefix : L"", GuidName(type->majortype).c_str(),
              GuidName(type->subtype).c_str(), type->bFixedSizeSamples ? L"Y" : L"N",
              type->bTemporalCompression ? L"Y" : L"N",
              static_cast<unsigned>(type->lSampleSize), GuidName(type->formattype).c_str(),
              MediaTypeFormatText(*type).c_str());
}

void DumpFilterGraph(CReleaseModeDebug* sink, IFilterGraph* graph)
{
    TRACE_FUNCTION();
    if (!sink || !graph) {
        return;
    }
    GraphDumper dumper(sink);
    dumper.ListObjects(graph);
    dumper.PrintTopology();
    dumper.PrintModules();
}
