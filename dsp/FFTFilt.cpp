#include "FFTFilt.h"

#include "FFT.h"
#include "GridRound.h"
#include "tables/Tables.h"

#include <cmath>
#include <cstring>

FFTFilt::Partitioning FFTFilt::searchPartitioning (int irLength, int64_t N0, int64_t K) noexcept
{
    Partitioning best;
    int64_t m = N0;
    float bestCost = 7583333376.0f;

    for (int i = 0; i < 17; ++i)
    {
        const int64_t f = tables::n[i];
        const int64_t L = f - N0 + 1;
        if (! (L > 0 && L < irLength))
            continue;
        if ((irLength / L + 1) / K < 1)
            continue;

        const float cost = std::ceil (static_cast<float> (irLength) / static_cast<float> (L))
                         * static_cast<float> (tables::fftflops[i]);
        if (cost < bestCost)
        {
            bestCost = cost;
            if (m <= maxFftSize)
            {
                m = f;
                best.fftSize = static_cast<int> (f);
                best.partLen = static_cast<int> (L);
            }
        }
    }
    return best;
}

void FFTFilt::Init_lc (const float* impulse, int irLength, int B, int K) noexcept
{
    ready = 0;
    if (impulse == nullptr || irLength <= 0 || B <= 0 || K <= 0)
        return;

    ir = impulse;
    irLen = irLength;
    blockLen = B;
    blocksPerFrame = K;
    frameLen = static_cast<int64_t> (B) * K;
    blockCount = 0;
    outIndex = 0;
    if (frameLen > frameCapacity)
        return;
    std::memset (frameIn, 0, sizeof (float) * (size_t) frameLen);
    std::memset (frameOut, 0, sizeof (float) * (size_t) frameLen);

    const auto choice = searchPartitioning (irLength, frameLen, K);
    if (choice.partLen == 1)
        return; // no size qualified: the reverb stays silent

    const int M = choice.fftSize;
    const int P = choice.partLen;
    const int NP = irLength / P;
    if (M > maxFftSize || (int64_t) (NP + 1) * 2 * M > spectraCapacity
        || (int64_t) irLength + 2 * M > accCapacity)
        return;

    fftSize = M;
    partLen = P;
    lastPartition = NP;
    groupSize = static_cast<int> ((NP + 1) / K);
    scale = 1.0f / static_cast<float> (M);

    // The twiddle table is rebuilt for M by the first forward transform.
    std::memset (ip, 0, sizeof (ip));
    std::memset (w, 0, sizeof (w));

    const int n = 2 * M;
    for (int j = 0; j <= NP; ++j)
    {
        const int count = j < NP ? P : irLength - NP * P;
        std::memset (segBuf, 0, sizeof (float) * (size_t) n);
        for (int k = 0; k < count; ++k)
            segBuf[2 * k] = impulse[j * P + k];
        cdftForward (n, segBuf, ip, w);
        std::memcpy (spectra + (size_t) j * (size_t) n, segBuf, sizeof (float) * (size_t) n);
    }

    std::memset (inSpec, 0, sizeof (float) * (size_t) n);
    std::memset (acc, 0, sizeof (float) * (size_t) (irLength + n));
    ready = 1;
}

void FFTFilt::clearState() noexcept
{
    if (ready == 0)
        return;
    blockCount = 0;
    outIndex = 0;
    std::memset (frameIn, 0, sizeof (float) * (size_t) frameLen);
    std::memset (frameOut, 0, sizeof (float) * (size_t) frameLen);
    std::memset (inSpec, 0, sizeof (float) * (size_t) (2 * fftSize));
    std::memset (acc, 0, sizeof (float) * (size_t) (irLen + 2 * fftSize));
}

void FFTFilt::transformFrame (const float* x, int count) noexcept
{
    const int n = 2 * fftSize;
    for (int k = 0; k < count; ++k)
    {
        inSpec[2 * k] = x[k];
        inSpec[2 * k + 1] = 0.0f;
    }
    std::memset (inSpec + 2 * count, 0, sizeof (float) * (size_t) (n - 2 * count));
    cdftForward (n, inSpec, ip, w);
}

void FFTFilt::addPartition (int j) noexcept
{
    const int M = fftSize;
    const float* s = spectra + (size_t) j * (size_t) (2 * M);
    for (int k = 0; k < 2 * M; k += 2)
    {
        const float ar = inSpec[k], ai = inSpec[k + 1];
        const float br = s[k], bi = s[k + 1];
        prod[k] = ar * br - ai * bi;
        prod[k + 1] = ai * br + ar * bi;
    }
    invcdft (2 * M, prod, ip, w);

    float* a = acc + (size_t) j * (size_t) partLen;
    const float g = scale;
    for (int k = 0; k < M; ++k)
        a[k] += prod[2 * k] * g;
}

void FFTFilt::roundAccumulator() noexcept
{
    // Beyond irLen + 2 M the accumulator is never written and stays zero.
    const int count = irLen + 2 * fftSize;
    for (int k = 0; k < count; ++k)
        acc[k] = gridRound (acc[k]);
}

void FFTFilt::Apply (Frame f) noexcept
{
    float* x = f.data;
    const int B = blockLen;
    const int n = 2 * fftSize;

    if (blocksPerFrame == 1)
    {
        blockCount = 0;
        transformFrame (x, B);
        for (int j = 0; j <= lastPartition; ++j)
            addPartition (j);

        std::memcpy (x, acc, sizeof (float) * (size_t) B);
        std::memmove (acc, acc + B, sizeof (float) * (size_t) irLen);
        std::memset (acc + irLen, 0, sizeof (float) * (size_t) n);
        roundAccumulator();
        return;
    }

    const int K = static_cast<int> (blocksPerFrame);
    const int N0 = static_cast<int> (frameLen);
    std::memcpy (frameIn + (size_t) blockCount * (size_t) B, x, sizeof (float) * (size_t) B);
    ++blockCount;

    const bool frameComplete = blockCount == K;
    const int slot = frameComplete ? K - 1 : blockCount - 1;
    if (frameComplete)
        blockCount = 0;

    // This slot's share of the partitions, on the previous frame's spectrum:
    // all of them then share one latency.
    const int first = slot * groupSize;
    const int last = slot == K - 1 ? lastPartition : first + groupSize - 1;
    for (int j = first; j <= last; ++j)
        addPartition (j);

    if (frameComplete)
    {
        transformFrame (frameIn, N0);
        std::memcpy (frameOut, acc, sizeof (float) * (size_t) N0);
        std::memmove (acc, acc + N0, sizeof (float) * (size_t) irLen);
        std::memset (acc + irLen, 0, sizeof (float) * (size_t) n);
        outIndex = 0;
    }

    roundAccumulator();

    std::memcpy (x, frameOut + (size_t) outIndex * (size_t) B, sizeof (float) * (size_t) B);
    ++outIndex;
}
