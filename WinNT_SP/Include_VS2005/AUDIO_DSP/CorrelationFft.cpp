// Planned correlation transforms. Forward: radix-4 decimation in frequency with its outputs in
// bit-reversed slot order (natural order in, bit-reversed out). The product spectrum and the
// real transform's unpacking read and write through index tables, so the inverse, a radix-4
// decimation in time, starts from bit-reversed order and ends natural.
#include "WinNT_SP/Include_VS2005/AUDIO_DSP/CorrelationFft.h"

#include <emmintrin.h>

#include <cmath>
#include <new>

namespace {

constexpr double kTwoPi = 6.283185307179586476925286766559;

inline __m128d Load(const double* p)
{
    return _mm_loadu_pd(p);
}

inline void Store(double* p, __m128d v)
{
    _mm_storeu_pd(p, v);
}

inline __m128d Mul(__m128d a, const double* re, const double* im)
{
    const __m128d swapped = _mm_shuffle_pd(a, a, 1);
    return _mm_add_pd(_mm_mul_pd(a, _mm_loadu_pd(re)), _mm_mul_pd(swapped, _mm_loadu_pd(im)));
}

inline __m128d TimesI(__m128d a)
{
    const __m128d swapped = _mm_shuffle_pd(a, a, 1);
    return _mm_xor_pd(swapped, _mm_set_pd(0.0, -0.0));
}

int ReverseBits(int value, int bits)
{
    int r = 0;
    for (int i = 0; i < bits; ++i) {
        r = (r << 1) | ((value >> i) & 1);
    }
    return r;
}

int Log2(int n)
{
    int bits = 0;
    while ((1 << bits) < n) {
        ++bits;
    }
    return bits;
}

}  // namespace

CorrelationFft::~CorrelationFft()
{
    Release();
}

void CorrelationFft::Release()
{
    std::vector<Twiddle>().swap(forwardTw);
    std::vector<Twiddle>().swap(inverseTw);
    std::vector<Twiddle>().swap(unpackTw);
    std::vector<int>().swap(pairIndex);
    std::vector<double>().swap(scratch);
    points = half = lags = 0;
}

bool CorrelationFft::Init(int n, int lagCount)
{
    Release();
    points = n;
    half = n / 2;
    lags = lagCount;
    try {
        forwardTw.assign(static_cast<size_t>(3 * n), Twiddle{});
        inverseTw.assign(static_cast<size_t>(3 * n), Twiddle{});
        unpackTw.assign(static_cast<size_t>(half / 2 + 1), Twiddle{});
        pairIndex.assign(static_cast<size_t>(6 * (half / 2 + 1)), 0);
        scratch.assign(static_cast<size_t>(2 * half), 0.0);
    } catch (const std::bad_alloc&) {
        Release();
        return false;
    }
    auto set = [](Twiddle& t, double angle) {
        const double c = std::cos(angle);
        const double s = std::sin(angle);
        t.re[0] = t.re[1] = c;
        t.im[0] = -s;
        t.im[1] = s;
    };
    Twiddle* tw = forwardTw.data();
    for (int q = n / 4; q >= 2; q /= 4) {
        for (int j = 0; j < q; ++j) {
            set(*tw++, kTwoPi * j / (4 * q));
            set(*tw++, kTwoPi * 2 * j / (4 * q));
            set(*tw++, kTwoPi * 3 * j / (4 * q));
        }
    }
    tw = inverseTw.data();
    int h = 4;
    for (; 4 * h <= half; h *= 4) {
        for (int j = 0; j < h; ++j) {
            set(*tw++, kTwoPi * j / (4 * h));
            set(*tw++, kTwoPi * 2 * j / (4 * h));
            set(*tw++, kTwoPi * 3 * j / (4 * h));
        }
    }
    if (2 * h == half) {
        for (int j = 0; j < h; ++j) {
            set(*tw++, kTwoPi * j / (2 * h));
        }
    }
    for (int k = 0; k <= half / 2; ++k) {
        set(unpackTw[k], kTwoPi * k / n);
    }
    const int bitsN = Log2(n);
    const int bitsM = Log2(half);
    for (int k = 1; k < half / 2; ++k) {
        int* idx = pairIndex.data() + 6 * k;
        idx[0] = ReverseBits(k, bitsN);
        idx[1] = ReverseBits(n - k, bitsN);
        idx[2] = ReverseBits(half - k, bitsN);
        idx[3] = ReverseBits(half + k, bitsN);
        idx[4] = ReverseBits(k, bitsM);
        idx[5] = ReverseBits(half - k, bitsM);
    }
    int* mid = pairIndex.data();
    mid[0] = ReverseBits(half / 2, bitsN);
    mid[1] = ReverseBits(n - half / 2, bitsN);
    mid[2] = ReverseBits(half / 2, bitsM);
    return true;
}

