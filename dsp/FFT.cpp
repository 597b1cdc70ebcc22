#include "FFT.h"

#include <cmath>
#include <utility>

namespace
{
/** Swaps points so that point j lands at position rev(j), where rev reverses
    log2(N) bits; optionally conjugates every point on the way. The reversed
    index is kept as a counter that is incremented from its top bit down. */
template <bool conjugate>
void bitReverse (int n, float* a) noexcept
{
    const int points = n >> 1;
    if (conjugate)
        for (int k = 1; k < n; k += 2)
            a[k] = -a[k];
    if (points <= 2)
        return;

    int r = 0;
    for (int j = 0; j < points; ++j)
    {
        if (j < r)
        {
            std::swap (a[2 * j], a[2 * r]);
            std::swap (a[2 * j + 1], a[2 * r + 1]);
        }
        int bit = points >> 1;
        while ((r & bit) != 0)
        {
            r ^= bit;
            bit >>= 1;
        }
        r |= bit;
    }
}

/** One radix-4 butterfly on the points at j, j + l, j + 2l, j + 3l (float
    offsets), with the block twiddle W and its square and cube. */
inline void butterfly4 (float* a, int j, int l,
                        float w1r, float w1i, float w2r, float w2i, float w3r, float w3i) noexcept
{
    const int j1 = j + l, j2 = j1 + l, j3 = j2 + l;
    const float x0r = a[j] + a[j1], x0i = a[j + 1] + a[j1 + 1];
    const float x1r = a[j] - a[j1], x1i = a[j + 1] - a[j1 + 1];
    const float x2r = a[j2] + a[j3], x2i = a[j2 + 1] + a[j3 + 1];
    const float x3r = a[j2] - a[j3], x3i = a[j2 + 1] - a[j3 + 1];

    a[j] = x0r + x2r;
    a[j + 1] = x0i + x2i;

    float tr = x0r - x2r, ti = x0i - x2i;
    a[j2] = w2r * tr - w2i * ti;
    a[j2 + 1] = w2r * ti + w2i * tr;

    tr = x1r - x3i; // x1 + i x3
    ti = x1i + x3r;
    a[j1] = w1r * tr - w1i * ti;
    a[j1 + 1] = w1r * ti + w1i * tr;

    tr = x1r + x3i; // x1 - i x3
    ti = x1i - x3r;
    a[j3] = w3r * tr - w3i * ti;
    a[j3 + 1] = w3r * ti + w3i * tr;
}

/** The butterflies of a block whose twiddle is 1. */
inline void butterfly4Plain (float* a, int j, int l) noexcept
{
    const int j1 = j + l, j2 = j1 + l, j3 = j2 + l;
    const float x0r = a[j] + a[j1], x0i = a[j + 1] + a[j1 + 1];
    const float x1r = a[j] - a[j1], x1i = a[j + 1] - a[j1 + 1];
    const float x2r = a[j2] + a[j3], x2i = a[j2 + 1] + a[j3 + 1];
    const float x3r = a[j2] - a[j3], x3i = a[j2 + 1] - a[j3 + 1];
    a[j] = x0r + x2r;
    a[j + 1] = x0i + x2i;
    a[j2] = x0r - x2r;
    a[j2 + 1] = x0i - x2i;
    a[j1] = x1r - x3i;
    a[j1 + 1] = x1i + x3r;
    a[j3] = x1r + x3i;
    a[j3 + 1] = x1i - x3r;
}

/** Radix-4 blocks of span l floats with their twiddles from the table; block
    c uses w[2c], w[2c + 1]. */
void radix4Stage (int n, int l, float* a, const float* w) noexcept
{
    const int blockFloats = 4 * l;
    for (int j = 0; j < l; j += 2)
        butterfly4Plain (a, j, l);

    for (int c = 1, base = blockFloats; base < n; ++c, base += blockFloats)
    {
        const float w1r = w[2 * c], w1i = w[2 * c + 1];
        const float w2r = w1r * w1r - w1i * w1i;
        const float w2i = 2.0f * w1r * w1i;
        const float w3r = w2r * w1r - w2i * w1i;
        const float w3i = w2r * w1i + w2i * w1r;
        for (int j = base; j < base + l; j += 2)
            butterfly4 (a, j, l, w1r, w1i, w2r, w2i, w3r, w3i);
    }
}

/** The stage sequence shared by both directions; the last stage (one block,
    twiddle 1) optionally writes conjugated results. */
template <bool conjugateLast>
void runStages (int n, float* a, const float* w) noexcept
{
    int l = 2;
    if (n > 8)
    {
        cft1st (n, a, w);
        l = 8;
        while ((l << 2) < n)
        {
            cftmdl (n, l, a, w);
            l <<= 2;
        }
    }

    if ((l << 2) == n)
    {
        for (int j = 0; j < l; j += 2)
            butterfly4Plain (a, j, l);
    }
    else
    {
        for (int j = 0; j < l; j += 2)
        {
            const int j1 = j + l;
            const float xr = a[j] - a[j1], xi = a[j + 1] - a[j1 + 1];
            a[j] += a[j1];
            a[j + 1] += a[j1 + 1];
            a[j1] = xr;
            a[j1 + 1] = xi;
        }
    }

    if (conjugateLast)
        for (int k = 1; k < n; k += 2)
            a[k] = -a[k];
}
} // namespace

void makeTwiddleTable (int n, int* ip, float* w) noexcept
{
    const int nw = n >> 2;
    ip[0] = nw;
    ip[1] = 1;
    if (nw <= 2)
        return;

    // The first eighth of the circle by cos/sin, the second eighth by symmetry
    // (cos and sin swapped), then the bit-reversed order the stages read.
    const int nwh = nw >> 1;
    const float delta = 0.7853982f / static_cast<float> (nwh);
    w[0] = 1.0f;
    w[1] = 0.0f;
    w[nwh] = w[nwh + 1] = std::cos (delta * static_cast<float> (nwh));
    if (nwh > 2)
    {
        for (int j = 2; j < nwh; j += 2)
        {
            const float angle = delta * static_cast<float> (j);
            const float x = std::cos (angle);
            const float y = std::sin (angle);
            w[j] = x;
            w[j + 1] = y;
            w[nw - j] = y;
            w[nw - j + 1] = x;
        }
        bitrv2 (nw, ip + 2, w);
    }
}

void bitrv2 (int n, int* /*ip*/, float* a) noexcept
{
    bitReverse<false> (n, a);
}

void cft1st (int n, float* a, const float* w) noexcept
{
    radix4Stage (n, 2, a, w);
}

void cftmdl (int n, int l, float* a, const float* w) noexcept
{
    radix4Stage (n, l, a, w);
}

void cftfsub (int n, float* a, const float* w) noexcept
{
    runStages<false> (n, a, w);
}

void invcdft (int n, float* a, int* /*ip*/, const float* w) noexcept
{
    bitReverse<true> (n, a);
    runStages<true> (n, a, w);
}

void cdftForward (int n, float* a, int* ip, float* w) noexcept
{
    if (ip[0] * 4 < n)
        makeTwiddleTable (n, ip, w);
    if (n > 4)
        bitrv2 (n, ip + 2, a);
    cftfsub (n, a, w);
}
