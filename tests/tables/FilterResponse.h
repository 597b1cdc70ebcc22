#pragma once

// Double-precision measurements of second-order-section tables, shared by the
// filter-table tests. Everything here is computed from the coefficients as
// stored, independently of the float cascade that plays them.

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>

namespace filtertest
{
/** The ten frequencies at which the filters were measured. */
inline constexpr std::array<double, 10> listedHz { 50, 100, 200, 500, 1000, 2000, 3000, 5000, 8000, 12000 };

/** Magnitude in dB of nsec sections (rows b0 b1 b2 a0 a1 a2) followed by the
    output gain gain[nsec], at f hertz and sample rate fs. */
inline double magnitudeDb (const float* sos, const float* gain, int nsec, double f, double fs)
{
    const double w = 2.0 * 3.14159265358979323846 * f / fs;
    const std::complex<double> z1 = std::polar (1.0, -w), z2 = z1 * z1;
    std::complex<double> h (gain[nsec], 0.0);
    for (int k = 0; k < nsec; ++k)
    {
        const float* r = sos + 6 * k;
        h *= ((double) r[0] + (double) r[1] * z1 + (double) r[2] * z2)
           / ((double) r[3] + (double) r[4] * z1 + (double) r[5] * z2);
    }
    return 20.0 * std::log10 (std::abs (h));
}

/** Largest root magnitude of 1 + c1 z^-1 + c2 z^-2. */
inline double largestRootRadius (double c1, double c2)
{
    const double disc = c1 * c1 - 4.0 * c2;
    if (disc < 0.0)
        return std::sqrt (c2);
    const double s = std::sqrt (disc);
    return std::max (std::abs (-c1 + s), std::abs (-c1 - s)) * 0.5;
}

/** Largest pole radius over the sections of a cascade. */
inline double maxPoleRadius (const float* sos, int nsec)
{
    double r = 0.0;
    for (int k = 0; k < nsec; ++k)
        r = std::max (r, largestRootRadius (sos[6 * k + 4], sos[6 * k + 5]));
    return r;
}

/** Largest zero radius over the sections of a cascade (b0 = 1). */
inline double maxZeroRadius (const float* sos, int nsec)
{
    double r = 0.0;
    for (int k = 0; k < nsec; ++k)
        r = std::max (r, largestRootRadius (sos[6 * k + 1], sos[6 * k + 2]));
    return r;
}

/** Checks the response between the listed points (1/24-octave grid from
    firstHz to lastHz): never more than 2 dB above the higher and never more
    than 4 dB below the lower of the two neighbouring listed values.
    Returns the worst violation in dB (0 or negative when the rule holds). */
inline double betweenPointsExcess (const float* sos, const float* gain, int nsec, double fs,
                                   const double* targetDb, double firstHz, double lastHz)
{
    double worst = -1e9;
    for (int k = 0;; ++k)
    {
        const double f = firstHz * std::pow (2.0, k / 24.0);
        if (f > lastHz * (1.0 + 1e-12))
            break;
        size_t i = 0;
        while (i + 2 < listedHz.size() && f > listedHz[i + 1])
            ++i;
        const double hi = std::max (targetDb[i], targetDb[i + 1]);
        const double lo = std::min (targetDb[i], targetDb[i + 1]);
        const double h = magnitudeDb (sos, gain, nsec, f, fs);
        worst = std::max ({ worst, h - (hi + 2.0), (lo - 4.0) - h });
    }
    return worst;
}
} // namespace filtertest
