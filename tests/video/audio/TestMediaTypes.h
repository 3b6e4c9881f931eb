// PCM media types for the audio filter tests.
#pragma once

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/dshow/streams.h"

namespace audio_test {

struct PcmFormat {
    int rate = 44100;
    int channels = 2;
    int bits = 16;
    int tag = WAVE_FORMAT_PCM;
    int avgDelta = 0;    // added to the consistent byte rate
    int alignDelta = 0;  // added to the consistent block alignment
    unsigned formatBytes = sizeof(WAVEFORMATEX);
};

inline WAVEFORMATEX MakeFormat(const PcmFormat& s)
{
    WAVEFORMATEX f{};
    f.wFormatTag = static_cast<WORD>(s.tag);
    f.nChannels = static_cast<WORD>(s.channels);
    f.nSamplesPerSec = static_cast<DWORD>(s.rate);
    f.wBitsPerSample = static_cast<WORD>(s.bits);
    f.nBlockAlign = static_cast<WORD>(s.channels * s.bits / 8 + s.alignDelta);
    f.nAvgBytesPerSec = static_cast<DWORD>(s.rate * (s.channels * s.bits / 8) + s.avgDelta);
    return f;
}

inline CMediaType MakeType(const PcmFormat& s)
{
    const WAVEFORMATEX f = MakeFormat(s);
    CMediaType t;
    t.SetType(&MEDIATYPE_Audio);
    t.SetSubtype(&MEDIASUBTYPE_PCM);
    t.SetFormatType(&FORMAT_WaveFormatEx);
    t.SetSampleSize(f.nBlockAlign > 0 ? f.nBlockAlign : 1);
    std::vector<BYTE> block(s.formatBytes, 0);
    std::memcpy(block.data(), &f, std::min<size_t>(block.size(), sizeof(f)));
    t.SetFormat(block.data(), static_cast<ULONG>(block.size()));
    return t;
}

}  // namespace audio_test
