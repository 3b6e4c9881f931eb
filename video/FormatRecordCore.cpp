// Format record algorithms: descriptor parsing and packing, default formats, display texts.
#include "video/FormatRecordCore.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"

#include "video/DXVideoFunc.h"
#include "video/EngineGlobals.h"
#include "video/EngineText.h"
#include "Common/QVRInterfaces.h"
#include "WinNT_SP/Include_VS2005/TypedValue.h"

#include <dshow.h>

#include <cstring>

namespace {

constexpr int32_t kDescriptorVersion = 10000;
constexpr HRESULT kOutOfMemoryCode = 14;  // ERROR_OUTOFMEMORY, as the runtime names it
constexpr ULONG kDefaultAudioBytes = 18;
constexpr ULONG kDefaultVideoBytes = 88;

// Descriptor schema: header, version, "MediaType", end.
struct DescriptorSchema {
    enum { kHeader, kVersion, kMediaType, kEnd, kCount };
    TypedValue v[kCount];

    explicit DescriptorSchema(const wchar_t* versionKey)
    {
        InitIntValue(v[kVersion], versionKey);
        InitStringValue(v[kMediaType], L"MediaType");
        InitEndMarker(v[kEnd]);
        InitRecordHeader(v[kHeader], nullptr, kCount, false);
    }
    ~DescriptorSchema() { v[kHeader].Reset(); }
    DescriptorSchema(const DescriptorSchema&) = delete;
    DescriptorSchema& operator=(const DescriptorSchema&) = delete;
};

std::wstring SizeDetail(const wchar_t* format, unsigned value)
{
    TRACE_FUNCTION();
    wchar_t detail[256];
    return FormatBuf256(detail, format, value);
}

std::wstring DescriptorDetail(const std::wstring& descriptor)
{
    TRACE_FUNCTION();
    wchar_t detail[256];
    return FormatBuf256(detail, L"%s", descriptor.c_str());
}

}  // namespace

FormatRecordCore::FormatRecordCore(Kind kind) : m_kind(kind) {}

const wchar_t* FormatRecordCore::VersionKey() const
{
    TRACE_FUNCTION();
    return m_kind == kAudio ? L"QVRAFmtVer" : L"QVRVFmtVer";
}

std::wstring FormatRecordCore::Check(const AM_MEDIA_TYPE& type) const
{
    TRACE_FUNCTION();
    return m_kind == kAudio ? DXVideoFunc::CheckAudioType(type)
                            : DXVideoFunc::CheckVideoType(type);
}

void FormatRecordCore::SetText(const wchar_t* text)
{
    TRACE_FUNCTION();
    m_valid = FALSE;
    m_descriptor = text ? text : L"";
    EnsureValidLogged();
}

void FormatRecordCore::EnsureValidLogged()
{
    TRACE_FUNCTION();
    const std::wstring error = EnsureValid();
    if (!error.empty()) {
        LOG_UNEXPECTED(error);
    }
}

std::wstring FormatRecordCore::EnsureValid()
{
    TRACE_FUNCTION();
    if (m_valid) {
        return std::wstring();
    }
    const std::wstring error = UnpackFromString();
    if (error.empty()) {
        return error;
    }
    LOG_UNEXPECTED(error);
    wchar_t line[4096];
    LOG_UNEXPECTED(FormatBuf4096(line, L"Inv.descr: [%s]", m_descriptor.c_str()));
    return SetDefault();
}

std::wstring FormatRecordCore::UnpackFromString()
{
    TRACE_FUNCTION();
    if (m_descriptor.empty()) {
        return SetDefault();
    }
    std::wstring mediaTypeText;
    try {
        DescriptorSchema schema(VersionKey());
        const int result = schema.v[DescriptorSchema::kHeader].Parse(m_descriptor.c_str());
        if (result < 0) {
            return CALL_FAILURE(L"AdsUnpackFromString", E_FAIL,
                                DescriptorDetail(m_descriptor).c_str());
        }
        const TypedValue& version = schema.v[DescriptorSchema::kVersion];
        if (!version.IsSet() || version.GetInt(0) <= 0) {
            return CALL_FAILURE(L"Inv.ver", E_FAIL, DescriptorDetail(m_descriptor).c_str());
        }
        const TypedValue& member = schema.v[DescriptorSchema::kMediaType];
        if (member.IsSet()) {
            mediaTypeText = member.GetStringValue();
        }
    } catch (const CNoMemExc& e) {
        return CALL_FAILURE(L"malloc", kOutOfMemoryCode,
                            SizeDetail(L"%u", static_cast<unsigned>(e.Bytes())).c_str());
    } catch (const std::bad_alloc&) {
        return CALL_FAILURE(L"malloc", kOutOfMemoryCode, L"0");
    }
    if (mediaTypeText.empty()) {
        return CALL_FAILURE(L"UnpackFromString", E_FAIL, L"");
    }
    CMediaType local;
    DXVideoFunc::TextToMediaType(mediaTypeText.c_str(), local);
    std::wstring error = Check(local);
    if (!error.empty()) {
        return error;
    }
    const HRESULT hr = m_type.Set(local);
    if (FAILED(hr)) {
        return CALL_FAILURE(L"CoTaskMemAlloc", hr,
                            SizeDetail(L"%u", static_cast<unsigned>(local.cbFormat)).c_str());
    }
    error = RebuildTexts();
    if (!error.empty()) {
        return error;
    }
    m_valid = TRUE;
    return std::wstring();
}

