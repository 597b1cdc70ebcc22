#include "Glyphs.h"

namespace glyphs
{
const Table& numeral (int n) noexcept
{
    static const Table* const all[] = { &zero, &one, &two, &three, &four, &five,
                                        &six,  &seven, &eight, &nine, &ten };
    return *all[n >= 0 && n <= 10 ? n : 0];
}

juce::Path load (const Table& table)
{
    juce::Path p;
    p.loadPathFromData (table.data, (size_t) table.size);
    return p;
}
} // namespace glyphs
