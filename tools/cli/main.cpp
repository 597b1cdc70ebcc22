// brindlecrest: the amplifier on the command line.

#include "Commands.h"

#include <iostream>

namespace
{
const char* const usage =
    "Usage: brindlecrest COMMAND [OPTIONS]\n"
    "\n"
    "Commands:\n"
    "  params            list the 62 parameters: index, ID, name, kind, range, default\n"
    "  help, --help, -h  show this text\n"
    "\n"
    "Run 'brindlecrest COMMAND --help' for the options of a command.\n";
} // namespace

int cli::fail (const juce::String& message)
{
    std::cerr << "brindlecrest: " << message << std::endl;
    return 2;
}

int main (int argc, char* argv[])
{
    juce::StringArray args;
    for (int i = 1; i < argc; ++i)
        args.add (juce::CharPointer_UTF8 (argv[i]));

    if (args.isEmpty())
    {
        std::cerr << usage;
        return 2;
    }

    const auto command = args[0];
    args.remove (0);

    if (command == "help" || command == "--help" || command == "-h")
    {
        std::cout << usage;
        return 0;
    }
    if (command == "params")
        return cli::runParams (args);

    return cli::fail ("unknown command '" + command + "' (try 'brindlecrest --help')");
}
