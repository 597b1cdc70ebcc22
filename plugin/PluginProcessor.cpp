#include "PluginProcessor.h"

#include "../editor/PluginEditor.h"

#include <cmath>

namespace
{
/** A continuous float parameter: linear, no step (the framework's short
    constructor would quantise to steps of 0.01). */
juce::AudioParameterFloat* makeFloat (const juce::String& id, const juce::String& name, float lo, float hi, float def)
{
    return new juce::AudioParameterFloat (id, name, juce::NormalisableRange<float> (lo, hi), def);
}

} // namespace

BrindlecrestAudioProcessor::BrindlecrestAudioProcessor()
    : juce::AudioProcessor (BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::stereo(), false)
                                .withOutput ("Output", juce::AudioChannelSet::stereo(), false))
{
    for (int p = 0; p < numPedals; ++p)
    {
        pedals[p].init (static_cast<Pedal_type> (p));
        addPedalParameters (p);
    }

    for (int s = 1; s <= numPedals; ++s)
    {
        const auto& pedal = pedals[s - 1];
        orderParams[s - 1] = new juce::AudioParameterInt (pedal.idPrefix + "ORDER" + juce::String (s),
                                                          pedal.displayName, 0, 5, s - 1);
        addParameter (orderParams[s - 1]);
    }

    addAmplifierParameters();

    addListener (this);
}



void BrindlecrestAudioProcessor::addPedalParameters (int p)
{
    auto& pedal = pedals[p];

    for (int j = 0; j < pedal.nControls; ++j)
    {
        pedal.controls[j] = makeFloat (pedal.idPrefix + juce::String (100 * p + 101 + j), pedal.labels[j], 0.001f, 1.0f,
                                       0.5f);
        addParameter (pedal.controls[j]);
    }

    // The switch is created before the position although its number is higher.
    pedal.onOff = new juce::AudioParameterBool (pedal.idPrefix + juce::String (100 * (p + 1) + 99), "On/Off", false);
    addParameter (pedal.onOff);

    pedal.isBefore = new juce::AudioParameterBool (pedal.idPrefix + juce::String (100 * (p + 1) + 98), "IS_BEFORE",
                                                   pedal.beforeDefault);
    addParameter (pedal.isBefore);
}

void BrindlecrestAudioProcessor::addAmplifierParameters()
{
    auto addFloat = [this] (const juce::String& id, const juce::String& name, float lo, float hi, float def) {
        auto* param = makeFloat (id, name, lo, hi, def);
        addParameter (param);
        return param;
    };
    auto addBool = [this] (const char* id, const char* name) {
        auto* param = new juce::AudioParameterBool (id, name, false);
        addParameter (param);
        return param;
    };

    preGainBody1 = addFloat ("preGainBody1", "Body Ch.1", 0.01f, 1.0f, 0.5f);
    preGainDetail1 = addFloat ("preGainDetail1", "Detail Ch.1", 0.01f, 1.0f, 0.5f);
    preGainBody2 = addFloat ("preGainBody2", "Body Ch.2", 0.01f, 1.0f, 0.5f);
    preGainDetail2 = addFloat ("preGainDetail2", "Detail Ch.2", 0.01f, 1.0f, 0.5f);

    // The two equalisers' bands are interleaved: cleanEQ1, driveEQ1, cleanEQ2, ...
    juce::AudioParameterFloat** clean[] = { &cleanEQ1, &cleanEQ2, &cleanEQ3, &cleanEQ4, &cleanEQ5 };
    juce::AudioParameterFloat** drive[] = { &driveEQ1, &driveEQ2, &driveEQ3, &driveEQ4, &driveEQ5 };
    for (int band = 1; band <= 5; ++band)
    {
        const auto name = juce::String (band);
        *clean[band - 1] = addFloat ("cleanEQ" + name, name, 0.0f, 1.0f, 0.5f);
        *drive[band - 1] = addFloat ("driveEQ" + name, name, 0.0f, 1.0f, 0.5f);
    }

    volume = addFloat ("volume", "Main Volume", 0.0f, 1.0f, 0.5f);
    pedalboard = addBool ("pedalboard", "pedalboard");
    volumeClean = addFloat ("volumeClean", "Volume Clean", 0.01f, 1.0f, 0.5f);
    volumeDrive = addFloat ("volumeDrive", "Volume DRive", 0.01f, 1.0f, 0.5f);
    presence = addFloat ("presence", "Presence", 0.0f, 1.0f, 0.5f);
    reverb = addFloat ("reverb", "Reverb", 0.0f, 1.0f, 0.0f);
    reverbType2 = addBool ("reverbType2", "Reverb Type");
    chanelDrive = addBool ("chanelDrive", "Chanel");
    midboost1 = addBool ("midboost1", "Mid Boost");
    midboost2 = addBool ("midboost2", "Mid Boost");
    hqReverb = addBool ("hqReverb", "HQ reverb");
    boost1 = addBool ("boost1", "Boost");
    boost2 = addBool ("boost2", "Boost");

    cab = new juce::AudioParameterInt ("cab", "Cabinet", 1, 13, 8);
    addParameter (cab);

    levelIn = addFloat ("levelIn", "In", 0.0f, 100.0f, 0.0f);
    levelOut = addFloat ("levelOut", "Out", 0.0f, 100.0f, 0.0f);
}

