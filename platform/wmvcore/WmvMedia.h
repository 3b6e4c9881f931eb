// One opened presentation: its byte source (file, IStream or download) and the demuxer over
// it. The readers and the metadata editor each own one while open.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "platform/wmvcore/asf/AsfDemuxer.h"

namespace orvane::wmv {

struct WmvProxy {
    std::wstring host;  // empty: direct connection
    DWORD port = 0;
};

// What opening a URL needs from the reader.
struct WmvNetOptions {
    WmvProxy proxy;
    // Asks the application for a user name and password (for the proxy when proxy is true);
    // user may hold a name to offer. False: none given.
    std::function<bool(bool proxy, const std::wstring& realm, const std::wstring& site,
                       std::wstring* user, std::wstring* password)>
        credentials;
    // Set by Close while the open runs: connecting and waiting for the answer give up.
    std::shared_ptr<std::atomic<bool>> cancel;
};

class WmvMedia {
public:
    // A file path or an http:// URL (mms:// is read over HTTP too); other URL schemes give
    // NS_E_UNKNOWN_PROTOCOL.
    static HRESULT OpenByName(const WCHAR* name, DWORD access, DWORD share,
                              const WmvNetOptions& net, std::unique_ptr<WmvMedia>* out);
    // Whether a name is read from the network (and so opens with a connecting status).
    static bool IsNetworkName(const WCHAR* name);
    static HRESULT OpenStream(IStream* stream, std::unique_ptr<WmvMedia>* out);
    // What OpenByName would say about the name before touching anything: E_INVALIDARG,
    // NS_E_UNKNOWN_PROTOCOL or S_OK.
    static HRESULT CheckName(const WCHAR* name);

    // Ends a download in progress so that a waiting read returns.
    void Abort();
    // How much of the presentation has arrived: a local source has all of it.
    void Progress(uint64_t* bytes, unsigned* percent) const;

    // A live broadcast: no duration, no seeking, read until the sender stops.
    bool Live() const { return demuxer_.Header().live; }
    // The download, for buffering and its failure; null for local sources.
    class WmvHttpSource* Http() const { return http_; }
    // The result a failed read stands for: the network's own code when it has one.
    HRESULT ReadFailure(asf::AsfError e) const;

    asf::AsfDemuxer& Demuxer() { return demuxer_; }
    const asf::AsfHeader& Header() const { return demuxer_.Header(); }
    const std::wstring& Protocol() const { return protocol_; }

private:
    HRESULT Start(std::unique_ptr<asf::AsfSource> source);

    std::unique_ptr<asf::AsfSource> source_;
    asf::AsfDemuxer demuxer_;
    std::wstring protocol_ = L"file";
    class WmvHttpSource* http_ = nullptr;
};

}  // namespace orvane::wmv
