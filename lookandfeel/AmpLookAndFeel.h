#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Draws the amplifier panel's controls: knobs with a numbered skirt read
    against a fixed tick, vertical equaliser faders with an image cap, and
    lever toggle switches with their labels.

    The knob's numerals 0 to 10 turn with it, so the value is the numeral under
    the white tick above the knob. The fader always runs vertically with its
    maximum at the top. The toggle shows the lever up when on and down when off.
*/
class AmpLookAndFeel : public juce::LookAndFeel_V4
{
public:
    /** Decodes the lever and fader-cap pictures built into the plug-in. */
    AmpLookAndFeel();

    /** Uses the given PNG bytes instead of the built-in pictures (the bytes
        must outlive the object). Pictures that do not decode are left out of
        the drawing. */
    AmpLookAndFeel (const void* leverUpPng, int leverUpSize, const void* leverDownPng, int leverDownSize,
                    const void* faderCapPng, int faderCapSize);

    ~AmpLookAndFeel() override;

    /** A lever switch between its two labels; see the class description. */
    void drawToggleButton (juce::Graphics&, juce::ToggleButton&, bool shouldDrawButtonAsHighlighted,
                           bool shouldDrawButtonAsDown) override;

    /** A vertical fader: tick scale, black track and the image cap. */
    void drawLinearSlider (juce::Graphics&, int x, int y, int width, int height, float sliderPos, float minSliderPos,
                           float maxSliderPos, juce::Slider::SliderStyle, juce::Slider&) override;

    /** The numbered knob with the slider's component ID as its caption. */
    void drawRotarySlider (juce::Graphics&, int x, int y, int width, int height, float sliderPos,
                           float rotaryStartAngle, float rotaryEndAngle, juce::Slider&) override;

private:
    const void* leverDownData;
    int leverDownSize;
    const void* leverUpData;
    int leverUpSize;
    const void* faderCapData;
    int faderCapSize;

    juce::Image faderCap, leverUp, leverDown;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AmpLookAndFeel)
};
