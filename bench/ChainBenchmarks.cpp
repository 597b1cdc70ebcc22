// The whole amplifier as a host drives it: blocks of a fixed noise input
// through processBlock, single thread, real-time mode. Each benchmark reports
// "realtime": seconds of audio processed per CPU second (the realtime factor;
// 1 is just fast enough). Benchmarks measure; they never fail.

#include "plugin/PluginProcessor.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace
{
enum Settings
{
    defaults = 0,
    everythingOn = 1
};

void setValue (juce::RangedAudioParameter* param, float value)
{
    param->setValueNotifyingHost (param->convertTo0to1 (value));
}

std::unique_ptr<BrindlecrestAudioProcessor> makeAmp (double rate, int block, Settings settings)
{
    auto p = std::make_unique<BrindlecrestAudioProcessor>();
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add (juce::AudioChannelSet::mono());
    layout.outputBuses.add (juce::AudioChannelSet::stereo());
    p->setBusesLayout (layout);
    if (settings == everythingOn)
    {
        // Every pedal on, reverb at half in high quality, a cabinet.
        for (auto& pedal : p->pedals)
            setValue (pedal.onOff, 1.0f);
        setValue (p->reverb, 0.5f);
        setValue (p->hqReverb, 1.0f);
        setValue (p->cab, 8.0f);
    }
    p->setRateAndBufferSizeDetails (rate, block);
    p->prepareToPlay (rate, block);
    return p;
}

void BM_Amplifier (benchmark::State& state)
{
    const double rate = (double) state.range (0);
    const int block = (int) state.range (1);
    const auto settings = static_cast<Settings> (state.range (2));
    auto amp = makeAmp (rate, block, settings);

    // Two seconds of input, played in a loop block by block.
    std::mt19937 rng (1);
    std::normal_distribution<float> nd (0.0f, 0.1f);
    std::vector<float> input ((size_t) rate * 2);
    for (auto& v : input)
        v = nd (rng);

    juce::AudioBuffer<float> buffer (2, block);
    juce::MidiBuffer midi;
    size_t pos = 0;
    for (auto _ : state)
    {
        if (pos + (size_t) block > input.size())
            pos = 0;
        buffer.copyFrom (0, 0, input.data() + pos, block);
        amp->processBlock (buffer, midi);
        benchmark::DoNotOptimize (buffer.getReadPointer (0));
        pos += (size_t) block;
    }
    state.counters["realtime"] = benchmark::Counter ((double) block / rate * (double) state.iterations(),
                                                     benchmark::Counter::kIsRate);
    state.SetLabel (settings == everythingOn ? "everything on" : "defaults");
}
BENCHMARK (BM_Amplifier)
    ->ArgNames ({ "rate", "block", "on" })
    ->ArgsProduct ({ { 48000, 96000 }, { 64, 512 }, { defaults, everythingOn } })
    ->MinTime (1.0);
} // namespace

int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI framework;
    benchmark::Initialize (&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
