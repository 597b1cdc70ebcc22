// Timings of the DSP blocks at a 48 kHz base rate. Each benchmark reports
// "sec_per_sample": wall time per base-rate sample, so blocks of different
// lengths and rates compare directly. Every iteration starts from the same
// input block (the copy is timed too, a few hundredths of a nanosecond per
// sample), so repeated in-place processing never drifts into silence or
// overflow. Benchmarks measure; they never fail.

#include "dsp/FFTFilt.h"
#include "dsp/Fiveband.h"
#include "dsp/PedalDsp.h"
#include "dsp/Resampler.h"
#include "dsp/Sos.h"
#include "tables/Tables.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace
{
constexpr int baseRate = 48000;

std::vector<float> noise (size_t n, float amplitude = 0.5f)
{
    std::mt19937 rng (1);
    std::uniform_real_distribution<float> dist (-amplitude, amplitude);
    std::vector<float> v (n);
    for (auto& s : v)
        s = dist (rng);
    return v;
}

void reportPerSample (benchmark::State& state, double samplesPerIteration)
{
    state.counters["sec_per_sample"] = benchmark::Counter (samplesPerIteration * (double) state.iterations(),
                                                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

//==============================================================================
void BM_Sos25 (benchmark::State& state)
{
    const int n = (int) state.range (0);
    Sos sos;
    sos.setTables (tables::hpsos2_48000, tables::hpgain2_48000, 25);
    const auto input = noise ((size_t) n);
    auto x = input;
    for (auto _ : state)
    {
        std::copy (input.begin(), input.end(), x.begin());
        sos.SosApply (x.data(), n);
        benchmark::DoNotOptimize (x.data());
    }
    reportPerSample (state, n);
}
BENCHMARK (BM_Sos25)->Arg (64)->Arg (512);

void BM_Fiveband (benchmark::State& state)
{
    const int n = (int) state.range (0);
    auto eq = std::make_unique<Fiveband>();
    eq->setTables (tables::sos_band_48000, tables::gain_band_48000);
    const float gains[5] = { 1.0f, 0.5f, 2.0f, 1.0f, 0.7f };
    const auto input = noise ((size_t) n);
    auto x = input;
    for (auto _ : state)
    {
        std::copy (input.begin(), input.end(), x.begin());
        eq->Apply ({ x.data(), n, baseRate }, gains);
        benchmark::DoNotOptimize (x.data());
    }
    reportPerSample (state, n);
}
BENCHMARK (BM_Fiveband)->Arg (64)->Arg (512);

//==============================================================================
// Converters between the host rate and the base rate: n base-rate samples per
// call (n D host-rate samples on the high side).
void BM_Resampler (benchmark::State& state)
{
    const int n = (int) state.range (0);
    const int factor = (int) state.range (1);
    const bool down = state.range (2) != 0;
    auto r = std::make_unique<Resampler>();
    r->setup (factor, down);
    const auto input = noise ((size_t) (n * factor));
    auto work = input;
    for (auto _ : state)
    {
        std::copy (input.begin(), input.end(), work.begin());
        Frame f { work.data(), down ? n * factor : n, down ? baseRate * factor : baseRate };
        r->Apply (&f);
        benchmark::DoNotOptimize (f.data);
    }
    reportPerSample (state, n);
    state.SetLabel (std::string (down ? "down" : "up") + " x" + std::to_string (factor));
}
BENCHMARK (BM_Resampler)->ArgsProduct ({ { 64, 512 }, { 2, 4 }, { 1, 0 } });

//==============================================================================
// The convolver in the reverb's configurations: base-rate block b, reverb
// decimation f, response length irLen at the reduced rate. One Apply call
// covers b base-rate samples.
void BM_FFTFilt (benchmark::State& state)
{
    const int b = (int) state.range (0);
    const int f = (int) state.range (1);
    const int irLen = (int) state.range (2);
    const int B = b / f;
    const int K = std::max (1, 1024 / b);

    auto h = noise ((size_t) irLen);
    for (int i = 0; i < irLen; ++i)
        h[(size_t) i] *= (float) std::exp (-6.0 * i / irLen);
    auto conv = std::make_unique<FFTFilt>();
    conv->Init_lc (h.data(), irLen, B, K);
    if (conv->ready != 1)
    {
        state.SkipWithError ("configuration refused");
        return;
    }
    const auto input = noise ((size_t) B);
    auto x = input;
    for (auto _ : state)
    {
        std::copy (input.begin(), input.end(), x.begin());
        conv->Apply ({ x.data(), B, baseRate / f });
        benchmark::DoNotOptimize (x.data());
    }
    reportPerSample (state, b);
    state.SetLabel ("M " + std::to_string (conv->fftSize) + ", " + std::to_string (conv->lastPartition + 1)
                    + " partitions, K " + std::to_string (K));
}
BENCHMARK (BM_FFTFilt)
    ->Args ({ 256, 4, 15983 })
    ->Args ({ 256, 4, 20694 })
    ->Args ({ 256, 4, 22649 })
    ->Args ({ 512, 2, 31966 })
    ->Args ({ 512, 2, 45298 })
    ->Args ({ 1024, 4, 17396 })
    ->Args ({ 1024, 2, 41389 })
    ->Args ({ 2048, 2, 45298 });

//==============================================================================
// Pedals at their longest delays.
void BM_Pedal (benchmark::State& state)
{
    const int n = (int) state.range (0);
    const auto kind = (Pedal_type) state.range (1);
    static const float controls[5][5] = {
        { 0.5f, 0.5f, 1.0f, 0.0f, 0.0f },      // chorus: full 5 ms sweep
        { 1.0f, 0.8f, 0.5f, 0.5f, 0.0f },      // reverb: largest room
        { 0.5f, 0.5f, 0.0f, 0.0f, 0.0f },      // tremolo
        { 0.5f, 1.0f, 0.5f, 0.0f, 0.0f },      // delay: 2 s
        { 0.3f, 0.3f, 0.5f, 0.5f, 0.3f },      // compressor
    };
    static const char* names[5] = { "chorus", "reverb", "tremolo", "delay", "compressor" };
    auto dsp = std::make_unique<PedalDsp>();
    const auto input = noise ((size_t) n, 0.1f);
    auto x = input;
    for (auto _ : state)
    {
        std::copy (input.begin(), input.end(), x.begin());
        Frame f { x.data(), n, baseRate };
        dsp->Apply (kind, &f, controls[kind]);
        benchmark::DoNotOptimize (x.data());
    }
    reportPerSample (state, n);
    state.SetLabel (names[kind]);
}
BENCHMARK (BM_Pedal)->ArgsProduct ({ { 64, 512 }, { 0, 1, 2, 3, 4 } });
} // namespace

BENCHMARK_MAIN();
