// Measuring PCM blocks: the sample kind of a wave format and the per-channel minimum and
// maximum of interleaved frames, normalised to -1..1.
#pragma once

#include <windows.h>
#include <mmreg.h>

constexpr int kMaxMeasuredChannels = 32;

enum SampleKind : int {
    SMPL_OTHER = 0,
    SMPL_PCM8 = 1,
    SMPL_PCM16 = 2,
    SMPL_PCM24 = 3,
    SMPL_FLOAT32 = 4,
};

// One channel of a measured block; spare is not used by the measurement.
struct CHANNEL_STATS {
    double minimum;
    double maximum;
    double spare;
};

int GetSampleKind(const WAVEFORMATEX* format);

// Walks the whole frames of the block (a trailing partial frame is not read) for up to
// kMaxMeasuredChannels channels; result needs `channels` entries. Returns the number of frames
// measured; with none, every channel reads 0..0.
int MeasureMinMax(CHANNEL_STATS* result, long byteLength, const BYTE* data, int kind,
                  int channels);

// Bytes per sample of a kind, 0 for SMPL_OTHER.
int SampleKindBytes(int kind);
