#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Draws the controls on the effect pedals: a dark fluted knob on a light
    dome inside a ring of eleven cream scale marks, with a cream pointer line,
    and the footswitch as one of two stomp-switch pictures.
*/
class PedalLookAndFeel : public juce::LookAndFeel_V4
{
public:
    /** Decodes the footswitch pictures built into the plug-in. */
    PedalLookAndFeel();

    /** Uses the given PNG bytes instead of the built-in pictures (the bytes
        must outlive the object). A picture that does not decode draws nothing. */
    PedalLookAndFeel (const void* onPng, int onSize, const void* offPng, int offSize);

    ~PedalLookAndFeel() override;

    /** The footswitch picture for the button's state, fitted and centred. */
    void drawToggleButton (juce::Graphics&, juce::ToggleButton&, bool shouldDrawButtonAsHighlighted,
                           bool shouldDrawButtonAsDown) override;

    /** The fluted knob with its scale, pointer and caption. */
    void drawRotarySlider (juce::Graphics&, int x, int y, int width, int height, float sliderPos,
                           float rotaryStartAngle, float rotaryEndAngle, juce::Slider&) override;

private:
    const void* onData;
    int onSize;
    const void* offData;
    int offSize;

    juce::Image footswitchOn, footswitchOff;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PedalLookAndFeel)
};
