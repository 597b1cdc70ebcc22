#pragma once

/** A mono block of single-precision samples, as it travels down the chain.

    The frame never owns its samples. Blocks that take a Frame by value work on
    data[0] to data[length - 1] in place; blocks that take a pointer to one may
    redirect it to their own output buffer (the rate converters do). No block
    accepts more than maxBlockLength samples.
*/
struct Frame
{
    /** The longest block any DSP block of the amplifier accepts. */
    static constexpr int maxBlockLength = 8192;

    float* data = nullptr; ///< First sample of the block (not owned).
    int length = 0;        ///< Number of samples.
    int sampleRate = 0;    ///< Rate of these samples in hertz.
};
