// Test runner for the tests that need the framework: it is initialised once
// for the whole run, as a host would.

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI framework;
    ::testing::InitGoogleTest (&argc, argv);
    return RUN_ALL_TESTS();
}
