// The optimised time-stretch against a plain model of the algorithm written step by step from
// its definition (history shift, template in the transform's real parts, the two documented
// transforms, the packed product, first-maximum search): on speech and on a tone the two must
// give the same output values. In digital silence every lag correlates to rounding noise and
// the choice is arbitrary in any implementation, so the speech carries a faint noise floor.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "WinNT_SP/Include_VS2005/AUDIO_DSP/FourierTransform.h"
#include "tests/support/PcmWav.h"
#include "WinNT_SP/Include_VS2005/AUDIO_DSP/SoundSpeed.h"
#include "tests/support/TestEnv.h"

namespace {

// 44.1 kHz row only: N 1024, W 800, S 224, L 400, B 1648.
class ModelStretch {
public:
    ModelStretch(int channels, double speed) : channels_(channels)
    {
        speed = speed > 3.0 ? 3.0 : (speed < 0.3 ? 0.3 : speed);
        hop_ = RoundHalfToZero(kL * speed);
        keep_ = kB - hop_;
        skip_ = (keep_ + (keep_ / hop_) * (kL - hop_)) * channels;
        warmup_ = keep_;
        bestLag_ = kB - kL;
        for (int i = 0; i < kL; ++i) {
            ramp_[i] = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / (kW - 1));
        }
    }

    std::vector<float> Run(const std::vector<float>& in)
    {
        std::vector<float> out;
        const size_t block = static_cast<size_t>(hop_) * channels_;
        for (size_t pos = 0; pos + block <= in.size(); pos += block) {
            Step(in.data() + pos, out);
        }
        return std::vector<float>(out.begin() + std::min<size_t>(skip_, out.size()), out.end());
    }

private:
    static constexpr int kN = 1024;
    static constexpr int kW = 800;
    static constexpr int kS = 224;
    static constexpr int kL = 400;
    static constexpr int kB = 1648;

    void Step(const float* in, std::vector<float>& out)
    {
        for (int i = 0; i < keep_; ++i) {
            buf_[i] = buf_[i + hop_];
        }
        for (int i = 0; i < hop_; ++i) {
            buf_[keep_ + i] = channels_ == 1
                                  ? in[i]
                                  : (static_cast<double>(in[2 * i]) + in[2 * i + 1]) * 0.5;
        }
        std::vector<double> y(kL);
        if (warmup_ >= hop_) {
            warmup_ -= hop_;
            bestLag_ = 0;
        } else if (warmup_ >= 0) {
            for (int j = 0; j < kL; ++j) {
                y[j] = buf_[j];
                tail_[j] = buf_[kL + j] * ramp_[kL - 1 - j];
                work_[2 * j] = buf_[kL + j];
                work_[2 * (kL + j)] = buf_[2 * kL + j];
            }
            warmup_ -= hop_;
            bestLag_ = 0;
        } else {
            const int m = Search();
            for (int j = 0; j < kL; ++j) {
                y[j] = buf_[m + j] * ramp_[j] + tail_[j];
                tail_[j] = buf_[m + kL + j] * ramp_[kL - 1 - j];
                work_[2 * j] = buf_[m + kL + j];
                work_[2 * (kL + j)] = buf_[m + 2 * kL + j];
            }
            bestLag_ = m;
        }
        for (int j = 0; j < kL; ++j) {
            for (int c = 0; c < channels_; ++c) {
                out.push_back(static_cast<float>(y[j]));
            }
        }
    }

