// The parameter list is an external interface: hosts automate by index, saved
// states and the editor look parameters up by ID.

#include "ProcessorFixture.h"

#include <gtest/gtest.h>

namespace
{
enum Kind
{
    F,
    B,
    I
};

struct Row
{
    const char* id;
    const char* name;
    Kind kind;
    float min, max, def;
};

// clang-format off
const Row expected[] = {
    { "PEDAL_CHORUS101", "Phase Mix", F, 0.001f, 1, 0.5f },
    { "PEDAL_CHORUS102", "Speed", F, 0.001f, 1, 0.5f },
    { "PEDAL_CHORUS103", "Amplitude", F, 0.001f, 1, 0.5f },
    { "PEDAL_CHORUS199", "On/Off", B, 0, 1, 0 },
    { "PEDAL_CHORUS198", "IS_BEFORE", B, 0, 1, 1 },
    { "PEDAL_REVERB201", "RoomSize", F, 0.001f, 1, 0.5f },
    { "PEDAL_REVERB202", "Reflection Factor", F, 0.001f, 1, 0.5f },
    { "PEDAL_REVERB203", "Mix", F, 0.001f, 1, 0.5f },
    { "PEDAL_REVERB204", "Early/Late Mix", F, 0.001f, 1, 0.5f },
    { "PEDAL_REVERB299", "On/Off", B, 0, 1, 0 },
    { "PEDAL_REVERB298", "IS_BEFORE", B, 0, 1, 0 },
    { "PEDAL_TREMOLO301", "Speed", F, 0.001f, 1, 0.5f },
    { "PEDAL_TREMOLO302", "Amplitude", F, 0.001f, 1, 0.5f },
    { "PEDAL_TREMOLO399", "On/Off", B, 0, 1, 0 },
    { "PEDAL_TREMOLO398", "IS_BEFORE", B, 0, 1, 1 },
    { "PEDAL_Delay401", "Mix", F, 0.001f, 1, 0.5f },
    { "PEDAL_Delay402", "Delay", F, 0.001f, 1, 0.5f },
    { "PEDAL_Delay403", "Feedback", F, 0.001f, 1, 0.5f },
    { "PEDAL_Delay499", "On/Off", B, 0, 1, 0 },
    { "PEDAL_Delay498", "IS_BEFORE", B, 0, 1, 0 },
    { "PEDAL_Compressor501", "Attack", F, 0.001f, 1, 0.5f },
    { "PEDAL_Compressor502", "Release", F, 0.001f, 1, 0.5f },
    { "PEDAL_Compressor503", "Input", F, 0.001f, 1, 0.5f },
    { "PEDAL_Compressor504", "Ratio", F, 0.001f, 1, 0.5f },
    { "PEDAL_Compressor505", "Gain", F, 0.001f, 1, 0.5f },
    { "PEDAL_Compressor599", "On/Off", B, 0, 1, 0 },
    { "PEDAL_Compressor598", "IS_BEFORE", B, 0, 1, 1 },
    { "PEDAL_CHORUSORDER1", "Vibrato/Chorus", I, 0, 5, 0 },
    { "PEDAL_REVERBORDER2", "Digital reverb", I, 0, 5, 1 },
    { "PEDAL_TREMOLOORDER3", "Tremolo", I, 0, 5, 2 },
    { "PEDAL_DelayORDER4", "Delay", I, 0, 5, 3 },
    { "PEDAL_CompressorORDER5", "Compressor", I, 0, 5, 4 },
    { "preGainBody1", "Body Ch.1", F, 0.01f, 1, 0.5f },
    { "preGainDetail1", "Detail Ch.1", F, 0.01f, 1, 0.5f },
    { "preGainBody2", "Body Ch.2", F, 0.01f, 1, 0.5f },
    { "preGainDetail2", "Detail Ch.2", F, 0.01f, 1, 0.5f },
    { "cleanEQ1", "1", F, 0, 1, 0.5f },
    { "driveEQ1", "1", F, 0, 1, 0.5f },
    { "cleanEQ2", "2", F, 0, 1, 0.5f },
    { "driveEQ2", "2", F, 0, 1, 0.5f },
    { "cleanEQ3", "3", F, 0, 1, 0.5f },
    { "driveEQ3", "3", F, 0, 1, 0.5f },
    { "cleanEQ4", "4", F, 0, 1, 0.5f },
    { "driveEQ4", "4", F, 0, 1, 0.5f },
    { "cleanEQ5", "5", F, 0, 1, 0.5f },
    { "driveEQ5", "5", F, 0, 1, 0.5f },
    { "volume", "Main Volume", F, 0, 1, 0.5f },
    { "pedalboard", "pedalboard", B, 0, 1, 0 },
    { "volumeClean", "Volume Clean", F, 0.01f, 1, 0.5f },
    { "volumeDrive", "Volume DRive", F, 0.01f, 1, 0.5f },
    { "presence", "Presence", F, 0, 1, 0.5f },
    { "reverb", "Reverb", F, 0, 1, 0 },
    { "reverbType2", "Reverb Type", B, 0, 1, 0 },
    { "chanelDrive", "Chanel", B, 0, 1, 0 },
    { "midboost1", "Mid Boost", B, 0, 1, 0 },
    { "midboost2", "Mid Boost", B, 0, 1, 0 },
    { "hqReverb", "HQ reverb", B, 0, 1, 0 },
    { "boost1", "Boost", B, 0, 1, 0 },
    { "boost2", "Boost", B, 0, 1, 0 },
    { "cab", "Cabinet", I, 1, 13, 8 },
    { "levelIn", "In", F, 0, 100, 0 },
    { "levelOut", "Out", F, 0, 100, 0 },
};
// clang-format on
} // namespace

