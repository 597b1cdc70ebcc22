#include "PluginEditor.h"

#include "plugin/PluginProcessor.h"
#include "resources/Resources.h"

#include <algorithm>
#include <optional>

namespace
{
const juce::Colour linkColour (0xff4b3062);    // the links and the framework-drawn toggles
const juce::Colour cabinetBackground (0xff1b1b1e), cabinetInk (0xff9e9e9e);

/** The value a parameter holds in its own units: the float, the whole number,
    or 1 and 0 for on and off. */
float plainValue (const juce::AudioProcessorParameter& param)
{
    if (auto* f = dynamic_cast<const juce::AudioParameterFloat*> (&param))
        return f->get();
    if (auto* i = dynamic_cast<const juce::AudioParameterInt*> (&param))
        return (float) i->get();
    if (auto* b = dynamic_cast<const juce::AudioParameterBool*> (&param))
        return b->get() ? 1.0f : 0.0f;
    return param.getValue();
}

/** Tells the host of a new value inside a gesture of its own, as a click or
    a pedal move is one complete change. */
void writeAsOneChange (juce::AudioProcessorParameter& param, float normalised)
{
    param.beginChangeGesture();
    param.setValueNotifyingHost (normalised);
    param.endChangeGesture();
}

/** Where an amplifier control sits, by its parameter ID. */
std::optional<juce::Rectangle<int>> amplifierBounds (const juce::String& id)
{
    struct Place
    {
        const char* id;
        int x, y, w, h;
    };
    static const Place places[] = {
        { "preGainBody1", 310, 452, 100, 100 }, { "preGainDetail1", 390, 452, 100, 100 },
        { "preGainBody2", 310, 572, 100, 100 }, { "preGainDetail2", 390, 572, 100, 100 },
        { "volumeClean", 760, 452, 100, 100 },  { "volumeDrive", 760, 572, 100, 100 },
        { "presence", 860, 517, 100, 100 },     { "reverb", 1000, 517, 100, 100 },
        { "volume", 1024, 0, 96, 96 },          { "levelIn", 20, 0, 20, 96 },
        { "levelOut", 1130, 0, 20, 96 },        { "chanelDrive", 145, 515, 50, 110 },
        { "midboost1", 210, 444, 50, 110 },     { "midboost2", 210, 564, 50, 110 },
        { "boost1", 260, 444, 50, 110 },        { "boost2", 260, 564, 50, 110 },
        { "reverbType2", 1093, 510, 50, 110 },  { "hqReverb", 900, 0, 96, 96 },
        { "pedalboard", 60, 23, 96, 50 },       { "cab", 980, 637, 230, 40 },
    };
    for (const auto& p : places)
        if (id == p.id)
            return juce::Rectangle<int> (p.x, p.y, p.w, p.h);

    // The equaliser faders: five bands, clean above drive.
    for (int band = 1; band <= 5; ++band)
    {
        const int x = 510 + 40 * (band - 1);
        if (id == "cleanEQ" + juce::String (band))
            return juce::Rectangle<int> (x, 447, 40, 130);
        if (id == "driveEQ" + juce::String (band))
            return juce::Rectangle<int> (x, 567, 40, 130);
    }
    return {};
}

void makeRotary (juce::Slider& s)
{
    s.setSliderStyle (juce::Slider::RotaryHorizontalVerticalDrag);
    s.setTextBoxStyle (juce::Slider::NoTextBox, true, 80, 20);
}
} // namespace

