// The time-stretch's cross-correlation of a template against its history buffer, computed as
// the forward complex transform of (template, buffer) pairs, the packed product spectrum and
// the inverse real transform. Same result as running FourierTransform's two routines and the
// combining step between them, but planned once: decimation in frequency forward and in time
// backward, so neither transform needs a bit-reversal pass, with per-pass twiddle tables.
#pragma once

#include <vector>

class CorrelationFft {
public:
    CorrelationFft() = default;
    ~CorrelationFft();
    CorrelationFft(const CorrelationFft&) = delete;
    CorrelationFft& operator=(const CorrelationFft&) = delete;

    // points: N, a power of two >= 16; lags: how many leading correlation values are needed
    // (1 .. N). False when memory ran out.
    [[nodiscard]] bool Init(int points, int lags);
    void Release();

    // work: 2N doubles, pair k = (t[k], x[k]) with t zero beyond the template. Overwritten.
    // Returns c[0 .. lags-1], c[m] = N * sum_j t[j] x[(j+m) mod N] - (T0 X0 + (-1)^m T_{N/2}
    // X_{N/2}) / 2; valid until the next call.
    const double* Correlate(double* work);

private:
    void Forward(double* work) const;
    void Fold(const double* work);
    void Inverse();

    struct Twiddle {
        double re[2];  // (c, c)
        double im[2];  // (-s, s)
    };

    int points = 0;            // N
    int half = 0;              // M = N/2, the inverse real transform's complex length
    int lags = 0;
    std::vector<Twiddle> forwardTw;  // per radix-4 forward pass: w^j, w^2j, w^3j per index
    std::vector<Twiddle> inverseTw;  // the same per radix-4 inverse pass, then the last
                                     // radix-2 pass when log2(M) is odd
    std::vector<Twiddle> unpackTw;   // exp(2*pi*i*k/N), k < M/2: real-transform unpacking
    std::vector<int> pairIndex;      // per k <= M/2: 6 positions in bit-reversed storage
    std::vector<double> scratch;     // 2M doubles: the inverse transform's data
};
