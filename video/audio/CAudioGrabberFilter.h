// In-place transform that passes uncompressed audio through unchanged and shows each sample's
// PCM data to the player (through the sink) while the graph runs, for the level meter.
#pragma once

#include "video/audio/IAudioFilterSink.h"
#include "platform/dshow/streams.h"

class CAudioGrabberFilter : public CTransInPlaceFilter {
public:
    // A new filter holding one reference (the creator's); null with *phr set on failure.
    static CAudioGrabberFilter* Create(const AM_MEDIA_TYPE& expectedType, IAudioFilterSink* sink,
                                       HRESULT* phr);
    ~CAudioGrabberFilter() override;

    HRESULT CheckInputType(const CMediaType* mtIn) override;
    HRESULT CheckTransform(const CMediaType* mtIn, const CMediaType* mtOut) override;
    HRESULT SetMediaType(PIN_DIRECTION direction, const CMediaType* pmt) override;
    HRESULT Transform(IMediaSample* pSample) override;

    // The input connection's format (format tag through cbSize); zero until connected.
    const WAVEFORMATEX& ConnectedFormat() const { return m_formatCopy; }

private:
    CAudioGrabberFilter(IAudioFilterSink* sink, HRESULT* phr);

    IAudioFilterSink* m_sink;  // not owned
    CMediaType m_expectedType;
    WAVEFORMATEX m_formatCopy{};
    int m_source = 0;          // source value passed with the data; always 0 here
};
