// IWMReaderNetworkConfig2 of the asynchronous reader: keeps the per-protocol proxy settings
// (used when an http:// URL is opened) and the other network options, which this reader
// stores and reports but does not otherwise need. A face of the reader.
#pragma once

#include <windows.h>
#include <wmsdk.h>

#include <map>
#include <mutex>
#include <string>

#include "platform/wmvcore/WmvMedia.h"

namespace orvane::wmv {

class WmvNetworkConfig final : public IWMReaderNetworkConfig2 {
public:
    explicit WmvNetworkConfig(IUnknown* owner) : owner_(owner) {}

    // The proxy to use for a protocol and server: a manual setting with a host, or for
    // "browser" the system's settings; "auto" and "none" connect directly.
    WmvProxy ProxyFor(const std::wstring& protocol, const std::wstring& host) const;
    // The system's proxy settings (WinINet's, in the registry) for a server.
    static WmvProxy BrowserProxy(const std::wstring& host);
    // "host:port", or "http=host:port;..." (the http entry); an empty host when unusable.
    static WmvProxy ParseProxyServer(const std::wstring& text);
    // Whether a ProxyOverride list ("<local>;*.example;10.*") exempts the host.
    static bool Bypassed(const std::wstring& list, const std::wstring& host);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetBufferingTime(QWORD* time) override;
    STDMETHODIMP SetBufferingTime(QWORD time) override;
    STDMETHODIMP GetUDPPortRanges(WM_PORT_NUMBER_RANGE* ranges, DWORD* count) override;
    STDMETHODIMP SetUDPPortRanges(WM_PORT_NUMBER_RANGE* ranges, DWORD count) override;
    STDMETHODIMP GetProxySettings(const WCHAR* protocol, WMT_PROXY_SETTINGS* proxy) override;
    STDMETHODIMP SetProxySettings(LPCWSTR protocol, WMT_PROXY_SETTINGS proxy) override;
    STDMETHODIMP GetProxyHostName(const WCHAR* protocol, WCHAR* host, DWORD* size) override;
    STDMETHODIMP SetProxyHostName(const WCHAR* protocol, const WCHAR* host) override;
    STDMETHODIMP GetProxyPort(const WCHAR* protocol, DWORD* port) override;
    STDMETHODIMP SetProxyPort(const WCHAR* protocol, DWORD port) override;
    STDMETHODIMP GetProxyExceptionList(const WCHAR* protocol, WCHAR* list, DWORD* count) override;
    STDMETHODIMP SetProxyExceptionList(const WCHAR* protocol, const WCHAR* list) override;
    STDMETHODIMP GetProxyBypassForLocal(const WCHAR* protocol, WINBOOL* bypass) override;
    STDMETHODIMP SetProxyBypassForLocal(const WCHAR* protocol, WINBOOL bypass) override;
    STDMETHODIMP GetForceRerunAutoProxyDetection(WINBOOL* detection) override;
    STDMETHODIMP SetForceRerunAutoProxyDetection(WINBOOL detection) override;
    STDMETHODIMP GetEnableMulticast(WINBOOL* enable) override;
    STDMETHODIMP SetEnableMulticast(WINBOOL enable) override;
    STDMETHODIMP GetEnableHTTP(WINBOOL* enable) override;
    STDMETHODIMP SetEnableHTTP(WINBOOL enable) override;
    STDMETHODIMP GetEnableUDP(WINBOOL* enable) override;
    STDMETHODIMP SetEnableUDP(WINBOOL enable) override;
    STDMETHODIMP GetEnableTCP(WINBOOL* enable) override;
    STDMETHODIMP SetEnableTCP(WINBOOL enable) override;
    STDMETHODIMP ResetProtocolRollover() override;
    STDMETHODIMP GetConnectionBandwidth(DWORD* bandwidth) override;
    STDMETHODIMP SetConnectionBandwidth(DWORD bandwidth) override;
    STDMETHODIMP GetNumProtocolsSupported(DWORD* count) override;
    STDMETHODIMP GetSupportedProtocolName(DWORD index, WCHAR* name, DWORD* size) override;
    STDMETHODIMP AddLoggingUrl(const WCHAR* url) override;
    STDMETHODIMP GetLoggingUrl(DWORD index, WCHAR* url, DWORD* size) override;
    STDMETHODIMP GetLoggingUrlCount(DWORD* count) override;
    STDMETHODIMP ResetLoggingUrlList() override;

    STDMETHODIMP GetEnableContentCaching(WINBOOL* enable) override;
    STDMETHODIMP SetEnableContentCaching(WINBOOL enable) override;
    STDMETHODIMP GetEnableFastCache(WINBOOL* enable) override;
    STDMETHODIMP SetEnableFastCache(WINBOOL enable) override;
    STDMETHODIMP GetAcceleratedStreamingDuration(QWORD* duration) override;
    STDMETHODIMP SetAcceleratedStreamingDuration(QWORD duration) override;
    STDMETHODIMP GetAutoReconnectLimit(DWORD* limit) override;
    STDMETHODIMP SetAutoReconnectLimit(DWORD limit) override;
    STDMETHODIMP GetEnableResends(WINBOOL* enable) override;
    STDMETHODIMP SetEnableResends(WINBOOL enable) override;
    STDMETHODIMP GetEnableThinning(WINBOOL* enable) override;
    STDMETHODIMP SetEnableThinning(WINBOOL enable) override;
    STDMETHODIMP GetMaxNetPacketSize(DWORD* size) override;

private:
    struct ProxyEntry {
        WMT_PROXY_SETTINGS setting = WMT_PROXY_SETTING_BROWSER;
        std::wstring host;
        DWORD port = 0;
        std::wstring exceptions;
        WINBOOL bypassLocal = TRUE;
    };
    // Null for protocols other than http, rtsp and mms (case-insensitive).
    ProxyEntry* Entry(const WCHAR* protocol);
    const ProxyEntry* Entry(const WCHAR* protocol) const;
    // Runs fn on the protocol's entry under the lock; E_INVALIDARG for an unknown protocol.
    template <class Fn>
    HRESULT WithEntry(const WCHAR* protocol, Fn fn)
    {
        std::lock_guard<std::mutex> hold(lock_);
        ProxyEntry* e = Entry(protocol);
        return e != nullptr ? fn(*e) : E_INVALIDARG;
    }

    IUnknown* owner_;  // not counted: the face lives inside its owner
    mutable std::mutex lock_;
    std::map<std::wstring, ProxyEntry> proxies_;
    QWORD bufferingTime_ = 50000000;
    DWORD bandwidth_ = 0;
    DWORD reconnectLimit_ = 1;
    // Auto-proxy rerun, multicast, HTTP, UDP, thinning, TCP, caching, resends, fast cache.
    WINBOOL flags_[9] = {FALSE, TRUE, TRUE, TRUE, TRUE, TRUE, TRUE, TRUE, FALSE};
    QWORD acceleratedDuration_ = 0;
};

}  // namespace orvane::wmv
