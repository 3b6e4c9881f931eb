// One output pin of the file splitter per audio or video stream: offers exactly the stream's
// media type, sizes its buffer pool for about 15 seconds of data, marks and queues the filled
// samples downstream on a thread of its own, and carries the filter's seeking interface.
// The pin counts its own references; while anybody besides the filter holds it, it holds the
// filter, so a pin never outlives the filter it points to.
#pragma once

#include "platform/dshow/CMediaType.h"

#include "platform/dshow/CBaseOutputPin.h"
#include "platform/dshow/COutputQueue.h"

#include <uuids.h>
#include <wmsdkidl.h>

#include "platform/base/CComPtr.h"

class CWMFSplitterFlt;

class CWMFOutputPin : public CBaseOutputPin, public IMediaSeeking {
public:
    CWMFOutputPin(CCritSec* lock, CWMFSplitterFlt* ownerFilter, const wchar_t* name);
    ~CWMFOutputPin() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) NonDelegatingAddRef() override;
    STDMETHODIMP_(ULONG) NonDelegatingRelease() override;

    HRESULT Active() override;
    HRESULT Inactive() override;
    HRESULT CheckMediaType(const CMediaType* type) override;
    HRESULT GetMediaType(int position, CMediaType* type) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    HRESULT Deliver(IMediaSample* sample) override;
    HRESULT DeliverEndOfStream() override;
    HRESULT DeliverBeginFlush() override;
    HRESULT DeliverEndFlush() override;
    STDMETHODIMP Notify(IBaseFilter* sender, Quality quality) override;

    WORD GetStreamNumber(IWMStreamConfig** config);
    void SetStream(WORD streamNumber, IWMStreamConfig* config);
    HRESULT SetStreamMediaType(const AM_MEDIA_TYPE& type);
    void SetMaxSampleSize(DWORD size) { m_maxSampleSize = size; }
    const CMediaType& StreamType() const { return m_streamType; }
    bool IsAudio() const { return m_streamType.majortype == MEDIATYPE_Audio; }
    HRESULT DeliverSample(DWORD readerFlags, IMediaSample* sample, LONGLONG startTime);
    void SendAnyway();

    // The buffer count for a stream: about 15 seconds within the pool's bounds.
    static long BufferCount(const AM_MEDIA_TYPE& type, DWORD maxSampleSize, long requested);

    // IMediaSeeking
    STDMETHODIMP GetCapabilities(DWORD* capabilities) override;
    STDMETHODIMP CheckCapabilities(DWORD* capabilities) override;
    STDMETHODIMP IsFormatSupported(const GUID* format) override;
    STDMETHODIMP QueryPreferredFormat(GUID* format) override;
    STDMETHODIMP GetTimeFormat(GUID* format) override;
    STDMETHODIMP IsUsingTimeFormat(const GUID* format) override;
    STDMETHODIMP SetTimeFormat(const GUID* format) override;
    STDMETHODIMP GetDuration(LONGLONG* duration) override;
    STDMETHODIMP GetStopPosition(LONGLONG* stop) override;
    STDMETHODIMP GetCurrentPosition(LONGLONG* current) override;
    STDMETHODIMP ConvertTimeFormat(LONGLONG* target, const GUID* targetFormat, LONGLONG source,
                                   const GUID* sourceFormat) override;
    STDMETHODIMP SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop,
                              DWORD stopFlags) override;
    STDMETHODIMP GetPositions(LONGLONG* current, LONGLONG* stop) override;
    STDMETHODIMP GetAvailable(LONGLONG* earliest, LONGLONG* latest) override;
    STDMETHODIMP SetRate(double rate) override;
    STDMETHODIMP GetRate(double* rate) override;
    STDMETHODIMP GetPreroll(LONGLONG* preroll) override;

private:
    WORD m_streamNumber = 0;
    CComPtr<IWMStreamConfig> m_streamConfig;
    CMediaType m_streamType;
    DWORD m_maxSampleSize = 0;
    volatile BOOL m_newSegmentPending = TRUE;
    volatile BOOL m_firstSample = TRUE;
    CWMFSplitterFlt* m_ownerFilter;
    COutputQueue* m_outputQueue = nullptr;
};
