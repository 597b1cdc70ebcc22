#include "dsp/Fiveband.h"
#include "dsp/RCfilt.h"
#include "dsp/ValveStage.h"
#include "tables/Tables.h"
#include "Reference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
//==============================================================================
// RC filters

struct RcCase
{
    const char* name;
    bool lowpass;
    float twoPiFc;
    int rate;
};

const RcCase rcCases[] = {
    { "highpass8Hz_48k", false, 50.265484f, 48000 },
    { "highpass2500Hz_44k", false, 15707.964f, 44100 },
    { "lowpass20kHz_48k", true, 125663.71f, 48000 },
};

// The one-pole recursions evaluated in double from the corner frequency alone.
// The stored output is rounded to a multiple of 2^-24 on every sample, and the
// recursion (pole p) accumulates that into at most 2^-24 / (1 - p).
TEST (RCfilt, MatchesDoublePrecisionRecursion)
{
    for (const auto& c : rcCases)
    {
        RCfilt f;
        f.setup (c.lowpass, c.twoPiFc, c.rate);
        const double w = (double) c.twoPiFc / c.rate;
        const double alpha = c.lowpass ? w / (w + 1.0) : 1.0 / (w + 1.0);

        auto x = ref::noise (5000, 21);
        auto y = x;
        f.Apply ({ y.data(), (int) y.size(), c.rate });

        double yp = 0.0, xp = 0.0, maxErr = 0.0;
        for (size_t i = 0; i < x.size(); ++i)
        {
            const double r = c.lowpass ? yp + alpha * (x[i] - yp) : alpha * (yp + x[i] - xp);
            yp = r;
            xp = x[i];
            maxErr = std::max (maxErr, std::fabs (y[i] - r));
        }
        const double pole = c.lowpass ? 1.0 - alpha : alpha;
        EXPECT_LT (maxErr, 0x1p-24 / (1.0 - pole) + 1e-6) << c.name;
    }
}

TEST (RCfilt, ConstantInput)
{
    std::vector<float> ones (96000, 1.0f);

    RCfilt hp;
    hp.setup (false, 50.265484f, 48000);
    auto y = ones;
    hp.Apply ({ y.data(), (int) y.size(), 48000 });
    EXPECT_NEAR (y[0], 1.0f / (50.265484f / 48000.0f + 1.0f), 1e-7f);
    EXPECT_LT (y[4800], 0.01f); // 100 ms, five time constants
    // The rounded state stops decaying once a step is below half a grid step,
    // 2^-24 / (1 - alpha), about 6e-5 (-85 dB) here; it never goes denormal.
    EXPECT_LT (y.back(), 0x1p-24f / (1.0f - hp.alpha));
    EXPECT_GE (y.back(), 0.0f);
    EXPECT_EQ (hp.yPrev * 0x1p24f, std::round (hp.yPrev * 0x1p24f));

    RCfilt lp;
    lp.setup (true, 125663.71f, 48000);
    y = ones;
    lp.Apply ({ y.data(), (int) y.size(), 48000 });
    EXPECT_NEAR (y[10], 1.0f, 1e-6f);
    EXPECT_NEAR (y.back(), 1.0f, 1e-6f);
}

// One-sample blocks continue the stream exactly; empty blocks change nothing.
TEST (RCfilt, OneSampleAndEmptyBlocks)
{
    for (const auto& c : rcCases)
    {
        auto x = ref::noise (300, 4);
        RCfilt whole;
        whole.setup (c.lowpass, c.twoPiFc, c.rate);
        auto expected = x;
        whole.Apply ({ expected.data(), (int) expected.size(), c.rate });

        RCfilt bySample;
        bySample.setup (c.lowpass, c.twoPiFc, c.rate);
        auto y = x;
        for (size_t i = 0; i < y.size(); ++i)
        {
            bySample.Apply ({ y.data() + i, 1, c.rate });
            bySample.Apply ({ y.data() + i, 0, c.rate });
        }
        EXPECT_EQ (y, expected) << c.name;
    }
}

