// Decodes Windows Media audio to 16-bit PCM for the audio chain through the system's WMA
// decoder in its Media Foundation transform form. Wine 8's decoder answers its DirectShow
// (DMO) face with "not implemented", so the graph's own decoder search finds nothing; the
// transform face works, and this filter puts it into the graph.
#pragma once

#include "platform/dshow/CMediaType.h"

#include "platform/dshow/streams.h"

#include <mftransform.h>

#include "platform/base/CComPtr.h"

class CWmaDecoderFlt : public CTransformFilter {
public:
    // A new filter holding one reference (the creator's); NULL when it cannot be made.
    static CWmaDecoderFlt* Create();
    ~CWmaDecoderFlt() override;

    HRESULT CheckInputType(const CMediaType* mtIn) override;
    HRESULT CheckTransform(const CMediaType* mtIn, const CMediaType* mtOut) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    HRESULT GetMediaType(int position, CMediaType* type) override;
    HRESULT SetMediaType(PIN_DIRECTION direction, const CMediaType* type) override;
    HRESULT StartStreaming() override;
    HRESULT StopStreaming() override;
    HRESULT Receive(IMediaSample* sample) override;
    HRESULT EndOfStream() override;
    HRESULT EndFlush() override;

    // The PCM type the decoder gives for a Windows Media audio type; false for other types.
    static bool PcmTypeFor(const AM_MEDIA_TYPE& input, CMediaType& pcm);

private:
    CWmaDecoderFlt();
    // A transform set up for the input type; NULL when the system has none that takes it.
    static IMFTransform* CreateTransform(const AM_MEDIA_TYPE& input);
    // Takes every output the transform has ready and delivers it.
    HRESULT DeliverOutput();
    HRESULT DeliverBytes(const BYTE* data, DWORD length);

    CMediaType m_inputType;
    CMediaType m_outputType;
    CComPtr<IMFTransform> m_transform;
    DWORD m_outputBufferSize = 0;
    bool m_providesSamples = false;
    bool m_anchorPending = true;  // the next input's start time starts the output times
    bool m_discontinuity = true;
    REFERENCE_TIME m_nextTime = 0;
};
