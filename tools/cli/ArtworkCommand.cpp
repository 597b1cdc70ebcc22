// brindlecrest artwork: paints the window's pictures into resources/, or checks
// that the committed files are what the painters produce.

#include "Commands.h"

#include "tools/artwork/Artwork.h"

#include <iostream>

namespace
{
/** Pixels that differ between two images of the same size, or -1 when the
    sizes differ. */
int differingPixels (const juce::Image& a, const juce::Image& b)
{
    if (a.getWidth() != b.getWidth() || a.getHeight() != b.getHeight())
        return -1;
    int n = 0;
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            n += a.getPixelAt (x, y).getARGB() != b.getPixelAt (x, y).getARGB() ? 1 : 0;
    return n;
}

int runArtwork (const juce::StringArray& args)
{
    using namespace cli;
    if (wantsHelp (args))
    {
        std::cout << "Usage: brindlecrest artwork (-o DIR | --check DIR) [--only FILE]\n\n"
                     "Paints the window's pictures as RGBA PNG files.\n"
                     "  -o DIR       write them into DIR (normally resources/)\n"
                     "  --check DIR  compare fresh paintings with the files in DIR, byte for byte\n"
                     "               and, where the bytes differ, pixel for pixel; exits 1 on a mismatch\n"
                     "  --only FILE  just this picture, e.g. UI_fond.png\n";
        return 0;
    }

    juce::String outDir, checkDir, only;
    for (int i = 0; i < args.size(); ++i)
    {
        if ((args[i] == "-o" || args[i] == "--output") && i + 1 < args.size())
            outDir = args[++i];
        else if (args[i] == "--check" && i + 1 < args.size())
            checkDir = args[++i];
        else if (args[i] == "--only" && i + 1 < args.size())
            only = args[++i];
        else
            return fail ("artwork: unexpected argument '" + args[i] + "'");
    }
    if (outDir.isEmpty() == checkDir.isEmpty())
        return fail ("artwork: give either -o DIR or --check DIR");
    if (! artwork::fontsAvailable())
        return fail ("artwork: the fonts of the fonts-urw-base35 package are missing (run tools/setup.sh)");

    const auto cwd = juce::File::getCurrentWorkingDirectory();
    const auto dir = cwd.getChildFile (outDir.isNotEmpty() ? outDir : checkDir);
    if (! dir.isDirectory())
        return fail ("artwork: no folder " + dir.getFullPathName());

    bool allSame = true, found = false;
    for (const auto& picture : artwork::pictures())
    {
        if (only.isNotEmpty() && only != picture.file)
            continue;
        found = true;

        const auto image = picture.paint();
        const auto png = artwork::encodePng (image);
        const auto file = dir.getChildFile (picture.file);

        if (outDir.isNotEmpty())
        {
            if (! file.replaceWithData (png.getData(), png.getSize()))
                return fail ("artwork: cannot write " + file.getFullPathName());
            std::cout << picture.file << ": " << picture.width << " x " << picture.height << ", " << (int) png.getSize()
                      << " bytes\n";
            continue;
        }

        juce::MemoryBlock committed;
        if (! file.loadFileAsData (committed))
        {
            std::cout << picture.file << ": MISSING\n";
            allSame = false;
            continue;
        }
        if (committed == png)
        {
            std::cout << picture.file << ": same bytes\n";
            continue;
        }
        const auto decodedCommitted = juce::ImageFileFormat::loadFrom (committed.getData(), committed.getSize());
        const auto decodedFresh = juce::ImageFileFormat::loadFrom (png.getData(), png.getSize());
        const int n = differingPixels (decodedCommitted, decodedFresh);
        if (n == 0)
        {
            std::cout << picture.file << ": same pixels (the encoder wrote other bytes)\n";
        }
        else
        {
            std::cout << picture.file << ": DIFFERS"
                      << (n < 0 ? juce::String (" in size") : " in " + juce::String (n) + " pixels") << "\n";
            allSame = false;
        }
    }

    if (! found)
        return fail ("artwork: no picture named '" + only + "'");
    return allSame ? 0 : 1;
}

const cli::CommandRegistration registration ({ "artwork", "paint the window's pictures into resources/, or check them",
                                               runArtwork });
} // namespace