//==============================================================================
BrindlecrestAudioProcessorEditor::BrindlecrestAudioProcessorEditor (BrindlecrestAudioProcessor& p)
    : juce::AudioProcessorEditor (p),
      logoData (resource_UI_logo2_png),
      logoSize (resource_UI_logo2_pngSize),
      jackData (resource_jack_png),
      jackSize (resource_jack_pngSize),
      processor (p)
{
    backgroundImage = juce::ImageCache::getFromMemory (resource_UI_fond_png, resource_UI_fond_pngSize);
    jackImage = juce::ImageCache::getFromMemory (jackData, jackSize);
    logoImage = juce::ImageCache::getFromMemory (logoData, logoSize);

    pedalBoard.setBounds (0, 95, 1500, 350);
    pedalLoop.setBounds (0, 95, 1500, 350);

    // The pedals' controls come first, in the order the processor created the
    // pedals' parameters, so that parameterControls lines up with them.
    for (int i = 0; i < BrindlecrestAudioProcessor::numPedals; ++i)
        makePedalControls (i);

    addAndMakeVisible (pedalBoard);
    addAndMakeVisible (pedalLoop);

    auto setUpViewport = [this] (juce::Viewport& viewport, juce::Component& row, int x, titleComponent& left,
                                 const char* leftText, titleComponent& right, const char* rightText)
    {
        viewport.setViewedComponent (&row, false);
        viewport.setBounds (x, 95, 645, 350);
        viewport.setScrollBarsShown (false, true);
        viewport.setScrollBarThickness (10);
        auto& bar = viewport.getHorizontalScrollBar();
        bar.setColour (juce::ScrollBar::thumbColourId, juce::Colours::whitesmoke);
        bar.setColour (juce::ScrollBar::trackColourId, juce::Colour (0x80000000));
        bar.setColour (juce::ScrollBar::backgroundColourId, juce::Colour (0x80000000));

        // The captions belong to the viewport, so they stay put while the row scrolls.
        left.setBounds (0, 0, 25, 350);
        left.setComponentID (leftText);
        viewport.addAndMakeVisible (left);
        right.setBounds (620, 0, 25, 350);
        right.setComponentID (rightText);
        viewport.addAndMakeVisible (right);

        addAndMakeVisible (viewport);
        viewport.setVisible (false);
    };
    setUpViewport (boardViewport, pedalBoard, 0, titles[0], "G U I T A R", titles[1], "A M P L I F I E R");
    setUpViewport (loopViewport, pedalLoop, 655, titles[2], "S E N D", titles[3], "R E T U R N");

    // Then every other parameter, in parameter order.
    for (auto* param : processor.getParameters())
        makeAmplifierControl (param);

    addAndMakeVisible (siteLink);
    addAndMakeVisible (donationLink);
    placeLinks();

    setSize (editorWidth, editorHeight);
    startTimer (timerIntervalMs);
}

BrindlecrestAudioProcessorEditor::~BrindlecrestAudioProcessorEditor()
{
    stopTimer();

    // A drag cut short by the window closing still ends its gesture.
    for (auto* param : dragging)
        param->endChangeGesture();

    // The look-and-feels are destroyed before the controls that use them.
    for (int p = 0; p < BrindlecrestAudioProcessor::numPedals; ++p)
    {
        for (auto* c : pedalKnobs[(size_t) p])
            c->setLookAndFeel (nullptr);
        for (auto* c : pedalSwitches[(size_t) p])
            c->setLookAndFeel (nullptr);
        for (auto* c : previousButtons[(size_t) p])
            c->setLookAndFeel (nullptr);
        for (auto* c : nextButtons[(size_t) p])
            c->setLookAndFeel (nullptr);
    }
    for (auto* c : ampSliders)
        c->setLookAndFeel (nullptr);
    for (auto* c : ampToggles)
        c->setLookAndFeel (nullptr);
    for (auto* c : ampComboBoxes)
        c->setLookAndFeel (nullptr);
}

