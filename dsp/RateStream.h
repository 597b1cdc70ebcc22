#pragma once

#include "Frame.h"
#include "Resampler.h"

// Rate conversion of a running stream cut into blocks of any length.
//
// A Resampler picks every D-th sample starting at index 0 of each block, which
// is exact only while every block is a multiple of D long. These two wrappers
// carry the phase of the stream from block to block instead: the decimator
// keeps every sample whose position in the stream is a multiple of D, and the
// interpolator holds back the output samples that belong after the end of the
// host block and emits them first in the next one. A stream then converts the
// same way however the host cuts it, with no added latency; for blocks that
// are multiples of D the result is exactly that of the plain Resampler.

/** Decimates a stream by 2 or 4, whatever the block lengths. */
struct StreamDecimator
{
    Resampler converter; ///< Its anti-alias filter and output buffer are used.
    int phase = 0;       ///< Stream position of the next input sample, modulo D.

    /** Selects the factor and clears the filter state and the phase. */
    void setup (int factor) noexcept
    {
        converter.setup (factor, true);
        phase = 0;
    }

    /** Low-passes f's samples in place and redirects *f to the kept ones:
        between floor and ceil of length / D samples, depending on the phase.
        sampleRate is divided by D. Real-time safe. */
    void Apply (Frame* f) noexcept;
};

/** Interpolates a stream by 2 or 4 and returns exactly the number of output
    samples the caller asks for, which need not be a multiple of D. */
struct StreamInterpolator
{
    static constexpr int maxFactor = 4;

    int factor = 2;
    Sos filter; ///< Anti-image low-pass at the high rate.
    float buffer[Frame::maxBlockLength + 2 * maxFactor] {};
    float held[maxFactor] {}; ///< Output samples that belong to the next block.
    int heldCount = 0;

    /** Selects the factor and its filter, and clears the state. */
    void setup (int newFactor) noexcept;

    /** Repeats each of f's samples D times, low-passes the result and
        redirects *f to outputLength samples at sampleRate x D: first the
        samples held back from the previous call, then the new ones; what is
        left over is held for the next call. The caller keeps decimator and
        interpolator in step (same factor, same stream), which guarantees that
        enough samples are there. Real-time safe. */
    void Apply (Frame* f, int outputLength) noexcept;
};
