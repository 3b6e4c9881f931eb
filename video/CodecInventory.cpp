// Building and reading the codec lists from the Windows Media runtime's codec information.
#include "video/CodecInventory.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"

#include "video/DXVideoFunc.h"
#include "video/EngineGlobals.h"
#include "video/EngineText.h"
#include "Common/WmaFormatEnum.h"
#include "Common/WmFormatHelpers.h"
#include "Common/WmRuntime.h"

#include <dshow.h>

#include <new>

namespace {

CodecInventory* g_inventory = nullptr;

struct CodeDescription {
    const wchar_t* code;
    UINT stringId;
};

constexpr CodeDescription kDescriptions[] = {
    {L"WMV1", 206}, {L"WMV2", 207}, {L"WMV3", 208}, {L"MSS1", 209}, {L"MSS2", 210},
};

constexpr const wchar_t* kExcludedCodes[] = {L"WMVP", L"WVP2", L"MP43", L"MP4S", L"WVC1"};

// The two audio codecs whose formats the inventory lists (rows of the codec name table).
constexpr WORD kListedAudioTags[] = {0x0161, 0x000A};

std::wstring Trim(const std::wstring& text)
{
    TRACE_FUNCTION();
    const size_t first = text.find_first_not_of(L" \t\r\n");
    if (first == std::wstring::npos) {
        return std::wstring();
    }
    const size_t last = text.find_last_not_of(L" \t\r\n");
    return text.substr(first, last - first + 1);
}

}  // namespace

AudioFormatEntry::~AudioFormatEntry()
{
    TRACE_FUNCTION();
    delete[] reinterpret_cast<BYTE*>(mediaType);
}

CodecInventory::~CodecInventory()
{
    TRACE_FUNCTION();
}

void CodecInventory::UseCodecInfo(IWMCodecInfo3* info)
{
    TRACE_FUNCTION();
    m_source = info;
}

std::wstring CodecInventory::DescriptionOfCode(const std::wstring& codeText)
{
    TRACE_FUNCTION();
    for (const CodeDescription& d : kDescriptions) {
        if (codeText == d.code) {
            return EngineString(d.stringId);
        }
    }
    return std::wstring();
}

bool CodecInventory::IsExcludedCode(const std::wstring& codeText)
{
    TRACE_FUNCTION();
    for (const wchar_t* code : kExcludedCodes) {
        if (codeText == code) {
            return true;
        }
    }
    return false;
}

int CodecInventory::GetVideoCodecCount()
{
    TRACE_FUNCTION();
    if (m_video.empty()) {
        BuildVideoCodecList();
    }
    return static_cast<int>(m_video.size());
}

const VideoCodecEntry* CodecInventory::GetVideoCodec(int index)
{
    TRACE_FUNCTION();
    const int count = GetVideoCodecCount();
    return (index < 0 || index >= count) ? nullptr : m_video[index].get();
}

int CodecInventory::GetAudioCodecCount()
{
    TRACE_FUNCTION();
    if (m_audio.empty()) {
        BuildAudioCodecList();
    }
    return static_cast<int>(m_audio.size());
}

const AudioCodecEntry* CodecInventory::GetAudioCodec(int index)
{
    TRACE_FUNCTION();
    const int count = GetAudioCodecCount();
    return (index < 0 || index >= count) ? nullptr : m_audio[index].get();
}

void CodecInventory::AddVideoCodec(std::unique_ptr<VideoCodecEntry> entry)
{
    TRACE_FUNCTION();
    if (entry) {
        m_video.push_back(std::move(entry));
    }
}

void CodecInventory::AddAudioCodec(std::unique_ptr<AudioCodecEntry> entry)
{
    TRACE_FUNCTION();
    if (entry) {
        m_audio.push_back(std::move(entry));
    }
}

