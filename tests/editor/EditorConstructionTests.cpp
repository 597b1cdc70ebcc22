// The window as it opens: one control per parameter in parameter order, the
// kind and look of each, the cabinet list, the links and the pedal rows.

#include "EditorFixture.h"

using namespace editortest;

namespace
{
/** Sets values away from the defaults, so a control that shows another
    parameter's value stands out. */
void moveAwayFromDefaults (BrindlecrestAudioProcessor& p)
{
    hostSets (p, "PEDAL_Delay402", 0.8f);
    hostSets (p, "cleanEQ3", 0.1f);
    hostSets (p, "driveEQ3", 0.9f);
    hostSets (p, "reverb", 0.3f);
    hostSets (p, "boost2", 1.0f);
    hostSets (p, "PEDAL_TREMOLO399", 1.0f);
    hostSets (p, "levelOut", 42.0f);
    hostSets (p, "cab", 11.0f);
}
} // namespace

TEST (EditorConstruction, EveryParameterHasItsControlAtItsIndexShowingItsValue)
{
    OpenEditor open (moveAwayFromDefaults);
    const auto& params = open.processor->getParameters();
    const auto& controls = open.editor->getParameterControls();
    ASSERT_EQ (controls.size(), params.size());

    for (int i = 0; i < params.size(); ++i)
    {
        auto* param = dynamic_cast<juce::RangedAudioParameter*> (params[i]);
        auto* control = controls[i];
        ASSERT_NE (control, nullptr) << "index " << i;
        SCOPED_TRACE (param->paramID);
        EXPECT_EQ (control->getName(), param->paramID);

        if (auto* f = dynamic_cast<juce::AudioParameterFloat*> (param))
        {
            auto* slider = dynamic_cast<juce::Slider*> (control);
            ASSERT_NE (slider, nullptr);
            EXPECT_EQ (slider->getComponentID(), f->name);
            EXPECT_FLOAT_EQ ((float) slider->getValue(), f->get());
            EXPECT_EQ (slider->getMinimum(), f->range.start);
            EXPECT_EQ (slider->getMaximum(), f->range.end);
        }
        else if (auto* b = dynamic_cast<juce::AudioParameterBool*> (param))
        {
            auto* button = dynamic_cast<juce::ToggleButton*> (control);
            ASSERT_NE (button, nullptr);
            EXPECT_EQ (button->getToggleState(), b->get());
        }
        else if (param->paramID == "cab")
        {
            auto* box = dynamic_cast<juce::ComboBox*> (control);
            ASSERT_NE (box, nullptr);
            EXPECT_EQ (box->getSelectedId(), 11);
        }
        else
        {
            EXPECT_NE (dynamic_cast<juce::Label*> (control), nullptr);
        }
    }
}

namespace
{
enum class Kind
{
    rotary,
    fader,
    meter,
    footswitch,
    lever,
    frameworkToggle,
    commandToggle,
    hiddenToggle,
    hiddenLabel,
    cabinet
};

enum class Look
{
    amp,
    pedal,
    command,
    framework
};

struct ControlCase
{
    const char* id;
    Kind kind;
    Look look;
};

void PrintTo (const ControlCase& c, std::ostream* os) { *os << c.id; }

const ControlCase controlCases[] = {
    { "PEDAL_CHORUS101", Kind::rotary, Look::pedal },       { "PEDAL_Compressor505", Kind::rotary, Look::pedal },
    { "PEDAL_REVERB299", Kind::footswitch, Look::pedal },   { "PEDAL_REVERB298", Kind::hiddenToggle, Look::framework },
    { "PEDAL_DelayORDER4", Kind::hiddenLabel, Look::framework },
    { "preGainDetail2", Kind::rotary, Look::amp },          { "reverb", Kind::rotary, Look::amp },
    { "cleanEQ1", Kind::fader, Look::amp },                 { "driveEQ5", Kind::fader, Look::amp },
    { "volume", Kind::rotary, Look::command },              { "levelIn", Kind::meter, Look::command },
    { "levelOut", Kind::meter, Look::command },             { "chanelDrive", Kind::lever, Look::amp },
    { "reverbType2", Kind::lever, Look::amp },              { "hqReverb", Kind::frameworkToggle, Look::framework },
    { "pedalboard", Kind::commandToggle, Look::command },   { "cab", Kind::cabinet, Look::framework },
};

class ControlOfParameter : public testing::TestWithParam<ControlCase>
{
};

bool looksLike (juce::Component& c, Look look)
{
    auto& lf = c.getLookAndFeel();
    switch (look)
    {
        case Look::amp: return dynamic_cast<AmpLookAndFeel*> (&lf) != nullptr;
        case Look::pedal: return dynamic_cast<PedalLookAndFeel*> (&lf) != nullptr;
        case Look::command: return dynamic_cast<CommandLookAndFeel*> (&lf) != nullptr;
        case Look::framework: return &lf == &juce::LookAndFeel::getDefaultLookAndFeel();
    }
    return false;
}
} // namespace

