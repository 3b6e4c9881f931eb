// In-place input pin: the allocator and the media types come from the downstream side when
// it is connected, so that buffers need no copy.
#include "platform/dshow/CTransInPlaceInputPin.h"

#include <vfwmsgs.h>

#include "platform/dshow/CAutoLock.h"
#include "platform/dshow/CTransInPlaceFilter.h"
#include "platform/dshow/CTransInPlaceOutputPin.h"

CTransInPlaceInputPin::CTransInPlaceInputPin(LPCTSTR pObjectName, CTransInPlaceFilter* pFilter,
                                             HRESULT* phr, LPCWSTR pName)
    : CTransformInputPin(pObjectName, pFilter, phr, pName), m_pTIPFilter(pFilter)
{
}

STDMETHODIMP CTransInPlaceInputPin::EnumMediaTypes(IEnumMediaTypes** ppEnum)
{
    if (!ppEnum) {
        return E_POINTER;
    }
    CAutoLock lock(m_pLock);
    IPin* downstream = m_pTIPFilter->m_pOutput ? m_pTIPFilter->m_pOutput->GetConnected()
                                               : nullptr;
    if (!downstream) {
        *ppEnum = nullptr;
        return VFW_E_NOT_CONNECTED;
    }
    return downstream->EnumMediaTypes(ppEnum);
}

STDMETHODIMP CTransInPlaceInputPin::GetAllocator(IMemAllocator** ppAllocator)
{
    if (!ppAllocator) {
        return E_POINTER;
    }
    CAutoLock lock(m_pLock);
    auto* output = static_cast<CTransInPlaceOutputPin*>(m_pTIPFilter->m_pOutput);
    if (output && output->ConnectedIMemInputPin()) {
        const HRESULT hr = output->ConnectedIMemInputPin()->GetAllocator(ppAllocator);
        if (SUCCEEDED(hr)) {
            return hr;
        }
    }
    return CBaseInputPin::GetAllocator(ppAllocator);
}

STDMETHODIMP CTransInPlaceInputPin::NotifyAllocator(IMemAllocator* pAllocator, BOOL bReadOnly)
{
    if (!pAllocator) {
        return E_POINTER;
    }
    CAutoLock lock(m_pLock);
    const HRESULT hr = CBaseInputPin::NotifyAllocator(pAllocator, bReadOnly);
    if (FAILED(hr)) {
        return hr;
    }
    auto* output = static_cast<CTransInPlaceOutputPin*>(m_pTIPFilter->m_pOutput);
    if (output && output->IsConnected()) {
        // Refusal is not an error: the output keeps its own allocator and Receive copies.
        output->ShareInputAllocator(pAllocator, bReadOnly);
    }
    return S_OK;
}

STDMETHODIMP CTransInPlaceInputPin::GetAllocatorRequirements(ALLOCATOR_PROPERTIES* pProps)
{
    if (!pProps) {
        return E_POINTER;
    }
    auto* output = static_cast<CTransInPlaceOutputPin*>(m_pTIPFilter->m_pOutput);
    if (output && output->ConnectedIMemInputPin()) {
        return output->ConnectedIMemInputPin()->GetAllocatorRequirements(pProps);
    }
    return E_NOTIMPL;
}

HRESULT CTransInPlaceInputPin::CheckMediaType(const CMediaType* pmt)
{
    const HRESULT hr = m_pTIPFilter->CheckInputType(pmt);
    if (hr != S_OK) {
        return hr;
    }
    IPin* downstream = m_pTIPFilter->m_pOutput ? m_pTIPFilter->m_pOutput->GetConnected()
                                               : nullptr;
    if (downstream && downstream->QueryAccept(pmt) != S_OK) {
        return VFW_E_TYPE_NOT_ACCEPTED;
    }
    return S_OK;
}
