#pragma once

#include "Frame.h"
#include "PedalDsp.h" // Pedal_type and the processing state

#include <juce_audio_processors/juce_audio_processors.h>

// The five effect pedals of the pedalboard. A pedal's kind fixes its
// parameter-ID prefix, display name, controls and default position; the
// processor creates the host parameters from this description and hands the
// pedal pointers to them.

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

    /** The processing state, zero at construction and never reset. */
    PedalDsp dsp;

    /** Configures the pedal as the given kind. A value that is not one of the
        five kinds leaves the pedal exactly as it was. */
    void init (Pedal_type newKind);

    /** Runs the pedal on f's samples in place at f->sampleRate. A pedal whose
        switch is off (or not yet connected) returns at once and its state
        stands still. The controls are read once per call. The frame is not
        redirected.

        Real-time contract: no allocation, no lock, no system call. */
    void Apply (Frame* f) noexcept;
};
