// Pass-through filter for graph tests that keeps a copy of every 16-bit PCM sample it passes,
// in any state (a tap that records only while running misses what is delivered in pause).
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/dshow/streams.h"

class PcmRecorder : public CTransInPlaceFilter {
public:
    // Holds one reference on return (the caller's).
    static PcmRecorder* Create();

    HRESULT CheckInputType(const CMediaType* mtIn) override;
    HRESULT Transform(IMediaSample* pSample) override;

    std::vector<int16_t> Values() const;

private:
    explicit PcmRecorder(HRESULT* phr);

    mutable std::mutex m_mutex;
    std::vector<int16_t> m_values;
};
