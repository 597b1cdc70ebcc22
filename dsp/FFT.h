#pragma once

/** A single-precision complex FFT, radix 4 in place (Cooley-Tukey).

    Data are N complex points interleaved as 2N floats (a[2j] real, a[2j + 1]
    imaginary), N a power of two from 2 up; every routine takes n = 2N, the
    number of floats. The forward transform is

        X[k] = sum over j of x[j] e^(+2 pi i jk / N),

    the inverse the same sum with e^(-2 pi i jk / N). Neither scales: forward
    then inverse multiplies every point by N.

    How it is organised: the input is first put into bit-reversed order; then
    radix-4 stages run with growing spans (1, 4, 16, ... points), each stage
    made of blocks of four spans that share one twiddle factor W, and a final
    radix-2 stage when log2 N is odd. The butterfly of a block with twiddle W
    maps four spans a0..a3 to

        a0 + a1 + a2 + a3,  W (x1 + i x3),  W^2 (x0 - x2),  W^3 (x1 - i x3)

    with x0 = a0 + a1, x1 = a0 - a1, x2 = a2 + a3, x3 = a2 - a3. It is the
    transpose of the natural-order decimation-in-time FFT (the DFT matrix is
    symmetric), which is why the twiddle of block c is e^(2 pi i rev(c) / N),
    rev reversing the bits of c over log2(N / 4) bits.

    Work tables:
    - w: the twiddle table, N / 2 floats: the N / 4 points e^(2 pi i m / N),
      m = 0 .. N/4 - 1, stored in bit-reversed order of m. A table built for a
      larger N serves every smaller one unchanged (its first entries are the
      smaller table).
    - ip: ip[0] holds the table length in floats (0 before it is built), ip[1]
      holds 1, ip[2] onwards is scratch reserved for the bit reversal.

    Real-time contract: nothing is allocated; all arrays belong to the caller.
*/

/** Builds the twiddle table for transforms of up to n floats: sets ip[0] and
    ip[1] and fills w[0 .. n/4 - 1]. */
void makeTwiddleTable (int n, int* ip, float* w) noexcept;

/** Permutes the n / 2 complex points of a into bit-reversed order, in place.
    ip is scratch (callers pass ip + 2). */
void bitrv2 (int n, int* ip, float* a) noexcept;

/** The butterfly stages of the forward transform over bit-reversed input;
    the output is in natural order. */
void cftfsub (int n, float* a, const float* w) noexcept;

/** The first radix-4 stage (span one point, groups of four points), for
    n > 8. */
void cft1st (int n, float* a, const float* w) noexcept;

/** One middle radix-4 stage with a span of l floats (l / 2 points), used
    while 4 l < n. */
void cftmdl (int n, int l, float* a, const float* w) noexcept;

/** The complete inverse transform: conjugating bit reversal, the forward
    stages, and a conjugating last stage. */
void invcdft (int n, float* a, int* ip, const float* w) noexcept;

/** The complete forward transform: builds the twiddle table when ip[0] says it
    is too small for n, then bit reversal (none needed for n = 4) and the
    forward stages. */
void cdftForward (int n, float* a, int* ip, float* w) noexcept;
