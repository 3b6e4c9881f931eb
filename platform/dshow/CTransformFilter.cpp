// Transform filter state changes and sample path: one output sample per input sample.
#include "platform/dshow/CTransformFilter.h"

#include <cwchar>
#include <new>

#include <evcode.h>
#include <vfwmsgs.h>

#include "platform/dshow/CAutoLock.h"
#include "platform/dshow/CMediaSample.h"

CTransformFilter::CTransformFilter(LPCTSTR pName, LPUNKNOWN pUnk, REFCLSID clsid)
    : CBaseFilter(pName, pUnk, &m_csFilter, clsid)
{
}

CTransformFilter::~CTransformFilter()
{
    delete m_pInput;
    delete m_pOutput;
}

int CTransformFilter::GetPinCount()
{
    return 2;
}

CBasePin* CTransformFilter::GetPin(int n)
{
    if (!m_pInput) {
        HRESULT hr = S_OK;
        m_pInput = new (std::nothrow) CTransformInputPin(L"Transform input pin", this, &hr,
                                                         L"Input");
        if (!m_pInput || FAILED(hr)) {
            delete m_pInput;
            m_pInput = nullptr;
            return nullptr;
        }
        m_pOutput = new (std::nothrow) CTransformOutputPin(L"Transform output pin", this, &hr,
                                                           L"Output");
        if (!m_pOutput || FAILED(hr)) {
            delete m_pInput;
            m_pInput = nullptr;
            delete m_pOutput;
            m_pOutput = nullptr;
            return nullptr;
        }
    }
    if (n == 0) {
        return m_pInput;
    }
    if (n == 1) {
        return m_pOutput;
    }
    return nullptr;
}

STDMETHODIMP CTransformFilter::FindPin(LPCWSTR Id, IPin** ppPin)
{
    if (!Id || !ppPin) {
        return E_POINTER;
    }
    CBasePin* pin = nullptr;
    if (std::wcscmp(Id, L"In") == 0 || std::wcscmp(Id, L"Input") == 0) {
        pin = GetPin(0);
    } else if (std::wcscmp(Id, L"Out") == 0 || std::wcscmp(Id, L"Output") == 0) {
        pin = GetPin(1);
    }
    *ppPin = pin;
    if (!pin) {
        return VFW_E_NOT_FOUND;
    }
    pin->AddRef();
    return S_OK;
}

STDMETHODIMP CTransformFilter::Stop()
{
    CAutoLock lockFilter(&m_csFilter);
    if (m_State == State_Stopped) {
        return S_OK;
    }
    if (!m_pInput || !m_pInput->IsConnected() || !m_pOutput->IsConnected()) {
        m_State = State_Stopped;
        m_bEOSDelivered = FALSE;
        return S_OK;
    }
    // Decommitting the input allocator first wakes an upstream thread blocked in GetBuffer, so
    // that a Receive in progress can finish and free the receive lock.
    m_pInput->Inactive();
    CAutoLock lockReceive(&m_csReceive);
    m_pOutput->Inactive();
    const HRESULT hr = StopStreaming();
    if (SUCCEEDED(hr)) {
        m_State = State_Stopped;
        m_bEOSDelivered = FALSE;
    }
    return hr;
}

STDMETHODIMP CTransformFilter::Pause()
{
    CAutoLock lockFilter(&m_csFilter);
    HRESULT hr = S_OK;
    if (m_State == State_Paused) {
        // Nothing to do.
    } else if (!m_pInput || !m_pInput->IsConnected()) {
        // No data will ever come: let the downstream filters complete.
        if (m_pOutput && m_pOutput->IsConnected() && !m_bEOSDelivered) {
            m_pOutput->DeliverEndOfStream();
            m_bEOSDelivered = TRUE;
        }
        m_State = State_Paused;
    } else if (!m_pOutput->IsConnected()) {
        m_State = State_Paused;
    } else {
        if (m_State == State_Stopped) {
            CAutoLock lockReceive(&m_csReceive);
            hr = StartStreaming();
        }
        if (SUCCEEDED(hr)) {
            hr = CBaseFilter::Pause();
        }
    }
    m_bSampleSkipped = FALSE;
    m_bQualityChanged = FALSE;
    return hr;
}

