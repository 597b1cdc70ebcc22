#include "Sos.h"

#include "GridRound.h"

void Sos::SosApply (float* x, int n) noexcept
{
    if (n <= 0)
        return;

    for (int k = 0; k < nsec; ++k)
    {
        const float* row = sos + 6 * k;
        const float b0 = row[0], b1 = row[1], b2 = row[2];
        const float a1 = row[4], a2 = row[5];
        float z1 = state[k][0];
        float z2 = state[k][1];

        for (int i = 0; i < n; ++i)
        {
            const float in = x[i];
            float y = b0 * in + z1;
            // Flush near-silence to a true zero; compared in double so that the
            // threshold itself is not rounded.
            if (static_cast<double> (y < 0.0f ? -y : y) < 1e-10)
                y = 0.0f;
            const float t1 = (b1 * in + z2) - a1 * y;
            const float t2 = b2 * in - a2 * y;
            z1 = gridRound (t1);
            z2 = gridRound (t2);
            x[i] = y;
        }

        state[k][0] = z1;
        state[k][1] = z2;
    }

    const float g = gain[nsec];
    if (g != 1.0f)
        for (int i = 0; i < n; ++i)
            x[i] *= g;
}
