#include "PedalDsp.h"

#include <cstring>
#include <type_traits>

#include <algorithm>
#include <cmath>

namespace
{
constexpr double twoPi = 6.28318530718;

/** A delay in samples limited so that its reads stay inside a ring of the
    given size for blocks of up to Frame::maxBlockLength samples (the feedback
    paths look back one block plus the delay). */
int clampDelay (int d, int ringSize) noexcept
{
    return std::clamp (d, 0, ringSize - 2 * Frame::maxBlockLength);
}
} // namespace

//==============================================================================
void ChorusState::process (float* x, int n, int fs, float mix, float speed, float amp) noexcept
{
    const float depth = 0.005f * amp;
    // The delay sweep in samples; limited to the ring only at absurd rates.
    const double sweep = std::min (static_cast<double> (depth) * fs, static_cast<double> (ringSize - 4));
    const int d = static_cast<int> (sweep);
    const float increment = static_cast<float> (5.0 * speed / fs);
    const float dryGain = 1.0f - mix;

    for (int l = 0; l < n; ++l)
    {
        const uint32_t t = time + static_cast<uint32_t> (l);
        line.put (t, x[l]);

        phase = phase + increment;
        if (phase > 1.0f)
            phase = phase - 1.0f;

        // 0 <= pos <= sweep, so i <= D and the reads never pass the current sample.
        const double pos = (std::sin (twoPi * phase) * 0.5 + 0.5) * sweep;
        const int i = static_cast<int> (pos);

        // The input delayed by D + 1 - pos samples, between 1 and D + 1.
        const uint32_t base = t - static_cast<uint32_t> (d + 1) + static_cast<uint32_t> (i);
        const double a = line.at (base);
        const double b = line.at (base + 1u);
        const double wet = a + (b - a) * (pos - i);
        x[l] = static_cast<float> (wet * mix + x[l] * dryGain);
    }
    time += static_cast<uint32_t> (n);
}

//==============================================================================
void ReverbState::process (float* x, int n, int fs, float room, float refl, float level, float late) noexcept
{
    static constexpr float combLength[4] = { 1116.0f, 1356.0f, 1422.0f, 1617.0f };
    static constexpr float combGain[4] = { 0.805f, 0.827f, 0.783f, 0.764f };
    static constexpr float allpassLength[3] = { 225.0f, 341.0f, 441.0f };

    const float base = static_cast<float> (static_cast<int> (40.0f * room + 10.0f) * 0.00294);
    const auto delayOf = [base, fs] (float lengthFactor) {
        const float tau = lengthFactor * base / 1618.0f;
        return clampDelay (static_cast<int> (tau * static_cast<float> (fs)) - 1, ringSize);
    };
    const uint32_t un = static_cast<uint32_t> (n);

    // Every comb reads the dry block: feed them all before adding any output.
    int combDelay[4];
    for (int c = 0; c < 4; ++c)
    {
        const int d = delayOf (combLength[c]);
        combDelay[c] = d;
        const float g = combGain[c] * refl / 0.828f;
        const uint32_t back = un + static_cast<uint32_t> (d);
        auto& ring = comb[c];
        for (int k = 0; k < n; ++k)
        {
            const uint32_t t = time + static_cast<uint32_t> (k);
            ring.put (t, ring.at (t - back) * g + x[k]);
        }
    }

    for (int c = 0; c < 4; ++c)
    {
        const auto& ring = comb[c];
        const uint32_t d = static_cast<uint32_t> (combDelay[c]);
        for (int k = 0; k < n; ++k)
        {
            const float out = ring.at (time + static_cast<uint32_t> (k) - d);
            x[k] = out * 0.25f * level * (1.0f - late) + x[k];
        }
    }

    const float g = 0.7f * refl / 0.828f;
    for (int a = 0; a < 3; ++a)
    {
        const uint32_t d = static_cast<uint32_t> (delayOf (allpassLength[a]));
        const uint32_t back = un + d;
        auto& ring = allpass[a];
        for (int k = 0; k < n; ++k)
        {
            const uint32_t t = time + static_cast<uint32_t> (k);
            ring.put (t, x[k] - ring.at (t - back) * g);
        }
        for (int k = 0; k < n; ++k)
        {
            const uint32_t t = time + static_cast<uint32_t> (k);
            const float out = ring.at (t) * g + ring.at (t - d);
            x[k] = out * 0.25f * level * late + x[k];
        }
    }

    time += un;
}

