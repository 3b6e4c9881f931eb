// Media-type text form, format display texts and checks, media-type readers, graph helpers
// and the Windows Media format readers of the engine.
#include "video/DXVideoFunc.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"

#include "video/CFourCcDescr.h"
#include "video/CodecInventory.h"
#include "Common/WmFormatHelpers.h"
#include "Common/WmRuntime.h"
#include "video/EngineGlobals.h"
#include "video/EngineText.h"
#include "WinNT_SP/Include_VS2005/TypedValue.h"
#include "platform/base/CComPtr.h"
#include "platform/base/TimeUnits.h"

#include <dshow.h>
#include <dvdmedia.h>

#include <cstring>
#include <cwctype>
#include <new>

namespace {

// The media-type text schema: header, seven members, end.
struct MediaTypeSchema {
    enum { kHeader, kMajor, kSub, kFormatType, kFixed, kTemporal, kSampleSize, kFormat, kEnd,
           kCount };
    TypedValue v[kCount];

    MediaTypeSchema()
    {
        InitBinaryValue(v[kMajor], L"Majortype");
        InitBinaryValue(v[kSub], L"Subtype");
        InitBinaryValue(v[kFormatType], L"FormatType");
        InitIntValue(v[kFixed], L"IsFixSzSmpls");
        InitIntValue(v[kTemporal], L"IsTmprlCmprs");
        InitIntValue(v[kSampleSize], L"SampleSize");
        InitBinaryValue(v[kFormat], L"Format");
        InitEndMarker(v[kEnd]);
        InitRecordHeader(v[kHeader], nullptr, kCount, false);
    }
    ~MediaTypeSchema() { v[kHeader].Reset(); }
    MediaTypeSchema(const MediaTypeSchema&) = delete;
    MediaTypeSchema& operator=(const MediaTypeSchema&) = delete;
};

constexpr AudioCodecRow kAudioCodecs[] = {
    {0x0130, L"Sipro Labs ACELP", L"Sipro Labs ACELP", 0},
    {0x0161, L"Windows Media Audio V7", L"WMA V7", 1},
    {0x0162, L"Windows Media Audio 9 Professional", L"WMA 9 Prof.", 1},
    {0x0163, L"Windows Media Audio 9 Lossless", L"WMA Lossless", 1},
    {0x000A, L"Windows Media Audio 9 Voice", L"WMA Voice", 1},
};

constexpr DWORD kFieldBit50 = 0x200000;
constexpr size_t kDvVideoAuxSourceOffset = 16;  // dwDVVAuxSrc within DVINFO
constexpr size_t kDvInfoBytes = 32;

DWORD MakeCode(char a, char b, char c, char d)
{
    TRACE_FUNCTION();
    return static_cast<DWORD>(static_cast<unsigned char>(a)) |
           (static_cast<DWORD>(static_cast<unsigned char>(b)) << 8) |
           (static_cast<DWORD>(static_cast<unsigned char>(c)) << 16) |
           (static_cast<DWORD>(static_cast<unsigned char>(d)) << 24);
}

bool IsDvInfo(const AM_MEDIA_TYPE& type)
{
    TRACE_FUNCTION();
    return IsEqualGUID(type.formattype, FORMAT_DvInfo);
}

bool DvIs50Field(const AM_MEDIA_TYPE& type)
{
    TRACE_FUNCTION();
    if (!type.pbFormat || type.cbFormat < kDvInfoBytes) {
        return false;
    }
    DWORD aux = 0;
    std::memcpy(&aux, type.pbFormat + kDvVideoAuxSourceOffset, sizeof(aux));
    return (aux & kFieldBit50) != 0;
}

// Average time per frame of a VideoInfo or MPEG-2 type (both keep it at the same place).
bool AvgTimePerFrameOf(const AM_MEDIA_TYPE& type, REFERENCE_TIME* perFrame)
{
    TRACE_FUNCTION();
    if (IsEqualGUID(type.formattype, FORMAT_VideoInfo) && type.pbFormat &&
        type.cbFormat >= sizeof(VIDEOINFOHEADER)) {
        *perFrame = reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat)->AvgTimePerFrame;
        return true;
    }
    if (IsEqualGUID(type.formattype, FORMAT_MPEG2Video) && type.pbFormat &&
        type.cbFormat >= sizeof(VIDEOINFOHEADER2)) {
        *perFrame = reinterpret_cast<const VIDEOINFOHEADER2*>(type.pbFormat)->AvgTimePerFrame;
        return true;
    }
    return false;
}

