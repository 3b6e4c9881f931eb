// Input pin of CTransInPlaceFilter: offers and accepts what the downstream filter takes, and
// passes the allocator it is given on to the downstream filter.
#pragma once

#include "platform/dshow/CTransformInputPin.h"

class CTransInPlaceFilter;

class CTransInPlaceInputPin : public CTransformInputPin {
public:
    CTransInPlaceInputPin(LPCTSTR pObjectName, CTransInPlaceFilter* pFilter, HRESULT* phr,
                          LPCWSTR pName);

    // The downstream pin's types (VFW_E_NOT_CONNECTED while the output is unconnected).
    STDMETHODIMP EnumMediaTypes(IEnumMediaTypes** ppEnum) override;
    // The downstream allocator when the output is connected, else our own.
    STDMETHODIMP GetAllocator(IMemAllocator** ppAllocator) override;
    // Records the allocator and offers it downstream; if refused the filter copies.
    STDMETHODIMP NotifyAllocator(IMemAllocator* pAllocator, BOOL bReadOnly) override;
    STDMETHODIMP GetAllocatorRequirements(ALLOCATOR_PROPERTIES* pProps) override;
    HRESULT CheckMediaType(const CMediaType* pmt) override;

protected:
    CTransInPlaceFilter* m_pTIPFilter;
};
