// The audio format walk: codec by codec, settings combination by combination, format by
// format; whatever cannot be read is skipped.
#include "Common/WmaFormatEnum.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"

#include "Common/WmFormatHelpers.h"
#include "Common/WmRuntime.h"

#include <nserror.h>
#include <uuids.h>

void WmaFormatEntry::Clear()
{
    TRACE_FUNCTION();
    if (mediaType) {
        FreeMediaTypeBlob(mediaType);
        mediaType = nullptr;
    }
    waveFormat = nullptr;
    streamConfig.Release();
}

WmaFormatEnum::~WmaFormatEnum()
{
    TRACE_FUNCTION();
}

void WmaFormatEnum::Restart(const GUID* subtypeFilter)
{
    TRACE_FUNCTION();
    m_filter = subtypeFilter;
    m_codecIndex = static_cast<DWORD>(-1);
    m_vbr = 1;
    m_passes = 2;
    m_formatCount = 0;
    m_formatIndex = static_cast<DWORD>(-1);
}

void WmaFormatEnum::Init(const GUID* subtypeFilter)
{
    TRACE_FUNCTION();
    Restart(subtypeFilter);
    if (!WmRuntime::Bind()) {
        return;
    }
    CComPtr<IWMProfileManager> manager;
    if (FAILED(WmRuntime::CreateProfileManager(&manager)) || !manager) {
        return;
    }
    CComPtr<IWMCodecInfo3> info;
    if (SUCCEEDED(manager->QueryInterface(__uuidof(IWMCodecInfo3),
                                          reinterpret_cast<void**>(&info))) &&
        info) {
        InitWith(info, subtypeFilter);
    }
}

void WmaFormatEnum::InitWith(IWMCodecInfo3* info, const GUID* subtypeFilter)
{
    TRACE_FUNCTION();
    Restart(subtypeFilter);
    m_info = info;
    if (!info) {
        return;
    }
    if (SUCCEEDED(m_info->GetCodecInfoCount(MEDIATYPE_Audio, &m_codecCount))) {
        m_ready = TRUE;
    }
}

void WmaFormatEnum::SkipCodecFormats()
{
    TRACE_FUNCTION();
    m_formatIndex = m_formatCount - 1;
    m_passes = 2;
}

BOOL WmaFormatEnum::Next(WmaFormatEntry& entry)
{
    TRACE_FUNCTION();
    if (!m_ready || !m_info) {
        return FALSE;
    }
    for (;;) {
        entry.Clear();
        ++m_formatIndex;
        if (m_formatIndex >= m_formatCount) {
            ++m_passes;
            if (m_passes > 2) {
                ++m_vbr;
                if (m_vbr > 1) {
                    ++m_codecIndex;
                    if (m_codecIndex >= m_codecCount) {
                        m_ready = FALSE;
                        return FALSE;
                    }
                    m_vbr = 0;
                    m_vbrFailed = FALSE;
                }
                const BOOL vbr = m_vbr;
                HRESULT hr = m_info->SetCodecEnumerationSetting(
                    MEDIATYPE_Audio, m_codecIndex, L"_VBRENABLED", WMT_TYPE_BOOL,
                    reinterpret_cast<const BYTE*>(&vbr), sizeof(vbr));
                if (FAILED(hr)) {
                    m_vbrFailed = TRUE;
                    m_vbr = 1;
                    if (hr != NS_E_UNSUPPORTED_PROPERTY) {
                        SkipCodecFormats();
                        continue;
                    }
                }
                m_passes = 1;
                m_passesFailed = FALSE;
            }
            const DWORD passes = m_passes;
            HRESULT hr = m_info->SetCodecEnumerationSetting(
                MEDIATYPE_Audio, m_codecIndex, L"_PASSESUSED", WMT_TYPE_DWORD,
                reinterpret_cast<const BYTE*>(&passes), sizeof(passes));
            if (FAILED(hr)) {
                m_passesFailed = TRUE;
                m_passes = 2;
                if (hr != NS_E_UNSUPPORTED_PROPERTY) {
                    SkipCodecFormats();
                    continue;
                }
            }
            hr = m_info->GetCodecFormatCount(MEDIATYPE_Audio, m_codecIndex, &m_formatCount);
            if (FAILED(hr)) {
                m_formatCount = 0;
                m_passesFailed = TRUE;
                m_passes = 2;
                if (hr != NS_E_UNSUPPORTED_PROPERTY) {
                    SkipCodecFormats();
                    continue;
                }
            }
            m_formatIndex = 0;
            if (m_formatCount == 0) {
                m_formatIndex = static_cast<DWORD>(-1);
                continue;
            }
        }

        CComPtr<IWMStreamConfig> config;
        if (FAILED(m_info->GetCodecFormat(MEDIATYPE_Audio, m_codecIndex, m_formatIndex,
                                          &config)) ||
            !config) {
            continue;
        }
        entry.streamConfig = config;
        CComPtr<IWMMediaProps> props;
        if (FAILED(config->QueryInterface(__uuidof(IWMMediaProps),
                                          reinterpret_cast<void**>(&props))) ||
            !props) {
            continue;
        }
        entry.mediaType = GetMediaTypeBlob(props);
        props.Release();
        if (!entry.mediaType) {
            continue;
        }
        if (m_filter && !IsEqualGUID(entry.mediaType->subtype, *m_filter)) {
            SkipCodecFormats();
            m_vbr = 1;
            continue;
        }
        entry.codecIndex = m_codecIndex;
        entry.formatIndex = m_formatIndex;
        entry.passes = m_passesFailed ? 1 : m_passes;
        entry.variableBitRate = m_vbrFailed ? FALSE : static_cast<BOOL>(m_vbr);
        entry.waveFormat = entry.mediaType->cbFormat >= sizeof(WAVEFORMATEX)
                               ? reinterpret_cast<WAVEFORMATEX*>(entry.mediaType->pbFormat)
                               : nullptr;
        return TRUE;
    }
}
