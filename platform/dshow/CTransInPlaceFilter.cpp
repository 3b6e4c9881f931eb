// In-place transform: samples go downstream as received, or as copies when the two pins
// ended up with different allocators.
#include "platform/dshow/CTransInPlaceFilter.h"

#include <cstddef>
#include <cstring>
#include <new>

#include <evcode.h>
#include <vfwmsgs.h>

#include "platform/dshow/CMediaSample.h"
#include "platform/dshow/CTransInPlaceInputPin.h"
#include "platform/dshow/CTransInPlaceOutputPin.h"

CTransInPlaceFilter::CTransInPlaceFilter(LPCTSTR pName, LPUNKNOWN pUnk, REFCLSID clsid,
                                         HRESULT*, bool bModifiesData)
    : CTransformFilter(pName, pUnk, clsid), m_bModifiesData(bModifiesData)
{
}

CBasePin* CTransInPlaceFilter::GetPin(int n)
{
    if (!m_pInput) {
        HRESULT hr = S_OK;
        m_pInput = new (std::nothrow) CTransInPlaceInputPin(L"In-place input pin", this, &hr,
                                                            L"Input");
        if (!m_pInput || FAILED(hr)) {
            delete m_pInput;
            m_pInput = nullptr;
            return nullptr;
        }
        m_pOutput = new (std::nothrow) CTransInPlaceOutputPin(L"In-place output pin", this,
                                                              &hr, L"Output");
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

HRESULT CTransInPlaceFilter::CheckTransform(const CMediaType*, const CMediaType*)
{
    return S_OK;
}

HRESULT CTransInPlaceFilter::GetMediaType(int, CMediaType*)
{
    return E_UNEXPECTED;
}

HRESULT CTransInPlaceFilter::DecideBufferSize(IMemAllocator* pAlloc,
                                              ALLOCATOR_PROPERTIES* pProperties)
{
    if (!pAlloc || !pProperties) {
        return E_POINTER;
    }
    ALLOCATOR_PROPERTIES request = *pProperties;
    IMemAllocator* upstream = m_pInput ? m_pInput->PeekAllocator() : nullptr;
    if (upstream) {
        ALLOCATOR_PROPERTIES props{};
        if (SUCCEEDED(upstream->GetProperties(&props))) {
            request.cBuffers = props.cBuffers > request.cBuffers ? props.cBuffers
                                                                 : request.cBuffers;
            request.cbBuffer = props.cbBuffer > request.cbBuffer ? props.cbBuffer
                                                                 : request.cbBuffer;
        }
    }
    if (request.cBuffers <= 0) {
        request.cBuffers = 1;
    }
    if (request.cbBuffer <= 0) {
        const ULONG size = m_pInput ? m_pInput->MediaType().GetSampleSize() : 0;
        request.cbBuffer = size ? static_cast<LONG>(size) : 1;
    }
    ALLOCATOR_PROPERTIES actual{};
    const HRESULT hr = pAlloc->SetProperties(&request, &actual);
    if (FAILED(hr)) {
        return hr;
    }
    return actual.cbBuffer < request.cbBuffer || actual.cBuffers < request.cBuffers ? E_FAIL
                                                                                     : S_OK;
}

HRESULT CTransInPlaceFilter::CompleteConnect(PIN_DIRECTION dir, IPin*)
{
    if (dir != PINDIR_INPUT || !m_pOutput || !m_pOutput->IsConnected()) {
        return S_OK;
    }
    // Called from SetMediaType's successor step: the input's type is already recorded.
    if (m_pOutput->MediaType() == m_pInput->MediaType()) {
        return S_OK;
    }
    if (!m_pGraph) {
        return VFW_E_NOT_IN_GRAPH;
    }
    CComPtr<IFilterGraph2> graph;
    const HRESULT hr =
        m_pGraph->QueryInterface(IID_IFilterGraph2, reinterpret_cast<void**>(&graph));
    if (FAILED(hr)) {
        return hr;
    }
    return graph->ReconnectEx(m_pOutput, &m_pInput->MediaType());
}

BOOL CTransInPlaceFilter::UsingDifferentAllocators() const
{
    return m_pInput->PeekAllocator() != m_pOutput->PeekAllocator();
}

IMediaSample* CTransInPlaceFilter::Copy(IMediaSample* pSource)
{
    const AM_SAMPLE2_PROPERTIES& props = *m_pInput->SampleProps();
    REFERENCE_TIME start = props.tStart;
    REFERENCE_TIME stop = props.tStop;
    const bool timed = (props.dwSampleFlags & AM_SAMPLE_TIMEVALID) != 0;
    const bool stopped = (props.dwSampleFlags & AM_SAMPLE_STOPVALID) != 0;
    CComPtr<IMediaSample> out;
    DWORD flags = m_bSampleSkipped ? AM_GBF_PREVFRAMESKIPPED : 0;
    if (FAILED(m_pOutput->GetDeliveryBuffer(&out, timed ? &start : nullptr,
                                            timed && stopped ? &stop : nullptr, flags))) {
        return nullptr;
    }
    const LONG length = pSource->GetActualDataLength();
    BYTE* from = nullptr;
    BYTE* to = nullptr;
    if (length > out->GetSize() || FAILED(pSource->GetPointer(&from)) ||
        FAILED(out->GetPointer(&to)) || FAILED(out->SetActualDataLength(length))) {
        return nullptr;
    }
    if (length > 0) {
        std::memcpy(to, from, static_cast<size_t>(length));
    }
    CComPtr<IMediaSample2> out2;
    if (SUCCEEDED(out->QueryInterface(IID_IMediaSample2, reinterpret_cast<void**>(&out2)))) {
        AM_SAMPLE2_PROPERTIES copy = props;
        copy.cbData = offsetof(AM_SAMPLE2_PROPERTIES, pbBuffer);
        copy.lActual = length;
        if (!(copy.dwSampleFlags & AM_SAMPLE_TYPECHANGED)) {
            copy.pMediaType = nullptr;
        }
        if (FAILED(out2->SetProperties(copy.cbData, reinterpret_cast<BYTE*>(&copy)))) {
            return nullptr;
        }
    } else {
        CopySampleTimesAndFlags(out, props, false);
    }
    CopySampleMediaTime(out, pSource);
    return out.Detach();
}

HRESULT CTransInPlaceFilter::Receive(IMediaSample* pSample)
{
    if (m_pInput->SampleProps()->dwStreamId != AM_STREAM_MEDIA) {
        IMemInputPin* downstream = m_pOutput->ConnectedIMemInputPin();
        return downstream ? downstream->Receive(pSample) : VFW_E_NOT_CONNECTED;
    }
    CComPtr<IMediaSample> sample;
    if (UsingDifferentAllocators()) {
        sample.Attach(Copy(pSample));
        if (!sample) {
            return E_UNEXPECTED;
        }
    } else {
        sample = pSample;
    }
    HRESULT hr = Transform(sample);
    if (hr == S_OK) {
        hr = m_pOutput->Deliver(sample);
        m_bSampleSkipped = FALSE;
    } else if (hr == S_FALSE) {
        m_bSampleSkipped = TRUE;
        if (!m_bQualityChanged) {
            NotifyEvent(EC_QUALITY_CHANGE, 0, 0);
            m_bQualityChanged = TRUE;
        }
        hr = S_OK;
    }
    return hr;
}
