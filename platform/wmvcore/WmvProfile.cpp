// Stream list of an opened presentation.
#include "platform/wmvcore/WmvProfile.h"

#include "platform/wmvcore/WmvCommon.h"

namespace orvane::wmv {

WmvProfile::~WmvProfile() { Clear(); }

void WmvProfile::Clear()
{
    streams_.clear();
    loaded_ = false;
}

void WmvProfile::Load(const asf::AsfHeader* header)
{
    Clear();
    if (header == nullptr) {
        return;
    }
    for (const asf::AsfStream& s : header->streams) {
        CComPtr<WmvStreamConfig> config;
        config.Attach(WmvStreamConfig::Create(s));
        if (config) {
            streams_.push_back(std::move(config));
        }
    }
    loaded_ = true;
}

STDMETHODIMP WmvProfile::QueryInterface(REFIID iid, void** out)
{
    return owner_->QueryInterface(iid, out);
}

STDMETHODIMP_(ULONG) WmvProfile::AddRef() { return owner_->AddRef(); }
// Refcounting: a part of the reader shares its owner's count.
STDMETHODIMP_(ULONG) WmvProfile::Release() { return owner_->Release(); }

STDMETHODIMP WmvProfile::GetVersion(WMT_VERSION* version)
{
    if (version == nullptr) {
        return E_POINTER;
    }
    *version = WMT_VER_9_0;
    return S_OK;
}

STDMETHODIMP WmvProfile::GetName(WCHAR* name, DWORD* length)
{
    return CopyText(std::u16string(), name, length);
}

STDMETHODIMP WmvProfile::SetName(const WCHAR*) { return S_OK; }
STDMETHODIMP WmvProfile::GetDescription(WCHAR* description, DWORD* length)
{
    return CopyText(std::u16string(), description, length);
}

STDMETHODIMP WmvProfile::SetDescription(const WCHAR*) { return S_OK; }

STDMETHODIMP WmvProfile::GetStreamCount(DWORD* count)
{
    if (count == nullptr) {
        return E_POINTER;
    }
    if (!loaded_) {
        return NS_E_INVALID_REQUEST;
    }
    *count = static_cast<DWORD>(streams_.size());
    return S_OK;
}

STDMETHODIMP WmvProfile::GetStream(DWORD index, IWMStreamConfig** config)
{
    if (config == nullptr) {
        return E_POINTER;
    }
    *config = nullptr;
    if (index >= streams_.size()) {
        return E_INVALIDARG;
    }
    *config = streams_[index];
    streams_[index]->AddRef();
    return S_OK;
}

STDMETHODIMP WmvProfile::GetStreamByNumber(WORD number, IWMStreamConfig** config)
{
    if (config == nullptr) {
        return E_POINTER;
    }
    *config = nullptr;
    for (WmvStreamConfig* s : streams_) {
        if (s->Number() == number) {
            *config = s;
            s->AddRef();
            return S_OK;
        }
    }
    return NS_E_INVALID_STREAM;
}

STDMETHODIMP WmvProfile::RemoveStream(IWMStreamConfig* config)
{
    if (config == nullptr) {
        return E_POINTER;
    }
    WORD number = 0;
    const HRESULT hr = config->GetStreamNumber(&number);
    return FAILED(hr) ? hr : RemoveStreamByNumber(number);
}

STDMETHODIMP WmvProfile::RemoveStreamByNumber(WORD number)
{
    for (auto it = streams_.begin(); it != streams_.end(); ++it) {
        if ((*it)->Number() == number) {
            streams_.erase(it);
            return S_OK;
        }
    }
    return NS_E_INVALID_STREAM;
}

STDMETHODIMP WmvProfile::ReconfigStream(IWMStreamConfig* config)
{
    if (config == nullptr) {
        return E_POINTER;
    }
    WORD number = 0;
    const HRESULT hr = config->GetStreamNumber(&number);
    if (FAILED(hr)) {
        return hr;
    }
    // The configs we hand out are the ones we keep, so the change is already in place.
    for (WmvStreamConfig* s : streams_) {
        if (s->Number() == number) {
            return S_OK;
        }
    }
    return NS_E_INVALID_STREAM;
}

STDMETHODIMP WmvProfile::AddStream(IWMStreamConfig*) { return NS_E_INVALID_REQUEST; }
STDMETHODIMP WmvProfile::CreateNewStream(REFGUID, IWMStreamConfig** config)
{
    if (config != nullptr) {
        *config = nullptr;
    }
    return NS_E_INVALID_REQUEST;
}

STDMETHODIMP WmvProfile::GetMutualExclusionCount(DWORD* count)
{
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

STDMETHODIMP WmvProfile::GetMutualExclusion(DWORD, IWMMutualExclusion** exclusion)
{
    if (exclusion != nullptr) {
        *exclusion = nullptr;
    }
    return E_INVALIDARG;
}

STDMETHODIMP WmvProfile::RemoveMutualExclusion(IWMMutualExclusion*) { return NS_E_INVALID_REQUEST; }
STDMETHODIMP WmvProfile::AddMutualExclusion(IWMMutualExclusion*) { return NS_E_INVALID_REQUEST; }
STDMETHODIMP WmvProfile::CreateNewMutualExclusion(IWMMutualExclusion** exclusion)
{
    if (exclusion != nullptr) {
        *exclusion = nullptr;
    }
    return NS_E_INVALID_REQUEST;
}

}  // namespace orvane::wmv
