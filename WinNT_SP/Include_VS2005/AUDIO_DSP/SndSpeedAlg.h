// Block time-stretch: synchronised overlap-add with a waveform-similarity search. Each step
// reads hopIn frames and writes overlapLen frames, so the output lasts input * L / hopIn; the
// pitch is kept because segments are copied, not resampled. Plain C++, no platform types.
#pragma once

#include <cstddef>
#include <vector>

#include "WinNT_SP/Include_VS2005/AUDIO_DSP/CorrelationFft.h"

class SndSpeedAlg {
public:
    // What the next block step does: write silence while the history fills, copy the history
    // once without a search, then search and cross-fade for the rest of the stream.
    enum class Phase { Silent, Direct, Search };

    // The speeds the stretch is built for; others are clamped. Wider than the player's speed
    // range (0.334 .. 3 in the support library's SpeedListRules.h, which this plain algorithm
    // does not include) so that every speed the player offers passes unchanged.
    static constexpr double kMinStretchSpeed = 0.3;
    static constexpr double kMaxStretchSpeed = 3.0;

    SndSpeedAlg() = default;
    ~SndSpeedAlg();
    SndSpeedAlg(const SndSpeedAlg&) = delete;
    SndSpeedAlg& operator=(const SndSpeedAlg&) = delete;

    // Sizes for the rate, buffers, speed, then Reset. channels is 1 or 2 (more are analysed
    // from the first two). False when a buffer could not be allocated (the object is then
    // released and ProcessBlock must not be called).
    [[nodiscard]] bool Init(int rate, int channels, double speed);
    // Clamps speed to kMinStretchSpeed .. kMaxStretchSpeed and derives the input hop and the
    // start-up skip.
    void SetSpeed(double speed);
    // Starts the stream again (zeroed history, warm-up); keeps the transform tables.
    void Reset();
    // Consumes GetInputBlockSize() interleaved values, writes GetOutputBlockSize() values.
    void ProcessBlock(const float* in, float* out);
    void Release();

    int GetInputBlockSize() const { return inBlockValues; }
    int GetOutputBlockSize() const { return outBlockValues; }
    int GetStartSkip() const { return startSkip; }
    int GetHopIn() const { return hopIn; }
    int GetOverlapLen() const { return overlapLen; }
    int GetBufferLen() const { return bufferLen; }
    int GetFftSize() const { return fftSize; }
    int GetSearchHalf() const { return searchHalf; }
    int GetBestLag() const { return bestLag; }
    Phase GetPhase() const;
    double GetSpeed() const { return speed; }
    // hopIn / overlapLen: the speed actually produced, quantised to 1/L.
    double GetRealisedSpeed() const;

private:
    void AppendFrames(const float* in);
    int SearchBestLag();

    int fftSize = 0;         // N: transform length in complex points = W + S
    int fftWorkLen = 0;      // 2N doubles in fftWork
    int windowLen = 0;       // W frames: template length; longer finds the period more surely
                             // at low pitch but smears fast speech
    int overlapLen = 0;      // L = W/2 frames: output hop and cross-fade length
    int searchHalf = 0;      // S frames: lags searched are 0 .. 2S-1 (about +-5 ms at 44.1 kHz)
    int searchLen = 0;       // 2S
    int inBlockValues = 0;   // hopIn * channels
    int outBlockValues = 0;  // L * channels
    int bufferLen = 0;       // B = 2S + 3L frames of mono history
    int hopIn = 0;           // frames consumed per step, RoundHalfToZero(L * speed)
    int keepLen = 0;         // B - hopIn: frames kept when the history shifts
    int startSkip = 0;       // output values (all channels) to drop at the start of a stream
    int warmup = 0;          // frames of start-up still to pass; negative once searching
    int channels = 0;        // 1 or 2 output channels (the output is mono on each)
    int bestLag = 0;         // lag 0 .. 2S-1 chosen by the last search
    double speed = 1.0;      // clamped to kMinStretchSpeed .. kMaxStretchSpeed

    // The mono history is kept in a longer array so that the shift by hopIn is a pointer move;
    // it is compacted only when the array end is reached. buffer[0 .. B-1] is the current view.
    std::vector<double> history;
    int historyCap = 0;           // frames in history
    int historyPos = 0;           // offset of buffer[0] in history
    std::vector<double> tail;     // L: faded-out continuation of the previous segment
    std::vector<double> ramp;     // L: rising half of a Hann window over W-1
    std::vector<double> templ;    // W: the frames that followed the last segment output
    std::vector<double> fftWork;  // 2N: (template, buffer) pairs for the correlation
    CorrelationFft correlator;   // transform plan of this size row
};
