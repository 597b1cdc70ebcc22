#pragma once

#include <cmath>

/** Removes the constant offset that the rounding of recursive filter states
    can leave at the end of the chain in silence.

    The single-precision cascades round every stored state onto a grid, and a
    section whose poles sit close to z = 1 can then hold a small constant
    output forever once its input has stopped. This one-pole, one-zero
    high-pass (the classic DC blocker y[n] = x[n] - x[n-1] + R y[n-1], with
    R = exp(-2 pi fc / fs)) keeps its state in double precision, so it has no
    such dead band of its own and settles to exact silence.

    Real-time contract: no allocation, no lock.
*/
struct DcBlocker
{
    double r = 0.0;
    double xPrev = 0.0;
    double yPrev = 0.0;

    /** Sets the corner frequency at sample rate fs and clears the state. */
    void setup (double cornerHz, double fs) noexcept
    {
        r = std::exp (-2.0 * 3.141592653589793 * cornerHz / fs);
        xPrev = yPrev = 0.0;
    }

    /** Filters x[0] to x[n - 1] in place. */
    void Apply (float* x, int n) noexcept
    {
        for (int i = 0; i < n; ++i)
        {
            const double in = x[i];
            const double y = in - xPrev + r * yPrev;
            xPrev = in;
            yPrev = y;
            x[i] = static_cast<float> (y);
        }
    }
};
