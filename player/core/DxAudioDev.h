// One audio output device of the DirectShow audio renderer category: its moniker, the bound
// renderer filter, the names it is known by (DirectShow and Core Audio) and its wave device's
// interface path and endpoint id.
#pragma once

#include "platform/framework/CComPtr.h"

#include <windows.h>
#include <strmif.h>

#include <string>

class DxAudioDev {
public:
    DxAudioDev() = default;
    virtual ~DxAudioDev();
    DxAudioDev(const DxAudioDev&) = delete;
    DxAudioDev& operator=(const DxAudioDev&) = delete;

    // Binds the filter and reads the names; false when the device is not offered (a failure,
    // or the wave-out renderer, which the list leaves out). Takes a reference to the moniker
    // only when accepted.
    bool InitFromMoniker(IMoniker* moniker);
    std::wstring GetDisplayName() const;
    std::wstring GetDescription() const;

    CComPtr<IMoniker> moniker;
    CComPtr<IBaseFilter> filter;
    CComPtr<IPropertyBag> propertyBag;
    int kind = 0;  // 0 other, 1 audio capture filter, 2 DirectSound renderer
    GUID classId = GUID_NULL;
    std::wstring friendlyName;
    std::wstring endpointName;
    int waveId = -1;
    std::wstring interfacePath;
    std::wstring endpointId;
};