void CodecInventory::BuildVideoCodecList()
{
    TRACE_FUNCTION();
    if (!m_video.empty()) {
        return;
    }
    CComPtr<IWMCodecInfo3> info = m_source;
    HRESULT hr = S_OK;
    if (!info) {
        hr = DXVideoFunc::GetIWMCodecInfo3(&info);
    }
    if (FAILED(hr) || !info) {
        LOG_UNEXPECTED_HR(hr, L"GetIWMCodecInfo3");
        return;
    }
    DWORD count = 0;
    hr = info->GetCodecInfoCount(MEDIATYPE_Video, &count);
    if (FAILED(hr)) {
        LOG_UNEXPECTED_HR(hr, L"GetCodecInfoCount");
        return;
    }
    if (count == 0) {
        LOG_UNEXPECTED_HR(E_FAIL, L"No WMVCodecs");
        return;
    }
    for (DWORD i = 0; i < count; ++i) {
        const int n = static_cast<int>(i);
        auto entry = std::make_unique<VideoCodecEntry>();
        DWORD chars = 0;
        hr = info->GetCodecName(MEDIATYPE_Video, i, nullptr, &chars);
        if (FAILED(hr)) {
            LOG_UNEXPECTED_HR(hr, FormatText(L"GetCodecName[%i]", n));
            continue;
        }
        wchar_t* name = new (std::nothrow) wchar_t[chars + 1];
        if (!name) {
            LOG_UNEXPECTED_HR(E_OUTOFMEMORY,
                              FormatText(L"malloc[%i] %i", n, static_cast<int>(chars)));
            continue;
        }
        name[0] = L'\0';
        hr = info->GetCodecName(MEDIATYPE_Video, i, name, &chars);
        name[chars] = L'\0';
        const std::wstring codecName = name;
        delete[] name;
        if (FAILED(hr)) {
            LOG_UNEXPECTED_HR(hr, FormatText(L"GetCodecName[%i]", n));
            continue;
        }
        CComPtr<IWMStreamConfig> config;
        hr = info->GetCodecFormat(MEDIATYPE_Video, i, 0, &config);
        if (FAILED(hr) || !config) {
            LOG_UNEXPECTED_HR(FAILED(hr) ? hr : E_POINTER, FormatText(L"GetCodecFormat[%i]", n));
            continue;
        }
        CMediaType type;
        std::wstring error;
        DXVideoFunc::MediaTypeFromProps(config, error, type);
        config.Release();
        if (!error.empty()) {
            LOG_UNEXPECTED(error);
            continue;
        }
        const BITMAPINFOHEADER* bmi = DXVideoFunc::BitmapHeaderOf(type);
        if (!type.pbFormat || !bmi) {
            // Without a video info block there is no compression code to read.
            LOG_UNEXPECTED_HR(E_POINTER, FormatText(L"VIDEOINFOHEADER[%i]", n));
            continue;
        }
        const DWORD code = bmi->biCompression;
        const std::wstring codeText = DXVideoFunc::FourCcText(type, FALSE);
        if (IsExcludedCode(codeText)) {
            LOG_INFO(FormatText(L"Miss WMV codec %s", codeText.c_str()));
            continue;
        }
        entry->codeText = codeText;
        entry->name = codecName;
        entry->code = code;
        entry->index = n;
        entry->description = DescriptionOfCode(codeText);
        DWORD maximum = 0;
        DWORD live = 0;
        DWORD offline = 0;
        hr = DXVideoFunc::GetWMCodecComplexity(info, i, &maximum, &live, &offline);
        if (FAILED(hr)) {
            LOG_UNEXPECTED_HR(hr, FormatText(L"GetWMCodecComplexity[%i]", n));
        }
        entry->complexityMax = static_cast<int32_t>(maximum);
        entry->complexityLive = static_cast<int32_t>(live);
        entry->complexityOffline = static_cast<int32_t>(offline);
        m_video.push_back(std::move(entry));
    }
}

void CodecInventory::BuildAudioCodecList()
{
    TRACE_FUNCTION();
    if (!m_audio.empty()) {
        return;
    }
    if (!m_source && !WmRuntime::Bind()) {
        LOG_UNEXPECTED_HR(E_FAIL, L"LoadWMALib");
        return;
    }
    int rows = 0;
    const AudioCodecRow* table = DXVideoFunc::AudioCodecTable(&rows);
    for (WORD tag : kListedAudioTags) {
        const AudioCodecRow* row = nullptr;
        for (int r = 0; r < rows; ++r) {
            if (table[r].formatTag == tag && table[r].use) {
                row = &table[r];
                break;
            }
        }
        if (!row) {
            continue;
        }
        auto codec = std::make_unique<AudioCodecEntry>();
        codec->formatTag = row->formatTag;
        codec->longName = row->longName;
        codec->shortName = row->shortName;
        // {0000xxxx-0000-0010-8000-00AA00389B71} with the row's format tag.
        const GUID subtype = {row->formatTag, 0x0000, 0x0010,
                              {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
        WmaFormatEnum walk;
        if (m_source) {
            walk.InitWith(m_source, &subtype);
        } else {
            walk.Init(&subtype);
        }
        WmaFormatEntry format;
        while (walk.Next(format)) {
            if (format.passes != 1) {
                continue;
            }
            auto entry = std::make_unique<AudioFormatEntry>();
            wchar_t description[128];
            GetAudioFormatDesc(walk.CodecInfo(), format.codecIndex, format.formatIndex,
                               description);
            entry->description = Trim(description);
            entry->codecIndex = static_cast<int32_t>(format.codecIndex);
            entry->formatIndex = static_cast<int32_t>(format.formatIndex);
            entry->passes = static_cast<int32_t>(format.passes);
            entry->vbr = format.variableBitRate;
            entry->streamConfig = format.streamConfig;
            const std::wstring error = DXVideoFunc::CopyMediaTypeToBlock(
                &entry->mediaType, reinterpret_cast<const AM_MEDIA_TYPE*>(format.mediaType));
            if (!error.empty()) {
                LOG_UNEXPECTED(error);
                continue;
            }
            entry->waveFormat = DXVideoFunc::WaveFormatOf(*entry->mediaType);
            codec->formats.push_back(std::move(entry));
        }
        m_audio.push_back(std::move(codec));
    }
}

void SetEngineCodecInventory(CodecInventory* inventory)
{
    TRACE_FUNCTION();
    g_inventory = inventory;
}

CodecInventory* GetEngineCodecInventory()
{
    TRACE_FUNCTION();
    return g_inventory;
}

int GetVideoCodecCount()
{
    TRACE_FUNCTION();
    return g_inventory ? g_inventory->GetVideoCodecCount() : 0;
}

const VideoCodecEntry* GetVideoCodec(int index)
{
    TRACE_FUNCTION();
    return g_inventory ? g_inventory->GetVideoCodec(index) : nullptr;
}

int GetAudioCodecCount()
{
    TRACE_FUNCTION();
    return g_inventory ? g_inventory->GetAudioCodecCount() : 0;
}

const AudioCodecEntry* GetAudioCodec(int index)
{
    TRACE_FUNCTION();
    return g_inventory ? g_inventory->GetAudioCodec(index) : nullptr;
}