//==============================================================================
void BrindlecrestAudioProcessorEditor::makePedalControls (int p)
{
    auto& pedal = processor.pedals[p];
    auto& view = pedalViews[(size_t) p];

    for (int j = 0; j < pedal.nControls; ++j)
    {
        auto* param = pedal.controls[j];
        auto* knob = pedalKnobs[(size_t) p].add (new juce::Slider (param->paramID));
        knob->setRange (param->range.start, param->range.end, 0.0);
        makeRotary (*knob);
        knob->setLookAndFeel (&pedalLookAndFeel);
        knob->setComponentID (param->name);
        // Set quietly: the control already shows what the parameter holds.
        knob->setValue (param->get(), juce::dontSendNotification);
        knob->addListener (this);
        view.addAndMakeVisible (knob);
        parameterControls.add (knob);
    }

    auto* footswitch = pedalSwitches[(size_t) p].add (new juce::ToggleButton());
    footswitch->setName (pedal.onOff->paramID);
    footswitch->setToggleState (pedal.onOff->get(), juce::dontSendNotification);
    footswitch->addListener (this);
    footswitch->setButtonText (pedal.onOff->name);
    footswitch->setLookAndFeel (&pedalLookAndFeel);
    view.setPedal (&pedal);
    view.addAndMakeVisible (footswitch);
    parameterControls.add (footswitch);

    // The side the pedal is on has no control of its own: a hidden toggle
    // holds its place and mirrors it.
    auto* side = pedalPositionToggles[(size_t) p].add (new juce::ToggleButton());
    side->setName (pedal.isBefore->paramID);
    side->setToggleState (pedal.isBefore->get(), juce::dontSendNotification);
    parameterControls.add (side);

    auto* previous = previousButtons[(size_t) p].add (new juce::ToggleButton());
    previous->setName ("PREV" + juce::String (p + 1));
    auto* next = nextButtons[(size_t) p].add (new juce::ToggleButton());
    next->setName ("NEXT" + juce::String (p + 1));
    previous->addListener (this);
    next->addListener (this);
    previous->setLookAndFeel (&previousLookAndFeel);
    next->setLookAndFeel (&nextLookAndFeel);
    previous->setToggleState (false, juce::dontSendNotification);
    previous->setToggleState (true, juce::dontSendNotification);
    view.addAndMakeVisible (previous);
    view.addAndMakeVisible (next);

    if (pedal.isBefore->get())
        pedalBoard.addAndMakeVisible (view);
    else
        pedalLoop.addAndMakeVisible (view);
}

void BrindlecrestAudioProcessorEditor::makeAmplifierControl (juce::AudioProcessorParameter* param)
{
    if (auto* f = dynamic_cast<juce::AudioParameterFloat*> (param))
    {
        const auto& id = f->paramID;
        if (id.contains ("PEDAL"))
            return;

        auto* s = ampSliders.add (new juce::Slider (id));
        s->setRange (f->range.start, f->range.end, 0.0);
        s->setComponentID (f->name);
        s->setValue (f->get(), juce::dontSendNotification);
        s->addListener (this);
        addAndMakeVisible (s);
        parameterControls.add (s);

        if (id.equalsIgnoreCase ("volume"))
        {
            makeRotary (*s);
            s->setLookAndFeel (&commandLookAndFeel);
            s->setColour (juce::Slider::thumbColourId, juce::Colour (0xff372b42));
            s->setColour (juce::Slider::rotarySliderFillColourId, juce::Colours::whitesmoke);
            s->setColour (juce::Slider::rotarySliderOutlineColourId, juce::Colours::whitesmoke);
        }
        else if (id.equalsIgnoreCase ("levelIn") || id.equalsIgnoreCase ("levelOut"))
        {
            // The meters keep the slider's own text box setting; the look-and-feel
            // draws the segments over the whole area.
            s->setSliderStyle (juce::Slider::LinearVertical);
            s->setLookAndFeel (&commandLookAndFeel);
        }
        else if (id.contains ("cleanEQ") || id.contains ("driveEQ"))
        {
            s->setSliderStyle (juce::Slider::LinearVertical);
            s->setTextBoxStyle (juce::Slider::NoTextBox, true, 80, 20);
            s->setLookAndFeel (&ampLookAndFeel);
        }
        else
        {
            makeRotary (*s);
            s->setLookAndFeel (&ampLookAndFeel);
        }
    }
    else if (auto* b = dynamic_cast<juce::AudioParameterBool*> (param))
    {
        const auto& id = b->paramID;
        if (id.contains ("PEDAL"))
            return;

        auto* t = ampToggles.add (new juce::ToggleButton());
        t->setName (id);
        t->setToggleState (b->get(), juce::dontSendNotification);
        t->addListener (this);
        t->setButtonText (b->name);
        addAndMakeVisible (t);
        parameterControls.add (t);

        const bool isHq = id.equalsIgnoreCase ("hqReverb"), isPedalboard = id.equalsIgnoreCase ("pedalboard");
        if (isHq || isPedalboard)
            for (auto colourId : { juce::ToggleButton::textColourId, juce::ToggleButton::tickColourId,
                                   juce::ToggleButton::tickDisabledColourId })
                t->setColour (colourId, linkColour);
        if (isPedalboard)
            t->setLookAndFeel (&commandLookAndFeel);
        else if (! isHq)
            t->setLookAndFeel (&ampLookAndFeel);
    }
    else if (auto* i = dynamic_cast<juce::AudioParameterInt*> (param))
    {
        if (i->paramID == "cab")
        {
            makeCabinetSelector (*i);
        }
        else
        {
            // The slot-order parameters have no control; a hidden label holds the place.
            auto* label = placeholderLabels.add (new juce::Label (i->paramID, {}));
            parameterControls.add (label);
        }
    }
}

