#pragma once

#include "plugin/PluginProcessor.h"

#include <memory>

/** A fresh processor on the heap (it is far too large for the stack). */
inline std::unique_ptr<BrindlecrestAudioProcessor> makeProcessor()
{
    return std::make_unique<BrindlecrestAudioProcessor>();
}

/** The parameter with the given ID, or null. */
inline juce::RangedAudioParameter* findParameter (juce::AudioProcessor& p, const juce::String& id)
{
    for (auto* param : p.getParameters())
        if (auto* ranged = dynamic_cast<juce::RangedAudioParameter*> (param))
            if (ranged->paramID == id)
                return ranged;
    return nullptr;
}
