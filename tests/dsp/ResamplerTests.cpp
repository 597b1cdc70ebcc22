#include "dsp/Resampler.h"
#include "tables/Tables.h"
#include "Reference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace
{
//==============================================================================
// Block-stream converters

struct LengthCase
{
    bool down;
    int factor;
    int length;
    int rate;
    int expectedLength;
    int expectedRate;
};

TEST (Resampler, OutputLengthAndRate)
{
    const LengthCase cases[] = {
        { true, 2, 256, 96000, 128, 48000 },
        { true, 2, 255, 88200, 127, 44100 },
        { true, 2, 1, 88200, 0, 44100 },
        { true, 4, 1024, 192000, 256, 48000 },
        { true, 4, 1023, 176400, 255, 44100 },
        { true, 4, 3, 176400, 0, 44100 },
        { false, 2, 127, 44100, 254, 88200 },
        { false, 4, 255, 48000, 1020, 192000 },
        { false, 4, 2048, 48000, 8192, 192000 },
    };

    for (const auto& c : cases)
    {
        auto r = std::make_unique<Resampler>();
        r->setup (c.factor, c.down);
        auto x = ref::noise ((size_t) c.length, 1);
        Frame f { x.data(), c.length, c.rate };
        r->Apply (&f);
        EXPECT_EQ (f.data, r->buffer);
        EXPECT_EQ (f.length, c.expectedLength) << c.length << " / " << c.factor;
        EXPECT_EQ (f.sampleRate, c.expectedRate);
        EXPECT_EQ (r->out.length, c.expectedLength);
    }
}

// A decimator filters the caller's block in place and picks indices 0, D, 2D,
// ... of it; the tail that does not fill a whole step is filtered, not picked.
TEST (Resampler, DecimatorPicksFromIndexZeroOfTheFilteredBlock)
{
    auto r = std::make_unique<Resampler>();
    r->setup (2, true);
    auto x = ref::noise (255, 2);
    const auto original = x;

    ref::BiquadCascade lowpass (tables::sosFilt2, 10, tables::gFilt2[10]);
    std::vector<double> filtered;
    for (float v : original)
        filtered.push_back (lowpass.process (v));

    Frame f { x.data(), 255, 88200 };
    r->Apply (&f);
    ASSERT_EQ (f.length, 127);
    for (int k = 0; k < 127; ++k)
        EXPECT_EQ (f.data[k], x[(size_t) (2 * k)]);
    for (size_t i = 0; i < x.size(); ++i)
        EXPECT_NEAR (x[i], filtered[i], 1e-5) << i;
}

// Down then up: a constant settles back to itself for both factors.
TEST (Resampler, ConstantSurvivesDownAndUp)
{
    for (int factor : { 2, 4 })
    {
        auto down = std::make_unique<Resampler>();
        auto up = std::make_unique<Resampler>();
        down->setup (factor, true);
        up->setup (factor, false);

        std::vector<float> block (512);
        Frame f {};
        for (int i = 0; i < 20; ++i)
        {
            std::fill (block.begin(), block.end(), 0.75f);
            f = { block.data(), (int) block.size(), 48000 * factor };
            down->Apply (&f);
            up->Apply (&f);
        }
        ASSERT_EQ (f.length, 512);
        EXPECT_EQ (f.sampleRate, 48000 * factor);
        for (int k = 0; k < f.length; ++k)
            ASSERT_NEAR (f.data[k], 0.75f, 1e-4f) << factor;
    }
}

// The anti-alias designs meet their -3 dB and stop-band points, from the
// coefficients as stored.
TEST (Resampler, FilterDesignPoints)
{
    struct Design
    {
        const float* sos;
        const float* gain;
        double minus3dB, stopFrom;
    };
    const Design designs[] = {
        { tables::sosFilt2, tables::gFilt2, 0.2463, 0.2652 },
        { tables::sosFilt4, tables::gFilt4, 0.1217, 0.1350 },
    };

    for (const auto& d : designs)
    {
        ref::BiquadCascade h (d.sos, 10, d.gain[10]);
        EXPECT_NEAR (ref::toDb (std::abs (h.response (0.0))), 0.0, 0.01);
        // The -3 dB frequency, by bisection on the steep edge.
        double lo = 0.05, hi = d.stopFrom;
        for (int i = 0; i < 60; ++i)
        {
            const double mid = 0.5 * (lo + hi);
            (ref::toDb (std::abs (h.response (mid))) > -3.0 ? lo : hi) = mid;
        }
        EXPECT_NEAR (lo, d.minus3dB, 0.0005);
        EXPECT_GT (ref::toDb (std::abs (h.response (d.minus3dB * 0.9))), -1.0);
        double worst = -1000.0;
        for (double f = d.stopFrom; f <= 0.5; f += 0.0001)
            worst = std::max (worst, ref::toDb (std::abs (h.response (f))));
        EXPECT_LT (worst, -79.9) << d.stopFrom;
    }
}

// A sine above the new Nyquist frequency is removed by the decimator, a sine
// well inside the pass band comes through at full level.
TEST (Resampler, DecimatorRejectsAliases)
{
    for (int factor : { 2, 4 })
    {
        const double stopFrom = factor == 2 ? 0.2652 : 0.1350;
        for (double f : { 0.05 / factor, stopFrom + 0.01 })
        {
            auto r = std::make_unique<Resampler>();
            r->setup (factor, true);
            std::vector<float> block (1024);
            double peak = 0.0;
            for (int b = 0; b < 16; ++b)
            {
                for (size_t i = 0; i < block.size(); ++i)
                    block[i] = (float) std::sin (2.0 * ref::pi * f * (double) (b * 1024 + (int) i));
                Frame fr { block.data(), 1024, 48000 * factor };
                r->Apply (&fr);
                if (b >= 8)
                    for (int k = 0; k < fr.length; ++k)
                        peak = std::max (peak, std::fabs ((double) fr.data[k]));
            }
            if (f < 0.1)
                EXPECT_NEAR (peak, 1.0, 0.02) << factor;
            else
                EXPECT_LT (ref::toDb (peak), -78.0) << factor;
        }
    }
}

//==============================================================================
// Impulse-response decimator

std::vector<double> referenceDecimate (const std::vector<float>& x, const float* h, int taps, int d)
{
    std::vector<double> y;
    for (size_t t = 0; t < x.size(); t += (size_t) d)
    {
        double sum = 0.0;
        for (int j = 0; j <= taps && (size_t) j <= t; ++j)
            sum += (double) h[j] * x[t - (size_t) j];
        y.push_back (sum);
    }
    return y;
}

TEST (Resample, DecimatesAgainstDirectFir)
{
    for (int factor : { 2, 4 })
    {
        Resample r;
        r.setup (factor);
        EXPECT_EQ (r.ntaps, factor == 2 ? 40 : 80);

        auto x = ref::noise (82778, 31);
        std::vector<float> y (82778 / factor + 2, 1234.0f);
        r.Apply (x.data(), y.data(), (int) x.size());

        const auto expected = referenceDecimate (x, r.kernel, r.ntaps, factor);
        ASSERT_EQ (expected.size(), (size_t) (factor == 2 ? 41389 : 20695));
        for (size_t u = 0; u < expected.size(); ++u)
            ASSERT_NEAR (y[u], expected[u], 2e-5) << u;
        EXPECT_EQ (y[expected.size()], 1234.0f); // nothing written past ceil(count / D)
    }
}

// An impulse comes out as the kernel's even taps, N / (2 D) samples late; the
// history carries the stream across calls.
TEST (Resample, ImpulseAndHistory)
{
    Resample r;
    r.setup (4);
    std::vector<float> x (400, 0.0f);
    x[1] = 1.0f;
    std::vector<float> whole (100);
    r.Apply (x.data(), whole.data(), 400);
    EXPECT_FLOAT_EQ (whole[10], tables::resamplFilterDown_4[39]);

    std::vector<float> impulse (400, 0.0f);
    impulse[0] = 1.0f;
    r.setup (4);
    r.Apply (impulse.data(), whole.data(), 400);
    EXPECT_EQ (whole[10], 1.0f); // the centre tap, 40 input samples late

    // Two calls (the first a multiple of D long) equal one call.
    auto noise = ref::noise (400, 9, 0.5f);
    std::vector<float> one (100), two (100);
    r.setup (4);
    r.Apply (noise.data(), one.data(), 400);
    r.setup (4);
    r.Apply (noise.data(), two.data(), 200);
    r.Apply (noise.data() + 200, two.data() + 50, 200);
    for (int u = 0; u < 100; ++u)
        EXPECT_NEAR (one[(size_t) u], two[(size_t) u], 1e-6) << u;
}
} // namespace
