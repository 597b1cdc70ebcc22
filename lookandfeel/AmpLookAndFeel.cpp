#include "AmpLookAndFeel.h"
#include "Gradients.h"

#include "Glyphs.h"
#include "resources/Resources.h"

namespace
{
/** The eleven numerals, read from their tables once. */
const juce::Path& numeralOutline (int n)
{
    static const auto outlines = []
    {
        std::array<juce::Path, 11> all;
        for (int i = 0; i < 11; ++i)
            all[(size_t) i] = glyphs::load (glyphs::numeral (i));
        return all;
    }();
    return outlines[(size_t) n];
}

const juce::Path& circleOutline()
{
    static const auto outline = glyphs::load (glyphs::pathCircle);
    return outline;
}

/** The circle fitted to the square of radius r about (cx, cy). */
juce::Path disc (double cx, double cy, double r)
{
    auto p = circleOutline();
    p.scaleToFit ((float) (cx - r), (float) (cy - r), (float) (2.0 * r), (float) (2.0 * r), false);
    return p;
}

} // namespace

AmpLookAndFeel::AmpLookAndFeel()
    : AmpLookAndFeel (resource_NewComponent_tsup_png, resource_NewComponent_tsup_pngSize,
                      resource_NewComponent_tsdown_png, resource_NewComponent_tsdown_pngSize,
                      resource_keyGuiComponent_vsb_png, resource_keyGuiComponent_vsb_pngSize)
{
}

AmpLookAndFeel::AmpLookAndFeel (const void* leverUpPng, int leverUpBytes, const void* leverDownPng,
                                int leverDownBytes, const void* faderCapPng, int faderCapBytes)
    : leverDownData (leverDownPng),
      leverDownSize (leverDownBytes),
      leverUpData (leverUpPng),
      leverUpSize (leverUpBytes),
      faderCapData (faderCapPng),
      faderCapSize (faderCapBytes)
{
    leverUp = juce::ImageCache::getFromMemory (leverUpData, leverUpSize);
    leverDown = juce::ImageCache::getFromMemory (leverDownData, leverDownSize);
    faderCap = juce::ImageCache::getFromMemory (faderCapData, faderCapSize);
}

AmpLookAndFeel::~AmpLookAndFeel() = default;

void AmpLookAndFeel::drawRotarySlider (juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                                       float rotaryStartAngle, float rotaryEndAngle, juce::Slider& slider)
{
    const double W = width, H = height;
    const double R = (H - 30.0) * 0.47;
    const double cx = x + 0.5 * W;
    const double cy = (y + 10) + R + 7.0;
    const double r1 = 0.95 * R, r2 = 0.9 * R, r3 = 0.6 * r2, r4 = 0.8 * r3;
    const float turn = sliderPos * (rotaryEndAngle - rotaryStartAngle);
    const float step = (rotaryEndAngle - rotaryStartAngle) / 10.0f;
    const auto fcx = (float) cx, fcy = (float) cy;

    // The tick on the panel, which stays put while the knob turns.
    g.setColour (juce::Colours::white);
    g.fillRect (juce::Rectangle<float> ((float) (x + (W - 0.02 * W) * 0.5), (float) (y + 9), (float) (0.02 * W), 10.0f));

    // Caption across the whole component, in the context's font.
    g.drawFittedText (slider.getComponentID(), 0, height - 16, width, 16, juce::Justification::centred, 1);

    // Body.
    auto body = disc (cx, cy, r1);
    const int bodyOffset = (int) (0.12 * r1);
    juce::DropShadow (juce::Colours::black, 4, { bodyOffset, bodyOffset }).drawForPath (g, body);
    g.setGradientFill (radialGradient (0xff8c8c8c, cx - 0.7 * r1, cy - 0.7 * r1, 0xffa1a39d, cx, cy));
    g.fillPath (body);

    // Skirt face.
    g.setGradientFill (radialGradient (0xffffffff, cx - 0.7 * r2, cy - 0.7 * r2, 0xffb5b8b0, cx, cy));
    g.fillPath (disc (cx, cy, r2));

    // Numerals: numeral j stands upright under the tick when the value is j/10.
    for (int j = 0; j <= 10; ++j)
    {
        const double w = j < 10 ? 0.2 * R * 0.7 : 0.2 * R;
        auto numeral = numeralOutline (j);
        numeral.scaleToFit ((float) (cx - 0.5 * w), (float) (cy - r2 + 2.0), (float) w, (float) (0.2 * R), false);
        numeral.applyTransform (juce::AffineTransform::rotation (turn - (float) j * step, fcx, fcy));
        g.setColour (j == 5 ? juce::Colours::purple : juce::Colours::black);
        g.fillPath (numeral);
    }

    // Cap rim.
    auto rim = disc (cx, cy, r3);
    const int rimOffset = (int) (0.27 * r3);
    juce::DropShadow (juce::Colours::black, 4, { rimOffset, rimOffset }).drawForPath (g, rim);
    g.setGradientFill (radialGradient (0xfffafef6, cx - 0.7 * r3, cy - 0.7 * r3, 0xffc8c8c8, cx, cy));
    g.fillPath (rim);

    // Centre cap.
    g.setGradientFill (radialGradient (0xff323c28, cx - 0.5 * r4, cy - 0.5 * r4, 0xffa1a39d, cx + 10.0, cy + 10.0));
    g.fillPath (disc (cx, cy, r4));

    // Ribs across the cap, the only part of it that shows the turn: eleven
    // bars each turned a further tenth of a half turn give twenty spokes.
    juce::Path ribs;
    for (int i = 0; i < 11; ++i)
    {
        ribs.addRectangle ((float) (cx - 1.0), (float) (cy - r4), 2.0f, (float) (2.0 * r4));
        ribs.applyTransform (juce::AffineTransform::rotation (juce::MathConstants<float>::pi / 10.0f, fcx, fcy));
    }
    ribs.applyTransform (juce::AffineTransform::rotation (turn, fcx, fcy));
    g.setGradientFill (radialGradient (0xff323232, cx, cy, 0xff9b9b9b, cx, cy + r4));
    g.fillPath (ribs);
}

