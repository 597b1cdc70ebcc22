// Stream rate conversion, the fixed-block feed and the output DC blocker:
// each checked against a plain double-precision model of what it must do, and
// for any cut of the stream into blocks.

#include "Reference.h"

#include "dsp/BlockFeed.h"
#include "dsp/DcBlocker.h"
#include "dsp/RateStream.h"
#include "tables/Tables.h"

#include <gtest/gtest.h>

#include <random>

namespace
{
/** Block lengths summing to total: random, with many that are not multiples
    of 4, some of 0 and 1. */
std::vector<int> randomCuts (int total, uint32_t seed, int longest)
{
    std::mt19937 rng (seed);
    std::vector<int> cuts;
    while (total > 0)
    {
        int n = (int) (rng() % (uint32_t) (longest + 1));
        if (rng() % 8 == 0)
            n = (int) (rng() % 2);
        n = std::min (n, total);
        cuts.push_back (n);
        total -= n;
    }
    return cuts;
}

/** Decimates then interpolates x through the stream converters, cut as given. */
std::vector<float> roundTrip (const std::vector<float>& x, int factor, const std::vector<int>& cuts)
{
    auto down = std::make_unique<StreamDecimator>();
    auto up = std::make_unique<StreamInterpolator>();
    down->setup (factor);
    up->setup (factor);
    std::vector<float> y (x);
    size_t pos = 0;
    for (int n : cuts)
    {
        Frame f { y.data() + pos, n, 48000 * factor };
        down->Apply (&f);
        EXPECT_EQ (f.sampleRate, 48000);
        up->Apply (&f, n);
        EXPECT_EQ (f.length, n);
        std::copy (f.data, f.data + f.length, y.data() + pos);
        pos += (size_t) n;
    }
    return y;
}
} // namespace

TEST (StreamRateConversion, MatchesADoublePrecisionModelForAnyBlockCuts)
{
    for (int factor : { 2, 4 })
    {
        SCOPED_TRACE (factor);
        const auto x = ref::noise (20000, 5, 0.5f);
        const float* sos = factor == 2 ? tables::sosFilt2 : tables::sosFilt4;
        const float gain = factor == 2 ? tables::gFilt2[10] : tables::gFilt4[10];

        // The model: low-pass, keep every D-th sample of the stream, hold it
        // D times, low-pass again.
        ref::BiquadCascade antiAlias (sos, 10, gain), antiImage (sos, 10, gain);
        std::vector<double> expected (x.size());
        double held = 0.0;
        for (size_t t = 0; t < x.size(); ++t)
        {
            const double filtered = antiAlias.process (x[t]);
            if (t % (size_t) factor == 0)
                held = filtered;
            expected[t] = antiImage.process (held);
        }

        for (uint32_t seed : { 1u, 2u, 3u })
        {
            const auto y = roundTrip (x, factor, randomCuts ((int) x.size(), seed, 700));
            double worst = 0.0;
            for (size_t t = 0; t < x.size(); ++t)
                worst = std::max (worst, std::abs (y[t] - expected[t]));
            EXPECT_LT (worst, 2e-4) << "seed " << seed;
        }
    }
}

TEST (StreamRateConversion, EqualsThePlainConverterForWholeMultiples)
{
    // Blocks that are multiples of D: exactly what the block converter gives.
    const auto x = ref::noise (8192, 9, 0.5f);
    for (int factor : { 2, 4 })
    {
        auto plainDown = std::make_unique<Resampler>();
        auto plainUp = std::make_unique<Resampler>();
        plainDown->setup (factor, true);
        plainUp->setup (factor, false);
        std::vector<float> expected (x);
        for (size_t pos = 0; pos < x.size(); pos += 512)
        {
            Frame f { expected.data() + pos, 512, 96000 };
            plainDown->Apply (&f);
            plainUp->Apply (&f);
            std::copy (f.data, f.data + 512, expected.data() + pos);
        }
        EXPECT_EQ (roundTrip (x, factor, std::vector<int> (16, 512)), expected);
    }
}

TEST (BlockFeed, RunsFixedBlocksWithAFixedLatency)
{
    constexpr int B = 48;
    const auto x = ref::noise (5000, 3, 1.0f);
    for (uint32_t seed : { 4u, 5u })
    {
        auto feed = std::make_unique<BlockFeed<1024>>();
        feed->reset (B);
        std::vector<float> y (x);
        int blocksSeen = 0;
        size_t pos = 0;
        for (int n : randomCuts ((int) x.size(), seed, 200))
        {
            feed->run (y.data() + pos, n, [&] (float* block) {
                ++blocksSeen;
                for (int i = 0; i < B; ++i)
                    block[i] *= -2.0f; // any in-place process
            });
            pos += (size_t) n;
        }
        EXPECT_EQ (blocksSeen, (int) x.size() / B);
        for (size_t t = 0; t < x.size(); ++t)
            ASSERT_EQ (y[t], t < (size_t) B ? 0.0f : -2.0f * x[t - B]) << t;
    }
}

TEST (DcBlocker, RemovesAnOffsetAndPassesTheGuitarBand)
{
    DcBlocker blocker;
    blocker.setup (5.0, 48000.0);

    // A constant settles to exact silence (denormals are flushed in the chain).
    std::vector<float> dc (48000 * 3, 1e-4f);
    blocker.Apply (dc.data(), (int) dc.size());
    EXPECT_LT (std::abs (dc.back()), 1e-12f);

    // The response from the coefficients: -3 dB near the corner, flat above
    // 40 Hz.
    auto gainAt = [&] (double hz) {
        const std::complex<double> z = std::polar (1.0, -2.0 * 3.141592653589793 * hz / 48000.0);
        return std::abs ((1.0 - z) / (1.0 - blocker.r * z));
    };
    EXPECT_NEAR (ref::toDb (gainAt (5.0)), -3.0, 0.1);
    EXPECT_GT (ref::toDb (gainAt (40.0)), -0.1);
}
