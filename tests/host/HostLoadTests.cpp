// Loads the built VST3 and LV2 plug-ins through the framework's hosting
// classes and checks what a host sees: identity, parameters, channels, state.

#include <gtest/gtest.h>
#include <juce_audio_processors/juce_audio_processors.h>

namespace
{
struct FormatCase
{
    const char* name;
    std::function<std::unique_ptr<juce::AudioPluginFormat>()> make;
    const char* path;
};

std::unique_ptr<juce::AudioPluginInstance> load (const FormatCase& c, juce::PluginDescription& description)
{
    auto format = c.make();

    // Scan the folder the plug-in was built into, as a host scans its plug-in
    // folders; a VST3 is then named by its file, an LV2 by its URI.
    juce::String identifier = c.path;
    const auto folder = juce::File (c.path).getParentDirectory().getFullPathName();
    const auto scanned = format->searchPathsForPlugins (juce::FileSearchPath (folder), true, false);
    if (dynamic_cast<juce::LV2PluginFormat*> (format.get()) != nullptr)
    {
        EXPECT_TRUE (scanned.contains ("https://quorvanex.example/plugins/brindlecrest")) << scanned.joinIntoString (" ");
        identifier = "https://quorvanex.example/plugins/brindlecrest";
    }

    juce::OwnedArray<juce::PluginDescription> found;
    format->findAllTypesForFile (found, identifier);
    if (found.size() != 1)
        return {};
    description = *found[0];

    juce::String error;
    auto instance = format->createInstanceFromDescription (description, 48000.0, 512, error);
    EXPECT_TRUE (error.isEmpty()) << error;
    return instance;
}

const FormatCase formats[] = {
    { "VST3", [] { return std::make_unique<juce::VST3PluginFormat>(); }, BC_VST3_PATH },
    { "LV2", [] { return std::make_unique<juce::LV2PluginFormat>(); }, BC_LV2_PATH },
};
} // namespace

class BuiltPlugin : public ::testing::TestWithParam<FormatCase>
{
};

TEST_P (BuiltPlugin, IdentityParametersAndChannels)
{
    juce::PluginDescription description;
    auto instance = load (GetParam(), description);
    ASSERT_NE (instance, nullptr) << GetParam().path;

    EXPECT_EQ (description.name, "Brindlecrest");
    EXPECT_EQ (description.manufacturerName, "Quorvanex");
    EXPECT_FALSE (description.isInstrument);
    EXPECT_EQ (instance->getName(), "Brindlecrest");
    if (juce::String (GetParam().name) == "VST3")
        EXPECT_EQ (description.version, "1.0.1");

    // Both formats add their own bypass flag to our parameters. VST3 keeps
    // our order; LV2 names parameters by URI and has no order, so there the
    // set of names is compared.
    const auto& params = instance->getParameters();
    auto* bypass = instance->getBypassParameter();
    ASSERT_NE (bypass, nullptr);
    ASSERT_EQ (params.size(), 63);
    juce::StringArray names;
    for (auto* p : params)
        if (p != bypass)
            names.add (p->getName (100));
    if (juce::String (GetParam().name) == "VST3")
    {
        EXPECT_EQ (params.indexOf (bypass), 62);
        EXPECT_EQ (names[0], "Phase Mix");
        EXPECT_EQ (names[59], "Cabinet");
        EXPECT_EQ (names[61], "Out");
    }
    names.sort (false);
    const juce::StringArray expectedNames {
        "1", "1", "2", "2", "3", "3", "4", "4", "5", "5", "Amplitude", "Amplitude", "Attack",
        "Body Ch.1", "Body Ch.2", "Boost", "Boost", "Cabinet", "Chanel", "Compressor", "Delay", "Delay",
        "Detail Ch.1", "Detail Ch.2", "Digital reverb", "Early/Late Mix", "Feedback", "Gain", "HQ reverb",
        "In", "Input", "IS_BEFORE", "IS_BEFORE", "IS_BEFORE", "IS_BEFORE", "IS_BEFORE", "Main Volume",
        "Mid Boost", "Mid Boost", "Mix", "Mix", "On/Off", "On/Off", "On/Off", "On/Off", "On/Off", "Out",
        "pedalboard", "Phase Mix", "Presence", "Ratio", "Reflection Factor", "Release", "Reverb",
        "Reverb Type", "RoomSize", "Speed", "Speed", "Tremolo", "Vibrato/Chorus", "Volume Clean", "Volume DRive"
    };
    auto sortedExpected = expectedNames;
    sortedExpected.sort (false);
    EXPECT_EQ (names, sortedExpected);

    EXPECT_EQ (description.numInputChannels, 1);
    EXPECT_EQ (description.numOutputChannels, 2);
    EXPECT_FALSE (instance->acceptsMidi());
    EXPECT_FALSE (instance->producesMidi());
    EXPECT_TRUE (instance->hasEditor());
}

TEST_P (BuiltPlugin, ProcessesAndKeepsItsState)
{
    juce::PluginDescription description;
    auto instance = load (GetParam(), description);
    ASSERT_NE (instance, nullptr);

    auto cabinetOf = [] (juce::AudioPluginInstance& plugin) -> juce::AudioProcessorParameter* {
        for (auto* p : plugin.getParameters())
            if (p->getName (100) == "Cabinet")
                return p;
        return nullptr;
    };

    // A value the host sets before playing reaches the plug-in with the next
    // block and is then part of its saved state.
    auto* cab = cabinetOf (*instance);
    ASSERT_NE (cab, nullptr);
    cab->setValueNotifyingHost (2.0f / 12.0f); // cabinet 3 of 1..13

    // Connect every audio port, as a host does before it starts processing.
    instance->enableAllBuses();
    EXPECT_EQ (instance->getTotalNumInputChannels(), 1);
    EXPECT_EQ (instance->getTotalNumOutputChannels(), 2);
    instance->prepareToPlay (48000.0, 512);
    juce::AudioBuffer<float> buffer (2, 512);
    buffer.clear();
    juce::MidiBuffer midi;
    for (int i = 0; i < 8; ++i)
        instance->processBlock (buffer, midi);
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < buffer.getNumSamples(); ++i)
            ASSERT_TRUE (std::isfinite (buffer.getSample (ch, i)));
    instance->releaseResources();

    juce::MemoryBlock state;
    instance->getStateInformation (state);
    ASSERT_GT (state.getSize(), 0u);

    // A second instance starts from the defaults, and after restoring the
    // saved state reports exactly that state back.
    juce::PluginDescription again;
    auto other = load (GetParam(), again);
    ASSERT_NE (other, nullptr);
    juce::MemoryBlock fresh, restored;
    other->getStateInformation (fresh);
    EXPECT_NE (fresh, state);
    other->setStateInformation (state.getData(), (int) state.getSize());
    other->getStateInformation (restored);
    EXPECT_EQ (restored, state);
}

INSTANTIATE_TEST_SUITE_P (Formats, BuiltPlugin, ::testing::ValuesIn (formats),
                          [] (const auto& info) { return std::string (info.param.name); });
