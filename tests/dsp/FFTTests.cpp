#include "dsp/FFT.h"
#include "Reference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

namespace
{
using cd = std::complex<double>;

struct Workspace
{
    std::vector<int> ip = std::vector<int> (32768, 0);
    std::vector<float> w = std::vector<float> (32768, 0.0f);
};

std::vector<float> interleave (const std::vector<cd>& x)
{
    std::vector<float> a;
    for (auto& v : x)
    {
        a.push_back ((float) v.real());
        a.push_back ((float) v.imag());
    }
    return a;
}

std::vector<cd> randomPoints (size_t n, uint32_t seed)
{
    auto re = ref::noise (n, seed);
    auto im = ref::noise (n, seed + 1000);
    std::vector<cd> x (n);
    for (size_t i = 0; i < n; ++i)
        x[i] = cd ((double) re[i], (double) im[i]);
    return x;
}

/** Largest error at the checked bins, relative to the spectrum's RMS. */
double relativeError (const std::vector<float>& a, const std::vector<cd>& expected, const std::vector<size_t>& bins)
{
    double power = 0.0;
    for (auto& v : expected)
        power += std::norm (v);
    const double rms = std::sqrt (power / (double) expected.size());
    double worst = 0.0;
    for (size_t k : bins)
        worst = std::max (worst, std::abs (cd (a[2 * k], a[2 * k + 1]) - expected[k]) / rms);
    return worst;
}

/** Every bin for small sizes; for large ones a spread of bins including the
    edges, so the naive reference stays cheap. */
std::vector<size_t> binsToCheck (size_t n)
{
    std::vector<size_t> bins;
    if (n <= 1024)
    {
        for (size_t k = 0; k < n; ++k)
            bins.push_back (k);
        return bins;
    }
    for (size_t k : { (size_t) 0, (size_t) 1, (size_t) 2, n / 4, n / 2 - 1, n / 2, n / 2 + 1, n - 1 })
        bins.push_back (k);
    for (size_t k = 3; k < n; k += 997)
        bins.push_back (k);
    return bins;
}

/** The DFT of x, only at the given bins (the others left at zero). */
std::vector<cd> dftAt (const std::vector<cd>& x, int sign, const std::vector<size_t>& bins)
{
    if (x.size() <= 1024)
        return ref::dft (x, sign);
    std::vector<cd> out (x.size());
    const size_t n = x.size();
    for (size_t k : bins)
    {
        cd sum = 0.0;
        for (size_t j = 0; j < n; ++j)
            sum += x[j] * std::polar (1.0, sign * 2.0 * ref::pi * (double) ((j * k) % n) / (double) n);
        out[k] = sum;
    }
    return out;
}

const size_t sizes[] = { 2, 4, 8, 16, 32, 64, 128, 1024, 2048, 16384 };

// Both directions against a naive double-precision DFT; the sizes cover a
// final radix-4 stage (log2 N even) and a final radix-2 stage (odd).
TEST (FFT, MatchesNaiveDftBothDirections)
{
    for (size_t n : sizes)
    {
        const auto x = randomPoints (n, (uint32_t) n);
        const auto bins = binsToCheck (n);
        const double tolerance = 2e-7 * (std::log2 ((double) n) + 1.0) * 4.0;

        Workspace ws;
        auto a = interleave (x);
        cdftForward ((int) (2 * n), a.data(), ws.ip.data(), ws.w.data());
        EXPECT_LT (relativeError (a, dftAt (x, +1, bins), bins), tolerance) << "forward N = " << n;

        auto b = interleave (x);
        invcdft ((int) (2 * n), b.data(), ws.ip.data(), ws.w.data());
        EXPECT_LT (relativeError (b, dftAt (x, -1, bins), bins), tolerance) << "inverse N = " << n;
    }
}

TEST (FFT, ForwardThenInverseGivesNTimesTheInput)
{
    for (size_t n : sizes)
    {
        const auto x = randomPoints (n, 77);
        Workspace ws;
        auto a = interleave (x);
        cdftForward ((int) (2 * n), a.data(), ws.ip.data(), ws.w.data());
        invcdft ((int) (2 * n), a.data(), ws.ip.data(), ws.w.data());
        double worst = 0.0;
        for (size_t k = 0; k < n; ++k)
            worst = std::max (worst, std::abs (cd (a[2 * k], a[2 * k + 1]) / (double) n - x[k]));
        EXPECT_LT (worst, 1e-6 * std::log2 ((double) n + 1.0)) << n;
    }
}

// Unit impulses: at point 0 all ones both ways; at point 1 the forward
// transform is e^(+2 pi i k / N), for N = 4 exactly 1, i, -1, -i.
TEST (FFT, ImpulsesAndSign)
{
    Workspace ws;
    std::vector<float> a { 0, 0, 1, 0, 0, 0, 0, 0 };
    cdftForward (8, a.data(), ws.ip.data(), ws.w.data());
    EXPECT_EQ (a, (std::vector<float> { 1, 0, 0, 1, -1, 0, 0, -1 }));

    for (size_t n : { (size_t) 2, (size_t) 8, (size_t) 512 })
    {
        for (int dir : { +1, -1 })
        {
            std::vector<float> b (2 * n, 0.0f);
            b[0] = 1.0f;
            Workspace w2;
            if (dir > 0)
                cdftForward ((int) (2 * n), b.data(), w2.ip.data(), w2.w.data());
            else
            {
                makeTwiddleTable ((int) (2 * n), w2.ip.data(), w2.w.data());
                invcdft ((int) (2 * n), b.data(), w2.ip.data(), w2.w.data());
            }
            for (size_t k = 0; k < n; ++k)
            {
                EXPECT_EQ (b[2 * k], 1.0f);
                EXPECT_EQ (b[2 * k + 1], 0.0f);
            }
        }
    }
}

// The work tables as the stages read them: ip[0] = N/2, ip[1] = 1, and w
// holding e^(2 pi i m / N) for m < N/4 in bit-reversed order of m.
TEST (FFT, TwiddleTableLayout)
{
    Workspace ws;
    makeTwiddleTable (2 * 64, ws.ip.data(), ws.w.data());
    EXPECT_EQ (ws.ip[0], 32);
    EXPECT_EQ (ws.ip[1], 1);
    for (int c = 0; c < 16; ++c)
    {
        const int m = ((c & 1) << 3) | ((c & 2) << 1) | ((c & 4) >> 1) | ((c & 8) >> 3);
        EXPECT_NEAR (ws.w[(size_t) (2 * c)], std::cos (2.0 * ref::pi * m / 64.0), 1e-7) << c;
        EXPECT_NEAR (ws.w[(size_t) (2 * c + 1)], std::sin (2.0 * ref::pi * m / 64.0), 1e-7) << c;
    }
    EXPECT_EQ (ws.w[2], ws.w[3]); // cos(pi/4) twice
}

// A table built for a large transform serves a smaller one, and the forward
// routine does not rebuild it (ip[0] stays).
TEST (FFT, LargerTableServesSmallerTransforms)
{
    Workspace ws;
    makeTwiddleTable (2 * 16384, ws.ip.data(), ws.w.data());
    for (size_t n : { (size_t) 16, (size_t) 32, (size_t) 256 })
    {
        const auto x = randomPoints (n, 5);
        auto a = interleave (x);
        cdftForward ((int) (2 * n), a.data(), ws.ip.data(), ws.w.data());
        EXPECT_EQ (ws.ip[0], 8192);
        const auto bins = binsToCheck (n);
        EXPECT_LT (relativeError (a, ref::dft (x, +1), bins), 1e-5) << n;
    }
}
} // namespace
