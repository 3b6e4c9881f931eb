// The transforms against direct O(n^2) sums on random data, their documented special inputs,
// the reuse of tables built for longer transforms, and the rounding function.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <complex>
#include <random>
#include <vector>

#include "WinNT_SP/Include_VS2005/AUDIO_DSP/FourierTransform.h"

namespace {

using Complex = std::complex<long double>;
const long double kPi = 3.141592653589793238462643383279502884L;

struct Tables {
    explicit Tables(int n) : ip(static_cast<size_t>(std::sqrt(n)) + 4, 0), w(n, 0.0) {}
    std::vector<int> ip;
    std::vector<double> w;
};

std::vector<double> RandomData(int n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    std::vector<double> a(n);
    for (double& v : a) {
        v = dist(gen);
    }
    return a;
}

std::vector<double> DirectComplexForward(const std::vector<double>& a)
{
    const int points = static_cast<int>(a.size()) / 2;
    std::vector<double> out(a.size());
    for (int k = 0; k < points; ++k) {
        Complex sum = 0;
        for (int j = 0; j < points; ++j) {
            const long double angle = 2 * kPi * ((static_cast<long long>(j) * k) % points) / points;
            sum += Complex(a[2 * j], a[2 * j + 1]) * Complex(std::cos(angle), std::sin(angle));
        }
        out[2 * k] = static_cast<double>(sum.real());
        out[2 * k + 1] = static_cast<double>(sum.imag());
    }
    return out;
}

std::vector<double> DirectRealInverse(const std::vector<double>& a)
{
    const int n = static_cast<int>(a.size());
    std::vector<double> out(n);
    for (int j = 0; j < n; ++j) {
        long double sum = (a[0] + a[1] * ((j % 2) ? -1.0L : 1.0L)) / 2;
        for (int k = 1; k < n / 2; ++k) {
            const long double angle = 2 * kPi * ((static_cast<long long>(j) * k) % n) / n;
            sum += a[2 * k] * std::cos(angle) + a[2 * k + 1] * std::sin(angle);
        }
        out[j] = static_cast<double>(sum);
    }
    return out;
}

void ExpectNear(const std::vector<double>& got, const std::vector<double>& want, double tol)
{
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); ++i) {
        ASSERT_NEAR(got[i], want[i], tol) << "index " << i << " of " << got.size();
    }
}

class TransformSize : public testing::TestWithParam<int> {};

TEST_P(TransformSize, ComplexForwardMatchesDirectSum)
{
    const int n = GetParam();
    Tables t(n);
    std::vector<double> a = RandomData(n, 11u + n);
    const std::vector<double> want = DirectComplexForward(a);
    ComplexDftForward(n, a.data(), t.ip.data(), t.w.data());
    ExpectNear(a, want, 1e-12 * n);
}

TEST_P(TransformSize, RealInverseMatchesDirectSum)
{
    const int n = GetParam();
    Tables t(n);
    std::vector<double> a = RandomData(n, 97u + n);
    const std::vector<double> want = DirectRealInverse(a);
    RealDftInverse(n, a.data(), t.ip.data(), t.w.data());
    ExpectNear(a, want, 1e-12 * n);
}

INSTANTIATE_TEST_SUITE_P(PowersOfTwo, TransformSize, testing::Values(16, 32, 64, 256, 1024, 2048));

TEST(ComplexDftForward, ImpulseGivesAllOnes)
{
    const int n = 64;
    Tables t(n);
    std::vector<double> a(n, 0.0);
    a[0] = 1.0;
    ComplexDftForward(n, a.data(), t.ip.data(), t.w.data());
    for (int k = 0; k < n / 2; ++k) {
        EXPECT_NEAR(a[2 * k], 1.0, 1e-15);
        EXPECT_NEAR(a[2 * k + 1], 0.0, 1e-15);
    }
}

TEST(ComplexDftForward, ExponentSignIsPositive)
{
    const int n = 128;
    const int points = n / 2;
    Tables t(n);
    std::vector<double> a(n);
    for (int j = 0; j < points; ++j) {
        a[2 * j] = std::cos(-2.0 * std::numbers::pi * j / points);
        a[2 * j + 1] = std::sin(-2.0 * std::numbers::pi * j / points);
    }
    ComplexDftForward(n, a.data(), t.ip.data(), t.w.data());
    for (int k = 0; k < points; ++k) {
        EXPECT_NEAR(a[2 * k], k == 1 ? points : 0.0, 1e-12) << k;
        EXPECT_NEAR(a[2 * k + 1], 0.0, 1e-12) << k;
    }
}

