// One output pin of the network splitter per pushed stream: offers exactly the stream's media
// type, starts with small buffers that the filter grows when a sample does not fit, and
// queues the filled samples downstream (on a thread of its own when the input may block).
// Counts its references like the file splitter's pins: while anybody besides the filter holds
// it, it holds the filter.
#pragma once

#include "platform/dshow/CMediaType.h"

#include "platform/dshow/CBaseOutputPin.h"
#include "platform/dshow/COutputQueue.h"

#include <wmsdkidl.h>

class CWMNetSplitterFlt;

class CWMNetOutputPin : public CBaseOutputPin {
public:
    CWMNetOutputPin(CCritSec* lock, CWMNetSplitterFlt* ownerFilter, const wchar_t* name);
    ~CWMNetOutputPin() override;

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

    // Marks a filled sample from the reader's flags and sends it.
    HRESULT DeliverSample(DWORD readerFlags, IMediaSample* sample, LONGLONG startTime);
    // The pin's allocator with a reference, or VFW_E_NO_ALLOCATOR.
    HRESULT GetConnectionAllocator(IMemAllocator** out);

    // The buffer count for a stream type (video: 15 s of frames; audio: 75), within 32..512.
    static long BufferCount(const AM_MEDIA_TYPE& type, long requested);
    static constexpr long kInitialBufferBytes = 1024;

    WORD streamNumber = 0;
    CMediaType streamType;

private:
    volatile BOOL m_firstSample = TRUE;
    CWMNetSplitterFlt* m_ownerFilter;
    COutputQueue* m_outputQueue = nullptr;
};