void BrindlecrestAudioProcessorEditor::makeCabinetSelector (juce::AudioParameterInt& cab)
{
    auto* box = ampComboBoxes.add (new juce::ComboBox ("cab"));
    box->setEditableText (false);
    box->setJustificationType (juce::Justification::centredLeft);
    box->setTextWhenNothingSelected ("None");
    box->setTextWhenNoChoicesAvailable ("(no choices)");
    box->setColour (juce::ComboBox::backgroundColourId, cabinetBackground);
    for (auto colourId : { juce::ComboBox::textColourId, juce::ComboBox::outlineColourId,
                           juce::ComboBox::focusedOutlineColourId, juce::ComboBox::buttonColourId,
                           juce::ComboBox::arrowColourId })
        box->setColour (colourId, cabinetInk);

    // The item ID is the cabinet parameter's value; the headings group the
    // loudspeaker models by their cabinet.
    box->addItem ("none", 1);
    box->addSectionHeading ("1x12");
    box->addItem ("US C12", 2);
    box->addItem ("US EMI", 3);
    box->addItem ("US C90", 4);
    box->addSectionHeading ("2x15");
    box->addItem ("US JBL", 5);
    box->addSectionHeading ("2x12");
    box->addItem ("UK BLUE", 6);
    box->addItem ("US MATCH", 7);
    box->addItem ("US C12", 8);
    box->addSectionHeading ("4x10");
    box->addItem ("US BASS", 9);
    box->addSectionHeading ("4x12");
    box->addItem ("UK 75W", 10);
    box->addItem ("UK 25W", 11);
    box->addItem ("UK 1960", 12);
    box->addItem ("UK FANE", 13);

    box->setSelectedId (cab.get(), juce::dontSendNotification);
    box->addListener (this);
    addAndMakeVisible (box);
    parameterControls.add (box);
}

void BrindlecrestAudioProcessorEditor::placeLinks()
{
    siteLink.setBounds (1150, 60, 130, 18);
    if (siteLink.getURL().toString (false) != siteUrl)
        siteLink.setURL (juce::URL (siteUrl));
    siteLink.setButtonText ("Visit quorvanex");
    siteLink.setJustificationType (juce::Justification::centredRight);
    siteLink.setColour (juce::HyperlinkButton::textColourId, linkColour);

    donationLink.setBounds (1150, 78, 130, 18);
    if (donationLink.getURL().toString (false) != donationUrl)
        donationLink.setURL (juce::URL (donationUrl));
    donationLink.setButtonText ("Pay me a beer");
    donationLink.setJustificationType (juce::Justification::centredRight);
    donationLink.setColour (juce::HyperlinkButton::textColourId, linkColour);
}

