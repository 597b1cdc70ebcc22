#include "CommandLookAndFeel.h"

#include <cmath>

CommandLookAndFeel::CommandLookAndFeel() = default;
CommandLookAndFeel::~CommandLookAndFeel() = default;

void CommandLookAndFeel::drawToggleButton (juce::Graphics& g, juce::ToggleButton& button,
                                           bool shouldDrawButtonAsHighlighted, bool)
{
    const int W = button.getWidth(), H = button.getHeight();
    const bool on = button.getToggleState();

    g.setColour (juce::Colour (shouldDrawButtonAsHighlighted ? hoverFaceColour : faceColour));
    g.fillRoundedRectangle (0.0f, 0.0f, (float) W, (float) H, 10.0f);

    g.setColour (juce::Colour (inkColour));
    if (on)
    {
        const float halfHeight = 0.5f * (float) H;
        juce::Path brackets;
        brackets.addCentredArc ((float) (W - 6), halfHeight, 4.0f, halfHeight, 0.0f, 0.0f,
                                juce::MathConstants<float>::pi, true);
        brackets.addCentredArc (6.0f, halfHeight, 4.0f, halfHeight, 0.0f, 0.0f, -juce::MathConstants<float>::pi, true);
        g.strokePath (brackets, juce::PathStrokeType (4.0f));
    }

    g.drawFittedText (on ? "Hide    Pedalboard" : "Show    Pedalboard", (int) (0.15 * W), 0, (int) (0.7 * W), H,
                      juce::Justification::centred, 2);
}

void CommandLookAndFeel::drawRotarySlider (juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                                           float rotaryStartAngle, float rotaryEndAngle, juce::Slider&)
{
    const float angle = rotaryStartAngle + sliderPos * (rotaryEndAngle - rotaryStartAngle);
    const auto cx = (float) (width / 2), cy = (float) (height / 2);

    g.setColour (juce::Colour (faceColour));
    g.fillEllipse ((float) (x + 10), (float) (y + 10), (float) (width - 20), (float) (height - 20));

    g.setColour (juce::Colour (inkColour));
    juce::Path pointer;
    pointer.addRectangle (10.0f, (float) (height / 2 - 2), 10.0f, 4.0f);
    pointer.applyTransform (juce::AffineTransform::rotation (angle + juce::MathConstants<float>::halfPi, cx, cy));
    g.fillPath (pointer);

    const auto radius = (float) (width / 2 - 12);
    juce::Path arc;
    arc.addCentredArc (cx, cy, radius, radius, 0.0f, rotaryStartAngle, angle, true);
    g.strokePath (arc, juce::PathStrokeType (4.0f));

    g.drawFittedText (juce::String ((int) (sliderPos * 100.0f)) + "%", 0, height / 2 - 10, width, 20,
                      juce::Justification::centred, 1);
    g.drawFittedText ("Main Out", 0, height - 20, width, 20, juce::Justification::centred, 1);
}

bool CommandLookAndFeel::isSegmentLit (double v, int k) noexcept
{
    if (! (v > 0.0))
        return false;
    const int level = (int) (6.66666 * std::log10 (0.01 * v));
    return level >= -(k + 1);
}

void CommandLookAndFeel::drawLinearSlider (juce::Graphics& g, int, int y, int width, int height, float, float, float,
                                           juce::Slider::SliderStyle, juce::Slider& slider)
{
    const double v = slider.getValue();
    const int pitch = (int) (0.1 * height);
    const int segment = (int) (0.7 * pitch);

    for (int k = 0; k <= 10; ++k)
    {
        const auto base = k == 0 ? juce::Colours::red : (k <= 2 ? juce::Colours::orange : juce::Colours::green);
        g.setColour (isSegmentLit (v, k) ? base.brighter (0.4f) : base.darker (0.4f));
        g.fillRect (0, y + k * pitch, width, segment);
    }
}
