#include "dsp/FFTFilt.h"
#include "Reference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

namespace
{
struct Config
{
    int irLen, K, B; // in
    int M, P, partitions; // out
};

// The configurations the reverb meets, one per response, rate, quality and
// block length.
const Config configs[] = {
    { 15983, 4, 64, 2048, 1793, 9 },
    { 20694, 4, 64, 1024, 769, 27 },
    { 22649, 4, 64, 4096, 3841, 6 },
    { 31966, 2, 256, 4096, 3585, 9 },
    { 45298, 2, 256, 4096, 3585, 13 },
    { 17396, 1, 256, 2048, 1793, 10 },
    { 41389, 1, 512, 4096, 3585, 12 },
    { 45298, 1, 1024, 16384, 15361, 3 },
};

TEST (FFTFilt, SearchReproducesTheReverbConfigurations)
{
    for (const auto& c : configs)
    {
        const auto p = FFTFilt::searchPartitioning (c.irLen, (int64_t) c.B * c.K, c.K);
        EXPECT_EQ (p.fftSize, c.M) << c.irLen << " K " << c.K << " B " << c.B;
        EXPECT_EQ (p.partLen, c.P) << c.irLen << " K " << c.K << " B " << c.B;
        EXPECT_EQ (c.irLen / p.partLen + 1, c.partitions) << c.irLen;
    }
}

// Over a wide sweep the chosen partition is always shorter than the response,
// there are at least K partitions, and a linear convolution of a frame with a
// partition always fits the FFT. (The search may pick 32768 points for very
// long frames; Init_lc refuses that, see RefusesWhatItCannotHold.)
TEST (FFTFilt, SearchStaysWithinItsLimits)
{
    for (int irLen : { 2, 3, 50, 300, 1000, 5000, 20000, 45298, 90000 })
        for (int K : { 1, 2, 4, 16 })
            for (int B : { 1, 16, 64, 256, 1024, 2048 })
            {
                const int64_t N0 = (int64_t) B * K;
                const auto p = FFTFilt::searchPartitioning (irLen, N0, K);
                if (p.partLen == 1)
                    continue;
                EXPECT_LT (p.partLen, irLen);
                EXPECT_EQ (p.partLen + N0 - 1, p.fftSize);
                EXPECT_GE ((irLen / p.partLen + 1) / K, 1);
            }
}

// Strictly lower costs win, so of two sizes with the same cost the smaller
// stays. N0 = 3, 7 samples: size 4 (L = 2, cost 4 x 1) and size 8 (L = 6,
// cost 2 x 2) tie. N0 = 1: 5 samples pick size 4 (L = 4, cost 2) over size 2
// (L = 2, cost 3); 3 samples keep size 2 because L = 4 would reach the
// response's length.
TEST (FFTFilt, SearchTiesAndSmallCases)
{
    auto p = FFTFilt::searchPartitioning (7, 3, 1);
    EXPECT_EQ (p.fftSize, 4);
    EXPECT_EQ (p.partLen, 2);
    p = FFTFilt::searchPartitioning (5, 1, 1);
    EXPECT_EQ (p.fftSize, 4);
    EXPECT_EQ (p.partLen, 4);
    p = FFTFilt::searchPartitioning (3, 1, 1);
    EXPECT_EQ (p.fftSize, 2);
    EXPECT_EQ (p.partLen, 2);
    // Nothing qualifies for a one-sample response.
    EXPECT_EQ (FFTFilt::searchPartitioning (1, 1, 1).partLen, 1);
}

/** A reverb-like random response: noise under an exponential decay, scaled
    to unit energy. */
std::vector<float> randomResponse (int length, uint32_t seed)
{
    auto h = ref::noise ((size_t) length, seed);
    double energy = 0.0;
    for (int i = 0; i < length; ++i)
    {
        h[(size_t) i] *= (float) std::exp (-3.0 * i / length);
        energy += (double) h[(size_t) i] * h[(size_t) i];
    }
    for (auto& v : h)
        v = (float) (v / std::sqrt (energy));
    return h;
}

/** y[t] of the direct convolution, in double. */
double directAt (const std::vector<float>& x, const std::vector<float>& h, long t)
{
    double sum = 0.0;
    for (long k = 0; k < (long) h.size() && k <= t; ++k)
        sum += (double) h[(size_t) k] * x[(size_t) (t - k)];
    return sum;
}

// Against a direct convolution over many blocks, for every configuration
// above: K = 1 without delay, K >= 2 delayed by exactly 2 N0 - B. Checked at
// the start, around every partition boundary and at random points up to the
// end of the response's tail.
TEST (FFTFilt, MatchesDirectConvolution)
{
    for (const auto& c : configs)
    {
        const auto h = randomResponse (c.irLen, (uint32_t) c.irLen);
        auto conv = std::make_unique<FFTFilt>();
        conv->Init_lc (h.data(), c.irLen, c.B, c.K);
        ASSERT_EQ (conv->ready, 1);
        ASSERT_EQ (conv->fftSize, c.M);

        const long N0 = (long) c.B * c.K;
        const long delay = c.K == 1 ? 0 : 2 * N0 - c.B;
        const long blocks = (c.irLen + delay + 3 * N0) / c.B + 1;
        const auto x = ref::noise ((size_t) (blocks * c.B), 99, 0.5f);
        auto y = x;
        for (long b = 0; b < blocks; ++b)
            conv->Apply ({ y.data() + b * c.B, c.B, 12000 });

        // The delay itself: nothing comes out before it.
        for (long t = 0; t < delay; ++t)
            ASSERT_EQ (y[(size_t) t], 0.0f) << t;

        std::vector<long> times;
        for (long t = 0; t < 2 * N0 + 8; ++t)
            times.push_back (t);
        for (long j = 1; j <= c.irLen / c.P; ++j)
            for (long d = -2; d <= 2; ++d)
                times.push_back (j * c.P + d);
        std::mt19937 rng (5);
        for (int i = 0; i < 400; ++i)
            times.push_back ((long) (rng() % (uint32_t) (c.irLen + N0)));

        double worst = 0.0;
        for (long t : times)
        {
            if (t < 0 || t + delay >= (long) y.size())
                continue;
            worst = std::max (worst, std::fabs (y[(size_t) (t + delay)] - directAt (x, h, t)));
        }
        // Outputs have an RMS near 0.3; float FFT rounding and the 2^-24
        // accumulator grid stay far below 1e-5.
        EXPECT_LT (worst, 1e-5) << "irLen " << c.irLen << " K " << c.K << " B " << c.B;
    }
}

// A unit impulse as the response with K = 1 returns the input, undelayed.
TEST (FFTFilt, UnitResponseIsIdentity)
{
    std::vector<float> h (300, 0.0f);
    h[0] = 1.0f;
    auto conv = std::make_unique<FFTFilt>();
    conv->Init_lc (h.data(), (int) h.size(), 64, 1);
    ASSERT_EQ (conv->ready, 1);
    auto x = ref::noise (64 * 20, 3);
    auto y = x;
    for (int b = 0; b < 20; ++b)
        conv->Apply ({ y.data() + 64 * b, 64, 11025 });
    for (size_t i = 0; i < x.size(); ++i)
        ASSERT_NEAR (y[i], x[i], 1e-6) << i;
}

// The tail decays to exact zeros once the input stops.
TEST (FFTFilt, TailEndsInExactSilence)
{
    const auto h = randomResponse (2000, 1);
    auto conv = std::make_unique<FFTFilt>();
    conv->Init_lc (h.data(), 2000, 64, 4);
    ASSERT_EQ (conv->ready, 1);
    std::vector<float> block (64);
    for (int b = 0; b < 200; ++b)
    {
        if (b < 10)
            block = ref::noise (64, (uint32_t) b);
        else
            std::fill (block.begin(), block.end(), 0.0f);
        conv->Apply ({ block.data(), 64, 11025 });
    }
    for (float v : block)
        EXPECT_EQ (v, 0.0f);
    for (int k = 0; k < FFTFilt::accCapacity; ++k)
        ASSERT_EQ (conv->acc[k], 0.0f) << k;
}

// No qualifying size, or a configuration beyond the capacities: not ready.
TEST (FFTFilt, RefusesWhatItCannotHold)
{
    auto conv = std::make_unique<FFTFilt>();
    std::vector<float> h (200000, 0.001f);
    conv->Init_lc (h.data(), 1, 64, 1);
    EXPECT_EQ (conv->ready, 0);
    conv->Init_lc (h.data(), 200000, 64, 1); // irLen + 2 M beyond the accumulator
    EXPECT_EQ (conv->ready, 0);
    conv->Init_lc (h.data(), 1000, 8192, 64); // frame beyond 262144 samples
    EXPECT_EQ (conv->ready, 0);
    ASSERT_EQ (FFTFilt::searchPartitioning (50000, 8192, 2).fftSize, 32768);
    conv->Init_lc (h.data(), 50000, 4096, 2); // a 32768-point FFT
    EXPECT_EQ (conv->ready, 0);
    conv->Init_lc (h.data(), 1000, 64, 1);
    EXPECT_EQ (conv->ready, 1);
}
} // namespace
