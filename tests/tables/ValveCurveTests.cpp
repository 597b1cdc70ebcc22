// The two valve transfer curves: the measured points, the shape between them
// and the small-signal slope.

#include "tables/Tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

namespace
{
constexpr int size = 65536;
constexpr int zero = 32768;

struct Curve
{
    const char* name;
    const float* table;
    double direction;    // -1: inverting (falls with the input), +1: rises
    double slopeAtZero;  // small-signal gain
};

const Curve curves[] = {
    { "tube_el34", tables::tube_el34, -1.0, -1.62 },
    { "tube_vm2", tables::tube_vm2, 1.0, 1.33 },
};

struct Point
{
    int entry;
    double el34, vm2;
};

// Measured points of the two stages (entry i stands for x = i / 32768 - 1).
const Point points[] = {
    { 0, 1.0, -1.0 },
    { 4096, 0.988244891, -0.971013844 },
    { 8192, 0.945845544, -0.899833202 },
    { 16384, 0.745219886, -0.638109088 },
    { 24576, 0.404786825, -0.321692407 },
    { 28672, 0.204393029, -0.16352202 },
    { 32512, 0.0126669798, -0.01040297 },
    { 32768, 0.0, 0.0 },
    { 33024, -0.0126373796, 0.0104215601 },
    { 36864, -0.197016254, 0.167240202 },
    { 40960, -0.377582759, 0.325498849 },
    { 49152, -0.667007208, 0.547941148 },
    { 57344, -0.842992842, 0.632461607 },
    { 61440, -0.884720504, 0.653204679 },
    { 65534, -0.89696914, 0.662115455 },
};

/** Names the case in failure messages. */
void PrintTo (const Curve& c, std::ostream* os) { *os << c.name; }

class ValveCurve : public testing::TestWithParam<Curve>
{
protected:
    double at (int i) const { return (double) GetParam().table[i]; }
    bool isEl34() const { return GetParam().table == tables::tube_el34; }
};

TEST_P (ValveCurve, PassesThroughEveryMeasuredPointAndZero)
{
    for (const Point& p : points)
        EXPECT_NEAR (at (p.entry), isEl34() ? p.el34 : p.vm2, 1e-6) << "entry " << p.entry;
    EXPECT_EQ (GetParam().table[zero], 0.0f);
}

TEST_P (ValveCurve, StrictlyMonotonicOverTheWholeTable)
{
    int violations = 0, first = -1;
    for (int i = 1; i < size; ++i)
        if ((at (i) - at (i - 1)) * GetParam().direction <= 0.0)
        {
            ++violations;
            if (first < 0)
                first = i;
        }
    EXPECT_EQ (violations, 0) << "first flat or reversed step at entry " << first;
}

// A smooth curve has second differences of (curvature x 1/32768^2), a few
// 1e-9, buried under the rounding of the stored floats (at most 2.4e-7 for
// values up to 1). A kink where the slope changes by 0.01 already shows as
// 3e-7: joining the points with straight lines or a C0 patch fails here.
TEST_P (ValveCurve, SecondDifferencesStayAtRoundingLevel)
{
    double worst = 0.0;
    int where = 0;
    for (int i = 1; i + 1 < size; ++i)
    {
        const double d2 = std::abs (at (i + 1) - 2.0 * at (i) + at (i - 1));
        if (d2 > worst)
        {
            worst = d2;
            where = i;
        }
    }
    EXPECT_LE (worst, 2.5e-7) << "at entry " << where;
}

TEST_P (ValveCurve, SmallSignalSlopeAtZero)
{
    const double slope = (at (zero + 1) - at (zero - 1)) * 16384.0;
    EXPECT_NEAR (slope, GetParam().slopeAtZero, 0.05 * std::abs (GetParam().slopeAtZero));
}

// Beyond half scale a valve only saturates further: measured over windows of
// 256 entries, the slope's magnitude never grows towards either end.
TEST_P (ValveCurve, SaturatesTowardsBothEnds)
{
    constexpr int window = 256;
    auto slope = [this] (int i) { return std::abs (at (i + window) - at (i)); };
    for (int i = 16384 - window; i - window >= 0; i -= window)
        EXPECT_LE (slope (i - window), slope (i) + 1e-6) << "below entry " << i;
    for (int i = 49152; i + 2 * window < size; i += window)
        EXPECT_LE (slope (i + window), slope (i) + 1e-6) << "above entry " << i;
}

INSTANTIATE_TEST_SUITE_P (Tables, ValveCurve, testing::ValuesIn (curves),
                          [] (const testing::TestParamInfo<Curve>& p) { return std::string (p.param.name); });
} // namespace
