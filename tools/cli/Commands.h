#pragma once

#include <juce_core/juce_core.h>

// Each subcommand takes its own arguments (without the command name) and
// returns the process exit code. Errors are reported on standard error in one
// line, and a non-zero code is returned.

namespace cli
{
int runParams (const juce::StringArray& args);

/** Prints "brindlecrest: <message>" on standard error and returns 2. */
int fail (const juce::String& message);
} // namespace cli
