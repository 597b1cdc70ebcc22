// Every audio-thread entry point of the DSP blocks runs without touching the
// heap. This executable replaces the global allocation functions with
// counting ones; the first test proves the counter sees an allocation.

#include "dsp/FFTFilt.h"
#include "dsp/Fiveband.h"
#include "dsp/PedalDsp.h"
#include "dsp/RCfilt.h"
#include "dsp/Resampler.h"
#include "dsp/Sos.h"
#include "dsp/ValveStage.h"
#include "tables/Tables.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

namespace
{
std::atomic<long> allocations { 0 };
}

void* operator new (std::size_t size)
{
    allocations.fetch_add (1, std::memory_order_relaxed);
    if (void* p = std::malloc (size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

void* operator new[] (std::size_t size)
{
    return operator new (size);
}

void operator delete (void* p) noexcept { std::free (p); }
void operator delete[] (void* p) noexcept { std::free (p); }
void operator delete (void* p, std::size_t) noexcept { std::free (p); }
void operator delete[] (void* p, std::size_t) noexcept { std::free (p); }

namespace
{
/** Counts the allocations made while it is alive. */
struct AllocationProbe
{
    long start = allocations.load();
    long count() const { return allocations.load() - start; }
};

TEST (NoAllocation, ProbeSeesAnAllocation)
{
    AllocationProbe probe;
    auto v = std::make_unique<std::vector<float>> (100);
    EXPECT_GE (probe.count(), 2);
}

TEST (NoAllocation, AudioThreadEntryPoints)
{
    // Everything is built before the probe starts.
    std::vector<float> x (8192, 0.25f);
    std::vector<float> table (65536, 0.1f);
    std::vector<float> ir (5000, 0.001f);
    auto sos = std::make_unique<Sos>();
    auto eq = std::make_unique<Fiveband>();
    auto rc = std::make_unique<RCfilt>();
    auto down = std::make_unique<Resampler>();
    auto up = std::make_unique<Resampler>();
    auto conv1 = std::make_unique<FFTFilt>();
    auto conv4 = std::make_unique<FFTFilt>();
    auto pedals = std::make_unique<PedalDsp>();
    ValveStage valve;
    valve.table = table.data();
    sos->setTables (tables::sosFilt2, tables::gFilt2, 10);
    eq->setTables (tables::sos_band_48000, tables::gain_band_48000);
    rc->setup (false, 50.265484f, 48000);
    down->setup (4, true);
    up->setup (4, false);
    const float gains[5] = { 1, 1, 1, 1, 1 };
    const float controls[5] = { 0.5f, 0.5f, 0.5f, 0.5f, 0.5f };

    AllocationProbe probe;
    conv1->Init_lc (ir.data(), (int) ir.size(), 256, 1);
    conv4->Init_lc (ir.data(), (int) ir.size(), 16, 4);
    for (int block = 0; block < 8; ++block)
    {
        sos->SosApply (x.data(), 512);
        eq->Apply ({ x.data(), 512, 48000 }, gains);
        rc->Apply ({ x.data(), 512, 48000 });
        valve.Apply (x.data(), 512);
        Frame f { x.data(), 2048, 192000 };
        down->Apply (&f);
        up->Apply (&f);
        conv1->Apply ({ x.data(), 256, 12000 });
        conv4->Apply ({ x.data(), 16, 12000 });
        for (int kind = 0; kind < 5; ++kind)
        {
            Frame p { x.data(), 512, 48000 };
            pedals->Apply ((Pedal_type) kind, &p, controls);
        }
    }
    EXPECT_EQ (probe.count(), 0);
}
} // namespace
