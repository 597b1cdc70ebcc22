// Brindlecrest signal-table generator.
//
// Makes the two valve transfer curves and the two reverb impulse responses
// (each at both base rates) and writes them as little-endian float32 files
// that the tables library embeds with the assembler's .incbin:
//
//     signals DATADIR    writes DATADIR/tube_el34.f32, DATADIR/tube_vm2.f32,
//                        DATADIR/sr144100.f32, DATADIR/sr148000.f32,
//                        DATADIR/sr244100.f32, DATADIR/sr248000.f32
//                        and prints the figures of every table
//
// Run it through tools/tablegen/signals.sh, which writes into tables/data.
//
// Valve curves
//  Monotone interpolation through the measured points after Ramsay (1988):
//  the curve is y0 + the integral of exp(S), with S a natural cubic spline of
//  the log-slope that has a knot at every point. The slope exp(S) is positive
//  everywhere, so the curve is strictly monotonic by construction, and C3.
//  Newton's method finds the knot values of S that make the integral over
//  every interval equal the measured rise, with the slope at zero pinned to
//  the central difference of the two points beside it. S continues straight
//  beyond the end points, so the slope keeps falling there as a saturating
//  valve's does. The table is integrated entry by entry (Gauss-Legendre) and
//  restarted at each point, so the points are met to the float.
//
// Reverb impulse responses
//  Each response is one room, synthesised at 48 kHz and resampled to
//  44.1 kHz, so both rates carry the same response:
//  1. Direct sound: one sample of exactly 1.0 at the arrival time, the peak
//     of the response at either rate.
//  2. Early reflections: image sources of order 1 to 3 in a rectangular
//     room (Allen and Berkley 1979), each a fractionally delayed,
//     band-limited pulse whose level follows 1/r and the reflection factors
//     of the surfaces it met and whose bandwidth narrows with every bounce.
//  3. Diffuse tail: a stochastic reflection sequence whose density grows as
//     4 pi c^3 t^2 / V (the statistical density of reflections in a room of
//     volume V), sparse echoes at first and dense Gaussian noise later, so
//     the early-to-late transition happens by itself; it fades in over the
//     first tens of milliseconds after the direct sound. It is shaped in the
//     short-time Fourier domain (Hann frames, 75 % overlap) by a smooth
//     spectral tilt and a decay whose reverberation time falls with
//     frequency as wall and air absorption make it (air absorption grows
//     with the square of frequency), then high-passed causally.
//  4. The mid-band reverberation time is tuned by bisection until the
//     backward-integrated energy (Schroeder 1965) of the whole response
//     falls by 60 dB at the wanted time; the tail level is set by its
//     energy below 5 kHz relative to the direct sound. A half-cosine fade
//     ends both rates at the same moment, 3 ms before the shorter table ends.
//  5. Resampling to 44.1 kHz with a Kaiser-windowed sinc that keeps the
//     frequency response (not the sample values) the same, so the reverb
//     sounds equally loud at both base rates; the direct sound is put back
//     as one sample of 1.0.
//
// Everything is deterministic: a seeded xoshiro256** generator, fixed
// iteration counts and no threads, so a second run writes the same bytes.

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{
constexpr double pi = 3.14159265358979323846;

//==============================================================================
/** Writes floats as little-endian IEEE single precision. */
bool writeFloats (const std::string& path, const std::vector<float>& values)
{
    FILE* out = std::fopen (path.c_str(), "wb");
    if (out == nullptr)
        return false;
    std::vector<unsigned char> bytes (values.size() * 4);
    for (size_t i = 0; i < values.size(); ++i)
    {
        uint32_t bits;
        static_assert (sizeof (bits) == sizeof (float), "float must be 32 bits");
        std::memcpy (&bits, &values[i], 4);
        for (int b = 0; b < 4; ++b)
            bytes[4 * i + (size_t) b] = (unsigned char) ((bits >> (8 * b)) & 0xffu);
    }
    const bool ok = std::fwrite (bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose (out) == 0 && ok;
}

//==============================================================================
// Valve curves
//==============================================================================
constexpr int valveSize = 65536;
constexpr int valveZero = 32768;

/** A measured point of both curves: table entry and values. */
struct ValvePoint
{
    int entry;
    double el34, vm2;
};

const ValvePoint valvePoints[] = {
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
constexpr int numValvePoints = (int) (sizeof (valvePoints) / sizeof (valvePoints[0]));

double entryToX (double entry) { return entry / 32768.0 - 1.0; }

/** Cubic spline through (x[i], w[i]) with zero second derivative at both
    ends (a natural spline); continued by its end cubics beyond the knots. */
struct NaturalSpline
{
    std::vector<double> x, w, m; // m: second derivatives at the knots

    NaturalSpline (const std::vector<double>& xs, const std::vector<double>& ws) : x (xs), w (ws)
    {
        const size_t n = x.size();
        std::vector<double> sub (n, 0.0), diag (n, 1.0), sup (n, 0.0), rhs (n, 0.0);
        for (size_t i = 1; i + 1 < n; ++i)
        {
            const double h0 = x[i] - x[i - 1], h1 = x[i + 1] - x[i];
            sub[i] = h0;
            diag[i] = 2.0 * (h0 + h1);
            sup[i] = h1;
            rhs[i] = 6.0 * ((w[i + 1] - w[i]) / h1 - (w[i] - w[i - 1]) / h0);
        }
        // Thomas algorithm.
        for (size_t i = 1; i < n; ++i)
        {
            const double f = sub[i] / diag[i - 1];
            diag[i] -= f * sup[i - 1];
            rhs[i] -= f * rhs[i - 1];
        }
        m.assign (n, 0.0);
        m[n - 1] = rhs[n - 1] / diag[n - 1];
        for (size_t i = n - 1; i-- > 0;)
            m[i] = (rhs[i] - sup[i] * m[i + 1]) / diag[i];
    }

    double operator() (double xv) const
    {
        size_t i = 0;
        while (i + 2 < x.size() && xv > x[i + 1])
            ++i;
        const double h = x[i + 1] - x[i];
        const double a = (x[i + 1] - xv) / h, b = (xv - x[i]) / h;
        return a * w[i] + b * w[i + 1] + ((a * a * a - a) * m[i] + (b * b * b - b) * m[i + 1]) * h * h / 6.0;
    }
};

/** Eight-point Gauss-Legendre rule on [a, b]. */
template <typename F>
double integrate (const F& f, double a, double b)
{
    static const double nodes[4] = { 0.1834346424956498, 0.5255324099163290, 0.7966664774136267, 0.9602898564975363 };
    static const double weights[4] = { 0.3626837833783620, 0.3137066458778873, 0.2223810344533745, 0.1012285362903763 };
    const double c = 0.5 * (a + b), r = 0.5 * (b - a);
    double sum = 0.0;
    for (int i = 0; i < 4; ++i)
        sum += weights[i] * (f (c - r * nodes[i]) + f (c + r * nodes[i]));
    return sum * r;
}

/** Integral of exp(S) over [a, b], split into pieces short enough for the rule. */
double integrateExp (const NaturalSpline& s, double a, double b)
{
    const int pieces = std::max (1, (int) std::ceil ((b - a) / 0.01));
    double sum = 0.0;
    for (int p = 0; p < pieces; ++p)
    {
        const double lo = a + (b - a) * p / pieces, hi = a + (b - a) * (p + 1) / pieces;
        sum += integrate ([&s] (double x) { return std::exp (s (x)); }, lo, hi);
    }
    return sum;
}

/** Solves a small dense system by Gaussian elimination with partial pivoting. */
std::vector<double> solve (std::vector<std::vector<double>> a, std::vector<double> b)
{
    const size_t n = b.size();
    for (size_t c = 0; c < n; ++c)
    {
        size_t piv = c;
        for (size_t r = c + 1; r < n; ++r)
            if (std::abs (a[r][c]) > std::abs (a[piv][c]))
                piv = r;
        std::swap (a[c], a[piv]);
        std::swap (b[c], b[piv]);
        for (size_t r = c + 1; r < n; ++r)
        {
            const double f = a[r][c] / a[c][c];
            for (size_t k = c; k < n; ++k)
                a[r][k] -= f * a[c][k];
            b[r] -= f * b[c];
        }
    }
    std::vector<double> x (n);
    for (size_t r = n; r-- > 0;)
    {
        double s = b[r];
        for (size_t k = r + 1; k < n; ++k)
            s -= a[r][k] * x[k];
        x[r] = s / a[r][r];
    }
    return x;
}

struct ValveCurve
{
    std::vector<float> table;
    double newtonResidual = 0.0;
};

/** Builds one curve from the measured values (el34 or vm2 column).

    The curve is written y = y0 + integral of exp(S), S a natural cubic spline
    of the log-slope with a knot at every measured point (monotone
    interpolation after Ramsay 1988): the slope is positive everywhere by
    construction and the curve is C3. The knot values of S are found by
    Newton's method so that the integral over every interval equals the
    measured rise, with the slope at zero pinned to the central difference
    of the two points beside it. */
ValveCurve makeValveCurve (bool el34)
{
    const double sign = el34 ? -1.0 : 1.0; // work on the rising form
    std::vector<double> px, py;
    for (const auto& pt : valvePoints)
    {
        px.push_back (entryToX (pt.entry));
        py.push_back (sign * (el34 ? pt.el34 : pt.vm2));
    }
    const size_t n = px.size();
    size_t zero = 0;
    while (valvePoints[zero].entry != valveZero)
        ++zero;

    // Start: log of the mean of the neighbouring secant slopes.
    std::vector<double> secant (n - 1), w (n);
    for (size_t i = 0; i + 1 < n; ++i)
        secant[i] = (py[i + 1] - py[i]) / (px[i + 1] - px[i]);
    for (size_t i = 0; i < n; ++i)
        w[i] = std::log (i == 0 ? secant[0] : i + 1 == n ? secant[n - 2] : 0.5 * (secant[i - 1] + secant[i]));
    const double slopeAtZero = (py[zero + 1] - py[zero - 1]) / (px[zero + 1] - px[zero - 1]);

    auto residuals = [&] (const std::vector<double>& wv)
    {
        const NaturalSpline s (px, wv);
        std::vector<double> f (n);
        for (size_t i = 0; i + 1 < n; ++i)
            f[i] = integrateExp (s, px[i], px[i + 1]) - (py[i + 1] - py[i]);
        f[n - 1] = wv[zero] - std::log (slopeAtZero);
        return f;
    };

    ValveCurve curve;
    for (int iter = 0; iter < 30; ++iter)
    {
        const std::vector<double> f = residuals (w);
        std::vector<std::vector<double>> jac (n, std::vector<double> (n));
        for (size_t j = 0; j < n; ++j)
        {
            std::vector<double> wp = w;
            wp[j] += 1e-7;
            const std::vector<double> fp = residuals (wp);
            for (size_t i = 0; i < n; ++i)
                jac[i][j] = (fp[i] - f[i]) / 1e-7;
        }
        std::vector<double> minusF (n);
        for (size_t i = 0; i < n; ++i)
            minusF[i] = -f[i];
        const std::vector<double> step = solve (jac, minusF);
        for (size_t i = 0; i < n; ++i)
            w[i] += step[i];
    }
    for (double r : residuals (w))
        curve.newtonResidual = std::max (curve.newtonResidual, std::abs (r));

    // Integrate step by step along the table, restarting at every point.
    const NaturalSpline s (px, w);
    auto slope = [&s] (double x) { return std::exp (s (x)); };
    curve.table.resize (valveSize);
    size_t knot = 0;
    double y = py[0];
    curve.table[0] = (float) (sign * y);
    for (int i = 1; i < valveSize; ++i)
    {
        y += integrate (slope, entryToX (i - 1), entryToX (i));
        if (knot + 1 < n && i == valvePoints[knot + 1].entry)
        {
            ++knot;
            y = py[knot];
        }
        curve.table[(size_t) i] = (float) (sign * y);
    }
    curve.table[valveZero] = 0.0f;
    return curve;
}

/** Prints the figures of a curve and checks its shape; false if it fails. */
bool reportValveCurve (const char* name, const ValveCurve& c, bool el34)
{
    const auto& t = c.table;
    double maxDev = 0.0;
    for (const auto& pt : valvePoints)
        maxDev = std::max (maxDev, std::abs ((double) t[(size_t) pt.entry] - (el34 ? pt.el34 : pt.vm2)));

    bool monotonic = true;
    double minStep = 1e9, d2Min = 1e9, d2Max = -1e9;
    for (int i = 1; i < valveSize; ++i)
    {
        const double step = el34 ? (double) t[(size_t) i - 1] - t[(size_t) i] : (double) t[(size_t) i] - t[(size_t) i - 1];
        monotonic = monotonic && step > 0.0;
        minStep = std::min (minStep, step);
        if (i + 1 < valveSize)
        {
            const double d2 = (double) t[(size_t) i + 1] - 2.0 * t[(size_t) i] + t[(size_t) i - 1];
            d2Min = std::min (d2Min, d2);
            d2Max = std::max (d2Max, d2);
        }
    }
    const double slope0 = ((double) t[valveZero + 1] - t[valveZero - 1]) * 16384.0;
    std::printf ("%s: Newton residual %.3g\n", name, c.newtonResidual);
    std::printf ("    max deviation at the points %.3g, slope at 0 %.5f, min step %.3g, "
                 "second differences %.3g .. %.3g, monotonic %s\n",
                 maxDev, slope0, minStep, d2Min, d2Max, monotonic ? "yes" : "NO");
    return monotonic && maxDev <= 1e-6 && t[valveZero] == 0.0f;
}
//==============================================================================
// Reverb impulse responses
//==============================================================================
constexpr double masterRate = 48000.0;
constexpr double speedOfSound = 343.0;

/** xoshiro256** (Blackman and Vigna 2018), seeded through splitmix64. */
struct Random
{
    uint64_t s[4];

    explicit Random (uint64_t seed)
    {
        for (auto& v : s)
        {
            seed += 0x9e3779b97f4a7c15ull;
            uint64_t z = seed;
            z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
            z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
            v = z ^ (z >> 31);
        }
    }

    static uint64_t rotl (uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

    uint64_t next()
    {
        const uint64_t result = rotl (s[1] * 5, 7) * 9;
        const uint64_t t = s[1] << 17;
        s[2] ^= s[0];
        s[3] ^= s[1];
        s[1] ^= s[2];
        s[0] ^= s[3];
        s[2] ^= t;
        s[3] = rotl (s[3], 45);
        return result;
    }

    /** Uniform in [0, 1). */
    double uniform() { return (double) (next() >> 11) * 0x1.0p-53; }

    /** Standard normal by the Box-Muller transform, redrawn beyond 3 sigma so
        that no single echo of the sparse part can stand out absurdly. */
    double gauss()
    {
        for (;;)
        {
            const double u1 = 1.0 - uniform(), u2 = uniform();
            const double g = std::sqrt (-2.0 * std::log (u1)) * std::cos (2.0 * pi * u2);
            if (std::abs (g) <= 3.0)
                return g;
        }
    }
};

/** In-place iterative radix-2 complex FFT; inverse without 1/N scaling. */
void fft (std::vector<std::complex<double>>& a, bool inverse)
{
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i)
    {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap (a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1)
    {
        const double ang = 2.0 * pi / (double) len * (inverse ? 1.0 : -1.0);
        for (size_t i = 0; i < n; i += len)
            for (size_t k = 0; k < len / 2; ++k)
            {
                const std::complex<double> w (std::cos (ang * (double) k), std::sin (ang * (double) k));
                const std::complex<double> u = a[i + k], v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
            }
    }
}

/** Zeroth-order modified Bessel function of the first kind (power series). */
double besselI0 (double x)
{
    double sum = 1.0, term = 1.0;
    for (int k = 1; k < 60; ++k)
    {
        term *= (x / (2.0 * k)) * (x / (2.0 * k));
        sum += term;
        if (term < 1e-17 * sum)
            break;
    }
    return sum;
}

/** Kaiser window at u in [-1, 1]. */
double kaiser (double u, double beta)
{
    if (std::abs (u) >= 1.0)
        return 0.0;
    return besselI0 (beta * std::sqrt (1.0 - u * u)) / besselI0 (beta);
}

double sinc (double x) { return x == 0.0 ? 1.0 : std::sin (pi * x) / (pi * x); }

/** Adds a band-limited pulse of unit DC gain times a at fractional sample
    position pos: a Kaiser-windowed sinc with the given cut-off. */
void addPulse (std::vector<double>& h, double pos, double a, double cutoffHz, double fs)
{
    constexpr int halfWidth = 24;
    const double fcNorm = cutoffHz / fs;
    const long centre = std::lround (pos);
    for (long n = centre - halfWidth; n <= centre + halfWidth; ++n)
        if (n >= 0 && n < (long) h.size())
        {
            const double d = (double) n - pos;
            h[(size_t) n] += a * 2.0 * fcNorm * sinc (2.0 * fcNorm * d) * kaiser (d / (halfWidth + 1), 7.0);
        }
}

/** Everything that defines one room. */
struct RoomDesign
{
    const char* name44;
    const char* name48;
    int length44, length48;
    double directSeconds;       // arrival of the direct sound
    double edc60Seconds;        // the backward-integrated energy is down 60 dB here
    double dims[3];             // room size (m), x y z, z up
    double source[3];           // loudspeaker position (m)
    double towardsMic[3];       // direction from loudspeaker to microphone
    double reflection[6];       // amplitude reflection factors: x=0, x=Lx, y=0, y=Ly, floor, ceiling
    double bounceBandwidth[6];  // bandwidth (Hz) of one bounce off each surface
    int maxOrder;               // highest order of the image sources
    double tailToDirectDb;      // tail energy below 5 kHz relative to the direct sound
    double rampSeconds;         // fade-in of the diffuse tail after the direct sound
    double t60Ratio8k;          // reverberation time at 8 kHz over that at 500 Hz
    double bassLift;            // relative lengthening of the reverberation time in the bass
    double colourHighHz;        // the tail's initial spectrum falls by 3 dB/octave above this
    double colourLowHz;         // and by 12 dB/octave below this
    uint64_t seed;
};

/** Response 1: a medium hall (14 x 11 x 6.5 m) heard from 4.6 m. */
const RoomDesign hall {
    "sr144100", "sr148000", 63932, 69584,
    0.0134, 1.296,
    { 14.0, 11.0, 6.5 }, { 4.3, 4.1, 0.55 }, { 0.93, 0.25, 0.17 },
    { 0.87, 0.84, 0.88, 0.85, 0.70, 0.80 },
    { 13000.0, 11000.0, 12000.0, 10000.0, 6000.0, 9000.0 },
    2, 14.0, 0.050, 0.45, 0.15, 4000.0, 70.0,
    0x5eed0001a11ull
};

/** Response 2: a live room with hard walls (8 x 6 x 3.5 m), the amplifier
    near the back wall and heard from 0.7 m. */
const RoomDesign liveRoom {
    "sr244100", "sr248000", 82778, 90596,
    0.00205, 1.722,
    { 8.0, 6.0, 3.5 }, { 0.6, 2.4, 0.5 }, { 0.9, 0.3, 0.3 },
    { 0.90, 0.95, 0.94, 0.93, 0.88, 0.92 },
    { 14000.0, 15000.0, 15000.0, 13000.0, 8000.0, 11000.0 },
    3, 12.0, 0.025, 0.5, 0.12, 6000.0, 70.0,
    0x5eed0002b0bull
};

double roomVolume (const RoomDesign& d) { return d.dims[0] * d.dims[1] * d.dims[2]; }

/** Reverberation time at frequency f relative to the mid-band time: wall
    absorption with a little more bass, plus air absorption growing with the
    square of frequency, set to give t60Ratio8k at 8 kHz against 500 Hz. */
double relativeT60 (const RoomDesign& d, double f)
{
    auto wall = [&d] (double fv) { return 1.0 - d.bassLift / (1.0 + (fv / 250.0) * (fv / 250.0)); };
    const double r = d.t60Ratio8k;
    const double air = (wall (500.0) - r * wall (8000.0)) / (r - 1.0 / 256.0);
    return 1.0 / (wall (f) + air * (f / 8000.0) * (f / 8000.0));
}

/** Amplitude of the tail's initial spectrum above the bass: it falls by
    3 dB per octave above colourHighHz. */
double tailColour (const RoomDesign& d, double f)
{
    const double hi = (f / d.colourHighHz) * (f / d.colourHighHz);
    return 1.0 / std::pow (1.0 + hi, 0.25);
}

/** Second-order Butterworth high-pass (bilinear transform), run causally in
    place: it takes the rumble out of the tail without smearing any echo
    backwards in time. */
void highPass (std::vector<double>& x, double cutoffHz, double fs)
{
    const double k = std::tan (pi * cutoffHz / fs), q = 1.0 / std::sqrt (2.0);
    const double norm = 1.0 / (1.0 + k / q + k * k);
    const double b0 = norm, b1 = -2.0 * norm, b2 = norm;
    const double a1 = 2.0 * (k * k - 1.0) * norm, a2 = (1.0 - k / q + k * k) * norm;
    double s1 = 0.0, s2 = 0.0;
    for (double& v : x)
    {
        const double in = v, out = b0 * in + s1;
        s1 = b1 * in - a1 * out + s2;
        s2 = b2 * in - a2 * out;
        v = out;
    }
}

/** Image sources up to the room's highest order (Allen and Berkley 1979),
    rendered at 48 kHz without the direct sound itself. */
std::vector<double> earlyReflections (const RoomDesign& d, size_t length, int& count)
{
    const double directDistance = speedOfSound * d.directSeconds;
    double dirLength = 0.0;
    for (double v : d.towardsMic)
        dirLength += v * v;
    dirLength = std::sqrt (dirLength);
    double mic[3];
    for (int a = 0; a < 3; ++a)
        mic[a] = d.source[a] + d.towardsMic[a] / dirLength * directDistance;

    std::vector<double> h (length, 0.0);
    count = 0;
    const double directPos = std::round (d.directSeconds * masterRate);
    const int reach = d.maxOrder;
    for (int ux = 0; ux < 2; ++ux)
        for (int lx = -reach; lx <= reach; ++lx)
            for (int uy = 0; uy < 2; ++uy)
                for (int ly = -reach; ly <= reach; ++ly)
                    for (int uz = 0; uz < 2; ++uz)
                        for (int lz = -reach; lz <= reach; ++lz)
                        {
                            const int u[3] = { ux, uy, uz }, l[3] = { lx, ly, lz };
                            int bounces = 0;
                            double gain = 1.0, invBw2 = 1.0 / (20000.0 * 20000.0), dist2 = 0.0;
                            for (int a = 0; a < 3; ++a)
                            {
                                const int nearWall = std::abs (l[a] - u[a]), farWall = std::abs (l[a]);
                                bounces += nearWall + farWall;
                                gain *= std::pow (d.reflection[2 * a], nearWall) * std::pow (d.reflection[2 * a + 1], farWall);
                                invBw2 += nearWall / (d.bounceBandwidth[2 * a] * d.bounceBandwidth[2 * a])
                                          + farWall / (d.bounceBandwidth[2 * a + 1] * d.bounceBandwidth[2 * a + 1]);
                                const double image = (1 - 2 * u[a]) * d.source[a] + 2.0 * l[a] * d.dims[a];
                                dist2 += (image - mic[a]) * (image - mic[a]);
                            }
                            if (bounces < 1 || bounces > d.maxOrder)
                                continue;
                            const double dist = std::sqrt (dist2);
                            const double pos = directPos + (dist - directDistance) / speedOfSound * masterRate;
                            addPulse (h, pos, gain * directDistance / dist, 1.0 / std::sqrt (invBw2), masterRate);
                            ++count;
                        }
    return h;
}

/** The stochastic reflection sequence: one echo per sample with probability
    p = 4 pi c^3 t^2 / V / fs (at least 1/32, at most 1), of Gaussian size
    scaled by 1/sqrt(p) so the energy per second stays constant, faded in
    after the direct sound. The lower bound on p keeps the sparse start from
    throwing single echoes louder than the early reflections. */
std::vector<double> reflectionSequence (const RoomDesign& d, size_t length)
{
    Random rng (d.seed);
    std::vector<double> s (length, 0.0);
    const double densityScale = 4.0 * pi * std::pow (speedOfSound, 3.0) / roomVolume (d);
    const size_t first = (size_t) std::round (d.directSeconds * masterRate) + 1;
    for (size_t n = first; n < length; ++n)
    {
        const double t = (double) n / masterRate;
        const double p = std::clamp (densityScale * t * t / masterRate, 1.0 / 32.0, 1.0);
        const double draw = rng.uniform();
        const double g = rng.gauss();
        if (draw < p)
        {
            const double since = t - d.directSeconds;
            const double ramp = since >= d.rampSeconds ? 1.0 : std::pow (std::sin (0.5 * pi * since / d.rampSeconds), 2.0);
            s[n] = ramp * g / std::sqrt (p);
        }
    }
    return s;
}

/** Shapes the sequence in the short-time Fourier domain: Hann frames of 512
    samples at a hop of 128 (the windows sum to a constant), zero-padded to
    1024 so that the short shaping kernel never wraps round; each frame is
    multiplied by the tail colour and the decay exp(-3 ln 10 t / T60(f)) at
    its centre time and added back whole. Then the bass is cut below
    colourLowHz. */
std::vector<double> shapeTail (const RoomDesign& d, const std::vector<double>& s, double t60Mid)
{
    constexpr int frame = 512, hop = 128, size = 1024;
    std::vector<double> window (frame);
    for (int j = 0; j < frame; ++j)
        window[(size_t) j] = 0.25 - 0.25 * std::cos (2.0 * pi * j / frame);

    std::vector<double> rate (size / 2 + 1), colour (size / 2 + 1);
    for (int k = 0; k <= size / 2; ++k)
    {
        const double f = masterRate * k / size;
        rate[(size_t) k] = 3.0 * std::log (10.0) / (t60Mid * relativeT60 (d, f));
        colour[(size_t) k] = tailColour (d, f);
    }

    const long length = (long) s.size();
    std::vector<double> out (s.size(), 0.0);
    std::vector<std::complex<double>> buf (size);
    for (long start = -frame + hop; start < length; start += hop)
    {
        std::fill (buf.begin(), buf.end(), 0.0);
        for (int j = 0; j < frame; ++j)
        {
            const long n = start + j;
            if (n >= 0 && n < length)
                buf[(size_t) j] = s[(size_t) n] * window[(size_t) j];
        }
        fft (buf, false);
        const double since = std::max (0.0, (start + frame / 2) / masterRate - d.directSeconds);
        for (int k = 0; k <= size / 2; ++k)
        {
            const double g = colour[(size_t) k] * std::exp (-rate[(size_t) k] * since);
            buf[(size_t) k] *= g;
            if (k > 0 && k < size / 2)
                buf[(size_t) (size - k)] *= g;
        }
        fft (buf, true);
        // The zero-phase kernel spreads the frame a little both ways: the
        // last quarter of the buffer holds what falls before its start.
        for (int j = 0; j < size; ++j)
        {
            const long n = start + (j < size - size / 4 ? j : j - size);
            if (n >= 0 && n < length)
                out[(size_t) n] += buf[(size_t) j].real() / size;
        }
    }
    highPass (out, d.colourLowHz, masterRate);
    return out;
}

/** Energy of h between 0 Hz and 5 kHz (Parseval over a zero-padded FFT). */
double energyBelow5k (const std::vector<double>& h)
{
    size_t n = 1;
    while (n < h.size())
        n <<= 1;
    std::vector<std::complex<double>> buf (n, 0.0);
    for (size_t i = 0; i < h.size(); ++i)
        buf[i] = h[i];
    fft (buf, false);
    const size_t top = (size_t) std::floor (5000.0 / masterRate * (double) n);
    double e = std::norm (buf[0]);
    for (size_t k = 1; k <= top; ++k)
        e += 2.0 * std::norm (buf[k]);
    return e / (double) n;
}

/** Time (s) at which the backward-integrated energy is down by dB decibels,
    interpolated between samples; -1 if it never gets there. */
double edcCrossing (const std::vector<double>& h, double fs, double dB)
{
    std::vector<double> tail (h.size() + 1, 0.0);
    for (size_t i = h.size(); i-- > 0;)
        tail[i] = tail[i + 1] + h[i] * h[i];
    const double level = tail[0] * std::pow (10.0, -dB / 10.0);
    for (size_t i = 1; i < h.size(); ++i)
        if (tail[i] <= level)
        {
            const double a = 10.0 * std::log10 (tail[i - 1] / tail[0]), b = 10.0 * std::log10 (tail[i] / tail[0]);
            return ((double) i - 1.0 + (-dB - a) / (b - a)) / fs;
        }
    return -1.0;
}

/** Half-cosine fade to zero ending at endSeconds. */
void fadeOut (std::vector<double>& h, double endSeconds, double fadeSeconds)
{
    for (size_t n = 0; n < h.size(); ++n)
    {
        const double t = (double) n / masterRate;
        if (t >= endSeconds)
            h[n] = 0.0;
        else if (t > endSeconds - fadeSeconds)
            h[n] *= 0.5 + 0.5 * std::cos (pi * (t - (endSeconds - fadeSeconds)) / fadeSeconds);
    }
}

/** Resamples 48 kHz to 44.1 kHz (ratio 147/160) with a Kaiser-windowed sinc
    cut off at 20 kHz, scaled by 48000/44100 so that the frequency response,
    not the sample values, is kept. */
std::vector<double> resampleTo44k (const std::vector<double>& x, size_t outLength)
{
    constexpr int up = 147, down = 160, halfWidth = 96;
    constexpr double beta = 9.0, cutoff = 20000.0;
    const double fcNorm = cutoff / masterRate;
    std::vector<double> kernel ((size_t) up * (2 * halfWidth + 1));
    for (int phase = 0; phase < up; ++phase)
        for (int j = -halfWidth; j <= halfWidth; ++j)
        {
            const double d = (double) j - (double) phase / up; // input position minus output position
            kernel[(size_t) phase * (2 * halfWidth + 1) + (size_t) (j + halfWidth)]
                = (double) down / up * 2.0 * fcNorm * sinc (2.0 * fcNorm * d) * kaiser (d / (halfWidth + 1), beta);
        }
    std::vector<double> y (outLength, 0.0);
    for (size_t m = 0; m < outLength; ++m)
    {
        const long base = (long) (m * down / up);
        const int phase = (int) (m * down % up);
        double acc = 0.0;
        for (int j = -halfWidth; j <= halfWidth; ++j)
        {
            const long n = base + j;
            if (n >= 0 && n < (long) x.size())
                acc += x[(size_t) n] * kernel[(size_t) phase * (2 * halfWidth + 1) + (size_t) (j + halfWidth)];
        }
        y[m] = acc;
    }
    return y;
}

struct Reverb
{
    std::vector<float> at44, at48;
    double t60Mid = 0.0;
    int reflections = 0;
};

/** The 48 kHz response for a given mid-band reverberation time, without the
    direct sound. */
std::vector<double> synthesise (const RoomDesign& d, const std::vector<double>& sequence,
                                const std::vector<double>& early, double t60Mid, double endSeconds)
{
    std::vector<double> tail = shapeTail (d, sequence, t60Mid);
    // The direct sound is a single unit sample, so its energy below 5 kHz is
    // the fraction of the band.
    const double directEnergy = 5000.0 / (0.5 * masterRate);
    const double gain = std::sqrt (directEnergy * std::pow (10.0, d.tailToDirectDb / 10.0) / energyBelow5k (tail));
    std::vector<double> h (tail.size());
    for (size_t n = 0; n < h.size(); ++n)
        h[n] = gain * tail[n] + early[n];
    fadeOut (h, endSeconds, 0.08);
    return h;
}

Reverb makeReverb (const RoomDesign& d)
{
    const size_t length = (size_t) d.length48;
    const double endSeconds = std::min ((double) d.length44 / 44100.0, (double) d.length48 / masterRate) - 0.003;
    const size_t direct48 = (size_t) std::lround (d.directSeconds * masterRate);
    const size_t direct44 = (size_t) std::lround (d.directSeconds * 44100.0);

    Reverb r;
    const std::vector<double> sequence = reflectionSequence (d, length);
    const std::vector<double> early = earlyReflections (d, length, r.reflections);

    // Bisection on the mid-band time until the whole response's energy
    // decay reaches -60 dB at the wanted time.
    double lo = 0.5 * d.edc60Seconds, hi = 2.0 * d.edc60Seconds;
    std::vector<double> h;
    for (int iter = 0; iter < 40; ++iter)
    {
        r.t60Mid = 0.5 * (lo + hi);
        h = synthesise (d, sequence, early, r.t60Mid, endSeconds);
        h[direct48] += 1.0;
        const double t = edcCrossing (h, masterRate, 60.0);
        h[direct48] -= 1.0;
        if (t < 0.0 || t > d.edc60Seconds)
            hi = r.t60Mid;
        else
            lo = r.t60Mid;
    }

    const std::vector<double> h44 = resampleTo44k (h, (size_t) d.length44);
    r.at48.resize (length);
    r.at44.resize ((size_t) d.length44);
    for (size_t n = 0; n < length; ++n)
        r.at48[n] = (float) h[n];
    for (size_t n = 0; n < h44.size(); ++n)
        r.at44[n] = (float) h44[n];
    r.at48[direct48] = 1.0f;
    r.at44[direct44] = 1.0f;
    return r;
}

//==============================================================================
// Figures of a finished response, measured on the float tables.

/** Octave band-pass: two cascaded constant-peak-gain biquads (bilinear
    transform), run in double precision. */
std::vector<double> octaveBand (const std::vector<float>& x, double fs, double f0)
{
    const double w0 = 2.0 * pi * f0 / fs, q = std::sqrt (2.0);
    const double alpha = std::sin (w0) / (2.0 * q), a0 = 1.0 + alpha;
    const double b0 = alpha / a0, b2 = -alpha / a0, a1 = -2.0 * std::cos (w0) / a0, a2 = (1.0 - alpha) / a0;
    std::vector<double> y (x.begin(), x.end());
    for (int pass = 0; pass < 2; ++pass)
    {
        double s1 = 0.0, s2 = 0.0;
        for (double& v : y)
        {
            const double in = v, out = b0 * in + s1;
            s1 = -a1 * out + s2;
            s2 = b2 * in - a2 * out;
            v = out;
        }
    }
    return y;
}

/** Reverberation time from the -5 to -25 dB part of the backward-integrated
    energy (a least-squares line, extrapolated to 60 dB). */
double t20 (const std::vector<double>& h, double fs)
{
    std::vector<double> tail (h.size() + 1, 0.0);
    for (size_t i = h.size(); i-- > 0;)
        tail[i] = tail[i + 1] + h[i] * h[i];
    double sx = 0, sy = 0, sxx = 0, sxy = 0, cnt = 0;
    for (size_t i = 0; i < h.size(); ++i)
    {
        const double db = 10.0 * std::log10 (tail[i] / tail[0]);
        if (db <= -5.0 && db >= -25.0)
        {
            const double t = (double) i / fs;
            sx += t;
            sy += db;
            sxx += t * t;
            sxy += t * db;
            cnt += 1.0;
        }
    }
    const double slope = (cnt * sxy - sx * sy) / (cnt * sxx - sx * sx);
    return -60.0 / slope;
}

double bandEnergyDb (const std::vector<float>& h, double fs, double f0)
{
    double e = 0.0;
    for (double v : octaveBand (h, fs, f0))
        e += v * v;
    return 10.0 * std::log10 (e * fs); // the integral of |H|^2 over the band, comparable across rates
}

void reportReverb (const char* name, const std::vector<float>& h, double fs)
{
    size_t peak = 0;
    double second = 0.0;
    for (size_t n = 0; n < h.size(); ++n)
        if (std::abs (h[n]) > std::abs (h[peak]))
            peak = n;
    for (size_t n = 0; n < h.size(); ++n)
        if (n != peak)
            second = std::max (second, (double) std::abs (h[n]));
    std::vector<double> hd (h.begin(), h.end());
    std::printf ("%s: %zu samples, peak %.3f at %.3f ms, next largest %.3f, energy -60 dB at %.4f s, "
                 "T20 500 Hz %.3f s, 8 kHz %.3f s (ratio %.2f)\n",
                 name, h.size(), (double) h[peak], 1000.0 * (double) peak / fs, second, edcCrossing (hd, fs, 60.0),
                 t20 (octaveBand (h, fs, 500.0), fs), t20 (octaveBand (h, fs, 8000.0), fs),
                 t20 (octaveBand (h, fs, 8000.0), fs) / t20 (octaveBand (h, fs, 500.0), fs));
    std::printf ("    T20 by octave:");
    for (double f : { 125.0, 250.0, 500.0, 1000.0, 2000.0, 4000.0, 8000.0, 16000.0 })
        std::printf (" %g Hz %.2f s", f, t20 (octaveBand (h, fs, f), fs));
    std::printf ("\n");
}

bool reportReverbPair (const RoomDesign& d, const Reverb& r)
{
    std::printf ("%s/%s: mid-band T60 %.4f s, %d early reflections\n", d.name44, d.name48, r.t60Mid, r.reflections);
    reportReverb (d.name44, r.at44, 44100.0);
    reportReverb (d.name48, r.at48, masterRate);
    for (double f : { 250.0, 1000.0, 4000.0 })
        std::printf ("    48 kHz against 44.1 kHz, frequency response in the %g Hz octave: %+.2f dB\n", f,
                     bandEnergyDb (r.at48, 48000.0, f) - bandEnergyDb (r.at44, 44100.0, f));
    double rms44 = 0.0, rms48 = 0.0;
    for (size_t n = (size_t) (0.1 * 44100); n < (size_t) (0.5 * 44100); ++n)
        rms44 += (double) r.at44[n] * r.at44[n];
    for (size_t n = (size_t) (0.1 * 48000); n < (size_t) (0.5 * 48000); ++n)
        rms48 += (double) r.at48[n] * r.at48[n];
    std::printf ("    48 kHz against 44.1 kHz, sample level from 0.1 to 0.5 s: %+.2f dB\n",
                 10.0 * std::log10 ((rms48 / 19200.0) / (rms44 / 17640.0)));

    // The direct sound must be the one peak of exactly 1.0.
    for (const auto* t : { &r.at44, &r.at48 })
    {
        int peaks = 0;
        for (float v : *t)
            peaks += std::abs (v) >= 1.0f ? 1 : 0;
        if (peaks != 1)
            return false;
    }
    return true;
}
} // namespace

int main (int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf (stderr, "usage: signals DATADIR\n");
        return 2;
    }
    const std::string outDir = argv[1];
    bool ok = true;

    const ValveCurve el34 = makeValveCurve (true);
    const ValveCurve vm2 = makeValveCurve (false);
    ok = reportValveCurve ("tube_el34", el34, true) && ok;
    ok = reportValveCurve ("tube_vm2", vm2, false) && ok;
    ok = writeFloats (outDir + "/tube_el34.f32", el34.table) && ok;
    ok = writeFloats (outDir + "/tube_vm2.f32", vm2.table) && ok;

    for (const RoomDesign* d : { &hall, &liveRoom })
    {
        const Reverb r = makeReverb (*d);
        ok = reportReverbPair (*d, r) && ok;
        ok = writeFloats (outDir + "/" + d->name44 + ".f32", r.at44) && ok;
        ok = writeFloats (outDir + "/" + d->name48 + ".f32", r.at48) && ok;
    }

    if (! ok)
    {
        std::fprintf (stderr, "signals: a table failed its checks\n");
        return 1;
    }
    return 0;
}
