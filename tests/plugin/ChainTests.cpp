// The amplifier chain as a whole: preparation for every host rate, what each
// channel and group runs, the meters, and the stream properties a host relies
// on (any block lengths, long blocks, damaged input, silence after playing).

#include "ChainFixture.h"

#include "tables/Tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

namespace
{
float peakOf (const std::vector<float>& y, size_t from = 0, size_t to = SIZE_MAX)
{
    float peak = 0.0f;
    for (size_t i = from; i < std::min (to, y.size()); ++i)
        peak = std::max (peak, std::abs (y[i]));
    return peak;
}
} // namespace

TEST (Preparation, RateAndBlockMapping)
{
    struct Row
    {
        double hostRate;
        int maxBlock;
        bool secondResponse, highQuality;
        int baseRate, baseBlock, factor, reverbBlock;
        int64_t framesOf;
        int irLength;
    };
    const Row rows[] = {
        { 88200, 512, false, false, 44100, 256, 2, 64, 4, 15983 },
        { 44100, 2048, false, false, 44100, 2048, 1, 512, 1, 15983 },
        { 192000, 8192, false, false, 48000, 2048, 4, 512, 1, 17396 },
        { 48000, 512, true, true, 48000, 512, 1, 256, 2, 45298 },
        { 176400, 512, true, false, 44100, 128, 4, 32, 8, 20694 },
        // A maximum block smaller than the rate factor still leaves one sample,
        // and the reverb, fed through its own buffer, keeps a usable block.
        { 96000, 1, false, false, 48000, 1, 2, 16, 16, 17396 },
        { 48000, 16, false, false, 48000, 16, 1, 16, 16, 17396 },
        // Longer host blocks are cut into pieces of the chain's limit.
        { 48000, 16384, false, false, 48000, 8192, 1, 2048, 1, 17396 },
        // A rate the chain does not run at: prepared at 44.1 kHz, undivided.
        { 32000, 512, false, false, 44100, 512, 0, 128, 2, 15983 },
    };

    for (const auto& r : rows)
    {
        SCOPED_TRACE (juce::String (r.hostRate) + " Hz, block " + juce::String (r.maxBlock));
        auto p = makePrepared (r.hostRate, r.maxBlock, false, [&] (BrindlecrestAudioProcessor& q) {
            setParam (q, "reverbType2", r.secondResponse ? 1.0f : 0.0f);
            setParam (q, "hqReverb", r.highQuality ? 1.0f : 0.0f);
        });
        EXPECT_EQ (p->baseRate, r.baseRate);
        EXPECT_EQ (p->baseBlockSize, r.baseBlock);
        EXPECT_EQ (p->rateFactor, r.factor);
        const auto& slot = p->reverbSlots[p->activeReverbSlot.load()];
        EXPECT_EQ (slot.factor, r.highQuality ? 2 : 4);
        EXPECT_EQ (slot.blockLength, r.reverbBlock);
        EXPECT_EQ (slot.convolver.blocksPerFrame, r.framesOf);
        EXPECT_EQ (slot.convolver.irLen, r.irLength);
        EXPECT_EQ (slot.convolver.ready, 1);
        EXPECT_EQ (p->meterWindow, (int) (0.3f * r.hostRate));
    }
    EXPECT_EQ (makePrepared (44100, 512)->meterWindow, 13230);
}

TEST (Chain, UnsupportedRateGivesOnlyTheInputHighPass)
{
    auto p = makePrepared (32000, 256);
    const auto x = testNoise (4096, 1);
    const auto y = runBlocks (*p, x, { 256 });

    // The RC high-pass at the 44.1 kHz base rate's coefficient, in double.
    // The chain rounds its stored output onto the float grid near 1.0, so the
    // two drift apart by up to about 1e-4 over a few thousand samples.
    const double w = (double) (50.265484f / 44100.0f);
    const double alpha = 1.0 / (w + 1.0);
    double xPrev = 0.0, yPrev = 0.0;
    for (size_t i = 0; i < x.size(); ++i)
    {
        const double expected = ((yPrev + x[i]) - xPrev) * alpha;
        xPrev = x[i];
        yPrev = expected;
        ASSERT_NEAR (y[i], expected, 2e-4) << i;
    }
}