TEST_P (ControlOfParameter, HasItsKindStyleAndLook)
{
    const auto& c = GetParam();
    OpenEditor open;
    auto* control = open.control (c.id);
    ASSERT_NE (control, nullptr);
    EXPECT_TRUE (looksLike (*control, c.look));

    auto* slider = dynamic_cast<juce::Slider*> (control);
    auto* button = dynamic_cast<juce::ToggleButton*> (control);
    const bool inPedal = dynamic_cast<PedalComponent*> (control->getParentComponent()) != nullptr;
    const bool onWindow = control->getParentComponent() == open.editor.get();

    switch (c.kind)
    {
        case Kind::rotary:
            ASSERT_NE (slider, nullptr);
            EXPECT_EQ (slider->getSliderStyle(), juce::Slider::RotaryHorizontalVerticalDrag);
            EXPECT_EQ (slider->getTextBoxPosition(), juce::Slider::NoTextBox);
            EXPECT_TRUE (control->isVisible() && (inPedal || onWindow));
            break;
        case Kind::fader:
            ASSERT_NE (slider, nullptr);
            EXPECT_EQ (slider->getSliderStyle(), juce::Slider::LinearVertical);
            EXPECT_EQ (slider->getTextBoxPosition(), juce::Slider::NoTextBox);
            EXPECT_TRUE (onWindow && control->isVisible());
            break;
        case Kind::meter:
            ASSERT_NE (slider, nullptr);
            EXPECT_EQ (slider->getSliderStyle(), juce::Slider::LinearVertical);
            EXPECT_EQ (slider->getTextBoxPosition(), juce::Slider::TextBoxLeft);
            EXPECT_EQ (control->getBounds().getWidth(), 20);
            break;
        case Kind::footswitch:
            ASSERT_NE (button, nullptr);
            EXPECT_TRUE (inPedal && control->isVisible());
            EXPECT_EQ (button->getButtonText(), "On/Off");
            break;
        case Kind::lever:
        case Kind::frameworkToggle:
        case Kind::commandToggle:
            ASSERT_NE (button, nullptr);
            EXPECT_TRUE (onWindow && control->isVisible());
            EXPECT_EQ (button->getButtonText(), parameter (*open.processor, c.id).name);
            if (c.kind != Kind::lever)
            {
                EXPECT_EQ (button->findColour (juce::ToggleButton::tickColourId), juce::Colour (0xff4b3062));
            }
            break;
        case Kind::hiddenToggle:
            ASSERT_NE (button, nullptr);
            EXPECT_EQ (control->getParentComponent(), nullptr);
            EXPECT_FALSE (control->isVisible());
            break;
        case Kind::hiddenLabel:
            ASSERT_NE (dynamic_cast<juce::Label*> (control), nullptr);
            EXPECT_EQ (control->getParentComponent(), nullptr);
            EXPECT_FALSE (control->isVisible());
            break;
        case Kind::cabinet:
            ASSERT_NE (dynamic_cast<juce::ComboBox*> (control), nullptr);
            EXPECT_EQ (control->getBounds(), juce::Rectangle<int> (980, 637, 230, 40));
            break;
    }
}

INSTANTIATE_TEST_SUITE_P (Table, ControlOfParameter, testing::ValuesIn (controlCases));

