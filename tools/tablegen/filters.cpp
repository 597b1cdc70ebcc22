// Brindlecrest filter-table generator.
//
// Designs the twelve loudspeaker models and the four preamplifier path filters
// at both base rates as cascades of 25 second-order sections, and writes them
// as C++ sources for the tables library:
//
//     filters OUTDIR     writes OUTDIR/speaker_models.cpp and
//                        OUTDIR/preamp_filters.cpp and prints the figures
//
// Method
//  1. Target: the measured magnitudes (dB at ten frequencies) are joined by a
//     shape-preserving monotone cubic (Fritsch-Carlson PCHIP) of dB over
//     log2 f, so the curve never overshoots between two measured points.
//     Loudspeakers get a second-order high-pass skirt below 50 Hz and keep
//     falling above 12 kHz; the preamplifier filters are held flat outside
//     the measured band.
//  2. Fit: each section is a conjugate zero pair and a conjugate pole pair in
//     polar form; radius and angle go through logistic maps so that every
//     pole stays inside a radius cap and every zero inside the unit circle
//     (minimum phase by construction). The log-magnitude error on a
//     1/48-octave grid is minimised by Levenberg-Marquardt with analytic
//     derivatives (Marquardt 1963 diagonal scaling). A penalty on
//     -ln(1 - r) of every pole pair keeps poles away from the unit circle
//     unless the response needs them there, which keeps the float
//     arithmetic quiet.
//  3. Realisation: rows 1 b1 b2 1 a1 a2, all scaling in the output gain. Each
//     pole pair is paired with its nearest zero pair, sections are ordered by
//     increasing pole radius, and the float cascade (the exact arithmetic of
//     the amplifier's Sos) is run on white noise against a double-precision
//     run of the same coefficients to measure the signal-to-error ratio and
//     the idle tail after the input stops.
//
// Everything is deterministic: fixed starting points, fixed iteration
// counts, a seeded noise generator and no threads, so a second run writes
// the same bytes.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace
{
constexpr int numSections = 25;
constexpr int numParams = 4 * numSections + 1;
constexpr double pi = 3.14159265358979323846;
constexpr double dbPerNeper = 10.0 / 2.302585092994045684; // 10 / ln 10

const std::array<double, 10> listedHz { 50, 100, 200, 500, 1000, 2000, 3000, 5000, 8000, 12000 };

// Measured magnitudes (dB) of the twelve loudspeaker models.
const double speakerDb[12][10] = {
    { -1.9, -2.2, -3.1, -4.8, -7.1, -3.9, -7.1, -10.4, -21.9, -38.9 },
    { -4.1, -4.0, -3.5, -3.4, -7.8, -8.6, -11.3, -10.0, -34.9, -36.0 },
    { -4.6, -4.1, -3.0, -5.5, -4.7, -3.5, -6.1, -9.5, -40.4, -40.2 },
    { -3.1, -3.0, -3.1, -4.3, -6.9, -6.8, -8.2, -8.7, -25.9, -31.2 },
    { -4.7, -4.1, -2.7, -4.5, -7.2, -8.6, -10.5, -10.4, -31.8, -31.0 },
    { -4.3, -3.7, -2.3, -5.1, -7.3, -8.6, -9.4, -9.7, -33.6, -38.9 },
    { -4.8, -4.4, -3.5, -3.3, -7.7, -4.6, -7.5, -18.0, -28.8, -65.0 },
    { -4.1, -3.7, -2.8, -4.1, -8.4, -10.5, -4.5, -12.3, -28.5, -51.3 },
    { -2.7, -2.5, -2.2, -5.5, -8.0, -8.8, -6.3, -7.2, -40.6, -25.7 },
    { -1.0, -1.0, -1.4, -6.7, -10.1, -10.3, -9.6, -15.9, -28.5, -34.0 },
    { -1.8, -1.5, -1.5, -6.0, -7.8, -7.0, -9.7, -7.1, -27.1, -42.4 },
    { -1.6, -1.8, -2.4, -6.6, -6.0, -3.4, -4.2, -10.8, -24.6, -39.2 },
};

// Measured magnitudes (dB) of the preamplifier path filters.
const char* const preampNames[4] = { "noMidBody", "MidBody", "noMidDetail", "MidDetail" };
const double preampDb[4][10] = {
    { -1.7, -2.6, -6.1, -17.6, -35.7, -18.0, -12.8, -9.2, -7.6, -7.4 },
    { -0.6, -0.5, -0.8, -3.8, -5.6, -6.9, -8.7, -11.6, -11.6, -10.8 },
    { -18.9, -18.3, -18.0, -16.7, -12.7, -6.5, -3.5, -1.0, -0.0, -0.3 },
    { -18.3, -16.8, -15.7, -14.6, -11.3, -6.1, -3.5, -1.2, -0.1, -0.1 },
};

//==============================================================================
/** Monotone piecewise cubic through (x[i], y[i]) with the interior slopes of
    Fritsch and Carlson (1980, weighted harmonic mean; zero at a local
    extremum) and flat ends, so the curve never overshoots its points. */
struct Pchip
{
    std::vector<double> x, y, d;

    Pchip (std::vector<double> xs, std::vector<double> ys) : x (std::move (xs)), y (std::move (ys))
    {
        const size_t n = x.size();
        std::vector<double> h (n - 1), delta (n - 1);
        for (size_t i = 0; i + 1 < n; ++i)
        {
            h[i] = x[i + 1] - x[i];
            delta[i] = (y[i + 1] - y[i]) / h[i];
        }
        d.assign (n, 0.0);
        for (size_t i = 1; i + 1 < n; ++i)
        {
            if (delta[i - 1] * delta[i] > 0.0)
            {
                const double w1 = 2.0 * h[i] + h[i - 1];
                const double w2 = h[i] + 2.0 * h[i - 1];
                d[i] = (w1 + w2) / (w1 / delta[i - 1] + w2 / delta[i]);
            }
        }
    }

    /** Value at xv, clamped to the end values outside the points. */
    double operator() (double xv) const
    {
        const size_t n = x.size();
        if (xv <= x[0])
            return y[0];
        if (xv >= x[n - 1])
            return y[n - 1];
        size_t i = 0;
        while (xv > x[i + 1])
            ++i;
        const double hh = x[i + 1] - x[i];
        const double t = (xv - x[i]) / hh;
        const double t2 = t * t, t3 = t2 * t;
        return (2 * t3 - 3 * t2 + 1) * y[i] + (t3 - 2 * t2 + t) * hh * d[i]
             + (-2 * t3 + 3 * t2) * y[i + 1] + (t3 - t2) * hh * d[i + 1];
    }
};

/** A design target: magnitude in dB as a function of frequency. */
struct Target
{
    bool speaker = true;
    std::array<double, 10> db {};
    double bumpDb = 0.0;     // raised-cosine lift between two listed points
    int bumpInterval = -1;   // lifted interval (listed index i to i + 1)

    double operator() (double f) const
    {
        std::vector<double> xs, ys;
        for (size_t i = 0; i < listedHz.size(); ++i)
        {
            xs.push_back (std::log2 (listedHz[i]));
            ys.push_back (db[i]);
        }
        // Flat at both ends of the measured band; the skirts come below.
        const Pchip curve (xs, ys);
        const double lf = std::log2 (f);
        double v = curve (lf);

        if (bumpInterval >= 0)
        {
            const double a = xs[(size_t) bumpInterval], b = xs[(size_t) bumpInterval + 1];
            if (lf > a && lf < b)
                v += bumpDb * 0.5 * (1.0 - std::cos (2.0 * pi * (lf - a) / (b - a)));
        }

        if (speaker)
        {
            if (f < listedHz.front())
            {
                // Closed-box style second-order high-pass skirt, corner 38 Hz.
                auto hp = [] (double fr) { const double r = 38.0 / fr; return -10.0 * std::log10 (1.0 + r * r * r * r); };
                v += hp (f) - hp (listedHz.front());
            }
            if (f > listedHz.back())
                v -= 24.0 * (lf - xs.back()); // cone break-up region keeps falling
        }
        return v;
    }
};

/** Lifts a loudspeaker target whose measured maximum lies below -2.7 dB, so
    that the normalised response peaks between 0 and -3 dB: a smooth bump is
    placed between the two adjacent measured points with the highest mean. */
Target makeSpeakerTarget (int model)
{
    Target t;
    t.speaker = true;
    std::copy (std::begin (speakerDb[model]), std::end (speakerDb[model]), t.db.begin());
    const double top = *std::max_element (t.db.begin(), t.db.begin() + 8);
    if (top < -2.7)
    {
        int best = 0;
        double bestMean = -1e9;
        for (int i = 0; i < 7; ++i)
        {
            const double m = 0.5 * (t.db[(size_t) i] + t.db[(size_t) i + 1]);
            if (m > bestMean)
            {
                bestMean = m;
                best = i;
            }
        }
        t.bumpInterval = best;
        // Lift the interval centre to -2.4 dB.
        const double fc = std::sqrt (listedHz[(size_t) best] * listedHz[(size_t) best + 1]);
        t.bumpDb = -2.4 - t (fc);
    }
    return t;
}

Target makePreampTarget (int index)
{
    Target t;
    t.speaker = false;
    std::copy (std::begin (preampDb[index]), std::end (preampDb[index]), t.db.begin());
    return t;
}

//==============================================================================
double logistic (double u) { return 1.0 / (1.0 + std::exp (-u)); }
double logit (double p) { return std::log (p / (1.0 - p)); }

/** Radius caps: poles keep a margin to the unit circle, zeros stay strictly
    inside it. */
constexpr double poleRadiusCap = 0.9990;
constexpr double zeroRadiusCap = 0.9995;

/** One design: per section zero radius, zero angle, pole radius, pole angle
    (through their logistic maps), then the gain in dB. */
struct Design
{
    std::array<double, numParams> p {};

    double zr (int k) const { return zeroRadiusCap * logistic (p[(size_t) (4 * k)]); }
    double zt (int k) const { return pi * logistic (p[(size_t) (4 * k + 1)]); }
    double pr (int k) const { return poleRadiusCap * logistic (p[(size_t) (4 * k + 2)]); }
    double pt (int k) const { return pi * logistic (p[(size_t) (4 * k + 3)]); }
    double gainDb() const { return p[numParams - 1]; }
};

/** dB of (1 - 2 r cos t z^-1 + r^2 z^-2) at w, and its derivatives in r, t. */
void pairDb (double w, double r, double t, double& v, double& dr, double& dt)
{
    const double cm = std::cos (w - t), cp = std::cos (w + t);
    const double a = 1.0 - 2.0 * r * cm + r * r;
    const double b = 1.0 - 2.0 * r * cp + r * r;
    v = dbPerNeper * std::log (a * b);
    dr = dbPerNeper * ((2.0 * r - 2.0 * cm) / a + (2.0 * r - 2.0 * cp) / b);
    dt = dbPerNeper * ((-2.0 * r * std::sin (w - t)) / a + (2.0 * r * std::sin (w + t)) / b);
}

struct FitProblem
{
    std::vector<double> w;      // normalised angular frequencies
    std::vector<double> target; // dB
    std::vector<double> weight; // sqrt of the weight
    double fs = 48000.0;
    double radiusPenalty = 0.2;
};

/** Residual vector (weighted dB error, then one penalty term per pole pair)
    and its Jacobian (row-major, numParams columns). */
void residuals (const FitProblem& prob, const Design& d, std::vector<double>& r, std::vector<double>* jac)
{
    const size_t m = prob.w.size();
    r.assign (m + numSections, 0.0);
    if (jac != nullptr)
        jac->assign ((m + numSections) * numParams, 0.0);

    for (size_t i = 0; i < m; ++i)
    {
        double h = d.gainDb();
        double* row = jac != nullptr ? jac->data() + i * numParams : nullptr;
        for (int k = 0; k < numSections; ++k)
        {
            const double szr = logistic (d.p[(size_t) (4 * k)]);
            const double szt = logistic (d.p[(size_t) (4 * k + 1)]);
            const double spr = logistic (d.p[(size_t) (4 * k + 2)]);
            const double spt = logistic (d.p[(size_t) (4 * k + 3)]);
            double v, dr, dt;
            pairDb (prob.w[i], zeroRadiusCap * szr, pi * szt, v, dr, dt);
            h += v;
            if (row != nullptr)
            {
                row[4 * k] = dr * zeroRadiusCap * szr * (1.0 - szr);
                row[4 * k + 1] = dt * pi * szt * (1.0 - szt);
            }
            pairDb (prob.w[i], poleRadiusCap * spr, pi * spt, v, dr, dt);
            h -= v;
            if (row != nullptr)
            {
                row[4 * k + 2] = -dr * poleRadiusCap * spr * (1.0 - spr);
                row[4 * k + 3] = -dt * pi * spt * (1.0 - spt);
            }
        }
        if (row != nullptr)
        {
            row[numParams - 1] = 1.0;
            for (int c = 0; c < numParams; ++c)
                row[c] *= prob.weight[i];
        }
        r[i] = prob.weight[i] * (h - prob.target[i]);
    }

    // Penalty on -ln(1 - r) of every pole pair: the optimiser moves a pole
    // towards the circle only when that buys a clear improvement of the fit.
    for (int k = 0; k < numSections; ++k)
    {
        const double s = logistic (d.p[(size_t) (4 * k + 2)]);
        const double rad = poleRadiusCap * s;
        r[m + (size_t) k] = prob.radiusPenalty * -std::log (1.0 - rad);
        if (jac != nullptr)
            (*jac)[(m + (size_t) k) * numParams + (size_t) (4 * k + 2)]
                = prob.radiusPenalty / (1.0 - rad) * poleRadiusCap * s * (1.0 - s);
    }
}

double sumSquares (const std::vector<double>& r)
{
    double s = 0.0;
    for (double v : r)
        s += v * v;
    return s;
}

/** Solves (A) x = b for a symmetric positive definite A by Cholesky. */
bool choleskySolve (std::vector<double> a, std::vector<double>& b, int n)
{
    for (int j = 0; j < n; ++j)
    {
        double s = a[(size_t) (j * n + j)];
        for (int k = 0; k < j; ++k)
            s -= a[(size_t) (j * n + k)] * a[(size_t) (j * n + k)];
        if (! (s > 0.0))
            return false;
        const double l = std::sqrt (s);
        a[(size_t) (j * n + j)] = l;
        for (int i = j + 1; i < n; ++i)
        {
            double t = a[(size_t) (i * n + j)];
            for (int k = 0; k < j; ++k)
                t -= a[(size_t) (i * n + k)] * a[(size_t) (j * n + k)];
            a[(size_t) (i * n + j)] = t / l;
        }
    }
    for (int i = 0; i < n; ++i)
    {
        double t = b[(size_t) i];
        for (int k = 0; k < i; ++k)
            t -= a[(size_t) (i * n + k)] * b[(size_t) k];
        b[(size_t) i] = t / a[(size_t) (i * n + i)];
    }
    for (int i = n - 1; i >= 0; --i)
    {
        double t = b[(size_t) i];
        for (int k = i + 1; k < n; ++k)
            t -= a[(size_t) (k * n + i)] * b[(size_t) k];
        b[(size_t) i] = t / a[(size_t) (i * n + i)];
    }
    return true;
}

/** Levenberg-Marquardt with Marquardt's diagonal scaling. */
double levenbergMarquardt (const FitProblem& prob, Design& d, int iterations)
{
    std::vector<double> r, jac, rTrial;
    residuals (prob, d, r, &jac);
    double cost = sumSquares (r);
    double lambda = 1e-2;
    const size_t m = r.size();

    for (int it = 0; it < iterations; ++it)
    {
        std::vector<double> jtj ((size_t) numParams * numParams, 0.0), jtr ((size_t) numParams, 0.0);
        for (size_t i = 0; i < m; ++i)
        {
            const double* row = jac.data() + i * numParams;
            for (int a = 0; a < numParams; ++a)
            {
                if (row[a] == 0.0)
                    continue;
                jtr[(size_t) a] += row[a] * r[i];
                for (int b = 0; b <= a; ++b)
                    jtj[(size_t) (a * numParams + b)] += row[a] * row[b];
            }
        }
        for (int a = 0; a < numParams; ++a)
            for (int b = 0; b < a; ++b)
                jtj[(size_t) (b * numParams + a)] = jtj[(size_t) (a * numParams + b)];

        bool improved = false;
        for (int tries = 0; tries < 12 && ! improved; ++tries)
        {
            std::vector<double> a = jtj;
            for (int k = 0; k < numParams; ++k)
                a[(size_t) (k * numParams + k)] += lambda * std::max (jtj[(size_t) (k * numParams + k)], 1e-9);
            std::vector<double> step (jtr);
            for (double& v : step)
                v = -v;
            if (! choleskySolve (a, step, numParams))
            {
                lambda *= 10.0;
                continue;
            }
            Design trial = d;
            for (int k = 0; k < numParams; ++k)
                trial.p[(size_t) k] += std::clamp (step[(size_t) k], -2.0, 2.0);
            residuals (prob, trial, rTrial, nullptr);
            const double c = sumSquares (rTrial);
            if (c < cost)
            {
                d = trial;
                cost = c;
                lambda = std::max (lambda * 0.3, 1e-9);
                improved = true;
            }
            else
            {
                lambda *= 10.0;
            }
        }
        if (! improved)
            break;
        residuals (prob, d, r, &jac);
    }
    return cost;
}

//==============================================================================
/** One realised cascade: float rows and output gain, in playing order. */
struct Cascade
{
    std::array<float, 6 * numSections> sos {};
    float outGain = 1.0f;
};

/** Magnitude in dB of a cascade at f, evaluated in double from its stored
    float coefficients. */
double cascadeDb (const Cascade& c, double f, double fs)
{
    const double w = 2.0 * pi * f / fs;
    const double cr = std::cos (w), ci = -std::sin (w), c2r = std::cos (2 * w), c2i = -std::sin (2 * w);
    double db = 20.0 * std::log10 (std::abs ((double) c.outGain));
    for (int k = 0; k < numSections; ++k)
    {
        const float* s = c.sos.data() + 6 * k;
        const double nr = s[0] + s[1] * cr + s[2] * c2r, ni = s[1] * ci + s[2] * c2i;
        const double dr = s[3] + s[4] * cr + s[5] * c2r, di = s[4] * ci + s[5] * c2i;
        db += 10.0 * std::log10 ((nr * nr + ni * ni) / (dr * dr + di * di));
    }
    return db;
}

/** The float cascade exactly as the amplifier plays it: transposed direct
    form II, section-major, |y| < 1e-10 flushed, states rounded through
    (v + 1) - 1, output gain skipped when exactly 1. */
void runFloat (const Cascade& c, std::vector<float>& x)
{
    for (int k = 0; k < numSections; ++k)
    {
        const float* s = c.sos.data() + 6 * k;
        const float b0 = s[0], b1 = s[1], b2 = s[2], a1 = s[4], a2 = s[5];
        float z1 = 0.0f, z2 = 0.0f;
        for (float& v : x)
        {
            const float in = v;
            float y = b0 * in + z1;
            if (std::fabs ((double) y) < 1e-10)
                y = 0.0f;
            const float t1 = (b1 * in + z2) - a1 * y;
            const float t2 = b2 * in - a2 * y;
            z1 = (t1 + 1.0f) - 1.0f;
            z2 = (t2 + 1.0f) - 1.0f;
            v = y;
        }
    }
    if (c.outGain != 1.0f)
        for (float& v : x)
            v *= c.outGain;
}

/** The same coefficients in double precision, without any rounding. */
void runDouble (const Cascade& c, std::vector<double>& x)
{
    for (int k = 0; k < numSections; ++k)
    {
        const float* s = c.sos.data() + 6 * k;
        const double b0 = s[0], b1 = s[1], b2 = s[2], a1 = s[4], a2 = s[5];
        double z1 = 0.0, z2 = 0.0;
        for (double& v : x)
        {
            const double in = v;
            const double y = b0 * in + z1;
            z1 = b1 * in + z2 - a1 * y;
            z2 = b2 * in - a2 * y;
            v = y;
        }
    }
    for (double& v : x)
        v *= (double) c.outGain;
}

/** Gaussian white noise of standard deviation 0.1 (-20 dBFS) from a
    splitmix64 generator and the Box-Muller transform. */
std::vector<float> testNoise (int n, uint64_t seed)
{
    std::vector<float> out ((size_t) n);
    uint64_t s = seed;
    auto next = [&s]()
    {
        uint64_t z = (s += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return ((z ^ (z >> 31)) >> 11) * (1.0 / 9007199254740992.0);
    };
    for (int i = 0; i < n; i += 2)
    {
        const double u1 = 1.0 - next(), u2 = next();
        const double mag = 0.1 * std::sqrt (-2.0 * std::log (u1));
        out[(size_t) i] = (float) (mag * std::cos (2 * pi * u2));
        if (i + 1 < n)
            out[(size_t) i + 1] = (float) (mag * std::sin (2 * pi * u2));
    }
    return out;
}

struct FloatFigures
{
    double serDb = 0.0;      // over the second of noise
    double tailRms = 0.0;    // output minus its mean, third second
    double tailOffset = 0.0; // mean of the third second
};

/** One second of noise, two of silence; error measured over the noise, the
    idle tail over the last second. */
FloatFigures floatFigures (const Cascade& c, int fs)
{
    std::vector<float> x ((size_t) (3 * fs), 0.0f);
    const std::vector<float> noise = testNoise (fs, 0x5eedULL + (uint64_t) fs);
    std::copy (noise.begin(), noise.end(), x.begin());
    std::vector<double> ref (x.begin(), x.end());
    runFloat (c, x);
    runDouble (c, ref);

    FloatFigures fig;
    double sig = 0.0, err = 0.0;
    for (int i = 0; i < fs; ++i)
    {
        sig += ref[(size_t) i] * ref[(size_t) i];
        const double e = (double) x[(size_t) i] - ref[(size_t) i];
        err += e * e;
    }
    fig.serDb = 10.0 * std::log10 (sig / std::max (err, 1e-300));
    double mean = 0.0;
    for (int i = 2 * fs; i < 3 * fs; ++i)
        mean += x[(size_t) i];
    mean /= fs;
    double var = 0.0;
    for (int i = 2 * fs; i < 3 * fs; ++i)
        var += (x[(size_t) i] - mean) * (x[(size_t) i] - mean);
    fig.tailRms = std::sqrt (var / fs);
    fig.tailOffset = std::abs (mean);
    return fig;
}

//==============================================================================
struct PairSection
{
    double zr, zt, pr, pt;
};

/** Pairs every pole pair with the nearest remaining zero pair, starting from
    the pole closest to the unit circle, and orders the sections by
    increasing pole radius. */
std::vector<PairSection> pairAndOrder (const Design& d)
{
    std::vector<std::pair<double, double>> poles, zeros;
    for (int k = 0; k < numSections; ++k)
    {
        poles.emplace_back (d.pr (k), d.pt (k));
        zeros.emplace_back (d.zr (k), d.zt (k));
    }
    std::vector<int> poleOrder ((size_t) numSections);
    for (int k = 0; k < numSections; ++k)
        poleOrder[(size_t) k] = k;
    std::stable_sort (poleOrder.begin(), poleOrder.end(),
                      [&] (int a, int b) { return poles[(size_t) a].first > poles[(size_t) b].first; });

    std::vector<bool> used ((size_t) numSections, false);
    std::vector<PairSection> out;
    for (int pk : poleOrder)
    {
        const auto& p = poles[(size_t) pk];
        int best = -1;
        double bestDist = 1e300;
        for (int zk = 0; zk < numSections; ++zk)
        {
            if (used[(size_t) zk])
                continue;
            const auto& z = zeros[(size_t) zk];
            const double dx = p.first * std::cos (p.second) - z.first * std::cos (z.second);
            const double dy = p.first * std::sin (p.second) - z.first * std::sin (z.second);
            const double dist = dx * dx + dy * dy;
            if (dist < bestDist)
            {
                bestDist = dist;
                best = zk;
            }
        }
        used[(size_t) best] = true;
        out.push_back ({ zeros[(size_t) best].first, zeros[(size_t) best].second, p.first, p.second });
    }
    std::reverse (out.begin(), out.end()); // increasing pole radius
    return out;
}

Cascade realise (const std::vector<PairSection>& secs, double gainDb)
{
    Cascade c;
    for (int k = 0; k < numSections; ++k)
    {
        const PairSection& s = secs[(size_t) k];
        float* row = c.sos.data() + 6 * k;
        row[0] = 1.0f;
        row[1] = (float) (-2.0 * s.zr * std::cos (s.zt));
        row[2] = (float) (s.zr * s.zr);
        row[3] = 1.0f;
        row[4] = (float) (-2.0 * s.pr * std::cos (s.pt));
        row[5] = (float) (s.pr * s.pr);
    }
    c.outGain = (float) std::pow (10.0, gainDb / 20.0);
    return c;
}

/** Largest pole radius of a realised cascade (from its float coefficients). */
double maxPoleRadius (const Cascade& c)
{
    double worst = 0.0;
    for (int k = 0; k < numSections; ++k)
    {
        const double a1 = c.sos[(size_t) (6 * k + 4)], a2 = c.sos[(size_t) (6 * k + 5)];
        const double disc = a1 * a1 - 4.0 * a2;
        double r;
        if (disc < 0.0)
            r = std::sqrt (a2);
        else
            r = std::max (std::abs ((-a1 + std::sqrt (disc)) * 0.5), std::abs ((-a1 - std::sqrt (disc)) * 0.5));
        worst = std::max (worst, r);
    }
    return worst;
}

//==============================================================================
struct Result
{
    std::string name;
    Cascade cascade;
    double worstListed = 0.0; // worst |deviation| at the listed frequencies, dB
    double peakDb = 0.0;      // highest point 20 Hz - 20 kHz
    double maxRadius = 0.0;
    double shapeMargin = 0.0; // smallest distance to the between-points limits, dB
    FloatFigures fl;
    FloatFigures flReversed;  // the same sections played in the opposite order
};

/** Smallest distance (dB) of the response to the limits between the measured
    points on a 1/24-octave grid: at most 2 dB above the higher and 4 dB
    below the lower neighbouring value (50 Hz to 5 kHz for loudspeakers, to
    12 kHz for the preamplifier filters); above 5 kHz a loudspeaker stays
    below its 5 kHz level. Negative when a limit is crossed. */
double shapeMargin (const Cascade& c, const Target& t, double fs)
{
    double margin = 1e9;
    const double last = t.speaker ? 5000.0 : 12000.0;
    for (int k = 0;; ++k)
    {
        const double f = 50.0 * std::pow (2.0, k / 24.0);
        if (f > last * (1.0 + 1e-12))
            break;
        size_t i = 0;
        while (i + 2 < listedHz.size() && f > listedHz[i + 1])
            ++i;
        const double h = cascadeDb (c, f, fs);
        margin = std::min ({ margin, std::max (t.db[i], t.db[i + 1]) + 2.0 - h, h - (std::min (t.db[i], t.db[i + 1]) - 4.0) });
    }
    if (t.speaker)
    {
        const double at5k = cascadeDb (c, 5000.0, fs);
        for (int k = 1; k <= 48; ++k)
            margin = std::min (margin, at5k - cascadeDb (c, 5000.0 * std::pow (2.0, k / 24.0), fs));
    }
    return margin;
}

FitProblem makeProblem (const Target& t, double fs)
{
    FitProblem prob;
    prob.fs = fs;
    const double top = std::min (0.985 * fs / 2.0, 22000.0);
    for (double lf = std::log2 (16.0); lf <= std::log2 (top) + 1e-9; lf += 1.0 / 48.0)
    {
        const double f = std::pow (2.0, lf);
        prob.w.push_back (2.0 * pi * f / fs);
        prob.target.push_back (t (f));
        double wt = 1.0;
        if (f < 45.0)
            wt = 0.3;
        else if (f > 12500.0)
            wt = t.speaker ? 0.15 : 0.3;
        prob.weight.push_back (std::sqrt (wt));
    }
    // The measured points themselves count ten times.
    for (double f : listedHz)
    {
        prob.w.push_back (2.0 * pi * f / fs);
        prob.target.push_back (t (f));
        prob.weight.push_back (std::sqrt (10.0));
    }
    return prob;
}

/** Starting point: pole and zero pairs spread evenly in log frequency,
    moderately damped, zeros slightly inside the poles (a near-flat
    cascade), gain at the mean target level. */
Design initialDesign (const FitProblem& prob, double q, double spread)
{
    Design d;
    const double f0 = 25.0, f1 = 0.92 * prob.fs / 2.0;
    for (int k = 0; k < numSections; ++k)
    {
        const double f = f0 * std::pow (f1 / f0, (k + spread) / (numSections - 1 + 2 * spread));
        const double w = 2.0 * pi * f / prob.fs;
        const double rp = std::exp (-w / (2.0 * q));
        const double rz = std::exp (-w / (1.6 * q));
        d.p[(size_t) (4 * k)] = logit (std::min (rz, 0.99) / zeroRadiusCap);
        d.p[(size_t) (4 * k + 1)] = logit (w / pi);
        d.p[(size_t) (4 * k + 2)] = logit (std::min (rp, 0.99) / poleRadiusCap);
        d.p[(size_t) (4 * k + 3)] = logit (w / pi);
    }
    double mean = 0.0;
    for (double v : prob.target)
        mean += v;
    d.p[numParams - 1] = mean / (double) prob.target.size();
    return d;
}

Result design (const std::string& name, const Target& t, int fs)
{
    const FitProblem prob = makeProblem (t, fs);

    // A few deterministic starting points; the lowest cost wins.
    Design best;
    double bestCost = 1e300;
    const double qs[] = { 0.7, 1.2, 2.0 };
    for (double q : qs)
    {
        Design d = initialDesign (prob, q, 0.5);
        const double cost = levenbergMarquardt (prob, d, 400);
        if (cost < bestCost)
        {
            bestCost = cost;
            best = d;
        }
    }

    Result res;
    res.name = name;
    res.cascade = realise (pairAndOrder (best), best.gainDb());
    for (size_t i = 0; i < listedHz.size(); ++i)
        res.worstListed = std::max (res.worstListed, std::abs (cascadeDb (res.cascade, listedHz[i], fs) - t.db[i]));
    res.peakDb = -1e9;
    for (double lf = std::log2 (20.0); lf <= std::log2 (20000.0); lf += 1.0 / 96.0)
        res.peakDb = std::max (res.peakDb, cascadeDb (res.cascade, std::pow (2.0, lf), fs));
    res.maxRadius = maxPoleRadius (res.cascade);
    res.shapeMargin = shapeMargin (res.cascade, t, fs);
    res.fl = floatFigures (res.cascade, fs);
    Cascade reversed = res.cascade;
    for (int k = 0; k < numSections; ++k)
        std::copy_n (res.cascade.sos.begin() + 6 * (numSections - 1 - k), 6, reversed.sos.begin() + 6 * k);
    res.flReversed = floatFigures (reversed, fs);
    return res;
}

//==============================================================================
std::string floatLiteral (float v)
{
    char buf[40];
    std::snprintf (buf, sizeof (buf), "%.9g", (double) v);
    std::string s (buf);
    if (s.find_first_of (".e") == std::string::npos)
        s += ".0";
    return s + "f";
}

void writeArray (FILE* out, const char* name, const std::vector<float>& values, int perLine,
                 const std::vector<std::string>& groupComments, int groupSize)
{
    std::fprintf (out, "const float %s[%zu] = {\n", name, values.size());
    for (size_t i = 0; i < values.size(); ++i)
    {
        if (groupSize > 0 && i % (size_t) groupSize == 0 && i / (size_t) groupSize < groupComments.size())
            std::fprintf (out, "    // %s\n", groupComments[i / (size_t) groupSize].c_str());
        if (i % (size_t) perLine == 0)
            std::fprintf (out, "   ");
        std::fprintf (out, " %s,", floatLiteral (values[i]).c_str());
        if (i % (size_t) perLine == (size_t) perLine - 1 || i + 1 == values.size())
            std::fprintf (out, "\n");
    }
    std::fprintf (out, "};\n\n");
}

const char* const fileHeader =
    "// Generated by tools/tablegen/filters.cpp (run tools/tablegen/filters.sh);\n"
    "// do not edit by hand. tools/tablegen/check.sh verifies that a fresh run\n"
    "// reproduces this file byte for byte.\n\n"
    "#include \"Tables.h\"\n\n"
    "namespace tables\n{\n";

void printFigures (const Result& r)
{
    std::printf ("%-18s | %5.3f | %6.2f | %5.2f | %.4f | %5.1f | %.1e | %.1e | %5.1f | %.1e | %.1e\n",
                 r.name.c_str(), r.worstListed, r.peakDb, r.shapeMargin, r.maxRadius,
                 r.fl.serDb, r.fl.tailRms, r.fl.tailOffset,
                 r.flReversed.serDb, r.flReversed.tailRms, r.flReversed.tailOffset);
    std::fflush (stdout);
}
} // namespace

int main (int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf (stderr, "usage: filters OUTDIR\n");
        return 2;
    }
    const std::string outDir = argv[1];
    const int rates[2] = { 44100, 48000 };

    std::printf ("design             | worst | peak   | shape | max|p|  | SER   | tail    | offset  | reversed: SER, tail, offset\n");

    // Loudspeaker models.
    {
        const std::string path = outDir + "/speaker_models.cpp";
        FILE* out = std::fopen (path.c_str(), "w");
        if (out == nullptr)
            return 1;
        std::fputs (fileHeader, out);
        std::fprintf (out, "// Twelve loudspeaker models of 25 second-order sections each, rows\n"
                           "// b0 b1 b2 a0 a1 a2, sections in playing order (increasing pole radius);\n"
                           "// gain vectors of 25 ones and the output gain.\n\n");
        for (int fs : rates)
        {
            std::vector<float> sos, gain;
            std::vector<std::string> comments;
            for (int m = 0; m < 12; ++m)
            {
                const Result r = design ("hpsos2_" + std::to_string (fs) + " m" + std::to_string (m), makeSpeakerTarget (m), fs);
                printFigures (r);
                sos.insert (sos.end(), r.cascade.sos.begin(), r.cascade.sos.end());
                for (int k = 0; k < numSections; ++k)
                    gain.push_back (1.0f);
                gain.push_back (r.cascade.outGain);
                comments.push_back ("model " + std::to_string (m));
            }
            writeArray (out, ("hpsos2_" + std::to_string (fs)).c_str(), sos, 6, comments, 6 * numSections);
            writeArray (out, ("hpgain2_" + std::to_string (fs)).c_str(), gain, 13, comments, numSections + 1);
        }
        std::fprintf (out, "} // namespace tables\n");
        std::fclose (out);
    }

    // Preamplifier path filters.
    {
        const std::string path = outDir + "/preamp_filters.cpp";
        FILE* out = std::fopen (path.c_str(), "w");
        if (out == nullptr)
            return 1;
        std::fputs (fileHeader, out);
        std::fprintf (out, "// Preamplifier path filters of 25 second-order sections, rows\n"
                           "// b0 b1 b2 a0 a1 a2 in playing order (increasing pole radius); gain vectors\n"
                           "// of 25 ones, the output gain and two unused zeros.\n\n");
        for (int i = 0; i < 4; ++i)
        {
            for (int fs : rates)
            {
                const std::string base = std::string (preampNames[i]) + "_" + std::to_string (fs);
                const Result r = design (base, makePreampTarget (i), fs);
                printFigures (r);
                std::vector<float> sos (r.cascade.sos.begin(), r.cascade.sos.end());
                std::vector<float> gain ((size_t) numSections, 1.0f);
                gain.push_back (r.cascade.outGain);
                gain.push_back (0.0f);
                gain.push_back (0.0f);
                writeArray (out, (base + "_sos").c_str(), sos, 6, {}, 0);
                writeArray (out, (base + "_gain").c_str(), gain, 13, {}, 0);
            }
        }
        std::fprintf (out, "} // namespace tables\n");
        std::fclose (out);
    }
    return 0;
}
