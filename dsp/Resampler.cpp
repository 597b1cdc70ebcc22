#include "Resampler.h"

#include "GridRound.h"
#include "tables/Tables.h"

void Resampler::setup (int newFactor, bool isDecimator) noexcept
{
    factor = newFactor == 4 ? 4 : 2;
    down = isDecimator ? 1 : 0;
    out = Frame {};
    if (factor == 4)
        filter.setTables (tables::sosFilt4, tables::gFilt4, 10);
    else
        filter.setTables (tables::sosFilt2, tables::gFilt2, 10);
}

void Resampler::Apply (Frame* f) noexcept
{
    const int d = factor;

    if (down != 0)
    {
        const int n = f->length;
        if (n > 0)
            filter.SosApply (f->data, n);
        const int m = n > 0 ? n / d : 0;
        const float* in = f->data;
        for (int k = 0; k < m; ++k)
            buffer[k] = in[k * d];
        out = Frame { buffer, m, f->sampleRate / d };
    }
    else
    {
        int n = f->length;
        if (n < 0)
            n = 0;
        if (n > Frame::maxBlockLength / d)
            n = Frame::maxBlockLength / d;
        const float* in = f->data;
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < d; ++j)
                buffer[i * d + j] = in[i];
        filter.SosApply (buffer, n * d);
        out = Frame { buffer, n * d, f->sampleRate * d };
    }

    *f = out;
}

void Resample::setup (int newFactor) noexcept
{
    factor = newFactor == 4 ? 4 : 2;
    ntaps = factor == 4 ? 80 : 40;
    kernel = factor == 4 ? tables::resamplFilterDown_4 : tables::resamplFilterDown_2;
    up = false;
    for (auto& h : history)
        h = 0.0f;
}

void Resample::Apply (const float* src, float* dst, int count) noexcept
{
    const int taps = ntaps;
    const int d = factor;
    const float* h = kernel;

    for (int u = 0; u * d < count; ++u)
    {
        const int t = u * d;
        float sum = 0.0f;
        for (int j = 0; j <= taps; ++j)
        {
            const int i = t - j;
            // x[-k] is history[N - k].
            const float x = i >= 0 ? src[i] : history[taps + i];
            sum = sum + h[j] * x;
        }
        dst[u] = sum;
    }

    // Keep the last N samples of the stream (older history first when the call
    // was shorter than the kernel), rounded like every stored state.
    if (count >= taps)
    {
        for (int k = 0; k < taps; ++k)
            history[k] = gridRound (src[count - taps + k]);
    }
    else if (count > 0)
    {
        const int keep = taps - count;
        for (int k = 0; k < keep; ++k)
            history[k] = history[k + count];
        for (int k = 0; k < count; ++k)
            history[keep + k] = gridRound (src[k]);
    }
}