TEST (EditorConstruction, FixedSizeWindowWithPedalRowsHiddenAndLinksInTheCorner)
{
    OpenEditor open;
    auto& e = *open.editor;
    EXPECT_EQ (e.getWidth(), 1300);
    EXPECT_EQ (e.getHeight(), 730);
    EXPECT_FALSE (e.isResizable());

    EXPECT_FALSE (e.getBoardViewport().isVisible());
    EXPECT_FALSE (e.getLoopViewport().isVisible());
    EXPECT_EQ (e.getBoardViewport().getBounds(), juce::Rectangle<int> (0, 95, 645, 350));
    EXPECT_EQ (e.getLoopViewport().getBounds(), juce::Rectangle<int> (655, 95, 645, 350));
    EXPECT_EQ (e.getBoardViewport().getViewedComponent(), &e.getPedalBoard());
    EXPECT_EQ (e.getLoopViewport().getViewedComponent(), &e.getPedalLoop());
    EXPECT_EQ (e.getPedalBoard().getWidth(), 1500);

    // The captions ride on the viewports, not on the scrolling rows.
    juce::StringArray captions;
    for (auto* v : { &e.getBoardViewport(), &e.getLoopViewport() })
        for (auto* child : v->getChildren())
            if (dynamic_cast<titleComponent*> (child) != nullptr)
                captions.add (child->getComponentID() + "@" + juce::String (child->getX()));
    EXPECT_EQ (captions.joinIntoString ("|"), "G U I T A R@0|A M P L I F I E R@620|S E N D@0|R E T U R N@620");

    auto& site = e.getSiteLink();
    auto& donation = e.getDonationLink();
    EXPECT_EQ (site.getURL().toString (false), "https://quorvanex.example/");
    EXPECT_EQ (donation.getURL().toString (false), "https://quorvanex.example/donate");
    EXPECT_TRUE (site.getURL().getDomain().endsWith (".example"));
    EXPECT_EQ (donation.getButtonText(), "Pay me a beer");
    EXPECT_TRUE (site.getButtonText().containsIgnoreCase ("quorvanex"));
    EXPECT_EQ (site.getBounds(), juce::Rectangle<int> (1150, 60, 130, 18));
    EXPECT_EQ (donation.getBounds(), juce::Rectangle<int> (1150, 78, 130, 18));
    EXPECT_TRUE (site.isVisible() && donation.isVisible());
}

TEST (EditorConstruction, EachPedalOpensOnTheRowItsParameterNames)
{
    // Pedal 1 (reverb) moved onto the board and pedal 4 (compressor) into the loop.
    OpenEditor open ([] (BrindlecrestAudioProcessor& p)
    {
        setSide (p, 1, true);
        setSide (p, 4, false);
    });
    auto& e = *open.editor;
    EXPECT_EQ (open.pedalsOn (e.getPedalBoard()), (std::vector<int> { 0, 1, 2 }));
    EXPECT_EQ (open.pedalsOn (e.getPedalLoop()), (std::vector<int> { 3, 4 }));
    for (int p = 0; p < 5; ++p)
        EXPECT_EQ (e.getPedalView (p).getPedal(), &open.processor->pedals[p]);
}

TEST (EditorConstruction, CabinetListHasTheModelsUnderTheirHeadingsAndShowsTheDefault)
{
    OpenEditor open;
    auto& box = open.controlAs<juce::ComboBox> ("cab");

    juce::StringArray entries;
    for (juce::PopupMenu::MenuItemIterator it (*box.getRootMenu()); it.next();)
    {
        const auto& item = it.getItem();
        entries.add (item.isSectionHeader ? "[" + item.text + "]" : juce::String (item.itemID) + " " + item.text);
    }
    EXPECT_EQ (entries.joinIntoString (", "),
               "1 none, [1x12], 2 US C12, 3 US EMI, 4 US C90, [2x15], 5 US JBL, [2x12], 6 UK BLUE, 7 US MATCH, "
               "8 US C12, [4x10], 9 US BASS, [4x12], 10 UK 75W, 11 UK 25W, 12 UK 1960, 13 UK FANE");
    EXPECT_EQ (box.getSelectedId(), 8);
    EXPECT_EQ (box.getText(), "US C12");
    EXPECT_EQ (box.getTextWhenNothingSelected(), "None");
    EXPECT_FALSE (box.isTextEditable());
}
