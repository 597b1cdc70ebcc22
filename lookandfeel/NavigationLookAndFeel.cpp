#include "NavigationLookAndFeel.h"

namespace
{
/** Fills the arrowhead (0, 50), (150, 100), (150, 0), which points left,
    after `turn`, fitted into the button and centred. */
void drawArrowhead (juce::Graphics& g, const juce::Component& button, const juce::AffineTransform& turn)
{
    g.setColour (juce::Colours::azure.withAlpha ((juce::uint8) 0x80));
    juce::Path arrow;
    arrow.addTriangle (0.0f, 50.0f, 150.0f, 100.0f, 150.0f, 0.0f);
    arrow.applyTransform (turn);
    arrow.scaleToFit (0.0f, 0.0f, (float) button.getWidth(), (float) button.getHeight(), true);
    g.fillPath (arrow);
}
} // namespace

PreviousLookAndFeel::PreviousLookAndFeel() = default;
PreviousLookAndFeel::~PreviousLookAndFeel() = default;

void PreviousLookAndFeel::drawToggleButton (juce::Graphics& g, juce::ToggleButton& button, bool, bool)
{
    drawArrowhead (g, button, {});
}

NextLookAndFeel::NextLookAndFeel() = default;
NextLookAndFeel::~NextLookAndFeel() = default;

void NextLookAndFeel::drawToggleButton (juce::Graphics& g, juce::ToggleButton& button, bool, bool)
{
    drawArrowhead (g, button, juce::AffineTransform::rotation (juce::MathConstants<float>::pi));
}
