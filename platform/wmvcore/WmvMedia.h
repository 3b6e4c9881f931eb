// One opened presentation: its byte source (file, IStream or download) and the demuxer over
// it. The readers and the metadata editor each own one while open.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <memory>
#include <string>

#include "asf/AsfDemuxer.h"

namespace orvane::wmv {

struct WmvProxy {
    std::wstring host;  // empty: direct connection
    DWORD port = 0;
};

class WmvMedia {
public:
    // A file path or an http:// URL; other URL schemes give NS_E_UNKNOWN_PROTOCOL.
    static HRESULT OpenByName(const WCHAR* name, DWORD access, DWORD share, const WmvProxy& proxy,
                              std::unique_ptr<WmvMedia>* out);
    static HRESULT OpenStream(IStream* stream, std::unique_ptr<WmvMedia>* out);
    // What OpenByName would say about the name before touching anything: E_INVALIDARG,
    // NS_E_UNKNOWN_PROTOCOL or S_OK.
    static HRESULT CheckName(const WCHAR* name);

    // Ends a download in progress so that a waiting read returns.
    void Abort();
    // How much of the presentation has arrived: a local source has all of it.
    void Progress(uint64_t* bytes, unsigned* percent) const;

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
