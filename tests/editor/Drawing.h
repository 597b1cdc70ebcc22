#pragma once

// Helpers for checking drawing on rendered pixels.

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <map>

namespace drawing
{
/** A transparent ARGB image of the given size with `paint` drawn into it. */
inline juce::Image render (int width, int height, const std::function<void (juce::Graphics&)>& paint,
                           juce::Colour background = juce::Colours::transparentBlack)
{
    juce::Image image (juce::Image::ARGB, width, height, true);
    juce::Graphics g (image);
    g.fillAll (background);
    paint (g);
    return image;
}

inline float luminance (juce::Colour c)
{
    return 0.299f * c.getRed() + 0.587f * c.getGreen() + 0.114f * c.getBlue();
}

/** PNG bytes of a picture filled with one colour. The bytes stay alive for the
    whole run at an address of their own, since the image cache keys decoded
    pictures by the data pointer. */
inline const juce::MemoryBlock& solidPng (juce::Colour colour, int width, int height)
{
    static std::map<juce::String, std::unique_ptr<juce::MemoryBlock>> made;
    auto& slot = made[colour.toString() + "/" + juce::String (width) + "x" + juce::String (height)];
    if (slot == nullptr)
    {
        juce::Image image (juce::Image::ARGB, width, height, true);
        image.clear (image.getBounds(), colour);
        juce::MemoryOutputStream out;
        juce::PNGImageFormat().writeImageToStream (image, out);
        slot = std::make_unique<juce::MemoryBlock> (out.getMemoryBlock());
    }
    return *slot;
}

/** Bytes that no image format takes for a picture, so decoding them gives an
    invalid image. (A damaged file that still starts with the PNG signature is
    no use here: the framework's decoder, built against the system's libpng,
    does not survive libpng's error callback.) */
inline const juce::MemoryBlock& brokenPng()
{
    static const juce::MemoryBlock bytes ("this is not a picture", 21);
    return bytes;
}

/** The first and last row (or column) holding a pixel of interest; both -1
    when there is none. */
struct Span
{
    int first = -1, last = -1;
};

/** The rows of `image` holding at least one pixel for which `match` is true. */
inline Span rowsWhere (const juce::Image& image, const std::function<bool (juce::Colour)>& match)
{
    int first = -1, last = -1;
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (match (image.getPixelAt (x, y)))
            {
                if (first < 0)
                    first = y;
                last = y;
                break;
            }
    return { first, last };
}

/** The columns of `image` holding at least one pixel for which `match` is true. */
inline Span columnsWhere (const juce::Image& image, const std::function<bool (juce::Colour)>& match)
{
    int first = -1, last = -1;
    for (int x = 0; x < image.getWidth(); ++x)
        for (int y = 0; y < image.getHeight(); ++y)
            if (match (image.getPixelAt (x, y)))
            {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
    return { first, last };
}

/** Counts the pixels in `area` for which `match` is true. */
inline int countWhere (const juce::Image& image, juce::Rectangle<int> area,
                       const std::function<bool (juce::Colour)>& match)
{
    int n = 0;
    area = area.getIntersection (image.getBounds());
    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            n += match (image.getPixelAt (x, y)) ? 1 : 0;
    return n;
}
} // namespace drawing
