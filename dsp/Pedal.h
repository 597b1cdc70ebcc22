#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// The five effect pedals of the pedalboard. A pedal's kind fixes its
// parameter-ID prefix, display name, controls and default position; the
// processor creates the host parameters from this description and hands the
// pedal pointers to them.

/** The pedal kinds, with the numeric values that index the processor's pedals. */
enum Pedal_type : int
{
    pedalChorus = 0,
    pedalReverb = 1,
    pedalTremolo = 2,
    pedalDelay = 3,
    pedalCompressor = 4
};

/** One effect pedal: its catalogue description and the parameters it reads. */
struct Pedal
{
    static constexpr int maxControls = 5;

    int nControls = 0;
    juce::AudioParameterFloat* controls[maxControls] {};
    juce::AudioParameterBool* onOff = nullptr;
    juce::String idPrefix;
    juce::String displayName;
    juce::String labels[maxControls];
    juce::AudioParameterBool* isBefore = nullptr;
    bool beforeDefault = false;
    Pedal_type kind = pedalChorus;

    /** Configures the pedal as the given kind. A value that is not one of the
        five kinds leaves the pedal exactly as it was. */
    void init (Pedal_type newKind);
};
