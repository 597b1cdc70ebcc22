// Where the pedals and their controls go, and how a slot order that is not a
// permutation is repaired.

#include "EditorFixture.h"

using namespace editortest;

TEST (PedalLayout, DefaultsPutThreePedalsOnTheBoardAndTwoInTheLoop)
{
    OpenEditor open;
    auto& e = *open.editor;
    EXPECT_EQ (open.pedalsOn (e.getPedalBoard()), (std::vector<int> { 0, 2, 4 }));
    EXPECT_EQ (open.pedalsOn (e.getPedalLoop()), (std::vector<int> { 1, 3 }));

    const juce::Rectangle<int> expected[] = { { 25, 5, 150, 320 }, { 25, 5, 150, 320 }, { 195, 5, 120, 320 },
                                              { 195, 5, 150, 320 }, { 335, 5, 180, 320 } };
    for (int p = 0; p < 5; ++p)
        EXPECT_EQ (e.getPedalView (p).getBounds(), expected[p]) << "pedal " << p;
}

TEST (PedalLayout, KnobsFootswitchAndArrowsSitByTheNumberOfKnobs)
{
    // Knob places (top left; every knob is 60 x 80) for one to five knobs.
    const std::vector<std::vector<juce::Point<int>>> knobs = {
        {},
        { { 30, 50 } },
        { { 30, 50 }, { 30, 120 } },
        { { 10, 50 }, { 80, 50 }, { 45, 120 } },
        { { 10, 50 }, { 80, 50 }, { 10, 120 }, { 80, 120 } },
        { { 10, 40 }, { 110, 40 }, { 60, 90 }, { 10, 140 }, { 110, 140 } },
    };
    for (int n = 1; n <= 5; ++n)
        for (int k = 0; k < n; ++k)
            EXPECT_EQ (BrindlecrestAudioProcessorEditor::knobPosition (n, k), knobs[(size_t) n][(size_t) k])
                << n << " knobs, knob " << k;

    // The processor's pedals have 3, 4, 2, 3 and 5 knobs.
    OpenEditor open;
    auto& e = *open.editor;
    const int footswitchX[] = { 0, 35, 35, 50, 50, 65 }, nextX[] = { 0, 80, 80, 110, 110, 140 };
    for (int p = 0; p < 5; ++p)
    {
        const auto& pedalKnobs = e.getPedalKnobs (p);
        const int n = pedalKnobs.size();
        ASSERT_EQ (n, open.processor->pedals[p].nControls);
        for (int k = 0; k < n; ++k)
        {
            EXPECT_EQ (pedalKnobs[k]->getBounds(), juce::Rectangle<int> (60, 80).withPosition (knobs[(size_t) n][(size_t) k]))
                << "pedal " << p << " knob " << k;
            EXPECT_EQ (pedalKnobs[k]->getParentComponent(), &e.getPedalView (p));
        }
        EXPECT_EQ (e.getPedalSwitch (p).getBounds(), juce::Rectangle<int> (footswitchX[n], 255, 50, 50)) << "pedal " << p;
        EXPECT_EQ (e.getPreviousButton (p).getBounds(), juce::Rectangle<int> (10, 10, 30, 30));
        EXPECT_EQ (e.getNextButton (p).getBounds(), juce::Rectangle<int> (nextX[n], 10, 30, 30)) << "pedal " << p;
        EXPECT_EQ (e.getPreviousButton (p).getName(), "PREV" + juce::String (p + 1));
        EXPECT_EQ (e.getNextButton (p).getName(), "NEXT" + juce::String (p + 1));
    }
}

TEST (PedalLayout, AllPedalsOnOneSideLeaveTheOtherRowEmpty)
{
    OpenEditor open ([] (BrindlecrestAudioProcessor& p)
    {
        for (int i = 0; i < 5; ++i)
            setSide (p, i, false);
    });
    auto& e = *open.editor;
    EXPECT_TRUE (open.pedalsOn (e.getPedalBoard()).empty());
    EXPECT_EQ (open.pedalsOn (e.getPedalLoop()), (std::vector<int> { 0, 1, 2, 3, 4 }));
    // Widths 150, 150, 120, 150, 180 with 20 between them.
    EXPECT_EQ (e.getPedalView (4).getX(), 25 + 170 + 170 + 140 + 170);
}

namespace
{
struct RepairCase
{
    const char* what;
    std::vector<int> stored, repaired;
};

void PrintTo (const RepairCase& c, std::ostream* os) { *os << c.what; }

class SlotOrderRepair : public testing::TestWithParam<RepairCase>
{
};
} // namespace

TEST_P (SlotOrderRepair, TheLaterSlotTakesTheLargestFreeIndexAndTheHostHearsIt)
{
    const auto& c = GetParam();
    std::unique_ptr<HostSpy> spy;
    OpenEditor open ([&] (BrindlecrestAudioProcessor& p)
    {
        for (int s = 0; s < 5; ++s)
            setSlot (p, s, c.stored[(size_t) s]);
        spy = std::make_unique<HostSpy> (p);
    });

    EXPECT_EQ (open.slotOrder(), c.repaired);

    // Only the slots that changed are written, each inside its own gesture.
    std::vector<juce::String> expected;
    for (int s = 0; s < 5; ++s)
        if (c.stored[(size_t) s] != c.repaired[(size_t) s])
        {
            const auto id = open.processor->orderParams[s]->paramID;
            expected.push_back ("begin " + id);
            expected.push_back ("set " + id + " " + juce::String (c.repaired[(size_t) s] / 5.0f, 4));
            expected.push_back ("end " + id);
        }
    EXPECT_EQ (spy->events, expected);

    // The pedals are laid out in the repaired order: each pedal exactly once.
    std::vector<int> shown = open.pedalsOn (open.editor->getPedalBoard());
    const auto loop = open.pedalsOn (open.editor->getPedalLoop());
    shown.insert (shown.end(), loop.begin(), loop.end());
    std::sort (shown.begin(), shown.end());
    EXPECT_EQ (shown, (std::vector<int> { 0, 1, 2, 3, 4 }));
    spy.reset();
}

INSTANTIATE_TEST_SUITE_P (
    Table, SlotOrderRepair,
    testing::Values (RepairCase { "a permutation stays", { 3, 0, 4, 1, 2 }, { 3, 0, 4, 1, 2 } },
                     RepairCase { "one repeat", { 0, 1, 1, 3, 4 }, { 0, 1, 4, 3, 2 } },
                     RepairCase { "a repeat that pushes on", { 0, 0, 2, 3, 4 }, { 0, 4, 2, 3, 1 } },
                     RepairCase { "all the same", { 2, 2, 2, 2, 2 }, { 2, 4, 3, 1, 0 } },
                     RepairCase { "5 is no pedal", { 5, 1, 2, 3, 4 }, { 4, 1, 2, 3, 0 } },
                     RepairCase { "5 at the end", { 0, 1, 2, 3, 5 }, { 0, 1, 2, 3, 4 } }));
