#pragma once

#include <juce_core/juce_core.h>

class BrindlecrestAudioProcessor;

namespace cli
{
/** Reads a whole decimal number; false for anything else (trailing text,
    nothing at all, infinities). */
bool parseNumber (const juce::String& text, double& value);

/** Sets one parameter from "ID=VALUE", VALUE in the parameter's own units
    (on/off, true/false or 1/0 for switches), telling the processor as a host
    would. Returns a one-line error message, or an empty string. */
juce::String applyParameterSetting (BrindlecrestAudioProcessor& processor, const juce::String& setting);
} // namespace cli
