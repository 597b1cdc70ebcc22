#pragma once

#include <juce_graphics/juce_graphics.h>

/** The vector outlines the knobs are drawn from: path streams in the format
    juce::Path::loadPathFromData reads. Every table starts with the non-zero
    winding command, ends with the end marker and carries two zero bytes after
    it, which its byte count includes. The data lives in GlyphData.cpp, written
    by 'brindlecrest glyphs'.
*/
namespace glyphs
{
/** One outline: its bytes and their count. */
struct Table
{
    const unsigned char* data;
    int size;
};

/** A circle of radius 50 about (100, 150), as an open 129-point polygon. */
extern const Table pathCircle;
/** The same bytes as pathCircle, kept as the pedal knob's own table. */
extern const Table pathCirclePedal;
/** The fluted pedal-knob silhouette with seven scallops. */
extern const Table pathDataPedal;

/** The numerals printed on the amplifier knob's skirt. The single digits
    share a design space 1000 units square; ten has one of its own. */
extern const Table zero, one, two, three, four, five, six, seven, eight, nine, ten;

/** The numeral n, 0 to 10; any other n gives zero. */
const Table& numeral (int n) noexcept;

/** Reads a table into a fresh path. */
juce::Path load (const Table& table);
} // namespace glyphs
