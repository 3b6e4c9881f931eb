// The audio endpoint part of the system dump: every endpoint of the multimedia device
// enumerator with its state, data flow and names.
#include "WinNT_SP/Include_VS2005/ui/SystemDump.h"

#include "WinNT_SP/Include_VS2005/TraceLog.h"
#include "platform/base/CComPtr.h"

#include <mmdeviceapi.h>
#include <propsys.h>

#include <string>

namespace {

// Declared here so that no property-key or GUID library is needed.
const CLSID kClsidEnumerator = {
    0xBCDE0395, 0xE52F, 0x467C, {0x8E, 0x3D, 0xC4, 0x57, 0x92, 0x91, 0x69, 0x2E}};
const IID kIidEnumerator = {
    0xA95664D2, 0x9614, 0x4F35, {0xA7, 0x46, 0xDE, 0x8D, 0xB6, 0x36, 0x17, 0xE6}};
const IID kIidEndpoint = {
    0x1BE09788, 0x6894, 0x4089, {0x85, 0x86, 0x9A, 0x2A, 0x6C, 0x26, 0x5A, 0xC5}};
const PROPERTYKEY kFriendlyName = {
    {0xA45C254E, 0xDF1C, 0x4EFD, {0x80, 0x20, 0x67, 0xD1, 0x46, 0xA8, 0x50, 0xE0}}, 14};
const PROPERTYKEY kDeviceDesc = {
    {0xA45C254E, 0xDF1C, 0x4EFD, {0x80, 0x20, 0x67, 0xD1, 0x46, 0xA8, 0x50, 0xE0}}, 2};
const PROPERTYKEY kInterfaceFriendlyName = {
    {0x026E516E, 0xB814, 0x414B, {0x83, 0xCD, 0x85, 0x6D, 0x6F, 0xEF, 0x48, 0x22}}, 2};

std::wstring Hex(const wchar_t* format, HRESULT hr)
{
    wchar_t text[64];
    _snwprintf(text, 64, format, static_cast<unsigned>(hr));
    text[63] = 0;
    return text;
}

std::wstring PropertyText(IPropertyStore* store, const PROPERTYKEY& key)
{
    PROPVARIANT value;
    PropVariantInit(&value);
    const HRESULT hr = store->GetValue(key, &value);
    std::wstring text;
    if (FAILED(hr)) {
        text = Hex(L"<err.0x%X>", hr);
    } else if (value.vt == VT_LPWSTR) {
        text = value.pwszVal ? value.pwszVal : L"";
    } else {
        text = Hex(L"<unexp.val.type %i>", static_cast<HRESULT>(value.vt));
    }
    PropVariantClear(&value);
    return text;
}

std::wstring StateText(IMMDevice* device)
{
    DWORD state = 0;
    const HRESULT hr = device->GetState(&state);
    if (FAILED(hr)) {
        return Hex(L"err.0x%X", hr);
    }
    std::wstring text;
    if (state > 15) {
        text = Hex(L"0x%X=", static_cast<HRESULT>(state));
    }
    const wchar_t* words[] = {L"Acti", L"Disa", L"NoPr", L"UnPg"};
    for (int bit = 0; bit < 4; ++bit) {
        if (state & (1u << bit)) {
            text += words[bit];
        }
    }
    return text;
}

std::wstring FlowText(IMMDevice* device)
{
    CComPtr<IMMEndpoint> endpoint;
    HRESULT hr = device->QueryInterface(kIidEndpoint, reinterpret_cast<void**>(&endpoint.p));
    if (FAILED(hr)) {
        return Hex(L"QI-err.0x%X", hr);
    }
    EDataFlow flow;
    hr = endpoint.p->GetDataFlow(&flow);
    if (FAILED(hr)) {
        return Hex(L"err.0x%X", hr);
    }
    if (flow == eRender) {
        return L"Ply";
    }
    if (flow == eCapture) {
        return L"Rcd";
    }
    return Hex(L"%i=?", static_cast<HRESULT>(flow));
}

}  // namespace

void LogAudioEndpoints(CReleaseModeDebug* sink)
{
    if (!sink) {
        sink = &TraceLog();
    }
    CComPtr<IMMDeviceEnumerator> enumerator;
    HRESULT hr = CoCreateInstance(kClsidEnumerator, nullptr, CLSCTX_INPROC_SERVER, kIidEnumerator,
                                  reinterpret_cast<void**>(&enumerator.p));
    if (FAILED(hr)) {
        const wchar_t* name = hr == REGDB_E_CLASSNOTREG   ? L"REGDB_E_CLASSNOTREG"
                              : hr == CO_E_NOTINITIALIZED ? L"CO_E_NOTINITIALIZED"
                                                          : L"(unexpected)";
        LogPrintf(sink, RMD_CONTINUATION, L"CoCreateInstance(IMMDeviceEnumerator) err.0x%X %s",
                  static_cast<unsigned>(hr), name);
        return;
    }
    CComPtr<IMMDeviceCollection> devices;
    hr = enumerator.p->EnumAudioEndpoints(eAll, DEVICE_STATEMASK_ALL, &devices.p);
    if (FAILED(hr)) {
        LogPrintf(sink, RMD_CONTINUATION, L"IMMDeviceEnumerator::EnumAudioEndpoints err.0x%X",
                  static_cast<unsigned>(hr));
        return;
    }
    UINT count = 0;
    hr = devices.p->GetCount(&count);
    if (FAILED(hr)) {
        LogPrintf(sink, RMD_CONTINUATION, L"IMMDeviceCollection::GetCount err.0x%X",
                  static_cast<unsigned>(hr));
        return;
    }
    LogPrintf(sink, RMD_CONTINUATION, L"%i WinVista devs", static_cast<int>(count));
    for (UINT i = 0; i < count; ++i) {
        CComPtr<IMMDevice> device;
        hr = devices.p->Item(i, &device.p);
        if (FAILED(hr)) {
            LogPrintf(sink, RMD_CONTINUATION, L"%2u: err.0x%X", i, static_cast<unsigned>(hr));
            continue;
        }
        const std::wstring state = StateText(device.p);
        const std::wstring flow = FlowText(device.p);
        CComPtr<IPropertyStore> store;
        hr = device.p->OpenPropertyStore(STGM_READ, &store.p);
        if (FAILED(hr)) {
            LogPrintf(sink, RMD_CONTINUATION, L"%2i: T=%s S=%s%s N=err.0x%X",
                      static_cast<int>(i), flow.c_str(), state.c_str(), L"",
                      static_cast<unsigned>(hr));
            continue;
        }
        const std::wstring name = PropertyText(store.p, kFriendlyName);
        const std::wstring description = PropertyText(store.p, kDeviceDesc);
        const std::wstring interfaceName = PropertyText(store.p, kInterfaceFriendlyName);
        LogPrintf(sink, RMD_CONTINUATION, L"%2i: T=%s S=%s%s N=[%s]", static_cast<int>(i),
                  flow.c_str(), state.c_str(), L"", name.c_str());
        if (name != description + L" (" + interfaceName + L")") {
            LogPrintf(sink, RMD_CONTINUATION, L"!!! N1=[%s] N2=[%s]", description.c_str(),
                      interfaceName.c_str());
        }
    }
}
