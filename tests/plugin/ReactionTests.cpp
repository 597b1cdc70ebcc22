// Parameters that reload tables: the cabinet (a loudspeaker model) and the
// reverb's type and quality (a new impulse response). They take effect at a
// block boundary, never while a block is running.

#include "ChainFixture.h"

#include "tables/Tables.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace
{
bool cleared (const Sos& s)
{
    for (int k = 0; k < s.nsec; ++k)
        if (s.state[k][0] != 0.0f || s.state[k][1] != 0.0f)
            return false;
    return true;
}

void play (BrindlecrestAudioProcessor& p, int blocks = 4)
{
    runBlocks (p, testNoise (512 * (size_t) blocks, 21), { 512 });
}
} // namespace

TEST (Reactions, CabinetLoadsItsModelAtTheNextBlock)
{
    auto p = makePrepared (48000, 512);
    EXPECT_EQ (p->speakerModel, 6);
    play (*p);
    ASSERT_FALSE (cleared (p->speakerCascade));

    // 8 -> 3: model 1, from silence, with the trims of the rate.
    setParam (*p, "cab", 3);
    blockBoundary (*p);
    EXPECT_EQ (p->speakerModel, 1);
    EXPECT_EQ (p->speakerCascade.sos, tables::hpsos2_48000 + 150);
    EXPECT_EQ (p->speakerCascade.gain, tables::hpgain2_48000 + 26);
    EXPECT_EQ (p->speakerLowPass.sos, tables::hpsoslp2_48000);
    EXPECT_EQ (p->speakerHighPass.nsec, 3);
    EXPECT_TRUE (cleared (p->speakerCascade) && cleared (p->speakerLowPass) && cleared (p->speakerHighPass));
    play (*p);

    // 3 -> 1: no cabinet; model 1 stays loaded and stands still.
    setParam (*p, "cab", 1);
    blockBoundary (*p);
    const Sos before = p->speakerCascade;
    play (*p);
    EXPECT_EQ (p->speakerModel, 1);
    EXPECT_EQ (std::memcmp (&before, &p->speakerCascade, sizeof (Sos)), 0);

    // 1 -> 8: model 6 again, from silence.
    setParam (*p, "cab", 8);
    blockBoundary (*p);
    EXPECT_EQ (p->speakerModel, 6);
    EXPECT_TRUE (cleared (p->speakerCascade));
}

TEST (Reactions, CabinetChosenAfterPreparingWithoutOneFindsTheRatesFamily)
{
    // Prepared with no cabinet, a later cabinet still gets the tables of the
    // current rate.
    for (double rate : { 44100.0, 96000.0 })
    {
        auto p = makePrepared (rate, 512, false, [] (BrindlecrestAudioProcessor& q) { setParam (q, "cab", 1); });
        setParam (*p, "cab", 5);
        blockBoundary (*p);
        const bool r44 = rate == 44100.0;
        EXPECT_EQ (p->speakerCascade.sos, (r44 ? tables::hpsos2_44100 : tables::hpsos2_48000) + 150 * 3);
        EXPECT_EQ (p->speakerHighPass.sos, r44 ? tables::hpsoshp2_44100 : tables::hpsoshp2_48000);
    }
}

TEST (Reactions, ReverbQualityReloadsTheResponseAtTheOtherFactor)
{
    auto p = makePrepared (88200, 512, false, [] (BrindlecrestAudioProcessor& q) { setParam (q, "reverb", 0.5f); });
    EXPECT_EQ (p->reverbConvolver().irLen, 15983);
    play (*p);

    setParam (*p, "hqReverb", 1);
    blockBoundary (*p);
    const auto& slot = p->reverbSlots[p->activeReverbSlot.load()];
    EXPECT_EQ (slot.factor, 2);
    EXPECT_EQ (slot.convolver.irLen, 31966);
    EXPECT_EQ (slot.convolver.blockLen, 128);
    // The new reverb starts from silence.
    EXPECT_TRUE (std::all_of (std::begin (slot.convolver.acc), std::end (slot.convolver.acc), [] (float v) { return v == 0.0f; }));

    setParam (*p, "reverbType2", 1);
    blockBoundary (*p);
    EXPECT_EQ (p->reverbConvolver().irLen, 41389);
}

TEST (Reactions, KnobsReloadNothing)
{
    auto p = makePrepared (48000, 512);
    play (*p);
    const int slot = p->activeReverbSlot.load();
    for (const char* id : { "presence", "volume", "preGainBody2", "PEDAL_Delay402", "driveEQ2", "levelIn" })
        setParam (*p, id, 0.7f);
    blockBoundary (*p);
    EXPECT_FALSE (p->reverbChangePending());
    EXPECT_EQ (p->activeReverbSlot.load(), slot);
    EXPECT_FALSE (cleared (p->speakerCascade));
}

TEST (Reactions, RestoredStateSoundsLikeWhatItSays)
{
    // A preset recalled while playing: the cabinet and the reverb it names
    // are in place at the next block, although restoring announces nothing.
    auto source = makeProcessor();
    setParam (*source, "cab", 3);
    setParam (*source, "reverbType2", 1);
    juce::MemoryBlock state;
    source->getStateInformation (state);

    auto p = makePrepared (48000, 512);
    play (*p);
    p->setStateInformation (state.getData(), (int) state.getSize());
    blockBoundary (*p);
    EXPECT_EQ (p->speakerModel, 1);
    EXPECT_EQ (p->reverbConvolver().irLen, 22649);
}

TEST (Reactions, InRealTimeTheNewReverbIsBuiltAsideAndSwitchedInAtABlock)
{
    auto p = makePrepared (48000, 512, true, [] (BrindlecrestAudioProcessor& q) { setParam (q, "reverb", 0.5f); });
    const auto x = testNoise (512, 22);
    play (*p);
    const int before = p->activeReverbSlot.load();
    EXPECT_EQ (p->reverbConvolver().irLen, 17396);

    // The change is only recorded; the old reverb goes on playing meanwhile.
    setParam (*p, "reverbType2", 1);
    EXPECT_EQ (p->activeReverbSlot.load(), before);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds (20);
    while (p->reverbChangePending() && std::chrono::steady_clock::now() < deadline)
    {
        runBlocks (*p, x, { 512 });
        std::this_thread::sleep_for (std::chrono::milliseconds (2));
    }
    ASSERT_FALSE (p->reverbChangePending());
    EXPECT_NE (p->activeReverbSlot.load(), before);
    EXPECT_EQ (p->reverbConvolver().irLen, 22649);
    EXPECT_EQ (p->reverbConvolver().ready, 1);
}

TEST (Reactions, PreparingAgainWhileABuildIsPendingIsSafe)
{
    auto p = makePrepared (48000, 512, true);
    for (int i = 0; i < 20; ++i)
    {
        setParam (*p, "hqReverb", (float) (i % 2));
        p->prepareToPlay (i % 2 == 0 ? 96000.0 : 44100.0, 256);
        play (*p, 2);
    }
    p->prepareToPlay (48000, 512);
    EXPECT_EQ (p->reverbConvolver().ready, 1);
    EXPECT_FALSE (p->reverbChangePending());
    // Destroyed right after a request, with a build possibly in flight.
    setParam (*p, "reverbType2", 1);
    p.reset();
}
