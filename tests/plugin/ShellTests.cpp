// What a host sees of the processor before any audio runs.

#include "ProcessorFixture.h"

#include <gtest/gtest.h>

TEST (Shell, IdentityProgramsAndMidi)
{
    auto processor = makeProcessor();
    EXPECT_EQ (processor->getName(), "Brindlecrest");
    EXPECT_EQ (processor->getTailLengthSeconds(), 0.0);
    EXPECT_FALSE (processor->acceptsMidi());
    EXPECT_FALSE (processor->producesMidi());
    EXPECT_FALSE (processor->isMidiEffect());
    EXPECT_TRUE (processor->hasEditor());
    EXPECT_FALSE (processor->supportsDoublePrecisionProcessing());

    EXPECT_EQ (processor->getNumPrograms(), 1);
    EXPECT_EQ (processor->getCurrentProgram(), 0);
    EXPECT_EQ (processor->getProgramName (0), "");
    processor->setCurrentProgram (3);
    processor->changeProgramName (0, "Lead");
    EXPECT_EQ (processor->getCurrentProgram(), 0);
    EXPECT_EQ (processor->getProgramName (0), "");
}

TEST (Shell, BusesAreStereoAndInactiveUntilTheHostNegotiates)
{
    auto processor = makeProcessor();
    ASSERT_EQ (processor->getBusCount (true), 1);
    ASSERT_EQ (processor->getBusCount (false), 1);
    EXPECT_EQ (processor->getBus (true, 0)->getName(), "Input");
    EXPECT_EQ (processor->getBus (false, 0)->getName(), "Output");
    EXPECT_EQ (processor->getBus (true, 0)->getDefaultLayout(), juce::AudioChannelSet::stereo());
    EXPECT_EQ (processor->getBus (false, 0)->getDefaultLayout(), juce::AudioChannelSet::stereo());
    EXPECT_FALSE (processor->getBus (true, 0)->isEnabled());
    EXPECT_FALSE (processor->getBus (false, 0)->isEnabled());
}

TEST (Shell, EditorOpensAtItsFixedSize)
{
    auto processor = makeProcessor();
    std::unique_ptr<juce::AudioProcessorEditor> editor (processor->createEditor());
    ASSERT_NE (editor, nullptr);
    EXPECT_EQ (editor->getWidth(), 1300);
    EXPECT_EQ (editor->getHeight(), 730);
    EXPECT_FALSE (editor->isResizable());
}

TEST (PedalCatalogue, FiveKindsAsConstructed)
{
    struct Expected
    {
        const char* prefix;
        const char* name;
        std::vector<const char*> labels;
        bool before;
    };
    const Expected expected[] = {
        { "PEDAL_CHORUS", "Vibrato/Chorus", { "Phase Mix", "Speed", "Amplitude" }, true },
        { "PEDAL_REVERB", "Digital reverb", { "RoomSize", "Reflection Factor", "Mix", "Early/Late Mix" }, false },
        { "PEDAL_TREMOLO", "Tremolo", { "Speed", "Amplitude" }, true },
        { "PEDAL_Delay", "Delay", { "Mix", "Delay", "Feedback" }, false },
        { "PEDAL_Compressor", "Compressor", { "Attack", "Release", "Input", "Ratio", "Gain" }, true },
    };

    auto processor = makeProcessor();
    for (int i = 0; i < BrindlecrestAudioProcessor::numPedals; ++i)
    {
        SCOPED_TRACE (i);
        const auto& pedal = processor->pedals[i];
        const auto& e = expected[i];
        EXPECT_EQ (static_cast<int> (pedal.kind), i);
        EXPECT_EQ (pedal.idPrefix, e.prefix);
        EXPECT_EQ (pedal.displayName, e.name);
        EXPECT_EQ (pedal.beforeDefault, e.before);
        ASSERT_EQ (pedal.nControls, (int) e.labels.size());
        for (int j = 0; j < Pedal::maxControls; ++j)
            EXPECT_EQ (pedal.labels[j], j < pedal.nControls ? juce::String (e.labels[(size_t) j]) : juce::String());
    }
}

TEST (PedalCatalogue, UnknownKindChangesNothing)
{
    Pedal pedal;
    pedal.init (pedalDelay);
    for (int bad : { -1, 5, 99 })
    {
        pedal.init (static_cast<Pedal_type> (bad));
        EXPECT_EQ (pedal.kind, pedalDelay);
        EXPECT_EQ (pedal.idPrefix, "PEDAL_Delay");
        EXPECT_EQ (pedal.displayName, "Delay");
        EXPECT_EQ (pedal.nControls, 3);
        EXPECT_EQ (pedal.labels[2], "Feedback");
        EXPECT_FALSE (pedal.beforeDefault);
    }
}
