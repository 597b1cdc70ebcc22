// The editor's drawing tests: GoogleTest under the framework's GUI set-up, so
// that components, fonts and the image cache work as they do in the plug-in.

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);
    const juce::ScopedJuceInitialiser_GUI gui;
    return RUN_ALL_TESTS();
}
