// Radix-2 decimation-in-time FFT on complex doubles, one SSE2 register per complex value, and
// the inverse real transform built on it (half-length complex transform plus an unpacking
// pass). The twiddle and cosine tables live in the caller's w array so that nothing is
// allocated per call; a table built for a long transform serves every shorter one by stride.
#include "WinNT_SP/Include_VS2005/AUDIO_DSP/FourierTransform.h"

#include <emmintrin.h>

#include <cmath>

namespace {

constexpr double kQuarterPi = 0.7853981633974483;

// a * (c + i*s) with wr = (c, c) and wi = (-s, s).
inline __m128d ComplexMul(__m128d a, __m128d wr, __m128d wi)
{
    const __m128d swapped = _mm_shuffle_pd(a, a, 1);
    return _mm_add_pd(_mm_mul_pd(a, wr), _mm_mul_pd(swapped, wi));
}

// i * a
inline __m128d TimesI(__m128d a)
{
    const __m128d swapped = _mm_shuffle_pd(a, a, 1);
    return _mm_xor_pd(swapped, _mm_set_pd(0.0, -0.0));
}

// Twiddle table of a complex transform of tableN points: exp(+2*pi*i*k/tableN) for
// k < tableN/4 as (cos, sin) pairs; the second quarter follows from multiplying by i.
void BuildTwiddles(int tableN, double* w)
{
    const int quarter = tableN / 4;
    const double step = 8.0 * kQuarterPi / tableN;
    for (int k = 0; k < quarter; ++k) {
        w[2 * k] = std::cos(step * k);
        w[2 * k + 1] = std::sin(step * k);
    }
    if (quarter > 0) {
        w[0] = 1.0;
        w[1] = 0.0;
    }
    if (quarter % 2 == 0 && quarter > 0) {
        // The 45 degree entry exactly symmetric, as the split-radix tables have it.
        w[quarter] = w[quarter + 1] = std::cos(kQuarterPi);
    }
}

// Cosine table of a real transform of tableN points: cos(2*pi*k/tableN) for k < tableN/4.
void BuildCosines(int tableN, double* c)
{
    const int quarter = tableN / 4;
    const double step = 8.0 * kQuarterPi / tableN;
    for (int k = 0; k < quarter; ++k) {
        c[k] = std::cos(step * k);
    }
    if (quarter > 0) {
        c[0] = 1.0;
    }
    if (quarter % 2 == 0 && quarter > 0) {
        c[quarter / 2] = std::cos(kQuarterPi);
    }
}

void BitReverse(double* a, int points)
{
    int j = 0;
    for (int i = 0; i < points; ++i) {
        if (i < j) {
            const __m128d x = _mm_loadu_pd(a + 2 * i);
            const __m128d y = _mm_loadu_pd(a + 2 * j);
            _mm_storeu_pd(a + 2 * i, y);
            _mm_storeu_pd(a + 2 * j, x);
        }
        int bit = points >> 1;
        while (j & bit) {
            j ^= bit;
            bit >>= 1;
        }
        j |= bit;
    }
}

// Forward (positive exponent) transform of `points` complex values, points >= 8; tw is the
// twiddle table built for tableN >= points.
void ComplexForward(double* a, int points, const double* tw, int tableN)
{
    BitReverse(a, points);

    // Spans 1 and 2 together: their twiddles are 1 and i.
    for (int g = 0; g < points; g += 4) {
        double* p = a + 2 * g;
        const __m128d x0 = _mm_loadu_pd(p);
        const __m128d x1 = _mm_loadu_pd(p + 2);
        const __m128d x2 = _mm_loadu_pd(p + 4);
        const __m128d x3 = _mm_loadu_pd(p + 6);
        const __m128d b0 = _mm_add_pd(x0, x1);
        const __m128d b1 = _mm_sub_pd(x0, x1);
        const __m128d b2 = _mm_add_pd(x2, x3);
        const __m128d b3 = TimesI(_mm_sub_pd(x2, x3));
        _mm_storeu_pd(p, _mm_add_pd(b0, b2));
        _mm_storeu_pd(p + 4, _mm_sub_pd(b0, b2));
        _mm_storeu_pd(p + 2, _mm_add_pd(b1, b3));
        _mm_storeu_pd(p + 6, _mm_sub_pd(b1, b3));
    }

    const int quarterTable = tableN / 4;
    const __m128d negLow = _mm_set_pd(0.0, -0.0);
    for (int half = 4; half < points; half *= 2) {
        const int span = 2 * half;
        const int stride = tableN / span;
        for (int j = 0; j < half; ++j) {
            int k = j * stride;
            __m128d wr;
            __m128d wi;
            if (k < quarterTable) {
                wr = _mm_set1_pd(tw[2 * k]);
                wi = _mm_xor_pd(_mm_set1_pd(tw[2 * k + 1]), negLow);
            } else {
                // exp(i*(x + pi/2)) = i*exp(i*x) = -sin x + i cos x
                k -= quarterTable;
                wr = _mm_set1_pd(-tw[2 * k + 1]);
                wi = _mm_xor_pd(_mm_set1_pd(tw[2 * k]), negLow);
            }
            for (int g = j; g < points; g += span) {
                double* p = a + 2 * g;
                double* q = p + 2 * half;
                const __m128d u = _mm_loadu_pd(p);
                const __m128d v = ComplexMul(_mm_loadu_pd(q), wr, wi);
                _mm_storeu_pd(p, _mm_add_pd(u, v));
                _mm_storeu_pd(q, _mm_sub_pd(u, v));
            }
        }
    }
}

void EnsureTwiddles(int n, int* ip, double* w)
{
    if (n > 4 * ip[0]) {
        ip[0] = n / 4;
        ip[1] = 1;
        BuildTwiddles(n / 2, w);
    }
}

}  // namespace

