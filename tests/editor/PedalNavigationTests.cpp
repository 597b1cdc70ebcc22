// PREV and NEXT: moving a pedal within its row and across the ends.

#include "EditorFixture.h"

using namespace editortest;

namespace
{
/** A user's click: the toggle flips, then the listeners hear of it. */
void click (juce::Button& b) { b.setToggleState (! b.getToggleState(), juce::sendNotificationSync); }

struct NavigationCase
{
    const char* what;
    std::array<bool, 5> onBoard;   // before the amplifier, per pedal
    std::vector<int> order;        // pedal of each slot
    const char* button;
    std::vector<int> expectedOrder;
    std::vector<int> expectedBoard, expectedLoop; // left to right
};

void PrintTo (const NavigationCase& c, std::ostream* os) { *os << c.what; }

constexpr std::array<bool, 5> defaultSides { true, false, true, false, true };

const NavigationCase navigationCases[] = {
    { "NEXT swaps with the next board pedal, skipping the loop pedal between", defaultSides, { 0, 1, 2, 3, 4 }, "NEXT1",
      { 2, 1, 0, 3, 4 }, { 2, 0, 4 }, { 1, 3 } },
    { "PREV swaps with the previous board pedal, skipping the loop pedal between", defaultSides, { 0, 1, 2, 3, 4 },
      "PREV5", { 0, 1, 4, 3, 2 }, { 0, 4, 2 }, { 1, 3 } },
    { "NEXT within the loop", defaultSides, { 0, 1, 2, 3, 4 }, "NEXT2", { 0, 3, 2, 1, 4 }, { 0, 2, 4 }, { 3, 1 } },
    { "NEXT at the right end of the board moves the pedal into the loop, after the lower slots", defaultSides,
      { 0, 1, 2, 3, 4 }, "NEXT5", { 0, 1, 2, 3, 4 }, { 0, 2 }, { 1, 3, 4 } },
    { "a pedal crossing into the loop lands before loop pedals of higher slots",
      { true, false, true, false, false }, { 0, 1, 2, 3, 4 }, "NEXT3", { 0, 1, 2, 3, 4 }, { 0 }, { 1, 2, 3, 4 } },
    { "PREV at the left end of the loop moves the pedal back onto the board", defaultSides, { 0, 1, 2, 3, 4 }, "PREV2",
      { 0, 1, 2, 3, 4 }, { 0, 1, 2, 4 }, { 3 } },
    { "NEXT at the right end of the loop changes nothing", defaultSides, { 0, 1, 2, 3, 4 }, "NEXT4", { 0, 1, 2, 3, 4 },
      { 0, 2, 4 }, { 1, 3 } },
    { "PREV at the left end of the board changes nothing", defaultSides, { 0, 1, 2, 3, 4 }, "PREV1", { 0, 1, 2, 3, 4 },
      { 0, 2, 4 }, { 1, 3 } },
    { "slots in another order: the neighbour is the next slot, not the next pedal number", defaultSides,
      { 4, 3, 2, 1, 0 }, "NEXT5", { 2, 3, 4, 1, 0 }, { 2, 4, 0 }, { 3, 1 } },
};

class PedalNavigation : public testing::TestWithParam<NavigationCase>
{
};
} // namespace

TEST_P (PedalNavigation, MovesThePedalAndWritesOnlyWhatChanges)
{
    const auto& c = GetParam();
    std::unique_ptr<HostSpy> spy;
    OpenEditor open ([&] (BrindlecrestAudioProcessor& p)
    {
        for (int i = 0; i < 5; ++i)
        {
            setSide (p, i, c.onBoard[(size_t) i]);
            setSlot (p, i, c.order[(size_t) i]);
        }
        spy = std::make_unique<HostSpy> (p);
    });
    auto& e = *open.editor;

    const int pedal = juce::String (c.button).getTrailingIntValue() - 1;
    auto& button = juce::String (c.button).startsWith ("NEXT") ? e.getNextButton (pedal) : e.getPreviousButton (pedal);
    click (button);

    EXPECT_EQ (open.slotOrder(), c.expectedOrder);
    EXPECT_EQ (open.pedalsOn (e.getPedalBoard()), c.expectedBoard);
    EXPECT_EQ (open.pedalsOn (e.getPedalLoop()), c.expectedLoop);

    // The side parameters agree with the rows, and the hidden toggles follow them at the next tick.
    e.timerCallback();
    for (int p = 0; p < 5; ++p)
    {
        const bool board = open.processor->pedals[p].isBefore->get();
        EXPECT_EQ (e.getPedalView (p).getParentComponent(), board ? &e.getPedalBoard() : &e.getPedalLoop()) << p;
        EXPECT_EQ (open.controlAs<juce::ToggleButton> (open.processor->pedals[p].isBefore->paramID).getToggleState(), board);
    }

    // The host hears exactly the parameters that changed, each inside a gesture.
    int changedSlots = 0, changedSides = 0;
    for (int s = 0; s < 5; ++s)
        changedSlots += c.order[(size_t) s] != c.expectedOrder[(size_t) s] ? 1 : 0;
    for (int p = 0; p < 5; ++p)
        changedSides += c.onBoard[(size_t) p] != open.processor->pedals[p].isBefore->get() ? 1 : 0;
    EXPECT_EQ ((int) spy->writes().size(), changedSlots + changedSides);
    int begun = 0;
    for (const auto& event : spy->events)
    {
        begun += event.startsWith ("begin ") ? 1 : event.startsWith ("end ") ? -1 : 0;
        if (event.startsWith ("set "))
        {
            EXPECT_GT (begun, 0) << event;
        }
    }
    EXPECT_EQ (begun, 0);
    spy.reset();
}

INSTANTIATE_TEST_SUITE_P (Table, PedalNavigation, testing::ValuesIn (navigationCases));

TEST (PedalNavigation, APedalTravelsIntoTheLoopAlongItAndBackOntoTheBoard)
{
    OpenEditor open;
    auto& e = *open.editor;
    click (e.getNextButton (4)); // compressor into the loop
    EXPECT_EQ (open.pedalsOn (e.getPedalLoop()), (std::vector<int> { 1, 3, 4 }));
    click (e.getPreviousButton (4)); // one step left within the loop, past the delay
    click (e.getPreviousButton (4)); // past the reverb
    EXPECT_EQ (open.pedalsOn (e.getPedalLoop()), (std::vector<int> { 4, 1, 3 }));
    click (e.getPreviousButton (4)); // off the left end: back onto the board, in slot 1
    EXPECT_EQ (open.slotOrder(), (std::vector<int> { 0, 4, 2, 1, 3 }));
    EXPECT_EQ (open.pedalsOn (e.getPedalBoard()), (std::vector<int> { 0, 4, 2 }));
    EXPECT_EQ (open.pedalsOn (e.getPedalLoop()), (std::vector<int> { 1, 3 }));
    EXPECT_EQ (e.getPedalView (4).getX(), 25 + 170);
}
