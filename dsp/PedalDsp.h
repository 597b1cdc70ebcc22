#pragma once

#include "Frame.h"

#include <cstdint>

/** The pedal kinds, with the numeric values that index the processor's pedals. */
enum Pedal_type : int
{
    pedalChorus = 0,
    pedalReverb = 1,
    pedalTremolo = 2,
    pedalDelay = 3,
    pedalCompressor = 4
};

/** The latest samples of a stream, addressed by absolute sample index.

    Index t (counted from the start of the stream, modulo 2^32) lives in slot
    t mod Size. A reader that looks back at most Size - n samples from a block
    of n samples never meets a slot overwritten by a newer sample, and slots
    not yet written read as 0, so the line starts in silence. Unlike a line
    that is shifted by one block per call, the history stays exact whatever
    the block lengths are.
*/
template <int Size>
struct SampleRing
{
    static_assert (Size > 0 && (Size & (Size - 1)) == 0, "ring size must be a power of two");
    static constexpr uint32_t mask = static_cast<uint32_t> (Size) - 1u;

    float data[Size] {};

    float at (uint32_t t) const noexcept { return data[t & mask]; }
    void put (uint32_t t, float v) noexcept { data[t & mask] = v; }
};

/** Modulated-delay vibrato/chorus: a copy of the input read through a delay
    swept by a sine LFO (linear interpolation between samples), mixed with the
    dry signal. */
struct ChorusState
{
    static constexpr int ringSize = 16384;
    SampleRing<ringSize> line; ///< The input stream.
    uint32_t time = 0;         ///< Samples processed so far.
    float phase = 0.0f;        ///< LFO phase in [0, 1].

    void process (float* x, int n, int fs, float mix, float speed, float amp) noexcept;
};

/** A reverberator after Schroeder: four parallel feedback comb filters and
    three all-pass sections that each read the running sum. The feedback of
    every comb and all-pass is taken one block plus its delay back, which is
    part of the sound. */
struct ReverbState
{
    static constexpr int ringSize = 32768;
    SampleRing<ringSize> comb[4];    ///< Each comb's input stream (dry plus feedback).
    SampleRing<ringSize> allpass[3]; ///< Each all-pass's internal stream u.
    uint32_t time = 0;

    void process (float* x, int n, int fs, float room, float refl, float level, float late) noexcept;
};

/** Sine tremolo: the gain swings between 1 and 1 - amp. */
struct TremoloState
{
    float phase = 0.0f; ///< LFO phase in [0, 1].

    void process (float* x, int n, int fs, float speed, float amp) noexcept;
};

/** Feedback delay: q[t] = x[t] + fb q[t - n - D] (n the block length),
    y[t] = x[t] + mix q[t - D]. */
struct DelayState
{
    static constexpr int ringSize = 131072;
    SampleRing<ringSize> line; ///< The stream q.
    uint32_t time = 0;

    void process (float* x, int n, int fs, float mix, float delayTime, float fb) noexcept;
};

/** Feed-forward compressor: an instant-attack envelope follower, a static
    curve above the threshold (output level threshold (env / threshold)^(1/r))
    and a gain smoother with separate attack and release. */
struct CompressorState
{
    float env = 0.0f;      ///< Envelope.
    float smoothed = 0.0f; ///< Smoothed gain.

    void process (float* x, int n, int fs, float att, float rel, float inp, float ratio, float gain) noexcept;
};

/** The processing state of one pedal and its entry point. Every kind has its
    own state; a pedal only ever uses that of its kind. All of it starts at
    zero and is never reset.

    Real-time contract: Apply allocates nothing, takes no lock and makes no
    system call. Blocks longer than Frame::maxBlockLength are processed in
    pieces of at most that length.
*/
struct PedalDsp
{
    ChorusState chorus;
    ReverbState reverb;
    TremoloState tremolo;
    DelayState delay;
    CompressorState compressor;

    /** Returns every kind's state to silence, as after construction. Only for
        recovering from a damaged signal; it clears about 1.5 MB. */
    void reset() noexcept;

    /** Runs the pedal of the given kind on f's samples in place, at
        f->sampleRate, with the control values (0.001 to 1, in the pedal's
        control order) read once for the whole call. The frame is not
        redirected. */
    void Apply (Pedal_type kind, Frame* f, const float* controls) noexcept;
};
