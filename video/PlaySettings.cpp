// Playback settings: reading, checking, normalising and writing their text.
#include "video/PlaySettings.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"

#include "video/EngineGlobals.h"
#include "video/EngineText.h"
#include "WinNT_SP/Include_VS2005/TypedValue.h"

namespace {

constexpr int32_t kSettingsVersion = 10000;
constexpr int kRendererCount = 3;

struct PlaySettingsSchema {
    enum { kHeader, kVersion, kAutoRender, kVideoRender, kCamMonitor, kScrMonitor, kEnd,
           kCount };
    TypedValue v[kCount];

    PlaySettingsSchema()
    {
        InitIntValue(v[kVersion], L"PlaySettingsVer");
        InitIntValue(v[kAutoRender], L"AutoRender");
        InitIntValue(v[kVideoRender], L"VideoRender");
        InitStringValue(v[kCamMonitor], L"CamMonitor");
        InitStringValue(v[kScrMonitor], L"ScrMonitor");
        InitEndMarker(v[kEnd]);
        InitRecordHeader(v[kHeader], nullptr, kCount, false);
    }
    ~PlaySettingsSchema() { v[kHeader].Reset(); }
    PlaySettingsSchema(const PlaySettingsSchema&) = delete;
    PlaySettingsSchema& operator=(const PlaySettingsSchema&) = delete;
};

}  // namespace

void PlaySettings::SetDefaults()
{
    TRACE_FUNCTION();
    m_values = PlaySettingsValues();
}

void PlaySettings::ResetToDefaults()
{
    TRACE_FUNCTION();
    SetDefaults();
    Pack();
}

BOOL PlaySettings::IsDefault() const
{
    TRACE_FUNCTION();
    return m_values.AutoRender != 0 && m_values.VideoRender == 0 &&
           m_values.CamMonitor.empty() && m_values.ScrMonitor.empty();
}

void PlaySettings::Validate()
{
    TRACE_FUNCTION();
    if (m_values.VideoRender < 0 || m_values.VideoRender >= kRendererCount) {
        LOG_UNEXPECTED(FormatText(L"Render Idx=%i", m_values.VideoRender));
        ResetToDefaults();
        return;
    }
    if (m_values.CamMonitor.size() > kMaxMonitorName) {
        LOG_UNEXPECTED(L"CamMonitorName");
        ResetToDefaults();
        return;
    }
    if (m_values.ScrMonitor.size() > kMaxMonitorName) {
        LOG_UNEXPECTED(L"ScrMonitorName");
        ResetToDefaults();
        return;
    }
    const std::wstring automatic = EngineString(213);
    if (m_values.CamMonitor == automatic) {
        m_values.CamMonitor.clear();
    }
    if (m_values.ScrMonitor == automatic) {
        m_values.ScrMonitor.clear();
    }
}

void PlaySettings::Pack()
{
    TRACE_FUNCTION();
    Validate();
    try {
        PlaySettingsSchema s;
        s.v[PlaySettingsSchema::kVersion].SetInt(kSettingsVersion);
        s.v[PlaySettingsSchema::kAutoRender].SetInt(m_values.AutoRender != 0 ? 1 : 0);
        s.v[PlaySettingsSchema::kVideoRender].SetInt(m_values.VideoRender);
        for (int i = PlaySettingsSchema::kVersion; i <= PlaySettingsSchema::kVideoRender; ++i) {
            s.v[i].MarkSet();
        }
        s.v[PlaySettingsSchema::kCamMonitor].SetStringValue(m_values.CamMonitor.c_str());
        s.v[PlaySettingsSchema::kScrMonitor].SetStringValue(m_values.ScrMonitor.c_str());
        const wchar_t* text = s.v[PlaySettingsSchema::kHeader].ToText(1);
        if (text) {
            m_text = text;
        }
    } catch (const std::bad_alloc&) {
        // The previous text stays.
    }
}

void PlaySettings::Unpack()
{
    TRACE_FUNCTION();
    try {
        PlaySettingsSchema s;
        const int result = s.v[PlaySettingsSchema::kHeader].Parse(m_text.c_str());
        if (result < 0) {
            LOG_UNEXPECTED_HR(E_FAIL, m_text);
            ResetToDefaults();
            return;
        }
        const TypedValue& version = s.v[PlaySettingsSchema::kVersion];
        if (!version.IsSet() || version.GetInt(0) < 1) {
            LOG_UNEXPECTED_HR(E_FAIL, L"Inv.ver: " + m_text);
            ResetToDefaults();
            return;
        }
        m_values.AutoRender = s.v[PlaySettingsSchema::kAutoRender].GetInt(0);
        m_values.VideoRender = s.v[PlaySettingsSchema::kVideoRender].GetInt(0);
        const TypedValue& cam = s.v[PlaySettingsSchema::kCamMonitor];
        const TypedValue& scr = s.v[PlaySettingsSchema::kScrMonitor];
        m_values.CamMonitor = cam.IsSet() ? cam.GetStringValue() : L"";
        m_values.ScrMonitor = scr.IsSet() ? scr.GetStringValue() : L"";
    } catch (const std::bad_alloc&) {
        ResetToDefaults();
    }
}

void PlaySettings::SetText(const wchar_t* text)
{
    TRACE_FUNCTION();
    if (!text || !*text) {
        ResetToDefaults();
        return;
    }
    m_text = text;
    Unpack();
}

void PlaySettings::GetText(std::wstring& out)
{
    TRACE_FUNCTION();
    Validate();
    out = m_text;
}

void PlaySettings::GetValues(PlaySettingsValues* out)
{
    TRACE_FUNCTION();
    if (!out) {
        return;
    }
    Validate();
    CopyValues(&m_values, out);
}

void PlaySettings::SetValues(const PlaySettingsValues& values)
{
    TRACE_FUNCTION();
    CopyValues(&values, &m_values);
    Pack();
}

void PlaySettings::CopyValues(const PlaySettingsValues* source, PlaySettingsValues* destination)
{
    TRACE_FUNCTION();
    if (source && destination && source != destination) {
        *destination = *source;
    }
}
