#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

struct Pedal;

/** One effect pedal's body: the hammered-metal picture over a rounded body in
    the pedal's colour, with the pedal's name on the label strip. The knobs,
    footswitch and arrows are children drawn by their own look-and-feels.

    The picture is asked from the image cache and fitted to the component on
    every paint; the cache and an unchanged size make that cheap.
*/
class PedalComponent : public juce::Component
{
public:
    /** A pedal with no description yet: it draws the picture and no body until
        setPedal gives it one. */
    PedalComponent();

    /** Uses the given PNG bytes for the body picture instead of the built-in
        one (the bytes must outlive the component). */
    PedalComponent (const void* pngData, int pngSize);

    /** Nothing to release: the children belong to the editor. */
    ~PedalComponent() override;

    /** The processor's pedal whose kind picks the colour and whose display
        name is written on the body. */
    void setPedal (const Pedal* pedalToShow) noexcept { pedal = pedalToShow; }

    /** The pedal shown, or null. */
    const Pedal* getPedal() const noexcept { return pedal; }

    /** The body colour of a pedal kind (0 to 4); transparent for any other. */
    static juce::Colour bodyColour (int kind) noexcept;

    /** Shadow, coloured body, picture and name; see the class description. */
    void paint (juce::Graphics&) override;

private:
    const void* imageData;
    int imageSize;
    juce::Image image;
    const Pedal* pedal = nullptr;
    juce::Colour textColour;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PedalComponent)
};

/** A caption written down a 25-pixel column, one line per character: its
    text is the component ID, spelled with blanks between the letters so that
    each letter lands on its own line. */
class titleComponent : public juce::Component
{
public:
    /** An empty caption; the text comes from setComponentID. */
    titleComponent();

    /** Holds nothing to release. */
    ~titleComponent() override;

    /** The caption in translucent white, bold, centred in (0, 0, 25, 350). */
    void paint (juce::Graphics&) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (titleComponent)
};

/** The row of pedals placed before the amplifier: a half-transparent dark
    backing that sets the pedals off the panel picture. */
class PedalBoardComponent : public juce::Component
{
public:
    /** An empty row; the editor places the pedals on it. */
    PedalBoardComponent();

    /** Nothing to release: the children belong to the editor. */
    ~PedalBoardComponent() override;

    /** Darkens the whole area. */
    void paint (juce::Graphics&) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PedalBoardComponent)
};

/** The row of pedals in the effects loop; drawn like PedalBoardComponent. */
class PedalLoopComponent : public juce::Component
{
public:
    /** An empty row; the editor places the pedals on it. */
    PedalLoopComponent();

    /** Nothing to release: the children belong to the editor. */
    ~PedalLoopComponent() override;

    /** Darkens the whole area. */
    void paint (juce::Graphics&) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PedalLoopComponent)
};