//==============================================================================
// Five-band equaliser

struct EqRate
{
    int rate;
    const float* sos;
    const float* gain;
};

const EqRate eqRates[] = {
    { 48000, tables::sos_band_48000, tables::gain_band_48000 },
    { 44100, tables::sos_band_44100, tables::gain_band_44100 },
};

/** The equaliser's impulse response, long enough for the narrowest band to
    have died away, run through blocks of the largest size. */
std::vector<float> eqImpulseResponse (const EqRate& r, const float* gains, size_t length = 65536)
{
    auto eq = std::make_unique<Fiveband>();
    eq->setTables (r.sos, r.gain);
    std::vector<float> h (length, 0.0f);
    h[0] = 1.0f;
    for (size_t pos = 0; pos < length; pos += Frame::maxBlockLength)
        eq->Apply ({ h.data() + pos, (int) std::min<size_t> (Frame::maxBlockLength, length - pos), r.rate }, gains);
    return h;
}

double eqResponseDb (const std::vector<float>& h, double hz, int rate)
{
    return ref::magnitudeDb (h, hz / rate);
}

// The weighted band sum against the exact response of the band designs.
TEST (Fiveband, MatchesBandDesignsWithArbitraryGains)
{
    const float gains[5] = { 0.5f, 2.0f, 1.0f, 0.25f, 3.0f };
    for (const auto& r : eqRates)
    {
        auto h = eqImpulseResponse (r, gains);
        for (double hz : { 40.0, 100.0, 300.0, 700.0, 1000.0, 2200.0, 5000.0, 8000.0 })
        {
            std::complex<double> expected = 0.0;
            for (int b = 0; b < 5; ++b)
            {
                ref::BiquadCascade band (r.sos + 12 * b, 2, r.gain[3 * b + 2]);
                expected += (double) gains[b] * band.response (hz / r.rate);
            }
            EXPECT_NEAR (eqResponseDb (h, hz, r.rate), ref::toDb (std::abs (expected)), 0.05)
                << r.rate << " Hz rate, " << hz << " Hz";
        }
    }
}

TEST (Fiveband, AllGainsZeroGivesExactSilence)
{
    const float zeros[5] = {};
    Fiveband eq;
    eq.setTables (tables::sos_band_48000, tables::gain_band_48000);
    auto x = ref::noise (4096, 8);
    eq.Apply ({ x.data(), (int) x.size(), 48000 }, zeros);
    for (float v : x)
        ASSERT_EQ (v, 0.0f);
}

// Band 2 alone is the 451 Hz to 1181 Hz band-pass at both rates.
TEST (Fiveband, MiddleBandAlone)
{
    const float gains[5] = { 0.0f, 0.0f, 1.0f, 0.0f, 0.0f };
    for (const auto& r : eqRates)
    {
        auto h = eqImpulseResponse (r, gains);
        EXPECT_NEAR (eqResponseDb (h, 451.0, r.rate), -3.0, 0.3) << r.rate;
        EXPECT_NEAR (eqResponseDb (h, 1181.0, r.rate), -3.0, 0.3) << r.rate;
        EXPECT_NEAR (eqResponseDb (h, std::sqrt (451.0 * 1181.0), r.rate), 0.0, 0.5) << r.rate;
        EXPECT_LT (eqResponseDb (h, 100.0, r.rate), -24.0) << r.rate;
        EXPECT_LT (eqResponseDb (h, 6000.0, r.rate), -24.0) << r.rate;
    }
}

