// The pedal knob and footswitch, checked on rendered pixels.

#include "Drawing.h"

#include "lookandfeel/PedalLookAndFeel.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
constexpr float startAngle = juce::MathConstants<float>::pi * 1.2f;
constexpr float endAngle = juce::MathConstants<float>::pi * 2.8f;

/** The direction, clockwise from twelve o'clock, of the cream pointer over the
    knob's cap, from the centre of its pixels. */
double pointerAngle (const juce::Image& knob)
{
    const double c = 0.5 * knob.getWidth();
    double sx = 0.0, sy = 0.0;
    int n = 0;
    for (int y = 0; y < knob.getHeight(); ++y)
        for (int x = 0; x < knob.getWidth(); ++x)
        {
            const double dx = x + 0.5 - c, dy = y + 0.5 - c;
            const auto p = knob.getPixelAt (x, y);
            if (std::hypot (dx, dy) < 0.17 * knob.getWidth() && p.getRed() > 225 && p.getGreen() > 210 && p.getBlue() > 190)
            {
                sx += dx;
                sy += dy;
                ++n;
            }
        }
    return n == 0 ? std::nan ("") : std::atan2 (sx, -sy);
}

double angleDifference (double a, double b)
{
    return std::remainder (a - b, juce::MathConstants<double>::twoPi);
}

TEST (PedalKnob, PointerPointsAtMarkKAtProportionKTenths)
{
    PedalLookAndFeel lf;
    juce::Slider slider;
    const double step = (endAngle - startAngle) / 10.0;
    for (int k : { 0, 3, 5, 10 })
    {
        const auto knob = drawing::render (300, 300, [&] (juce::Graphics& g)
        {
            lf.drawRotarySlider (g, 0, 0, 300, 300, (float) k / 10.0f, startAngle, endAngle, slider);
        });
        EXPECT_NEAR (angleDifference (pointerAngle (knob), startAngle + k * step), 0.0, 0.03) << "k = " << k;
    }
}

TEST (PedalKnob, ElevenScaleMarksFromTheStartToTheEndAngle)
{
    PedalLookAndFeel lf;
    juce::Slider slider;
    const auto knob = drawing::render (300, 300, [&] (juce::Graphics& g)
    {
        lf.drawRotarySlider (g, 0, 0, 300, 300, 0.5f, startAngle, endAngle, slider);
    });
    // Marks sit between 0.30 and 0.34 of the size from the centre; walk that ring
    // from six o'clock, in the gap below the knob.
    int marks = 0;
    bool inside = false;
    for (int i = 0; i < 3600; ++i)
    {
        const double a = juce::MathConstants<double>::pi + juce::MathConstants<double>::twoPi * i / 3600.0;
        const auto p = knob.getPixelAt ((int) (150.0 + 96.0 * std::sin (a)), (int) (150.0 - 96.0 * std::cos (a)));
        const bool cream = p.getAlpha() > 128 && p.getRed() > 200 && p.getBlue() > 160;
        marks += (cream && ! inside) ? 1 : 0;
        inside = cream;
    }
    EXPECT_EQ (marks, 11);
}

TEST (PedalKnob, StaysRoundInANarrowArea)
{
    PedalLookAndFeel lf;
    juce::Slider slider;
    const auto knob = drawing::render (120, 200, [&] (juce::Graphics& g)
    {
        lf.drawRotarySlider (g, 0, 0, 120, 200, 0.5f, startAngle, endAngle, slider);
    });
    // The dark fluted knob fits the narrower side and is centred: as wide as it is tall.
    const auto dark = [] (juce::Colour c) { return c.getAlpha() > 200 && drawing::luminance (c) < 60.0f; };
    const auto rows = drawing::rowsWhere (knob.getClippedImage ({ 0, 0, 120, 184 }), dark);
    const auto columns = drawing::columnsWhere (knob.getClippedImage ({ 0, 0, 120, 184 }), dark);
    EXPECT_NEAR (rows.last - rows.first, columns.last - columns.first, 6);
    EXPECT_NEAR (0.5 * (rows.first + rows.last), 100.0, 6.0);
}

TEST (Footswitch, ShowsThePictureOfItsStateCentredAtThePicturesAspect)
{
    const auto& onPng = drawing::solidPng (juce::Colours::lime, 75, 100);
    const auto& offPng = drawing::solidPng (juce::Colours::red, 75, 100);
    PedalLookAndFeel lf (onPng.getData(), (int) onPng.getSize(), offPng.getData(), (int) offPng.getSize());

    for (bool on : { true, false })
    {
        juce::ToggleButton button;
        button.setToggleState (on, juce::dontSendNotification);
        button.setBounds (0, 0, 50, 50);
        const auto image = drawing::render (50, 50, [&] (juce::Graphics& g) { lf.drawToggleButton (g, button, false, false); });
        const auto colour = image.getPixelAt (25, 25);
        EXPECT_EQ (colour.getGreen() > 200, on);
        EXPECT_EQ (colour.getRed() > 200, ! on);
        // 37.5 x 50, centred: clear at the sides.
        const auto columns = drawing::columnsWhere (image, [] (juce::Colour c) { return c.getAlpha() > 128; });
        EXPECT_NEAR (columns.first, 6, 1);
        EXPECT_NEAR (columns.last, 43, 1);
    }
}

TEST (Footswitch, APictureThatDoesNotDecodeDrawsNothing)
{
    const auto& broken = drawing::brokenPng();
    PedalLookAndFeel lf (broken.getData(), (int) broken.getSize(), broken.getData(), (int) broken.getSize());
    juce::ToggleButton button;
    button.setBounds (0, 0, 50, 50);
    const auto image = drawing::render (50, 50, [&] (juce::Graphics& g) { lf.drawToggleButton (g, button, false, false); });
    EXPECT_EQ (drawing::countWhere (image, image.getBounds(), [] (juce::Colour c) { return c.getAlpha() > 0; }), 0);
}
} // namespace
