// The designed cascades as the amplifier plays them: through Sos in single
// precision with its state rounding, compared with a double-precision
// transposed direct form II of the same stored coefficients. Checks the
// signal-to-error ratio on -20 dBFS white noise and that nothing keeps
// ringing once the input stops (the preamplifier filters feed gains of up to
// 400, where a leftover tone would become an audible whine).

#include "dsp/Sos.h"
#include "tables/Tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace
{
struct Cascade
{
    std::string name;
    int rate;
    const float* sos;
    const float* gain;
};

std::vector<Cascade> designedCascades()
{
    using namespace tables;
    std::vector<Cascade> c;
    for (int m = 0; m < 12; ++m)
    {
        c.push_back ({ "speaker_44100_model" + std::to_string (m), 44100, hpsos2_44100 + 150 * m, hpgain2_44100 + 26 * m });
        c.push_back ({ "speaker_48000_model" + std::to_string (m), 48000, hpsos2_48000 + 150 * m, hpgain2_48000 + 26 * m });
    }
    c.push_back ({ "noMidBody_44100", 44100, noMidBody_44100_sos, noMidBody_44100_gain });
    c.push_back ({ "noMidBody_48000", 48000, noMidBody_48000_sos, noMidBody_48000_gain });
    c.push_back ({ "MidBody_44100", 44100, MidBody_44100_sos, MidBody_44100_gain });
    c.push_back ({ "MidBody_48000", 48000, MidBody_48000_sos, MidBody_48000_gain });
    c.push_back ({ "noMidDetail_44100", 44100, noMidDetail_44100_sos, noMidDetail_44100_gain });
    c.push_back ({ "noMidDetail_48000", 48000, noMidDetail_48000_sos, noMidDetail_48000_gain });
    c.push_back ({ "MidDetail_44100", 44100, MidDetail_44100_sos, MidDetail_44100_gain });
    c.push_back ({ "MidDetail_48000", 48000, MidDetail_48000_sos, MidDetail_48000_gain });
    return c;
}

void PrintTo (const Cascade& c, std::ostream* os)
{
    *os << c.name;
}

/** Gaussian white noise, standard deviation 0.1 (-20 dBFS), from a
    splitmix64 generator and the Box-Muller transform. */
std::vector<float> whiteNoise (size_t n, uint64_t seed)
{
    std::vector<float> out (n);
    auto next = [&seed]()
    {
        uint64_t z = (seed += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return (double) ((z ^ (z >> 31)) >> 11) * (1.0 / 9007199254740992.0);
    };
    for (size_t i = 0; i < n; i += 2)
    {
        const double mag = 0.1 * std::sqrt (-2.0 * std::log (1.0 - next()));
        const double ph = 2.0 * 3.14159265358979323846 * next();
        out[i] = (float) (mag * std::cos (ph));
        if (i + 1 < n)
            out[i + 1] = (float) (mag * std::sin (ph));
    }
    return out;
}

/** Reference: the same 25 sections in double precision, no rounding. */
std::vector<double> referenceFilter (const Cascade& c, const std::vector<float>& in)
{
    std::vector<double> x (in.begin(), in.end());
    for (int k = 0; k < 25; ++k)
    {
        const float* r = c.sos + 6 * k;
        double z1 = 0.0, z2 = 0.0;
        for (double& v : x)
        {
            const double y = r[0] * v + z1;
            z1 = r[1] * v + z2 - r[4] * y;
            z2 = r[2] * v - r[5] * y;
            v = y;
        }
    }
    for (double& v : x)
        v *= c.gain[25];
    return x;
}

class DesignedCascade : public testing::TestWithParam<Cascade>
{
};

TEST_P (DesignedCascade, PlaysCleanlyInSinglePrecision)
{
    const Cascade& c = GetParam();
    const size_t second = (size_t) c.rate;

    // One second of noise, then two of silence, played in 512-sample blocks.
    std::vector<float> x (3 * second, 0.0f);
    const std::vector<float> noise = whiteNoise (second, 0x5eedULL + (uint64_t) c.rate);
    std::copy (noise.begin(), noise.end(), x.begin());
    const std::vector<double> ref = referenceFilter (c, x);

    Sos cascade;
    cascade.setTables (c.sos, c.gain, 25);
    for (size_t i = 0; i < x.size(); i += 512)
        cascade.SosApply (x.data() + i, (int) std::min<size_t> (512, x.size() - i));

    double signal = 0.0, error = 0.0;
    for (size_t i = 0; i < second; ++i)
    {
        signal += ref[i] * ref[i];
        error += (x[i] - ref[i]) * (x[i] - ref[i]);
    }
    const double serDb = 10.0 * std::log10 (signal / error);
    EXPECT_GE (serDb, 60.0);

    // The third second: whatever the state rounding leaves must be a
    // constant, not a tone.
    double mean = 0.0;
    for (size_t i = 2 * second; i < 3 * second; ++i)
        mean += x[i];
    mean /= (double) second;
    double var = 0.0;
    for (size_t i = 2 * second; i < 3 * second; ++i)
        var += (x[i] - mean) * (x[i] - mean);
    EXPECT_LT (std::sqrt (var / (double) second), 1e-6);
    EXPECT_LT (std::abs (mean), 1e-4);
}

INSTANTIATE_TEST_SUITE_P (All, DesignedCascade, testing::ValuesIn (designedCascades()),
                          [] (const testing::TestParamInfo<Cascade>& p) { return p.param.name; });
} // namespace
