// The built-in demo: a riff played on a synthesised guitar.
//
// Each string is a Karplus-Strong plucked string with the Jaffe-Smith
// extensions (1983): a delay line tuned with a first-order all-pass for the
// fractional part, a two-point averaging loop filter, a per-period loss set
// from the note's decay time, and an excitation of low-passed noise shaped by
// a pick-position comb. Palm-muted notes decay fast and dark.

#include "DemoRiff.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace
{
/** A small deterministic generator (64-bit linear congruential, Knuth's
    constants), so the riff does not depend on the standard library. */
struct Noise
{
    uint64_t state;
    float next()
    {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<float> (static_cast<int32_t> (state >> 32)) / 2147483648.0f;
    }
};

double midiToHz (int note)
{
    return 440.0 * std::pow (2.0, (note - 69) / 12.0);
}

/** One plucked string, sounding from its start for its length. */
struct Pluck
{
    int note;
    double start;    // seconds
    double length;   // seconds until the string is damped
    bool muted;      // palm mute: short and dark
    float velocity;  // 0 to 1
};

void renderPluck (const Pluck& p, int sampleRate, std::vector<double>& out, Noise& noise)
{
    const double f = midiToHz (p.note);
    const double period = sampleRate / f;
    // Loop delay: N whole samples, 0.5 for the averaging filter, the rest in
    // the all-pass.
    const int N = std::max (2, static_cast<int> (std::floor (period - 0.5 - 0.1)));
    const double frac = period - 0.5 - N; // between 0.1 and 1.1
    const double apCoeff = (1.0 - frac) / (1.0 + frac);

    const double t60 = p.muted ? 0.18 : std::clamp (5.5 - 0.045 * (p.note - 40), 2.0, 5.5);
    const double loss = std::pow (10.0, -3.0 / (t60 * f));
    const double brightness = p.muted ? 0.15 : 0.55 + 0.3 * p.velocity;

    std::vector<double> line (static_cast<size_t> (N), 0.0);

    // Excitation: one period of low-passed noise with a pick-position notch.
    std::vector<double> burst (static_cast<size_t> (N));
    double lp = 0.0;
    for (auto& b : burst)
    {
        lp += brightness * (noise.next() - lp);
        b = lp;
    }
    const int pickOffset = std::max (1, static_cast<int> (0.13 * N));
    double mean = 0.0;
    for (int i = 0; i < N; ++i)
    {
        line[(size_t) i] = burst[(size_t) i] - (i >= pickOffset ? burst[(size_t) (i - pickOffset)] : 0.0);
        mean += line[(size_t) i];
    }
    mean /= N;
    for (auto& v : line)
        v = (v - mean) * p.velocity;

    const auto first = static_cast<size_t> (p.start * sampleRate);
    const auto ringing = static_cast<size_t> (p.length * sampleRate);
    const auto fade = static_cast<size_t> (0.04 * sampleRate);
    const double mutedExtraLowpass = p.muted ? 0.35 : 1.0;

    double prevOut = 0.0, apState = 0.0, dark = 0.0;
    size_t pos = 0;
    for (size_t i = 0; i < ringing + fade && first + i < out.size(); ++i)
    {
        const double x = line[pos];
        // Averaging loop filter, then the loss, then the tuning all-pass.
        const double avg = 0.5 * (x + prevOut);
        prevOut = x;
        dark += mutedExtraLowpass * (avg - dark);
        const double y = loss * dark;
        const double ap = apCoeff * y + apState;
        apState = y - apCoeff * ap;
        line[pos] = ap;
        pos = (pos + 1) % (size_t) N;

        double gain = 1.0;
        if (i >= ringing) // damped by the hand: a short fade
            gain = 1.0 - static_cast<double> (i - ringing) / static_cast<double> (fade);
        out[first + i] += x * gain;
    }
}

/** The riff, in eighth notes at 100 beats a minute. */
std::vector<Pluck> riff()
{
    constexpr double eighth = 0.3;
    std::vector<Pluck> notes;

    auto chord = [&] (std::initializer_list<int> strings, double at, double eighths, bool muted, float velocity,
                      double strum) {
        double offset = 0.0;
        for (int n : strings)
        {
            notes.push_back ({ n, at * eighth + offset, eighths * eighth, muted, velocity });
            offset += strum;
        }
    };
    auto single = [&] (int note, double at, double eighths, float velocity = 0.8f) {
        notes.push_back ({ note, at * eighth, eighths * eighth, false, velocity });
    };

    const std::initializer_list<int> e5 { 40, 47, 52 }, g5 { 43, 50, 55 }, a5 { 45, 52, 57 }, c5 { 48, 55, 60 },
        d5 { 50, 57, 62 };

    for (int bar = 0; bar < 4; bar += 2)
    {
        const double b = bar * 8.0;
        chord (e5, b + 0, 2, false, 0.9f, 0.006);
        chord ({ 40 }, b + 2, 0.8, true, 0.8f, 0.0);
        chord ({ 40 }, b + 3, 0.8, true, 0.8f, 0.0);
        chord (g5, b + 4, 2, false, 0.85f, 0.006);
        chord (bar == 0 ? a5 : c5, b + 6, 2, false, 0.85f, 0.006);

        chord ({ 40 }, b + 8, 0.8, true, 0.8f, 0.0);
        chord ({ 40 }, b + 9, 0.8, true, 0.8f, 0.0);
        if (bar == 0)
        {
            single (50, b + 10, 1);
            single (52, b + 11, 1);
            single (55, b + 12, 1);
            single (52, b + 13, 1);
            single (50, b + 14, 2);
        }
        else
        {
            chord (d5, b + 10, 2, false, 0.85f, 0.006);
            single (64, b + 12, 0.5, 0.75f); // a quick run down the pentatonic
            single (62, b + 12.5, 0.5, 0.75f);
            single (59, b + 13, 0.5, 0.75f);
            single (57, b + 13.5, 0.5, 0.75f);
            single (55, b + 14, 0.5, 0.75f);
            single (52, b + 14.5, 1.5, 0.8f);
        }
    }

    // Strummed open chords: Em, C, G, D, half a bar each, then Em ringing out.
    const double s = 32.0;
    chord ({ 40, 47, 52, 55, 59, 64 }, s + 0, 4, false, 0.75f, 0.012);
    chord ({ 48, 52, 55, 60, 64 }, s + 4, 4, false, 0.75f, 0.012);
    chord ({ 43, 47, 50, 55, 59, 67 }, s + 8, 4, false, 0.75f, 0.012);
    chord ({ 50, 57, 62, 66 }, s + 12, 4, false, 0.7f, 0.012);
    chord ({ 40, 47, 52, 55, 59, 64 }, s + 16, 12, false, 0.85f, 0.018);
    return notes;
}
} // namespace

std::vector<float> cli::synthesiseDemoRiff (int sampleRate)
{
    const auto notes = riff();
    double end = 0.0;
    for (const auto& n : notes)
        end = std::max (end, n.start + n.length);
    std::vector<double> mix (static_cast<size_t> ((end + 0.2) * sampleRate), 0.0);

    Noise noise { 0x6272696e646cull };
    for (const auto& n : notes)
        renderPluck (n, sampleRate, mix, noise);

    // A gentle high-pass below the low E, as a pickup and cable give.
    const double hp = 1.0 / (1.0 + 2.0 * 3.14159265358979 * 40.0 / sampleRate);
    double xPrev = 0.0, yPrev = 0.0, peak = 0.0;
    for (auto& v : mix)
    {
        const double y = hp * (yPrev + v - xPrev);
        xPrev = v;
        yPrev = y;
        v = y;
        peak = std::max (peak, std::abs (y));
    }

    std::vector<float> out (mix.size());
    const double gain = peak > 0.0 ? 0.5 / peak : 0.0;
    for (size_t i = 0; i < mix.size(); ++i)
        out[i] = static_cast<float> (mix[i] * gain);
    return out;
}
