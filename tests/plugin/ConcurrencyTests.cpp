// The audio thread plays while other threads automate every parameter that
// reloads something, move knobs, and save and restore the state, as hosts do.
// Built with ThreadSanitizer (see tools/test.sh), this is also the check that
// no data race exists between them.

#include "ChainFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

TEST (Concurrency, AutomationStateAndAudioAtOnce)
{
    auto p = makePrepared (48000, 256, true, [] (BrindlecrestAudioProcessor& q) {
        setParam (q, "reverb", 0.4f);
        setParam (q, "PEDAL_Delay499", 1.0f);
    });
    std::atomic<bool> stop { false };
    std::atomic<long> nonFinite { 0 }, blocks { 0 };

    std::thread audio ([&] {
        juce::AudioBuffer<float> buffer (2, 256);
        juce::MidiBuffer midi;
        const auto x = testNoise (256, 30, 0.3f);
        while (! stop.load())
        {
            std::copy (x.begin(), x.end(), buffer.getWritePointer (0));
            p->processBlock (buffer, midi);
            for (int i = 0; i < 256; ++i)
                if (! std::isfinite (buffer.getSample (0, i)))
                    nonFinite.fetch_add (1);
            blocks.fetch_add (1);
        }
    });

    std::thread automation ([&] {
        std::mt19937 rng (31);
        auto* cab = findParameter (*p, "cab");
        auto* type = findParameter (*p, "reverbType2");
        auto* hq = findParameter (*p, "hqReverb");
        auto* presence = findParameter (*p, "presence");
        auto* feedback = findParameter (*p, "PEDAL_Delay403");
        for (int i = 0; ! stop.load(); ++i)
        {
            cab->setValueNotifyingHost ((float) (rng() % 13) / 12.0f);
            presence->setValueNotifyingHost ((float) (rng() % 100) / 100.0f);
            feedback->setValueNotifyingHost ((float) (rng() % 100) / 100.0f);
            if (i % 20 == 0)
                type->setValueNotifyingHost ((float) (rng() % 2));
            if (i % 33 == 0)
                hq->setValueNotifyingHost ((float) (rng() % 2));
            std::this_thread::sleep_for (std::chrono::milliseconds (1));
        }
    });

    std::thread stateThread ([&] {
        while (! stop.load())
        {
            juce::MemoryBlock state;
            p->getStateInformation (state);
            p->setStateInformation (state.getData(), (int) state.getSize());
            std::this_thread::sleep_for (std::chrono::milliseconds (7));
        }
    });

    std::this_thread::sleep_for (std::chrono::milliseconds (1500));
    stop.store (true);
    audio.join();
    automation.join();
    stateThread.join();

    EXPECT_GT (blocks.load(), 100);
    EXPECT_EQ (nonFinite.load(), 0);
}
