#pragma once

#include "Frame.h"

/** A one-pole filter modelled on an RC network, as a low-pass or a high-pass.

    The coefficient is the backward-Euler discretisation of the network's
    differential equation: with w = 2 pi fc / fs = T / RC, the low-pass is
    y += alpha (x - y) with alpha = w / (w + 1), and the high-pass is
    y = alpha (y[-1] + x - x[-1]) with alpha = 1 / (w + 1). The stored output is rounded through
    (v + 1) - 1 so it never becomes denormal.

    Real-time contract: Apply allocates nothing, takes no lock and makes no
    system call.
*/
struct RCfilt
{
    bool lowpass = true; ///< true: low-pass; false: high-pass.
    float xPrev = 0.0f;  ///< Previous input (high-pass only).
    float yPrev = 0.0f;  ///< Previous output, rounded.
    float alpha = 0.0f;  ///< Filter coefficient.

    /** Sets the kind and the coefficient for a corner frequency, given as the
        single-precision constant 2 pi fc, at the base rate fs, and clears the
        state. */
    void setup (bool isLowpass, float twoPiFc, int baseRate) noexcept
    {
        lowpass = isLowpass;
        const float w = twoPiFc / static_cast<float> (baseRate);
        alpha = isLowpass ? w / (w + 1.0f) : 1.0f / (w + 1.0f);
        xPrev = yPrev = 0.0f;
    }

    /** Filters f's samples in place; the descriptor is not changed and its
        sample rate is not read. A length <= 0 does nothing. */
    void Apply (Frame f) noexcept;
};
