#include "dsp/Sos.h"
#include "tables/Tables.h"
#include "Reference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace
{
struct CascadeCase
{
    const char* name;
    const float* sos;
    const float* gain;
    int nsec;
    double maxErrorDb; // float rounding against the signal, with ~10 dB margin
};

const CascadeCase cascades[] = {
    { "sosFilt2", tables::sosFilt2, tables::gFilt2, 10, -120.0 },
    { "sosFilt4", tables::sosFilt4, tables::gFilt4, 10, -115.0 },
    { "eqBand0_48k", tables::sos_band_48000, tables::gain_band_48000, 2, -65.0 },
    { "eqBand2_44k", tables::sos_band_44100 + 12, tables::gain_band_44100 + 6, 2, -85.0 },
    { "eqBand4_48k", tables::sos_band_48000 + 48, tables::gain_band_48000 + 12, 2, -120.0 },
};

class SosAgainstReference : public ::testing::TestWithParam<CascadeCase> {};

// Float cascade versus a double direct form I: the difference may only be
// float rounding. How far the rounding noise lies below the signal depends on
// the design: the narrow low bands of the equaliser have poles within 0.002 of
// z = 1, where single-precision states lose about 60 dB.
TEST_P (SosAgainstReference, MatchesDoublePrecisionDirectForm)
{
    const auto& c = GetParam();
    auto x = ref::noise (20000, 7);
    ref::BiquadCascade reference (c.sos, c.nsec, c.gain[c.nsec]);

    Sos sos;
    sos.setTables (c.sos, c.gain, c.nsec);
    std::vector<float> y = x;
    sos.SosApply (y.data(), (int) y.size());

    double errPower = 0.0, refPower = 0.0;
    for (size_t i = 0; i < x.size(); ++i)
    {
        const double r = reference.process (x[i]);
        errPower += (y[i] - r) * (y[i] - r);
        refPower += r * r;
    }
    ASSERT_GT (refPower, 0.0);
    // A wrong coefficient, a swapped a1/a2 or a missing output gain are all
    // far above these levels.
    EXPECT_LT (10.0 * std::log10 (errPower / refPower), c.maxErrorDb) << c.name;
}

// The same signal cut into blocks of arbitrary sizes must come out bit for
// bit as one long block: the cascade is a pure stream operation.
TEST_P (SosAgainstReference, BlockSplitIsBitExact)
{
    const auto& c = GetParam();
    auto x = ref::noise (9000, 11);

    Sos whole;
    whole.setTables (c.sos, c.gain, c.nsec);
    std::vector<float> expected = x;
    whole.SosApply (expected.data(), (int) expected.size());

    Sos split;
    split.setTables (c.sos, c.gain, c.nsec);
    std::vector<float> y = x;
    const int sizes[] = { 1, 0, 7, 64, 3, 513, 1, 2048, 0, 100, 4093 };
    size_t pos = 0;
    for (int i = 0; pos < y.size(); ++i)
    {
        const int n = std::min ((int) (y.size() - pos), sizes[i % std::size (sizes)]);
        split.SosApply (y.data() + pos, n);
        pos += (size_t) n;
    }
    EXPECT_EQ (y, expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P (Tables, SosAgainstReference, ::testing::ValuesIn (cascades),
                          [] (const auto& testInfo) { return std::string (testInfo.param.name); });

// After the input falls silent the states stay on the 2^-24 grid (never
// denormal) and every section output under 1e-10 is an exact zero. The output
// gain is set to 1 so the last section's output is seen unscaled.
TEST (Sos, SilenceDecaysOnTheFloatGrid)
{
    for (const auto& c : cascades)
    {
        float unitGain[Sos::maxSections + 1];
        std::fill (std::begin (unitGain), std::end (unitGain), 1.0f);

        Sos sos;
        sos.setTables (c.sos, unitGain, c.nsec);
        auto x = ref::noise (4096, 3, 0.5f);
        sos.SosApply (x.data(), (int) x.size());

        std::vector<float> silence (48000, 0.0f);
        sos.SosApply (silence.data(), (int) silence.size());

        for (int k = 0; k < c.nsec; ++k)
        {
            for (float z : sos.state[k])
            {
                EXPECT_TRUE (z == 0.0f || std::fabs (z) >= 0x1p-24f) << c.name;
                const float scaled = z * 0x1p24f;
                EXPECT_EQ (scaled, std::round (scaled)) << c.name << " section " << k;
            }
        }

        for (float y : silence)
        {
            if (std::fabs (y) < 1e-10f)
            {
                ASSERT_EQ (y, 0.0f) << c.name;
            }
        }
        EXPECT_FALSE (std::any_of (silence.begin(), silence.end(),
                                   [] (float v) { return v != 0.0f && std::fpclassify (v) == FP_SUBNORMAL; }));
    }
}

// A state value too small for the grid must become exactly zero; this is what
// the (v + 1) - 1 rounding is for, and it fails if the compiler folds it.
TEST (Sos, TinyStatesRoundToZero)
{
    const float row[6] = { 1.0f, 0.0f, 0.0f, 1.0f, -0.5f, 0.0f }; // y = x + 0.5 y[-1]
    const float gain[2] = { 1.0f, 1.0f };
    Sos sos;
    sos.setTables (row, gain, 1);
    float x[2] = { 2e-8f, 0.0f };
    sos.SosApply (x, 2);
    EXPECT_EQ (x[0], 2e-8f);
    EXPECT_EQ (sos.state[0][0], 0.0f); // 0.5 * 2e-8 is below half a grid step
    EXPECT_EQ (x[1], 0.0f);
}

TEST (Sos, NoSectionsWithUnitGainIsIdentityAndEmptyBlocksChangeNothing)
{
    const float gain[1] = { 1.0f };
    Sos sos;
    sos.setTables (tables::sosFilt2, gain, 0);
    auto x = ref::noise (257, 5);
    auto y = x;
    sos.SosApply (y.data(), (int) y.size());
    EXPECT_EQ (y, x);

    Sos filt;
    filt.setTables (tables::sosFilt2, tables::gFilt2, 10);
    filt.SosApply (y.data(), 100);
    float before[Sos::maxSections][2];
    std::copy (&filt.state[0][0], &filt.state[0][0] + 2 * Sos::maxSections, &before[0][0]);
    filt.SosApply (y.data(), 0);
    filt.SosApply (y.data(), -3);
    EXPECT_TRUE (std::equal (&before[0][0], &before[0][0] + 2 * Sos::maxSections, &filt.state[0][0]));
}
} // namespace

TEST (Sos, EveryCascadeLengthMatchesThePlainSectionBySectionArithmetic)
{
    // The cascade runs several sections in one pass for speed; the result
    // must be exactly that of taking the whole block through one section
    // after another, for every section count (groups and remainders).
    const auto input = ref::noise (1000, 77, 0.3f);
    for (int nsec = 0; nsec <= 25; ++nsec)
    {
        SCOPED_TRACE (nsec);
        Sos sos;
        sos.setTables (tables::hpsos2_48000, tables::hpgain2_48000, nsec);
        auto x = input;
        sos.SosApply (x.data(), 600);
        sos.SosApply (x.data() + 600, 400);

        auto expected = input;
        for (int k = 0; k < nsec; ++k)
        {
            const float* r = tables::hpsos2_48000 + 6 * k;
            float z1 = 0.0f, z2 = 0.0f;
            for (auto& v : expected)
            {
                const float in = v;
                float y = r[0] * in + z1;
                if (std::abs ((double) y) < 1e-10)
                    y = 0.0f;
                volatile float t1 = (r[1] * in + z2) - r[4] * y;
                volatile float t2 = r[2] * in - r[5] * y;
                volatile float u1 = t1 + 1.0f, u2 = t2 + 1.0f;
                z1 = u1 - 1.0f;
                z2 = u2 - 1.0f;
                v = y;
            }
        }
        if (tables::hpgain2_48000[nsec] != 1.0f)
            for (auto& v : expected)
                v *= tables::hpgain2_48000[nsec];
        EXPECT_EQ (x, expected);
    }
}
