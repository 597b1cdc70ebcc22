#pragma once

#include "Frame.h"

#include <cstdint>

/** Uniformly partitioned overlap-add FFT convolution: the reverb's engine.

    The impulse response is cut into partitions of P samples, each
    zero-padded to an FFT of M = P + N0 - 1 points and transformed once at
    set-up. Every input frame of N0 samples is transformed once; each
    partition's contribution is the inverse transform of the product of the
    two spectra, added into an accumulator at the partition's offset j P (the
    textbook uniformly partitioned overlap-add convolution). The FFT size and
    partition length are chosen by a search over a table of relative FFT
    costs, minimising (partitions) x (cost of one transform).

    With K = 1 every block is its own frame and the output has no latency.
    For short blocks K blocks are gathered into one frame of N0 = K B samples
    and the partitions are spread over the K blocks of the following frame,
    so the work per block stays even; every partition, including those of the
    last slot, works on the previous frame's spectrum, so the whole response
    comes out as an exact convolution delayed by 2 N0 - B samples.

    Every accumulator value is rounded through (v + 1) - 1 after each block, so
    the tail decays to a true zero.

    Real-time contract: Apply allocates nothing (all storage is fixed-size
    members), takes no lock and makes no system call. Init_lc allocates
    nothing either but is meant for the preparing thread; the owner clears
    `ready` before calling it and calls Apply only while `ready` is 1.
*/
struct FFTFilt
{
    static constexpr int maxFftSize = 16384;        ///< M, complex points.
    static constexpr int frameCapacity = 262144;    ///< N0, samples.
    static constexpr int spectraCapacity = 300000;  ///< (partitions) x 2 M floats.
    static constexpr int accCapacity = 182768;      ///< irLen + 2 M floats.

    int ready = 0;               ///< 1 once Init_lc has completed.
    const float* ir = nullptr;   ///< The impulse response (not owned).
    int irLen = 0;               ///< Its length in samples.
    int blockLen = 0;            ///< B: samples per Apply call.
    int fftSize = 0;             ///< M: FFT length in complex points.
    int partLen = 0;             ///< P: partition length in samples.
    int64_t blocksPerFrame = 1;  ///< K: blocks gathered into one FFT frame.
    int64_t frameLen = 0;        ///< N0 = B K.
    int groupSize = 0;           ///< G = (NP + 1) / K partitions per block when K >= 2.
    int lastPartition = 0;       ///< NP: partitions are 0 to NP.
    int outIndex = 0;            ///< Next block of frameOut to emit.
    float scale = 0.0f;          ///< 1 / M.
    int blockCount = 0;          ///< Blocks gathered into frameIn so far.

    float segBuf[2 * maxFftSize] {};      ///< One partition during set-up.
    float frameIn[frameCapacity] {};      ///< The K blocks of the current frame.
    float frameOut[frameCapacity] {};     ///< The last output frame.
    float spectra[spectraCapacity] {};    ///< Partition spectra, 2 M floats each.
    float acc[accCapacity] {};            ///< Overlap-add accumulator; acc[0] is the next output.
    float prod[2 * maxFftSize] {};        ///< A product of spectra, then its inverse.
    float inSpec[2 * maxFftSize] {};      ///< Spectrum of the current (previous, K >= 2) frame.
    int ip[32768] {};                     ///< FFT work table.
    float w[32768] {};                    ///< FFT twiddle table.

    /** Chooses M and P for an impulse response of irLength samples, blocks of
        B samples and K blocks per frame, transforms the partitions and clears
        the running state. Sets `ready` to 1 on success; leaves it 0 when no
        FFT size qualifies or the configuration exceeds the member
        capacities. The response must stay alive and unchanged while ready. */
    void Init_lc (const float* impulse, int irLength, int B, int K) noexcept;

    /** Silences the running convolution (gathered input, pending output and
        the overlap-add accumulator) and keeps the transformed response, so
        the next block starts from silence. Real-time safe; for recovery, not
        for every block: it clears up to a few hundred kilobytes. */
    void clearState() noexcept;

    /** Convolves exactly blockLen samples at f.data in place; f.length is not
        read. */
    void Apply (Frame f) noexcept;

    /** The result of the partition search, without touching any state. */
    struct Partitioning
    {
        int fftSize = 0;   ///< M
        int partLen = 1;   ///< P; 1 when no size qualified
    };

    /** The FFT size and partition length the search picks: for every table
        size f in ascending order, L = f - N0 + 1 qualifies when
        0 < L < irLength and at least K partitions result; the cost is
        ceil(irLength / L) x (cost of f), in single precision; a strictly lower
        cost wins (ties keep the smaller size), and once a size above 16384
        would have been chosen nothing more is chosen. */
    static Partitioning searchPartitioning (int irLength, int64_t N0, int64_t K) noexcept;

private:
    void addPartition (int j) noexcept;
    void transformFrame (const float* x, int count) noexcept;
    void roundAccumulator() noexcept;
};
