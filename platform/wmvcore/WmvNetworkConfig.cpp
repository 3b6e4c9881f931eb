// Network settings of the asynchronous reader.
#include "platform/wmvcore/WmvNetworkConfig.h"

#include <cwctype>

#include "platform/wmvcore/WmvCommon.h"

namespace orvane::wmv {

namespace {

// Indexes into flags_.
enum Flag { kRerun, kMulticast, kHttp, kUdp, kThinning, kTcp, kCaching, kResends, kFastCache };

std::wstring Lowered(const WCHAR* text)
{
    std::wstring s;
    for (; text && *text; ++text) {
        s.push_back(static_cast<wchar_t>(std::towlower(*text)));
    }
    return s;
}

HRESULT GetFlag(const WINBOOL& flag, WINBOOL* out)
{
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = flag;
    return S_OK;
}

}  // namespace

WmvNetworkConfig::ProxyEntry* WmvNetworkConfig::Entry(const WCHAR* protocol)
{
    const std::wstring p = Lowered(protocol);
    if (p != L"http" && p != L"rtsp" && p != L"mms") {
        return nullptr;
    }
    return &proxies_[p];
}

const WmvNetworkConfig::ProxyEntry* WmvNetworkConfig::Entry(const WCHAR* protocol) const
{
    static const ProxyEntry defaults;
    const std::wstring p = Lowered(protocol);
    if (p != L"http" && p != L"rtsp" && p != L"mms") {
        return nullptr;
    }
    const auto it = proxies_.find(p);
    return it == proxies_.end() ? &defaults : &it->second;
}

WmvProxy WmvNetworkConfig::ProxyFor(const std::wstring& protocol, const std::wstring& host) const
{
    WMT_PROXY_SETTINGS setting = WMT_PROXY_SETTING_NONE;
    WmvProxy proxy;
    {
        std::lock_guard<std::mutex> hold(lock_);
        const ProxyEntry* e = Entry(protocol.c_str());
        if (e == nullptr) {
            return proxy;
        }
        setting = e->setting;
        if (setting == WMT_PROXY_SETTING_MANUAL && !e->host.empty() && e->port != 0) {
            proxy.host = e->host;
            proxy.port = e->port;
        }
    }
    // "Browser": the system's own (WinINet's) settings; auto-detection finds none: direct.
    if (setting == WMT_PROXY_SETTING_BROWSER) {
        proxy = BrowserProxy(host);
    }
    return proxy;
}

WmvProxy WmvNetworkConfig::BrowserProxy(const std::wstring& host)
{
    WmvProxy proxy;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER,
                      L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", 0,
                      KEY_READ, &key) != ERROR_SUCCESS) {
        return proxy;
    }
    DWORD enabled = 0;
    DWORD size = sizeof(enabled);
    DWORD type = 0;
    const bool on = RegQueryValueExW(key, L"ProxyEnable", nullptr, &type,
                                     reinterpret_cast<BYTE*>(&enabled), &size) == ERROR_SUCCESS &&
                    type == REG_DWORD && enabled != 0;
    WCHAR server[1024] = {};
    size = sizeof(server) - sizeof(WCHAR);
    const bool named = RegQueryValueExW(key, L"ProxyServer", nullptr, &type,
                                        reinterpret_cast<BYTE*>(server), &size) == ERROR_SUCCESS &&
                       type == REG_SZ;
    WCHAR bypass[2048] = {};
    size = sizeof(bypass) - sizeof(WCHAR);
    if (RegQueryValueExW(key, L"ProxyOverride", nullptr, &type, reinterpret_cast<BYTE*>(bypass),
                         &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        bypass[0] = 0;
    }
    RegCloseKey(key);
    if (!on || !named || Bypassed(bypass, host)) {
        return proxy;
    }
    return ParseProxyServer(server);
}

WmvProxy WmvNetworkConfig::ParseProxyServer(const std::wstring& text)
{
    // "host:port" for every protocol, or "http=host:port;https=host:port;...".
    std::wstring chosen;
    size_t begin = 0;
    while (begin <= text.size()) {
        size_t end = text.find_first_of(L"; ", begin);
        if (end == std::wstring::npos) {
            end = text.size();
        }
        const std::wstring item = text.substr(begin, end - begin);
        const size_t equals = item.find(L'=');
        if (equals == std::wstring::npos) {
            if (chosen.empty()) {
                chosen = item;
            }
        } else if (Lowered(item.substr(0, equals).c_str()) == L"http") {
            chosen = item.substr(equals + 1);
        }
        begin = end + 1;
    }
    WmvProxy proxy;
    if (Lowered(chosen.substr(0, 7).c_str()) == L"http://") {
        chosen = chosen.substr(7);
    }
    while (!chosen.empty() && chosen.back() == L'/') {
        chosen.pop_back();
    }
    const size_t colon = chosen.rfind(L':');
    DWORD port = 80;
    if (colon != std::wstring::npos) {
        const std::wstring digits = chosen.substr(colon + 1);
        if (digits.empty() || digits.size() > 5 ||
            digits.find_first_not_of(L"0123456789") != std::wstring::npos) {
            return proxy;
        }
        port = static_cast<DWORD>(std::stoul(digits));
        chosen.resize(colon);
    }
    if (chosen.empty() || port == 0 || port > 65535) {
        return proxy;
    }
    proxy.host = chosen;
    proxy.port = port;
    return proxy;
}

