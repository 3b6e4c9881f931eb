// IEnumPins over a CBaseFilter's pins by index. Holds a reference to the filter and reports
// VFW_E_ENUM_OUT_OF_SYNC when the filter's pin version changed since creation or Reset.
#pragma once

#include <windows.h>
#include <strmif.h>

#include "platform/base/CComPtr.h"

class CBaseFilter;

class CEnumPins : public IEnumPins {
public:
    // pEnumPins, when given, is the enumerator to copy the position from (Clone).
    CEnumPins(CBaseFilter* pFilter, CEnumPins* pEnumPins);
    virtual ~CEnumPins();
    CEnumPins(const CEnumPins&) = delete;
    CEnumPins& operator=(const CEnumPins&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP Next(ULONG cPins, IPin** ppPins, ULONG* pcFetched) override;
    STDMETHODIMP Skip(ULONG cPins) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumPins** ppEnum) override;

private:
    BOOL AreWeOutOfSync();

    volatile LONG m_cRef = 1;
    CComPtr<CBaseFilter> m_pFilter;
    int m_Position = 0;
    LONG m_Version;
};
