#pragma once

/** A memoryless valve waveshaper: a transfer curve of 65536 samples read with
    linear interpolation.

    Entry i of a curve stands for the input i / 32768 - 1, so the curve covers
    -1 to 1 - 1/32768. Inputs at or below the first entry give entry 0; inputs
    whose index reaches 65534 give entry 65534 (the last entry, 65535, is never
    read). Any input, however large, is clamped that way.

    Real-time contract: no state, no allocation, no lock.
*/
struct ValveStage
{
    static constexpr int tableSize = 65536;

    const float* table = nullptr; ///< The transfer curve (not owned).

    /** The curve T at input x, linearly interpolated and clamped at both ends. */
    static float lookup (const float* T, float x) noexcept
    {
        const float t = (x + 1.0f) * 32768.0f;
        // floor(t) <= 0 exactly when t < 1; written on t so that a huge or NaN
        // input never reaches the integer conversion.
        if (! (t >= 1.0f))
            return T[0];
        if (t >= 65534.0f)
            return T[65534];
        const int i = static_cast<int> (t); // t > 0: truncation is floor
        const float a = T[i];
        return a + (t - static_cast<float> (i)) * (T[i + 1] - a);
    }

    /** Shapes x[0] to x[n - 1] in place through the stage's curve. */
    void Apply (float* x, int n) const noexcept;
};
