// Measured behaviour on real signals: a harmonic tone and generated speech stretched to the
// player's speeds keep their duration ratio and (for the tone) their pitch.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "tests/support/PcmWav.h"
#include "WinNT_SP/Include_VS2005/AUDIO_DSP/SoundSpeed.h"
#include "tests/support/TestEnv.h"

namespace {

const double kSpeeds[] = {0.334, 0.5, 1.5, 2.0, 3.0};

struct Stretched {
    std::vector<float> values;
    double realised = 0;
    int hopIn = 0;
    int overlap = 0;
    int bufferLen = 0;
    int searchHalf = 0;
};

Stretched Stretch(const std::vector<float>& in, int rate, int channels, double speed)
{
    SoundSpeed s;
    Stretched r;
    EXPECT_TRUE(s.Init(rate, channels, speed));
    r.realised = s.GetRealisedSpeed();
    r.hopIn = s.GetHopIn();
    r.overlap = s.GetOverlapLen();
    r.bufferLen = s.GetBufferLen();
    r.searchHalf = s.GetSearchHalf();
    // Fed in 100 ms pieces and drained after each, as the filter does.
    const size_t piece = static_cast<size_t>(rate / 10 * channels);
    std::vector<float> chunk;
    for (size_t pos = 0; pos < in.size(); pos += piece) {
        const size_t n = std::min(piece, in.size() - pos);
        EXPECT_TRUE(s.Process(in.data() + pos, static_cast<unsigned>(n)));
        chunk.resize(s.GetQueuedCount());
        chunk.resize(s.Read(static_cast<unsigned>(chunk.size()), chunk.data()));
        r.values.insert(r.values.end(), chunk.begin(), chunk.end());
    }
    return r;
}

// The output must last input / realised speed, less what the stretch holds back by design (its
// history of B - L frames and an unfinished hop, at the realised speed), within one block. The
// chosen lag lets a segment come from up to S frames either side of its nominal place, so the
// end of the output may stand that much further back as well.
void ExpectDuration(const Stretched& r, size_t inFrames, int channels, double speed)
{
    const double outFrames = static_cast<double>(r.values.size() / channels);
    const double ideal = inFrames / r.realised;
    const double heldBack = (r.bufferLen - r.overlap + r.hopIn + r.searchHalf) / r.realised;
    EXPECT_LE(outFrames, ideal + r.overlap) << "speed " << speed;
    EXPECT_GE(outFrames, ideal - heldBack - r.overlap) << "speed " << speed;
}

// Frequency of the strongest component between lo and hi Hz over frames [start, start+len)
// of the first channel: a Hann-windowed DFT scanned coarse, then fine around the peak.
double PeakFrequency(const std::vector<float>& v, int channels, int rate, size_t start,
                     size_t len, double lo, double hi)
{
    std::vector<double> x(len);
    for (size_t i = 0; i < len; ++i) {
        const double hann = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / (len - 1));
        x[i] = v[(start + i) * channels] * hann;
    }
    auto power = [&](double f) {
        const double step = 2 * std::numbers::pi * f / rate;
        double re = 0;
        double im = 0;
        for (size_t i = 0; i < len; ++i) {
            re += x[i] * std::cos(step * i);
            im += x[i] * std::sin(step * i);
        }
        return re * re + im * im;
    };
    double best = lo;
    double bestPower = -1;
    for (double f = lo; f <= hi; f += 0.5) {
        const double p = power(f);
        if (p > bestPower) {
            bestPower = p;
            best = f;
        }
    }
    const double centre = best;
    for (double f = centre - 0.5; f <= centre + 0.5; f += 0.02) {
        const double p = power(f);
        if (p > bestPower) {
            bestPower = p;
            best = f;
        }
    }
    return best;
}

std::vector<float> HarmonicTone(int rate, int channels, double seconds, double f0)
{
    const size_t frames = static_cast<size_t>(rate * seconds);
    std::vector<float> v(frames * channels);
    for (size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / rate;
        double s = 0;
        for (int h = 1; h <= 5; ++h) {
            s += 0.5 / h * std::sin(2 * std::numbers::pi * f0 * h * t + 0.3 * h);
        }
        for (int c = 0; c < channels; ++c) {
            v[i * channels + c] = static_cast<float>(s * 0.6);
        }
    }
    return v;
}

TEST(StretchProperties, HarmonicToneKeepsDurationRatioAndPitch)
{
    const int rate = 44100;
    const std::vector<float> tone = HarmonicTone(rate, 2, 6.0, 220.0);
    for (double speed : kSpeeds) {
        const Stretched r = Stretch(tone, rate, 2, speed);
        ExpectDuration(r, tone.size() / 2, 2, speed);
        const size_t frames = r.values.size() / 2;
        ASSERT_GT(frames, static_cast<size_t>(rate)) << speed;
        const double f = PeakFrequency(r.values, 2, rate, frames / 2 - rate / 4, rate / 2,
                                       150.0, 300.0);
        EXPECT_NEAR(f, 220.0, 220.0 * 0.005) << "speed " << speed;
    }
}

TEST(StretchProperties, SpeechKeepsDurationRatio)
{
    std::wstring wide = orvane::test::MediaPath(L"speech.wav");
    const std::string path(wide.begin(), wide.end());
    orvane::test::PcmAudio speech;
    ASSERT_EQ(orvane::test::ReadPcmWav(path, speech), "");
    ASSERT_EQ(speech.rate, 44100);
    ASSERT_EQ(speech.channels, 2);
    ASSERT_GT(speech.Frames(), 44100u * 19);
    for (double speed : kSpeeds) {
        const Stretched r = Stretch(speech.samples, speech.rate, speech.channels, speed);
        ExpectDuration(r, speech.Frames(), speech.channels, speed);
    }
}

TEST(StretchProperties, MissingWavIsAClearError)
{
    orvane::test::PcmAudio audio;
    EXPECT_EQ(orvane::test::ReadPcmWav("Z:\\no\\such\\file.wav", audio),
              "cannot open Z:\\no\\such\\file.wav");
}

}  // namespace
