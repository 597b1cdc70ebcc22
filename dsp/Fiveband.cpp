#include "Fiveband.h"

#include <cstring>

void Fiveband::Apply (Frame f, const float* gains) noexcept
{
    const int n = f.length;
    if (n <= 0 || n > Frame::maxBlockLength)
        return;

    for (int i = 0; i < numBands; ++i)
    {
        std::memcpy (bandBuf[i], f.data, sizeof (float) * (size_t) n);
        band[i].SosApply (bandBuf[i], n);
    }

    const float g0 = gains[0], g1 = gains[1], g2 = gains[2], g3 = gains[3], g4 = gains[4];
    const float* b0 = bandBuf[0];
    const float* b1 = bandBuf[1];
    const float* b2 = bandBuf[2];
    const float* b3 = bandBuf[3];
    const float* b4 = bandBuf[4];
    float* x = f.data;

    // Bands are added strictly in order; across samples the loop vectorises.
    for (int k = 0; k < n; ++k)
    {
        float out = 0.0f;
        out = out + g0 * b0[k];
        out = out + g1 * b1[k];
        out = out + g2 * b2[k];
        out = out + g3 * b3[k];
        out = out + g4 * b4[k];
        x[k] = out;
    }
}
