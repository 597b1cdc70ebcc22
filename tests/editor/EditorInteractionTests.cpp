// The controls write their parameters when the user moves them, and follow
// the parameters when anything else changes them.

#include "EditorFixture.h"

using namespace editortest;

namespace
{
void click (juce::Button& b) { b.setToggleState (! b.getToggleState(), juce::sendNotificationSync); }

std::vector<juce::String> oneChange (const juce::String& id, float normalised)
{
    return { "begin " + id, "set " + id + " " + juce::String (normalised, 4), "end " + id };
}
} // namespace

TEST (EditorInteraction, MovingAControlWritesItsParameterOnceAsOneChange)
{
    OpenEditor open;
    HostSpy spy (*open.processor);
    auto& e = *open.editor;

    auto& presence = open.controlAs<juce::Slider> ("presence");
    presence.setValue (0.7, juce::sendNotificationSync);
    EXPECT_EQ (spy.events, oneChange ("presence", 0.7f));
    EXPECT_FLOAT_EQ (open.processor->presence->get(), 0.7f);

    // The same value again writes nothing, however the handler is reached.
    spy.events.clear();
    e.sliderValueChanged (&presence);
    presence.setValue (0.7, juce::sendNotificationSync);
    EXPECT_TRUE (spy.events.empty());

    auto& lever = open.controlAs<juce::ToggleButton> ("midboost2");
    click (lever);
    EXPECT_EQ (spy.events, oneChange ("midboost2", 1.0f));
    EXPECT_TRUE (open.processor->midboost2->get());

    spy.events.clear();
    auto& footswitch = e.getPedalSwitch (3);
    click (footswitch);
    EXPECT_EQ (spy.events, oneChange ("PEDAL_Delay499", 1.0f));

    // The cabinet: a new model is written; the selected one again is not.
    spy.events.clear();
    auto& cab = open.controlAs<juce::ComboBox> ("cab");
    cab.setSelectedId (3, juce::sendNotificationSync);
    EXPECT_EQ (spy.events, oneChange ("cab", (3 - 1) / 12.0f));
    EXPECT_EQ (open.processor->cab->get(), 3);
    spy.events.clear();
    e.comboBoxChanged (&cab);
    EXPECT_TRUE (spy.events.empty());
}

TEST (EditorInteraction, ADragIsOneGestureAroundEveryValueOfTheWay)
{
    OpenEditor open;
    HostSpy spy (*open.processor);
    auto& e = *open.editor;
    auto& knob = open.controlAs<juce::Slider> ("PEDAL_REVERB203");

    e.sliderDragStarted (&knob);
    for (double v : { 0.6, 0.7, 0.7, 0.8 })
        knob.setValue (v, juce::sendNotificationSync);
    e.sliderDragEnded (&knob);

    const juce::String id = "PEDAL_REVERB203";
    auto expected = std::vector<juce::String> { "begin " + id };
    for (float v : { 0.6f, 0.7f, 0.8f })
        expected.push_back ("set " + id + " " + juce::String ((v - 0.001f) / 0.999f, 4));
    expected.push_back ("end " + id);
    EXPECT_EQ (spy.events, expected);
}

namespace
{
struct HostChange
{
    const char* id;
    float value;
    bool silent; // written as the audio thread writes the meters, telling no one
};

void PrintTo (const HostChange& c, std::ostream* os) { *os << c.id << " = " << c.value; }

class HostChanges : public testing::TestWithParam<HostChange>
{
};

/** The value the control shows, in the parameter's units. */
double shown (juce::Component& c)
{
    if (auto* s = dynamic_cast<juce::Slider*> (&c))
        return s->getValue();
    if (auto* b = dynamic_cast<juce::Button*> (&c))
        return b->getToggleState() ? 1.0 : 0.0;
    if (auto* box = dynamic_cast<juce::ComboBox*> (&c))
        return box->getSelectedId();
    return -1.0;
}
} // namespace

