// Output pin of the test push source: a worker thread fills buffers with a known PCM pattern
// and times them; IMediaSeeking restarts it (flush, new segment) at the new position. Counts
// its own references, like the engine's splitter pins.
#pragma once

#include "platform/dshow/streams.h"

class TestSourceFilter;

class TestSourcePin : public CBaseOutputPin, public IMediaSeeking, public CAMThread {
public:
    // bufferCount buffers of bufferBytes make up the stream; poolBuffers is the allocator size
    // asked for.
    TestSourcePin(TestSourceFilter* pFilter, CCritSec* pLock, HRESULT* phr, const CMediaType& type,
                  LONG bufferBytes, int bufferCount, int poolBuffers);
    ~TestSourcePin() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) NonDelegatingAddRef() override;
    STDMETHODIMP_(ULONG) NonDelegatingRelease() override;

    HRESULT CheckMediaType(const CMediaType* pmt) override;
    HRESULT GetMediaType(int iPosition, CMediaType* pMediaType) override;
    HRESULT DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pProp) override;
    HRESULT Active() override;
    HRESULT Inactive() override;

    STDMETHODIMP GetCapabilities(DWORD* pCapabilities) override;
    STDMETHODIMP CheckCapabilities(DWORD* pCapabilities) override;
    STDMETHODIMP IsFormatSupported(const GUID* pFormat) override;
    STDMETHODIMP QueryPreferredFormat(GUID* pFormat) override;
    STDMETHODIMP GetTimeFormat(GUID* pFormat) override;
    STDMETHODIMP IsUsingTimeFormat(const GUID* pFormat) override;
    STDMETHODIMP SetTimeFormat(const GUID* pFormat) override;
    STDMETHODIMP GetDuration(LONGLONG* pDuration) override;
    STDMETHODIMP GetStopPosition(LONGLONG* pStop) override;
    STDMETHODIMP GetCurrentPosition(LONGLONG* pCurrent) override;
    STDMETHODIMP ConvertTimeFormat(LONGLONG* pTarget, const GUID* pTargetFormat, LONGLONG Source,
                                   const GUID* pSourceFormat) override;
    STDMETHODIMP SetPositions(LONGLONG* pCurrent, DWORD dwCurrentFlags, LONGLONG* pStop,
                              DWORD dwStopFlags) override;
    STDMETHODIMP GetPositions(LONGLONG* pCurrent, LONGLONG* pStop) override;
    STDMETHODIMP GetAvailable(LONGLONG* pEarliest, LONGLONG* pLatest) override;
    STDMETHODIMP SetRate(double dRate) override;
    STDMETHODIMP GetRate(double* pdRate) override;
    STDMETHODIMP GetPreroll(LONGLONG* pllPreroll) override;

    DWORD ThreadProc() override;

    LONG SeekCount() const { return m_seekCount; }
    LONG OwnReferences() const { return m_cRef; }
    REFERENCE_TIME BufferDuration() const;

private:
    enum Command : DWORD { kRun = 1, kStop = 2, kExit = 3 };
    // Pushes buffers from m_nextBuffer until the end (then end of stream) or a request.
    void Push();
    HRESULT FillBuffer(IMediaSample* pSample, int index);

    CMediaType m_type;
    LONG m_bufferBytes;
    int m_bufferCount;
    int m_poolBuffers;
    CCritSec m_seekLock;
    int m_firstBuffer = 0;   // buffer at the current start position
    int m_nextBuffer = 0;    // next buffer the thread fills
    bool m_newSegment = true;
    volatile LONG m_seekCount = 0;
};
