// In-place test transform: inverts every byte of 16-bit stereo PCM (so the data shows that it
// passed) and counts the samples it saw and whether the allocators were shared.
#pragma once

#include "platform/dshow/streams.h"

// {5A8E2F61-3C11-4D8B-9D0E-7A1B2C3D4E03}
inline constexpr GUID CLSID_TestInvert = {
    0x5a8e2f61, 0x3c11, 0x4d8b, {0x9d, 0x0e, 0x7a, 0x1b, 0x2c, 0x3d, 0x4e, 0x03}};

class TestInvertFilter : public CTransInPlaceFilter {
public:
    TestInvertFilter();

    HRESULT CheckInputType(const CMediaType* mtIn) override;
    HRESULT Transform(IMediaSample* pSample) override;

    LONG Transformed() const { return m_transformed; }
    LONG Copied() const { return m_copied; }

private:
    volatile LONG m_transformed = 0;
    volatile LONG m_copied = 0;
};
