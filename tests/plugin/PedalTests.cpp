// The pedal's framework side: the footswitch and the control parameters it
// reads once per block.

#include "dsp/Pedal.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{
/** A tremolo pedal wired to stand-alone parameters. */
struct TremoloRig
{
    juce::AudioParameterBool onOff { "on", "On", true };
    juce::AudioParameterFloat speed { "speed", "Speed", 0.001f, 1.0f, 0.9f };
    juce::AudioParameterFloat amplitude { "amp", "Amplitude", 0.001f, 1.0f, 1.0f };
    std::unique_ptr<Pedal> pedal = std::make_unique<Pedal>();

    TremoloRig()
    {
        pedal->init (pedalTremolo);
        pedal->onOff = &onOff;
        pedal->controls[0] = &speed;
        pedal->controls[1] = &amplitude;
    }

    std::vector<float> run (float value, int n = 480)
    {
        std::vector<float> x ((size_t) n, value);
        Frame f { x.data(), n, 48000 };
        pedal->Apply (&f);
        EXPECT_EQ (f.data, x.data());
        return x;
    }
};

// Off: the block is untouched and the LFO stands still; switched on again it
// continues exactly where it stopped, as if the off blocks never happened.
TEST (Pedal, SwitchedOffIsUntouchedAndResumesItsLfo)
{
    TremoloRig interrupted, continuous;
    for (int b = 0; b < 7; ++b)
        EXPECT_EQ (interrupted.run (1.0f), continuous.run (1.0f));

    interrupted.onOff = false;
    const float phase = interrupted.pedal->dsp.tremolo.phase;
    for (int b = 0; b < 5; ++b)
        EXPECT_EQ (interrupted.run (0.5f), std::vector<float> (480, 0.5f));
    EXPECT_EQ (interrupted.pedal->dsp.tremolo.phase, phase);

    interrupted.onOff = true;
    for (int b = 0; b < 7; ++b)
        EXPECT_EQ (interrupted.run (1.0f), continuous.run (1.0f));
}

// Controls are read at the start of each block: a change applies from the
// next block on, and the depth reaches the signal.
TEST (Pedal, ReadsControlsPerBlock)
{
    TremoloRig rig;
    rig.amplitude = 0.001f;
    for (float v : rig.run (1.0f))
        EXPECT_GE (v, 0.999f);
    rig.amplitude = 1.0f;
    const auto deep = rig.run (1.0f, 48000);
    EXPECT_LT (*std::min_element (deep.begin(), deep.end()), 0.01f);
}

// A pedal whose switch has not been connected leaves the signal alone.
TEST (Pedal, UnconnectedSwitchIsOff)
{
    auto p = std::make_unique<Pedal>();
    p->init (pedalDelay);
    std::vector<float> x (256, 0.25f);
    Frame f { x.data(), 256, 48000 };
    p->Apply (&f);
    EXPECT_EQ (x, std::vector<float> (256, 0.25f));
}
} // namespace