TEST (Chain, HighHostRatesReturnFullBlocksOnBothOutputs)
{
    for (double rate : { 88200.0, 96000.0, 176400.0, 192000.0 })
    {
        SCOPED_TRACE (rate);
        auto p = makePrepared (rate, 512);
        const auto y = runBlocks (*p, testNoise (512 * 40, 2), { 512 }); // checks channel 1 == channel 0
        EXPECT_GT (peakOf (y, 512 * 20), 0.01f);
    }
}

TEST (Chain, ParametersOfTheSelectedChannelOnly)
{
    // The default plays the drive channel; "Chanel" on selects the clean one.
    struct Case
    {
        const char* id;
        float value;
        bool drive; // whether the drive channel reads it
    };
    const Case cases[] = {
        { "preGainBody2", 0.9f, true }, { "preGainDetail2", 0.1f, true }, { "driveEQ3", 1.0f, true },
        { "volumeDrive", 0.9f, true },  { "boost2", 1.0f, true },         { "midboost2", 1.0f, true },
        { "preGainBody1", 0.9f, false }, { "preGainDetail1", 0.1f, false }, { "cleanEQ3", 1.0f, false },
        { "volumeClean", 0.9f, false }, { "boost1", 1.0f, false },         { "midboost1", 1.0f, false },
    };
    const auto x = testNoise (512 * 12, 3);

    for (bool clean : { false, true })
    {
        auto setup = [&] (BrindlecrestAudioProcessor& q) { setParam (q, "chanelDrive", clean ? 1.0f : 0.0f); };
        auto base = makePrepared (48000, 512, false, setup);
        const auto reference = runBlocks (*base, x, { 512 });
        for (const auto& c : cases)
        {
            SCOPED_TRACE (juce::String (clean ? "clean channel, " : "drive channel, ") + c.id);
            auto p = makePrepared (48000, 512, false, [&] (BrindlecrestAudioProcessor& q) {
                setup (q);
                setParam (q, c.id, c.value);
            });
            const bool matters = c.drive != clean;
            EXPECT_EQ (runBlocks (*p, x, { 512 }) != reference, matters);
        }
    }
}

TEST (Chain, OnlyTheDriveChannelHighPassesAfterTheSum)
{
    for (bool clean : { false, true })
    {
        auto p = makePrepared (48000, 512, false, [&] (BrindlecrestAudioProcessor& q) {
            setParam (q, "chanelDrive", clean ? 1.0f : 0.0f);
        });
        runBlocks (*p, testNoise (2048, 4), { 512 });
        EXPECT_EQ (p->driveHighPass.yPrev == 0.0f && p->driveHighPass.xPrev == 0.0f, clean);
    }
}

TEST (Chain, SlotsPlayTheirPedalAndSkipValuesThatNameNone)
{
    // The tremolo's LFO advances once per run: count the runs by its phase.
    struct Case
    {
        int order[5];
        int runs;
    };
    const Case cases[] = {
        { { 0, 1, 2, 3, 4 }, 1 },
        { { 2, 1, 2, 3, 4 }, 2 }, // the same pedal in two slots runs twice
        { { 5, 5, 5, 5, 5 }, 0 }, // 5 names no pedal: the slot is skipped
        { { 0, 1, 5, 3, 4 }, 0 },
    };
    constexpr int n = 480;
    for (const auto& c : cases)
    {
        auto p = makePrepared (48000, n, false, [&] (BrindlecrestAudioProcessor& q) {
            setParam (q, "PEDAL_TREMOLO399", 1.0f);
            setParam (q, "PEDAL_TREMOLO301", 0.2f); // 1 Hz
            for (int s = 0; s < 5; ++s)
                setParam (q, q.orderParams[s]->paramID, (float) c.order[s]);
        });
        runBlocks (*p, testNoise (n, 5), { n });
        EXPECT_NEAR (p->pedals[2].dsp.tremolo.phase, c.runs * n / 48000.0f, 1e-4f);
    }
}

