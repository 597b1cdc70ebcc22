#pragma once

#include "Frame.h"
#include "Sos.h"

/** The five-band graphic equaliser of an amplifier channel.

    The block is split into five fourth-order band-passes (a second-order
    low-pass followed by a second-order high-pass each) and the output is their
    weighted sum, bands added in the order 0 to 4. The bands do not sum to a
    flat response: with all gains 1 there are dips of 7 to 11 dB between
    neighbouring bands, which is part of the sound.

    Real-time contract: Apply allocates nothing (the band buffers are members),
    takes no lock and makes no system call. Blocks of up to
    Frame::maxBlockLength samples.
*/
struct Fiveband
{
    static constexpr int numBands = 5;

    Sos band[numBands];                                ///< Two sections per band.
    float bandBuf[numBands][Frame::maxBlockLength] {}; ///< Each band's filtered copy of the block.

    /** Points band i at rows 2i, 2i + 1 of a band table and entries 3i to
        3i + 2 of its gain vector, and clears every band's state. */
    void setTables (const float* sosBand, const float* gainBand) noexcept
    {
        for (int i = 0; i < numBands; ++i)
            band[i].setTables (sosBand + 12 * i, gainBand + 3 * i, 2);
    }

    /** Replaces f's samples by the sum of the five bands weighted by gains[0]
        to gains[4], which are read on every call. f is not changed; a length
        above Frame::maxBlockLength leaves the block untouched. */
    void Apply (Frame f, const float* gains) noexcept;
};