TEST (Parameters, MatchTheTableInOrder)
{
    auto processor = makeProcessor();
    const auto& params = processor->getParameters();
    ASSERT_EQ (params.size(), (int) std::size (expected));
    ASSERT_EQ (params.size(), BrindlecrestAudioProcessor::numParameters);

    for (int i = 0; i < params.size(); ++i)
    {
        SCOPED_TRACE (juce::String ("index ") + juce::String (i));
        const auto& row = expected[i];
        auto* param = dynamic_cast<juce::RangedAudioParameter*> (params[i]);
        ASSERT_NE (param, nullptr);
        EXPECT_EQ (param->getParameterIndex(), i);
        EXPECT_EQ (param->paramID, row.id);
        EXPECT_EQ (param->getName (100), row.name);
        EXPECT_TRUE (param->isAutomatable());
        EXPECT_EQ (param->getLabel(), "");

        const auto& range = param->getNormalisableRange();
        EXPECT_FLOAT_EQ (range.start, row.min);
        EXPECT_FLOAT_EQ (range.end, row.max);
        EXPECT_FLOAT_EQ (range.skew, 1.0f);

        switch (row.kind)
        {
            case F:
                ASSERT_NE (dynamic_cast<juce::AudioParameterFloat*> (param), nullptr);
                EXPECT_EQ (range.interval, 0.0f) << "float parameters are continuous";
                EXPECT_EQ (dynamic_cast<juce::AudioParameterFloat*> (param)->get(), row.def);
                break;
            case B:
                ASSERT_NE (dynamic_cast<juce::AudioParameterBool*> (param), nullptr);
                EXPECT_EQ (dynamic_cast<juce::AudioParameterBool*> (param)->get(), row.def >= 0.5f);
                break;
            case I:
                ASSERT_NE (dynamic_cast<juce::AudioParameterInt*> (param), nullptr);
                EXPECT_EQ (dynamic_cast<juce::AudioParameterInt*> (param)->get(), (int) row.def);
                break;
        }
        EXPECT_FLOAT_EQ (param->convertFrom0to1 (param->getDefaultValue()), row.def);
    }
}

TEST (Parameters, NamedPointersAndOrderSlotsPointAtTheirParameters)
{
    auto processor = makeProcessor();
    auto& p = *processor;

    const std::pair<juce::RangedAudioParameter*, const char*> named[] = {
        { p.preGainBody1, "preGainBody1" }, { p.preGainDetail1, "preGainDetail1" },
        { p.preGainBody2, "preGainBody2" }, { p.preGainDetail2, "preGainDetail2" },
        { p.cleanEQ1, "cleanEQ1" },         { p.driveEQ1, "driveEQ1" },
        { p.cleanEQ2, "cleanEQ2" },         { p.driveEQ2, "driveEQ2" },
        { p.cleanEQ3, "cleanEQ3" },         { p.driveEQ3, "driveEQ3" },
        { p.cleanEQ4, "cleanEQ4" },         { p.driveEQ4, "driveEQ4" },
        { p.cleanEQ5, "cleanEQ5" },         { p.driveEQ5, "driveEQ5" },
        { p.volume, "volume" },             { p.pedalboard, "pedalboard" },
        { p.volumeClean, "volumeClean" },   { p.volumeDrive, "volumeDrive" },
        { p.presence, "presence" },         { p.reverb, "reverb" },
        { p.reverbType2, "reverbType2" },   { p.chanelDrive, "chanelDrive" },
        { p.midboost1, "midboost1" },       { p.midboost2, "midboost2" },
        { p.hqReverb, "hqReverb" },         { p.boost1, "boost1" },
        { p.boost2, "boost2" },             { p.cab, "cab" },
        { p.levelIn, "levelIn" },           { p.levelOut, "levelOut" },
    };
    for (const auto& [param, id] : named)
    {
        ASSERT_NE (param, nullptr) << id;
        EXPECT_EQ (param, findParameter (p, id)) << id;
    }

    for (int s = 0; s < BrindlecrestAudioProcessor::numPedals; ++s)
    {
        ASSERT_NE (p.orderParams[s], nullptr);
        EXPECT_EQ (p.orderParams[s]->getParameterIndex(), 27 + s);
    }

    // Each pedal holds its own controls, switch and position, in creation order.
    int index = 0;
    for (const auto& pedal : p.pedals)
    {
        for (int j = 0; j < pedal.nControls; ++j)
            EXPECT_EQ (pedal.controls[j]->getParameterIndex(), index++);
        for (int j = pedal.nControls; j < Pedal::maxControls; ++j)
            EXPECT_EQ (pedal.controls[j], nullptr);
        EXPECT_EQ (pedal.onOff->getParameterIndex(), index++);
        EXPECT_EQ (pedal.isBefore->getParameterIndex(), index++);
    }
    EXPECT_EQ (index, 27);
}

TEST (Parameters, BooleansSwitchAtOneHalf)
{
    auto processor = makeProcessor();
    auto* hq = processor->hqReverb;
    static_cast<juce::AudioProcessorParameter*> (hq)->setValue (0.49f);
    EXPECT_FALSE (hq->get());
    static_cast<juce::AudioProcessorParameter*> (hq)->setValue (0.5f);
    EXPECT_TRUE (hq->get());
}
