// Transform input pin: connection steps go to the filter's hooks; streaming calls are
// serialised by the filter's receive lock.
#include "platform/dshow/CTransformInputPin.h"

#include <vfwmsgs.h>

#include "platform/dshow/CAutoLock.h"
#include "platform/dshow/CTransformFilter.h"

CTransformInputPin::CTransformInputPin(LPCTSTR pObjectName, CTransformFilter* pTransformFilter,
                                       HRESULT* phr, LPCWSTR pName)
    : CBaseInputPin(pObjectName, pTransformFilter, &pTransformFilter->m_csFilter, phr, pName),
      m_pTransformFilter(pTransformFilter)
{
}

HRESULT CTransformInputPin::CheckConnect(IPin* pPin)
{
    const HRESULT hr = m_pTransformFilter->CheckConnect(PINDIR_INPUT, pPin);
    if (FAILED(hr)) {
        return hr;
    }
    return CBaseInputPin::CheckConnect(pPin);
}

HRESULT CTransformInputPin::BreakConnect()
{
    m_pTransformFilter->BreakConnect(PINDIR_INPUT);
    return CBaseInputPin::BreakConnect();
}

HRESULT CTransformInputPin::CompleteConnect(IPin* pReceivePin)
{
    const HRESULT hr = m_pTransformFilter->CompleteConnect(PINDIR_INPUT, pReceivePin);
    if (FAILED(hr)) {
        return hr;
    }
    return CBaseInputPin::CompleteConnect(pReceivePin);
}

HRESULT CTransformInputPin::CheckMediaType(const CMediaType* mtIn)
{
    HRESULT hr = m_pTransformFilter->CheckInputType(mtIn);
    if (hr != S_OK) {
        return hr;
    }
    // A reconnection of the input must still suit the connected output.
    CTransformOutputPin* output = m_pTransformFilter->m_pOutput;
    if (output && output->IsConnected()) {
        hr = m_pTransformFilter->CheckTransform(mtIn, &output->MediaType());
    }
    return hr;
}

HRESULT CTransformInputPin::SetMediaType(const CMediaType* mt)
{
    const HRESULT hr = CBasePin::SetMediaType(mt);
    if (FAILED(hr)) {
        return hr;
    }
    return m_pTransformFilter->SetMediaType(PINDIR_INPUT, mt);
}

STDMETHODIMP CTransformInputPin::Receive(IMediaSample* pSample)
{
    CAutoLock lock(&m_pTransformFilter->m_csReceive);
    if (!m_pTransformFilter->m_pOutput->IsConnected()) {
        return VFW_E_NOT_CONNECTED;
    }
    const HRESULT hr = CBaseInputPin::Receive(pSample);
    if (hr != S_OK) {
        return hr;
    }
    return m_pTransformFilter->Receive(pSample);
}

STDMETHODIMP CTransformInputPin::EndOfStream()
{
    CAutoLock lock(&m_pTransformFilter->m_csReceive);
    const HRESULT hr = CheckStreaming();
    if (hr != S_OK) {
        return hr;
    }
    return m_pTransformFilter->EndOfStream();
}

STDMETHODIMP CTransformInputPin::BeginFlush()
{
    CAutoLock lock(&m_pTransformFilter->m_csFilter);
    if (!IsConnected() || !m_pTransformFilter->m_pOutput->IsConnected()) {
        return VFW_E_NOT_CONNECTED;
    }
    const HRESULT hr = CBaseInputPin::BeginFlush();
    if (FAILED(hr)) {
        return hr;
    }
    return m_pTransformFilter->BeginFlush();
}

STDMETHODIMP CTransformInputPin::EndFlush()
{
    CAutoLock lock(&m_pTransformFilter->m_csFilter);
    if (!IsConnected() || !m_pTransformFilter->m_pOutput->IsConnected()) {
        return VFW_E_NOT_CONNECTED;
    }
    const HRESULT hr = m_pTransformFilter->EndFlush();
    if (FAILED(hr)) {
        return hr;
    }
    return CBaseInputPin::EndFlush();
}

STDMETHODIMP CTransformInputPin::NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop,
                                            double dRate)
{
    CBasePin::NewSegment(tStart, tStop, dRate);
    return m_pTransformFilter->NewSegment(tStart, tStop, dRate);
}