//==============================================================================
void TremoloState::process (float* x, int n, int fs, float speed, float amp) noexcept
{
    const double increment = 5.0 * speed / fs;
    const double halfDepth = 0.5 * amp;
    for (int l = 0; l < n; ++l)
    {
        phase = phase + static_cast<float> (increment);
        if (phase > 1.0f)
            phase = phase - 1.0f;
        const double g = 1.0 - (std::sin (twoPi * phase) + 1.0) * halfDepth;
        x[l] = static_cast<float> (x[l] * g);
    }
}

//==============================================================================
void DelayState::process (float* x, int n, int fs, float mix, float delayTime, float fb) noexcept
{
    const float ms = 2000.0f * delayTime;
    const int d = clampDelay (static_cast<int> (static_cast<float> (fs) * ms * 0.001f) - 1, ringSize);
    const uint32_t ud = static_cast<uint32_t> (d);
    const uint32_t back = static_cast<uint32_t> (n) + ud;

    // The stream q first (its feedback reaches back past this block), then the
    // echo, which may come from this very block when D < n.
    for (int k = 0; k < n; ++k)
    {
        const uint32_t t = time + static_cast<uint32_t> (k);
        line.put (t, line.at (t - back) * fb + x[k]);
    }
    for (int k = 0; k < n; ++k)
        x[k] = line.at (time + static_cast<uint32_t> (k) - ud) * mix + x[k];

    time += static_cast<uint32_t> (n);
}

//==============================================================================
void CompressorState::process (float* x, int n, int fs, float att, float rel, float inp, float ratio, float gain) noexcept
{
    const double attack = std::exp (-10000.0 / fs / std::max (1.0, 200.0 * att));
    const double release = std::exp (-1000.0 / fs / std::max (1.0, 1000.0 * rel));
    const double follow = std::exp (-1000.0 / fs / 50.0);
    const float threshold = static_cast<float> (std::pow (10.0, -2.0 * inp));
    const float r = 20.0f * ratio + 1.0f;
    const float makeUp = 5.0f * gain + 1.0f;

    float e = env;
    float s = smoothed;
    for (int l = 0; l < n; ++l)
    {
        const float a = std::fabs (x[l]);
        if (a > e)
            e = a;
        else
            e = static_cast<float> (a * (1.0 - follow) + e * follow);

        float g = 1.0f;
        if (e > threshold)
            g = std::exp (std::log (e / threshold) / r) * threshold / e;

        const double k = s > g ? attack : release;
        s = static_cast<float> (g * (1.0 - k) + s * k);
        x[l] = s * makeUp * x[l];
    }
    env = e;
    smoothed = s;
}

//==============================================================================
void PedalDsp::reset() noexcept
{
    // Every state starts as all-zero bits, so clearing the bytes restores it
    // without a large temporary on the caller's stack.
    static_assert (std::is_trivially_copyable_v<PedalDsp>, "the state must be plain data");
    std::memset (static_cast<void*> (this), 0, sizeof (*this));
}

void PedalDsp::Apply (Pedal_type kind, Frame* f, const float* c) noexcept
{
    const int fs = f->sampleRate;
    if (fs <= 0 || f->length <= 0)
        return;

    for (int start = 0; start < f->length; start += Frame::maxBlockLength)
    {
        float* x = f->data + start;
        const int n = std::min (Frame::maxBlockLength, f->length - start);
        switch (kind)
        {
            case pedalChorus:     chorus.process (x, n, fs, c[0], c[1], c[2]); break;
            case pedalReverb:     reverb.process (x, n, fs, c[0], c[1], c[2], c[3]); break;
            case pedalTremolo:    tremolo.process (x, n, fs, c[0], c[1]); break;
            case pedalDelay:      delay.process (x, n, fs, c[0], c[1], c[2]); break;
            case pedalCompressor: compressor.process (x, n, fs, c[0], c[1], c[2], c[3], c[4]); break;
            default:              return;
        }
    }
}