HRESULT CTransformFilter::Transform(IMediaSample*, IMediaSample*)
{
    return E_UNEXPECTED;
}

HRESULT CTransformFilter::StartStreaming()
{
    return S_OK;
}

HRESULT CTransformFilter::StopStreaming()
{
    return S_OK;
}

HRESULT CTransformFilter::AlterQuality(Quality)
{
    return S_FALSE;
}

HRESULT CTransformFilter::SetMediaType(PIN_DIRECTION, const CMediaType*)
{
    return S_OK;
}

HRESULT CTransformFilter::CheckConnect(PIN_DIRECTION, IPin*)
{
    return S_OK;
}

HRESULT CTransformFilter::BreakConnect(PIN_DIRECTION)
{
    return S_OK;
}

HRESULT CTransformFilter::CompleteConnect(PIN_DIRECTION, IPin*)
{
    return S_OK;
}

HRESULT CTransformFilter::InitializeOutputSample(IMediaSample* pSample,
                                                 IMediaSample** ppOutSample)
{
    const AM_SAMPLE2_PROPERTIES& props = *m_pInput->SampleProps();
    DWORD flags = m_bSampleSkipped ? AM_GBF_PREVFRAMESKIPPED : 0;
    if (!(props.dwSampleFlags & AM_SAMPLE_SPLICEPOINT)) {
        flags |= AM_GBF_NOTASYNCPOINT;
    }
    REFERENCE_TIME start = props.tStart;
    REFERENCE_TIME stop = props.tStop;
    const bool timed = (props.dwSampleFlags & AM_SAMPLE_TIMEVALID) != 0;
    const bool stopped = (props.dwSampleFlags & AM_SAMPLE_STOPVALID) != 0;
    IMediaSample* out = nullptr;
    HRESULT hr = m_pOutput->GetDeliveryBuffer(&out, timed ? &start : nullptr,
                                              timed && stopped ? &stop : nullptr, flags);
    *ppOutSample = out;
    if (FAILED(hr)) {
        return hr;
    }
    CopySampleTimesAndFlags(out, props, m_bSampleSkipped != FALSE);
    CopySampleMediaTime(out, pSample);
    return S_OK;
}

HRESULT CTransformFilter::Receive(IMediaSample* pSample)
{
    if (m_pInput->SampleProps()->dwStreamId != AM_STREAM_MEDIA) {
        IMemInputPin* downstream = m_pOutput->ConnectedIMemInputPin();
        return downstream ? downstream->Receive(pSample) : VFW_E_NOT_CONNECTED;
    }
    CComPtr<IMediaSample> out;
    HRESULT hr = InitializeOutputSample(pSample, &out);
    if (FAILED(hr)) {
        return hr;
    }
    hr = Transform(pSample, out);
    if (hr == S_OK) {
        hr = m_pOutput->Deliver(out);
        m_bSampleSkipped = FALSE;
    } else if (hr == S_FALSE) {
        // A dropped sample is not an error for upstream; the graph hears of it once.
        m_bSampleSkipped = TRUE;
        if (!m_bQualityChanged) {
            NotifyEvent(EC_QUALITY_CHANGE, 0, 0);
            m_bQualityChanged = TRUE;
        }
        hr = S_OK;
    }
    return hr;
}

HRESULT CTransformFilter::EndOfStream()
{
    HRESULT hr = S_OK;
    if (m_pOutput && m_pOutput->IsConnected()) {
        hr = m_pOutput->DeliverEndOfStream();
    }
    m_bEOSDelivered = TRUE;
    return hr;
}

HRESULT CTransformFilter::BeginFlush()
{
    return m_pOutput->IsConnected() ? m_pOutput->DeliverBeginFlush() : S_OK;
}

HRESULT CTransformFilter::EndFlush()
{
    m_bEOSDelivered = FALSE;
    return m_pOutput->IsConnected() ? m_pOutput->DeliverEndFlush() : S_OK;
}

HRESULT CTransformFilter::NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate)
{
    return m_pOutput->IsConnected() ? m_pOutput->DeliverNewSegment(tStart, tStop, dRate) : S_OK;
}