std::wstring GuidFormText(const GUID& guid)
{
    TRACE_FUNCTION();
    wchar_t buffer[36];
    return FormatGuidText(guid, buffer);
}

void DeleteEnumeratedType(AM_MEDIA_TYPE* type)
{
    TRACE_FUNCTION();
    if (type) {
        FreeMediaType(*type);
        CoTaskMemFree(type);
    }
}

}  // namespace

// ---- text form and checks -------------------------------------------------------------------

std::wstring DXVideoFunc::MediaTypeToText(const AM_MEDIA_TYPE& type)
{
    TRACE_FUNCTION();
    try {
        MediaTypeSchema s;
        s.v[MediaTypeSchema::kMajor].SetBinary(sizeof(GUID), &type.majortype);
        s.v[MediaTypeSchema::kSub].SetBinary(sizeof(GUID), &type.subtype);
        s.v[MediaTypeSchema::kFormatType].SetBinary(sizeof(GUID), &type.formattype);
        s.v[MediaTypeSchema::kFixed].SetInt(type.bFixedSizeSamples);
        s.v[MediaTypeSchema::kTemporal].SetInt(type.bTemporalCompression);
        // Variable-size samples are written with size 0: the reader turns any other size
        // into fixed-size samples, so a repeated round trip would change the type.
        s.v[MediaTypeSchema::kSampleSize].SetInt(
            type.bFixedSizeSamples ? static_cast<int32_t>(type.lSampleSize) : 0);
        s.v[MediaTypeSchema::kFormat].SetBinary(type.pbFormat ? type.cbFormat : 0,
                                                type.pbFormat);
        for (int i = MediaTypeSchema::kMajor; i <= MediaTypeSchema::kFormat; ++i) {
            s.v[i].MarkSet();
        }
        const wchar_t* text = s.v[MediaTypeSchema::kHeader].ToText(1);
        return text ? std::wstring(text) : std::wstring();
    } catch (const std::bad_alloc&) {
        return std::wstring();
    }
}

void DXVideoFunc::TextToMediaType(const wchar_t* text, CMediaType& out)
{
    TRACE_FUNCTION();
    out.InitMediaType();
    if (!text || !*text) {
        return;
    }
    try {
        MediaTypeSchema s;
        const int result = s.v[MediaTypeSchema::kHeader].Parse(text);
        if (result < 0) {
            LOG_UNEXPECTED(FormatText(L"DescrSize: %i != %i", result,
                                      static_cast<int>(wcslen(text))));
            return;
        }
        const TypedValue& major = s.v[MediaTypeSchema::kMajor];
        const TypedValue& sub = s.v[MediaTypeSchema::kSub];
        const TypedValue& formatType = s.v[MediaTypeSchema::kFormatType];
        for (const TypedValue* g : {&major, &sub, &formatType}) {
            if (!g->IsSet() || g->size != sizeof(GUID) || !g->Ptr()) {
                LOG_UNEXPECTED(L"GUID Size");
                return;
            }
        }
        CMediaType fresh;
        std::memcpy(&fresh.majortype, major.Ptr(), sizeof(GUID));
        std::memcpy(&fresh.subtype, sub.Ptr(), sizeof(GUID));
        std::memcpy(&fresh.formattype, formatType.Ptr(), sizeof(GUID));
        if (s.v[MediaTypeSchema::kFixed].GetInt(0) == 0) {
            fresh.bFixedSizeSamples = FALSE;
        }
        fresh.bTemporalCompression = s.v[MediaTypeSchema::kTemporal].GetInt(0) != 0;
        fresh.SetSampleSize(static_cast<ULONG>(s.v[MediaTypeSchema::kSampleSize].GetInt(0)));

        const TypedValue& format = s.v[MediaTypeSchema::kFormat];
        if (!format.IsSet() || format.size < 1 || !format.Ptr()) {
            LOG_UNEXPECTED(L"Format Size");
            return;
        }
        const int size = static_cast<int>(format.size);
        if (IsEqualGUID(fresh.majortype, MEDIATYPE_Video) && format.size < 88) {
            LOG_UNEXPECTED(FormatText(L"VFormatLength %i", size));
            return;
        }
        if (IsEqualGUID(fresh.majortype, MEDIATYPE_Interleaved) && format.size < 32) {
            LOG_UNEXPECTED(FormatText(L"DvFormatLength %i", size));
            return;
        }
        if (IsEqualGUID(fresh.majortype, MEDIATYPE_Audio) && format.size < 18) {
            LOG_UNEXPECTED(FormatText(L"AFormatLength %i", size));
            return;
        }
        if (!DXVideoFunc::AllocZeroedFormat(fresh, format.size)) {
            LOG_UNEXPECTED(FormatText(L"CoTaskMemAlloc: %i", size));
            return;
        }
        std::memcpy(fresh.pbFormat, format.Ptr(), format.size);
        if (FAILED(out.Set(fresh))) {
            LOG_UNEXPECTED(FormatText(L"CoTaskMemAlloc: %i", size));
        }
    } catch (const CNoMemExc& e) {
        out.InitMediaType();
        LOG_UNEXPECTED(FormatText(L"malloc: %u", static_cast<unsigned>(e.Bytes())));
    } catch (const std::bad_alloc&) {
        out.InitMediaType();
        LOG_UNEXPECTED(FormatText(L"malloc: %u", 0u));
    }
}

