// Allocator negotiation and delivery helpers of output pins.
#include "platform/dshow/CBaseOutputPin.h"

#include <new>
#include <utility>

#include <vfwmsgs.h>

#include "platform/dshow/CMemAllocator.h"

CBaseOutputPin::CBaseOutputPin(LPCTSTR pObjectName, CBaseFilter* pFilter, CCritSec* pLock,
                               HRESULT* phr, LPCWSTR pName)
    : CBasePin(pObjectName, pFilter, pLock, phr, pName, PINDIR_OUTPUT)
{
}

CBaseOutputPin::~CBaseOutputPin()
{
    if (m_pAllocator) {
        m_pAllocator->Decommit();
    }
}

HRESULT CBaseOutputPin::CheckConnect(IPin* pPin)
{
    HRESULT hr = CBasePin::CheckConnect(pPin);
    if (FAILED(hr)) {
        return hr;
    }
    CComPtr<IMemInputPin> input;
    hr = pPin->QueryInterface(IID_IMemInputPin, reinterpret_cast<void**>(&input));
    if (FAILED(hr) || !input) {
        return E_NOINTERFACE;
    }
    m_pInputPin = std::move(input);
    return S_OK;
}

HRESULT CBaseOutputPin::CompleteConnect(IPin*)
{
    return DecideAllocator(m_pInputPin, &m_pAllocator);
}

HRESULT CBaseOutputPin::BreakConnect()
{
    if (m_pAllocator) {
        // Stopped pins have decommitted already; this only matters for a failed connection.
        m_pAllocator->Decommit();
        m_pAllocator.Release();
    }
    m_pInputPin.Release();
    return S_OK;
}

HRESULT CBaseOutputPin::InitAllocator(IMemAllocator** ppAlloc)
{
    HRESULT hr = S_OK;
    auto* allocator = new (std::nothrow) CMemAllocator(L"Output pin allocator", nullptr, &hr);
    if (!allocator) {
        return E_OUTOFMEMORY;
    }
    if (FAILED(hr)) {
        delete allocator;
        return hr;
    }
    return allocator->NonDelegatingQueryInterface(IID_IMemAllocator,
                                                  reinterpret_cast<void**>(ppAlloc));
}

HRESULT CBaseOutputPin::DecideAllocator(IMemInputPin* pPin, IMemAllocator** ppAlloc)
{
    if (!pPin || !ppAlloc) {
        return E_POINTER;
    }
    // Whatever the caller held is given up: negotiation starts over.
    CComPtr<IMemAllocator> allocator;
    allocator.Attach(std::exchange(*ppAlloc, nullptr));
    allocator.Release();
    ALLOCATOR_PROPERTIES props{};
    // Requirements are optional; an input pin without them leaves the fields 0.
    pPin->GetAllocatorRequirements(&props);
    if (props.cbAlign == 0) {
        props.cbAlign = 1;
    }

    HRESULT hr = pPin->GetAllocator(&allocator);
    if (SUCCEEDED(hr) && allocator) {
        hr = DecideBufferSize(allocator, &props);
        if (SUCCEEDED(hr)) {
            hr = pPin->NotifyAllocator(allocator, FALSE);
            if (SUCCEEDED(hr)) {
                *ppAlloc = allocator.Detach();
                return S_OK;
            }
        }
    }
    allocator.Release();

    hr = InitAllocator(&allocator);
    if (SUCCEEDED(hr)) {
        hr = DecideBufferSize(allocator, &props);
        if (SUCCEEDED(hr)) {
            hr = pPin->NotifyAllocator(allocator, FALSE);
            if (SUCCEEDED(hr)) {
                *ppAlloc = allocator.Detach();
                return S_OK;
            }
        }
    }
    return hr;
}

HRESULT CBaseOutputPin::Active()
{
    if (!m_pAllocator) {
        return VFW_E_NO_ALLOCATOR;
    }
    return m_pAllocator->Commit();
}

HRESULT CBaseOutputPin::Inactive()
{
    m_bRunTimeError = FALSE;
    if (!m_pAllocator) {
        return VFW_E_NO_ALLOCATOR;
    }
    return m_pAllocator->Decommit();
}

HRESULT CBaseOutputPin::GetDeliveryBuffer(IMediaSample** ppSample, REFERENCE_TIME* pStartTime,
                                          REFERENCE_TIME* pEndTime, DWORD dwFlags)
{
    if (!ppSample) {
        return E_POINTER;
    }
    if (!m_pAllocator) {
        *ppSample = nullptr;
        return E_NOINTERFACE;
    }
    return m_pAllocator->GetBuffer(ppSample, pStartTime, pEndTime, dwFlags);
}

HRESULT CBaseOutputPin::Deliver(IMediaSample* pSample)
{
    if (!m_pInputPin) {
        return VFW_E_NOT_CONNECTED;
    }
    return m_pInputPin->Receive(pSample);
}

HRESULT CBaseOutputPin::DeliverEndOfStream()
{
    if (!m_Connected) {
        return VFW_E_NOT_CONNECTED;
    }
    return m_Connected->EndOfStream();
}

HRESULT CBaseOutputPin::DeliverBeginFlush()
{
    if (!m_Connected) {
        return VFW_E_NOT_CONNECTED;
    }
    return m_Connected->BeginFlush();
}

HRESULT CBaseOutputPin::DeliverEndFlush()
{
    if (!m_Connected) {
        return VFW_E_NOT_CONNECTED;
    }
    return m_Connected->EndFlush();
}

HRESULT CBaseOutputPin::DeliverNewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop,
                                          double dRate)
{
    if (!m_Connected) {
        return VFW_E_NOT_CONNECTED;
    }
    return m_Connected->NewSegment(tStart, tStop, dRate);
}

STDMETHODIMP CBaseOutputPin::EndOfStream()
{
    return E_UNEXPECTED;
}

STDMETHODIMP CBaseOutputPin::BeginFlush()
{
    return E_UNEXPECTED;
}

STDMETHODIMP CBaseOutputPin::EndFlush()
{
    return E_UNEXPECTED;
}
