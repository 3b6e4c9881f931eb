// The proxy settings of the two protocol families the player opens URLs with (HTTP, RTSP): the
// in-memory record, its text form in the setting "Networking", the text shown for one entry,
// and the runtime's proxy setting each proxy type stands for.
#pragma once

#include <windows.h>
#include <wmsdkidl.h>

#include <string>

struct PROXY_SETTINGS {
    int protocol = 0;   // 0 HTTP, 1 RTSP: the index in the pair
    int proxyType = 2;  // 0 "direct", 1 "manual", 2 "browser", 3 "auto"
    std::wstring server;
    int port = 80;
    std::wstring bypass;
    std::wstring userName;
    std::wstring password;
};

namespace NetworkingSettings {

enum ProxyType { kDirect = 0, kManual = 1, kBrowser = 2, kAuto = 3 };

// The defaults: HTTP "browser" port 80, RTSP "auto" port 554.
void SetDefaults(PROXY_SETTINGS (&pair)[2]);
// The runtime's setting for a proxy type, and back (an unknown type: the default for HTTP).
WMT_PROXY_SETTINGS RuntimeSetting(int proxyType);
int ProxyTypeOf(WMT_PROXY_SETTINGS setting);

}  // namespace NetworkingSettings

// Reads "Networking" into the pair (defaults first; invalid entries are skipped one by one, an
// unreadable text keeps the defaults). Always true.
bool ParseNetworkingSettings(const wchar_t* text, PROXY_SETTINGS (&pair)[2]);
std::wstring FormatNetworkingSettings(const PROXY_SETTINGS (&pair)[2]);
// "None", "Custom - server:port", "Browser", "Auto"; empty for an unknown type.
std::wstring ProxyDescriptionText(const PROXY_SETTINGS& settings);