std::wstring DXVideoFunc::CheckAudioType(const AM_MEDIA_TYPE& type)
{
    TRACE_FUNCTION();
    if (!IsEqualGUID(type.formattype, FORMAT_WaveFormatEx)) {
        return FormatText(EngineString(203), GuidFormText(type.formattype).c_str());
    }
    if (!type.pbFormat || type.cbFormat == 0) {
        return CALL_FAILURE(L"Format", E_POINTER, L"");
    }
    // The readers take a whole WAVEFORMATEX from the block.
    if (type.cbFormat < sizeof(WAVEFORMATEX)) {
        wchar_t detail[256];
        return CALL_FAILURE(L"Format", E_INVALIDARG,
                            FormatBuf256(detail, L"cbFormat=%u",
                                         static_cast<unsigned>(type.cbFormat)));
    }
    return std::wstring();
}

std::wstring DXVideoFunc::CheckVideoType(const AM_MEDIA_TYPE& type)
{
    TRACE_FUNCTION();
    if (!IsEqualGUID(type.formattype, FORMAT_VideoInfo)) {
        return FormatText(EngineString(201), GuidFormText(type.formattype).c_str());
    }
    const int w = WidthOf(type);
    const int h = HeightOf(type);
    if (w >= 0 && h != 0) {
        return std::wstring();
    }
    return FormatText(EngineString(202), w, h);
}

// ---- display texts --------------------------------------------------------------------------

const AudioCodecRow* DXVideoFunc::AudioCodecTable(int* count)
{
    TRACE_FUNCTION();
    if (count) {
        *count = static_cast<int>(sizeof(kAudioCodecs) / sizeof(kAudioCodecs[0]));
    }
    return kAudioCodecs;
}

std::wstring DXVideoFunc::AudioCodecName(const AM_MEDIA_TYPE& type, BOOL longForm)
{
    TRACE_FUNCTION();
    const WAVEFORMATEX* wave = WaveFormatOf(type);
    if (!wave) {
        return L"?";
    }
    if (wave->wFormatTag == WAVE_FORMAT_PCM) {
        return L"PCM";
    }
    if (wave->wFormatTag == 0x55) {
        return longForm ? L"MPEG Layer-3" : L"MP3";
    }
    for (const AudioCodecRow& row : kAudioCodecs) {
        if (row.formatTag == wave->wFormatTag) {
            const wchar_t* name = longForm ? row.longName : row.shortName;
            return name ? name : L"";
        }
    }
    return L"?";
}

std::wstring DXVideoFunc::AudioParamsText(const AM_MEDIA_TYPE& type)
{
    TRACE_FUNCTION();
    const WAVEFORMATEX* wave = WaveFormatOf(type);
    if (!wave) {
        return L"?";
    }
    const int codecs = GetAudioCodecCount();
    for (int i = 0; i < codecs; ++i) {
        const AudioCodecEntry* codec = GetAudioCodec(i);
        if (codec && codec->formatTag == wave->wFormatTag) {
            const std::wstring name = FormatNameInCodec(*codec, *wave);
            if (!name.empty()) {
                return name;
            }
        }
    }
    std::wstring text;
    const DWORD bytes = wave->nAvgBytesPerSec;
    if (bytes > 0) {
        text += FormatText(L"%i kbps", static_cast<int>(bytes * 8.0 / 1000.0 + 0.499999));
    }
    const DWORD rate = wave->nSamplesPerSec;
    if (rate > 0 && rate <= 200000) {
        text += FormatText(L", %u kHz", static_cast<unsigned>(rate / 1000));
    }
    const WORD channels = wave->nChannels;
    if (channels > 0 && channels < 10) {
        text += FormatText(L", %i ch", static_cast<int>(channels));
    }
    return text;
}