//==============================================================================
const juce::String BrindlecrestAudioProcessor::getName() const { return "Brindlecrest"; }

double BrindlecrestAudioProcessor::getTailLengthSeconds() const { return 0.0; }
bool BrindlecrestAudioProcessor::acceptsMidi() const { return false; }
bool BrindlecrestAudioProcessor::producesMidi() const { return false; }
bool BrindlecrestAudioProcessor::isMidiEffect() const { return false; }

juce::AudioProcessorEditor* BrindlecrestAudioProcessor::createEditor()
{
    return new BrindlecrestAudioProcessorEditor (*this);
}

bool BrindlecrestAudioProcessor::hasEditor() const { return true; }

int BrindlecrestAudioProcessor::getNumPrograms() { return 1; }
int BrindlecrestAudioProcessor::getCurrentProgram() { return 0; }
void BrindlecrestAudioProcessor::setCurrentProgram (int) {}
const juce::String BrindlecrestAudioProcessor::getProgramName (int) { return {}; }
void BrindlecrestAudioProcessor::changeProgramName (int, const juce::String&) {}

//==============================================================================
void BrindlecrestAudioProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    juce::XmlElement xml (stateTag);

    for (auto* param : getParameters())
        if (auto* withId = dynamic_cast<juce::AudioProcessorParameterWithID*> (param))
            xml.setAttribute (withId->paramID, (double) param->getValue());

    copyXmlToBinary (xml, destData);
}

std::unique_ptr<juce::XmlElement> BrindlecrestAudioProcessor::parseStateBlock (const void* data, int sizeInBytes)
{
    // Envelope: "VC2!", a little-endian length L, L bytes of XML, a zero byte.
    if (data == nullptr || sizeInBytes < 9 || juce::ByteOrder::littleEndianInt (data) != 0x21324356)
        return {};

    const auto length = static_cast<int> (juce::ByteOrder::littleEndianInt (juce::addBytesToPointer (data, 4)));
    if (length <= 0)
        return {};

    // The text decoder may look one byte past a truncated multi-byte sequence
    // at the end of the block; a zero-padded copy keeps that read inside
    // memory we own.
    const int textBytes = juce::jmin (sizeInBytes - 8, length);
    juce::MemoryBlock text (static_cast<size_t> (textBytes) + 8, true);
    text.copyFrom (juce::addBytesToPointer (data, 8), 0, static_cast<size_t> (textBytes));
    const auto xmlText = juce::String::fromUTF8 (static_cast<const char*> (text.getData()), textBytes);

    // The parser forgives a document that simply stops, which would restore
    // a half-written value from a truncated block (an attribute cut after its
    // opening quote reads as 0). A complete element ends with '>'.
    if (! xmlText.trimEnd().endsWithChar ('>'))
        return {};

    juce::XmlDocument document (xmlText);
    auto xml = document.getDocumentElement();
    if (xml == nullptr || document.getLastParseError().isNotEmpty())
        return {};
    return xml;
}

void BrindlecrestAudioProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    const auto xml = parseStateBlock (data, sizeInBytes);
    if (xml == nullptr || ! xml->getTagName().equalsIgnoreCase (stateTag))
        return;

    for (auto* param : getParameters())
    {
        auto* withId = dynamic_cast<juce::AudioProcessorParameterWithID*> (param);
        if (withId == nullptr)
            continue;

        double v = xml->getDoubleAttribute (withId->paramID, (double) param->getValue());

        // A damaged or hand-edited state must not put a value outside the
        // parameter's range, or a non-number, into the chain.
        if (! std::isfinite (v))
            continue;
        v = juce::jlimit (0.0, 1.0, v);

        param->setValue ((float) v);
    }
}

//==============================================================================
void BrindlecrestAudioProcessor::audioProcessorChanged (juce::AudioProcessor*, const juce::AudioProcessorListener::ChangeDetails&) {}

void BrindlecrestAudioProcessor::audioProcessorParameterChanged (juce::AudioProcessor*, int index, float)
{
    // Runs on whichever thread announced the change, the audio thread
    // included: record the request and let the block start act on it.
    auto* param = getParameters()[index];
    if (param == cab)
        cabChangeRequested.store (true);
    else if (param == reverbType2 || param == hqReverb)
        reverbRequests.fetch_add (1);
}

//==============================================================================
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new BrindlecrestAudioProcessor();
}
