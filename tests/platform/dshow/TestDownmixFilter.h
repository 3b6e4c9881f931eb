// Size-changing test transform: 16-bit stereo PCM in, channel 0 only out, so every output
// sample is half the size of its input sample.
#pragma once

#include "platform/dshow/streams.h"

// {5A8E2F61-3C11-4D8B-9D0E-7A1B2C3D4E04}
inline constexpr GUID CLSID_TestDownmix = {
    0x5a8e2f61, 0x3c11, 0x4d8b, {0x9d, 0x0e, 0x7a, 0x1b, 0x2c, 0x3d, 0x4e, 0x04}};

class TestDownmixFilter : public CTransformFilter {
public:
    TestDownmixFilter();

    HRESULT CheckInputType(const CMediaType* mtIn) override;
    HRESULT CheckTransform(const CMediaType* mtIn, const CMediaType* mtOut) override;
    HRESULT DecideBufferSize(IMemAllocator* pAllocator, ALLOCATOR_PROPERTIES* pprop) override;
    HRESULT GetMediaType(int iPosition, CMediaType* pMediaType) override;
    HRESULT Transform(IMediaSample* pIn, IMediaSample* pOut) override;
    HRESULT StartStreaming() override;
    HRESULT StopStreaming() override;

    LONG StartCount() const { return m_starts; }
    LONG StopCount() const { return m_stops; }

private:
    LONG m_starts = 0;
    LONG m_stops = 0;
};