std::wstring DXVideoFunc::FourCcText(const AM_MEDIA_TYPE& type, BOOL longForm)
{
    TRACE_FUNCTION();
    const DWORD code = FourCcOf(type);
    CFourCcDescr describer;
    std::wstring text = describer.Describe(code);
    for (wchar_t& c : text) {
        c = static_cast<wchar_t>(std::towupper(c));
    }
    if (longForm) {
        const int codecs = GetVideoCodecCount();
        for (int i = 0; i < codecs; ++i) {
            const VideoCodecEntry* codec = GetVideoCodec(i);
            if (codec && codec->code == code) {
                return codec->name;
            }
        }
    }
    return text;
}

std::wstring DXVideoFunc::VideoParamsText(const AM_MEDIA_TYPE& type, BOOL longForm)
{
    TRACE_FUNCTION();
    std::wstring text;
    const int w = WidthOf(type);
    const int h = HeightOf(type);
    if (w >= 1 && w <= 3999 && h >= 1 && h <= 1999) {
        text += FormatText(L"%ix%i", w, h);
    }
    if (longForm) {
        const int bits = BitCountOf(type);
        if (bits >= 1 && bits <= 32) {
            text += FormatText(L", %i bit", bits);
        }
    }
    const double fps = FrameRateOf(type);
    if (fps > 0 && fps <= 200) {
        text += longForm ? FormatText(L", %.2f fps", fps)
                         : FormatText(L", %i fps", static_cast<int>(fps + 0.499999));
    }
    return text;
}

int DXVideoFunc::GuidText(const GUID& g, wchar_t (&buffer)[64])
{
    TRACE_FUNCTION();
    FormatBufN(buffer, 64, L"%08lX-%04lX-%04lX-%02lX%02lX-%02lX%02lX%02lX%02lX%02lX%02lX",
               static_cast<unsigned long>(g.Data1), static_cast<unsigned long>(g.Data2),
               static_cast<unsigned long>(g.Data3), static_cast<unsigned long>(g.Data4[0]),
               static_cast<unsigned long>(g.Data4[1]), static_cast<unsigned long>(g.Data4[2]),
               static_cast<unsigned long>(g.Data4[3]), static_cast<unsigned long>(g.Data4[4]),
               static_cast<unsigned long>(g.Data4[5]), static_cast<unsigned long>(g.Data4[6]),
               static_cast<unsigned long>(g.Data4[7]));
    return static_cast<int>(wcslen(buffer));
}

// ---- media-type readers ---------------------------------------------------------------------

const WAVEFORMATEX* DXVideoFunc::WaveFormatOf(const AM_MEDIA_TYPE& type)
{
    TRACE_FUNCTION();
    if (!IsEqualGUID(type.formattype, FORMAT_WaveFormatEx) || !type.pbFormat ||
        type.cbFormat < sizeof(PCMWAVEFORMAT)) {
        return nullptr;
    }
    return reinterpret_cast<const WAVEFORMATEX*>(type.pbFormat);
}

const BITMAPINFOHEADER* DXVideoFunc::BitmapHeaderOf(const AM_MEDIA_TYPE& type)
{
    TRACE_FUNCTION();
    if (!type.pbFormat) {
        return nullptr;
    }
    if (IsEqualGUID(type.formattype, FORMAT_VideoInfo) &&
        type.cbFormat >= sizeof(VIDEOINFOHEADER)) {
        return &reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat)->bmiHeader;
    }
    if (IsEqualGUID(type.formattype, FORMAT_MPEG2Video) &&
        type.cbFormat >= sizeof(VIDEOINFOHEADER2)) {
        return &reinterpret_cast<const VIDEOINFOHEADER2*>(type.pbFormat)->bmiHeader;
    }
    return nullptr;
}

DWORD DXVideoFunc::FourCcOf(const AM_MEDIA_TYPE& type)
{
    TRACE_FUNCTION();
    if (IsDvInfo(type)) {
        if (IsEqualGUID(type.subtype, MEDIASUBTYPE_dvsd)) {
            return MakeCode('d', 'v', 's', 'd');
        }
        if (IsEqualGUID(type.subtype, MEDIASUBTYPE_dvsl)) {
            return MakeCode('d', 'v', 's', 'l');
        }
        if (IsEqualGUID(type.subtype, MEDIASUBTYPE_dvhd)) {
            return MakeCode('d', 'v', 'h', 'd');
        }
        return 0;
    }
    const BITMAPINFOHEADER* bmi = BitmapHeaderOf(type);
    return bmi ? bmi->biCompression : 0;
}

