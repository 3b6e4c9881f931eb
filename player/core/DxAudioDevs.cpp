// Enumeration of the audio renderers and the name lookups. Failures are traced and leave the
// list with what was gathered; nothing is reported to the caller.
#include "player/core/DxAudioDevs.h"

#include "WinNT_SP/Include_VS2005/SupportStrings.h"
#include "WinNT_SP/Include_VS2005/SystemErrorText.h"
#include "WinNT_SP/Include_VS2005/TraceLog.h"
#include "WinNT_SP/Include_VS2005/WindowHelpers.h"

#include <mmdeviceapi.h>
#include <propsys.h>
#include <uuids.h>

#include <commctrl.h>

namespace {

// {A45C254E-DF1C-4EFD-8020-67D146A850E0}, 14: the endpoint's friendly name.
const PROPERTYKEY kDeviceFriendlyName = {
    {0xA45C254E, 0xDF1C, 0x4EFD, {0x80, 0x20, 0x67, 0xD1, 0x46, 0xA8, 0x50, 0xE0}}, 14};
const CLSID kMMDeviceEnumerator = {
    0xBCDE0395, 0xE52F, 0x467C, {0x8E, 0x3D, 0xC4, 0x57, 0x92, 0x91, 0x69, 0x2E}};
const IID kIMMDeviceEnumerator = {
    0xA95664D2, 0x9614, 0x4F35, {0xA7, 0x46, 0xDE, 0x8D, 0xB6, 0x36, 0x17, 0xE6}};

void TraceError(HRESULT hr, const wchar_t* call)
{
    TraceLine(0, L"Err: %s!", FormatSystemError(static_cast<DWORD>(hr), call).c_str());
}

}  // namespace

DxAudioDevs::~DxAudioDevs() { Clear(); }

void DxAudioDevs::Clear()
{
    m_devices.clear();
    m_category = -1;
}

void DxAudioDevs::Add(DxAudioDev* device) { m_devices.emplace_back(device); }

void DxAudioDevs::Enumerate()
{
    Clear();
    m_category = 1;
    CComPtr<ICreateDevEnum> devEnum;
    HRESULT hr = CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_ICreateDevEnum, reinterpret_cast<void**>(&devEnum));
    if (hr != S_OK) {
        TraceError(hr, L"CoCreateInstance(CLSID_SystemDeviceEnum)");
        return;
    }
    CComPtr<IEnumMoniker> monikers;
    hr = devEnum->CreateClassEnumerator(CLSID_AudioRendererCategory, &monikers, 0);
    if (hr != S_OK) {
        TraceError(hr, L"ICreateDevEnum::CreateClassEnumerator");
        return;
    }
    monikers->Reset();
    for (;;) {
        CComPtr<IMoniker> moniker;
        if (monikers->Next(1, &moniker, nullptr) != S_OK || !moniker) {
            break;
        }
        auto device = std::make_unique<DxAudioDev>();
        if (device->InitFromMoniker(moniker)) {
            m_devices.push_back(std::move(device));
        }
    }
    if (IsWindowsVistaOrLater()) {
        ReadEndpointNames();
    }
}

void DxAudioDevs::ReadEndpointNames()
{
    CComPtr<IMMDeviceEnumerator> enumerator;
    if (FAILED(CoCreateInstance(kMMDeviceEnumerator, nullptr, CLSCTX_INPROC_SERVER,
                                kIMMDeviceEnumerator,
                                reinterpret_cast<void**>(&enumerator)))) {
        return;
    }
    CComPtr<IMMDeviceCollection> endpoints;
    if (FAILED(enumerator->EnumAudioEndpoints(m_category == 1 ? eRender : eCapture, 0x10000009,
                                              &endpoints))) {
        return;
    }
    UINT count = 0;
    if (FAILED(endpoints->GetCount(&count))) {
        return;
    }
    for (UINT i = 0; i < count; ++i) {
        CComPtr<IMMDevice> endpoint;
        if (FAILED(endpoints->Item(i, &endpoint))) {
            continue;
        }
        LPWSTR id = nullptr;
        if (FAILED(endpoint->GetId(&id)) || !id) {
            continue;
        }
        const std::wstring endpointId = id;
        CoTaskMemFree(id);
        CComPtr<IPropertyStore> store;
        if (FAILED(endpoint->OpenPropertyStore(STGM_READ, &store))) {
            continue;
        }
        PROPVARIANT value;
        PropVariantInit(&value);
        if (SUCCEEDED(store->GetValue(kDeviceFriendlyName, &value)) && value.vt == VT_LPWSTR &&
            value.pwszVal && *value.pwszVal) {
            for (auto& device : m_devices) {
                if (_wcsicmp(device->endpointId.c_str(), endpointId.c_str()) == 0) {
                    device->endpointName = value.pwszVal;
                    break;
                }
            }
        }
        PropVariantClear(&value);
    }
}

void DxAudioDevs::FillComboBox(HWND combo, const wchar_t* name) const
{
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    int selected = 0;
    bool found = false;
    for (int i = 0; i < Count(); ++i) {
        const std::wstring display = m_devices[i]->GetDisplayName();
        const LRESULT item =
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(display.c_str()));
        if (item >= 0) {
            SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(item), i);
            if (!found && name && _wcsicmp(display.c_str(), name) == 0) {
                selected = static_cast<int>(item);
                found = true;
            }
        }
    }
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

const DxAudioDev* DxAudioDevs::Find(const wchar_t* name) const
{
    if (!m_devices.empty()) {
        if (!name || !*name) {
            return m_devices.front().get();
        }
        for (const auto& device : m_devices) {
            if (_wcsicmp(device->GetDisplayName().c_str(), name) == 0) {
                return device.get();
            }
        }
    }
    TraceLine(0, L"Device [%s] not found!", name ? name : L"");
    return nullptr;
}

std::wstring DxAudioDevs::Dump() const
{
    std::wstring text = FormatNewString(
        L"--- %i %s DEVS, Def=[%s] ---\r\n", Count(), m_category != 0 ? L"OUT" : L"IN",
        m_devices.empty() ? L"" : m_devices.front()->GetDisplayName().c_str());
    for (int i = 0; i < Count(); ++i) {
        text += FormatNewString(L"Dev %02i: %s\r\n", i, m_devices[i]->GetDescription().c_str());
    }
    return text + L"\r\n";
}

DxAudioDevs& PlayDevices()
{
    static DxAudioDevs devices;
    return devices;
}

IMoniker* GetPlayDeviceMoniker(const wchar_t* name)
{
    const DxAudioDev* device = PlayDevices().Find(name);
    return device ? device->moniker : nullptr;
}

IBaseFilter* GetPlayDeviceFilter(const wchar_t* name)
{
    const DxAudioDev* device = PlayDevices().Find(name);
    return device ? device->filter : nullptr;
}

std::wstring DumpPlayDevices() { return PlayDevices().Dump(); }

BOOL IsShellViewModeCommand(UINT command)
{
    return (command == 28713 || command == 28715 || command == 28716 || command == 28718) ? TRUE
                                                                                          : FALSE;
}
