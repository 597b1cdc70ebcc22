#pragma once

#include <juce_core/juce_core.h>

#include <functional>
#include <vector>

// The subcommands of the command-line tool. Each lives in its own file and
// registers itself with a static CommandRegistration; main() dispatches on the
// first argument. A command receives its arguments without the command name
// and returns the process exit code.

namespace cli
{
struct Command
{
    const char* name;
    const char* summary; // one line for the tool's --help
    std::function<int (const juce::StringArray&)> run;
};

/** All registered commands, in registration order. */
std::vector<Command>& commands();

struct CommandRegistration
{
    explicit CommandRegistration (Command c) { commands().push_back (std::move (c)); }
};

/** Prints "brindlecrest: <message>" on standard error and returns 2. Every
    error of the tool is reported this way, in one line. */
int fail (const juce::String& message);

/** True when the arguments ask for a command's help. */
bool wantsHelp (const juce::StringArray& args);
} // namespace cli
