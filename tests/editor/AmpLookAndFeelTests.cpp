// The amplifier panel's drawing, checked on rendered pixels.

#include "Drawing.h"

#include "lookandfeel/AmpLookAndFeel.h"
#include "lookandfeel/Glyphs.h"

#include <gtest/gtest.h>

namespace
{
constexpr float startAngle = juce::MathConstants<float>::pi * 1.2f; // the framework's default rotary range
constexpr float endAngle = juce::MathConstants<float>::pi * 2.8f;

bool isInk (juce::Colour c) { return c.getAlpha() > 128 && drawing::luminance (c) < 110.0f; }
bool isPurple (juce::Colour c) { return c.getRed() > 80 && c.getBlue() > 80 && c.getGreen() < 50; }

/** A look-and-feel drawing the given pictures instead of the built-in ones. */
std::unique_ptr<AmpLookAndFeel> ampWith (const juce::MemoryBlock& up, const juce::MemoryBlock& down,
                                         const juce::MemoryBlock& cap)
{
    return std::make_unique<AmpLookAndFeel> (up.getData(), (int) up.getSize(), down.getData(), (int) down.getSize(),
                                             cap.getData(), (int) cap.getSize());
}

/** Lime lever up, red lever down, magenta fader cap: easy to find in a drawing. */
std::unique_ptr<AmpLookAndFeel> ampWithMarkers()
{
    return ampWith (drawing::solidPng (juce::Colours::lime, 52, 52), drawing::solidPng (juce::Colours::red, 52, 52),
                    drawing::solidPng (juce::Colours::magenta, 57, 102));
}

bool isLime (juce::Colour c) { return c.getGreen() > 200 && c.getRed() < 60 && c.getBlue() < 60; }
bool isRed (juce::Colour c) { return c.getRed() > 200 && c.getGreen() < 60 && c.getBlue() < 60; }

/** A large knob, so the numerals have enough pixels to be told apart. */
struct BigKnob
{
    static constexpr int size = 400;
    static constexpr double R = (size - 30) * 0.47;
    static constexpr double cx = 0.5 * size, cy = 10 + R + 7;
    static constexpr double skirt = 0.9 * R;

