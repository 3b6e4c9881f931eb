// Input side of the sample transport: allocator bookkeeping and the streaming-state checks
// every Receive starts with.
#include "platform/dshow/CBaseInputPin.h"

#include <new>

#include <evcode.h>
#include <vfwmsgs.h>

#include "platform/dshow/CAutoLock.h"
#include "platform/dshow/CMemAllocator.h"

CBaseInputPin::CBaseInputPin(LPCTSTR pObjectName, CBaseFilter* pFilter, CCritSec* pLock,
                             HRESULT* phr, LPCWSTR pName)
    : CBasePin(pObjectName, pFilter, pLock, phr, pName, PINDIR_INPUT)
{
}

CBaseInputPin::~CBaseInputPin() = default;

STDMETHODIMP CBaseInputPin::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IMemInputPin) {
        return GetInterface(static_cast<IMemInputPin*>(this), ppv);
    }
    return CBasePin::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CBaseInputPin::GetAllocator(IMemAllocator** ppAllocator)
{
    if (!ppAllocator) {
        return E_POINTER;
    }
    CAutoLock lock(m_pLock);
    if (!m_pAllocator) {
        HRESULT hr = S_OK;
        auto* allocator = new (std::nothrow) CMemAllocator(L"Input pin allocator", nullptr, &hr);
        if (!allocator) {
            *ppAllocator = nullptr;
            return E_OUTOFMEMORY;
        }
        if (FAILED(hr)) {
            delete allocator;
            *ppAllocator = nullptr;
            return hr;
        }
        allocator->NonDelegatingQueryInterface(IID_IMemAllocator,
                                               reinterpret_cast<void**>(&m_pAllocator));
    }
    *ppAllocator = m_pAllocator;
    m_pAllocator->AddRef();
    return S_OK;
}

STDMETHODIMP CBaseInputPin::NotifyAllocator(IMemAllocator* pAllocator, BOOL bReadOnly)
{
    if (!pAllocator) {
        return E_POINTER;
    }
    CAutoLock lock(m_pLock);
    m_pAllocator = pAllocator;
    m_bReadOnly = bReadOnly;
    return S_OK;
}

STDMETHODIMP CBaseInputPin::GetAllocatorRequirements(ALLOCATOR_PROPERTIES*)
{
    return E_NOTIMPL;
}

HRESULT CBaseInputPin::CheckStreaming()
{
    if (IsStopped()) {
        return VFW_E_WRONG_STATE;
    }
    if (m_bFlushing) {
        return S_FALSE;
    }
    if (m_bRunTimeError) {
        return VFW_E_RUNTIME_ERROR;
    }
    return S_OK;
}