//==============================================================================
void BrindlecrestAudioProcessorEditor::paint (juce::Graphics& g)
{
    g.fillAll (getLookAndFeel().findColour (juce::ResizableWindow::backgroundColourId));

    // The members keep the rescaled pictures, so later paints rescale nothing.
    jackImage = jackImage.rescaled (46, 48, juce::Graphics::highResamplingQuality);
    backgroundImage = backgroundImage.rescaled (editorWidth, editorHeight, juce::Graphics::highResamplingQuality);
    if (backgroundImage.isValid())
        g.drawImageAt (backgroundImage, 0, 0);
    if (jackImage.isValid())
        g.drawImageAt (jackImage, 80, 546);

    logoImage = logoImage.rescaled (100, 45, juce::Graphics::highResamplingQuality);
    g.setFont (juce::Font (16.0f, juce::Font::bold));
    if (logoImage.isValid())
        g.drawImageAt (logoImage, 1180, 10);

    // The version, with a dark copy two pixels down and right as its shadow.
    const juce::String version = juce::String ("V") + "1.0.1";
    g.setColour (juce::Colours::darkgrey);
    g.drawFittedText (version, 952, 412, 130, 20, juce::Justification::centred, 1);
    g.setColour (juce::Colours::whitesmoke);
    g.drawFittedText (version, 950, 410, 130, 20, juce::Justification::centred, 1);

    placeLinks();
}

void BrindlecrestAudioProcessorEditor::resized()
{
    layoutPedals();

    for (auto* s : ampSliders)
        if (const auto r = amplifierBounds (s->getName()))
            s->setBounds (*r);
    for (auto* t : ampToggles)
        if (const auto r = amplifierBounds (t->getName()))
            t->setBounds (*r);
    for (auto* c : ampComboBoxes)
        if (c->getName() == "cab")
            c->setBounds (*amplifierBounds ("cab"));
}

//==============================================================================
int BrindlecrestAudioProcessorEditor::pedalWidth (int n) noexcept
{
    return n >= 5 ? 180 : (n <= 2 ? 120 : 150);
}

juce::Point<int> BrindlecrestAudioProcessorEditor::knobPosition (int n, int k) noexcept
{
    // Walk the knobs in order over a grid of columns and rows: five knobs make
    // two pairs around a centred one, three a pair over a centred one, and one
    // or two a single column.
    int column = 0, row = 0;
    for (int i = 0;; ++i)
    {
        juce::Point<int> at;
        if (n >= 5)
            at = row == 1 ? juce::Point<int> (100 * column + 60, 90) : juce::Point<int> (100 * column + 10, 50 * row + 40);
        else if (row == 1 && n == 3)
            at = { 70 * column + 45, 120 };
        else
            at = { 70 * column + (n <= 2 ? 30 : 10), 70 * row + 50 };

        if (i >= k)
            return at;

        if (n >= 5)
        {
            if (row != 1 && column == 0)
                column = 1;
            else
            {
                column = 0;
                ++row;
            }
        }
        else if (column > 0 || n <= 2)
        {
            column = 0;
            ++row;
        }
        else
        {
            column = 1;
        }
    }
}

std::array<int, 5> BrindlecrestAudioProcessorEditor::normaliseSlotOrder (juce::AudioParameterInt* const (&orderParams)[5])
{
    std::array<int, 5> pedalOfSlot {};
    std::array<bool, 5> used {};
    for (int s = 0; s < 5; ++s)
    {
        int v = orderParams[s]->get();
        // A repeated pedal, or a value that names no pedal, gives way to the
        // largest index still free.
        if (v < 0 || v > 4 || used[(size_t) v])
        {
            const int stored = v;
            v = 0;
            for (int candidate = 4; candidate >= 1; --candidate)
                if (! used[(size_t) candidate])
                {
                    v = candidate;
                    break;
                }
            if (v != stored)
                writeAsOneChange (*orderParams[s], orderParams[s]->convertTo0to1 ((float) v));
        }
        used[(size_t) v] = true;
        pedalOfSlot[(size_t) s] = v;
    }
    return pedalOfSlot;
}

