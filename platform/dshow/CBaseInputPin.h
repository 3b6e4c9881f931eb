// Input pin that receives samples through IMemInputPin. Offers its own CMemAllocator when the
// upstream pin asks, records the allocator finally chosen, tracks flushing and run-time errors,
// and unpacks each received sample's properties into m_SampleProps for the derived Receive.
#pragma once

#include "platform/dshow/CBasePin.h"

class CBaseInputPin : public CBasePin, public IMemInputPin {
public:
    CBaseInputPin(LPCTSTR pObjectName, CBaseFilter* pFilter, CCritSec* pLock, HRESULT* phr,
                  LPCWSTR pName);
    ~CBaseInputPin() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // IMemInputPin
    STDMETHODIMP GetAllocator(IMemAllocator** ppAllocator) override;
    STDMETHODIMP NotifyAllocator(IMemAllocator* pAllocator, BOOL bReadOnly) override;
    STDMETHODIMP GetAllocatorRequirements(ALLOCATOR_PROPERTIES* pProps) override;
    // Checks the state (CheckStreaming) and fills m_SampleProps; derived pins call this first
    // and go on only on S_OK. A type change that CheckMediaType refuses ends the stream with
    // EC_ERRORABORT.
    STDMETHODIMP Receive(IMediaSample* pSample) override;
    STDMETHODIMP ReceiveMultiple(IMediaSample** pSamples, long nSamples,
                                 long* nSamplesProcessed) override;
    // S_OK when some downstream input pin may block (or there is none: a renderer).
    STDMETHODIMP ReceiveCanBlock() override;

    // Flushing state; derived pins pass the flush on after calling these.
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;

    HRESULT BreakConnect() override;
    // Clears the flushing and error states and decommits the allocator.
    HRESULT Inactive() override;

    // S_OK while samples may be taken: VFW_E_WRONG_STATE when stopped, S_FALSE while
    // flushing, VFW_E_RUNTIME_ERROR after a run-time error.
    virtual HRESULT CheckStreaming();

    BOOL IsReadOnly() const { return m_bReadOnly; }
    BOOL IsFlushing() const { return m_bFlushing; }
    IMemAllocator* PeekAllocator() const { return m_pAllocator; }  // no reference
    // Properties of the sample being received (valid inside Receive).
    const AM_SAMPLE2_PROPERTIES* SampleProps() const { return &m_SampleProps; }

protected:
    CComPtr<IMemAllocator> m_pAllocator;
    BOOL m_bReadOnly = FALSE;
    BOOL m_bFlushing = FALSE;
    AM_SAMPLE2_PROPERTIES m_SampleProps{};
};