int DXVideoFunc::BitCountOf(const AM_MEDIA_TYPE& type)
{
    TRACE_FUNCTION();
    if (IsDvInfo(type)) {
        return 24;
    }
    const BITMAPINFOHEADER* bmi = BitmapHeaderOf(type);
    return bmi ? bmi->biBitCount : 0;
}

int DXVideoFunc::WidthOf(const AM_MEDIA_TYPE& type)
{
    TRACE_FUNCTION();
    if (IsDvInfo(type)) {
        return 720;
    }
    const BITMAPINFOHEADER* bmi = BitmapHeaderOf(type);
    return bmi ? static_cast<int>(bmi->biWidth) : 0;
}

int DXVideoFunc::HeightOf(const AM_MEDIA_TYPE& type)
{
    TRACE_FUNCTION();
    if (IsDvInfo(type)) {
        return DvIs50Field(type) ? 576 : 480;
    }
    const BITMAPINFOHEADER* bmi = BitmapHeaderOf(type);
    return bmi ? static_cast<int>(bmi->biHeight) : 0;
}

double DXVideoFunc::FrameRateOf(const AM_MEDIA_TYPE& type)
{
    TRACE_FUNCTION();
    if (IsDvInfo(type)) {
        return DvIs50Field(type) ? 25.0 : 30000.0 / 1001.0;
    }
    REFERENCE_TIME perFrame = 0;
    if (!AvgTimePerFrameOf(type, &perFrame)) {
        return 0.0;
    }
    const double seconds = RefTimeToSeconds(perFrame);
    return seconds > 0 ? 1.0 / seconds : 0.0;
}

BOOL DXVideoFunc::SameWaveFormat(const WAVEFORMATEX& a, const WAVEFORMATEX& b)
{
    TRACE_FUNCTION();
    if (a.wFormatTag != b.wFormatTag || a.nChannels != b.nChannels ||
        a.nSamplesPerSec != b.nSamplesPerSec || a.wBitsPerSample != b.wBitsPerSample ||
        a.nBlockAlign != b.nBlockAlign || a.cbSize != b.cbSize) {
        return FALSE;
    }
    const auto isQualityBased = [](DWORD bytes) { return (bytes >> 8) == 0x7FFFFF; };
    return a.nAvgBytesPerSec == b.nAvgBytesPerSec || isQualityBased(a.nAvgBytesPerSec) ||
           isQualityBased(b.nAvgBytesPerSec);
}

std::wstring DXVideoFunc::FormatNameInCodec(const AudioCodecEntry& codec,
                                            const WAVEFORMATEX& format)
{
    TRACE_FUNCTION();
    for (const auto& entry : codec.formats) {
        if (entry && entry->waveFormat && SameWaveFormat(*entry->waveFormat, format)) {
            return entry->description;
        }
    }
    return std::wstring();
}

std::wstring DXVideoFunc::CopyMediaTypeToBlock(AM_MEDIA_TYPE** out, const AM_MEDIA_TYPE* source)
{
    TRACE_FUNCTION();
    if (!out) {
        return CALL_FAILURE(L"CopyMediaType", E_POINTER, L"");
    }
    *out = nullptr;
    if (!source) {
        return CALL_FAILURE(L"Source", E_POINTER, L"");
    }
    const ULONG formatBytes = source->pbFormat ? source->cbFormat : 0;
    const size_t total = sizeof(AM_MEDIA_TYPE) + formatBytes;
    BYTE* block = new (std::nothrow) BYTE[total];
    if (!block) {
        wchar_t detail[256];
        return CALL_FAILURE(L"new", E_OUTOFMEMORY,
                            FormatBuf256(detail, L"%i", static_cast<int>(total)));
    }
    auto* copy = reinterpret_cast<AM_MEDIA_TYPE*>(block);
    *copy = *source;
    copy->cbFormat = formatBytes;
    copy->pbFormat = formatBytes ? block + sizeof(AM_MEDIA_TYPE) : nullptr;
    if (formatBytes) {
        std::memcpy(copy->pbFormat, source->pbFormat, formatBytes);
    }
    *out = copy;
    return std::wstring();
}

bool DXVideoFunc::AllocZeroedFormat(CMediaType& type, ULONG bytes)
{
    TRACE_FUNCTION();
    type.ResetFormatBuffer();
    return bytes == 0 || type.ReallocFormatBuffer(bytes) != nullptr;
}