void ComplexDftForward(int n, double* a, int* ip, double* w)
{
    EnsureTwiddles(n, ip, w);
    ComplexForward(a, n / 2, w, 2 * ip[0]);
}

void RealDftInverse(int n, double* a, int* ip, double* w)
{
    EnsureTwiddles(n, ip, w);
    const int nw = ip[0];
    if (n > 4 * ip[1]) {
        ip[1] = n / 4;
        BuildCosines(n, w + nw);
    }
    const double* cosines = w + nw;
    const int cosStride = ip[1] / (n / 4);
    const int quarter = n / 4;
    const int points = n / 2;

    // Fold the Hermitian spectrum into a half-length complex sequence whose forward
    // transform interleaves the even and odd output values.
    const double r0 = a[0];
    const double rHalf = a[1];
    a[0] = 0.5 * (r0 + rHalf);
    a[1] = 0.5 * (r0 - rHalf);
    for (int k = 1; k < quarter; ++k) {
        const int m = points - k;
        const double c = cosines[k * cosStride];
        const double s = cosines[(quarter - k) * cosStride];
        const double rk = a[2 * k];
        const double ik = a[2 * k + 1];
        const double rm = a[2 * m];
        const double im = a[2 * m + 1];
        const double sr = rk + rm;
        const double si = im - ik;
        const double dr = rk - rm;
        const double di = -ik - im;
        const double ur = c * dr - s * di;
        const double ui = c * di + s * dr;
        a[2 * k] = 0.5 * (sr - ui);
        a[2 * k + 1] = 0.5 * (si + ur);
        a[2 * m] = 0.5 * (sr + ui);
        a[2 * m + 1] = 0.5 * (ur - si);
    }
    // The middle bin (k = n/4) maps onto itself unchanged.
    ComplexForward(a, points, w, 2 * nw);
}

int RoundHalfToZero(double x)
{
    const double lower = std::floor(x);
    const double frac = x - lower;
    if (frac > 0.5) {
        return static_cast<int>(lower) + 1;
    }
    if (frac < 0.5) {
        return static_cast<int>(lower);
    }
    return x > 0.0 ? static_cast<int>(lower) : static_cast<int>(lower) + 1;
}
