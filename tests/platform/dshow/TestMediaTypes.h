// Media types used by the filter tests: uncompressed PCM with a WAVEFORMATEX block.
#pragma once

#include "platform/dshow/streams.h"

namespace dshowtest {

// PCM type of the given rate, channel count and sample size.
inline CMediaType MakePcmType(DWORD rate, WORD channels, WORD bits)
{
    CMediaType type(&MEDIATYPE_Audio);
    type.SetSubtype(&MEDIASUBTYPE_PCM);
    type.SetFormatType(&FORMAT_WaveFormatEx);
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = channels;
    format.nSamplesPerSec = rate;
    format.wBitsPerSample = bits;
    format.nBlockAlign = static_cast<WORD>(channels * bits / 8);
    format.nAvgBytesPerSec = rate * format.nBlockAlign;
    type.SetFormat(reinterpret_cast<const BYTE*>(&format), sizeof(format));
    type.SetSampleSize(format.nBlockAlign);
    return type;
}

inline const WAVEFORMATEX* Wave(const CMediaType& type)
{
    return reinterpret_cast<const WAVEFORMATEX*>(type.Format());
}

// The value the test source writes into channel 0 of absolute frame n (16-bit streams);
// channel 1 holds its complement.
inline short SourceValue(LONGLONG frame)
{
    return static_cast<short>(frame & 0x7FFF);
}

}  // namespace dshowtest