// ---- graph helpers --------------------------------------------------------------------------

HRESULT DXVideoFunc::GetPin(int index, IBaseFilter* filter, IPin** out)
{
    TRACE_FUNCTION();
    if (!out) {
        return E_POINTER;
    }
    *out = nullptr;
    if (!filter) {
        return E_POINTER;
    }
    CComPtr<IEnumPins> pins;
    HRESULT hr = filter->EnumPins(&pins);
    if (FAILED(hr) || !pins) {
        return FAILED(hr) ? hr : E_FAIL;
    }
    int seen = 0;
    CComPtr<IPin> pin;
    hr = E_FAIL;
    while (pins->Next(1, &pin, nullptr) == S_OK && pin) {
        PIN_DIRECTION direction = PINDIR_INPUT;
        if (SUCCEEDED(pin->QueryDirection(&direction)) && direction == PINDIR_OUTPUT) {
            if (seen++ == index) {
                *out = pin.Detach();
                hr = S_OK;
                break;
            }
        }
    }
    return hr;
}

HRESULT DXVideoFunc::FindUnconnectedPin(IBaseFilter* filter, IPin** out,
                                        PIN_DIRECTION direction)
{
    TRACE_FUNCTION();
    if (!out) {
        return E_POINTER;
    }
    *out = nullptr;
    if (!filter) {
        return E_POINTER;
    }
    CComPtr<IEnumPins> pins;
    if (FAILED(filter->EnumPins(&pins)) || !pins) {
        return E_FAIL;
    }
    CComPtr<IPin> pin;
    HRESULT hr = E_FAIL;
    while (pins->Next(1, &pin, nullptr) == S_OK && pin) {
        PIN_DIRECTION dir = PINDIR_INPUT;
        if (SUCCEEDED(pin->QueryDirection(&dir)) && dir == direction) {
            CComPtr<IPin> peer;
            if (FAILED(pin->ConnectedTo(&peer))) {
                *out = pin.Detach();
                hr = S_OK;
                break;
            }
        }
    }
    return hr;
}

HRESULT DXVideoFunc::ConnectFilters(IBaseFilter* downstream, IGraphBuilder* graph, IPin* output)
{
    TRACE_FUNCTION();
    if (!downstream || !graph || !output) {
        return E_POINTER;
    }
    CComPtr<IPin> input;
    const HRESULT hr = FindUnconnectedPin(downstream, &input, PINDIR_INPUT);
    if (FAILED(hr)) {
        return hr;
    }
    return graph->Connect(output, input);
}

HRESULT DXVideoFunc::ConnectFilters(IBaseFilter* upstream, IGraphBuilder* graph,
                                    IBaseFilter* downstream)
{
    TRACE_FUNCTION();
    if (!upstream || !graph || !downstream) {
        return E_POINTER;
    }
    CComPtr<IPin> output;
    const HRESULT hr = FindUnconnectedPin(upstream, &output, PINDIR_OUTPUT);
    if (FAILED(hr)) {
        return hr;
    }
    return ConnectFilters(downstream, graph, output);
}

HRESULT DXVideoFunc::AddFilterByCLSID(IBaseFilter** out, IGraphBuilder* graph)
{
    TRACE_FUNCTION();
    if (!out) {
        return E_POINTER;
    }
    *out = nullptr;
    if (!graph) {
        return E_POINTER;
    }
    CComPtr<IBaseFilter> filter;
    HRESULT hr = CoCreateInstance(CLSID_DSoundRender, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IBaseFilter, reinterpret_cast<void**>(&filter));
    if (FAILED(hr)) {
        return hr;
    }
    hr = graph->AddFilter(filter, nullptr);
    if (FAILED(hr)) {
        return hr;
    }
    *out = filter.Detach();
    return S_OK;
}

HRESULT DXVideoFunc::CountPins(IBaseFilter* filter, int* inputs, int* outputs)
{
    TRACE_FUNCTION();
    if (!filter || !inputs || !outputs) {
        return E_POINTER;
    }
    *inputs = 0;
    *outputs = 0;
    CComPtr<IEnumPins> pins;
    HRESULT hr = filter->EnumPins(&pins);
    if (FAILED(hr) || !pins) {
        return FAILED(hr) ? hr : E_FAIL;
    }
    hr = S_OK;
    CComPtr<IPin> pin;
    while (pins->Next(1, &pin, nullptr) == S_OK && pin) {
        PIN_DIRECTION direction = PINDIR_OUTPUT;
        hr = pin->QueryDirection(&direction);
        if (SUCCEEDED(hr) && direction == PINDIR_INPUT) {
            ++*inputs;
        } else {
            ++*outputs;
        }
    }
    return hr;
}

