#pragma once

// Independent double-precision references for the DSP tests: plain direct-form
// filters, a direct convolution, a naive DFT and response measurements. None
// of them shares code with the blocks under test.

#include <cmath>
#include <complex>
#include <cstdint>
#include <random>
#include <vector>

namespace ref
{
constexpr double pi = 3.14159265358979323846;

/** Uniform noise in [-amplitude, amplitude) from a fixed seed. */
inline std::vector<float> noise (size_t count, uint32_t seed, float amplitude = 1.0f)
{
    std::mt19937 rng (seed);
    std::uniform_real_distribution<float> dist (-amplitude, amplitude);
    std::vector<float> v (count);
    for (auto& s : v)
        s = dist (rng);
    return v;
}

/** A cascade of biquads in direct form I, evaluated in double precision.
    Rows are b0 b1 b2 a0 a1 a2 (a0 divides through); the cascade is followed
    by one output gain. */
struct BiquadCascade
{
    struct Section
    {
        double b0, b1, b2, a1, a2;
        double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    };

    std::vector<Section> sections;
    double outputGain = 1.0;

    BiquadCascade (const float* rows, int numSections, double gain)
        : outputGain (gain)
    {
        for (int k = 0; k < numSections; ++k)
        {
            const float* r = rows + 6 * k;
            const double a0 = r[3];
            sections.push_back ({ r[0] / a0, r[1] / a0, r[2] / a0, r[4] / a0, r[5] / a0 });
        }
    }

    double process (double x)
    {
        for (auto& s : sections)
        {
            const double y = s.b0 * x + s.b1 * s.x1 + s.b2 * s.x2 - s.a1 * s.y1 - s.a2 * s.y2;
            s.x2 = s.x1;
            s.x1 = x;
            s.y2 = s.y1;
            s.y1 = y;
            x = y;
        }
        return x * outputGain;
    }

    /** Exact frequency response at f / fs, from the coefficients. */
    std::complex<double> response (double normalisedFrequency) const
    {
        const std::complex<double> z1 = std::polar (1.0, -2.0 * pi * normalisedFrequency);
        const std::complex<double> z2 = z1 * z1;
        std::complex<double> h = outputGain;
        for (auto& s : sections)
            h *= (s.b0 + s.b1 * z1 + s.b2 * z2) / (1.0 + s.a1 * z1 + s.a2 * z2);
        return h;
    }
};

/** Direct linear convolution, in double precision, truncated to the input's
    length. */
inline std::vector<double> convolve (const std::vector<float>& x, const std::vector<float>& h)
{
    std::vector<double> y (x.size(), 0.0);
    for (size_t t = 0; t < x.size(); ++t)
    {
        double sum = 0.0;
        const size_t kmax = std::min (h.size() - 1, t);
        for (size_t k = 0; k <= kmax; ++k)
            sum += (double) h[k] * (double) x[t - k];
        y[t] = sum;
    }
    return y;
}

/** Naive DFT X[k] = sum x[j] e^(sign 2 pi i jk / N), in double precision. */
inline std::vector<std::complex<double>> dft (const std::vector<std::complex<double>>& x, int sign)
{
    const size_t n = x.size();
    std::vector<std::complex<double>> out (n);
    for (size_t k = 0; k < n; ++k)
    {
        std::complex<double> sum = 0.0;
        for (size_t j = 0; j < n; ++j)
        {
            // Reduce j k modulo n first, so the angle stays exact for large n.
            const double angle = sign * 2.0 * pi * (double) ((j * k) % n) / (double) n;
            sum += x[j] * std::polar (1.0, angle);
        }
        out[k] = sum;
    }
    return out;
}

/** Magnitude in dB, at f / fs, of a (truncated) impulse response. */
inline double magnitudeDb (const std::vector<float>& impulseResponse, double normalisedFrequency)
{
    std::complex<double> sum = 0.0;
    for (size_t t = 0; t < impulseResponse.size(); ++t)
        sum += (double) impulseResponse[t] * std::polar (1.0, -2.0 * pi * normalisedFrequency * (double) t);
    return 20.0 * std::log10 (std::abs (sum));
}

inline double toDb (double linear) { return 20.0 * std::log10 (linear); }
} // namespace ref
