#pragma once

#include <algorithm>

/** Runs a process that needs blocks of exactly B samples on a stream cut into
    blocks of any length, at the cost of a fixed latency of B samples.

    Input is gathered until B samples are there; each full block is processed
    in place and queued as output. The output queue starts with B zeros, so
    every call can return as many samples as it was given.

    Real-time contract: no allocation, no lock; the storage is fixed-size.
*/
template <int Capacity>
struct BlockFeed
{
    float input[Capacity] {};
    float output[Capacity] {};
    int inputCount = 0;
    int outputCount = 0;
    int blockLength = 1;

    /** Sets B and restarts from silence. B must leave room for the longest
        call: B + n <= Capacity. */
    void reset (int newBlockLength) noexcept
    {
        blockLength = std::max (1, std::min (newBlockLength, Capacity / 2));
        inputCount = 0;
        outputCount = blockLength;
        std::fill (output, output + outputCount, 0.0f);
    }

    /** Feeds x[0..n) and replaces it with the next n output samples. process
        is called with a pointer to B samples to transform in place, once per
        completed block. */
    template <typename Process>
    void run (float* x, int n, Process&& process) noexcept
    {
        n = std::max (0, std::min (n, Capacity - blockLength));
        std::copy (x, x + n, input + inputCount);
        inputCount += n;

        int done = 0;
        while (inputCount - done >= blockLength)
        {
            float* block = input + done;
            process (block);
            std::copy (block, block + blockLength, output + outputCount);
            outputCount += blockLength;
            done += blockLength;
        }
        std::copy (input + done, input + inputCount, input);
        inputCount -= done;

        std::copy (output, output + n, x);
        std::copy (output + n, output + outputCount, output);
        outputCount -= n;
    }
};
