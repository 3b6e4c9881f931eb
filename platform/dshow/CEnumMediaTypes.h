// IEnumMediaTypes over a CBasePin's GetMediaType positions. Holds a reference to the pin;
// each type handed out is a CoTaskMem AM_MEDIA_TYPE the caller frees with DeleteMediaType.
#pragma once

#include <windows.h>
#include <strmif.h>

#include "platform/base/CComPtr.h"

class CBasePin;

class CEnumMediaTypes : public IEnumMediaTypes {
public:
    CEnumMediaTypes(CBasePin* pPin, CEnumMediaTypes* pEnumMediaTypes);
    virtual ~CEnumMediaTypes();
    CEnumMediaTypes(const CEnumMediaTypes&) = delete;
    CEnumMediaTypes& operator=(const CEnumMediaTypes&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP Next(ULONG cMediaTypes, AM_MEDIA_TYPE** ppMediaTypes, ULONG* pcFetched) override;
    STDMETHODIMP Skip(ULONG cMediaTypes) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumMediaTypes** ppEnum) override;

private:
    BOOL AreWeOutOfSync();

    volatile LONG m_cRef = 1;
    CComPtr<CBasePin> m_pPin;
    int m_Position = 0;
    LONG m_Version;
};
