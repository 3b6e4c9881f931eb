// Discrete Fourier transforms used by the time-stretch correlation search: a forward complex
// transform and an inverse real transform, in place, unscaled, with twiddle tables that the
// caller owns and that are built lazily and kept between calls. Also the rounding used to turn
// speed-scaled lengths into frame counts. Plain C++, no platform types.
#pragma once

// a: n doubles holding n/2 complex values as (re, im) pairs; n a power of two, n >= 16.
// Result a[k] = sum_j x[j] * exp(+2*pi*i*j*k/(n/2)) for k < n/2, natural order, no scaling.
// ip: ip[0] = 0 before the first call (tables are then built); ip[0] and ip[1] record the table
//     sizes built so far, the rest of ip is not used by this implementation but stays reserved.
// w: at least n/2 doubles; holds the twiddle table (ip[0] entries) and behind it the cosine
//    table of the real transform (ip[1] entries). A table is rebuilt only when a longer
//    transform than it covers is asked for; a shorter transform reuses it.
void ComplexDftForward(int n, double* a, int* ip, double* w);

// Input a[0] = R[0], a[1] = R[n/2], a[2k] = R[k], a[2k+1] = I[k] for 0 < k < n/2.
// Output a[j] = (R[0] + R[n/2]*cos(pi*j))/2 + sum_{k=1}^{n/2-1} (R[k]*cos(2*pi*j*k/n)
//               + I[k]*sin(2*pi*j*k/n)) for j < n; no 2/n scaling. ip and w as above.
void RealDftInverse(int n, double* a, int* ip, double* w);

// Nearest integer; an exact half goes toward zero (2.5 -> 2, -2.5 -> -2, 2.7 -> 3).
int RoundHalfToZero(double x);