std::wstring FormatRecordCore::SetDefault()
{
    TRACE_FUNCTION();
    m_valid = FALSE;
    m_type.InitMediaType();
    const bool audio = m_kind == kAudio;
    m_type.majortype = audio ? MEDIATYPE_Audio : MEDIATYPE_Video;
    m_type.formattype = audio ? FORMAT_WaveFormatEx : FORMAT_VideoInfo;
    const ULONG bytes = audio ? kDefaultAudioBytes : kDefaultVideoBytes;
    if (!DXVideoFunc::AllocZeroedFormat(m_type, bytes)) {
        return CALL_FAILURE(
            L"CoTaskMemAlloc", kOutOfMemoryCode,
            SizeDetail(audio ? L"sizeof(WAVEFORMATEX)==%i" : L"sizeof(VIDEOINFOHEADER)==%i",
                       bytes)
                .c_str());
    }
    if (audio) {
        auto* wave = reinterpret_cast<WAVEFORMATEX*>(m_type.pbFormat);
        wave->wFormatTag = WAVE_FORMAT_PCM;
        wave->nChannels = 2;
        wave->nSamplesPerSec = 44100;
        wave->nAvgBytesPerSec = 176400;
        wave->nBlockAlign = 4;
        wave->wBitsPerSample = 16;
        wave->cbSize = 0;
    } else {
        auto* video = reinterpret_cast<VIDEOINFOHEADER*>(m_type.pbFormat);
        video->AvgTimePerFrame = 400000;
        video->bmiHeader.biWidth = 320;
        video->bmiHeader.biHeight = 240;
    }
    const std::wstring error = RebuildTexts();
    if (!error.empty()) {
        return error;
    }
    m_valid = TRUE;
    return std::wstring();
}

std::wstring FormatRecordCore::RebuildTexts()
{
    TRACE_FUNCTION();
    try {
        DescriptorSchema schema(VersionKey());
        schema.v[DescriptorSchema::kVersion].SetInt(kDescriptorVersion);
        schema.v[DescriptorSchema::kVersion].MarkSet();
        const std::wstring text = DXVideoFunc::MediaTypeToText(m_type);
        schema.v[DescriptorSchema::kMediaType].SetStringValue(text.c_str());
        const wchar_t* packed = schema.v[DescriptorSchema::kHeader].ToText(1);
        m_descriptor = packed ? packed : L"";
    } catch (const CNoMemExc& e) {
        return CALL_FAILURE(L"malloc", kOutOfMemoryCode,
                            SizeDetail(L"%u", static_cast<unsigned>(e.Bytes())).c_str());
    } catch (const std::bad_alloc&) {
        return CALL_FAILURE(L"malloc", kOutOfMemoryCode, L"0");
    }
    std::wstring texts[4];
    if (m_kind == kAudio) {
        texts[0] = DXVideoFunc::AudioCodecName(m_type, TRUE);
        texts[1] = DXVideoFunc::AudioCodecName(m_type, FALSE);
        texts[2] = DXVideoFunc::AudioParamsText(m_type);
        texts[3] = texts[2];
    } else {
        texts[0] = DXVideoFunc::FourCcText(m_type, TRUE);
        texts[1] = DXVideoFunc::FourCcText(m_type, FALSE);
        texts[2] = DXVideoFunc::VideoParamsText(m_type, TRUE);
        texts[3] = DXVideoFunc::VideoParamsText(m_type, FALSE);
    }
    for (int i = 0; i < 4; ++i) {
        lstrcpynW(m_description[i], texts[i].c_str(), kTextChars);
    }
    return std::wstring();
}

void FormatRecordCore::SetFromMediaProps(IUnknown* streamObject)
{
    TRACE_FUNCTION();
    CMediaType local;
    std::wstring error;
    DXVideoFunc::MediaTypeFromProps(streamObject, error, local);
    if (!error.empty()) {
        LOG_UNEXPECTED(error);
        return;
    }
    const HRESULT hr = m_type.Set(local);
    error = FAILED(hr) ? CALL_FAILURE(L"CMediaType::Set", hr, L"") : RebuildTexts();
    if (!error.empty()) {
        LOG_UNEXPECTED(error);
    }
    m_valid = error.empty();
}

std::wstring FormatRecordCore::SetMediaType(const AM_MEDIA_TYPE& type)
{
    TRACE_FUNCTION();
    std::wstring error = EnsureValid();
    if (!error.empty()) {
        return error;
    }
    error = Check(type);
    if (!error.empty()) {
        return error;
    }
    const HRESULT hr = m_type.Set(type);
    if (FAILED(hr)) {
        return CALL_FAILURE(L"CMediaType::Set", hr, L"");
    }
    return RebuildTexts();
}

void FormatRecordCore::GetDescription(wchar_t* block)
{
    TRACE_FUNCTION();
    if (!block) {
        return;
    }
    EnsureValidLogged();
    std::memcpy(block, m_description, QVR_FORMAT_DESCRIPTION_BYTES);
}
