#pragma once

/** A cascade of second-order sections in transposed direct form II.

    Section k reads row k of a coefficient table (b0 b1 b2 a0 a1 a2, a0 taken
    as 1) and the gain vector holds one scale value per section followed by the
    output gain of the whole cascade; only that last entry is applied. The
    block is filtered section-major: all of it through section 0, then through
    section 1, and so on.

    Two anti-denormal measures are part of the arithmetic: an output below
    1e-10 in magnitude is replaced by exactly 0 before it feeds the state, and
    every stored delay value is rounded through (v + 1) - 1 in single
    precision.

    Real-time contract: SosApply allocates nothing, takes no lock and makes no
    system call. The owner sets the table pointers and clears the state; the
    tables are never copied.
*/
struct Sos
{
    /** The largest cascade of the amplifier. */
    static constexpr int maxSections = 25;

    float state[maxSections][2] {}; ///< z1, z2 of each section.
    const float* sos = nullptr;     ///< First row of the section table (not owned).
    const float* gain = nullptr;    ///< First entry of the gain vector (not owned).
    int nsec = 0;                   ///< Sections in use, 0 to maxSections.

    /** Points the cascade at a section table and its gain vector and clears the
        state of every section. */
    void setTables (const float* sosTable, const float* gainTable, int numSections) noexcept
    {
        sos = sosTable;
        gain = gainTable;
        nsec = numSections;
        reset();
    }

    /** Clears the delay values of all sections. */
    void reset() noexcept
    {
        for (auto& s : state)
            s[0] = s[1] = 0.0f;
    }

    /** Filters x[0] to x[n - 1] in place and applies the output gain (skipped
        when it is exactly 1). The state carries over to the next call; n <= 0
        does nothing. */
    void SosApply (float* x, int n) noexcept;
};
