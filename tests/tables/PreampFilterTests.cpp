// The four preamplifier path filters at both base rates: measured
// magnitudes, the shape between the measured points, stability and minimum
// phase, evaluated in double precision from the stored tables.

#include "FilterResponse.h"
#include "tables/Tables.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace
{
using filtertest::listedHz;
using filtertest::magnitudeDb;

constexpr int numSections = 25;

struct PreampCase
{
    const char* name;
    int rate;
    const float* sos;
    const float* gain;
    std::array<double, 10> targetDb; // at 50, 100, 200, 500, 1k, 2k, 3k, 5k, 8k, 12k
};

// Body paths keep the low end (without mid boost with a deep notch near
// 1 kHz); detail paths keep the top and lie about 18 dB down in the bass.
constexpr std::array<double, 10> noMidBody { -1.7, -2.6, -6.1, -17.6, -35.7, -18.0, -12.8, -9.2, -7.6, -7.4 };
constexpr std::array<double, 10> midBody { -0.6, -0.5, -0.8, -3.8, -5.6, -6.9, -8.7, -11.6, -11.6, -10.8 };
constexpr std::array<double, 10> noMidDetail { -18.9, -18.3, -18.0, -16.7, -12.7, -6.5, -3.5, -1.0, -0.0, -0.3 };
constexpr std::array<double, 10> midDetail { -18.3, -16.8, -15.7, -14.6, -11.3, -6.1, -3.5, -1.2, -0.1, -0.1 };

const PreampCase preampCases[] = {
    { "noMidBody_44100", 44100, tables::noMidBody_44100_sos, tables::noMidBody_44100_gain, noMidBody },
    { "noMidBody_48000", 48000, tables::noMidBody_48000_sos, tables::noMidBody_48000_gain, noMidBody },
    { "MidBody_44100", 44100, tables::MidBody_44100_sos, tables::MidBody_44100_gain, midBody },
    { "MidBody_48000", 48000, tables::MidBody_48000_sos, tables::MidBody_48000_gain, midBody },
    { "noMidDetail_44100", 44100, tables::noMidDetail_44100_sos, tables::noMidDetail_44100_gain, noMidDetail },
    { "noMidDetail_48000", 48000, tables::noMidDetail_48000_sos, tables::noMidDetail_48000_gain, noMidDetail },
    { "MidDetail_44100", 44100, tables::MidDetail_44100_sos, tables::MidDetail_44100_gain, midDetail },
    { "MidDetail_48000", 48000, tables::MidDetail_48000_sos, tables::MidDetail_48000_gain, midDetail },
};

void PrintTo (const PreampCase& c, std::ostream* os)
{
    *os << c.name;
}

class PreampFilter : public testing::TestWithParam<PreampCase>
{
protected:
    double db (double f) const
    {
        return magnitudeDb (GetParam().sos, GetParam().gain, numSections, f, GetParam().rate);
    }
};

TEST_P (PreampFilter, MatchesMeasuredMagnitudes)
{
    const PreampCase& c = GetParam();
    for (size_t i = 0; i < listedHz.size(); ++i)
    {
        // The 44.1 kHz tables are the reference; the deep notch may be a
        // little shallower or deeper.
        double tol = c.rate == 44100 ? 0.5 : 1.0;
        if (c.rate == 44100 && c.targetDb[i] < -30.0)
            tol = 1.5;
        EXPECT_NEAR (db (listedHz[i]), c.targetDb[i], tol) << "at " << listedHz[i] << " Hz";
    }
}

TEST_P (PreampFilter, StaysPlausibleBetweenMeasuredPoints)
{
    const PreampCase& c = GetParam();
    EXPECT_LE (filtertest::betweenPointsExcess (c.sos, c.gain, numSections, c.rate, c.targetDb.data(), 50.0, 12000.0), 0.0);
}

TEST_P (PreampFilter, IsStableAndMinimumPhase)
{
    EXPECT_LT (filtertest::maxPoleRadius (GetParam().sos, numSections), 0.999);
    EXPECT_LT (filtertest::maxZeroRadius (GetParam().sos, numSections), 1.0);
}

INSTANTIATE_TEST_SUITE_P (BothRates, PreampFilter, testing::ValuesIn (preampCases),
                          [] (const testing::TestParamInfo<PreampCase>& p) { return std::string (p.param.name); });
} // namespace