    int Search()
    {
        double* z = work_.data();
        for (int k = 0; k < kN; ++k) {
            if (k >= kW) {
                z[2 * k] = 0.0;
            }
            z[2 * k + 1] = buf_[k];
        }
        ComplexDftForward(2 * kN, z, ip_.data(), w_.data());
        const double p0 = z[0] * z[1];
        const double p1 = z[kN] * z[kN + 1];
        for (int k = 1; k < kN / 2; ++k) {
            const double a = z[2 * k] + z[2 * (kN - k)];
            const double b = z[2 * k + 1] - z[2 * (kN - k) + 1];
            const double c = z[2 * k + 1] + z[2 * (kN - k) + 1];
            const double d = z[2 * (kN - k)] - z[2 * k];
            z[2 * k] = 0.5 * (a * c + b * d);
            z[2 * k + 1] = 0.5 * (a * d - b * c);
        }
        z[0] = p0;
        z[1] = p1;
        RealDftInverse(kN, z, ip_.data(), w_.data());
        int lag = bestLag_;
        double best = -1.79769e308;
        for (int m = 0; m < 2 * kS; ++m) {
            if (z[m] > best) {
                best = z[m];
                lag = m;
            }
        }
        return lag;
    }

    int channels_;
    int hop_;
    int keep_;
    int skip_;
    int warmup_;
    int bestLag_;
    std::vector<double> buf_ = std::vector<double>(kB, 0.0);
    std::vector<double> tail_ = std::vector<double>(kL, 0.0);
    std::vector<double> ramp_ = std::vector<double>(kL, 0.0);
    std::vector<double> work_ = std::vector<double>(2 * kN, 0.0);
    std::vector<double> w_ = std::vector<double>(kN, 0.0);
    std::vector<int> ip_ = std::vector<int>(40, 0);
};

std::vector<float> Optimised(const std::vector<float>& in, int channels, double speed)
{
    SoundSpeed s;
    EXPECT_TRUE(s.Init(44100, channels, speed));
    EXPECT_TRUE(s.Process(in.data(), static_cast<unsigned>(in.size())));
    std::vector<float> out(s.GetQueuedCount());
    out.resize(s.Read(static_cast<unsigned>(out.size()), out.data()));
    return out;
}

size_t Mismatches(const std::vector<float>& a, const std::vector<float>& b)
{
    size_t bad = a.size() > b.size() ? a.size() - b.size() : b.size() - a.size();
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        bad += a[i] != b[i];
    }
    return bad;
}

TEST(ReferenceModel, SpeechGivesTheSameValues)
{
    std::wstring wide = orvane::test::MediaPath(L"speech.wav");
    orvane::test::PcmAudio speech;
    ASSERT_EQ(orvane::test::ReadPcmWav(std::string(wide.begin(), wide.end()), speech), "");
    speech.samples.resize(std::min<size_t>(speech.samples.size(), 2 * 44100 * 8));
    unsigned seed = 12345;
    for (float& v : speech.samples) {
        seed = seed * 1664525u + 1013904223u;
        v += static_cast<float>(static_cast<int>(seed >> 16) - 32768) * 3e-8f;  // about -60 dB
    }
    for (double speed : {0.334, 0.5, 1.0, 1.5, 2.0, 3.0}) {
        const std::vector<float> model = ModelStretch(2, speed).Run(speech.samples);
        const std::vector<float> fast = Optimised(speech.samples, 2, speed);
        ASSERT_FALSE(model.empty());
        EXPECT_EQ(Mismatches(model, fast), 0u) << "speed " << speed;
    }
}

TEST(ReferenceModel, MonoToneGivesTheSameValues)
{
    std::vector<float> tone(44100 * 3);
    for (size_t i = 0; i < tone.size(); ++i) {
        tone[i] = static_cast<float>(0.4 * std::sin(2 * std::numbers::pi * 220.0 * i / 44100) +
                                     0.2 * std::sin(2 * std::numbers::pi * 660.0 * i / 44100));
    }
    for (double speed : {0.5, 1.5, 3.0}) {
        const std::vector<float> model = ModelStretch(1, speed).Run(tone);
        const std::vector<float> fast = Optimised(tone, 1, speed);
        EXPECT_EQ(Mismatches(model, fast), 0u) << "speed " << speed;
    }
}

}  // namespace
