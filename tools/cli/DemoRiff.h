#pragma once

#include <vector>

namespace cli
{
/** A clean electric-guitar riff of about 18 seconds, synthesised by plucked
    strings: power-chord chugs, a single-note run and strummed open chords
    ringing out at the end. The same rate always gives the same samples.
    Peak level about -6 dBFS, like a guitar straight into an interface. */
std::vector<float> synthesiseDemoRiff (int sampleRate);
} // namespace cli
