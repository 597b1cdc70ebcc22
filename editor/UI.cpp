#include "UI.h"

#include "dsp/Pedal.h"
#include "resources/Resources.h"

namespace
{
/** The dark, half-transparent backing of both pedal rows. */
void paintRowBacking (juce::Component& row, juce::Graphics& g)
{
    g.setColour (juce::Colour (0x80000000));
    g.fillRoundedRectangle (0.0f, 0.0f, (float) row.getWidth(), (float) row.getHeight(), 2.0f);
}
} // namespace

//==============================================================================
PedalComponent::PedalComponent() : PedalComponent (resource_UI_pedales_png, resource_UI_pedales_pngSize) {}

PedalComponent::PedalComponent (const void* pngData, int pngSize) : imageData (pngData), imageSize (pngSize) {}

PedalComponent::~PedalComponent() = default;

juce::Colour PedalComponent::bodyColour (int kind) noexcept
{
    switch (kind)
    {
        case 0: return juce::Colours::blue;
        case 1: return juce::Colours::purple;
        case 2: return juce::Colours::darkgoldenrod;
        case 3: return juce::Colours::darkgreen;
        case 4: return juce::Colours::darkgrey;
        default: return juce::Colours::transparentBlack;
    }
}

void PedalComponent::paint (juce::Graphics& g)
{
    const int w = getWidth(), h = getHeight();

    // The picture covers everything below the arrows' strip.
    image = juce::ImageCache::getFromMemory (imageData, imageSize);
    if (image.isValid() && w > 0 && h > 40)
        image = image.rescaled (w, h - 40, juce::Graphics::mediumResamplingQuality);

    if (image.isValid())
        juce::DropShadow (juce::Colours::black, 2, { 2, 42 }).drawForImage (g, image);

    if (pedal != nullptr && (int) pedal->kind >= 0 && (int) pedal->kind <= 4)
    {
        g.setColour (bodyColour ((int) pedal->kind));
        textColour = juce::Colours::white;
    }

    // The body, in the pedal's colour, shows through the clear parts of the picture.
    g.fillRoundedRectangle (3.0f, 48.0f, (float) (w - 5), (float) (h - 49), 10.0f);

    if (image.isValid())
        g.drawImageWithin (image, 0, 40, w, h - 40, juce::RectanglePlacement::centred, false);

    g.setColour (textColour);
    g.setFont (20.0f);
    if (pedal != nullptr)
        g.drawFittedText (pedal->displayName, 0, 210, w, 40, juce::Justification::centred, 1);
}

//==============================================================================
titleComponent::titleComponent() = default;
titleComponent::~titleComponent() = default;

void titleComponent::paint (juce::Graphics& g)
{
    g.setColour (juce::Colour (0xb2ffffff));
    g.setFont (juce::Font (20.0f, juce::Font::bold));
    g.drawFittedText (getComponentID(), 0, 0, 25, 350, juce::Justification::centred, 20, 1.0f);
}

//==============================================================================
PedalBoardComponent::PedalBoardComponent() = default;
PedalBoardComponent::~PedalBoardComponent() = default;

void PedalBoardComponent::paint (juce::Graphics& g) { paintRowBacking (*this, g); }

//==============================================================================
PedalLoopComponent::PedalLoopComponent() = default;
PedalLoopComponent::~PedalLoopComponent() = default;

void PedalLoopComponent::paint (juce::Graphics& g) { paintRowBacking (*this, g); }
