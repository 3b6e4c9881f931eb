// Device records. Every COM failure is traced with the failing call and drops the device.
#include "player/core/DxAudioDev.h"

#include "WinNT_SP/Include_VS2005/SupportStrings.h"
#include "WinNT_SP/Include_VS2005/SystemErrorText.h"
#include "WinNT_SP/Include_VS2005/TraceLog.h"
#include "WinNT_SP/Include_VS2005/WindowHelpers.h"

#include <mmsystem.h>
#include <uuids.h>

namespace {

constexpr UINT kQueryDeviceInterface = 0x080C;
constexpr UINT kQueryFunctionInstanceId = 0x0811;

void TraceError(HRESULT hr, const wchar_t* call)
{
    TraceLine(0, L"Err: %s!", FormatSystemError(static_cast<DWORD>(hr), call).c_str());
}

std::wstring QueryWaveText(int id, UINT message, bool input)
{
    wchar_t buffer[512] = {};
    const MMRESULT r =
        input ? waveInMessage(reinterpret_cast<HWAVEIN>(static_cast<UINT_PTR>(id)), message,
                              reinterpret_cast<DWORD_PTR>(buffer), sizeof buffer)
              : waveOutMessage(reinterpret_cast<HWAVEOUT>(static_cast<UINT_PTR>(id)), message,
                               reinterpret_cast<DWORD_PTR>(buffer), sizeof buffer);
    buffer[511] = 0;
    return r == MMSYSERR_NOERROR ? buffer : L"";
}

}  // namespace

DxAudioDev::~DxAudioDev() = default;

bool DxAudioDev::InitFromMoniker(IMoniker* source)
{
    HRESULT hr = source->BindToObject(nullptr, nullptr, IID_IBaseFilter,
                                      reinterpret_cast<void**>(&filter));
    if (FAILED(hr)) {
        // A failed call may leave anything there: forget it without releasing it.
        (void)filter.Detach();
        TraceError(hr, L"IMoniker::BindToObject");
        return false;
    }
    hr = filter->GetClassID(&classId);
    if (FAILED(hr)) {
        TraceError(hr, L"IBaseFilter::GetClassID");
        return false;
    }
    if (IsEqualGUID(classId, CLSID_AudioRender)) {
        return false;
    }
    kind = IsEqualGUID(classId, CLSID_AudioRecord) ? 1
           : IsEqualGUID(classId, CLSID_DSoundRender) ? 2
                                                       : 0;
    hr = source->BindToStorage(nullptr, nullptr, IID_IPropertyBag,
                               reinterpret_cast<void**>(&propertyBag));
    if (FAILED(hr)) {
        (void)propertyBag.Detach();
        TraceError(hr, L"IMoniker::BindToStorage");
        return false;
    }
    VARIANT v;
    VariantInit(&v);
    hr = propertyBag->Read(L"FriendlyName", &v, nullptr);
    if (FAILED(hr) || v.vt != VT_BSTR) {
        VariantClear(&v);
        TraceError(FAILED(hr) ? hr : DISP_E_TYPEMISMATCH, L"IPropertyBag::Read(FriendlyName)");
        return false;
    }
    friendlyName = v.bstrVal ? v.bstrVal : L"";
    VariantClear(&v);
    if (kind != 0) {
        const bool input = kind == 1;
        VariantInit(&v);
        if (SUCCEEDED(propertyBag->Read(input ? L"WaveInId" : L"WaveOutId", &v, nullptr)) &&
            v.vt == VT_I4) {
            waveId = v.lVal;
            interfacePath = QueryWaveText(waveId, kQueryDeviceInterface, input);
            if (IsWindowsVistaOrLater()) {
                endpointId = QueryWaveText(waveId, kQueryFunctionInstanceId, input);
            }
        }
        VariantClear(&v);
    }
    moniker = source;
    return true;
}

std::wstring DxAudioDev::GetDisplayName() const
{
    return endpointName.empty() ? friendlyName : endpointName;
}

std::wstring DxAudioDev::GetDescription() const
{
    const std::wstring path =
        interfacePath.empty() ? L"" : FormatNewString(L"\r\n  Intrf=[%s]", interfacePath.c_str());
    const std::wstring mixer = kind == 1 ? L"Mix: -" : L"";
    return FormatNewString(L"[%s]; %s%s%s", GetDisplayName().c_str(), mixer.c_str(), path.c_str(),
                           L"");
}