// All gains 1: near unity at the band centres, dips of about 7 to 11 dB
// between neighbouring bands (6.7 dB at 420 Hz, 11 dB at 146 Hz), falling away
// at both ends.
TEST (Fiveband, AllOnesHasTheDipsBetweenBands)
{
    const float ones[5] = { 1.0f, 1.0f, 1.0f, 1.0f, 1.0f };
    for (const auto& r : eqRates)
    {
        auto h = eqImpulseResponse (r, ones);
        for (double centre : { 72.0, 241.0, 730.0, 2190.0, 6500.0 })
            EXPECT_NEAR (eqResponseDb (h, centre, r.rate), 0.0, 3.0) << r.rate << " / " << centre;

        for (auto [lo, hi] : { std::pair { 125.0, 165.0 }, { 380.0, 460.0 }, { 1150.0, 1450.0 }, { 3400.0, 4200.0 } })
        {
            double deepest = 0.0;
            for (double hz = lo; hz <= hi; hz += (hi - lo) / 40.0)
                deepest = std::min (deepest, eqResponseDb (h, hz, r.rate));
            EXPECT_LT (deepest, -6.0) << r.rate << " dip " << lo << "-" << hi;
            EXPECT_GT (deepest, -11.5) << r.rate << " dip " << lo << "-" << hi;
        }

        EXPECT_LT (eqResponseDb (h, 20.0, r.rate), -6.0) << r.rate;
        EXPECT_LT (eqResponseDb (h, 16000.0, r.rate), -6.0) << r.rate;
    }
}

//==============================================================================
// Valve lookup

/** A synthetic curve with distinct, non-linear values, 0 at the centre, and
    a poisoned last entry that must never be read. */
std::vector<float> syntheticCurve()
{
    std::vector<float> t (ValveStage::tableSize);
    for (int i = 0; i < ValveStage::tableSize; ++i)
    {
        const double x = i / 32768.0 - 1.0;
        t[(size_t) i] = (float) (std::tanh (1.5 * x) + 0.1 * x * x);
    }
    t[32768] = 0.0f;
    t[65535] = std::numeric_limits<float>::quiet_NaN();
    return t;
}

TEST (ValveStage, EdgesAndClamping)
{
    const auto t = syntheticCurve();
    const float* T = t.data();

    EXPECT_EQ (ValveStage::lookup (T, 0.0f), 0.0f);
    for (float x : { -1.0f, -1.00001f, -3.0f, -1e30f })
        EXPECT_EQ (ValveStage::lookup (T, x), T[0]) << x;
    // Between entries 0 and 1 there is no interpolation either.
    EXPECT_EQ (ValveStage::lookup (T, -1.0f + 0.5f / 32768.0f), T[0]);
    for (float x : { 1.0f, 1.5f, 1e30f, 1.0f - 1.0f / 32768.0f, 1.0f - 2.0f / 32768.0f })
        EXPECT_EQ (ValveStage::lookup (T, x), T[65534]) << x;
    EXPECT_EQ (ValveStage::lookup (T, std::numeric_limits<float>::infinity()), T[65534]);

    // Half-way between entries 28672 and 28673.
    const float half = ValveStage::lookup (T, -0.125f + 1.0f / 65536.0f);
    EXPECT_FLOAT_EQ (half, 0.5f * (T[28672] + T[28673]));
}

// Random inputs against interpolation evaluated in double.
TEST (ValveStage, InterpolatesLinearlyBetweenEntries)
{
    const auto t = syntheticCurve();
    ValveStage stage;
    stage.table = t.data();

    auto x = ref::noise (20000, 13, 1.2f);
    auto y = x;
    stage.Apply (y.data(), (int) y.size());
    for (size_t k = 0; k < x.size(); ++k)
    {
        const double pos = ((double) x[k] + 1.0) * 32768.0;
        double expected;
        if (pos < 1.0)
            expected = t[0];
        else if (pos >= 65534.0)
            expected = t[65534];
        else
        {
            const int i = (int) std::floor (pos);
            expected = t[(size_t) i] + (pos - i) * ((double) t[(size_t) i + 1] - t[(size_t) i]);
        }
        ASSERT_NEAR (y[k], expected, 1e-6) << x[k];
    }
}
} // namespace
