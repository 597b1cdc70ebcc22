#include "RateStream.h"

#include "tables/Tables.h"

#include <algorithm>

void StreamDecimator::Apply (Frame* f) noexcept
{
    const int d = converter.factor;
    const int n = std::max (0, f->length);

    if (n > 0)
        converter.filter.SosApply (f->data, n);

    // The first sample of this block whose stream position is a multiple of D.
    int m = 0;
    for (int k = (d - phase) % d; k < n; k += d)
        converter.buffer[m++] = f->data[k];

    phase = (phase + n) % d;
    *f = Frame { converter.buffer, m, f->sampleRate / d };
}

void StreamInterpolator::setup (int newFactor) noexcept
{
    factor = newFactor == 4 ? 4 : 2;
    if (factor == 4)
        filter.setTables (tables::sosFilt4, tables::gFilt4, 10);
    else
        filter.setTables (tables::sosFilt2, tables::gFilt2, 10);
    heldCount = 0;
}

void StreamInterpolator::Apply (Frame* f, int outputLength) noexcept
{
    const int d = factor;
    const int n = std::max (0, std::min (f->length, Frame::maxBlockLength / d + 1));

    std::copy (held, held + heldCount, buffer);
    float* fresh = buffer + heldCount;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < d; ++j)
            fresh[i * d + j] = f->data[i];
    filter.SosApply (fresh, n * d);

    const int total = heldCount + n * d;
    const int emitted = std::min (std::max (0, outputLength), total);
    heldCount = std::min (total - emitted, maxFactor);
    std::copy (buffer + emitted, buffer + emitted + heldCount, held);

    *f = Frame { buffer, emitted, f->sampleRate * d };
}