BrindlecrestAudioProcessorEditor::Arrangement BrindlecrestAudioProcessorEditor::currentArrangement() const
{
    Arrangement a;
    for (int i = 0; i < 5; ++i)
    {
        a.onBoard[(size_t) i] = processor.pedals[i].isBefore->get();
        a.slots[(size_t) i] = processor.orderParams[i]->get();
    }
    return a;
}

void BrindlecrestAudioProcessorEditor::layoutPedals()
{
    const auto order = normaliseSlotOrder (processor.orderParams);

    // One cursor per row, starting right of the left caption.
    int boardX = 25, loopX = 25;
    for (int s = 0; s < 5; ++s)
    {
        const int p = order[(size_t) s];
        const bool onBoard = processor.pedals[p].isBefore->get();
        auto& view = pedalViews[(size_t) p];

        // Every pedal goes to the row its parameter names, whoever moved it.
        juce::Component& row = onBoard ? static_cast<juce::Component&> (pedalBoard) : pedalLoop;
        if (view.getParentComponent() != &row)
            row.addAndMakeVisible (view);

        const auto& knobs = pedalKnobs[(size_t) p];
        const int n = knobs.size();
        const int w = pedalWidth (n);
        int& x = onBoard ? boardX : loopX;
        view.setBounds (x, 5, w, 320);
        x += w + 20;

        for (int k = 0; k < n; ++k)
            knobs[k]->setBounds (juce::Rectangle<int> (60, 80).withPosition (knobPosition (n, k)));
        for (auto* footswitch : pedalSwitches[(size_t) p])
            footswitch->setBounds (n >= 5 ? 65 : (n <= 2 ? 35 : 50), 255, 50, 50);
        for (auto* b : previousButtons[(size_t) p])
            b->setBounds (10, 10, 30, 30);
        for (auto* b : nextButtons[(size_t) p])
            b->setBounds (n >= 5 ? 140 : (n <= 2 ? 80 : 110), 10, 30, 30);
    }

    laidOut = currentArrangement();
}

void BrindlecrestAudioProcessorEditor::showPedalRows (bool shouldShow)
{
    boardViewport.setVisible (shouldShow);
    loopViewport.setVisible (shouldShow);
}

//==============================================================================
juce::AudioProcessorParameter* BrindlecrestAudioProcessorEditor::parameterFor (const juce::Component* c) const
{
    const int index = parameterControls.indexOf (const_cast<juce::Component*> (c));
    const auto& params = processor.getParameters();
    return index >= 0 && index < params.size() ? params[index] : nullptr;
}

void BrindlecrestAudioProcessorEditor::writeParameter (juce::AudioProcessorParameter& param, float normalised,
                                                       bool inGesture)
{
    if (inGesture)
        param.setValueNotifyingHost (normalised);
    else
        writeAsOneChange (param, normalised);
}

void BrindlecrestAudioProcessorEditor::sliderValueChanged (juce::Slider* slider)
{
    auto* param = dynamic_cast<juce::AudioParameterFloat*> (parameterFor (slider));
    if (param == nullptr)
        return;
    const auto v = (float) slider->getValue();
    if (param->get() != v)
        writeParameter (*param, param->convertTo0to1 (v), dragging.contains (param));
}

void BrindlecrestAudioProcessorEditor::sliderDragStarted (juce::Slider* slider)
{
    if (auto* param = dynamic_cast<juce::AudioParameterFloat*> (parameterFor (slider)))
        if (! dragging.contains (param))
        {
            dragging.add (param);
            param->beginChangeGesture();
        }
}

void BrindlecrestAudioProcessorEditor::sliderDragEnded (juce::Slider* slider)
{
    if (auto* param = dynamic_cast<juce::AudioParameterFloat*> (parameterFor (slider)))
        if (dragging.contains (param))
        {
            dragging.removeFirstMatchingValue (param);
            param->endChangeGesture();
        }
}