bool WmvNetworkConfig::Bypassed(const std::wstring& list, const std::wstring& host)
{
    const std::wstring name = Lowered(host.c_str());
    size_t begin = 0;
    while (begin < list.size()) {
        size_t end = list.find_first_of(L"; ", begin);
        if (end == std::wstring::npos) {
            end = list.size();
        }
        const std::wstring item = Lowered(list.substr(begin, end - begin).c_str());
        begin = end + 1;
        if (item.empty()) {
            continue;
        }
        if (item == L"<local>") {
            if (name.find(L'.') == std::wstring::npos) {
                return true;
            }
        } else if (item[0] == L'*') {
            const std::wstring tail = item.substr(1);
            if (name.size() >= tail.size() &&
                name.compare(name.size() - tail.size(), tail.size(), tail) == 0) {
                return true;
            }
        } else if (item.back() == L'*') {
            if (name.rfind(item.substr(0, item.size() - 1), 0) == 0) {
                return true;
            }
        } else if (item == name) {
            return true;
        }
    }
    return false;
}

STDMETHODIMP WmvNetworkConfig::QueryInterface(REFIID iid, void** out)
{
    return owner_->QueryInterface(iid, out);
}

STDMETHODIMP_(ULONG) WmvNetworkConfig::AddRef() { return owner_->AddRef(); }
// Refcounting: a part of the reader shares its owner's count.
STDMETHODIMP_(ULONG) WmvNetworkConfig::Release() { return owner_->Release(); }

STDMETHODIMP WmvNetworkConfig::GetBufferingTime(QWORD* time)
{
    if (time == nullptr) {
        return E_POINTER;
    }
    std::lock_guard<std::mutex> hold(lock_);
    *time = bufferingTime_;
    return S_OK;
}

STDMETHODIMP WmvNetworkConfig::SetBufferingTime(QWORD time)
{
    std::lock_guard<std::mutex> hold(lock_);
    bufferingTime_ = time;
    return S_OK;
}

