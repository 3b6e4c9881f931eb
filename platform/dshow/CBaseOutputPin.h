// Output pin that delivers through the connected input pin's IMemInputPin. At connection it
// agrees an allocator (the input pin's, else its own CMemAllocator) and sizes it through
// DecideBufferSize; it commits the allocator when the filter leaves the stopped state and
// decommits it when it stops.
#pragma once

#include "platform/dshow/CBasePin.h"

class CBaseOutputPin : public CBasePin {
public:
    CBaseOutputPin(LPCTSTR pObjectName, CBaseFilter* pFilter, CCritSec* pLock, HRESULT* phr,
                   LPCWSTR pName);
    ~CBaseOutputPin() override;

    // Requires IMemInputPin on the peer.
    HRESULT CheckConnect(IPin* pPin) override;
    // Decides the allocator.
    HRESULT CompleteConnect(IPin* pReceivePin) override;
    // Releases the allocator and the peer's IMemInputPin.
    HRESULT BreakConnect() override;
    // Commits the allocator (VFW_E_NO_ALLOCATOR without one).
    HRESULT Active() override;
    // Decommits it: blocked GetDeliveryBuffer callers fail.
    HRESULT Inactive() override;

    // Must set the buffer count and size on pAlloc (SetProperties); pProp carries the input
    // pin's requirements. Called with the pin's lock held during connection.
    virtual HRESULT DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pProp) = 0;
    virtual HRESULT DecideAllocator(IMemInputPin* pPin, IMemAllocator** pAlloc);
    // Creates the pin's own allocator (a CMemAllocator) with a reference.
    virtual HRESULT InitAllocator(IMemAllocator** ppAlloc);

    // Empty sample from the agreed allocator; waits while all are in use.
    virtual HRESULT GetDeliveryBuffer(IMediaSample** ppSample, REFERENCE_TIME* pStartTime,
                                      REFERENCE_TIME* pEndTime, DWORD dwFlags);
    // Passes a sample to the peer's Receive; the caller keeps its reference.
    virtual HRESULT Deliver(IMediaSample* pSample);
    virtual HRESULT DeliverEndOfStream();
    virtual HRESULT DeliverBeginFlush();
    virtual HRESULT DeliverEndFlush();
    virtual HRESULT DeliverNewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate);

    // An output pin receives no stream control.
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;

    IMemAllocator* PeekAllocator() const { return m_pAllocator; }  // no reference
    IMemInputPin* ConnectedIMemInputPin() const { return m_pInputPin; }  // no reference

protected:
    CComPtr<IMemAllocator> m_pAllocator;
    CComPtr<IMemInputPin> m_pInputPin;
};
