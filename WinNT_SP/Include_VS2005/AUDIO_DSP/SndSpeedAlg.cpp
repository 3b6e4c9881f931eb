// The time-stretch block step: history shift, start-up, correlation search by FFT and the
// cross-faded output. All arithmetic is in doubles; samples enter and leave as floats.
#include "WinNT_SP/Include_VS2005/AUDIO_DSP/SndSpeedAlg.h"

#include <emmintrin.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "WinNT_SP/Include_VS2005/AUDIO_DSP/CorrelationFft.h"
#include "WinNT_SP/Include_VS2005/AUDIO_DSP/FourierTransform.h"

namespace {

// Sizes per sample-rate row. N = W + S: the correlation is circular over N, so lags above S
// let the template's end meet the buffer's start; kept because the results depend on it.
struct SizeRow {
    int fftSize;
    int windowLen;
    int searchHalf;
};

SizeRow RowForRate(int rate)
{
    if (rate > 22050) {
        return {1024, 800, 224};
    }
    if (rate > 11025) {
        return {512, 400, 112};
    }
    return {256, 200, 56};
}

// History array length in multiples of B: larger means fewer compactions, more memory.
constexpr int kHistoryBlocks = 8;

constexpr double kMostNegative = -1.79769e308;

template <typename T>
void FreeArray(std::vector<T>& v)
{
    std::vector<T>().swap(v);
}

}  // namespace

SndSpeedAlg::~SndSpeedAlg()
{
    Release();
}

void SndSpeedAlg::Release()
{
    FreeArray(history);
    FreeArray(tail);
    FreeArray(ramp);
    FreeArray(templ);
    FreeArray(fftWork);
    correlator.Release();
    historyCap = 0;
    historyPos = 0;
}

bool SndSpeedAlg::Init(int rate, int channelCount, double newSpeed)
{
    Release();
    if (channelCount < 1 || channelCount > 2) {
        return false;
    }
    channels = channelCount;
    const SizeRow row = RowForRate(rate);
    fftSize = row.fftSize;
    fftWorkLen = 2 * fftSize;
    windowLen = row.windowLen;
    overlapLen = windowLen / 2;
    searchHalf = row.searchHalf;
    searchLen = 2 * searchHalf;
    bufferLen = searchLen + 3 * overlapLen;
    outBlockValues = overlapLen * channels;

    historyCap = kHistoryBlocks * bufferLen;
    try {
        history.assign(static_cast<size_t>(historyCap), 0.0);
        tail.assign(static_cast<size_t>(overlapLen), 0.0);
        ramp.assign(static_cast<size_t>(overlapLen), 0.0);
        templ.assign(static_cast<size_t>(windowLen), 0.0);
        fftWork.assign(static_cast<size_t>(fftWorkLen), 0.0);
    } catch (const std::bad_alloc&) {
        Release();
        return false;
    }
    if (!correlator.Init(fftSize, searchLen)) {
        Release();
        return false;
    }
    const double twoPi = 8.0 * std::atan(1.0);
    for (int i = 0; i < overlapLen; ++i) {
        ramp[i] = 0.5 - 0.5 * std::cos(twoPi * i / (windowLen - 1));
    }
    SetSpeed(newSpeed);
    Reset();
    return true;
}

void SndSpeedAlg::SetSpeed(double newSpeed)
{
    speed = newSpeed;
    if (speed > kMaxStretchSpeed) {
        speed = kMaxStretchSpeed;
    }
    if (!(speed >= kMinStretchSpeed)) {
        speed = kMinStretchSpeed;  // also catches NaN
    }
    hopIn = RoundHalfToZero(overlapLen * speed);
    inBlockValues = hopIn * channels;
    keepLen = bufferLen - hopIn;
    startSkip = (keepLen + (keepLen / hopIn) * (overlapLen - hopIn)) * channels;
}

void SndSpeedAlg::Reset()
{
    std::fill(history.begin(), history.end(), 0.0);
    std::fill(tail.begin(), tail.end(), 0.0);
    std::fill(templ.begin(), templ.end(), 0.0);
    std::fill(fftWork.begin(), fftWork.end(), 0.0);
    historyPos = 0;
    warmup = keepLen;
    bestLag = bufferLen - overlapLen;
}

