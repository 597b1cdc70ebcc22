// The knob outline tables: format, counts, bounds, and counters that stay open.

#include "Drawing.h"

#include "lookandfeel/Glyphs.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace
{
struct Shape
{
    int subPaths = 0, closed = 0, lines = 0, cubics = 0, quadratics = 0;
};

Shape shapeOf (const juce::Path& p)
{
    Shape s;
    juce::Path::Iterator it (p);
    while (it.next())
    {
        switch (it.elementType)
        {
            case juce::Path::Iterator::startNewSubPath: ++s.subPaths; break;
            case juce::Path::Iterator::lineTo: ++s.lines; break;
            case juce::Path::Iterator::quadraticTo: ++s.quadratics; break;
            case juce::Path::Iterator::cubicTo: ++s.cubics; break;
            case juce::Path::Iterator::closePath: ++s.closed; break;
            default: break;
        }
    }
    return s;
}

struct TableCase
{
    const char* name;
    const glyphs::Table& table;
    int bytes, subPaths, closed, lines, cubics;
    float x0, x1, y0, y1;
    int counters; // holes that must stay open when filled
};

void PrintTo (const TableCase& c, std::ostream* os) { *os << c.name; }

class GlyphTable : public testing::TestWithParam<TableCase>
{
};

TEST_P (GlyphTable, LoadsToItsCountsAndBounds)
{
    const auto& c = GetParam();
    ASSERT_EQ (c.table.size, c.bytes);

    // The stream: non-zero winding first, the end marker, then two zero bytes.
    EXPECT_EQ (c.table.data[0], 'n');
    EXPECT_EQ (c.table.data[c.table.size - 3], 'e');
    EXPECT_EQ (c.table.data[c.table.size - 2], 0);
    EXPECT_EQ (c.table.data[c.table.size - 1], 0);

    const auto path = glyphs::load (c.table);
    EXPECT_TRUE (path.isUsingNonZeroWinding());
    const auto s = shapeOf (path);
    EXPECT_EQ (s.subPaths, c.subPaths);
    EXPECT_EQ (s.closed, c.closed);
    EXPECT_EQ (s.lines, c.lines);
    EXPECT_EQ (s.cubics, c.cubics);
    EXPECT_EQ (s.quadratics, 0);

    const auto b = path.getBounds();
    const float tolerance = 0.05f + 1.0e-5f * std::max (std::abs (c.x1), std::abs (c.y1));
    EXPECT_NEAR (b.getX(), c.x0, tolerance);
    EXPECT_NEAR (b.getRight(), c.x1, tolerance);
    EXPECT_NEAR (b.getY(), c.y0, tolerance);
    EXPECT_NEAR (b.getBottom(), c.y1, tolerance);
}

/** Filled with the non-zero rule at a good size, the outline shows exactly its
    counters as transparent islands that the outside does not reach. */
TEST_P (GlyphTable, CountersStayOpenWhenFilled)
{
    const auto& c = GetParam();
    constexpr int size = 160;
    auto path = glyphs::load (c.table);
    path.scaleToFit (10.0f, 10.0f, size - 20.0f, size - 20.0f, false);
    const auto image = drawing::render (size, size, [&] (juce::Graphics& g)
    {
        g.setColour (juce::Colours::black);
        g.fillPath (path);
    });

    // Flood the transparent outside from the border, then count what is left.
    std::vector<int> label ((size_t) (size * size), 0);
    auto clear = [&] (int x, int y) { return image.getPixelAt (x, y).getAlpha() < 128; };
    auto flood = [&] (int sx, int sy, int id)
    {
        std::vector<juce::Point<int>> todo { { sx, sy } };
        while (! todo.empty())
        {
            const auto p = todo.back();
            todo.pop_back();
            if (p.x < 0 || p.y < 0 || p.x >= size || p.y >= size)
                continue;
            auto& l = label[(size_t) (p.y * size + p.x)];
            if (l != 0 || ! clear (p.x, p.y))
                continue;
            l = id;
            todo.insert (todo.end(), { { p.x + 1, p.y }, { p.x - 1, p.y }, { p.x, p.y + 1 }, { p.x, p.y - 1 } });
        }
    };
    flood (0, 0, 1);
    int islands = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (label[(size_t) (y * size + x)] == 0 && clear (x, y))
                flood (x, y, 2 + islands++);

    EXPECT_EQ (islands, c.counters);
}

INSTANTIATE_TEST_SUITE_P (
    Tables, GlyphTable,
    testing::Values (TableCase { "pathCircle", glyphs::pathCircle, 1165, 1, 0, 128, 0, 50.0f, 150.0f, 100.0f, 200.0f, 0 },
                     TableCase { "pathCirclePedal", glyphs::pathCirclePedal, 1165, 1, 0, 128, 0, 50.0f, 150.0f, 100.0f, 200.0f, 0 },
                     TableCase { "pathDataPedal", glyphs::pathDataPedal, 564, 1, 1, 0, 22, 31.5f, 109.4f, 37.3f, 114.3f, 0 },
                     TableCase { "zero", glyphs::zero, 424, 2, 2, 0, 16, 74.8f, 925.2f, 10.0f, 990.0f, 1 },
                     TableCase { "one", glyphs::one, 86, 1, 1, 8, 0, 219.1f, 780.8f, 10.0f, 990.0f, 0 },
                     TableCase { "two", glyphs::two, 277, 1, 1, 7, 8, 132.3f, 867.7f, 10.0f, 990.0f, 0 },
                     TableCase { "three", glyphs::three, 568, 1, 1, 6, 20, 227.5f, 772.5f, 10.0f, 990.1f, 0 },
                     TableCase { "four", glyphs::four, 150, 2, 2, 14, 0, 145.6f, 854.4f, 10.0f, 990.0f, 1 },
                     TableCase { "five", glyphs::five, 420, 1, 1, 9, 13, 231.4f, 768.7f, 10.0f, 990.0f, 0 },
                     TableCase { "six", glyphs::six, 535, 2, 2, 4, 19, 187.7f, 812.3f, 10.0f, 990.0f, 1 },
                     TableCase { "seven", glyphs::seven, 77, 1, 1, 7, 0, 206.0f, 794.0f, 10.0f, 990.0f, 0 },
                     TableCase { "eight", glyphs::eight, 684, 3, 3, 0, 26, 188.6f, 811.4f, 10.0f, 990.0f, 2 },
                     TableCase { "nine", glyphs::nine, 519, 2, 2, 5, 18, 187.3f, 812.7f, 10.0f, 990.0f, 1 },
                     TableCase { "ten", glyphs::ten, 889, 3, 3, 20, 27, 100.0f, 9907.6f, -4771.8f, 4991.8f, 1 }),
    [] (const testing::TestParamInfo<TableCase>& param) { return std::string (param.param.name); });

TEST (GlyphCircle, TheTwoCirclesAreTheSame)
{
    ASSERT_EQ (glyphs::pathCircle.size, glyphs::pathCirclePedal.size);
    EXPECT_EQ (std::memcmp (glyphs::pathCircle.data, glyphs::pathCirclePedal.data, (size_t) glyphs::pathCircle.size), 0);
    EXPECT_TRUE (glyphs::load (glyphs::pathCircle) == glyphs::load (glyphs::pathCirclePedal));
}

TEST (GlyphCircle, EveryVertexLiesOnTheCircleStartingAtTheTopAndTurningAnticlockwise)
{
    const auto path = glyphs::load (glyphs::pathCircle);
    juce::Path::Iterator it (path);
    std::vector<juce::Point<float>> points;
    while (it.next())
        points.push_back ({ it.x1, it.y1 });

    ASSERT_EQ (points.size(), 129u);
    for (auto p : points)
        EXPECT_NEAR (p.getDistanceFrom ({ 100.0f, 150.0f }), 50.0f, 1.0e-3f);
    for (size_t i : { 0u, 1u, 127u, 128u })
        EXPECT_EQ (points[i], juce::Point<float> (100.0f, 100.0f)) << "vertex " << i;
    // Anticlockwise on screen: from the top, the first step goes left.
    EXPECT_LT (points[2].x, 100.0f);
    EXPECT_LT (points[2].y - 100.0f, 1.0f);
}

} // namespace