TEST(RealDftInverse, SpecialSpectra)
{
    const int n = 32;
    {
        Tables t(n);
        std::vector<double> a(n, 0.0);
        a[0] = 2.0;
        RealDftInverse(n, a.data(), t.ip.data(), t.w.data());
        for (int j = 0; j < n; ++j) {
            EXPECT_NEAR(a[j], 1.0, 1e-15) << j;
        }
    }
    {
        Tables t(n);
        std::vector<double> a(n, 0.0);
        a[2] = 1.0;
        RealDftInverse(n, a.data(), t.ip.data(), t.w.data());
        for (int j = 0; j < n; ++j) {
            EXPECT_NEAR(a[j], std::cos(2.0 * std::numbers::pi * j / n), 1e-15) << j;
        }
    }
}

TEST(FourierTables, RebuiltOnlyForLongerTransforms)
{
    Tables t(512);
    std::vector<double> a = RandomData(256, 5);
    ComplexDftForward(256, a.data(), t.ip.data(), t.w.data());
    EXPECT_EQ(t.ip[0], 64);

    std::vector<double> b = RandomData(512, 6);
    std::vector<double> wantB = DirectComplexForward(b);
    ComplexDftForward(512, b.data(), t.ip.data(), t.w.data());
    EXPECT_EQ(t.ip[0], 128);
    ExpectNear(b, wantB, 1e-11);

    std::vector<double> c = RandomData(256, 7);
    std::vector<double> wantC = DirectComplexForward(c);
    const std::vector<double> tableBefore = t.w;
    ComplexDftForward(256, c.data(), t.ip.data(), t.w.data());
    EXPECT_EQ(t.ip[0], 128);
    EXPECT_EQ(t.w, tableBefore);
    ExpectNear(c, wantC, 1e-11);
}

// The time-stretch's pattern: a complex transform of 2N doubles, then a real inverse of N
// points on the same tables, the cosine table placed behind the twiddle table.
TEST(FourierTables, RealInverseSharesLongerTwiddleTable)
{
    const int n = 1024;
    Tables t(n);
    std::vector<double> z = RandomData(2 * n, 8);
    ComplexDftForward(2 * n, z.data(), t.ip.data(), t.w.data());
    EXPECT_EQ(t.ip[0], n / 2);
    EXPECT_EQ(t.ip[1], 1);

    for (int round = 0; round < 2; ++round) {
        std::vector<double> a = RandomData(n, 9 + round);
        const std::vector<double> want = DirectRealInverse(a);
        RealDftInverse(n, a.data(), t.ip.data(), t.w.data());
        EXPECT_EQ(t.ip[0], n / 2);
        EXPECT_EQ(t.ip[1], n / 4);
        ExpectNear(a, want, 1e-10);
    }
    // And the complex transform still gives exact results after the cosine table was added.
    std::vector<double> c = RandomData(2 * n, 12);
    const std::vector<double> want = DirectComplexForward(c);
    ComplexDftForward(2 * n, c.data(), t.ip.data(), t.w.data());
    ExpectNear(c, want, 1e-10);
}

struct RoundCase {
    double x;
    int want;
};

TEST(RoundHalfToZero, NearestWithHalvesTowardZero)
{
    const RoundCase cases[] = {
        {0.0, 0},     {0.5, 0},     {-0.5, 0},   {0.5000001, 1}, {-0.5000001, -1},
        {1.5, 1},     {-1.5, -1},   {2.5, 2},    {-2.5, -2},     {2.7, 3},
        {-2.7, -3},   {2.2, 2},     {-2.2, -2},  {133.6, 134},   {400.0, 400},
        {200.5, 200}, {1199.5, 1199}, {0.49999999, 0},
    };
    for (const RoundCase& c : cases) {
        EXPECT_EQ(RoundHalfToZero(c.x), c.want) << c.x;
    }
}

}  // namespace
