// brindlecrest glyphs: writes the knob outlines of lookandfeel/GlyphData.cpp.
//
// The circle follows a fixed rule, the fluted pedal-knob silhouette is a fixed
// list of points, and the numerals of the amplifier knob's skirt are designed
// here from straight strokes and elliptic arcs. Each numeral is drawn in a box
// 0.7 wide and 1 tall (the proportions it is shown at), its segments are then
// split until they reach the counts the tables keep, and the result is mapped
// onto the numeral's design space.

#include "Commands.h"

#include <juce_graphics/juce_graphics.h>

#include <cmath>
#include <iostream>
#include <vector>

namespace
{
using P = juce::Point<double>;

struct Segment
{
    bool cubic = false;
    P c1, c2, end; // c1 and c2 only for cubics
};

struct Contour
{
    P start;
    std::vector<Segment> segments;
};

/** Collects closed contours. A contour whose last segment stops short of its
    start is closed by the path's close command with a straight edge. */
class Outline
{
public:
    void moveTo (double x, double y)
    {
        contours.push_back ({ { x, y }, {} });
    }

    void lineTo (double x, double y)
    {
        contours.back().segments.push_back ({ false, {}, {}, { x, y } });
    }

    void cubicTo (P c1, P c2, P end)
    {
        contours.back().segments.push_back ({ true, c1, c2, end });
    }

    P current() const
    {
        const auto& c = contours.back();
        return c.segments.empty() ? c.start : c.segments.back().end;
    }

    /** An elliptic arc about (cx, cy) from angle a0 to a1 in `pieces` cubics;
        angles in radians, 0 pointing right and growing clockwise on screen.
        Starts a contour when there is none open, else continues the current
        one from the arc's first point. `tension` above 1 squares the arc off. */
    void arc (double cx, double cy, double rx, double ry, double a0, double a1, int pieces,
              double tension = 1.0, bool startContour = false)
    {
        auto at = [&] (double a) { return P (cx + rx * std::cos (a), cy + ry * std::sin (a)); };
        auto tangent = [&] (double a) { return P (-rx * std::sin (a), ry * std::cos (a)); };

        if (startContour)
            moveTo (at (a0).x, at (a0).y);

        const double step = (a1 - a0) / pieces;
        const double k = 4.0 / 3.0 * std::tan (step / 4.0) * tension;

        for (int i = 0; i < pieces; ++i)
        {
            const double t0 = a0 + step * i, t1 = (i == pieces - 1) ? a1 : t0 + step;
            cubicTo (at (t0) + tangent (t0) * k, at (t1) - tangent (t1) * k, at (t1));
        }
    }

    void mirror180 (double width, double height)
    {
        auto flip = [=] (P p) { return P (width - p.x, height - p.y); };
        for (auto& c : contours)
        {
            c.start = flip (c.start);
            for (auto& s : c.segments)
                s = { s.cubic, flip (s.c1), flip (s.c2), flip (s.end) };
        }
    }

