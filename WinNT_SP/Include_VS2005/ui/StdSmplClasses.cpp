// Sample-kind detection and min/max measurement of interleaved PCM and float frames.
#include "WinNT_SP/Include_VS2005/ui/StdSmplClasses.h"

#include <climits>
#include <cstdint>
#include <cstring>

int GetSampleKind(const WAVEFORMATEX* format)
{
    if (!format) {
        return SMPL_OTHER;
    }
    if (format->wFormatTag == WAVE_FORMAT_PCM) {
        switch (format->wBitsPerSample) {
        case 8:
            return SMPL_PCM8;
        case 16:
            return SMPL_PCM16;
        case 24:
            return SMPL_PCM24;
        default:
            return SMPL_OTHER;
        }
    }
    if (format->wFormatTag == WAVE_FORMAT_IEEE_FLOAT && format->wBitsPerSample == 32) {
        return SMPL_FLOAT32;
    }
    return SMPL_OTHER;
}

int SampleKindBytes(int kind)
{
    switch (kind) {
    case SMPL_PCM8:
        return 1;
    case SMPL_PCM16:
        return 2;
    case SMPL_PCM24:
        return 3;
    case SMPL_FLOAT32:
        return 4;
    default:
        return 0;
    }
}

namespace {

int ReadInt(const BYTE* p, int kind)
{
    switch (kind) {
    case SMPL_PCM8:
        return static_cast<int>(p[0]) - 128;
    case SMPL_PCM16: {
        int16_t v;
        std::memcpy(&v, p, 2);
        return v;
    }
    default: {
        // 24-bit little endian; the sign comes from the third byte.
        const int v = p[0] | p[1] << 8 | static_cast<int>(static_cast<int8_t>(p[2])) * 65536;
        return v;
    }
    }
}

double Scale(int kind)
{
    switch (kind) {
    case SMPL_PCM8:
        return 128.0;
    case SMPL_PCM16:
        return 32768.0;
    default:
        return 8388608.0;
    }
}

}  // namespace

int MeasureMinMax(CHANNEL_STATS* result, long byteLength, const BYTE* data, int kind,
                  int channels)
{
    const int sampleBytes = SampleKindBytes(kind);
    if (!result || channels <= 0) {
        return 0;
    }
    if (channels > kMaxMeasuredChannels) {
        channels = kMaxMeasuredChannels;
    }
    for (int c = 0; c < channels; ++c) {
        result[c] = {0.0, 0.0, 0.0};
    }
    if (!data || sampleBytes == 0 || byteLength <= 0) {
        return 0;
    }
    const long frameBytes = static_cast<long>(sampleBytes) * channels;
    const long frames = byteLength / frameBytes;
    if (frames == 0) {
        return 0;
    }
    if (kind == SMPL_FLOAT32) {
        double lo[kMaxMeasuredChannels];
        double hi[kMaxMeasuredChannels];
        for (int c = 0; c < channels; ++c) {
            lo[c] = 2147483648.0;
            hi[c] = -2147483648.0;
        }
        for (long f = 0; f < frames; ++f) {
            const BYTE* frame = data + f * frameBytes;
            for (int c = 0; c < channels; ++c) {
                float v;
                std::memcpy(&v, frame + c * 4, 4);
                if (v < lo[c]) {
                    lo[c] = v;
                }
                if (v > hi[c]) {
                    hi[c] = v;
                }
            }
        }
        for (int c = 0; c < channels; ++c) {
            result[c].minimum = lo[c];
            result[c].maximum = hi[c];
        }
        return static_cast<int>(frames);
    }
    int lo[kMaxMeasuredChannels];
    int hi[kMaxMeasuredChannels];
    for (int c = 0; c < channels; ++c) {
        lo[c] = INT_MAX;
        hi[c] = INT_MIN;
    }
    for (long f = 0; f < frames; ++f) {
        const BYTE* frame = data + f * frameBytes;
        for (int c = 0; c < channels; ++c) {
            const int v = ReadInt(frame + c * sampleBytes, kind);
            if (v < lo[c]) {
                lo[c] = v;
            }
            if (v > hi[c]) {
                hi[c] = v;
            }
        }
    }
    const double scale = Scale(kind);
    for (int c = 0; c < channels; ++c) {
        result[c].minimum = lo[c] / scale;
        result[c].maximum = hi[c] / scale;
    }
    return static_cast<int>(frames);
}
