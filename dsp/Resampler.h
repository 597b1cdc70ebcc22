#pragma once

#include "Frame.h"
#include "Sos.h"

/** Converts a running block stream by an integer factor of 2 or 4.

    A decimator low-passes the block in place with a ten-section elliptic
    filter at the high rate and keeps every D-th sample, starting at index 0
    of each block (the length mod D samples at the end are dropped). An
    interpolator repeats every sample D times (sample-and-hold, not zero
    stuffing) and low-passes the result at the high rate. Either way the
    caller's Frame is redirected to the converter's own buffer with the new
    length and sample rate.

    Real-time contract: Apply allocates nothing, takes no lock and makes no
    system call. Output blocks of up to Frame::maxBlockLength samples.
*/
struct Resampler
{
    int factor = 2;                                ///< D: 2 or 4.
    int down = 1;                                  ///< Non-zero: decimator; zero: interpolator.
    Frame out;                                     ///< The last output block (data = buffer).
    float buffer[Frame::maxBlockLength] {};        ///< Output samples.
    Sos filter;                                    ///< Anti-alias or anti-image low-pass.

    /** Sets factor and direction, selects the filter table of the factor and
        clears the filter state. */
    void setup (int newFactor, bool isDecimator) noexcept;

    /** Converts the block described by *f and redirects *f to the result:
        length / D and sampleRate / D for a decimator, length * D and
        sampleRate * D for an interpolator. A decimator overwrites the
        caller's samples with the low-passed signal. An interpolator converts
        at most Frame::maxBlockLength / D input samples. */
    void Apply (Frame* f) noexcept;
};

/** The decimating FIR filter that brings an impulse response down to the
    reverb's reduced rate.

    dst[u] = sum over j = 0..N of h[j] x[u D - j], accumulated in that order in
    single precision, with the last N samples of the previous call as history.
    The kernels are symmetric windowed-sinc low-passes whose DC gain is about
    D, so the decimated response keeps its energy; their centre tap delays the
    response by N / 2 input samples.

    Not for the audio thread's hot path, but it allocates nothing either.
*/
struct Resample
{
    static constexpr int maxTaps = 80;

    int ntaps = 40;                  ///< N: the kernel has N + 1 taps.
    int factor = 2;                  ///< Decimation factor D.
    float history[maxTaps] {};       ///< Last N input samples of the previous call, oldest first.
    const float* kernel = nullptr;   ///< h[0] to h[N] (not owned).
    bool up = false;                 ///< Always false: only decimation is built.

    /** Configures the decimator for D = 2 (40 taps) or D = 4 (80 taps) with
        the matching kernel table, and clears the history. */
    void setup (int newFactor) noexcept;

    /** Decimates count samples of src by D into dst, writing ceil(count / D)
        samples. */
    void Apply (const float* src, float* dst, int count) noexcept;
};