BOOL DXVideoFunc::IsPinConnected(IPin* pin)
{
    TRACE_FUNCTION();
    if (!pin) {
        return FALSE;
    }
    CComPtr<IPin> peer;
    if (FAILED(pin->ConnectedTo(&peer)) || !peer) {
        return FALSE;
    }
    return TRUE;
}

HRESULT DXVideoFunc::GetPreferredMediaType(IPin* pin, CMediaType& out)
{
    TRACE_FUNCTION();
    if (!pin) {
        return E_POINTER;
    }
    CComPtr<IEnumMediaTypes> types;
    HRESULT hr = pin->EnumMediaTypes(&types);
    if (FAILED(hr) || !types) {
        return FAILED(hr) ? hr : E_FAIL;
    }
    AM_MEDIA_TYPE* type = nullptr;
    hr = types->Next(1, &type, nullptr);
    types.Release();
    if (hr != S_OK || !type) {
        DeleteEnumeratedType(type);
        return hr == S_OK ? S_FALSE : hr;
    }
    hr = out.Set(*type);
    DeleteEnumeratedType(type);
    return hr;
}

bool DXVideoFunc::RemovePinDownstream(IFilterGraph* graph, IPin* pin)
{
    TRACE_FUNCTION();
    CComPtr<IPin> peer;
    if (FAILED(pin->ConnectedTo(&peer)) || !peer) {
        return true;
    }
    PIN_INFO info = {};
    if (FAILED(peer->QueryPinInfo(&info))) {
        return false;
    }
    CComPtr<IBaseFilter> peerFilter;
    peerFilter.Attach(info.pFilter);  // QueryPinInfo's reference
    if (info.dir == PINDIR_INPUT) {
        if (info.pFilter) {
            RemoveDownstream(info.pFilter, graph);
        }
        graph->Disconnect(peer);
        graph->Disconnect(pin);
        if (info.pFilter) {
            graph->RemoveFilter(info.pFilter);
        }
    }
    return true;
}

void DXVideoFunc::RemoveDownstream(IBaseFilter* filter, IFilterGraph* graph)
{
    TRACE_FUNCTION();
    if (!filter || !graph) {
        return;
    }
    CComPtr<IEnumPins> pins;
    if (FAILED(filter->EnumPins(&pins)) || !pins) {
        return;
    }
    pins->Reset();
    CComPtr<IPin> pin;
    while (pins->Next(1, &pin, nullptr) == S_OK && pin) {
        const bool goOn = RemovePinDownstream(graph, pin);
        if (!goOn) {
            break;
        }
    }
}

void DXVideoFunc::RemoveDownstreamOfPin(IFilterGraph* graph, IPin* pin)
{
    TRACE_FUNCTION();
    if (graph && pin) {
        RemovePinDownstream(graph, pin);
    }
}

HRESULT DXVideoFunc::SetAudioTypeToUncompressed(CMediaType& out, const AM_MEDIA_TYPE& source)
{
    TRACE_FUNCTION();
    out.InitMediaType();
    out.majortype = MEDIATYPE_Audio;
    out.formattype = FORMAT_WaveFormatEx;
    if (!DXVideoFunc::AllocZeroedFormat(out, sizeof(WAVEFORMATEX))) {
        return E_OUTOFMEMORY;
    }
    const WAVEFORMATEX* from = WaveFormatOf(source);
    if (!from) {
        return E_POINTER;
    }
    auto* wave = reinterpret_cast<WAVEFORMATEX*>(out.pbFormat);
    wave->wFormatTag = WAVE_FORMAT_PCM;
    wave->wBitsPerSample = 16;
    wave->nChannels = from->nChannels;
    wave->nSamplesPerSec = from->nSamplesPerSec;
    wave->nBlockAlign = static_cast<WORD>(wave->nChannels * 2);
    wave->nAvgBytesPerSec = wave->nBlockAlign * wave->nSamplesPerSec;
    out.subtype = MEDIASUBTYPE_PCM;
    out.bFixedSizeSamples = TRUE;
    out.bTemporalCompression = FALSE;
    out.lSampleSize = wave->nBlockAlign;
    if (out.pUnk) {
        // A media type is a C structure: its pUnk field holds a counted reference by contract.
        out.pUnk->Release();
        out.pUnk = nullptr;
    }
    return S_OK;
}