    /** The box a numeral of width w occupies when it stands upright under the tick. */
    static juce::Rectangle<int> box (double w)
    {
        return juce::Rectangle<double> (cx - 0.5 * w, cy - skirt + 2.0, w, 0.2 * R).getSmallestIntegerContainer();
    }
};

/** How many pixels of the upright-numeral box differ, ink against no ink,
    from glyph k standing upright alone in its box. */
int mismatch (const juce::Image& knob, int k)
{
    const double w = k < 10 ? 0.2 * BigKnob::R * 0.7 : 0.2 * BigKnob::R;
    auto outline = glyphs::load (glyphs::numeral (k));
    outline.scaleToFit ((float) (BigKnob::cx - 0.5 * w), (float) (BigKnob::cy - BigKnob::skirt + 2.0), (float) w,
                        (float) (0.2 * BigKnob::R), false);
    const auto alone = drawing::render (BigKnob::size, BigKnob::size, [&] (juce::Graphics& g)
    {
        g.setColour (juce::Colours::black);
        g.fillPath (outline);
    }, juce::Colours::white);

    const auto area = BigKnob::box (0.2 * BigKnob::R).expanded (2);
    int n = 0;
    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            n += isInk (knob.getPixelAt (x, y)) != isInk (alone.getPixelAt (x, y)) ? 1 : 0;
    return n;
}

juce::Image drawKnob (AmpLookAndFeel& lf, float proportion)
{
    juce::Slider slider;
    return drawing::render (BigKnob::size, BigKnob::size, [&] (juce::Graphics& g)
    {
        lf.drawRotarySlider (g, 0, 0, BigKnob::size, BigKnob::size, proportion, startAngle, endAngle, slider);
    });
}

TEST (AmpKnob, AtEachTenthTheMatchingNumeralStandsUprightUnderTheTick)
{
    AmpLookAndFeel lf;
    for (int j = 0; j <= 10; ++j)
    {
        const auto knob = drawKnob (lf, (float) j / 10.0f);
        int best = -1, bestScore = 1 << 30;
        for (int k = 0; k <= 10; ++k)
            if (const int score = mismatch (knob, k); score < bestScore)
            {
                best = k;
                bestScore = score;
            }
        EXPECT_EQ (best, j) << "value " << j << "/10 shows numeral " << best << " under the tick";
        EXPECT_LT (bestScore, 25) << "numeral " << j << " is not drawn as it stands alone";
    }
}

TEST (AmpKnob, NumeralsRunAnticlockwiseSoTheKnobTurnsThemUnderTheTickInOrder)
{
    AmpLookAndFeel lf;
    const double step = (endAngle - startAngle) / 10.0;
    const double radius = BigKnob::skirt - 2.0 - 0.1 * BigKnob::R; // where the numerals' centres run
    auto inkAround = [&] (const juce::Image& knob, double angle)
    {
        const auto centre = juce::Point<double> (BigKnob::cx + radius * std::sin (angle), BigKnob::cy - radius * std::cos (angle));
        return drawing::countWhere (knob, juce::Rectangle<double> (24.0, 24.0).withCentre (centre).toNearestInt(), isInk);
    };

    // At the minimum numeral 1 waits one step anticlockwise of the tick, and
    // nothing stands one step clockwise of it.
    const auto atZero = drawKnob (lf, 0.0f);
    EXPECT_GT (inkAround (atZero, -step), 50);
    EXPECT_EQ (inkAround (atZero, step), 0);

    // At the maximum it is the other way round: numeral 9 one step clockwise.
    const auto atTen = drawKnob (lf, 1.0f);
    EXPECT_GT (inkAround (atTen, step), 50);
    EXPECT_EQ (inkAround (atTen, -step), 0);
}

TEST (AmpKnob, OnlyTheFiveIsPurple)
{
    AmpLookAndFeel lf;
    const auto area = BigKnob::box (0.2 * BigKnob::R);
    for (int j : { 4, 5, 6, 10 })
    {
        const auto knob = drawKnob (lf, (float) j / 10.0f);
        const int purple = drawing::countWhere (knob, area, isPurple);
        const int ink = drawing::countWhere (knob, area, isInk);
        EXPECT_GT (ink, 50) << "numeral " << j;
        if (j == 5)
            EXPECT_GT (purple, ink / 2);
        else
            EXPECT_EQ (purple, 0) << "numeral " << j;
    }
}

TEST (AmpKnob, TickAndCaptionStayWhileTheKnobTurns)
{
    AmpLookAndFeel lf;
    juce::Slider slider;
    slider.setComponentID ("Presence");
    // Drawn at x = 30: the tick follows x, the caption keeps to the band from 0 to W.
    const auto image = drawing::render (160, 100, [&] (juce::Graphics& g)
    {
        g.setColour (juce::Colours::white);
        lf.drawRotarySlider (g, 30, 0, 100, 100, 0.37f, startAngle, endAngle, slider);
    });
    const auto white = [] (juce::Colour c) { return c.getAlpha() > 200 && drawing::luminance (c) > 240.0f; };
    const auto tick = drawing::columnsWhere (image.getClippedImage ({ 0, 9, 160, 10 }), white);
    EXPECT_EQ (tick.first, 30 + 49);
    EXPECT_EQ (tick.last, 30 + 50);

    const auto caption = drawing::columnsWhere (image.getClippedImage ({ 0, 84, 160, 16 }), white);
    ASSERT_GE (caption.first, 0);
    EXPECT_NEAR (0.5 * (caption.first + caption.last), 50.0, 2.0); // centred on (0, W), not on the knob at x + W/2
}

//==============================================================================
struct FaderFixture : testing::Test
{
    // A magenta cap: 57 x 102 drawn at three tenths, 17 x 30.
    std::unique_ptr<AmpLookAndFeel> lf = ampWithMarkers();

    juce::Image drawFader (double value, juce::Slider::SliderStyle style = juce::Slider::LinearVertical)
    {
        juce::Slider slider;
        slider.setRange (0.0, 1.0);
        slider.setValue (value);
        return drawing::render (60, 160, [&] (juce::Graphics& g)
        {
            lf->drawLinearSlider (g, 10, 12, 40, 130, 0.0f, 0.0f, 0.0f, style, slider);
        });
    }

    static bool isCap (juce::Colour c) { return c.getRed() > 200 && c.getGreen() < 60 && c.getBlue() > 200; }
};

TEST_F (FaderFixture, CapRestsOnTheBottomAtZeroAndTouchesTheTopAtOne)
{
    const auto atZero = drawing::rowsWhere (drawFader (0.0), isCap);
    EXPECT_EQ (atZero.last, 12 + 130 - 1);
    EXPECT_EQ (atZero.last - atZero.first + 1, 30);

    const auto atOne = drawing::rowsWhere (drawFader (1.0), isCap);
    EXPECT_EQ (atOne.first, 12);
    EXPECT_EQ (atOne.last - atOne.first + 1, 30);

    // Centred on the track: 17 pixels wide from trunc(30 - 8.5).
    const auto columns = drawing::columnsWhere (drawFader (0.5), isCap);
    EXPECT_EQ (columns.first, 21);
    EXPECT_EQ (columns.last, 37);
}

TEST_F (FaderFixture, AlwaysDrawnUprightWithLongMarksAtTheEndsAndMiddle)
{
    const auto upright = drawFader (0.3);
    const auto sideways = drawFader (0.3, juce::Slider::LinearHorizontal);
    for (int y = 0; y < upright.getHeight(); ++y)
        for (int x = 0; x < upright.getWidth(); ++x)
            ASSERT_EQ (upright.getPixelAt (x, y), sideways.getPixelAt (x, y)) << x << ", " << y;

    // Marks every 10 pixels of the 100-pixel travel from y = 27; the long ones reach x = 10.
    const auto grey = [] (juce::Colour c) { return c == juce::Colours::darkgrey; };
    for (int j = 0; j <= 10; ++j)
    {
        const int row = 27 + 10 * j;
        EXPECT_EQ (grey (upright.getPixelAt (10, row)), j % 5 == 0) << "mark " << j;
        EXPECT_TRUE (grey (upright.getPixelAt (17, row))) << "mark " << j;
    }
}

TEST (Fader, WithoutACapPictureTheScaleAndTrackAreStillDrawn)
{
    const auto& broken = drawing::brokenPng();
    AmpLookAndFeel lf (broken.getData(), (int) broken.getSize(), broken.getData(), (int) broken.getSize(),
                       broken.getData(), (int) broken.getSize());
    juce::Slider slider;
    slider.setRange (0.0, 1.0);
    slider.setValue (0.5);
    const auto image = drawing::render (60, 160, [&] (juce::Graphics& g)
    {
        lf.drawLinearSlider (g, 10, 12, 40, 130, 0.0f, 0.0f, 0.0f, juce::Slider::LinearVertical, slider);
    });
    // With a 0 x 0 cap the travel is the whole height: marks from y = 12, a black track down the middle.
    EXPECT_EQ (image.getPixelAt (10, 12), juce::Colours::darkgrey);
    EXPECT_EQ (image.getPixelAt (30, 70), juce::Colours::black);
}

//==============================================================================
struct LeverFixture : testing::Test
{
    std::unique_ptr<AmpLookAndFeel> lf = ampWithMarkers();

