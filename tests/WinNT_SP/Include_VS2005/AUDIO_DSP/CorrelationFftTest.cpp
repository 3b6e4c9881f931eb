// The planned correlation against the reference road through the two documented transforms
// and the combining step, and against the closed form of the circular cross-correlation.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "WinNT_SP/Include_VS2005/AUDIO_DSP/CorrelationFft.h"
#include "WinNT_SP/Include_VS2005/AUDIO_DSP/FourierTransform.h"

namespace {

// (t, x) pairs with t zero beyond `window`.
std::vector<double> PairInput(int n, int window, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    std::vector<double> z(2 * n);
    for (int k = 0; k < n; ++k) {
        z[2 * k] = k < window ? dist(gen) : 0.0;
        z[2 * k + 1] = dist(gen);
    }
    return z;
}

std::vector<double> ReferenceCorrelation(std::vector<double> z)
{
    const int n = static_cast<int>(z.size()) / 2;
    std::vector<int> ip(64, 0);
    std::vector<double> w(n, 0.0);
    ComplexDftForward(2 * n, z.data(), ip.data(), w.data());
    const double p0 = z[0] * z[1];
    const double p1 = z[n] * z[n + 1];
    for (int k = 1; k < n / 2; ++k) {
        const double a = z[2 * k] + z[2 * (n - k)];
        const double b = z[2 * k + 1] - z[2 * (n - k) + 1];
        const double c = z[2 * k + 1] + z[2 * (n - k) + 1];
        const double d = z[2 * (n - k)] - z[2 * k];
        z[2 * k] = 0.5 * (a * c + b * d);
        z[2 * k + 1] = 0.5 * (a * d - b * c);
    }
    z[0] = p0;
    z[1] = p1;
    RealDftInverse(n, z.data(), ip.data(), w.data());
    z.resize(n);
    return z;
}

struct SizeCase {
    int points;
    int window;
    int lags;
};

TEST(CorrelationFft, MatchesTheReferenceTransforms)
{
    const SizeCase cases[] = {
        {1024, 800, 448}, {512, 400, 224}, {256, 200, 112}, {1024, 800, 1024}, {512, 400, 512},
        {256, 200, 256},  {16, 10, 16},    {32, 20, 32},
    };
    for (const SizeCase& c : cases) {
        CorrelationFft fft;
        ASSERT_TRUE(fft.Init(c.points, c.lags));
        for (unsigned round = 0; round < 3; ++round) {
            std::vector<double> z = PairInput(c.points, c.window, 100 * round + c.points);
            const std::vector<double> want = ReferenceCorrelation(z);
            const double* got = fft.Correlate(z.data());
            for (int m = 0; m < c.lags; ++m) {
                ASSERT_NEAR(got[m], want[m], 1e-9 * c.points) << c.points << " lag " << m;
            }
        }
    }
}

TEST(CorrelationFft, IsTheCircularCrossCorrelation)
{
    const int n = 1024;
    const int window = 800;
    std::vector<double> z = PairInput(n, window, 42);
    std::vector<double> t(n);
    std::vector<double> x(n);
    for (int k = 0; k < n; ++k) {
        t[k] = z[2 * k];
        x[k] = z[2 * k + 1];
    }
    double t0 = 0;
    double x0 = 0;
    double tHalf = 0;
    double xHalf = 0;
    for (int k = 0; k < n; ++k) {
        t0 += t[k];
        x0 += x[k];
        tHalf += (k % 2 ? -1 : 1) * t[k];
        xHalf += (k % 2 ? -1 : 1) * x[k];
    }
    CorrelationFft fft;
    ASSERT_TRUE(fft.Init(n, 448));
    const double* got = fft.Correlate(z.data());
    for (int m = 0; m < 448; ++m) {
        double sum = 0;
        for (int j = 0; j < window; ++j) {
            sum += t[j] * x[(j + m) % n];
        }
        const double want = n * sum - (t0 * x0 + (m % 2 ? -1 : 1) * tHalf * xHalf) / 2;
        ASSERT_NEAR(got[m], want, 1e-8 * n) << m;
    }
}

}  // namespace