STDMETHODIMP WmvNetworkConfig::GetUDPPortRanges(WM_PORT_NUMBER_RANGE*, DWORD* count)
{
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

STDMETHODIMP WmvNetworkConfig::SetUDPPortRanges(WM_PORT_NUMBER_RANGE*, DWORD) { return S_OK; }

STDMETHODIMP WmvNetworkConfig::GetProxySettings(const WCHAR* protocol, WMT_PROXY_SETTINGS* proxy)
{
    if (proxy == nullptr) {
        return E_POINTER;
    }
    return WithEntry(protocol, [&](const ProxyEntry& e) {
        *proxy = e.setting;
        return S_OK;
    });
}

STDMETHODIMP WmvNetworkConfig::SetProxySettings(LPCWSTR protocol, WMT_PROXY_SETTINGS proxy)
{
    if (proxy < WMT_PROXY_SETTING_NONE || proxy > WMT_PROXY_SETTING_BROWSER) {
        return E_INVALIDARG;
    }
    return WithEntry(protocol, [&](ProxyEntry& e) {
        e.setting = proxy;
        return S_OK;
    });
}

STDMETHODIMP WmvNetworkConfig::GetProxyHostName(const WCHAR* protocol, WCHAR* host, DWORD* size)
{
    return WithEntry(protocol, [&](const ProxyEntry& e) {
        return CopyText(FromWide(e.host.c_str()), host, size);
    });
}

STDMETHODIMP WmvNetworkConfig::SetProxyHostName(const WCHAR* protocol, const WCHAR* host)
{
    return WithEntry(protocol, [&](ProxyEntry& e) {
        e.host = host ? host : L"";
        return S_OK;
    });
}

STDMETHODIMP WmvNetworkConfig::GetProxyPort(const WCHAR* protocol, DWORD* port)
{
    if (port == nullptr) {
        return E_POINTER;
    }
    return WithEntry(protocol, [&](const ProxyEntry& e) {
        *port = e.port;
        return S_OK;
    });
}

STDMETHODIMP WmvNetworkConfig::SetProxyPort(const WCHAR* protocol, DWORD port)
{
    if (port > 65535) {
        return E_INVALIDARG;
    }
    return WithEntry(protocol, [&](ProxyEntry& e) {
        e.port = port;
        return S_OK;
    });
}

STDMETHODIMP WmvNetworkConfig::GetProxyExceptionList(const WCHAR* protocol, WCHAR* list,
                                                     DWORD* count)
{
    return WithEntry(protocol, [&](const ProxyEntry& e) {
        return CopyText(FromWide(e.exceptions.c_str()), list, count);
    });
}

STDMETHODIMP WmvNetworkConfig::SetProxyExceptionList(const WCHAR* protocol, const WCHAR* list)
{
    return WithEntry(protocol, [&](ProxyEntry& e) {
        e.exceptions = list ? list : L"";
        return S_OK;
    });
}

STDMETHODIMP WmvNetworkConfig::GetProxyBypassForLocal(const WCHAR* protocol, WINBOOL* bypass)
{
    if (bypass == nullptr) {
        return E_POINTER;
    }
    return WithEntry(protocol, [&](const ProxyEntry& e) {
        *bypass = e.bypassLocal;
        return S_OK;
    });
}

STDMETHODIMP WmvNetworkConfig::SetProxyBypassForLocal(const WCHAR* protocol, WINBOOL bypass)
{
    return WithEntry(protocol, [&](ProxyEntry& e) {
        e.bypassLocal = bypass;
        return S_OK;
    });
}

#define ORVANE_NET_FLAG(Name, index)                                                    \
    STDMETHODIMP WmvNetworkConfig::Get##Name(WINBOOL* value)                            \
    {                                                                                   \
        std::lock_guard<std::mutex> hold(lock_);                                        \
        return GetFlag(flags_[index], value);                                           \
    }                                                                                   \
    STDMETHODIMP WmvNetworkConfig::Set##Name(WINBOOL value)                             \
    {                                                                                   \
        std::lock_guard<std::mutex> hold(lock_);                                        \
        flags_[index] = value;                                                          \
        return S_OK;                                                                    \
    }
ORVANE_NET_FLAG(ForceRerunAutoProxyDetection, kRerun)
ORVANE_NET_FLAG(EnableMulticast, kMulticast)
ORVANE_NET_FLAG(EnableHTTP, kHttp)
ORVANE_NET_FLAG(EnableUDP, kUdp)
ORVANE_NET_FLAG(EnableTCP, kTcp)
ORVANE_NET_FLAG(EnableContentCaching, kCaching)
ORVANE_NET_FLAG(EnableFastCache, kFastCache)
ORVANE_NET_FLAG(EnableResends, kResends)
ORVANE_NET_FLAG(EnableThinning, kThinning)
#undef ORVANE_NET_FLAG

STDMETHODIMP WmvNetworkConfig::ResetProtocolRollover() { return S_OK; }

STDMETHODIMP WmvNetworkConfig::GetConnectionBandwidth(DWORD* bandwidth)
{
    if (bandwidth == nullptr) {
        return E_POINTER;
    }
    std::lock_guard<std::mutex> hold(lock_);
    *bandwidth = bandwidth_;
    return S_OK;
}

STDMETHODIMP WmvNetworkConfig::SetConnectionBandwidth(DWORD bandwidth)
{
    std::lock_guard<std::mutex> hold(lock_);
    bandwidth_ = bandwidth;
    return S_OK;
}

STDMETHODIMP WmvNetworkConfig::GetNumProtocolsSupported(DWORD* count)
{
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 1;
    return S_OK;
}

STDMETHODIMP WmvNetworkConfig::GetSupportedProtocolName(DWORD index, WCHAR* name, DWORD* size)
{
    if (index != 0) {
        return E_INVALIDARG;
    }
    return CopyText(std::u16string(u"http"), name, size);
}

STDMETHODIMP WmvNetworkConfig::AddLoggingUrl(const WCHAR*) { return S_OK; }
STDMETHODIMP WmvNetworkConfig::GetLoggingUrl(DWORD, WCHAR*, DWORD*) { return E_INVALIDARG; }
STDMETHODIMP WmvNetworkConfig::GetLoggingUrlCount(DWORD* count)
{
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

STDMETHODIMP WmvNetworkConfig::ResetLoggingUrlList() { return S_OK; }

STDMETHODIMP WmvNetworkConfig::GetAcceleratedStreamingDuration(QWORD* duration)
{
    if (duration == nullptr) {
        return E_POINTER;
    }
    std::lock_guard<std::mutex> hold(lock_);
    *duration = acceleratedDuration_;
    return S_OK;
}

STDMETHODIMP WmvNetworkConfig::SetAcceleratedStreamingDuration(QWORD duration)
{
    std::lock_guard<std::mutex> hold(lock_);
    acceleratedDuration_ = duration;
    return S_OK;
}

STDMETHODIMP WmvNetworkConfig::GetAutoReconnectLimit(DWORD* limit)
{
    if (limit == nullptr) {
        return E_POINTER;
    }
    std::lock_guard<std::mutex> hold(lock_);
    *limit = reconnectLimit_;
    return S_OK;
}

STDMETHODIMP WmvNetworkConfig::SetAutoReconnectLimit(DWORD limit)
{
    std::lock_guard<std::mutex> hold(lock_);
    reconnectLimit_ = limit;
    return S_OK;
}

STDMETHODIMP WmvNetworkConfig::GetMaxNetPacketSize(DWORD* size)
{
    if (size == nullptr) {
        return E_POINTER;
    }
    *size = 1500;
    return S_OK;
}

}  // namespace orvane::wmv
