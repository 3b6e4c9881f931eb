// Networking settings: the PROXY_SETTINGS pair and its typed-value text.
#include "player/core/NetworkingSettings.h"

#include "WinNT_SP/Include_VS2005/TypedValue.h"

#include <cwctype>

namespace {

const wchar_t* const kProtocols[] = {L"HTTP", L"RTSP"};
const wchar_t* const kTypes[] = {L"direct", L"manual", L"browser", L"auto"};

bool SameText(const wchar_t* a, const wchar_t* b)
{
    for (; *a != 0 && *b != 0; ++a, ++b) {
        if (std::towlower(*a) != std::towlower(*b)) {
            return false;
        }
    }
    return *a == *b;
}

// (Proxy=((Protocol,ProxyType,Server,Port,ByPass,UserName,Password),...))
struct NetworkingRecord {
    enum {
        kHeader, kList, kEntry, kProtocol, kType, kServer, kPort, kBypass, kUser, kPassword,
        kEntryEnd, kEnd, kCount
    };
    // Offsets of the members inside one list entry (its header at 0).
    enum { kEProtocol = 1, kEType, kEServer, kEPort, kEBypass, kEUser, kEPassword };
    TypedValue v[kCount];

    NetworkingRecord()
    {
        InitStringValue(v[kProtocol], L"Protocol");
        InitStringValue(v[kType], L"ProxyType");
        InitStringValue(v[kServer], L"Server");
        InitIntValue(v[kPort], L"Port");
        InitStringValue(v[kBypass], L"ByPass");
        InitStringValue(v[kUser], L"UserName");
        InitStringValue(v[kPassword], L"Password");
        InitEndMarker(v[kEntryEnd]);
        InitRecordHeader(v[kEntry], L"Proxy", kEntryEnd - kEntry + 1, true);
        InitListValue(v[kList], L"Proxy");
        v[kList].elemType = TVT_RECORD;
        InitEndMarker(v[kEnd]);
        InitRecordHeader(v[kHeader], nullptr, kCount, false);
    }
    ~NetworkingRecord() { v[kHeader].Reset(); }
    NetworkingRecord(const NetworkingRecord&) = delete;
    NetworkingRecord& operator=(const NetworkingRecord&) = delete;
};

}  // namespace

namespace NetworkingSettings {

void SetDefaults(PROXY_SETTINGS (&pair)[2])
{
    pair[0] = PROXY_SETTINGS();
    pair[0].protocol = 0;
    pair[0].proxyType = kBrowser;
    pair[0].port = 80;
    pair[1] = PROXY_SETTINGS();
    pair[1].protocol = 1;
    pair[1].proxyType = kAuto;
    pair[1].port = 554;
}

WMT_PROXY_SETTINGS RuntimeSetting(int proxyType)
{
    switch (proxyType) {
    case kDirect: return WMT_PROXY_SETTING_NONE;
    case kManual: return WMT_PROXY_SETTING_MANUAL;
    case kAuto: return WMT_PROXY_SETTING_AUTO;
    default: return WMT_PROXY_SETTING_BROWSER;
    }
}

int ProxyTypeOf(WMT_PROXY_SETTINGS setting)
{
    switch (setting) {
    case WMT_PROXY_SETTING_NONE: return kDirect;
    case WMT_PROXY_SETTING_MANUAL: return kManual;
    case WMT_PROXY_SETTING_AUTO: return kAuto;
    default: return kBrowser;
    }
}

}  // namespace NetworkingSettings

bool ParseNetworkingSettings(const wchar_t* text, PROXY_SETTINGS (&pair)[2])
{
    NetworkingSettings::SetDefaults(pair);
    if (text == nullptr || *text == 0) {
        return true;
    }
    NetworkingRecord record;
    if (record.v[NetworkingRecord::kHeader].Parse(text) < 0) {
        // The text is not traced: it may hold a proxy password.
        return true;
    }
    const TypedValue& list = record.v[NetworkingRecord::kList];
    for (uint32_t i = 0; i < list.ListCount(); ++i) {
        const TypedValue* entry = list.ListEntry(i);
        int index = -1;
        for (int p = 0; p < 2; ++p) {
            if (SameText(entry[NetworkingRecord::kEProtocol].GetStringValue(), kProtocols[p])) {
                index = p;
            }
        }
        int type = -1;
        for (int t = 0; t < 4; ++t) {
            if (SameText(entry[NetworkingRecord::kEType].GetStringValue(), kTypes[t])) {
                type = t;
            }
        }
        // HTTP never takes "auto", RTSP never "browser".
        if (index < 0 || type < 0 || (index == 0 && type == NetworkingSettings::kAuto) ||
            (index == 1 && type == NetworkingSettings::kBrowser)) {
            continue;
        }
        PROXY_SETTINGS& s = pair[index];
        s.protocol = index;
        s.proxyType = type;
        s.server = entry[NetworkingRecord::kEServer].GetStringValue();
        s.port = entry[NetworkingRecord::kEPort].GetInt(0);
        s.bypass = entry[NetworkingRecord::kEBypass].GetStringValue();
        s.userName = entry[NetworkingRecord::kEUser].GetStringValue();
        s.password = entry[NetworkingRecord::kEPassword].GetStringValue();
    }
    return true;
}

std::wstring FormatNetworkingSettings(const PROXY_SETTINGS (&pair)[2])
{
    NetworkingRecord record;
    TypedValue& list = record.v[NetworkingRecord::kList];
    list.SetListSize(2);
    for (uint32_t i = 0; i < 2; ++i) {
        const PROXY_SETTINGS& s = pair[i];
        TypedValue* entry = list.ListEntry(i);
        const int type = s.proxyType >= 0 && s.proxyType < 4 ? s.proxyType
                                                             : (i == 0 ? 2 : 3);
        entry[NetworkingRecord::kEProtocol].SetStringValue(kProtocols[i]);
        entry[NetworkingRecord::kEType].SetStringValue(kTypes[type]);
        entry[NetworkingRecord::kEServer].SetStringValue(s.server.c_str());
        entry[NetworkingRecord::kEPort].SetInt(s.port);
        entry[NetworkingRecord::kEBypass].SetStringValue(s.bypass.c_str());
        entry[NetworkingRecord::kEUser].SetStringValue(s.userName.c_str());
        entry[NetworkingRecord::kEPassword].SetStringValue(s.password.c_str());
    }
    list.MarkSet();
    const wchar_t* text = record.v[NetworkingRecord::kHeader].ToText(0);
    return text != nullptr ? text : L"";
}

std::wstring ProxyDescriptionText(const PROXY_SETTINGS& settings)
{
    switch (settings.proxyType) {
    case NetworkingSettings::kDirect: return L"None";
    case NetworkingSettings::kManual:
        return L"Custom - " + settings.server + L":" +
               std::to_wstring(static_cast<unsigned>(settings.port));
    case NetworkingSettings::kBrowser: return L"Browser";
    case NetworkingSettings::kAuto: return L"Auto";
    default: return std::wstring();
    }
}
