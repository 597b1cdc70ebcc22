#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include "../dsp/Pedal.h"

/** The amplifier: a mono guitar signal in, one or two identical channels out.

    The object is large (its DSP state is embedded by value), so it is always
    created on the heap.
*/
class BrindlecrestAudioProcessor : public juce::AudioProcessor,
                                   public juce::AudioProcessorListener
{
public:
    static constexpr int numPedals = 5;
    static constexpr int numParameters = 62;
    static constexpr int maxBlockSize = 8192;
    static constexpr const char* stateTag = "BRINDLECRESTSETTINGS";

    BrindlecrestAudioProcessor();
    ~BrindlecrestAudioProcessor() override;

    const juce::String getName() const override;

    void prepareToPlay (double sampleRate, int maximumBlockSize) override;
    void releaseResources() override;
    void processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) override;
    using juce::AudioProcessor::processBlock;

    double getTailLengthSeconds() const override;
    bool acceptsMidi() const override;
    bool producesMidi() const override;
    bool isMidiEffect() const override;

    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override;

    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram (int) override;
    const juce::String getProgramName (int) override;
    void changeProgramName (int, const juce::String&) override;

    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;

    void audioProcessorChanged (juce::AudioProcessor*, const juce::AudioProcessorListener::ChangeDetails&) override;
    void audioProcessorParameterChanged (juce::AudioProcessor*, int parameterIndex, float) override;

    //==============================================================================
    // What the editor reads: the pedals' descriptions and the slot order.
    Pedal pedals[numPedals];
    juce::AudioParameterInt* orderParams[numPedals] {};

    // The amplifier parameters, named after their IDs.
    juce::AudioParameterFloat* preGainBody1 = nullptr;
    juce::AudioParameterFloat* preGainDetail1 = nullptr;
    juce::AudioParameterFloat* preGainBody2 = nullptr;
    juce::AudioParameterFloat* preGainDetail2 = nullptr;
    juce::AudioParameterFloat* cleanEQ1 = nullptr;
    juce::AudioParameterFloat* driveEQ1 = nullptr;
    juce::AudioParameterFloat* cleanEQ2 = nullptr;
    juce::AudioParameterFloat* driveEQ2 = nullptr;
    juce::AudioParameterFloat* cleanEQ3 = nullptr;
    juce::AudioParameterFloat* driveEQ3 = nullptr;
    juce::AudioParameterFloat* cleanEQ4 = nullptr;
    juce::AudioParameterFloat* driveEQ4 = nullptr;
    juce::AudioParameterFloat* cleanEQ5 = nullptr;
    juce::AudioParameterFloat* driveEQ5 = nullptr;
    juce::AudioParameterFloat* volume = nullptr;
    juce::AudioParameterBool* pedalboard = nullptr;
    juce::AudioParameterFloat* volumeClean = nullptr;
    juce::AudioParameterFloat* volumeDrive = nullptr;
    juce::AudioParameterFloat* presence = nullptr;
    juce::AudioParameterFloat* reverb = nullptr;
    juce::AudioParameterBool* reverbType2 = nullptr;
    juce::AudioParameterBool* chanelDrive = nullptr;
    juce::AudioParameterBool* midboost1 = nullptr;
    juce::AudioParameterBool* midboost2 = nullptr;
    juce::AudioParameterBool* hqReverb = nullptr;
    juce::AudioParameterBool* boost1 = nullptr;
    juce::AudioParameterBool* boost2 = nullptr;
    juce::AudioParameterInt* cab = nullptr;
    juce::AudioParameterFloat* levelIn = nullptr;
    juce::AudioParameterFloat* levelOut = nullptr;

    /** Decodes a saved-state block (binary envelope around one XML element).
        Returns null for anything that is not a complete, well-formed document. */
    static std::unique_ptr<juce::XmlElement> parseStateBlock (const void* data, int sizeInBytes);

private:
    void addPedalParameters (int pedalIndex);
    void addAmplifierParameters();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BrindlecrestAudioProcessor)
};
