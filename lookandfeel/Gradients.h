#pragma once

#include <juce_graphics/juce_graphics.h>

/** A radial gradient from the colour `inner` at (x1, y1) to `outer` at the
    distance of (x2, y2), the way the knobs and switches are shaded. */
inline juce::ColourGradient radialGradient (juce::uint32 inner, double x1, double y1, juce::uint32 outer, double x2,
                                            double y2)
{
    return juce::ColourGradient (juce::Colour (inner), (float) x1, (float) y1, juce::Colour (outer), (float) x2,
                                 (float) y2, true);
}
