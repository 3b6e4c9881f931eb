// Made-up codec information and the stream configurations that carry its formats.
#include "tests/video/FakeCodecInfo.h"

#include <nserror.h>
#include <uuids.h>

#include <cstring>

namespace {

// A stream configuration whose only readable property is its media type.
class FakeStreamConfig final : public IWMStreamConfig, public IWMMediaProps {
public:
    explicit FakeStreamConfig(const AM_MEDIA_TYPE& type) { m_type.Set(type); }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(IWMStreamConfig))) {
            *out = static_cast<IWMStreamConfig*>(this);
        } else if (IsEqualIID(iid, __uuidof(IWMMediaProps))) {
            *out = static_cast<IWMMediaProps*>(this);
        } else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG refs = --m_refs;
        if (refs == 0) {
            delete this;
        }
        return refs;
    }
    STDMETHODIMP GetStreamType(GUID* type) override
    {
        *type = m_type.majortype;
        return S_OK;
    }
    STDMETHODIMP GetStreamNumber(WORD*) override { return E_NOTIMPL; }
    STDMETHODIMP SetStreamNumber(WORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetStreamName(WCHAR*, WORD*) override { return E_NOTIMPL; }
    STDMETHODIMP SetStreamName(LPCWSTR_WMSDK_TYPE_SAFE) override { return E_NOTIMPL; }
    STDMETHODIMP GetConnectionName(WCHAR*, WORD*) override { return E_NOTIMPL; }
    STDMETHODIMP SetConnectionName(LPCWSTR_WMSDK_TYPE_SAFE) override { return E_NOTIMPL; }
    STDMETHODIMP GetBitrate(DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP SetBitrate(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetBufferWindow(DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP SetBufferWindow(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetType(GUID* type) override
    {
        *type = m_type.majortype;
        return S_OK;
    }
    STDMETHODIMP GetMediaType(WM_MEDIA_TYPE* type, DWORD* size) override
    {
        const DWORD need = sizeof(WM_MEDIA_TYPE) + m_type.cbFormat;
        if (!type) {
            *size = need;
            return S_OK;
        }
        if (*size < need) {
            return E_INVALIDARG;
        }
        std::memcpy(type, static_cast<const AM_MEDIA_TYPE*>(&m_type), sizeof(WM_MEDIA_TYPE));
        type->pUnk = nullptr;
        type->pbFormat = m_type.cbFormat ? reinterpret_cast<BYTE*>(type + 1) : nullptr;
        if (m_type.cbFormat) {
            std::memcpy(type->pbFormat, m_type.pbFormat, m_type.cbFormat);
        }
        return S_OK;
    }
    STDMETHODIMP SetMediaType(WM_MEDIA_TYPE*) override { return E_NOTIMPL; }

private:
    ~FakeStreamConfig() = default;
    CMediaType m_type;
    ULONG m_refs = 1;
};

HRESULT CopyText(const std::wstring& text, WCHAR* out, DWORD* size)
{
    const DWORD need = static_cast<DWORD>(text.size() + 1);
    if (!out) {
        *size = need;
        return S_OK;
    }
    if (*size < need) {
        return E_INVALIDARG;
    }
    std::memcpy(out, text.c_str(), need * sizeof(WCHAR));
    *size = need;
    return S_OK;
}

}  // namespace

HRESULT FakeCodecInfo::QueryInterface(REFIID iid, void** out)
{
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(IWMCodecInfo)) ||
        IsEqualIID(iid, __uuidof(IWMCodecInfo2)) || IsEqualIID(iid, __uuidof(IWMCodecInfo3))) {
        *out = static_cast<IWMCodecInfo3*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG FakeCodecInfo::Release()
{
    const ULONG refs = --m_refs;
    if (refs == 0) {
        delete this;
    }
    return refs;
}

const FakeCodec* FakeCodecInfo::Codec(REFGUID guid, DWORD codec) const
{
    const std::vector<FakeCodec>& list = IsEqualGUID(guid, MEDIATYPE_Audio) ? audio : video;
    return codec < list.size() ? &list[codec] : nullptr;
}

HRESULT FakeCodecInfo::GetCodecInfoCount(REFGUID guid, DWORD* count)
{
    *count = static_cast<DWORD>((IsEqualGUID(guid, MEDIATYPE_Audio) ? audio : video).size());
    return S_OK;
}

HRESULT FakeCodecInfo::GetCodecFormatCount(REFGUID guid, DWORD codec, DWORD* count)
{
    const FakeCodec* c = Codec(guid, codec);
    if (!c) {
        return E_INVALIDARG;
    }
    *count = static_cast<DWORD>(c->formats.size());
    return S_OK;
}

HRESULT FakeCodecInfo::GetCodecFormat(REFGUID guid, DWORD codec, DWORD format,
                                      IWMStreamConfig** config)
{
    const FakeCodec* c = Codec(guid, codec);
    if (!c || format >= c->formats.size()) {
        return E_INVALIDARG;
    }
    *config = new FakeStreamConfig(c->formats[format].type);
    return S_OK;
}

HRESULT FakeCodecInfo::GetCodecName(REFGUID guid, DWORD codec, WCHAR* name, DWORD* size)
{
    const FakeCodec* c = Codec(guid, codec);
    return c ? CopyText(c->name, name, size) : E_INVALIDARG;
}

HRESULT FakeCodecInfo::GetCodecFormatDesc(REFGUID guid, DWORD codec, DWORD format,
                                          IWMStreamConfig** config, WCHAR* text, DWORD* size)
{
    const FakeCodec* c = Codec(guid, codec);
    if (!c || format >= c->formats.size()) {
        return E_INVALIDARG;
    }
    if (config) {
        *config = new FakeStreamConfig(c->formats[format].type);
    }
    return CopyText(c->formats[format].description, text, size);
}

HRESULT FakeCodecInfo::GetCodecProp(REFGUID guid, DWORD codec, const WCHAR* name,
                                    WMT_ATTR_DATATYPE* type, BYTE* value, DWORD* size)
{
    const FakeCodec* c = Codec(guid, codec);
    if (!c) {
        return E_INVALIDARG;
    }
    const auto it = c->props.find(name);
    if (it == c->props.end()) {
        return NS_E_UNSUPPORTED_PROPERTY;
    }
    *type = WMT_TYPE_DWORD;
    if (*size < sizeof(DWORD)) {
        return E_INVALIDARG;
    }
    std::memcpy(value, &it->second, sizeof(DWORD));
    *size = sizeof(DWORD);
    return S_OK;
}

HRESULT FakeCodecInfo::SetCodecEnumerationSetting(REFGUID guid, DWORD codec, const WCHAR* name,
                                                  WMT_ATTR_DATATYPE, const BYTE*, DWORD)
{
    ++settingsCalls;
    const FakeCodec* c = Codec(guid, codec);
    if (!c) {
        return E_INVALIDARG;
    }
    if (std::wstring(name) == L"_VBRENABLED") {
        return c->vbrResult;
    }
    if (std::wstring(name) == L"_PASSESUSED") {
        return c->passesResult;
    }
    return NS_E_UNSUPPORTED_PROPERTY;
}
