#pragma once

#include "ProcessorFixture.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

/** A processor set up as a host sets it up: mono in, stereo out, prepared
    for a rate and a maximum block size. Offline unless asked otherwise, so
    that reactions complete at the next block and runs are repeatable. */
inline std::unique_ptr<BrindlecrestAudioProcessor> makePrepared (double rate, int maxBlock, bool realtime = false,
                                                                 std::function<void (BrindlecrestAudioProcessor&)> before = {})
{
    auto p = makeProcessor();
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add (juce::AudioChannelSet::mono());
    layout.outputBuses.add (juce::AudioChannelSet::stereo());
    p->setBusesLayout (layout);
    p->setNonRealtime (! realtime);
    if (before)
        before (*p);
    p->setRateAndBufferSizeDetails (rate, maxBlock);
    p->prepareToPlay (rate, maxBlock);
    return p;
}

/** Sets a parameter to a value in its own units and tells the listeners, as
    a host's automation does. */
inline void setParam (juce::AudioProcessor& p, const juce::String& id, float value)
{
    auto* param = findParameter (p, id);
    ASSERT_NE (param, nullptr) << id;
    param->setValueNotifyingHost (param->convertTo0to1 (value));
}

/** Gaussian noise at the given RMS, from a fixed seed. */
inline std::vector<float> testNoise (size_t count, uint32_t seed, float rms = 0.1f)
{
    std::mt19937 rng (seed);
    std::normal_distribution<float> nd (0.0f, rms);
    std::vector<float> x (count);
    for (auto& v : x)
        v = nd (rng);
    return x;
}

/** Runs x through the processor in blocks of the given lengths (cycled) and
    returns output channel 0; channel 1 must match it, or be silent when the
    chain does not run at the host's rate. */
inline std::vector<float> runBlocks (BrindlecrestAudioProcessor& p, const std::vector<float>& x, const std::vector<int>& lengths)
{
    const bool copiesToBothOutputs = p.rateFactor != 0;
    std::vector<float> y (x.size());
    juce::MidiBuffer midi;
    size_t pos = 0, which = 0;
    while (pos < x.size())
    {
        const int n = (int) std::min<size_t> ((size_t) lengths[which++ % lengths.size()], x.size() - pos);
        juce::AudioBuffer<float> buffer (2, n);
        buffer.clear();
        std::copy (x.begin() + (long) pos, x.begin() + (long) pos + n, buffer.getWritePointer (0));
        p.processBlock (buffer, midi);
        for (int i = 0; i < n; ++i)
        {
            y[pos + (size_t) i] = buffer.getSample (0, i);
            EXPECT_EQ (buffer.getSample (1, i), copiesToBothOutputs ? buffer.getSample (0, i) : 0.0f);
        }
        pos += (size_t) n;
    }
    return y;
}

/** Processes one empty block: the block boundary where pending changes land. */
inline void blockBoundary (BrindlecrestAudioProcessor& p)
{
    juce::AudioBuffer<float> buffer (2, 0);
    juce::MidiBuffer midi;
    p.processBlock (buffer, midi);
}
