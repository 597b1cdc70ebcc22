#pragma once

// The recursive filters rely on IEEE single-precision rounding: re-association
// would turn (v + 1) - 1 into v and let states decay into denormal numbers.
#if defined(__FAST_MATH__) || defined(__ASSOCIATIVE_MATH__)
 #error "Build the DSP sources without -ffast-math and without -fassociative-math."
#endif

/** Rounds a stored filter state onto the float grid of numbers near 1.0.

    (v + 1) - 1, each step rounded to single precision, snaps v to a multiple
    of 2^-24 (2^-23 for non-negative values): magnitudes below about 3e-8
    become exactly zero, so recursive states decay to a true zero instead of
    lingering as denormal numbers. Under IEEE arithmetic the expression is not
    an identity, so no conforming compiler folds it; the guard above refuses
    the flags that would allow it.
*/
inline float gridRound (float v) noexcept
{
    const float t = v + 1.0f;
    return t - 1.0f;
}
