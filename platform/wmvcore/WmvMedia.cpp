// Opening a presentation by name, URL or IStream.
#include "platform/wmvcore/WmvMedia.h"

#include <nserror.h>

#include <cwctype>

#include "platform/wmvcore/WmvCommon.h"
#include "platform/wmvcore/WmvFileSource.h"
#include "platform/wmvcore/WmvHttpSource.h"
#include "platform/wmvcore/WmvStreamSource.h"

namespace orvane::wmv {

namespace {

// "scheme:" with at least two letters (one letter is a drive).
bool HasScheme(const std::wstring& name, std::wstring* scheme)
{
    const size_t colon = name.find(L':');
    if (colon == std::wstring::npos || colon < 2) {
        return false;
    }
    for (size_t i = 0; i < colon; ++i) {
        if (!std::iswalnum(name[i]) && name[i] != L'+' && name[i] != L'-' && name[i] != L'.') {
            return false;
        }
    }
    scheme->clear();
    for (size_t i = 0; i < colon; ++i) {
        scheme->push_back(static_cast<wchar_t>(std::towlower(name[i])));
    }
    return true;
}

}  // namespace

HRESULT WmvMedia::Start(std::unique_ptr<asf::AsfSource> source)
{
    source_ = std::move(source);
    return HResultFromAsf(demuxer_.Open(source_.get()));
}

HRESULT WmvMedia::CheckName(const WCHAR* name)
{
    if (name == nullptr || *name == 0) {
        return E_INVALIDARG;
    }
    std::wstring scheme;
    if (HasScheme(name, &scheme) && scheme != L"file" && scheme != L"http" &&
        scheme != L"mms") {
        return NS_E_UNKNOWN_PROTOCOL;
    }
    return S_OK;
}

bool WmvMedia::IsNetworkName(const WCHAR* name)
{
    std::wstring scheme;
    return name != nullptr && HasScheme(name, &scheme) && (scheme == L"http" || scheme == L"mms");
}

HRESULT WmvMedia::ReadFailure(asf::AsfError e) const
{
    if (e == asf::AsfError::kReadFailed && http_ != nullptr && FAILED(http_->Failure())) {
        return http_->Failure();
    }
    return HResultFromAsf(e);
}

HRESULT WmvMedia::OpenByName(const WCHAR* name, DWORD access, DWORD share,
                             const WmvNetOptions& net, std::unique_ptr<WmvMedia>* out)
{
    if (name == nullptr || *name == 0) {
        return E_INVALIDARG;
    }
    auto media = std::make_unique<WmvMedia>();
    const std::wstring text(name);
    std::wstring scheme;
    HRESULT hr;
    if (HasScheme(text, &scheme) && scheme != L"file") {
        if (scheme != L"http" && scheme != L"mms") {
            return NS_E_UNKNOWN_PROTOCOL;
        }
        auto http = std::make_unique<WmvHttpSource>();
        hr = http->Open(text, net);
        if (FAILED(hr)) {
            return hr;
        }
        media->protocol_ = L"http";
        media->http_ = http.get();
        hr = media->Start(std::move(http));
        if (SUCCEEDED(hr) && media->Live()) {
            media->http_->SetLive();
        }
        if (FAILED(hr) && hr != E_ABORT && FAILED(media->http_->Failure())) {
            hr = media->http_->Failure();  // the network's reason, not the parser's
        }
    } else {
        std::wstring path = text;
        if (scheme == L"file") {
            path = text.substr(5);
            while (path.size() > 2 && path[0] == L'/' && path[1] == L'/') {
                path = path.substr(2);
            }
        }
        auto file = std::make_unique<WmvFileSource>();
        hr = file->Open(path.c_str(), access, share);
        if (FAILED(hr)) {
            return hr;
        }
        hr = media->Start(std::move(file));
    }
    if (SUCCEEDED(hr)) {
        *out = std::move(media);
    }
    return hr;
}

HRESULT WmvMedia::OpenStream(IStream* stream, std::unique_ptr<WmvMedia>* out)
{
    if (stream == nullptr) {
        return E_INVALIDARG;
    }
    auto media = std::make_unique<WmvMedia>();
    const HRESULT hr = media->Start(std::make_unique<WmvStreamSource>(stream));
    if (SUCCEEDED(hr)) {
        *out = std::move(media);
    }
    return hr;
}

void WmvMedia::Progress(uint64_t* bytes, unsigned* percent) const
{
    if (http_ != nullptr) {
        http_->Progress(bytes, percent);
        return;
    }
    *bytes = 0;
    source_->KnownSize(bytes);
    *percent = 100;
}

void WmvMedia::Abort()
{
    if (http_ != nullptr) {
        http_->Abort();
    }
}

}  // namespace orvane::wmv
