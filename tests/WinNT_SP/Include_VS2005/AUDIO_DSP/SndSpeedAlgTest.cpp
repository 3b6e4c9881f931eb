// Block time-stretch: sizes per rate, hops and start-up skips per speed, the start-up sequence,
// the cross-fade gain, channel handling and the lag choice on ties and NaN.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <limits>
#include <vector>

#include "WinNT_SP/Include_VS2005/AUDIO_DSP/SndSpeedAlg.h"

namespace {

struct SpeedCase {
    double speed;
    int hopIn;
    int startSkipFrames;
};

TEST(SndSpeedAlg, HopAndStartSkipPerSpeed)
{
    const SpeedCase cases[] = {
        {0.5, 200, 2848}, {1.0, 400, 1248}, {1.5, 600, 848},  {2.0, 800, 448},
        {3.0, 1200, 448}, {0.3, 120, 4888}, {5.0, 1200, 448}, {0.1, 120, 4888},
        {0.334, 134, 4440},
    };
    for (const SpeedCase& c : cases) {
        for (int channels : {1, 2}) {
            SndSpeedAlg alg;
            ASSERT_TRUE(alg.Init(44100, channels, c.speed));
            EXPECT_EQ(alg.GetHopIn(), c.hopIn) << c.speed;
            EXPECT_EQ(alg.GetInputBlockSize(), c.hopIn * channels) << c.speed;
            EXPECT_EQ(alg.GetOutputBlockSize(), 400 * channels) << c.speed;
            EXPECT_EQ(alg.GetStartSkip(), c.startSkipFrames * channels) << c.speed;
        }
    }
}

TEST(SndSpeedAlg, SpeedIsClamped)
{
    SndSpeedAlg alg;
    ASSERT_TRUE(alg.Init(44100, 1, 5.0));
    EXPECT_EQ(alg.GetSpeed(), 3.0);
    ASSERT_TRUE(alg.Init(44100, 1, 0.1));
    EXPECT_EQ(alg.GetSpeed(), 0.3);
    ASSERT_TRUE(alg.Init(44100, 1, std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ(alg.GetSpeed(), 0.3);
    EXPECT_EQ(alg.GetHopIn(), 120);
}

TEST(SndSpeedAlg, RealisedSpeedIsQuantisedToTheOverlap)
{
    SndSpeedAlg alg;
    ASSERT_TRUE(alg.Init(44100, 2, 0.334));
    EXPECT_DOUBLE_EQ(alg.GetRealisedSpeed(), 134.0 / 400.0);
}

struct RateCase {
    int rate;
    int fftSize;
    int overlap;
    int bufferLen;
};

TEST(SndSpeedAlg, SizesPerSampleRate)
{
    const RateCase cases[] = {
        {48000, 1024, 400, 1648}, {44100, 1024, 400, 1648}, {22051, 1024, 400, 1648},
        {22050, 512, 200, 824},   {11026, 512, 200, 824},   {11025, 256, 100, 412},
        {8000, 256, 100, 412},    {0, 256, 100, 412},
    };
    for (const RateCase& c : cases) {
        SndSpeedAlg alg;
        ASSERT_TRUE(alg.Init(c.rate, 1, 1.0));
        EXPECT_EQ(alg.GetFftSize(), c.fftSize) << c.rate;
        EXPECT_EQ(alg.GetOverlapLen(), c.overlap) << c.rate;
        EXPECT_EQ(alg.GetBufferLen(), c.bufferLen) << c.rate;
    }
}

TEST(SndSpeedAlg, RefusesUnsupportedChannelCounts)
{
    SndSpeedAlg alg;
    EXPECT_FALSE(alg.Init(44100, 0, 1.0));
    EXPECT_FALSE(alg.Init(44100, 3, 1.0));
    EXPECT_TRUE(alg.Init(44100, 2, 1.0));
}

// Runs whole blocks of the given mono/stereo input and returns all output values.
std::vector<float> RunBlocks(SndSpeedAlg& alg, const std::vector<float>& in)
{
    const size_t inBlock = alg.GetInputBlockSize();
    const size_t outBlock = alg.GetOutputBlockSize();
    std::vector<float> out;
    std::vector<float> block(outBlock);
    for (size_t pos = 0; pos + inBlock <= in.size(); pos += inBlock) {
        alg.ProcessBlock(in.data() + pos, block.data());
        out.insert(out.end(), block.begin(), block.end());
    }
    return out;
}

TEST(SndSpeedAlg, StartUpIsSilentThenDirect)
{
    // Speed 0.5: B = 1648, hopIn = 200: 7 silent steps, then one direct step.
    SndSpeedAlg alg;
    ASSERT_TRUE(alg.Init(44100, 1, 0.5));
    std::vector<float> in(200 * 10);
    for (size_t i = 0; i < in.size(); ++i) {
        in[i] = static_cast<float>(i + 1) / 4096.0f;
    }
    const std::vector<float> out = RunBlocks(alg, in);
    for (int i = 0; i < 7 * 400; ++i) {
        ASSERT_EQ(out[i], 0.0f) << i;
    }
    // The direct step outputs buffer[0 .. L-1] unwindowed: 1648 - 1600 = 48 frames of the
    // initial zeros, then the input from its first frame. The start skip ends exactly there.
    EXPECT_EQ(alg.GetStartSkip(), 7 * 400 + 48);
    for (int j = 0; j < 48; ++j) {
        EXPECT_EQ(out[7 * 400 + j], 0.0f) << j;
    }
    for (int j = 48; j < 400; ++j) {
        EXPECT_EQ(out[7 * 400 + j], in[j - 48]) << j;
    }
}

TEST(SndSpeedAlg, PhasesFollowTheWarmUp)
{
    struct PhaseCase {
        double speed;
        int silentSteps;  // floor(B / hopIn) - 1
    };
    const PhaseCase cases[] = {{0.5, 7}, {1.0, 3}, {1.5, 1}, {2.0, 1}, {3.0, 0}, {0.3, 12}};
    for (const PhaseCase& c : cases) {
        SndSpeedAlg alg;
        ASSERT_TRUE(alg.Init(44100, 1, c.speed));
        std::vector<float> in(alg.GetInputBlockSize(), 0.1f);
        std::vector<float> out(alg.GetOutputBlockSize());
        for (int step = 0; step < c.silentSteps; ++step) {
            ASSERT_EQ(alg.GetPhase(), SndSpeedAlg::Phase::Silent) << c.speed << " " << step;
            alg.ProcessBlock(in.data(), out.data());
        }
        EXPECT_EQ(alg.GetPhase(), SndSpeedAlg::Phase::Direct) << c.speed;
        alg.ProcessBlock(in.data(), out.data());
        EXPECT_EQ(alg.GetPhase(), SndSpeedAlg::Phase::Search) << c.speed;
        alg.ProcessBlock(in.data(), out.data());
        EXPECT_EQ(alg.GetPhase(), SndSpeedAlg::Phase::Search) << c.speed;
    }
}

TEST(SndSpeedAlg, SilenceTiesPickTheSmallestLag)
{
    SndSpeedAlg alg;
    ASSERT_TRUE(alg.Init(44100, 1, 1.0));
    const std::vector<float> out = RunBlocks(alg, std::vector<float>(400 * 12, 0.0f));
    EXPECT_EQ(alg.GetBestLag(), 0);
    for (float v : out) {
        ASSERT_EQ(v, 0.0f);
    }
}

TEST(SndSpeedAlg, NaNInputKeepsThePreviousLag)
{
    SndSpeedAlg alg;
    ASSERT_TRUE(alg.Init(44100, 1, 1.0));
    std::vector<float> tone(400 * 12);
    for (size_t i = 0; i < tone.size(); ++i) {
        tone[i] = static_cast<float>(0.5 * std::sin(2 * std::numbers::pi * 220.0 * i / 44100.0));
    }
    RunBlocks(alg, tone);
    const int lag = alg.GetBestLag();
    RunBlocks(alg, std::vector<float>(400, std::numeric_limits<float>::quiet_NaN()));
    EXPECT_EQ(alg.GetBestLag(), lag);
}

struct GainCase {
    int rate;
    double low;
    double high;
};

TEST(SndSpeedAlg, ConstantInputComesOutSlightlyLower)
{
    // The cross-fade weights ramp[j] + ramp[L-1-j] never sum to exactly 1.
    const GainCase cases[] = {{44100, 0.99803, 0.999997}, {8000, 0.99211, 0.99999}};
    for (const GainCase& c : cases) {
        SndSpeedAlg alg;
        ASSERT_TRUE(alg.Init(c.rate, 1, 1.5));
        const int hop = alg.GetHopIn();
        const std::vector<float> out = RunBlocks(alg, std::vector<float>(hop * 40, 0.5f));
        const int outLen = alg.GetOutputBlockSize();
        double lowest = 1.0;
        double highest = 0.0;
        for (size_t i = out.size() - 10 * outLen; i < out.size(); ++i) {
            lowest = std::min(lowest, out[i] / 0.5);
            highest = std::max(highest, out[i] / 0.5);
        }
        EXPECT_GE(lowest, c.low - 1e-5) << c.rate;
        EXPECT_LE(highest, c.high + 1e-5) << c.rate;
        EXPECT_LT(highest, 1.0) << c.rate;
    }
}

TEST(SndSpeedAlg, StereoOutputIsTheMeanOnBothChannels)
{
    SndSpeedAlg alg;
    ASSERT_TRUE(alg.Init(44100, 2, 1.0));
    std::vector<float> in(2 * 400 * 8);
    for (size_t f = 0; f < in.size() / 2; ++f) {
        in[2 * f] = static_cast<float>(0.6 * std::sin(2 * std::numbers::pi * 300.0 * f / 44100.0));
        in[2 * f + 1] = 0.2f;
    }
    const std::vector<float> out = RunBlocks(alg, in);
    // At speed 1 the direct step (the fourth) copies the mono mix of the first input frames.
    const int skipFrames = alg.GetStartSkip() / 2;
    for (int f = 0; f < 400 * 4 - skipFrames; ++f) {
        const float left = out[2 * (skipFrames + f)];
        const float right = out[2 * (skipFrames + f) + 1];
        ASSERT_EQ(left, right) << f;
        ASSERT_FLOAT_EQ(left, static_cast<float>((static_cast<double>(in[2 * f]) + 0.2f) * 0.5))
            << f;
    }
    for (size_t i = 0; i < out.size(); i += 2) {
        ASSERT_EQ(out[i], out[i + 1]) << i;
    }
}

TEST(SndSpeedAlg, ResetRestartsTheWarmUp)
{
    SndSpeedAlg alg;
    ASSERT_TRUE(alg.Init(44100, 1, 1.0));
    std::vector<float> in(400 * 8, 0.25f);
    RunBlocks(alg, in);
    alg.Reset();
    const std::vector<float> out = RunBlocks(alg, std::vector<float>(400 * 3, 0.25f));
    for (float v : out) {
        ASSERT_EQ(v, 0.0f);
    }
}

}  // namespace
