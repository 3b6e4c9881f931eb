// Empty codec inventory and refused profile operations.
#include "platform/wmvcore/WmvProfileManager.h"

#include <new>

#include "platform/wmvcore/WmvCommon.h"

namespace orvane::wmv {

WmvProfileManager* WmvProfileManager::Create() { return new (std::nothrow) WmvProfileManager(); }

STDMETHODIMP WmvProfileManager::QueryInterface(REFIID iid, void** out)
{
    if (out == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IWMProfileManager) {
        *out = static_cast<IWMProfileManager*>(this);
    } else if (iid == IID_IWMCodecInfo || iid == IID_IWMCodecInfo2 || iid == IID_IWMCodecInfo3) {
        *out = static_cast<IWMCodecInfo3*>(this);
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) WmvProfileManager::AddRef() { return ++refs_; }

STDMETHODIMP_(ULONG) WmvProfileManager::Release()
{
    const ULONG n = --refs_;
    if (n == 0) {
        delete this;
    }
    return n;
}

namespace {

HRESULT NoProfile(IWMProfile** profile)
{
    if (profile != nullptr) {
        *profile = nullptr;
    }
    return NS_E_INVALID_REQUEST;
}

}  // namespace

STDMETHODIMP WmvProfileManager::CreateEmptyProfile(WMT_VERSION, IWMProfile** profile)
{
    return NoProfile(profile);
}

STDMETHODIMP WmvProfileManager::LoadProfileByID(REFGUID, IWMProfile** profile)
{
    return NoProfile(profile);
}

STDMETHODIMP WmvProfileManager::LoadProfileByData(const WCHAR*, IWMProfile** profile)
{
    return NoProfile(profile);
}

STDMETHODIMP WmvProfileManager::SaveProfile(IWMProfile*, WCHAR*, DWORD*)
{
    return NS_E_INVALID_REQUEST;
}

STDMETHODIMP WmvProfileManager::GetSystemProfileCount(DWORD* count)
{
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

STDMETHODIMP WmvProfileManager::LoadSystemProfile(DWORD, IWMProfile** profile)
{
    return NoProfile(profile);
}

STDMETHODIMP WmvProfileManager::GetCodecInfoCount(REFGUID, DWORD* count)
{
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

// With no codecs, every codec index is out of range.
STDMETHODIMP WmvProfileManager::GetCodecFormatCount(REFGUID, DWORD, DWORD* count)
{
    if (count != nullptr) {
        *count = 0;
    }
    return E_INVALIDARG;
}

STDMETHODIMP WmvProfileManager::GetCodecFormat(REFGUID, DWORD, DWORD, IWMStreamConfig** config)
{
    if (config != nullptr) {
        *config = nullptr;
    }
    return E_INVALIDARG;
}

STDMETHODIMP WmvProfileManager::GetCodecName(REFGUID, DWORD, WCHAR*, DWORD*)
{
    return E_INVALIDARG;
}

STDMETHODIMP WmvProfileManager::GetCodecFormatDesc(REFGUID, DWORD, DWORD,
                                                   IWMStreamConfig** config, WCHAR*, DWORD*)
{
    if (config != nullptr) {
        *config = nullptr;
    }
    return E_INVALIDARG;
}

STDMETHODIMP WmvProfileManager::GetCodecFormatProp(REFGUID, DWORD, DWORD, const WCHAR*,
                                                   WMT_ATTR_DATATYPE*, BYTE*, DWORD*)
{
    return E_INVALIDARG;
}

STDMETHODIMP WmvProfileManager::GetCodecProp(REFGUID, DWORD, const WCHAR*, WMT_ATTR_DATATYPE*,
                                             BYTE*, DWORD*)
{
    return E_INVALIDARG;
}

STDMETHODIMP WmvProfileManager::SetCodecEnumerationSetting(REFGUID, DWORD, const WCHAR*,
                                                           WMT_ATTR_DATATYPE, const BYTE*, DWORD)
{
    return E_INVALIDARG;
}

STDMETHODIMP WmvProfileManager::GetCodecEnumerationSetting(REFGUID, DWORD, const WCHAR*,
                                                           WMT_ATTR_DATATYPE*, BYTE*, DWORD*)
{
    return E_INVALIDARG;
}

}  // namespace orvane::wmv
