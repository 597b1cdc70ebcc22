#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The pedal navigation buttons: a translucent arrowhead as large as the
    button allows, pointing left for PREV and right for NEXT. The state, hover
    and press change nothing.
*/
class PreviousLookAndFeel : public juce::LookAndFeel_V4
{
public:
    /** Holds no state of its own. */
    PreviousLookAndFeel();
    ~PreviousLookAndFeel() override;

    /** An arrowhead pointing left. */
    void drawToggleButton (juce::Graphics&, juce::ToggleButton&, bool shouldDrawButtonAsHighlighted,
                           bool shouldDrawButtonAsDown) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PreviousLookAndFeel)
};

/** The NEXT button's look: the same arrowhead, pointing right. */
class NextLookAndFeel : public juce::LookAndFeel_V4
{
public:
    /** Holds no state of its own. */
    NextLookAndFeel();
    ~NextLookAndFeel() override;

    /** An arrowhead pointing right. */
    void drawToggleButton (juce::Graphics&, juce::ToggleButton&, bool shouldDrawButtonAsHighlighted,
                           bool shouldDrawButtonAsDown) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (NextLookAndFeel)
};
