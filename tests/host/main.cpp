// Runner for the host-side tests: the framework is initialised once, as in a
// host application.

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI framework;
    ::testing::InitGoogleTest (&argc, argv);
    return RUN_ALL_TESTS();
}