// ---- Windows Media --------------------------------------------------------------------------

void DXVideoFunc::MediaTypeFromProps(IUnknown* streamObject, std::wstring& error,
                                     CMediaType& out)
{
    TRACE_FUNCTION();
    error.clear();
    CComPtr<IWMMediaProps> props;
    if (!streamObject ||
        FAILED(streamObject->QueryInterface(__uuidof(IWMMediaProps),
                                            reinterpret_cast<void**>(&props))) ||
        !props) {
        error = CALL_FAILURE(L"QueryInterface", E_NOINTERFACE, L"IID_IWMMediaProps");
        return;
    }
    WM_MEDIA_TYPE* blob = GetMediaTypeBlob(props);
    props.Release();
    if (!blob) {
        // Nothing to copy: reported like a missing interface, the out value stays as it was.
        error = CALL_FAILURE(L"IWMMediaProps::GetMediaType", E_FAIL, L"");
        return;
    }
    CMediaType value;
    const HRESULT hr = value.Set(*reinterpret_cast<AM_MEDIA_TYPE*>(blob));
    FreeMediaTypeBlob(blob);
    if (FAILED(hr)) {
        error = CALL_FAILURE(L"CoTaskMemAlloc", hr, L"");
        return;
    }
    out.Set(value);
}

HRESULT DXVideoFunc::GetIWMCodecInfo3(IWMCodecInfo3** out)
{
    TRACE_FUNCTION();
    if (!out) {
        return E_POINTER;
    }
    *out = nullptr;
    if (!WmRuntime::Bind()) {
        LOG_UNEXPECTED_HR(E_FAIL, L"LoadWMALib");
        return E_FAIL;
    }
    CComPtr<IWMProfileManager> manager;
    HRESULT hr = WmRuntime::CreateProfileManager(&manager);
    if (FAILED(hr) || !manager) {
        hr = FAILED(hr) ? hr : E_FAIL;
        LOG_UNEXPECTED_HR(hr, L"WMCreateProfileManager");
        return hr;
    }
    hr = manager->QueryInterface(__uuidof(IWMCodecInfo3), reinterpret_cast<void**>(out));
    manager.Release();
    if (FAILED(hr) || !*out) {
        hr = FAILED(hr) ? hr : E_NOINTERFACE;
        *out = nullptr;
        LOG_UNEXPECTED_HR(hr, L"QueryInterface");
        return hr;
    }
    return S_OK;
}

HRESULT DXVideoFunc::GetWMCodecComplexity(IWMCodecInfo3* info, DWORD codec, DWORD* maximum,
                                          DWORD* live, DWORD* offline)
{
    TRACE_FUNCTION();
    DWORD dummy[3];
    maximum = maximum ? maximum : &dummy[0];
    live = live ? live : &dummy[1];
    offline = offline ? offline : &dummy[2];
    *maximum = 0;
    *live = 0;
    *offline = 0;
    if (!info) {
        return S_OK;
    }
    WMT_ATTR_DATATYPE type = WMT_TYPE_DWORD;
    DWORD size = sizeof(DWORD);
    if (FAILED(info->GetCodecProp(MEDIATYPE_Video, codec, L"_COMPLEXITYEXMAX", &type,
                                  reinterpret_cast<BYTE*>(maximum), &size))) {
        *maximum = 0;
        return S_OK;
    }
    DWORD offlineValue = 0;
    size = sizeof(DWORD);
    HRESULT hr = info->GetCodecProp(MEDIATYPE_Video, codec, L"_COMPLEXITYEXOFFLINE", &type,
                                    reinterpret_cast<BYTE*>(&offlineValue), &size);
    if (FAILED(hr)) {
        offlineValue = 0;
        LOG_UNEXPECTED_HR(hr, FormatText(L"GetCodecProp(g_wszComplexityOffline): %i",
                                         static_cast<int>(codec)));
    }
    DWORD liveValue = 0;
    size = sizeof(DWORD);
    hr = info->GetCodecProp(MEDIATYPE_Video, codec, L"_COMPLEXITYEXLIVE", &type,
                            reinterpret_cast<BYTE*>(&liveValue), &size);
    if (FAILED(hr)) {
        liveValue = 0;
        LOG_UNEXPECTED_HR(hr, FormatText(L"GetCodecProp(g_wszComplexityLive): %i",
                                         static_cast<int>(codec)));
    }
    *live = liveValue;
    *offline = offlineValue;
    return S_OK;
}