STDMETHODIMP CBaseInputPin::Receive(IMediaSample* pSample)
{
    if (!pSample) {
        return E_POINTER;
    }
    HRESULT hr = CheckStreaming();
    if (hr != S_OK) {
        return hr;
    }
    CComPtr<IMediaSample2> sample2;
    if (SUCCEEDED(pSample->QueryInterface(IID_IMediaSample2,
                                          reinterpret_cast<void**>(&sample2)))) {
        hr = sample2->GetProperties(sizeof(m_SampleProps),
                                    reinterpret_cast<BYTE*>(&m_SampleProps));
        sample2.Release();
        if (FAILED(hr)) {
            return hr;
        }
    } else {
        // A plain IMediaSample: rebuild the properties from its methods.
        m_SampleProps = AM_SAMPLE2_PROPERTIES{};
        m_SampleProps.cbData = sizeof(m_SampleProps);
        hr = pSample->GetTime(&m_SampleProps.tStart, &m_SampleProps.tStop);
        if (SUCCEEDED(hr)) {
            m_SampleProps.dwSampleFlags |= AM_SAMPLE_TIMEVALID;
            if (hr == S_OK) {
                m_SampleProps.dwSampleFlags |= AM_SAMPLE_STOPVALID;
            }
        }
        if (pSample->IsSyncPoint() == S_OK) {
            m_SampleProps.dwSampleFlags |= AM_SAMPLE_SPLICEPOINT;
        }
        if (pSample->IsPreroll() == S_OK) {
            m_SampleProps.dwSampleFlags |= AM_SAMPLE_PREROLL;
        }
        if (pSample->IsDiscontinuity() == S_OK) {
            m_SampleProps.dwSampleFlags |= AM_SAMPLE_DATADISCONTINUITY;
        }
        AM_MEDIA_TYPE* type = nullptr;
        if (pSample->GetMediaType(&type) == S_OK && type) {
            // Only the flag is kept: the type itself is checked below and freed.
            m_SampleProps.dwSampleFlags |= AM_SAMPLE_TYPECHANGED;
            CMediaType changed;
            changed.Set(*type);
            DeleteMediaType(type);
            if (CheckMediaType(&changed) != S_OK) {
                m_bRunTimeError = TRUE;
                EndOfStream();
                m_pFilter->NotifyEvent(EC_ERRORABORT, VFW_E_TYPE_NOT_ACCEPTED, 0);
                return VFW_E_INVALIDMEDIATYPE;
            }
        }
        m_SampleProps.lActual = pSample->GetActualDataLength();
        m_SampleProps.cbBuffer = pSample->GetSize();
        pSample->GetPointer(&m_SampleProps.pbBuffer);
        m_SampleProps.dwStreamId = AM_STREAM_MEDIA;
        return S_OK;
    }
    if ((m_SampleProps.dwSampleFlags & AM_SAMPLE_TYPECHANGED) && m_SampleProps.pMediaType) {
        CMediaType changed;
        changed.Set(*m_SampleProps.pMediaType);
        if (CheckMediaType(&changed) != S_OK) {
            m_bRunTimeError = TRUE;
            EndOfStream();
            m_pFilter->NotifyEvent(EC_ERRORABORT, VFW_E_TYPE_NOT_ACCEPTED, 0);
            return VFW_E_INVALIDMEDIATYPE;
        }
    }
    return S_OK;
}

STDMETHODIMP CBaseInputPin::ReceiveMultiple(IMediaSample** pSamples, long nSamples,
                                            long* nSamplesProcessed)
{
    if (!pSamples || !nSamplesProcessed) {
        return E_POINTER;
    }
    HRESULT hr = S_OK;
    *nSamplesProcessed = 0;
    while (nSamples-- > 0) {
        hr = Receive(pSamples[*nSamplesProcessed]);
        if (hr != S_OK) {
            break;
        }
        ++*nSamplesProcessed;
    }
    return hr;
}

STDMETHODIMP CBaseInputPin::ReceiveCanBlock()
{
    const int pins = m_pFilter->GetPinCount();
    int outputs = 0;
    for (int i = 0; i < pins; ++i) {
        CBasePin* pin = m_pFilter->GetPin(i);
        PIN_DIRECTION dir;
        if (!pin || FAILED(pin->QueryDirection(&dir)) || dir != PINDIR_OUTPUT) {
            continue;
        }
        ++outputs;
        IPin* peer = pin->GetConnected();
        if (!peer) {
            continue;
        }
        CComPtr<IMemInputPin> input;
        if (SUCCEEDED(peer->QueryInterface(IID_IMemInputPin,
                                           reinterpret_cast<void**>(&input)))) {
            const HRESULT hr = input->ReceiveCanBlock();
            if (hr != S_FALSE) {
                return S_OK;
            }
        } else {
            return S_OK;
        }
    }
    return outputs == 0 ? S_OK : S_FALSE;
}

STDMETHODIMP CBaseInputPin::BeginFlush()
{
    CAutoLock lock(m_pLock);
    m_bFlushing = TRUE;
    return S_OK;
}

STDMETHODIMP CBaseInputPin::EndFlush()
{
    CAutoLock lock(m_pLock);
    m_bFlushing = FALSE;
    m_bRunTimeError = FALSE;
    return S_OK;
}

HRESULT CBaseInputPin::BreakConnect()
{
    if (m_pAllocator) {
        m_pAllocator->Decommit();
        m_pAllocator.Release();
    }
    return S_OK;
}

HRESULT CBaseInputPin::Inactive()
{
    m_bRunTimeError = FALSE;
    m_bFlushing = FALSE;
    if (!m_pAllocator) {
        return VFW_E_NO_ALLOCATOR;
    }
    return m_pAllocator->Decommit();
}
