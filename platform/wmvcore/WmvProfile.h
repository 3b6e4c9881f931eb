// IWMProfile of an opened presentation: its streams as IWMStreamConfig objects, in header
// order. A face of the reader (IUnknown goes to the owner). Removing or reconfiguring a
// stream changes this view only, as the runtime's reader profile does.
#pragma once

#include <windows.h>
#include <wmsdk.h>

#include <vector>

#include "platform/wmvcore/WmvStreamConfig.h"
#include "platform/wmvcore/asf/AsfHeader.h"
#include "platform/base/CComPtr.h"

namespace orvane::wmv {

class WmvProfile final : public IWMProfile {
public:
    explicit WmvProfile(IUnknown* owner) : owner_(owner) {}
    ~WmvProfile();

    // Rebuilds the stream list from a header; null empties it.
    void Load(const asf::AsfHeader* header);
    bool Loaded() const { return loaded_; }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetVersion(WMT_VERSION* version) override;
    STDMETHODIMP GetName(WCHAR* name, DWORD* length) override;
    STDMETHODIMP SetName(const WCHAR* name) override;
    STDMETHODIMP GetDescription(WCHAR* description, DWORD* length) override;
    STDMETHODIMP SetDescription(const WCHAR* description) override;
    STDMETHODIMP GetStreamCount(DWORD* count) override;
    STDMETHODIMP GetStream(DWORD index, IWMStreamConfig** config) override;
    STDMETHODIMP GetStreamByNumber(WORD number, IWMStreamConfig** config) override;
    STDMETHODIMP RemoveStream(IWMStreamConfig* config) override;
    STDMETHODIMP RemoveStreamByNumber(WORD number) override;
    STDMETHODIMP AddStream(IWMStreamConfig* config) override;
    STDMETHODIMP ReconfigStream(IWMStreamConfig* config) override;
    STDMETHODIMP CreateNewStream(REFGUID type, IWMStreamConfig** config) override;
    STDMETHODIMP GetMutualExclusionCount(DWORD* count) override;
    STDMETHODIMP GetMutualExclusion(DWORD index, IWMMutualExclusion** exclusion) override;
    STDMETHODIMP RemoveMutualExclusion(IWMMutualExclusion* exclusion) override;
    STDMETHODIMP AddMutualExclusion(IWMMutualExclusion* exclusion) override;
    STDMETHODIMP CreateNewMutualExclusion(IWMMutualExclusion** exclusion) override;

private:
    void Clear();

    IUnknown* owner_;  // not counted: the face lives inside its owner
    std::vector<CComPtr<WmvStreamConfig>> streams_;
    bool loaded_ = false;
};

}  // namespace orvane::wmv