void AmpLookAndFeel::drawLinearSlider (juce::Graphics& g, int x, int y, int width, int height, float, float, float,
                                       juce::Slider::SliderStyle, juce::Slider& slider)
{
    // The cap at three tenths of its picture's size.
    juce::Image cap;
    if (faderCap.isValid())
        cap = faderCap.rescaled ((int) (0.3 * faderCap.getWidth()), (int) (0.3 * faderCap.getHeight()),
                                 juce::Graphics::mediumResamplingQuality);
    const int capW = cap.isValid() ? cap.getWidth() : 0;
    const int capH = cap.isValid() ? cap.getHeight() : 0;

    const int travel = height - capH;
    const int top = y + capH / 2;
    const double proportion = slider.getValue() / (slider.getMaximum() - slider.getMinimum());

    // Scale: long marks at 0, 5 and 10, short ones right-aligned between them.
    juce::Path scale;
    const float spacing = 0.1f * (float) travel;
    for (int j = 0; j <= 10; ++j)
    {
        const int row = (int) ((float) top + (float) j * spacing);
        if (j % 5 == 0)
            scale.addRectangle ((float) x, (float) row, 10.0f, 1.0f);
        else
            scale.addRectangle ((float) (x + 5), (float) row, 5.0f, 1.0f);
    }
    g.setColour (juce::Colours::darkgrey);
    g.fillPath (scale);

    // Track, fully rounded at both ends.
    const double cx = x + 0.5 * width;
    const double trackWidth = 0.1 * width;
    juce::Path track;
    track.addRoundedRectangle ((float) (int) (cx - 0.5 * trackWidth), (float) top, (float) (int) trackWidth,
                               (float) travel, (float) trackWidth, (float) trackWidth, true, true, true, true);
    g.setColour (juce::Colours::black);
    g.fillPath (track);

    // Cap: resting on the bottom at the minimum, touching the top at the maximum.
    const int capX = (int) (cx - 0.5 * capW);
    const int capY = (int) ((y + height - capH) - travel * proportion);
    const int shadowOffset = (int) (0.2 * capW);
    juce::DropShadow (juce::Colours::black, 4, { shadowOffset, shadowOffset })
        .drawForRectangle (g, { capX, capY, capW, capH });
    if (cap.isValid())
        g.drawImageAt (cap, capX, capY);
}

void AmpLookAndFeel::drawToggleButton (juce::Graphics& g, juce::ToggleButton& button, bool, bool)
{
    const int W = button.getWidth(), H = button.getHeight();
    const auto name = button.getName();

    g.setFont (juce::Font (juce::Font::getDefaultSansSerifFontName(), 16.0f, juce::Font::plain));
    g.setColour (juce::Colours::white);

    if (name.contains ("chanelDrive"))
    {
        g.drawFittedText ("Clean", 0, 0, W, 30, juce::Justification::centred, 1);
        g.drawFittedText ("Drive", 0, H - 30, W, 30, juce::Justification::centred, 1);
    }
    else if (name.contains ("reverbType2"))
    {
        g.drawFittedText ("Type I", 0, 0, W, 30, juce::Justification::centred, 1);
        g.drawFittedText ("Type II", 0, H - 30, W, 30, juce::Justification::centred, 1);
    }
    else
    {
        g.drawFittedText (button.getButtonText(), 0, H - 20, W, 20, juce::Justification::centred, 1);
        g.setFont (12.0f);
        g.drawFittedText ("On", 0, 20, W, 10, juce::Justification::centredBottom, 1);
        g.drawFittedText ("Off", 0, H - 30, W, 10, juce::Justification::centredTop, 1);
    }

    // The lever between the labels: up for on, down for off.
    const auto& lever = button.getToggleState() ? leverUp : leverDown;
    if (lever.isValid() && W > 0 && H > 60)
        g.drawImageAt (lever.rescaled (W, H - 60, juce::Graphics::mediumResamplingQuality), 0, 30);
}
