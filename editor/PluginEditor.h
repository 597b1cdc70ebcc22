#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include "UI.h"
#include "lookandfeel/AmpLookAndFeel.h"
#include "lookandfeel/CommandLookAndFeel.h"
#include "lookandfeel/NavigationLookAndFeel.h"
#include "lookandfeel/PedalLookAndFeel.h"

#include <array>

class BrindlecrestAudioProcessor;

/** The plug-in's window: a fixed 1300 x 730 amplifier panel with one control
    per parameter, and two rows of effect pedals that the "pedalboard" switch
    shows or hides.

    Every control is bound to its parameter by position: parameterControls[i]
    stands for getParameters()[i]. The user's moves write the parameter through
    the host-notifying call, inside a change gesture; a 33 ms timer moves every
    control to its parameter without notification, so host automation, restored
    states and the level meters show up without writing anything back.

    The pedals sit on two rows, before the amplifier and in the effects loop,
    each pedal on the side its before/after parameter names and in the order of
    the five slot-order parameters. PREV and NEXT move a pedal within its row
    and, at the ends, across to the other row.

    Runs on the message thread only; it reads parameter values and never
    touches the processor's signal state.
*/
class BrindlecrestAudioProcessorEditor : public juce::AudioProcessorEditor,
                                         public juce::Timer,
                                         public juce::ComboBox::Listener,
                                         public juce::Slider::Listener,
                                         public juce::Button::Listener
{
public:
    static constexpr int editorWidth = 1300;
    static constexpr int editorHeight = 730;
    static constexpr int timerIntervalMs = 33;

    /** The two web pages the links in the top right corner open. */
    static constexpr const char* siteUrl = "https://quorvanex.example/";
    static constexpr const char* donationUrl = "https://quorvanex.example/donate";

    /** Builds every control from the processor's parameters and lays the
        pedals out; the pedal rows start hidden. */
    explicit BrindlecrestAudioProcessorEditor (BrindlecrestAudioProcessor&);

    /** Detaches the look-and-feels from the controls before anything goes. */
    ~BrindlecrestAudioProcessorEditor() override;

    /** The panel picture, input jack, logo, version text; places the links. */
    void paint (juce::Graphics&) override;

    /** Lays out the pedals and puts the amplifier controls in their places. */
    void resized() override;

    /** Moves every control to its parameter, shows or hides the pedal rows
        with "pedalboard", and lays the pedals out again when a before/after
        or slot-order parameter has changed under them. */
    void timerCallback() override;

    /** Writes the slider's parameter if its value differs. */
    void sliderValueChanged (juce::Slider*) override;

    /** Opens a change gesture for the slider's parameter. */
    void sliderDragStarted (juce::Slider*) override;

    /** Closes the slider's change gesture. */
    void sliderDragEnded (juce::Slider*) override;

    /** Writes the cabinet parameter if the selected item differs. */
    void comboBoxChanged (juce::ComboBox*) override;

    /** Writes a toggle's parameter, or moves a pedal for PREV and NEXT. */
    void buttonClicked (juce::Button*) override;

    //==============================================================================
    // What tests and the snapshot tool look at.

    /** Entry i is the control of the processor's parameter i. */
    const juce::Array<juce::Component*>& getParameterControls() const noexcept { return parameterControls; }

    /** The component that shows processor pedal p (0 to 4). */
    PedalComponent& getPedalView (int p) { return pedalViews[(size_t) p]; }

    /** The PREV button of pedal p (0 to 4). */
    juce::ToggleButton& getPreviousButton (int p) { return *previousButtons[(size_t) p][0]; }

    /** The NEXT button of pedal p (0 to 4). */
    juce::ToggleButton& getNextButton (int p) { return *nextButtons[(size_t) p][0]; }

    /** The knobs of pedal p (0 to 4), in control order. */
    const juce::OwnedArray<juce::Slider>& getPedalKnobs (int p) const { return pedalKnobs[(size_t) p]; }

    /** The footswitch of pedal p (0 to 4). */
    juce::ToggleButton& getPedalSwitch (int p) { return *pedalSwitches[(size_t) p][0]; }

    /** The row of pedals before the amplifier. */
    juce::Component& getPedalBoard() noexcept { return pedalBoard; }

    /** The row of pedals in the effects loop. */
    juce::Component& getPedalLoop() noexcept { return pedalLoop; }

    /** The scrolling window on the row before the amplifier. */
    juce::Viewport& getBoardViewport() noexcept { return boardViewport; }

    /** The scrolling window on the effects-loop row. */
    juce::Viewport& getLoopViewport() noexcept { return loopViewport; }

    /** The link to the maker's site. */
    juce::HyperlinkButton& getSiteLink() noexcept { return siteLink; }

    /** The link to the donation page. */
    juce::HyperlinkButton& getDonationLink() noexcept { return donationLink; }

    //==============================================================================
    /** The width of a pedal with n knobs. */
    static int pedalWidth (int n) noexcept;

    /** Where knob k of a pedal with n knobs sits (top left; every knob is
        60 x 80). */
    static juce::Point<int> knobPosition (int n, int k) noexcept;

    /** Reads the five slot-order parameters into a permutation of the pedals
        0 to 4. A value that an earlier slot already holds, or that is no pedal
        index, is replaced by the largest index from 1 to 4 no earlier slot
        holds (0 when they all are), and the repair is written back. */
    static std::array<int, 5> normaliseSlotOrder (juce::AudioParameterInt* const (&orderParams)[5]);

private:
    /** The parameter controls stand for, by their place in parameterControls;
        null when the control stands for none. */
    juce::AudioProcessorParameter* parameterFor (const juce::Component*) const;

    /** Writes a parameter's normalised value, telling the host, inside a
        change gesture of its own unless a drag has one open already. */
    void writeParameter (juce::AudioProcessorParameter&, float normalised, bool inGesture = false);

    void makePedalControls (int p);
    void makeAmplifierControl (juce::AudioProcessorParameter*);
    void makeCabinetSelector (juce::AudioParameterInt&);
    void placeLinks();
    void layoutPedals();
    void navigate (const juce::Button&);
    void showPedalRows (bool shouldShow);

    /** What the pedal layout was built from: each pedal's side and the raw
        slot-order values. The timer lays out again when they change. */
    struct Arrangement
    {
        std::array<bool, 5> onBoard {};
        std::array<int, 5> slots {};
        bool operator== (const Arrangement& o) const noexcept { return onBoard == o.onBoard && slots == o.slots; }
        bool operator!= (const Arrangement& o) const noexcept { return ! operator== (o); }
    };
    Arrangement currentArrangement() const;

    //==============================================================================
    const void* logoData;
    int logoSize;
    const void* jackData;
    int jackSize;

    juce::Image backgroundImage, jackImage, logoImage;

    std::array<juce::OwnedArray<juce::Slider>, 5> pedalKnobs;
    std::array<juce::OwnedArray<juce::ToggleButton>, 5> pedalSwitches;
    std::array<juce::OwnedArray<juce::ToggleButton>, 5> pedalPositionToggles;
    std::array<juce::OwnedArray<juce::ToggleButton>, 5> nextButtons;
    std::array<juce::OwnedArray<juce::ToggleButton>, 5> previousButtons;
    juce::OwnedArray<juce::Slider> ampSliders;
    juce::OwnedArray<juce::ComboBox> ampComboBoxes;
    juce::OwnedArray<juce::Label> placeholderLabels;
    juce::OwnedArray<juce::ToggleButton> ampToggles;
    juce::HyperlinkButton siteLink, donationLink;
    PedalBoardComponent pedalBoard;
    PedalLoopComponent pedalLoop;
    juce::Viewport boardViewport, loopViewport;
    juce::Array<juce::Component*> parameterControls;
    std::array<PedalComponent, 5> pedalViews;
    std::array<titleComponent, 4> titles;

    AmpLookAndFeel ampLookAndFeel;
    CommandLookAndFeel commandLookAndFeel;
    PedalLookAndFeel pedalLookAndFeel;
    PreviousLookAndFeel previousLookAndFeel;
    NextLookAndFeel nextLookAndFeel;

    BrindlecrestAudioProcessor& processor;

    Arrangement laidOut;                            ///< The arrangement of the last pedal layout.
    juce::Array<juce::AudioProcessorParameter*> dragging; ///< Parameters with a drag gesture open.

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BrindlecrestAudioProcessorEditor)
};
