#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Draws the window's utility controls in a flat cream-and-purple style: the
    pedalboard show/hide button, the master volume knob and the two level
    meters.
*/
class CommandLookAndFeel : public juce::LookAndFeel_V4
{
public:
    /** Holds no state of its own. */
    CommandLookAndFeel();
    ~CommandLookAndFeel() override;

    /** Cream face for the button, purple ink for strokes and text. */
    static constexpr juce::uint32 faceColour = 0xfff0e9de, hoverFaceColour = 0xfffaf3e8, inkColour = 0xff4b3062;

    /** The pedalboard button: a rounded face whose caption says what a click
        will do, with brackets at its sides while the pedalboard shows. */
    void drawToggleButton (juce::Graphics&, juce::ToggleButton&, bool shouldDrawButtonAsHighlighted,
                           bool shouldDrawButtonAsDown) override;

    /** A level meter of eleven segments lighting from the bottom up, one per
        3 dB or so below a value of 100. */
    void drawLinearSlider (juce::Graphics&, int x, int y, int width, int height, float sliderPos, float minSliderPos,
                           float maxSliderPos, juce::Slider::SliderStyle, juce::Slider&) override;

    /** The master volume: a cream disc with a purple arc, a pointer, the
        position in percent and the caption "Main Out". */
    void drawRotarySlider (juce::Graphics&, int x, int y, int width, int height, float sliderPos,
                           float rotaryStartAngle, float rotaryEndAngle, juce::Slider&) override;

    /** The meter segment k (0 at the top, 10 at the bottom) lights for the
        level v when this returns true. */
    static bool isSegmentLit (double v, int k) noexcept;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CommandLookAndFeel)
};
