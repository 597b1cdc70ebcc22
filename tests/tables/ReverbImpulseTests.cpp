// The reverb impulse responses: length, peak, decay, its colour over time and
// the agreement of the two base rates. All analysis is in double precision
// with its own simple filters.

#include "tables/Tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <iterator>
#include <string>
#include <vector>

namespace
{
struct Response
{
    const char* name;
    const float* data;
    size_t length;
    double rate;
    double peakMs;       // arrival of the direct sound, the peak
    double edc60Seconds; // backward-integrated energy down by 60 dB
};

static_assert (std::size (tables::sr144100) == 63932, "response 1, 44.1 kHz");
static_assert (std::size (tables::sr148000) == 69584, "response 1, 48 kHz");
static_assert (std::size (tables::sr244100) == 82778, "response 2, 44.1 kHz");
static_assert (std::size (tables::sr248000) == 90596, "response 2, 48 kHz");

const Response responses[] = {
    { "sr144100", tables::sr144100, std::size (tables::sr144100), 44100.0, 13.4, 1.296 },
    { "sr148000", tables::sr148000, std::size (tables::sr148000), 48000.0, 13.4, 1.296 },
    { "sr244100", tables::sr244100, std::size (tables::sr244100), 44100.0, 2.1, 1.722 },
    { "sr248000", tables::sr248000, std::size (tables::sr248000), 48000.0, 2.0, 1.722 },
};

/** Names the case in failure messages. */
void PrintTo (const Response& c, std::ostream* os) { *os << c.name; }

constexpr double pi = 3.14159265358979323846;

std::vector<double> samples (const Response& r) { return std::vector<double> (r.data, r.data + r.length); }

/** Octave band: two passes of a constant-peak-gain band-pass biquad (the
    bilinear-transform resonator of the audio-EQ cookbook), Q = sqrt 2. */
std::vector<double> octaveBand (std::vector<double> x, double rate, double centre)
{
    const double w0 = 2.0 * pi * centre / rate, alpha = std::sin (w0) / (2.0 * std::sqrt (2.0));
    const double a0 = 1.0 + alpha, b0 = alpha / a0, a1 = -2.0 * std::cos (w0) / a0, a2 = (1.0 - alpha) / a0;
    for (int pass = 0; pass < 2; ++pass)
    {
        double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
        for (double& v : x)
        {
            const double y = b0 * v - b0 * x2 - a1 * y1 - a2 * y2;
            x2 = x1;
            x1 = v;
            y2 = y1;
            y1 = y;
            v = y;
        }
    }
    return x;
}

/** Schroeder's backward integration, in dB relative to the total energy. */
std::vector<double> decayCurve (const std::vector<double>& h)
{
    std::vector<double> e (h.size());
    double sum = 0.0;
    for (size_t i = h.size(); i-- > 0;)
    {
        sum += h[i] * h[i];
        e[i] = sum;
    }
    for (double& v : e)
        v = 10.0 * std::log10 (v / sum);
    return e;
}

/** Seconds until the decay curve first reaches the given level. */
double timeTo (const std::vector<double>& curve, double dB, double rate)
{
    for (size_t i = 0; i < curve.size(); ++i)
        if (curve[i] <= dB)
            return (double) i / rate;
    return 1e9;
}

/** Reverberation time from the -5 to -25 dB stretch of the decay curve
    (least-squares line, extrapolated to 60 dB). */
double t20 (const std::vector<double>& h, double rate)
{
    const std::vector<double> curve = decayCurve (h);
    double n = 0, st = 0, sd = 0, stt = 0, std_ = 0;
    for (size_t i = 0; i < curve.size(); ++i)
        if (curve[i] <= -5.0 && curve[i] >= -25.0)
        {
            const double t = (double) i / rate;
            n += 1.0;
            st += t;
            sd += curve[i];
            stt += t * t;
            std_ += t * curve[i];
        }
    return -60.0 / ((n * std_ - st * sd) / (n * stt - st * st));
}

class ReverbImpulse : public testing::TestWithParam<Response>
{
};

TEST_P (ReverbImpulse, PeakOfExactlyOneAtTheDirectSound)
{
    const Response& r = GetParam();
    size_t peak = 0, atFullScale = 0;
    for (size_t i = 0; i < r.length; ++i)
    {
        ASSERT_TRUE (std::isfinite (r.data[i])) << "sample " << i;
        if (std::abs (r.data[i]) > std::abs (r.data[peak]))
            peak = i;
        atFullScale += std::abs (r.data[i]) >= 1.0f ? 1 : 0;
    }
    EXPECT_EQ (r.data[peak], 1.0f);
    EXPECT_EQ (atFullScale, 1u);
    EXPECT_NEAR (1000.0 * (double) peak / r.rate, r.peakMs, 0.2);
}

TEST_P (ReverbImpulse, EnergyDown60dBOnTime)
{
    const Response& r = GetParam();
    EXPECT_NEAR (timeTo (decayCurve (samples (r)), -60.0, r.rate), r.edc60Seconds, 0.05 * r.edc60Seconds);
}

TEST_P (ReverbImpulse, HighsDieAtLeast30PercentFasterThanLows)
{
    const Response& r = GetParam();
    const double at500 = t20 (octaveBand (samples (r), r.rate, 500.0), r.rate);
    const double at8k = t20 (octaveBand (samples (r), r.rate, 8000.0), r.rate);
    EXPECT_LE (at8k, 0.7 * at500);
}

// After the first 100 ms the level, in 50 ms steps, follows one straight line
// in dB down to the last 150 ms before the 60 dB point: no bumps, no
// late echoes, no hole.
TEST_P (ReverbImpulse, DecaysAlongOneStraightLine)
{
    const Response& r = GetParam();
    const size_t step = (size_t) (0.05 * r.rate);
    std::vector<double> t, level;
    for (size_t start = (size_t) (0.1 * r.rate); start + step < (size_t) ((r.edc60Seconds - 0.15) * r.rate); start += step)
    {
        double e = 0.0;
        for (size_t i = start; i < start + step; ++i)
            e += (double) r.data[i] * r.data[i];
        t.push_back ((double) start / r.rate);
        level.push_back (10.0 * std::log10 (e / (double) step));
    }
    const double n = (double) t.size();
    double st = 0, sl = 0, stt = 0, stl = 0;
    for (size_t i = 0; i < t.size(); ++i)
    {
        st += t[i];
        sl += level[i];
        stt += t[i] * t[i];
        stl += t[i] * level[i];
    }
    const double slope = (n * stl - st * sl) / (n * stt - st * st), offset = (sl - slope * st) / n;
    double worst = 0.0;
    for (size_t i = 0; i < t.size(); ++i)
        worst = std::max (worst, std::abs (level[i] - (offset + slope * t[i])));
    EXPECT_LE (worst, 3.0);
}

// Past 200 ms the tail is dense Gaussian-like noise, not a train of clicks
// (kurtosis near 3 once the decay is divided out), and it never repeats
// itself: no lag from 1 to 100 ms correlates, which is what a metallic,
// ringing or fluttering tail would show. The correlation is taken on the
// first difference, which whitens the bass-heavy tail so that chance
// correlations stay small.
TEST_P (ReverbImpulse, DenseTailWithoutRepetition)
{
    const Response& r = GetParam();
    const size_t begin = (size_t) (0.2 * r.rate), end = (size_t) (1.0 * r.rate), block = (size_t) (0.025 * r.rate);
    std::vector<double> flat;
    for (size_t start = begin; start + block <= end; start += block)
    {
        double e = 0.0;
        for (size_t i = start; i < start + block; ++i)
            e += (double) r.data[i] * r.data[i];
        const double rms = std::sqrt (e / (double) block);
        for (size_t i = start; i < start + block; ++i)
            flat.push_back (r.data[i] / rms);
    }
    double m2 = 0.0, m4 = 0.0;
    for (double v : flat)
    {
        m2 += v * v;
        m4 += v * v * v * v;
    }
    const double kurtosis = (m4 / (double) flat.size()) / ((m2 / (double) flat.size()) * (m2 / (double) flat.size()));

    std::vector<double> white (flat.size() - 1);
    for (size_t i = 0; i + 1 < flat.size(); ++i)
        white[i] = flat[i + 1] - flat[i];
    const size_t maxLag = (size_t) (0.1 * r.rate), span = white.size() - maxLag;
    double worst = 0.0;
    size_t worstLag = 0;
    for (size_t lag = (size_t) (0.001 * r.rate); lag <= maxLag; ++lag)
    {
        double c = 0.0, e0 = 0.0, e1 = 0.0;
        for (size_t i = 0; i < span; ++i)
        {
            c += white[i] * white[i + lag];
            e0 += white[i] * white[i];
            e1 += white[i + lag] * white[i + lag];
        }
        const double rho = std::abs (c) / std::sqrt (e0 * e1);
        if (rho > worst)
        {
            worst = rho;
            worstLag = lag;
        }
    }
    EXPECT_LT (kurtosis, 4.0);
    EXPECT_LT (worst, 0.1) << "at a lag of " << 1000.0 * (double) worstLag / r.rate << " ms";
}

INSTANTIATE_TEST_SUITE_P (Tables, ReverbImpulse, testing::ValuesIn (responses),
                          [] (const testing::TestParamInfo<Response>& p) { return std::string (p.param.name); });

// The 44.1 and 48 kHz tables of one response are the same room: the same
// frequency response (band energy times the rate, i.e. the integral of |H|^2
// over the band) and the same decay in every band the reverb plays.
TEST (ReverbImpulsePair, BothRatesCarryTheSameRoom)
{
    const Response pairs[][2] = { { responses[0], responses[1] }, { responses[2], responses[3] } };
    for (const auto& pair : pairs)
        for (double centre : { 250.0, 1000.0, 4000.0 })
        {
            double level[2], decay[2];
            for (int k = 0; k < 2; ++k)
            {
                const std::vector<double> band = octaveBand (samples (pair[k]), pair[k].rate, centre);
                double e = 0.0;
                for (double v : band)
                    e += v * v;
                level[k] = 10.0 * std::log10 (e * pair[k].rate);
                decay[k] = t20 (band, pair[k].rate);
            }
            EXPECT_NEAR (level[1], level[0], 0.5) << pair[0].name << " and " << pair[1].name << ", " << centre << " Hz";
            EXPECT_NEAR (decay[1], decay[0], 0.03 * decay[0]) << pair[0].name << " and " << pair[1].name << ", " << centre << " Hz";
        }
}
} // namespace
