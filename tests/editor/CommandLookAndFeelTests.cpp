// The pedalboard button, the master volume, the meters and the navigation
// arrows, checked on rendered pixels.

#include "Drawing.h"

#include "lookandfeel/CommandLookAndFeel.h"
#include "lookandfeel/NavigationLookAndFeel.h"

#include <gtest/gtest.h>

namespace
{
const juce::Colour ink (CommandLookAndFeel::inkColour);

//==============================================================================
struct MeterCase
{
    double value;
    int firstLit; // segments firstLit to 10 are lit, the ones above dark; 11 for none
};

class Meter : public testing::TestWithParam<MeterCase>
{
};

TEST_P (Meter, LightsFromTheBottomUpInItsSegmentColours)
{
    const auto [value, firstLit] = GetParam();
    CommandLookAndFeel lf;
    juce::Slider slider;
    slider.setRange (0.0, 200.0);
    slider.setValue (value);
    // 96 high: a pitch of 9 and segments 6 high.
    const auto image = drawing::render (20, 96, [&] (juce::Graphics& g)
    {
        lf.drawLinearSlider (g, 7, 0, 20, 96, 0.0f, 0.0f, 0.0f, juce::Slider::LinearVertical, slider);
    });

    for (int k = 0; k <= 10; ++k)
    {
        const bool lit = k >= firstLit;
        const juce::uint32 expected = k == 0 ? (lit ? 0xffff4848 : 0xffb60000)
                                    : k <= 2 ? (lit ? 0xffffbe48 : 0xffb67500)
                                             : (lit ? 0xff48a448 : 0xff005b00);
        EXPECT_EQ (image.getPixelAt (0, 9 * k).getARGB(), expected) << "segment " << k << " top";
        EXPECT_EQ (image.getPixelAt (19, 9 * k + 5).getARGB(), expected) << "segment " << k << " bottom";
        EXPECT_EQ (image.getPixelAt (10, 9 * k + 6).getAlpha(), 0) << "gap under segment " << k;
    }
}

INSTANTIATE_TEST_SUITE_P (Levels, Meter,
                          testing::Values (MeterCase { 100.0, 0 },  // full scale: everything lit
                                           MeterCase { 150.0, 0 },  // above full scale
                                           MeterCase { 50.0, 1 },   // 6 dB down: the red segment goes dark
                                           MeterCase { 12.6, 4 },   // trunc (-5.997) is -5: four segments dark
                                           MeterCase { 1.0, 11 },   // 40 dB down: nothing lit
                                           MeterCase { 0.0, 11 })); // silence

//==============================================================================
juce::Image drawBoardButton (bool on, bool hover)
{
    CommandLookAndFeel lf;
    juce::ToggleButton button ("pedalboard");
    button.setToggleState (on, juce::dontSendNotification);
    button.setBounds (0, 0, 96, 50);
    return drawing::render (96, 50, [&] (juce::Graphics& g) { lf.drawToggleButton (g, button, hover, false); });
}

TEST (PedalboardButton, CaptionSaysWhatAClickWillDo)
{
    for (bool on : { false, true })
    {
        const auto button = drawBoardButton (on, false);
        // The caption as it should read, alone on the face.
        const auto expected = drawing::render (96, 50, [&] (juce::Graphics& g)
        {
            g.setColour (juce::Colour (CommandLookAndFeel::faceColour));
            g.fillRect (0, 0, 96, 50);
            g.setColour (ink);
            g.drawFittedText (on ? "Hide    Pedalboard" : "Show    Pedalboard", 14, 0, 67, 50,
                              juce::Justification::centred, 2);
        });
        int differing = 0;
        for (int y = 8; y < 42; ++y)
            for (int x = 14; x < 81; ++x)
                differing += button.getPixelAt (x, y) != expected.getPixelAt (x, y) ? 1 : 0;
        EXPECT_EQ (differing, 0) << (on ? "on" : "off");
    }
}

TEST (PedalboardButton, BracketsShowOnlyWhileOn)
{
    const auto on = drawBoardButton (true, false), off = drawBoardButton (false, false);
    for (auto p : { juce::Point<int> (93, 25), juce::Point<int> (2, 25) })
    {
        EXPECT_EQ (on.getPixelAt (p.x, p.y), ink) << p.toString();
        EXPECT_EQ (off.getPixelAt (p.x, p.y), juce::Colour (CommandLookAndFeel::faceColour)) << p.toString();
    }
}

TEST (PedalboardButton, FaceLightensUnderTheMouse)
{
    for (bool on : { false, true })
    {
        EXPECT_EQ (drawBoardButton (on, true).getPixelAt (48, 3), juce::Colour (CommandLookAndFeel::hoverFaceColour));
        EXPECT_EQ (drawBoardButton (on, false).getPixelAt (48, 3), juce::Colour (CommandLookAndFeel::faceColour));
    }
}

//==============================================================================
TEST (VolumeKnob, PointerAndArcFollowTheAngle)
{
    CommandLookAndFeel lf;
    juce::Slider slider;
    auto draw = [&] (float proportion, float start, float end)
    {
        return drawing::render (96, 96, [&] (juce::Graphics& g)
        {
            lf.drawRotarySlider (g, 0, 0, 96, 96, proportion, start, end, slider);
        });
    };
    const float pi = juce::MathConstants<float>::pi;

    // Pointing at twelve o'clock: the bar stands at the top of the disc.
    const auto up = draw (0.5f, -pi / 2.0f, pi / 2.0f);
    EXPECT_EQ (up.getPixelAt (48, 15), ink);
    EXPECT_NE (up.getPixelAt (15, 48), ink);
    // The arc runs from the start angle (nine o'clock) up to the pointer.
    EXPECT_EQ (up.getPixelAt (12, 46), ink);
    EXPECT_EQ (up.getPixelAt (22, 22), ink);
    EXPECT_NE (up.getPixelAt (73, 22), ink);

    // At the start the bar points along the start angle and the arc has no length.
    const auto left = draw (0.0f, -pi / 2.0f, pi / 2.0f);
    EXPECT_EQ (left.getPixelAt (15, 48), ink);
    EXPECT_NE (left.getPixelAt (22, 22), ink);
}

//==============================================================================
/** The centre of the arrowhead's coverage and the box it fills. */
struct Arrow
{
    double centreX;
    juce::Rectangle<int> box;
};

template <typename LookAndFeelType>
Arrow drawArrow()
{
    LookAndFeelType lf;
    juce::ToggleButton button;
    button.setBounds (0, 0, 30, 30);
    const auto image = drawing::render (30, 30, [&] (juce::Graphics& g) { lf.drawToggleButton (g, button, false, false); });
    double sum = 0.0, weight = 0.0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
        {
            const double a = image.getPixelAt (x, y).getFloatAlpha();
            sum += a * (x + 0.5);
            weight += a;
        }
    const auto visible = [] (juce::Colour c) { return c.getAlpha() > 0; };
    const auto rows = drawing::rowsWhere (image, visible), columns = drawing::columnsWhere (image, visible);
    return { sum / weight, { columns.first, rows.first, columns.last - columns.first + 1, rows.last - rows.first + 1 } };
}

TEST (NavigationArrows, NextPointsRightAndPreviousLeft)
{
    // An arrowhead's weight lies towards its base, away from its tip.
    const auto next = drawArrow<NextLookAndFeel>();
    const auto previous = drawArrow<PreviousLookAndFeel>();
    EXPECT_LT (next.centreX, 12.0);
    EXPECT_GT (previous.centreX, 18.0);

    // As large as fits at 3:2, centred.
    for (const auto& arrow : { next, previous })
        EXPECT_EQ (arrow.box, juce::Rectangle<int> (0, 5, 30, 20));
}
} // namespace