TEST (Chain, PedalsSitBeforeTheAmplifierOrInTheLoop)
{
    // The delay pedal's echo: before the amplifier it is distorted with the
    // dry signal; in the loop it is added after the amplifier. Either way the
    // pedal must run exactly once.
    for (bool before : { false, true })
    {
        auto p = makePrepared (48000, 512, false, [&] (BrindlecrestAudioProcessor& q) {
            setParam (q, "PEDAL_Delay499", 1.0f);
            setParam (q, "PEDAL_Delay498", before ? 1.0f : 0.0f);
        });
        runBlocks (*p, testNoise (512 * 4, 6), { 512 });
        EXPECT_EQ (p->pedals[3].dsp.delay.time, 512u * 4u);
    }
}

TEST (Meters, RiseAtOnceAndFallOneStepPerWindow)
{
    // fs / 4: the samples are 0, 1, 0, -1, so the peak is exactly 1.
    auto p = makePrepared (48000, 512);
    juce::MidiBuffer midi;
    std::vector<float> inAfterBlock;
    for (int block = 0; block < 200; ++block)
    {
        juce::AudioBuffer<float> buffer (2, 512);
        buffer.clear();
        if (block < 40)
            for (int i = 0; i < 512; ++i)
                buffer.setSample (0, i, (float) std::sin (juce::MathConstants<double>::halfPi * i));
        p->processBlock (buffer, midi);
        inAfterBlock.push_back (p->levelIn->get());
    }

    EXPECT_EQ (inAfterBlock[0], 0.0f);    // the first block shows the peaks before it
    EXPECT_NEAR (inAfterBlock[1], 100.0f, 1e-3f); // full scale reads 100 from the second block
    EXPECT_NEAR (inAfterBlock[39], 100.0f, 1e-3f);

    // In silence the meter falls to 70 % of its value at the end of every
    // window; windows are 14400 samples, tested at block starts, so a step
    // every 30 blocks of 512.
    std::vector<std::pair<int, float>> steps;
    for (int b = 41; b < 200; ++b)
        if (inAfterBlock[(size_t) b] != inAfterBlock[(size_t) b - 1])
            steps.push_back ({ b, inAfterBlock[(size_t) b] });
    ASSERT_GE (steps.size(), 4u);
    float expected = 100.0f;
    for (size_t k = 0; k < 4; ++k)
    {
        expected *= 0.7f;
        EXPECT_NEAR (steps[k].second, expected, 1e-2f);
        if (k > 0)
        {
            EXPECT_EQ (steps[k].first - steps[k - 1].first, 30);
        }
    }
    EXPECT_GT (p->levelOut->get(), 0.0f);
}

TEST (Chain, ReverbAtZeroLeavesItsStateStandingStill)
{
    auto p = makePrepared (48000, 512);
    const auto x = testNoise (512 * 8, 7);
    setParam (*p, "reverb", 0.0f);
    runBlocks (*p, x, { 512 });
    const auto& c = p->reverbConvolver();
    EXPECT_EQ (c.blockCount, 0);
    EXPECT_EQ (c.outIndex, 0);
    EXPECT_EQ (p->reverbFeed.inputCount, 0);
    EXPECT_TRUE (std::all_of (std::begin (c.acc), std::begin (c.acc) + 1000, [] (float v) { return v == 0.0f; }));

    setParam (*p, "reverb", 0.5f);
    runBlocks (*p, x, { 512 });
    EXPECT_FALSE (std::all_of (std::begin (c.acc), std::begin (c.acc) + 1000, [] (float v) { return v == 0.0f; }));
}

