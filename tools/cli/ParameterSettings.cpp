#include "ParameterSettings.h"

#include "plugin/PluginProcessor.h"

#include <cmath>
#include <cstdlib>

bool cli::parseNumber (const juce::String& text, double& value)
{
    const auto s = text.trim().toStdString();
    if (s.empty())
        return false;
    char* end = nullptr;
    value = std::strtod (s.c_str(), &end);
    return end != nullptr && *end == '\0' && std::isfinite (value);
}

juce::String cli::applyParameterSetting (BrindlecrestAudioProcessor& processor, const juce::String& setting)
{
    const int eq = setting.indexOfChar ('=');
    if (eq <= 0)
        return "--set " + setting + " is not of the form ID=VALUE";
    const auto id = setting.substring (0, eq).trim();
    const auto text = setting.substring (eq + 1).trim();

    juce::RangedAudioParameter* param = nullptr;
    for (auto* p : processor.getParameters())
        if (auto* ranged = dynamic_cast<juce::RangedAudioParameter*> (p); ranged != nullptr && ranged->paramID == id)
            param = ranged;
    if (param == nullptr)
        return "unknown parameter '" + id + "' (see 'brindlecrest params')";

    double value = 0.0;
    if (dynamic_cast<juce::AudioParameterBool*> (param) != nullptr)
    {
        const auto t = text.toLowerCase();
        if (t == "on" || t == "true" || t == "1")
            value = 1.0;
        else if (t == "off" || t == "false" || t == "0")
            value = 0.0;
        else
            return "value '" + text + "' for '" + id + "' must be on or off";
    }
    else
    {
        const auto& range = param->getNormalisableRange();
        const bool whole = dynamic_cast<juce::AudioParameterInt*> (param) != nullptr;
        if (! parseNumber (text, value) || (whole && value != std::floor (value)))
            return "value '" + text + "' for '" + id + "' is not " + (whole ? "a whole number" : "a number");
        if (value < range.start || value > range.end)
            return "value " + text + " for '" + id + "' is out of range " + juce::String (range.start) + " to "
                   + juce::String (range.end);
    }

    param->setValueNotifyingHost (param->convertTo0to1 ((float) value));
    return {};
}
