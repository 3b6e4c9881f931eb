// The profile manager (WMCreateProfileManager), as far as codec inventories ask: its
// IWMCodecInfo3 honestly reports no codecs, since the stand-in carries none. Profiles cannot
// be created or loaded (writing is not supported).
#pragma once

#include <windows.h>
#include <wmsdk.h>

#include <atomic>

namespace orvane::wmv {

class WmvProfileManager final : public IWMProfileManager, public IWMCodecInfo3 {
public:
    static WmvProfileManager* Create();

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP CreateEmptyProfile(WMT_VERSION version, IWMProfile** profile) override;
    STDMETHODIMP LoadProfileByID(REFGUID id, IWMProfile** profile) override;
    STDMETHODIMP LoadProfileByData(const WCHAR* data, IWMProfile** profile) override;
    STDMETHODIMP SaveProfile(IWMProfile* profile, WCHAR* data, DWORD* length) override;
    STDMETHODIMP GetSystemProfileCount(DWORD* count) override;
    STDMETHODIMP LoadSystemProfile(DWORD index, IWMProfile** profile) override;

    STDMETHODIMP GetCodecInfoCount(REFGUID type, DWORD* count) override;
    STDMETHODIMP GetCodecFormatCount(REFGUID type, DWORD codec, DWORD* count) override;
    STDMETHODIMP GetCodecFormat(REFGUID type, DWORD codec, DWORD format,
                                IWMStreamConfig** config) override;
    STDMETHODIMP GetCodecName(REFGUID type, DWORD codec, WCHAR* name, DWORD* length) override;
    STDMETHODIMP GetCodecFormatDesc(REFGUID type, DWORD codec, DWORD format,
                                    IWMStreamConfig** config, WCHAR* description,
                                    DWORD* length) override;
    STDMETHODIMP GetCodecFormatProp(REFGUID type, DWORD codec, DWORD format, const WCHAR* name,
                                    WMT_ATTR_DATATYPE* valueType, BYTE* value,
                                    DWORD* size) override;
    STDMETHODIMP GetCodecProp(REFGUID type, DWORD codec, const WCHAR* name,
                              WMT_ATTR_DATATYPE* valueType, BYTE* value, DWORD* size) override;
    STDMETHODIMP SetCodecEnumerationSetting(REFGUID type, DWORD codec, const WCHAR* name,
                                            WMT_ATTR_DATATYPE valueType, const BYTE* value,
                                            DWORD size) override;
    STDMETHODIMP GetCodecEnumerationSetting(REFGUID type, DWORD codec, const WCHAR* name,
                                            WMT_ATTR_DATATYPE* valueType, BYTE* value,
                                            DWORD* size) override;

private:
    WmvProfileManager() = default;
    ~WmvProfileManager() = default;

    std::atomic<ULONG> refs_{1};
};

}  // namespace orvane::wmv
