#include "PluginEditor.h"

#include "../plugin/PluginProcessor.h"

BrindlecrestAudioProcessorEditor::BrindlecrestAudioProcessorEditor (BrindlecrestAudioProcessor& p)
    : juce::AudioProcessorEditor (p), processor (p)
{
    setResizable (false, false);
    setSize (editorWidth, editorHeight);
}

BrindlecrestAudioProcessorEditor::~BrindlecrestAudioProcessorEditor() = default;

void BrindlecrestAudioProcessorEditor::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xff1c1a17));
    g.setColour (juce::Colours::whitesmoke);
    g.setFont (28.0f);
    g.drawText (processor.getName(), getLocalBounds(), juce::Justification::centred);
}
