// brindlecrest: the amplifier on the command line.

#include "Commands.h"

#include <iostream>

std::vector<cli::Command>& cli::commands()
{
    static std::vector<Command> all;
    return all;
}

int cli::fail (const juce::String& message)
{
    std::cerr << "brindlecrest: " << message << std::endl;
    return 2;
}

bool cli::wantsHelp (const juce::StringArray& args)
{
    return args.contains ("--help") || args.contains ("-h");
}

namespace
{
void printUsage (std::ostream& out)
{
    out << "Usage: brindlecrest COMMAND [OPTIONS]\n\nCommands:\n";
    for (const auto& c : cli::commands())
        out << "  " << juce::String (c.name).paddedRight (' ', 12) << c.summary << "\n";
    out << "  " << juce::String ("help").paddedRight (' ', 12) << "show this text\n"
        << "\nRun 'brindlecrest COMMAND --help' for the options of a command.\n";
}
} // namespace

int main (int argc, char* argv[])
{
    juce::StringArray args;
    for (int i = 1; i < argc; ++i)
        args.add (juce::CharPointer_UTF8 (argv[i]));

    if (args.isEmpty())
    {
        printUsage (std::cerr);
        return 2;
    }

    const auto name = args[0];
    args.remove (0);

    if (name == "help" || name == "--help" || name == "-h")
    {
        printUsage (std::cout);
        return 0;
    }

    for (const auto& c : cli::commands())
        if (name == c.name)
            return c.run (args);

    return cli::fail ("unknown command '" + name + "' (try 'brindlecrest --help')");
}
