#include "Sos.h"

#include "GridRound.h"

namespace
{
/** One section's coefficients and delay values, held in registers while a
    block passes. */
struct Section
{
    float b0, b1, b2, a1, a2;
    float z1, z2;

    Section (const float* row, const float* zs) noexcept
        : b0 (row[0]), b1 (row[1]), b2 (row[2]), a1 (row[4]), a2 (row[5]), z1 (zs[0]), z2 (zs[1])
    {
    }

    /** One sample through the section, transposed direct form II. */
    inline float tick (float in) noexcept
    {
        float y = b0 * in + z1;
        // Flush near-silence to a true zero; compared in double so that the
        // threshold itself is not rounded.
        if (static_cast<double> (y < 0.0f ? -y : y) < 1e-10)
            y = 0.0f;
        const float t1 = (b1 * in + z2) - a1 * y;
        const float t2 = b2 * in - a2 * y;
        z1 = gridRound (t1);
        z2 = gridRound (t2);
        return y;
    }

    void store (float* zs) const noexcept
    {
        zs[0] = z1;
        zs[1] = z2;
    }
};
} // namespace

void Sos::SosApply (float* x, int n) noexcept
{
    if (n <= 0)
        return;

    // Each section's recursion is a chain of dependent operations, so one
    // section alone keeps the processor waiting. Four sections share one pass
    // over the block: every sample still goes through them in order and every
    // section sees exactly the values it would see section by section, so the
    // result is the same bit for bit, but the four chains overlap in time.
    int k = 0;
    for (; k + 4 <= nsec; k += 4)
    {
        Section s0 (sos + 6 * k, state[k]), s1 (sos + 6 * (k + 1), state[k + 1]);
        Section s2 (sos + 6 * (k + 2), state[k + 2]), s3 (sos + 6 * (k + 3), state[k + 3]);
        for (int i = 0; i < n; ++i)
            x[i] = s3.tick (s2.tick (s1.tick (s0.tick (x[i]))));
        s0.store (state[k]);
        s1.store (state[k + 1]);
        s2.store (state[k + 2]);
        s3.store (state[k + 3]);
    }
    for (; k < nsec; ++k)
    {
        Section s (sos + 6 * k, state[k]);
        for (int i = 0; i < n; ++i)
            x[i] = s.tick (x[i]);
        s.store (state[k]);
    }

    const float g = gain[nsec];
    if (g != 1.0f)
        for (int i = 0; i < n; ++i)
            x[i] *= g;
}