TEST (Chain, AnyCutOfTheStreamGivesTheSameOutput)
{
    // With the pedals off (their feedback paths follow the block length by
    // design), cutting the input differently changes nothing, at any host
    // rate, with or without the reverb and its high-quality mode; and one
    // block far longer than the chain's limit is processed in pieces.
    struct Case
    {
        double rate;
        float reverb;
        bool hq;
    };
    const Case cases[] = { { 48000, 0.0f, false }, { 44100, 0.6f, false }, { 96000, 0.6f, true }, { 176400, 0.6f, false },
                           { 192000, 0.3f, true } };
    const auto x = testNoise (30000, 8);
    const std::vector<int> odd { 1, 7, 333, 0, 2, 1023, 5, 64, 255, 3, 1000, 0, 17, 8192 };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (juce::String (c.rate) + " Hz, reverb " + juce::String (c.reverb));
        auto setup = [&] (BrindlecrestAudioProcessor& q) {
            setParam (q, "reverb", c.reverb);
            setParam (q, "hqReverb", c.hq ? 1.0f : 0.0f);
        };
        auto constant = makePrepared (c.rate, 8192, false, setup);
        auto cut = makePrepared (c.rate, 8192, false, setup);
        auto whole = makePrepared (c.rate, 8192, false, setup);
        const auto expected = runBlocks (*constant, x, { 512 });
        EXPECT_EQ (runBlocks (*cut, x, odd), expected);
        EXPECT_EQ (runBlocks (*whole, x, { 30000 }), expected);
        EXPECT_GT (peakOf (expected), 0.01f);
    }
}

TEST (Chain, NonFiniteInputNeverSilencesTheAmplifier)
{
    auto p = makePrepared (96000, 512);
    auto x = testNoise (96000, 9, 0.2f);
    x[1000] = std::numeric_limits<float>::quiet_NaN();
    x[1001] = std::numeric_limits<float>::infinity();
    x[20000] = -std::numeric_limits<float>::infinity();
    const auto y = runBlocks (*p, x, { 512 });
    EXPECT_TRUE (std::all_of (y.begin(), y.end(), [] (float v) { return std::isfinite (v); }));
    EXPECT_GT (peakOf (y, 48000), 0.01f);
    EXPECT_TRUE (std::isfinite (p->levelIn->get()));
    EXPECT_TRUE (std::isfinite (p->levelOut->get()));
}

TEST (Chain, DamagedInternalStateRecoversWithinASecond)
{
    // Whatever gets a non-number into a filter, the chain starts again from
    // silence instead of staying broken.
    auto p = makePrepared (48000, 512);
    runBlocks (*p, testNoise (4800, 10), { 512 });
    p->bodyNoMid.state[3][0] = std::numeric_limits<float>::quiet_NaN();
    p->pedals[0].dsp.chorus.line.data[0] = std::numeric_limits<float>::infinity();
    const auto y = runBlocks (*p, testNoise (48000, 11), { 512 });
    EXPECT_TRUE (std::all_of (y.begin(), y.end(), [] (float v) { return std::isfinite (v); }));
    EXPECT_GT (peakOf (y, 24000), 0.01f);
}

TEST (Chain, SilenceAfterPlayingIsSilent)
{
    // At the default settings, two seconds after the input stops the output
    // is below -90 dBFS: no idle tone and no standing offset.
    for (double rate : { 48000.0, 44100.0, 96000.0 })
    {
        SCOPED_TRACE (rate);
        auto p = makePrepared (rate, 512);
        const auto r = (size_t) rate;
        auto x = testNoise (r * 4, 12, 0.3f);
        std::fill (x.begin() + (long) r, x.end(), 0.0f);
        const auto y = runBlocks (*p, x, { 512 });
        EXPECT_LT (peakOf (y, r * 3), std::pow (10.0f, -90.0f / 20.0f));
    }
}

TEST (Meters, ListenersHearOfThemOffTheAudioThread)
{
    // The audio thread only stores the meter values; the host and the
    // listeners are told by the background work, on the message thread.
    struct Counter : juce::AudioProcessorParameter::Listener
    {
        int calls = 0;
        float last = 0.0f;
        void parameterValueChanged (int, float v) override
        {
            ++calls;
            last = v;
        }
        void parameterGestureChanged (int, bool) override {}
    } counter;

    auto p = makePrepared (48000, 512);
    p->levelIn->addListener (&counter);
    runBlocks (*p, testNoise (512 * 4, 40, 0.5f), { 512 });
    EXPECT_EQ (counter.calls, 0);
    EXPECT_GT (p->levelIn->get(), 0.0f);

    p->serviceBackgroundWork();
    p->meterNotifier.handleUpdateNowIfNeeded();
    EXPECT_EQ (counter.calls, 1);
    EXPECT_FLOAT_EQ (counter.last, p->levelIn->convertTo0to1 (p->levelIn->get()));
    p->levelIn->removeListener (&counter);
}
