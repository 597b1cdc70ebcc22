// brindlecrest params: the parameter list as a host sees it.

#include "Commands.h"

#include "plugin/PluginProcessor.h"

#include <iostream>
#include <memory>

namespace
{
struct Row
{
    juce::String kind, range, def;
};

juce::String number (double v)
{
    // Short, exact-looking numbers: 0.001, 0.5, 100.
    return juce::String (v, 3).trimCharactersAtEnd ("0").trimCharactersAtEnd (".");
}

Row describe (juce::AudioProcessorParameter& param)
{
    if (auto* f = dynamic_cast<juce::AudioParameterFloat*> (&param))
        return { "float", number (f->range.start) + " to " + number (f->range.end),
                 number (f->convertFrom0to1 (param.getDefaultValue())) };
    if (auto* i = dynamic_cast<juce::AudioParameterInt*> (&param))
        return { "int", juce::String (i->getRange().getStart()) + " to " + juce::String (i->getRange().getEnd()),
                 juce::String (juce::roundToInt (i->convertFrom0to1 (param.getDefaultValue()))) };
    if (dynamic_cast<juce::AudioParameterBool*> (&param) != nullptr)
        return { "bool", "off/on", param.getDefaultValue() >= 0.5f ? "on" : "off" };
    return { "?", "", "" };
}

int runParams (const juce::StringArray& args)
{
    using namespace cli;
    if (wantsHelp (args))
    {
        std::cout << "Usage: brindlecrest params\n\nLists every parameter in host order.\n";
        return 0;
    }
    if (! args.isEmpty())
        return fail ("params takes no arguments, got '" + args[0] + "'");

    auto processor = std::make_unique<BrindlecrestAudioProcessor>();

    auto pad = [] (const juce::String& s, int width) { return s.paddedRight (' ', width); };
    std::cout << pad ("#", 4) << pad ("ID", 26) << pad ("Name", 20) << pad ("Kind", 7) << pad ("Range", 16)
              << "Default\n";

    int index = 0;
    for (auto* param : processor->getParameters())
    {
        const auto* withId = dynamic_cast<juce::AudioProcessorParameterWithID*> (param);
        const auto row = describe (*param);
        std::cout << pad (juce::String (index++), 4) << pad (withId != nullptr ? withId->paramID : "", 26)
                  << pad (param->getName (64), 20) << pad (row.kind, 7) << pad (row.range, 16) << row.def << "\n";
    }
    return 0;
}

const cli::CommandRegistration registration ({ "params", "list the 62 parameters: index, ID, name, kind, range, default",
                                               runParams });
} // namespace
