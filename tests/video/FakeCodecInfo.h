// A codec information object describing made-up codecs, so that the format walk and the codec
// inventory can be tested against known machines; it records the enumeration settings it was
// given.
#pragma once

#include "platform/dshow/CMediaType.h"

#include <windows.h>
#include <wmsdkidl.h>

#include <map>
#include <string>
#include <vector>

struct FakeFormat {
    CMediaType type;
    std::wstring description;
};

struct FakeCodec {
    std::wstring name;
    std::vector<FakeFormat> formats;
    HRESULT vbrResult = S_OK;     // answer to "_VBRENABLED"
    HRESULT passesResult = S_OK;  // answer to "_PASSESUSED"
    std::map<std::wstring, DWORD> props;
};

class FakeCodecInfo final : public IWMCodecInfo3 {
public:
    FakeCodecInfo() = default;

    std::vector<FakeCodec> audio;
    std::vector<FakeCodec> video;
    int settingsCalls = 0;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
    STDMETHODIMP_(ULONG) Release() override;
    ULONG References() const { return m_refs; }

    // IWMCodecInfo
    STDMETHODIMP GetCodecInfoCount(REFGUID guid, DWORD* count) override;
    STDMETHODIMP GetCodecFormatCount(REFGUID guid, DWORD codec, DWORD* count) override;
    STDMETHODIMP GetCodecFormat(REFGUID guid, DWORD codec, DWORD format,
                                IWMStreamConfig** config) override;
    // IWMCodecInfo2
    STDMETHODIMP GetCodecName(REFGUID guid, DWORD codec, WCHAR* name, DWORD* size) override;
    STDMETHODIMP GetCodecFormatDesc(REFGUID guid, DWORD codec, DWORD format,
                                    IWMStreamConfig** config, WCHAR* text,
                                    DWORD* size) override;
    // IWMCodecInfo3
    STDMETHODIMP GetCodecFormatProp(REFGUID, DWORD, DWORD, const WCHAR*, WMT_ATTR_DATATYPE*,
                                    BYTE*, DWORD*) override
    {
        return E_NOTIMPL;
    }
    STDMETHODIMP GetCodecProp(REFGUID guid, DWORD codec, const WCHAR* name,
                              WMT_ATTR_DATATYPE* type, BYTE* value, DWORD* size) override;
    STDMETHODIMP SetCodecEnumerationSetting(REFGUID guid, DWORD codec, const WCHAR* name,
                                            WMT_ATTR_DATATYPE type, const BYTE* value,
                                            DWORD size) override;
    STDMETHODIMP GetCodecEnumerationSetting(REFGUID, DWORD, const WCHAR*, WMT_ATTR_DATATYPE*,
                                            BYTE*, DWORD*) override
    {
        return E_NOTIMPL;
    }

private:
    ~FakeCodecInfo() = default;
    const FakeCodec* Codec(REFGUID guid, DWORD codec) const;

    ULONG m_refs = 1;
};
