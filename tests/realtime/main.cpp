// Runner for the real-time safety tests (see RealtimeSafetyTests.cpp).

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI framework;
    ::testing::InitGoogleTest (&argc, argv);
    return RUN_ALL_TESTS();
}
