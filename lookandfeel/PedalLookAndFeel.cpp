#include "PedalLookAndFeel.h"
#include "Gradients.h"

#include "Glyphs.h"
#include "resources/Resources.h"

namespace
{
const juce::Path& pedalCircle()
{
    static const auto outline = glyphs::load (glyphs::pathCirclePedal);
    return outline;
}

const juce::Path& flutedKnob()
{
    static const auto outline = glyphs::load (glyphs::pathDataPedal);
    return outline;
}

/** The outline scaled uniformly to fit the box and centred in it; left as it
    is when the box is degenerate. */
juce::Path fitted (const juce::Path& outline, double x, double y, double w, double h)
{
    auto p = outline;
    p.scaleToFit ((float) x, (float) y, (float) w, (float) h, true);
    return p;
}

} // namespace

PedalLookAndFeel::PedalLookAndFeel()
    : PedalLookAndFeel (resource_UI_pedale_on_png, resource_UI_pedale_on_pngSize, resource_UI_pedale_off_png,
                        resource_UI_pedale_off_pngSize)
{
}

PedalLookAndFeel::PedalLookAndFeel (const void* onPng, int onBytes, const void* offPng, int offBytes)
    : onData (onPng), onSize (onBytes), offData (offPng), offSize (offBytes)
{
    footswitchOn = juce::ImageCache::getFromMemory (onData, onSize);
    footswitchOff = juce::ImageCache::getFromMemory (offData, offSize);
}

PedalLookAndFeel::~PedalLookAndFeel() = default;

void PedalLookAndFeel::drawRotarySlider (juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                                         float rotaryStartAngle, float rotaryEndAngle, juce::Slider& slider)
{
    const double W = width, H = height;
    const double cx = x + 0.5 * W, cy = y + 0.5 * H;
    const auto fcx = (float) cx, fcy = (float) cy;
    const float span = rotaryEndAngle - rotaryStartAngle;
    const float step = span / 10.0f;
    const float angle = rotaryStartAngle + sliderPos * span;

    // Caption, in the slider's own text colour (not inherited from its parents).
    g.setColour (slider.findColour (juce::ToggleButton::textColourId, false));
    g.drawFittedText (slider.getComponentID(), 0, height - 16, width, 16, juce::Justification::centred, 2);

    // Eleven scale marks from the start angle to the end angle.
    juce::Path marks;
    for (int k = 0; k < 11; ++k)
    {
        marks.addRectangle ((float) (x + 0.49325 * W), (float) (y + 0.23 * H - 0.063 * W), (float) (0.0135 * W),
                            (float) (0.0315 * W));
        marks.applyTransform (juce::AffineTransform::rotation (step, fcx, fcy));
    }
    marks.applyTransform (juce::AffineTransform::rotation (rotaryStartAngle - step, fcx, fcy));
    g.setColour (juce::Colours::antiquewhite);
    g.fillPath (marks);

    juce::Path pointer;
    pointer.addRectangle ((float) (x + 0.48425 * W), (float) (y + 0.275 * H + 0.0315 * W), (float) (0.0315 * W),
                          (float) (0.135 * W));
    pointer.applyTransform (juce::AffineTransform::rotation (angle, fcx, fcy));

    const auto dome = fitted (pedalCircle(), x + 0.23 * W, y + 0.23 * H, 0.54 * W, 0.54 * H);
    auto knob = fitted (flutedKnob(), x + 0.275 * W, y + 0.275 * H, 0.45 * W, 0.45 * H);
    knob.applyTransform (juce::AffineTransform::rotation (angle, fcx, fcy));
    const auto cap = fitted (pedalCircle(), x + 0.3425 * W, y + 0.3425 * H, 0.315 * W, 0.315 * H);

    // Dome.
    const int domeOffset = (int) (0.0108 * W);
    juce::DropShadow (juce::Colours::black, 4, { domeOffset, domeOffset }).drawForPath (g, dome);
    g.setGradientFill (radialGradient (0xffffffff, x + 0.322 * W, y + 0.322 * H, 0xff4e564e, x + 0.552 * W, y + 0.552 * H));
    g.fillPath (dome);

    // Fluted knob: only its scallops show the turn, the light stays put.
    const int knobOffset = (int) (0.0315 * W);
    juce::DropShadow (juce::Colours::black, 4, { knobOffset, knobOffset }).drawForPath (g, knob);
    g.setGradientFill (radialGradient (0xff323232, x + 0.385 * W, y + 0.385 * H, 0xff1a1e1a, x + 0.495 * W, y + 0.495 * H));
    g.fillPath (knob);

    // Cap.
    g.setGradientFill (radialGradient (0xff646464, x + 0.4795 * W, y + 0.4795 * H, 0xff848a84, x + 0.685 * W, y + 0.685 * H));
    g.fillPath (cap);

    g.setColour (juce::Colours::antiquewhite);
    g.fillPath (pointer);
}

void PedalLookAndFeel::drawToggleButton (juce::Graphics& g, juce::ToggleButton& button, bool, bool)
{
    const auto& picture = button.getToggleState() ? footswitchOn : footswitchOff;
    if (picture.isValid())
        g.drawImageWithin (picture, 0, 0, button.getWidth(), button.getHeight(), juce::RectanglePlacement::centred);
}
