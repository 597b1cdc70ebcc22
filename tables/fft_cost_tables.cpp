#include "Tables.h"

// FFT sizes and the measured relative cost of one transform of each size; the
// convolution's partition search minimises (partitions) x (cost).

namespace tables
{
const int n[20] = {
    2, 4, 8, 16, 32, 64, 128, 256, 512, 1024,
    2048, 4096, 8192, 16384, 32768, 65536, 131072, 0, 0, 0,
};

const int fftflops[20] = {
    1, 1, 2, 3, 8, 15, 35, 69, 181, 330,
    743, 1519, 3509, 7121, 15000, 40000, 0, 0, 0, 0,
};
} // namespace tables