    std::vector<Contour> contours;
};

int count (const Outline& o, bool cubics)
{
    int n = 0;
    for (auto& c : o.contours)
        for (auto& s : c.segments)
            n += (s.cubic == cubics) ? 1 : 0;
    return n;
}

double lengthOf (P from, const Segment& s)
{
    if (! s.cubic)
        return from.getDistanceFrom (s.end);
    return from.getDistanceFrom (s.c1) + s.c1.getDistanceFrom (s.c2) + s.c2.getDistanceFrom (s.end);
}

/** Splits the longest segment of the given kind in two halves of the same
    shape, so the outline keeps its look while gaining one segment. */
void splitLongest (Outline& o, bool cubics)
{
    Contour* bestContour = nullptr;
    size_t bestIndex = 0;
    double bestLength = -1.0;

    for (auto& c : o.contours)
    {
        P from = c.start;
        for (size_t i = 0; i < c.segments.size(); ++i)
        {
            const auto& s = c.segments[i];
            if (s.cubic == cubics && lengthOf (from, s) > bestLength + 1.0e-9)
            {
                bestContour = &c;
                bestIndex = i;
                bestLength = lengthOf (from, s);
            }
            from = s.end;
        }
    }

    jassert (bestContour != nullptr);
    auto& segs = bestContour->segments;
    const P from = bestIndex == 0 ? bestContour->start : segs[bestIndex - 1].end;
    const Segment s = segs[bestIndex];

    Segment first, second;
    if (! cubics)
    {
        first = { false, {}, {}, (from + s.end) * 0.5 };
        second = s;
    }
    else
    {
        // de Casteljau at t = 0.5
        const P ab = (from + s.c1) * 0.5, bc = (s.c1 + s.c2) * 0.5, cd = (s.c2 + s.end) * 0.5;
        const P abc = (ab + bc) * 0.5, bcd = (bc + cd) * 0.5, mid = (abc + bcd) * 0.5;
        first = { true, ab, abc, mid };
        second = { true, bcd, cd, s.end };
    }

    segs[bestIndex] = first;
    segs.insert (segs.begin() + (long) bestIndex + 1, second);
}

struct Box
{
    double x0, x1, y0, y1;
};

/** The bytes of the outline in the path stream read by juce::Path, mapped so
    that the box around every point (control points included) becomes `target`,
    followed by the two zero bytes the tables carry. */
juce::MemoryBlock encode (const Outline& o, Box target, bool close = true)
{
    Box b { 1e9, -1e9, 1e9, -1e9 };
    auto grow = [&b] (P p)
    {
        b.x0 = std::min (b.x0, p.x);
        b.x1 = std::max (b.x1, p.x);
        b.y0 = std::min (b.y0, p.y);
        b.y1 = std::max (b.y1, p.y);
    };
    for (auto& c : o.contours)
    {
        grow (c.start);
        for (auto& s : c.segments)
        {
            if (s.cubic)
            {
                grow (s.c1);
                grow (s.c2);
            }
            grow (s.end);
        }
    }

    auto map = [&] (P p)
    {
        return P (target.x0 + (p.x - b.x0) / (b.x1 - b.x0) * (target.x1 - target.x0),
                  target.y0 + (p.y - b.y0) / (b.y1 - b.y0) * (target.y1 - target.y0));
    };

    juce::MemoryOutputStream out;
    auto point = [&] (P p)
    {
        const auto q = map (p);
        out.writeFloat ((float) q.x);
        out.writeFloat ((float) q.y);
    };

    out.writeByte ('n');
    for (auto& c : o.contours)
    {
        out.writeByte ('m');
        point (c.start);
        for (auto& s : c.segments)
        {
            out.writeByte (s.cubic ? 'b' : 'l');
            if (s.cubic)
            {
                point (s.c1);
                point (s.c2);
            }
            point (s.end);
        }
        if (close)
            out.writeByte ('c');
    }
    out.writeByte ('e');
    out.writeByte (0);
    out.writeByte (0);
    return out.getMemoryBlock();
}

//==============================================================================
// The numerals. Coordinates in a box 0.7 wide and 1 tall (y down); vertical
// strokes are about 0.155 thick, horizontal ones about 0.125, and every counter
// runs against its outer contour.

constexpr double digitWidth = 0.7;
constexpr double pi = juce::MathConstants<double>::pi;

/** A slightly squared oval with its counter, between x0 and x1. */
void addZero (Outline& o, double x0, double x1, double stem, double bar)
{
    const double cx = 0.5 * (x0 + x1), rx = 0.5 * (x1 - x0);
    o.arc (cx, 0.5, rx, 0.5, -0.5 * pi, 1.5 * pi, 4, 1.1, true);
    o.arc (cx, 0.5, rx - stem, 0.5 - bar, -0.5 * pi, -2.5 * pi, 4, 1.08, true);
}

/** A one with a pennant flag and a foot, between x0 and x1. */
void addOne (Outline& o, double x0, double x1, double stem)
{
    const double w = x1 - x0;
    const double stemRight = x0 + 0.66 * w, stemLeft = stemRight - stem;
    const double footTop = 0.875;
    o.moveTo (stemRight, 0.0);
    o.lineTo (stemRight, footTop);
    o.lineTo (x0 + 0.97 * w, footTop);
    o.lineTo (x0 + 0.97 * w, 1.0);
    o.lineTo (x0 + 0.12 * w, 1.0);
    o.lineTo (x0 + 0.12 * w, footTop);
    o.lineTo (stemLeft, footTop);
    o.lineTo (stemLeft, 0.25);
    o.lineTo (x0, 0.36); // the flag's tip; the close edge runs back up to the top
}

Outline zero()
{
    Outline o;
    addZero (o, 0.0, digitWidth, 0.16, 0.12);
    return o;
}

Outline one()
{
    Outline o;
    addOne (o, 0.0, digitWidth, 0.165);
    return o;
}

Outline two()
{
    Outline o;
    const double cx = 0.35, cy = 0.3, rx = 0.33, ry = 0.3;
    const double irx = rx - 0.16, iry = ry - 0.13;
    const double spineStart = 0.7, spineEnd = 0.5;

    o.arc (cx, cy, rx, ry, pi, 2.0 * pi + spineStart, 3, 1.0, true);
    const P a = o.current();
    o.cubicTo ({ a.x - 0.09, a.y + 0.1 }, { 0.3, 0.76 }, { 0.19, 0.875 });
    o.lineTo (0.7, 0.875);
    o.lineTo (0.7, 1.0);
    o.lineTo (0.0, 1.0);
    o.lineTo (0.0, 0.87);
    const P inner (cx + irx * std::cos (spineEnd), cy + iry * std::sin (spineEnd));
    o.cubicTo ({ 0.13, 0.75 }, { inner.x - 0.065, inner.y + 0.1 }, inner);
    o.arc (cx, cy, irx, iry, spineEnd, -pi, 3);
    o.lineTo (cx - rx, cy);
    return o;
}

Outline three()
{
    Outline o;
    const double ux = 0.33, uy = 0.26, urx = 0.31, ury = 0.26;
    const double lx = 0.35, ly = 0.72, lrx = 0.35, lry = 0.28;
    const double uix = urx - 0.155, uiy = ury - 0.12, lix = lrx - 0.16, liy = lry - 0.12;
    const double topTail = -0.8 * pi, bottomTail = 0.8 * pi;
    const double barLeft = 0.21;

    o.arc (ux, uy, urx, ury, topTail, 0.4 * pi, 3, 1.0, true);
    o.lineTo (lx + lrx * std::cos (-0.38 * pi) - 0.01, ly + lry * std::sin (-0.38 * pi));
    o.arc (lx, ly, lrx, lry, -0.38 * pi, bottomTail, 3);
    o.lineTo (lx + lix * std::cos (bottomTail), ly + liy * std::sin (bottomTail));
    o.arc (lx, ly, lix, liy, bottomTail, -0.5 * pi, 3);
    o.lineTo (barLeft, ly - liy);
    o.lineTo (barLeft, uy + uiy);
    o.lineTo (ux, uy + uiy);
    o.arc (ux, uy, uix, uiy, 0.5 * pi, topTail, 3);
    return o;
}

Outline four()
{
    Outline o;
    const double stemLeft = 0.44, stemRight = 0.6, barTop = 0.64, barBottom = 0.765;
    o.moveTo (0.39, 0.0);
    o.lineTo (stemRight, 0.0);
    o.lineTo (stemRight, barTop);
    o.lineTo (0.7, barTop);
    o.lineTo (0.7, barBottom);
    o.lineTo (stemRight, barBottom);
    o.lineTo (stemRight, 1.0);
    o.lineTo (stemLeft, 1.0);
    o.lineTo (stemLeft, barBottom);
    o.lineTo (0.0, barBottom);
    o.lineTo (0.0, barTop);

    o.moveTo (stemLeft, 0.19);
    o.lineTo (0.175, barTop);
    o.lineTo (stemLeft, barTop);
    return o;
}

Outline five()
{
    Outline o;
    const double cx = 0.35, cy = 0.665, rx = 0.35, ry = 0.335;
    const double irx = rx - 0.16, iry = ry - 0.13;
    const double join = -0.6 * pi, tail = 0.8 * pi, innerEnd = -0.76 * pi;

    o.moveTo (0.1, 0.0);
    o.lineTo (0.66, 0.0);
    o.lineTo (0.66, 0.125);
    o.lineTo (0.25, 0.125);
    o.lineTo (cx + rx * std::cos (join) + 0.02, cy + ry * std::sin (join));
    o.arc (cx, cy, rx, ry, join, tail, 4);
    o.lineTo (cx + irx * std::cos (tail), cy + iry * std::sin (tail));
    o.arc (cx, cy, irx, iry, tail, innerEnd, 4);
    o.lineTo (0.065, 0.53);
    return o;
}

/** The six; the nine is the same figure turned upside down. */
Outline six()
{
    Outline o;
    const double bx = 0.35, by = 0.66, brx = 0.35, bry = 0.34;
    const double ex = 0.4, ey = 0.66, erx = 0.4, ery = 0.66;
    const double stroke = 0.155;
    const double tip = -0.5 * pi + 0.46, innerEnd = -0.79 * pi, join = -0.63 * pi;

    const P top (ex + erx * std::cos (tip), ey + ery * std::sin (tip));
    o.moveTo (top.x, top.y);
    o.lineTo (ex + (erx - stroke) * std::cos (tip), ey + (ery - 0.125) * std::sin (tip));
    o.arc (ex, ey, erx - stroke, ery - 0.125, tip, innerEnd, 2);
    o.lineTo (bx + brx * std::cos (join), by + bry * std::sin (join));
    o.arc (bx, by, brx, bry, join, pi, 4);
    o.arc (ex, ey, erx, ery, pi, 2.0 * pi + tip, 2);

    o.arc (bx, by, brx - 0.16, bry - 0.13, -0.5 * pi, -2.5 * pi, 4, 1.0, true);
    return o;
}

Outline seven()
{
    Outline o;
    o.moveTo (0.0, 0.0);
    o.lineTo (0.7, 0.0);
    o.lineTo (0.7, 0.125);
    o.lineTo (0.37, 1.0);
    o.lineTo (0.2, 1.0);
    o.lineTo (0.53, 0.125);
    o.lineTo (0.14, 0.125);
    o.lineTo (0.0, 0.25);
    return o;
}

Outline eight()
{
    Outline o;
    const double ux = 0.35, uy = 0.25, urx = 0.3, ury = 0.25;
    const double lx = 0.35, ly = 0.715, lrx = 0.35, lry = 0.285;
    const double waist = 0.4 * pi, lowerWaist = 0.36 * pi;

    auto onUpper = [&] (double a) { return P (ux + urx * std::cos (a), uy + ury * std::sin (a)); };
    auto onLower = [&] (double a) { return P (lx + lrx * std::cos (a), ly + lry * std::sin (a)); };

    o.arc (ux, uy, urx, ury, -0.5 * pi, waist, 2, 1.0, true);
    {
        const P from = onUpper (waist), to = onLower (-lowerWaist);
        o.cubicTo ({ from.x - 0.02, from.y + 0.02 }, { to.x - 0.03, to.y - 0.012 }, to);
    }
    o.arc (lx, ly, lrx, lry, -lowerWaist, pi + lowerWaist, 4);
    {
        const P from = onLower (pi + lowerWaist), to = onUpper (pi - waist);
        o.cubicTo ({ from.x + 0.03, from.y - 0.012 }, { to.x + 0.02, to.y + 0.02 }, to);
    }
    o.arc (ux, uy, urx, ury, pi - waist, 1.5 * pi, 2);

    o.arc (ux, uy, urx - 0.15, ury - 0.12, -0.5 * pi, -2.5 * pi, 4, 1.0, true);
    o.arc (lx, ly, lrx - 0.16, lry - 0.125, -0.5 * pi, -2.5 * pi, 4, 1.0, true);
    return o;
}

Outline nine()
{
    auto o = six();
    o.mirror180 (digitWidth, 1.0);
    return o;
}

/** The ten as one glyph in a square box: a narrower one and zero side by side. */
Outline ten()
{
    Outline o;
    addOne (o, 0.0, 0.42, 0.13);
    addZero (o, 0.5, 1.0, 0.15, 0.12);
    return o;
}

/** A numeral: its table's name, its design, the segment counts the table keeps
    and the design space its bounding box maps onto. */
struct NumeralDesign
{
    const char* name;
    Outline (*draw)();
    int lines, cubics;
    Box box;
};

const NumeralDesign numerals[] = {
    { "zero", zero, 0, 16, { 74.8, 925.2, 10.0, 990.0 } },
    { "one", one, 8, 0, { 219.1, 780.8, 10.0, 990.0 } },
    { "two", two, 7, 8, { 132.3, 867.7, 10.0, 990.0 } },
    { "three", three, 6, 20, { 227.5, 772.5, 10.0, 990.1 } },
    { "four", four, 14, 0, { 145.6, 854.4, 10.0, 990.0 } },
    { "five", five, 9, 13, { 231.4, 768.7, 10.0, 990.0 } },
    { "six", six, 4, 19, { 187.7, 812.3, 10.0, 990.0 } },
    { "seven", seven, 7, 0, { 206.0, 794.0, 10.0, 990.0 } },
    { "eight", eight, 0, 26, { 188.6, 811.4, 10.0, 990.0 } },
    { "nine", nine, 5, 18, { 187.3, 812.7, 10.0, 990.0 } },
    { "ten", ten, 20, 27, { 100.0, 9907.6, -4771.8, 4991.8 } },
};

/** The numeral brought to the segment counts of its table. */
Outline finished (const NumeralDesign& design, juce::String& error)
{
    auto o = design.draw();
    if (count (o, false) > design.lines || count (o, true) > design.cubics)
    {
        error = juce::String (design.name) + " has " + juce::String (count (o, false)) + " lines and "
                + juce::String (count (o, true)) + " cubics, more than its table keeps";
        return o;
    }
    while (count (o, false) < design.lines)
        splitLongest (o, false);
    while (count (o, true) < design.cubics)
        splitLongest (o, true);
    return o;
}

//==============================================================================
/** The circle: its top point twice, a vertex every 0.05 radian anticlockwise
    on screen, and the top point twice more; left open. */
juce::MemoryBlock circle()
{
    Outline o;
    o.moveTo (100.0, 100.0);
    o.lineTo (100.0, 100.0);
    for (int k = 1; k <= 125; ++k)
        o.lineTo (100.0 - 50.0 * std::sin (0.05 * k), 150.0 - 50.0 * std::cos (0.05 * k));
    o.lineTo (100.0, 100.0);
    o.lineTo (100.0, 100.0);
    juce::MemoryOutputStream out;
    // Written as is: no mapping, no close.
    out.writeByte ('n');
    const auto& c = o.contours.front();
    out.writeByte ('m');
    out.writeFloat ((float) c.start.x);
    out.writeFloat ((float) c.start.y);
    for (auto& s : c.segments)
    {
        out.writeByte ('l');
        out.writeFloat ((float) s.end.x);
        out.writeFloat ((float) s.end.y);
    }
    out.writeByte ('e');
    out.writeByte (0);
    out.writeByte (0);
    return out.getMemoryBlock();
}

/** The fluted pedal knob: seven scallops between convex rim arcs. */
juce::MemoryBlock flutedKnob()
{
    static const float pts[22][6] = {
        { 107.1f, 75.7f, 105.4f, 72.6f, 104.8f, 69.2f },  { 104.1f, 65.7f, 104.3f, 62.3f, 105.4f, 59.0f },
        { 103.2f, 54.4f, 100.1f, 50.4f, 96.2f, 47.1f },   { 92.9f, 47.3f, 89.4f, 46.7f, 86.2f, 45.1f },
        { 83.0f, 43.5f, 80.4f, 41.1f, 78.5f, 38.4f },     { 73.4f, 37.4f, 68.3f, 37.3f, 63.5f, 38.2f },
        { 61.6f, 41.0f, 58.9f, 43.3f, 55.7f, 44.8f },     { 52.5f, 46.3f, 49.0f, 46.9f, 45.6f, 46.5f },
        { 41.8f, 49.6f, 38.5f, 53.6f, 36.1f, 58.1f },     { 37.0f, 61.3f, 37.2f, 64.8f, 36.5f, 68.3f },
        { 35.6f, 71.8f, 33.9f, 74.8f, 31.5f, 77.2f },     { 31.6f, 82.3f, 32.6f, 87.3f, 34.6f, 91.8f },
        { 37.7f, 93.0f, 40.5f, 95.0f, 42.8f, 98.0f },     { 45.0f, 100.8f, 46.3f, 104.2f, 46.8f, 107.4f },
        { 50.8f, 110.4f, 55.2f, 112.7f, 60.3f, 114.1f },  { 63.2f, 112.5f, 66.6f, 111.5f, 70.2f, 111.5f },
        { 73.8f, 111.5f, 77.1f, 112.5f, 80.1f, 114.3f },  { 84.9f, 113.2f, 89.6f, 111.0f, 93.7f, 107.9f },
        { 94.3f, 104.6f, 95.6f, 101.4f, 97.9f, 98.6f },   { 100.2f, 95.8f, 103.1f, 93.9f, 106.3f, 92.7f },
        { 107.3f, 90.5f, 108.2f, 88.1f, 108.8f, 85.6f },  { 109.1f, 83.4f, 109.3f, 80.7f, 109.4f, 78.2f },
    };

    juce::Path p;
    p.startNewSubPath (109.4f, 78.2f);
    for (auto& s : pts)
        p.cubicTo (s[0], s[1], s[2], s[3], s[4], s[5]);
    p.closeSubPath();

    juce::MemoryOutputStream out;
    p.writePathToStream (out);
    out.writeByte (0);
    out.writeByte (0);
    return out.getMemoryBlock();
}

//==============================================================================
juce::String cArray (const juce::String& name, const juce::MemoryBlock& bytes)
{
    juce::String s;
    s << "static const unsigned char " << name << "Data[] = {";
    for (size_t i = 0; i < bytes.getSize(); ++i)
    {
        s << (i % 16 == 0 ? "\n    " : " ") << (int) (unsigned char) bytes[i] << ",";
    }
    s << "\n};\n";
    s << "const Table " << name << " { " << name << "Data, (int) sizeof (" << name << "Data) };\n\n";
    return s;
}

juce::String generateSource (juce::String& error)
{
    juce::String src;
    src << "// The outlines of the knobs as path streams for juce::Path::loadPathFromData.\n"
        << "// Generated by 'brindlecrest glyphs' (tools/cli/GlyphsCommand.cpp); do not edit.\n\n"
        << "#include \"Glyphs.h\"\n\n"
        << "namespace glyphs\n{\n";

    const auto circleBytes = circle();
    src << cArray ("pathCircle", circleBytes);
    src << cArray ("pathCirclePedal", circleBytes);
    src << cArray ("pathDataPedal", flutedKnob());

    for (auto& design : numerals)
    {
        const auto o = finished (design, error);
        if (error.isNotEmpty())
            return {};
        src << cArray (design.name, encode (o, design.box));
    }

    src << "} // namespace glyphs\n";
    return src;
}

/** A sheet of every numeral, large and at knob size, for looking at. */
juce::Image previewSheet()
{
    constexpr int cell = 160;
    juce::Image sheet (juce::Image::ARGB, cell * 11, cell * 2, true);
    juce::Graphics g (sheet);
    g.fillAll (juce::Colour (0xffd8dad2));

    juce::String error;
    for (int i = 0; i < 11; ++i)
    {
        const auto bytes = encode (finished (numerals[i], error), numerals[i].box);
        juce::Path p;
        p.loadPathFromData (bytes.getData(), bytes.getSize());

        const float w = i == 10 ? 120.0f : 84.0f;
        auto big = p;
        big.scaleToFit ((float) i * cell + 0.5f * ((float) cell - w), 15.0f, w, 120.0f, false);
        g.setColour (i == 5 ? juce::Colours::purple : juce::Colours::black);
        g.fillPath (big);

        // The size they have on a 100-pixel knob: 0.14 R by 0.2 R with R = 32.9.
        const float r = 32.9f, small = i == 10 ? 0.2f * r : 0.14f * r;
        auto tiny = p;
        tiny.scaleToFit ((float) i * cell + 0.5f * ((float) cell - small), (float) cell + 20.0f, small, 0.2f * r, false);
        g.fillPath (tiny);
        auto medium = p;
        medium.scaleToFit ((float) i * cell + 0.5f * ((float) cell - small * 3), (float) cell + 50.0f, small * 3,
                           0.6f * r, false);
        g.fillPath (medium);
    }
    return sheet;
}

int runGlyphs (const juce::StringArray& args)
{
    using namespace cli;
    if (wantsHelp (args))
    {
        std::cout << "Usage: brindlecrest glyphs -o FILE.cpp [--preview FILE.png]\n\n"
                     "Writes the knob outline tables (circle, fluted pedal knob, numerals 0 to 10)\n"
                     "as C++ source. --preview also draws every numeral to a PNG.\n";
        return 0;
    }

    juce::String output, preview;
    for (int i = 0; i < args.size(); ++i)
    {
        if ((args[i] == "-o" || args[i] == "--output") && i + 1 < args.size())
            output = args[++i];
        else if (args[i] == "--preview" && i + 1 < args.size())
            preview = args[++i];
        else
            return fail ("glyphs: unexpected argument '" + args[i] + "'");
    }
    if (output.isEmpty() && preview.isEmpty())
        return fail ("glyphs: give -o FILE.cpp or --preview FILE.png");

    if (output.isNotEmpty())
    {
        juce::String error;
        const auto source = generateSource (error);
        if (error.isNotEmpty())
            return fail ("glyphs: " + error);
        const juce::File file = juce::File::getCurrentWorkingDirectory().getChildFile (output);
        if (! file.replaceWithText (source, false, false, "\n"))
            return fail ("glyphs: cannot write " + file.getFullPathName());
    }

    if (preview.isNotEmpty())
    {
        const juce::File file = juce::File::getCurrentWorkingDirectory().getChildFile (preview);
        file.deleteFile();
        juce::FileOutputStream out (file);
        juce::PNGImageFormat png;
        if (! out.openedOk() || ! png.writeImageToStream (previewSheet(), out))
            return fail ("glyphs: cannot write " + file.getFullPathName());
    }
    return 0;
}

const cli::CommandRegistration registration ({ "glyphs", "write the knob outline tables (developer tool)", runGlyphs });
} // namespace
