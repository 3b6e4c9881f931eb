// Filter with one input and one output pin that turns each input sample into one output
// sample from the output pin's allocator. Derived filters implement the type checks, the
// buffer sizes and Transform; state changes, flushing, end of stream and new segments are
// passed downstream here. See streams.h for the locks each overridable runs under.
#pragma once

#include "platform/dshow/CBaseFilter.h"
#include "platform/dshow/CTransformInputPin.h"
#include "platform/dshow/CTransformOutputPin.h"

class CTransformFilter : public CBaseFilter {
public:
    CTransformFilter(LPCTSTR pName, LPUNKNOWN pUnk, REFCLSID clsid);
    ~CTransformFilter() override;

    // Creates both pins on the first call (virtual calls cannot run in the constructor).
    int GetPinCount() override;
    CBasePin* GetPin(int n) override;
    STDMETHODIMP FindPin(LPCWSTR Id, IPin** ppPin) override;

    // Stop decommits the input allocator first (unblocking upstream), then takes the receive
    // lock, so that no Receive runs when StopStreaming is called.
    STDMETHODIMP Stop() override;
    // Pause from stopped calls StartStreaming under the receive lock. An unconnected input
    // sends end of stream downstream at once.
    STDMETHODIMP Pause() override;

    // Required: fill pOut from pIn (sizes, data); S_FALSE drops the sample.
    virtual HRESULT Transform(IMediaSample* pIn, IMediaSample* pOut);
    virtual HRESULT CheckInputType(const CMediaType* mtIn) = 0;
    virtual HRESULT CheckTransform(const CMediaType* mtIn, const CMediaType* mtOut) = 0;
    virtual HRESULT DecideBufferSize(IMemAllocator* pAllocator, ALLOCATOR_PROPERTIES* pprop) = 0;
    virtual HRESULT GetMediaType(int iPosition, CMediaType* pMediaType) = 0;

    // Optional hooks.
    virtual HRESULT StartStreaming();
    virtual HRESULT StopStreaming();
    virtual HRESULT AlterQuality(Quality q);
    virtual HRESULT SetMediaType(PIN_DIRECTION direction, const CMediaType* pmt);
    virtual HRESULT CheckConnect(PIN_DIRECTION dir, IPin* pPin);
    virtual HRESULT BreakConnect(PIN_DIRECTION dir);
    virtual HRESULT CompleteConnect(PIN_DIRECTION direction, IPin* pReceivePin);

    // Streaming, called by the input pin with the receive lock held.
    virtual HRESULT Receive(IMediaSample* pSample);
    virtual HRESULT EndOfStream();
    // Flush and segment, called by the input pin with the filter lock held.
    virtual HRESULT BeginFlush();
    virtual HRESULT EndFlush();
    virtual HRESULT NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate);

    CCritSec* pStateLock() { return &m_csFilter; }

protected:
    // Gets the output buffer and copies times, flags and media times from the input sample.
    HRESULT InitializeOutputSample(IMediaSample* pSample, IMediaSample** ppOutSample);

    BOOL m_bEOSDelivered = FALSE;
    BOOL m_bSampleSkipped = FALSE;
    BOOL m_bQualityChanged = FALSE;
    CCritSec m_csFilter;   // state lock (the base filter's m_pLock)
    CCritSec m_csReceive;  // streaming lock: held for each Receive and EndOfStream
    CTransformInputPin* m_pInput = nullptr;
    CTransformOutputPin* m_pOutput = nullptr;

    friend class CTransformInputPin;
    friend class CTransformOutputPin;
};