const double* CorrelationFft::Correlate(double* work)
{
    Forward(work);
    Fold(work);
    Inverse();
    return scratch.data();
}

void CorrelationFft::Forward(double* work) const
{
    const int n = points;
    // Forward transform, decimation in frequency, radix 4 (radix 2 last when log2 N is odd).
    const Twiddle* tw = forwardTw.data();
    int q = n / 4;
    for (; q >= 2; q /= 4) {
        for (int j = 0; j < q; ++j, tw += 3) {
            const Twiddle& w1 = tw[0];
            const Twiddle& w2 = tw[1];
            const Twiddle& w3 = tw[2];
            for (int b = 0; b < n; b += 4 * q) {
                double* p0 = work + 2 * (b + j);
                double* p1 = p0 + 2 * q;
                double* p2 = p1 + 2 * q;
                double* p3 = p2 + 2 * q;
                const __m128d a0 = Load(p0);
                const __m128d a1 = Load(p1);
                const __m128d a2 = Load(p2);
                const __m128d a3 = Load(p3);
                const __m128d s0 = _mm_add_pd(a0, a2);
                const __m128d s1 = _mm_add_pd(a1, a3);
                const __m128d d0 = _mm_sub_pd(a0, a2);
                const __m128d d1 = TimesI(_mm_sub_pd(a1, a3));
                // Outputs in bit-reversed slot order: residues 0, 2, 1, 3.
                Store(p0, _mm_add_pd(s0, s1));
                Store(p1, Mul(_mm_sub_pd(s0, s1), w2.re, w2.im));
                Store(p2, Mul(_mm_add_pd(d0, d1), w1.re, w1.im));
                Store(p3, Mul(_mm_sub_pd(d0, d1), w3.re, w3.im));
            }
        }
    }
    if (q == 1) {
        for (int b = 0; b < n; b += 4) {
            double* p = work + 2 * b;
            const __m128d a0 = Load(p);
            const __m128d a1 = Load(p + 2);
            const __m128d a2 = Load(p + 4);
            const __m128d a3 = Load(p + 6);
            const __m128d s0 = _mm_add_pd(a0, a2);
            const __m128d s1 = _mm_add_pd(a1, a3);
            const __m128d s2 = _mm_sub_pd(a0, a2);
            const __m128d s3 = TimesI(_mm_sub_pd(a1, a3));
            Store(p, _mm_add_pd(s0, s1));
            Store(p + 2, _mm_sub_pd(s0, s1));
            Store(p + 4, _mm_add_pd(s2, s3));
            Store(p + 6, _mm_sub_pd(s2, s3));
        }
    } else {
        for (int b = 0; b < n; b += 2) {
            double* p = work + 2 * b;
            const __m128d a0 = Load(p);
            const __m128d a1 = Load(p + 2);
            Store(p, _mm_add_pd(a0, a1));
            Store(p + 2, _mm_sub_pd(a0, a1));
        }
    }

}

void CorrelationFft::Fold(const double* work)
{
    // Product spectrum P[k] = 2 conj(T[k]) X[k] (T X at the ends) from the pair spectrum Z,
    // folded at once into the half-length complex input of the inverse real transform.
    const int m = half;
    auto product = [work](int posK, int posNk, double& re, double& im) {
        const double reK = work[2 * posK];
        const double imK = work[2 * posK + 1];
        const double reN = work[2 * posNk];
        const double imN = work[2 * posNk + 1];
        const double a = reK + reN;
        const double b = imK - imN;
        const double c = imK + imN;
        const double d = reN - reK;
        re = 0.5 * (a * c + b * d);
        im = 0.5 * (a * d - b * c);
    };
    {
        // Z[0] sits at 0 and Z[N/2] at 1 in bit-reversed order.
        const double p0 = work[0] * work[1];
        const double p1 = work[2] * work[3];
        scratch[0] = 0.5 * (p0 + p1);
        scratch[1] = 0.5 * (p0 - p1);
        double re;
        double im;
        product(pairIndex[0], pairIndex[1], re, im);
        scratch[2 * pairIndex[2]] = re;
        scratch[2 * pairIndex[2] + 1] = im;
    }
    const __m128d halfv = _mm_set1_pd(0.5);
    for (int k = 1; k < m / 2; ++k) {
        const int* idx = pairIndex.data() + 6 * k;
        // The products of bins k and M-k side by side: lane 0 for k, lane 1 for M-k. With
        // sum = Z[k] + Z[N-k] = (A, C) and dif = Z[k] - Z[N-k] = (-D, B), P = 0.5 (AC + BD,
        // AD - BC), rounded exactly as the scalar form.
        const __m128d zk = Load(work + 2 * idx[0]);
        const __m128d zn = Load(work + 2 * idx[1]);
        const __m128d zm = Load(work + 2 * idx[2]);
        const __m128d zmn = Load(work + 2 * idx[3]);
        const __m128d sumK = _mm_add_pd(zk, zn);
        const __m128d difK = _mm_sub_pd(zk, zn);
        const __m128d sumM = _mm_add_pd(zm, zmn);
        const __m128d difM = _mm_sub_pd(zm, zmn);
        const __m128d sx = _mm_unpacklo_pd(sumK, sumM);
        const __m128d sy = _mm_unpackhi_pd(sumK, sumM);
        const __m128d dx = _mm_unpacklo_pd(difK, difM);
        const __m128d dy = _mm_unpackhi_pd(difK, difM);
        const __m128d re = _mm_mul_pd(_mm_sub_pd(_mm_mul_pd(sx, sy), _mm_mul_pd(dx, dy)), halfv);
        const __m128d imNeg =
            _mm_mul_pd(_mm_add_pd(_mm_mul_pd(sx, dx), _mm_mul_pd(sy, dy)), halfv);
        const double rk = _mm_cvtsd_f64(re);
        const double rm = _mm_cvtsd_f64(_mm_unpackhi_pd(re, re));
        const double ik = -_mm_cvtsd_f64(imNeg);
        const double im = -_mm_cvtsd_f64(_mm_unpackhi_pd(imNeg, imNeg));
        const double c = unpackTw[k].re[0];
        const double s = unpackTw[k].im[1];
        const double sr = rk + rm;
        const double si = im - ik;
        const double dr = rk - rm;
        const double di = -ik - im;
        const double ur = c * dr - s * di;
        const double ui = c * di + s * dr;
        scratch[2 * idx[4]] = 0.5 * (sr - ui);
        scratch[2 * idx[4] + 1] = 0.5 * (si + ur);
        scratch[2 * idx[5]] = 0.5 * (sr + ui);
        scratch[2 * idx[5] + 1] = 0.5 * (ur - si);
    }

}