double SndSpeedAlg::GetRealisedSpeed() const
{
    return overlapLen > 0 ? static_cast<double>(hopIn) / overlapLen : 0.0;
}

SndSpeedAlg::Phase SndSpeedAlg::GetPhase() const
{
    if (warmup >= hopIn) {
        return Phase::Silent;
    }
    return warmup >= 0 ? Phase::Direct : Phase::Search;
}

void SndSpeedAlg::AppendFrames(const float* in)
{
    if (historyPos + hopIn + bufferLen > historyCap) {
        std::memmove(history.data(), history.data() + historyPos + hopIn,
                     sizeof(double) * keepLen);
        historyPos = 0;
    } else {
        historyPos += hopIn;
    }
    double* dest = history.data() + historyPos + keepLen;
    if (channels == 1) {
        for (int i = 0; i < hopIn; ++i) {
            dest[i] = in[i];
        }
    } else {
        for (int i = 0; i < hopIn; ++i) {
            dest[i] = (static_cast<double>(in[2 * i]) + in[2 * i + 1]) * 0.5;
        }
    }
}

int SndSpeedAlg::SearchBestLag()
{
    const double* x = history.data() + historyPos;
    const int n = fftSize;
    double* z = fftWork.data();
    int k = 0;
    for (; k + 2 <= windowLen; k += 2) {
        const __m128d t = _mm_loadu_pd(templ.data() + k);
        const __m128d v = _mm_loadu_pd(x + k);
        _mm_storeu_pd(z + 2 * k, _mm_unpacklo_pd(t, v));
        _mm_storeu_pd(z + 2 * k + 2, _mm_unpackhi_pd(t, v));
    }
    for (; k < windowLen; ++k) {
        z[2 * k] = templ[k];
        z[2 * k + 1] = x[k];
    }
    for (; k < n; ++k) {
        z[2 * k] = 0.0;
        z[2 * k + 1] = x[k];
    }
    const double* c = correlator.Correlate(z);

    // First maximum over the lags, starting below every finite value; NaN never wins (maxpd
    // returns its second operand when the first is NaN). Ties go to the smallest lag.
    __m128d top = _mm_set1_pd(kMostNegative);
    int m = 0;
    for (; m + 2 <= searchLen; m += 2) {
        top = _mm_max_pd(_mm_loadu_pd(c + m), top);
    }
    double best = std::max(_mm_cvtsd_f64(top), _mm_cvtsd_f64(_mm_unpackhi_pd(top, top)));
    for (; m < searchLen; ++m) {
        if (c[m] > best) {
            best = c[m];
        }
    }
    if (!(best > kMostNegative)) {
        return bestLag;
    }
    int lag = 0;
    while (!(c[lag] == best)) {
        ++lag;
    }
    return lag;
}

void SndSpeedAlg::ProcessBlock(const float* in, float* out)
{
    AppendFrames(in);
    const double* x = history.data() + historyPos;
    const int len = overlapLen;

    const Phase phase = GetPhase();
    if (phase == Phase::Silent) {
        std::memset(out, 0, sizeof(float) * outBlockValues);
        warmup -= hopIn;
        bestLag = 0;
        return;
    }

    if (phase == Phase::Direct) {
        warmup -= hopIn;
        bestLag = 0;
        for (int j = 0; j < len; ++j) {
            const double y = x[j];
            tail[j] = x[len + j] * ramp[len - 1 - j];
            if (channels == 1) {
                out[j] = static_cast<float>(y);
            } else {
                out[2 * j] = out[2 * j + 1] = static_cast<float>(y);
            }
        }
        std::memcpy(templ.data(), x + len, sizeof(double) * windowLen);
        return;
    }

    const int m = SearchBestLag();
    const double* seg = x + m;
    for (int j = 0; j < len; ++j) {
        const double y = seg[j] * ramp[j] + tail[j];
        tail[j] = seg[len + j] * ramp[len - 1 - j];
        if (channels == 1) {
            out[j] = static_cast<float>(y);
        } else {
            out[2 * j] = out[2 * j + 1] = static_cast<float>(y);
        }
    }
    std::memcpy(templ.data(), seg + len, sizeof(double) * windowLen);
    bestLag = m;
}
