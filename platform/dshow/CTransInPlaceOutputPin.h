// Output pin of CTransInPlaceFilter: offers the upstream pin's types, takes only the input's
// type, and hands the input's allocator downstream when the downstream pin accepts it.
#pragma once

#include "platform/dshow/CTransformOutputPin.h"

class CTransInPlaceFilter;

class CTransInPlaceOutputPin : public CTransformOutputPin {
public:
    CTransInPlaceOutputPin(LPCTSTR pObjectName, CTransInPlaceFilter* pFilter, HRESULT* phr,
                           LPCWSTR pName);

    STDMETHODIMP EnumMediaTypes(IEnumMediaTypes** ppEnum) override;
    HRESULT CheckMediaType(const CMediaType* pmt) override;
    HRESULT DecideAllocator(IMemInputPin* pPin, IMemAllocator** ppAlloc) override;
    // Gives the output the same allocator as the input (pass-through); FALSE when the
    // downstream pin refuses it.
    HRESULT ShareInputAllocator(IMemAllocator* pAllocator, BOOL bReadOnly);

protected:
    CTransInPlaceFilter* m_pTIPFilter;
};
