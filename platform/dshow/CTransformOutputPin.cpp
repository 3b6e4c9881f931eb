// Transform output pin: types and buffer sizes come from the filter; seeking goes upstream
// through an aggregated CPosPassThru on the filter's input pin.
#include "platform/dshow/CTransformOutputPin.h"

#include <new>

#include <vfwmsgs.h>

#include "platform/dshow/CAutoLock.h"
#include "platform/dshow/CPosPassThru.h"
#include "platform/dshow/CTransformFilter.h"

CTransformOutputPin::CTransformOutputPin(LPCTSTR pObjectName,
                                         CTransformFilter* pTransformFilter, HRESULT* phr,
                                         LPCWSTR pName)
    : CBaseOutputPin(pObjectName, pTransformFilter, &pTransformFilter->m_csFilter, phr, pName),
      m_pTransformFilter(pTransformFilter)
{
}

CTransformOutputPin::~CTransformOutputPin()
{
    if (m_pPosition) {
        // Published lock-free, so held raw: the pin's one counted reference.
        m_pPosition->Release();
    }
}

STDMETHODIMP CTransformOutputPin::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IMediaSeeking) {
        if (!ppv) {
            return E_POINTER;
        }
        // Created without the filter lock: a downstream renderer asks for this interface on
        // the streaming thread during end of stream, while a Stop may hold the filter lock and
        // wait for that thread. Two racing callers each build one; the loser's is dropped.
        if (!m_pPosition) {
            HRESULT hr = S_OK;
            auto* pass = new (std::nothrow) CPosPassThru(L"Transform seeking", GetOwner(), &hr,
                                                         m_pTransformFilter->GetPin(0));
            if (!pass) {
                *ppv = nullptr;
                return E_OUTOFMEMORY;
            }
            if (FAILED(hr)) {
                delete pass;
                *ppv = nullptr;
                return hr;
            }
            // The inner unknown: its calls do not come back to this pin's count.
            pass->NonDelegatingAddRef();
            CComPtr<IUnknown> inner;
            inner.Attach(reinterpret_cast<IUnknown*>(static_cast<PNDUNKNOWN>(pass)));
            if (InterlockedCompareExchangePointer(reinterpret_cast<void**>(&m_pPosition), inner,
                                                  nullptr) == nullptr) {
                inner.Detach();  // now the pin's
            }
        }
        return m_pPosition->QueryInterface(riid, ppv);
    }
    return CBaseOutputPin::NonDelegatingQueryInterface(riid, ppv);
}

HRESULT CTransformOutputPin::CheckConnect(IPin* pPin)
{
    if (!m_pTransformFilter->m_pInput->IsConnected()) {
        return E_UNEXPECTED;
    }
    const HRESULT hr = m_pTransformFilter->CheckConnect(PINDIR_OUTPUT, pPin);
    if (FAILED(hr)) {
        return hr;
    }
    return CBaseOutputPin::CheckConnect(pPin);
}

HRESULT CTransformOutputPin::BreakConnect()
{
    m_pTransformFilter->BreakConnect(PINDIR_OUTPUT);
    return CBaseOutputPin::BreakConnect();
}

HRESULT CTransformOutputPin::CompleteConnect(IPin* pReceivePin)
{
    const HRESULT hr = m_pTransformFilter->CompleteConnect(PINDIR_OUTPUT, pReceivePin);
    if (FAILED(hr)) {
        return hr;
    }
    return CBaseOutputPin::CompleteConnect(pReceivePin);
}

HRESULT CTransformOutputPin::DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pProp)
{
    return m_pTransformFilter->DecideBufferSize(pAlloc, pProp);
}

HRESULT CTransformOutputPin::CheckMediaType(const CMediaType* mtOut)
{
    CTransformInputPin* input = m_pTransformFilter->m_pInput;
    if (!input || !input->IsConnected()) {
        return E_INVALIDARG;
    }
    return m_pTransformFilter->CheckTransform(&input->MediaType(), mtOut);
}

HRESULT CTransformOutputPin::SetMediaType(const CMediaType* pmt)
{
    const HRESULT hr = CBasePin::SetMediaType(pmt);
    if (FAILED(hr)) {
        return hr;
    }
    return m_pTransformFilter->SetMediaType(PINDIR_OUTPUT, pmt);
}

HRESULT CTransformOutputPin::GetMediaType(int iPosition, CMediaType* pMediaType)
{
    CTransformInputPin* input = m_pTransformFilter->m_pInput;
    if (!input || !input->IsConnected()) {
        return VFW_S_NO_MORE_ITEMS;
    }
    return m_pTransformFilter->GetMediaType(iPosition, pMediaType);
}

STDMETHODIMP CTransformOutputPin::Notify(IBaseFilter* pSender, Quality q)
{
    const HRESULT hr = m_pTransformFilter->AlterQuality(q);
    if (hr != S_FALSE) {
        return hr;
    }
    if (m_pQSink) {
        return m_pQSink->Notify(pSender, q);
    }
    IPin* upstream = m_pTransformFilter->m_pInput->GetConnected();
    if (!upstream) {
        return VFW_E_NOT_FOUND;
    }
    CComPtr<IQualityControl> quality;
    if (FAILED(upstream->QueryInterface(IID_IQualityControl,
                                        reinterpret_cast<void**>(&quality)))) {
        return VFW_E_NOT_FOUND;
    }
    return quality->Notify(m_pTransformFilter, q);
}
