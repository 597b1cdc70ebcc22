#include "dsp/PedalDsp.h"
#include "Reference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

namespace
{
constexpr int fs = 48000;

/** Runs one pedal kind over a whole signal in blocks of the given lengths
    (cycled), with fixed controls. */
std::vector<float> runPedal (PedalDsp& dsp, Pedal_type kind, std::vector<float> x,
                             const std::vector<int>& blockLengths, const std::vector<float>& controls, int rate = fs)
{
    size_t pos = 0;
    for (size_t b = 0; pos < x.size(); ++b)
    {
        const int n = (int) std::min<size_t> ((size_t) blockLengths[b % blockLengths.size()], x.size() - pos);
        Frame f { x.data() + pos, n, rate };
        dsp.Apply (kind, &f, controls.data());
        EXPECT_EQ (f.data, x.data() + pos); // never redirected
        pos += (size_t) n;
    }
    return x;
}

std::vector<int> randomBlockLengths (uint32_t seed, int maxLength)
{
    std::mt19937 rng (seed);
    std::vector<int> v;
    for (int i = 0; i < 200; ++i)
        v.push_back (1 + (int) (rng() % (uint32_t) maxLength));
    return v;
}

double at (const std::vector<double>& v, long t) { return t >= 0 && t < (long) v.size() ? v[(size_t) t] : 0.0; }

//==============================================================================
// Delay

/** q[t] = x[t] + fb q[t - n - D], y[t] = x[t] + mix q[t - D], in double. */
std::vector<double> referenceDelay (const std::vector<float>& x, int n, int d, double mix, double fb)
{
    std::vector<double> q (x.size()), y (x.size());
    for (long t = 0; t < (long) x.size(); ++t)
        q[(size_t) t] = x[(size_t) t] + fb * at (q, t - n - d);
    for (long t = 0; t < (long) x.size(); ++t)
        y[(size_t) t] = x[(size_t) t] + mix * at (q, t - d);
    return y;
}

int delaySamples (float time) { return (int) ((float) fs * (2000.0f * time) * 0.001f) - 1; }

TEST (DelayPedal, MatchesFeedbackDelayEquations)
{
    // A long delay (D > n) and a short one (D < n: the echo comes from the
    // same block).
    for (float time : { 0.01f, 0.001f })
    {
        const float mix = 0.7f, fb = 0.6f;
        auto dsp = std::make_unique<PedalDsp>();
        const auto x = ref::noise (256 * 120, 2);
        const auto y = runPedal (*dsp, pedalDelay, x, { 256 }, { mix, time, fb });
        const auto expected = referenceDelay (x, 256, delaySamples (time), mix, fb);
        for (size_t t = 0; t < x.size(); ++t)
            ASSERT_NEAR (y[t], expected[t], 1e-5) << "time " << time << " t " << t;
    }
}

// Tiny feedback: one echo, D samples after the dry impulse, at level "Mix".
TEST (DelayPedal, SingleEchoAtMixLevel)
{
    const float mix = 0.8f;
    const int d = delaySamples (0.25f);
    ASSERT_EQ (d, 23999);
    auto dsp = std::make_unique<PedalDsp>();
    std::vector<float> x (60000, 0.0f);
    x[100] = 1.0f;
    const auto y = runPedal (*dsp, pedalDelay, x, { 512 }, { mix, 0.25f, 0.001f });
    EXPECT_EQ (y[100], 1.0f);
    EXPECT_EQ (y[(size_t) (100 + d)], mix);
    float others = 0.0f;
    for (size_t t = 0; t < y.size(); ++t)
        if (t != 100 && t != (size_t) (100 + d))
            others = std::max (others, std::fabs (y[t]));
    EXPECT_LT (others, 0.001f * mix * 1.01f); // at most the -60 dB second echo
}

// With block lengths that change on every call the first echo still lands
// exactly D samples late, as with a constant block length.
TEST (DelayPedal, FirstEchoIgnoresBlockLengthChanges)
{
    const int d = delaySamples (0.05f);
    for (long start : { 0L, 777L, 12345L })
    {
        auto dsp = std::make_unique<PedalDsp>();
        std::vector<float> x (20000, 0.0f);
        x[(size_t) start] = 1.0f;
        const auto y = runPedal (*dsp, pedalDelay, x, randomBlockLengths ((uint32_t) start, 3000), { 0.5f, 0.05f, 0.3f });
        for (long t = 0; t < std::min (start + 2 * d, (long) y.size()); ++t)
        {
            const float expected = t == start ? 1.0f : (t == start + d ? 0.5f : 0.0f);
            ASSERT_EQ (y[(size_t) t], expected) << "start " << start << " t " << t;
        }
    }
}

//==============================================================================
// Chorus

/** The modulated delay line evaluated from its definition: the LFO phase
    accumulated in float, the read position and interpolation in double. */
std::vector<double> referenceChorus (const std::vector<float>& x, double mix, float speed, float amp)
{
    const double sweep = (double) (0.005f * amp) * fs;
    const long d = (long) sweep;
    const float increment = (float) (5.0 * speed / fs);
    float phase = 0.0f;
    std::vector<double> xd (x.begin(), x.end()), y (x.size());
    for (long t = 0; t < (long) x.size(); ++t)
    {
        phase += increment;
        if (phase > 1.0f)
            phase -= 1.0f;
        const double pos = (std::sin (2.0 * ref::pi * phase) * 0.5 + 0.5) * sweep;
        const double delayed = (double) (d + 1) - pos; // between 1 and D + 1 samples
        const long i0 = t - (long) std::ceil (delayed);
        const double frac = std::ceil (delayed) - delayed;
        const double wet = at (xd, i0) + (at (xd, i0 + 1) - at (xd, i0)) * frac;
        y[(size_t) t] = wet * mix + x[(size_t) t] * (1.0 - mix);
    }
    return y;
}

TEST (ChorusPedal, MatchesModulatedDelayLine)
{
    for (float mix : { 1.0f, 0.5f, 0.001f })
    {
        auto dsp = std::make_unique<PedalDsp>();
        const auto x = ref::noise (128 * 300, 4);
        const auto y = runPedal (*dsp, pedalChorus, x, { 128 }, { mix, 0.6f, 1.0f });
        const auto expected = referenceChorus (x, mix, 0.6f, 1.0f);
        for (size_t t = 0; t < x.size(); ++t)
            ASSERT_NEAR (y[t], expected[t], 2e-6) << "mix " << mix << " t " << t;

        // Nearly dry at the bottom of the range.
        if (mix < 0.01f)
        {
            for (size_t t = 0; t < x.size(); ++t)
                ASSERT_NEAR (y[t], x[t], 0.0021f);
        }
    }
}

// The modulated read lands on the same samples whatever the block lengths.
TEST (ChorusPedal, BlockLengthChangesChangeNothing)
{
    const auto x = ref::noise (30000, 6);
    const std::vector<float> controls { 0.7f, 0.9f, 0.8f };
    auto constant = std::make_unique<PedalDsp>();
    const auto expected = runPedal (*constant, pedalChorus, x, { 64 }, controls);
    auto varying = std::make_unique<PedalDsp>();
    const auto y = runPedal (*varying, pedalChorus, x, randomBlockLengths (9, 700), controls);
    EXPECT_EQ (y, expected);
}

//==============================================================================
// Tremolo

// Full depth at 1 Hz: the gain touches 0 once a second and comes back to 1.
TEST (TremoloPedal, FullDepthReachesZeroOncePerSecond)
{
    auto dsp = std::make_unique<PedalDsp>();
    std::vector<float> ones (3 * fs, 1.0f);
    const auto g = runPedal (*dsp, pedalTremolo, ones, { 480 }, { 0.2f, 1.0f });

    std::vector<size_t> zeros;
    for (size_t t = 1; t + 1 < g.size(); ++t)
        if (g[t] < 1e-6f && g[t] <= g[t - 1] && g[t] <= g[t + 1])
            zeros.push_back (t);
    // The phase is accumulated in single precision, which runs the LFO about
    // 0.07 % fast at this rate: 47969 samples per turn instead of 48000.
    ASSERT_EQ (zeros.size(), 3u);
    EXPECT_NEAR ((double) zeros[0], 0.25 * fs, 10.0); // the sine peaks a quarter turn in
    for (size_t i = 1; i < zeros.size(); ++i)
        EXPECT_NEAR ((double) (zeros[i] - zeros[i - 1]), (double) fs, 0.001 * fs);
    EXPECT_GT (*std::max_element (g.begin(), g.end()), 0.999999f);
    EXPECT_GE (*std::min_element (g.begin(), g.end()), 0.0f);
}

//==============================================================================
// Compressor

// The smoothed gain is stored as a float, so it stops short of its target by
// up to half a float step divided by (1 - coefficient): with a 1 ms release
// about 1.5e-6; these tests use that release so the settling is tight.
TEST (CompressorPedal, BelowThresholdOnlyMakeUpGain)
{
    // Input 0.5: threshold 10^-1 = 0.1; make-up 5 * 0.4 + 1 = 3.
    auto dsp = std::make_unique<PedalDsp>();
    const std::vector<float> controls { 0.3f, 0.001f, 0.5f, 0.5f, 0.4f };
    std::vector<float> quiet (2 * fs);
    for (size_t t = 0; t < quiet.size(); ++t)
        quiet[t] = 0.05f * (float) std::sin (2.0 * ref::pi * 220.0 * (double) t / fs);
    const auto y = runPedal (*dsp, pedalCompressor, quiet, { 256 }, controls);
    EXPECT_NEAR (dsp->compressor.smoothed, 1.0f, 2e-6f);
    for (size_t t = quiet.size() - 4800; t < quiet.size(); ++t)
        ASSERT_NEAR (y[t], 3.0f * quiet[t], 3e-6f * std::fabs (3.0f * quiet[t]) + 1e-12f);
}

// A steady level above the threshold settles on the static curve
// threshold (level / threshold)^(1/r), times the make-up gain.
TEST (CompressorPedal, SettlesOnTheStaticCurve)
{
    for (float ratio : { 0.05f, 0.5f, 1.0f })
    {
        auto dsp = std::make_unique<PedalDsp>();
        std::vector<float> level (fs, 0.5f);
        const auto y = runPedal (*dsp, pedalCompressor, level, { 333 }, { 0.1f, 0.001f, 0.5f, ratio, 0.2f });
        const double threshold = 0.1, r = 20.0 * ratio + 1.0, makeUp = 2.0;
        const double expected = threshold * std::pow (0.5 / threshold, 1.0 / r) * makeUp;
        EXPECT_NEAR (y.back(), expected, 1e-5 * expected) << ratio;
    }
}

//==============================================================================
// Reverberator

/** Four combs and three all-passes from their recurrences (constant block
    length n), in double. */
std::vector<double> referenceReverb (const std::vector<float>& x, int n, float room, float refl, float level, float late)
{
    const double base = (double) (float) ((int) (40.0f * room + 10.0f) * 0.00294);
    const auto delayOf = [&] (double factor) { return (long) (float) ((float) (factor * base / 1618.0) * fs) - 1; };
    const double combLength[4] = { 1116, 1356, 1422, 1617 };
    const double combGain[4] = { 0.805, 0.827, 0.783, 0.764 };
    const double allpassLength[3] = { 225, 341, 441 };

    std::vector<double> y (x.begin(), x.end());
    for (int c = 0; c < 4; ++c)
    {
        const long d = delayOf (combLength[c]);
        const double g = combGain[c] * refl / 0.828;
        std::vector<double> in (x.size());
        for (long t = 0; t < (long) x.size(); ++t)
            in[(size_t) t] = x[(size_t) t] + g * at (in, t - n - d);
        for (long t = 0; t < (long) x.size(); ++t)
            y[(size_t) t] += at (in, t - d) * 0.25 * level * (1.0 - late);
    }
    const double g = 0.7 * refl / 0.828;
    for (int a = 0; a < 3; ++a)
    {
        const long d = delayOf (allpassLength[a]);
        std::vector<double> u (x.size());
        for (long t = 0; t < (long) x.size(); ++t)
            u[(size_t) t] = y[(size_t) t] - g * at (u, t - n - d);
        for (long t = 0; t < (long) x.size(); ++t)
            y[(size_t) t] += (u[(size_t) t] * g + at (u, t - d)) * 0.25 * level * late;
    }
    return y;
}

TEST (ReverbPedal, MatchesCombAndAllpassEquations)
{
    for (float room : { 0.001f, 0.6f, 1.0f })
    {
        auto dsp = std::make_unique<PedalDsp>();
        const auto x = ref::noise (512 * 80, 8, 0.5f);
        const std::vector<float> controls { room, 0.8f, 0.9f, 0.4f };
        const auto y = runPedal (*dsp, pedalReverb, x, { 512 }, controls);
        const auto expected = referenceReverb (x, 512, room, 0.8f, 0.9f, 0.4f);
        for (size_t t = 0; t < x.size(); ++t)
            ASSERT_NEAR (y[t], expected[t], 2e-5) << "room " << room << " t " << t;
    }
}

// "Mix" scales only what is added: at its minimum the output is the dry
// signal plus almost nothing.
TEST (ReverbPedal, DryStaysAtFullLevel)
{
    auto dsp = std::make_unique<PedalDsp>();
    const auto x = ref::noise (20000, 10, 0.5f);
    const auto y = runPedal (*dsp, pedalReverb, x, { 256 }, { 1.0f, 1.0f, 0.001f, 0.5f });
    double diff = 0.0, dry = 0.0;
    for (size_t t = 0; t < x.size(); ++t)
    {
        diff += (y[t] - x[t]) * (y[t] - x[t]);
        dry += (double) x[t] * x[t];
    }
    EXPECT_LT (10.0 * std::log10 (diff / dry), -40.0);
}
} // namespace
