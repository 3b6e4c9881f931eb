// In-place output pin: types and the allocator come from the input side.
#include "platform/dshow/CTransInPlaceOutputPin.h"

#include <vfwmsgs.h>

#include "platform/dshow/CAutoLock.h"
#include "platform/dshow/CTransInPlaceFilter.h"
#include "platform/dshow/CTransInPlaceInputPin.h"

CTransInPlaceOutputPin::CTransInPlaceOutputPin(LPCTSTR pObjectName,
                                               CTransInPlaceFilter* pFilter, HRESULT* phr,
                                               LPCWSTR pName)
    : CTransformOutputPin(pObjectName, pFilter, phr, pName), m_pTIPFilter(pFilter)
{
}

STDMETHODIMP CTransInPlaceOutputPin::EnumMediaTypes(IEnumMediaTypes** ppEnum)
{
    if (!ppEnum) {
        return E_POINTER;
    }
    CAutoLock lock(m_pLock);
    IPin* upstream = m_pTIPFilter->m_pInput ? m_pTIPFilter->m_pInput->GetConnected() : nullptr;
    if (!upstream) {
        *ppEnum = nullptr;
        return VFW_E_NOT_CONNECTED;
    }
    return upstream->EnumMediaTypes(ppEnum);
}

HRESULT CTransInPlaceOutputPin::CheckMediaType(const CMediaType* pmt)
{
    CTransformInputPin* input = m_pTIPFilter->m_pInput;
    if (!input || !input->IsConnected()) {
        return VFW_E_NOT_CONNECTED;
    }
    // Samples leave as they came in: only the input's own type can go out.
    if (!(*pmt == input->MediaType())) {
        return VFW_E_TYPE_NOT_ACCEPTED;
    }
    return m_pTIPFilter->CheckTransform(&input->MediaType(), pmt);
}

HRESULT CTransInPlaceOutputPin::ShareInputAllocator(IMemAllocator* pAllocator, BOOL bReadOnly)
{
    if (!m_pInputPin || !pAllocator) {
        return VFW_E_NOT_CONNECTED;
    }
    if (bReadOnly && m_pTIPFilter->ModifiesData()) {
        return VFW_E_TYPE_NOT_ACCEPTED;
    }
    // A filter that only reads passes the read-only promise on; one that writes gives the
    // downstream filter buffers it may treat as its own.
    const HRESULT hr = m_pInputPin->NotifyAllocator(pAllocator, bReadOnly);
    if (FAILED(hr)) {
        return hr;
    }
    m_pAllocator = pAllocator;
    return S_OK;
}

HRESULT CTransInPlaceOutputPin::DecideAllocator(IMemInputPin* pPin, IMemAllocator** ppAlloc)
{
    if (!pPin || !ppAlloc) {
        return E_POINTER;
    }
    auto* input = static_cast<CTransInPlaceInputPin*>(m_pTIPFilter->m_pInput);
    IMemAllocator* shared = input ? input->PeekAllocator() : nullptr;
    if (shared && !(input->IsReadOnly() && m_pTIPFilter->ModifiesData()) &&
        SUCCEEDED(pPin->NotifyAllocator(shared, input->IsReadOnly()))) {
        CComPtr<IMemAllocator> previous;
        previous.Attach(*ppAlloc);
        shared->AddRef();
        *ppAlloc = shared;
        return S_OK;
    }
    return CBaseOutputPin::DecideAllocator(pPin, ppAlloc);
}