void BrindlecrestAudioProcessorEditor::comboBoxChanged (juce::ComboBox* box)
{
    auto* param = dynamic_cast<juce::AudioParameterInt*> (parameterFor (box));
    if (param == nullptr)
        return;
    const int id = box->getSelectedId();
    if (id != param->get())
        writeParameter (*param, param->convertTo0to1 ((float) id));
}

void BrindlecrestAudioProcessorEditor::buttonClicked (juce::Button* button)
{
    auto* param = dynamic_cast<juce::AudioParameterBool*> (parameterFor (button));
    if (param == nullptr)
    {
        navigate (*button);
        return;
    }

    const bool on = button->getToggleState();
    if (on != param->get())
        writeParameter (*param, on ? 1.0f : 0.0f);
    if (button->getName() == "pedalboard")
        showPedalRows (on);
}

void BrindlecrestAudioProcessorEditor::navigate (const juce::Button& button)
{
    const auto name = button.getName();
    bool forward;
    if (name.contains ("NEXT"))
        forward = true;
    else if (name.contains ("PREV"))
        forward = false;
    else
        return;

    const int p = (int) (name.getLastCharacter() - '0') - 1;
    if (p < 0 || p >= BrindlecrestAudioProcessor::numPedals)
        return;

    const auto order = normaliseSlotOrder (processor.orderParams);
    auto onBoard = [this] (int pedal) { return processor.pedals[pedal].isBefore->get(); };
    const bool side = onBoard (p);
    const int current = (int) (std::find (order.begin(), order.end(), p) - order.begin());

    // The next or previous slot whose pedal is on the same side; pedals of
    // the other side in between keep their slots.
    int neighbour = -1;
    for (int s = current + (forward ? 1 : -1); s >= 0 && s < 5; s += forward ? 1 : -1)
        if (onBoard (order[(size_t) s]) == side)
        {
            neighbour = s;
            break;
        }

    if (neighbour >= 0)
    {
        // Exchange the two slots' pedals as one change.
        auto* a = processor.orderParams[current];
        auto* b = processor.orderParams[neighbour];
        a->beginChangeGesture();
        b->beginChangeGesture();
        if (a->get() != order[(size_t) neighbour])
            a->setValueNotifyingHost (a->convertTo0to1 ((float) order[(size_t) neighbour]));
        if (b->get() != order[(size_t) current])
            b->setValueNotifyingHost (b->convertTo0to1 ((float) order[(size_t) current]));
        b->endChangeGesture();
        a->endChangeGesture();
    }
    else if (forward && side)
    {
        // Off the right end of the board: into the loop, keeping its slot.
        writeAsOneChange (*processor.pedals[p].isBefore, 0.0f);
    }
    else if (! forward && ! side)
    {
        // Off the left end of the loop: back onto the board.
        writeAsOneChange (*processor.pedals[p].isBefore, 1.0f);
    }

    resized();
}

//==============================================================================
void BrindlecrestAudioProcessorEditor::timerCallback()
{
    const auto& params = processor.getParameters();
    for (int i = 0; i < parameterControls.size() && i < params.size(); ++i)
    {
        auto* control = parameterControls.getUnchecked (i);
        if (control == nullptr)
            continue;
        const float v = plainValue (*params[i]);

        if (auto* slider = dynamic_cast<juce::Slider*> (control))
        {
            slider->setValue (v, juce::dontSendNotification);
        }
        else if (auto* button = dynamic_cast<juce::Button*> (control))
        {
            button->setToggleState (v >= 0.5f, juce::dontSendNotification);
            if (button->getName() == "pedalboard")
                showPedalRows (button->getToggleState());
        }
        else if (auto* box = dynamic_cast<juce::ComboBox*> (control))
        {
            box->setSelectedId (juce::roundToInt (v), juce::dontSendNotification);
        }
    }

    // The host moved a pedal (side or slot): show it where it now plays.
    if (currentArrangement() != laidOut)
        layoutPedals();
}
