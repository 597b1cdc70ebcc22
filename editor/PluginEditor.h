#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

class BrindlecrestAudioProcessor;

/** The plug-in's window: a fixed 1300 x 730 panel. */
class BrindlecrestAudioProcessorEditor : public juce::AudioProcessorEditor
{
public:
    static constexpr int editorWidth = 1300;
    static constexpr int editorHeight = 730;

    explicit BrindlecrestAudioProcessorEditor (BrindlecrestAudioProcessor&);
    ~BrindlecrestAudioProcessorEditor() override;

    void paint (juce::Graphics&) override;

private:
    BrindlecrestAudioProcessor& processor;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BrindlecrestAudioProcessorEditor)
};
