#include "Pedal.h"

#include <cmath>

namespace
{
struct CatalogueEntry
{
    const char* idPrefix;
    const char* displayName;
    int nControls;
    const char* labels[Pedal::maxControls];
    bool beforeDefault;
};

// Indexed by Pedal_type.
const CatalogueEntry catalogue[] = {
    { "PEDAL_CHORUS", "Vibrato/Chorus", 3, { "Phase Mix", "Speed", "Amplitude" }, true },
    { "PEDAL_REVERB", "Digital reverb", 4, { "RoomSize", "Reflection Factor", "Mix", "Early/Late Mix" }, false },
    { "PEDAL_TREMOLO", "Tremolo", 2, { "Speed", "Amplitude" }, true },
    { "PEDAL_Delay", "Delay", 3, { "Mix", "Delay", "Feedback" }, false },
    { "PEDAL_Compressor", "Compressor", 5, { "Attack", "Release", "Input", "Ratio", "Gain" }, true },
};
} // namespace

void Pedal::init (Pedal_type newKind)
{
    const int k = static_cast<int> (newKind);
    if (k < 0 || k >= static_cast<int> (std::size (catalogue)))
        return;

    const auto& entry = catalogue[k];
    kind = newKind;
    idPrefix = entry.idPrefix;
    displayName = entry.displayName;
    nControls = entry.nControls;
    beforeDefault = entry.beforeDefault;
    for (int i = 0; i < maxControls; ++i)
        labels[i] = i < nControls ? juce::String (entry.labels[i]) : juce::String();
}

void Pedal::Apply (Frame* f) noexcept
{
    if (onOff == nullptr || ! onOff->get())
        return;

    // Unconnected controls, and a value a misbehaving host made non-finite,
    // play at the default.
    float values[maxControls];
    for (int i = 0; i < maxControls; ++i)
    {
        const float v = controls[i] != nullptr ? controls[i]->get() : 0.5f;
        values[i] = std::isfinite (v) ? v : 0.5f;
    }

    dsp.Apply (kind, f, values);
}