void CorrelationFft::Inverse()
{
    const int m = half;
    // Inverse, decimation in time from bit-reversed order; spans 1 and 2 need no twiddles.
    double* z = scratch.data();
    for (int b = 0; b < m; b += 4) {
        double* p = z + 2 * b;
        const __m128d x0 = Load(p);
        const __m128d x1 = Load(p + 2);
        const __m128d x2 = Load(p + 4);
        const __m128d x3 = Load(p + 6);
        const __m128d b0 = _mm_add_pd(x0, x1);
        const __m128d b1 = _mm_sub_pd(x0, x1);
        const __m128d b2 = _mm_add_pd(x2, x3);
        const __m128d b3 = TimesI(_mm_sub_pd(x2, x3));
        Store(p, _mm_add_pd(b0, b2));
        Store(p + 4, _mm_sub_pd(b0, b2));
        Store(p + 2, _mm_add_pd(b1, b3));
        Store(p + 6, _mm_sub_pd(b1, b3));
    }
    const Twiddle* tw = inverseTw.data();
    int h = 4;
    for (; 4 * h <= m; h *= 4) {
        for (int j = 0; j < h; ++j, tw += 3) {
            const Twiddle& w1 = tw[0];
            const Twiddle& w2 = tw[1];
            const Twiddle& w3 = tw[2];
            for (int b = 0; b < m; b += 4 * h) {
                double* p0 = z + 2 * (b + j);
                double* p1 = p0 + 2 * h;
                double* p2 = p1 + 2 * h;
                double* p3 = p2 + 2 * h;
                // Inputs in bit-reversed slot order: sub-transforms of residues 0, 2, 1, 3.
                const __m128d a0 = Load(p0);
                const __m128d u1 = Mul(Load(p1), w2.re, w2.im);
                const __m128d u2 = Mul(Load(p2), w1.re, w1.im);
                const __m128d u3 = Mul(Load(p3), w3.re, w3.im);
                const __m128d s0 = _mm_add_pd(a0, u1);
                const __m128d s1 = _mm_sub_pd(a0, u1);
                const __m128d s2 = _mm_add_pd(u2, u3);
                const __m128d d2 = TimesI(_mm_sub_pd(u2, u3));
                Store(p0, _mm_add_pd(s0, s2));
                Store(p2, _mm_sub_pd(s0, s2));
                Store(p1, _mm_add_pd(s1, d2));
                Store(p3, _mm_sub_pd(s1, d2));
            }
        }
    }
    if (2 * h == m) {
        // Last radix-2 pass: only the outputs that hold the wanted lags are computed.
        const int need = (lags + 1) / 2;
        for (int j = 0; j < h && j < need; ++j, ++tw) {
            double* p0 = z + 2 * j;
            double* p1 = p0 + 2 * h;
            const __m128d u = Load(p0);
            const __m128d v = Mul(Load(p1), tw->re, tw->im);
            Store(p0, _mm_add_pd(u, v));
            if (j + h < need) {
                Store(p1, _mm_sub_pd(u, v));
            }
        }
    }
}