TEST_P (HostChanges, MoveTheControlAtTheNextTickAndWriteNothingBack)
{
    const auto& c = GetParam();
    OpenEditor open;
    auto& param = parameter (*open.processor, c.id);
    if (c.silent)
        param.setValue (param.convertTo0to1 (c.value));
    else
        param.setValueNotifyingHost (param.convertTo0to1 (c.value));

    HostSpy spy (*open.processor);
    auto* control = open.control (c.id);
    ASSERT_NE (control, nullptr);
    EXPECT_NE (shown (*control), c.value);

    open.editor->timerCallback();
    EXPECT_NEAR (shown (*control), c.value, 1e-6);

    // No handler ran, now or later.
    drainMessages();
    EXPECT_TRUE (spy.events.empty()) << spy.events.front();
}

INSTANTIATE_TEST_SUITE_P (Table, HostChanges,
                          testing::Values (HostChange { "presence", 0.25f, false },
                                           HostChange { "PEDAL_Delay402", 0.9f, false },
                                           HostChange { "driveEQ4", 1.0f, false },
                                           HostChange { "levelIn", 63.0f, true },
                                           HostChange { "levelOut", 100.0f, true },
                                           HostChange { "boost1", 1.0f, false },
                                           HostChange { "PEDAL_REVERB299", 1.0f, false },
                                           HostChange { "PEDAL_CHORUS198", 0.0f, false },
                                           HostChange { "cab", 13.0f, false }));

TEST (EditorInteraction, TheRunningTimerFollowsTheHostWithinATick)
{
    OpenEditor open;
    auto& volume = open.controlAs<juce::Slider> ("volume");
    hostSets (*open.processor, "volume", 0.9f);
    // Generous for a loaded machine; a tick is 33 ms.
    EXPECT_TRUE (runMessagesUntil (2000, [&] { return volume.getValue() == 0.9f; }));
}

TEST (EditorInteraction, ThePedalboardSwitchShowsAndHidesBothRows)
{
    OpenEditor open;
    auto& e = *open.editor;
    auto& pedalboard = open.controlAs<juce::ToggleButton> ("pedalboard");
    auto rowsShown = [&] { return std::make_pair (e.getBoardViewport().isVisible(), e.getLoopViewport().isVisible()); };

    click (pedalboard);
    EXPECT_EQ (rowsShown(), std::make_pair (true, true));
    EXPECT_TRUE (open.processor->pedalboard->get());
    click (pedalboard);
    EXPECT_EQ (rowsShown(), std::make_pair (false, false));
    EXPECT_FALSE (open.processor->pedalboard->get());

    // The host's switch, at the next tick.
    hostSets (*open.processor, "pedalboard", 1.0f);
    EXPECT_EQ (rowsShown(), std::make_pair (false, false));
    e.timerCallback();
    EXPECT_EQ (rowsShown(), std::make_pair (true, true));
    EXPECT_TRUE (pedalboard.getToggleState());
}

TEST (EditorInteraction, PedalsMovedByTheHostAreLaidOutAgainAtTheNextTick)
{
    OpenEditor open;
    auto& e = *open.editor;

    // The host puts the reverb on the board and swaps slots 0 and 2.
    setSide (*open.processor, 1, true);
    setSlot (*open.processor, 0, 2);
    setSlot (*open.processor, 2, 0);
    EXPECT_EQ (open.pedalsOn (e.getPedalBoard()), (std::vector<int> { 0, 2, 4 }));

    e.timerCallback();
    EXPECT_EQ (open.pedalsOn (e.getPedalBoard()), (std::vector<int> { 2, 1, 0, 4 }));
    EXPECT_EQ (open.pedalsOn (e.getPedalLoop()), (std::vector<int> { 3 }));
    EXPECT_EQ (e.getPedalView (1).getX(), 25 + 140);

    // A slot order the host left repeated is repaired as when the window opens.
    HostSpy spy (*open.processor);
    setSlot (*open.processor, 4, 2);
    spy.events.clear();
    e.timerCallback();
    EXPECT_EQ (open.slotOrder(), (std::vector<int> { 2, 1, 0, 3, 4 }));
    EXPECT_EQ (spy.writes(), (std::vector<juce::String> { "set PEDAL_CompressorORDER5 0.8000" }));
}