    juce::Image drawLever (const juce::String& name, const juce::String& text, bool on, bool hover = false)
    {
        juce::ToggleButton button (text);
        button.setName (name);
        button.setToggleState (on, juce::dontSendNotification);
        button.setBounds (0, 0, 50, 110);
        return drawing::render (50, 110, [&] (juce::Graphics& g) { lf->drawToggleButton (g, button, hover, hover); });
    }
};

TEST_F (LeverFixture, ShowsTheUpPictureWhenOnAndTheDownPictureWhenOff)
{
    const auto on = drawLever ("midboost1", "Mid Boost", true);
    const auto off = drawLever ("midboost1", "Mid Boost", false);
    EXPECT_TRUE (isLime (on.getPixelAt (25, 55)));
    EXPECT_TRUE (isRed (off.getPixelAt (25, 55)));
    EXPECT_EQ (drawing::countWhere (on, on.getBounds(), isRed), 0);
    EXPECT_EQ (drawing::countWhere (off, off.getBounds(), isLime), 0);
    // The picture fills the band between the labels, 30 to 80.
    const auto band = drawing::rowsWhere (on, isLime);
    EXPECT_EQ (band.first, 30);
    EXPECT_EQ (band.last, 79);

    // Hover and press change nothing.
    const auto hovered = drawLever ("midboost1", "Mid Boost", true, true);
    for (int y = 0; y < 110; ++y)
        for (int x = 0; x < 50; ++x)
            ASSERT_EQ (on.getPixelAt (x, y), hovered.getPixelAt (x, y));
}

TEST_F (LeverFixture, ChannelAndReverbSwitchesIgnoreTheButtonText)
{
    auto sameImage = [] (const juce::Image& a, const juce::Image& b)
    {
        for (int y = 0; y < a.getHeight(); ++y)
            for (int x = 0; x < a.getWidth(); ++x)
                if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                    return false;
        return true;
    };
    for (const char* name : { "chanelDrive", "reverbType2" })
        EXPECT_TRUE (sameImage (drawLever (name, "Chanel", false), drawLever (name, "Something else", false))) << name;
    EXPECT_FALSE (sameImage (drawLever ("boost1", "Boost", false), drawLever ("boost1", "Something else", false)));

    // The two fixed labels differ between the channel and the reverb switch.
    EXPECT_FALSE (sameImage (drawLever ("chanelDrive", "", false), drawLever ("reverbType2", "", false)));
}

TEST (Lever, WithoutPicturesTheLabelsAreStillDrawn)
{
    const auto& broken = drawing::brokenPng();
    AmpLookAndFeel lf (broken.getData(), (int) broken.getSize(), broken.getData(), (int) broken.getSize(),
                       broken.getData(), (int) broken.getSize());
    juce::ToggleButton button ("Boost");
    button.setName ("boost2");
    button.setBounds (0, 0, 50, 110);
    const auto image = drawing::render (50, 110, [&] (juce::Graphics& g) { lf.drawToggleButton (g, button, false, false); });

    const auto white = [] (juce::Colour c) { return c.getAlpha() > 128 && drawing::luminance (c) > 200.0f; };
    EXPECT_GT (drawing::countWhere (image, { 0, 90, 50, 20 }, white), 10);  // the button text
    EXPECT_GT (drawing::countWhere (image, { 0, 20, 50, 10 }, white), 3);   // "On"
    EXPECT_EQ (drawing::countWhere (image, { 0, 40, 50, 30 }, [] (juce::Colour c) { return c.getAlpha() > 0; }), 0);
}
} // namespace
