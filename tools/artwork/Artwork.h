#pragma once

// The pictures of Brindlecrest's window, painted with JUCE's graphics classes.
//
// Everything here is deterministic: textures come from integer-hashed noise
// with fixed seeds, text from font files that Debian installs, and nothing
// reads the clock. Painting the same picture twice gives the same pixels, so
// the PNG files in resources/ can always be checked against a fresh painting.
//
// Header-only, so that 'brindlecrest artwork' and the tests compile the very
// same painters.

#include <juce_graphics/juce_graphics.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

namespace artwork
{
//==============================================================================
// Noise

/** A well-mixed 32-bit hash of a lattice point. */
inline uint32_t hash (int x, int y, uint32_t seed) noexcept
{
    uint32_t h = (uint32_t) x * 374761393u + (uint32_t) y * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    h *= 2654435761u;
    return h ^ (h >> 15);
}

/** A value in [0, 1) for a lattice point. */
inline float random01 (int x, int y, uint32_t seed) noexcept
{
    return (float) (hash (x, y, seed) & 0xffffffu) / 16777216.0f;
}

/** Smooth value noise in [0, 1) with features about one unit apart. */
inline float valueNoise (float x, float y, uint32_t seed) noexcept
{
    const float fx0 = std::floor (x), fy0 = std::floor (y);
    const int x0 = (int) fx0, y0 = (int) fy0;
    const float fx = x - fx0, fy = y - fy0;
    const float u = fx * fx * (3.0f - 2.0f * fx), v = fy * fy * (3.0f - 2.0f * fy);
    const float a = random01 (x0, y0, seed), b = random01 (x0 + 1, y0, seed);
    const float c = random01 (x0, y0 + 1, seed), d = random01 (x0 + 1, y0 + 1, seed);
    return (a + (b - a) * u) + ((c + (d - c) * u) - (a + (b - a) * u)) * v;
}

/** Several octaves of value noise, centred on 0, roughly within [-0.5, 0.5]. */
inline float fractalNoise (float x, float y, int octaves, uint32_t seed) noexcept
{
    float sum = 0.0f, amplitude = 0.5f, total = 0.0f;
    for (int i = 0; i < octaves; ++i)
    {
        sum += amplitude * (valueNoise (x, y, seed + (uint32_t) i * 101u) - 0.5f);
        total += amplitude;
        x *= 2.03f;
        y *= 2.03f;
        amplitude *= 0.5f;
    }
    return sum / total;
}

//==============================================================================
// Colour and drawing helpers

inline juce::Colour shade (juce::Colour c, float amount) noexcept
{
    // amount > 0 lightens towards white, < 0 darkens towards black
    const auto mix = [amount] (uint8_t v)
    {
        const float f = (float) v;
        const float r = amount >= 0.0f ? f + (255.0f - f) * amount : f * (1.0f + amount);
        return (uint8_t) juce::jlimit (0, 255, (int) std::lround (r));
    };
    return juce::Colour (mix (c.getRed()), mix (c.getGreen()), mix (c.getBlue()), c.getAlpha());
}

/** A font file that the project installs through Debian packages. */
inline juce::Typeface::Ptr typeface (const juce::String& path)
{
    static std::map<juce::String, juce::Typeface::Ptr> loaded;
    auto& slot = loaded[path];
    if (slot == nullptr)
    {
        juce::MemoryBlock data;
        if (juce::File (path).loadFileAsData (data) && data.getSize() > 0)
            slot = juce::Typeface::createSystemTypefaceFor (data.getData(), data.getSize());
    }
    return slot;
}

inline const char* const legendFontFile = "/usr/share/fonts/opentype/urw-base35/URWGothic-Demi.otf";
inline const char* const scriptFontFile = "/usr/share/fonts/opentype/urw-base35/Z003-MediumItalic.otf";

/** True when every font the pictures use can be read. */
inline bool fontsAvailable()
{
    return typeface (legendFontFile) != nullptr && typeface (scriptFontFile) != nullptr;
}

/** The outline of a line of text whose cap height is `capHeight`, centred
    horizontally on `centreX` (or starting there, or ending there) with its
    baseline at `baseline`. `tracking` adds space between letters, as a
    proportion of the height. */
inline juce::Path textPath (const juce::String& fontFile, const juce::String& text, float capHeight,
                            float tracking, float anchorX, float baseline,
                            juce::Justification justification = juce::Justification::horizontallyCentred)
{
    auto tf = typeface (fontFile);
    if (tf == nullptr)
        return {};

    // Fonts are sized by ascent plus descent; scale so the capitals measure capHeight.
    juce::Font probe (tf);
    probe = probe.withHeight (100.0f);
    juce::GlyphArrangement capital;
    capital.addLineOfText (probe, "H", 0.0f, 0.0f);
    const float capAt100 = capital.getBoundingBox (0, -1, true).getHeight();
    const auto font = probe.withHeight (100.0f * capHeight / capAt100).withExtraKerningFactor (tracking);

    juce::GlyphArrangement line;
    line.addLineOfText (font, text, 0.0f, 0.0f);
    juce::Path p;
    line.createPath (p);

    const float width = line.getBoundingBox (0, -1, false).getWidth();
    float x = anchorX;
    if (justification.testFlags (juce::Justification::horizontallyCentred))
        x -= 0.5f * width;
    else if (justification.testFlags (juce::Justification::right))
        x -= width;
    p.applyTransform (juce::AffineTransform::translation (x, baseline));
    return p;
}

/** Fills a path as a print on the panel: a soft dark shadow under a clean face. */
inline void printed (juce::Graphics& g, const juce::Path& p, juce::Colour face, float shadowOffset = 0.8f,
                     float shadowAlpha = 0.55f)
{
    g.setColour (juce::Colours::black.withAlpha (shadowAlpha));
    g.fillPath (p, juce::AffineTransform::translation (0.0f, shadowOffset));
    g.setColour (face);
    g.fillPath (p);
}

/** A polished metal screw head with a cross slot. */
inline void screw (juce::Graphics& g, float cx, float cy, float r, float slotAngle)
{
    g.setColour (juce::Colours::black.withAlpha (0.45f));
    g.fillEllipse (cx - r + 0.5f, cy - r + 1.0f, 2.0f * r, 2.0f * r);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xfff4f4f0), cx - 0.5f * r, cy - 0.6f * r,
                                             juce::Colour (0xff6c6c68), cx + 0.6f * r, cy + 0.9f * r, true));
    g.fillEllipse (cx - r, cy - r, 2.0f * r, 2.0f * r);
    g.setColour (juce::Colour (0xff3a3a38).withAlpha (0.8f));
    g.drawEllipse (cx - r, cy - r, 2.0f * r, 2.0f * r, 0.06f * r + 0.3f);

    juce::Path slot;
    slot.addRectangle (-0.78f * r, -0.11f * r, 1.56f * r, 0.22f * r);
    slot.addRectangle (-0.11f * r, -0.78f * r, 0.22f * r, 1.56f * r);
    const auto place = juce::AffineTransform::rotation (slotAngle).translated (cx, cy);
    g.setColour (juce::Colours::white.withAlpha (0.5f));
    g.fillPath (slot, place.translated (0.0f, 0.08f * r));
    g.setColour (juce::Colour (0xff262624));
    g.fillPath (slot, place);
}

/** A regular hexagon, flat sides left and right when `angle` is 0. */
inline juce::Path hexagon (float cx, float cy, float r, float angle = 0.0f)
{
    juce::Path p;
    for (int i = 0; i < 6; ++i)
    {
        const float a = angle + juce::MathConstants<float>::pi / 3.0f * (float) i;
        const float x = cx + r * std::cos (a), y = cy + r * std::sin (a);
        if (i == 0)
            p.startNewSubPath (x, y);
        else
            p.lineTo (x, y);
    }
    p.closeSubPath();
    return p;
}

//==============================================================================
// The amplifier panel, 1943 x 1093, shown scaled to the 1300 x 730 window.
// Layout coordinates below are the window's, so the panel lines up with the
// controls the editor places on it.

namespace panel
{
constexpr int width = 1943, height = 1093;
constexpr float windowWidth = 1300.0f, windowHeight = 730.0f;

/** Grille cloth and control faceplate, in window coordinates. */
inline const juce::Rectangle<float> grille { 22.0f, 101.0f, 1256.0f, 298.0f };
inline const juce::Rectangle<float> faceplate { 22.0f, 406.0f, 1256.0f, 314.0f };
constexpr float grilleCorner = 10.0f, plateCorner = 7.0f;

inline const juce::Colour tolex { 0xffcdb68c };
inline const juce::Colour legend { 0xffeee3c8 };
inline const juce::Colour gold { 0xffc09a5b };

inline bool insideRounded (juce::Rectangle<float> r, float corner, float x, float y) noexcept
{
    if (! r.contains (x, y))
        return false;
    const float dx = std::max ({ r.getX() + corner - x, x - (r.getRight() - corner), 0.0f });
    const float dy = std::max ({ r.getY() + corner - y, y - (r.getBottom() - corner), 0.0f });
    return dx * dx + dy * dy <= corner * corner;
}

/** Blonde covering: a pebbled grain, embossed, over a faint mottle. */
inline juce::Colour tolexAt (int px, int py) noexcept
{
    const float x = (float) px, y = (float) py;
    const float grain = valueNoise (x * 0.42f, y * 0.42f, 11u);
    const float grainShifted = valueNoise ((x - 1.0f) * 0.42f, (y - 1.0f) * 0.42f, 11u);
    const float emboss = (grainShifted - grain) * 0.16f;
    const float mottle = fractalNoise (x * 0.012f, y * 0.012f, 3, 23u) * 0.10f;
    const float pores = random01 (px, py, 31u) < 0.05f ? -0.05f : 0.0f;
    return shade (tolex, emboss + mottle + pores);
}

/** Oxblood grille cloth: a two-over-two twill of dark warp and wheat weft. */
inline juce::Colour grilleAt (int px, int py) noexcept
{
    constexpr int pitch = 5;
    const int i = px / pitch, j = py / pitch;
    const float fx = (float) (px % pitch) / (float) pitch, fy = (float) (py % pitch) / (float) pitch;
    const bool warpOnTop = ((i + j) & 3) < 2;

    const juce::Colour warp (0xff4c1b19), weft (0xff8f5a3c);
    const float across = warpOnTop ? fx : fy;
    const float roundness = 1.0f - 4.0f * (across - 0.5f) * (across - 0.5f); // 0 at the thread's edges, 1 in the middle
    const int thread = warpOnTop ? i : j;
    const float threadTone = (random01 (thread, warpOnTop ? 1 : 2, 41u) - 0.5f) * 0.16f;
    auto c = warpOnTop ? warp : weft;
    if (! warpOnTop && random01 (thread, 7, 43u) < 0.18f)
        c = juce::Colour (0xffb98c55); // a lighter wheat thread now and then
    const float cloud = fractalNoise ((float) px * 0.004f, (float) py * 0.004f, 2, 47u) * 0.12f;
    return shade (c, (roundness - 0.6f) * 0.45f + threadTone + cloud);
}

/** Black faceplate with a fine horizontal brush. */
inline juce::Colour plateAt (int px, int py) noexcept
{
    const float streak = fractalNoise ((float) px * 0.004f, (float) py * 0.7f, 2, 61u);
    const float sheen = fractalNoise ((float) px * 0.0015f, (float) py * 0.004f, 2, 67u);
    return shade (juce::Colour (0xff1f1c1a), streak * 0.10f + sheen * 0.08f);
}

/** The textures, pixel by pixel, for the three areas. */
inline void paintTextures (juce::Image& image)
{
    const float sx = windowWidth / (float) width, sy = windowHeight / (float) height;
    juce::Image::BitmapData bits (image, juce::Image::BitmapData::writeOnly);
    for (int py = 0; py < height; ++py)
    {
        const float wy = ((float) py + 0.5f) * sy;
        for (int px = 0; px < width; ++px)
        {
            const float wx = ((float) px + 0.5f) * sx;
            juce::Colour c;
            if (insideRounded (faceplate, plateCorner, wx, wy))
                c = plateAt (px, py);
            else if (insideRounded (grille, grilleCorner, wx, wy))
                c = grilleAt (px, py);
            else
                c = tolexAt (px, py);
            bits.setPixelColour (px, py, c);
        }
    }
}

/** A welt of piping along a rounded outline: a cord lit from above. */
inline void piping (juce::Graphics& g, juce::Rectangle<float> r, float corner, float thickness)
{
    juce::Path cord;
    cord.addRoundedRectangle (r, corner);
    g.setColour (juce::Colours::black.withAlpha (0.45f));
    g.strokePath (cord, juce::PathStrokeType (thickness + 1.6f), juce::AffineTransform::translation (0.0f, 0.9f));
    g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xfff1e3bf), r.getY(), juce::Colour (0xffa88a56),
                                                       r.getBottom()));
    g.strokePath (cord, juce::PathStrokeType (thickness));
    g.setColour (juce::Colours::white.withAlpha (0.35f));
    g.strokePath (cord, juce::PathStrokeType (thickness * 0.3f), juce::AffineTransform::translation (-0.2f, -0.35f * thickness));
}

/** A recess in the covering: a darker well with a lit lower lip. */
inline void well (juce::Graphics& g, juce::Rectangle<float> r, float corner, juce::Colour fill)
{
    g.setColour (juce::Colours::white.withAlpha (0.28f));
    g.fillRoundedRectangle (r.translated (0.0f, 1.0f).expanded (0.6f), corner);
    g.setColour (juce::Colours::black.withAlpha (0.55f));
    g.fillRoundedRectangle (r.translated (0.0f, -0.8f).expanded (0.4f), corner);
    g.setColour (fill);
    g.fillRoundedRectangle (r, corner);
    g.setGradientFill (juce::ColourGradient::vertical (juce::Colours::black.withAlpha (0.5f), r.getY(),
                                                       juce::Colours::transparentBlack, r.getY() + 6.0f));
    g.fillRoundedRectangle (r, corner);
}

/** A thin printed rule with the legend colour. */
inline void rule (juce::Graphics& g, float x0, float y0, float x1, float y1)
{
    g.setColour (legend.withAlpha (0.4f));
    g.drawLine (x0, y0, x1, y1, 1.0f);
}

/** A title in the panel's capitals, centred on cx, with rules on both sides
    out to x0 and x1. */
inline void titleWithRules (juce::Graphics& g, const juce::String& text, float cx, float baseline, float x0, float x1)
{
    const auto p = textPath (legendFontFile, text, 8.0f, 0.22f, cx, baseline);
    printed (g, p, legend);
    const auto b = p.getBounds();
    const float ry = baseline - 4.0f;
    if (b.getX() - 8.0f > x0)
        rule (g, x0, ry, b.getX() - 8.0f, ry);
    if (b.getRight() + 8.0f < x1)
        rule (g, b.getRight() + 8.0f, ry, x1, ry);
}

inline void legendText (juce::Graphics& g, const juce::String& text, float capHeight, float anchorX, float baseline,
                        juce::Justification j = juce::Justification::horizontallyCentred, float tracking = 0.18f)
{
    printed (g, textPath (legendFontFile, text, capHeight, tracking, anchorX, baseline, j), legend);
}

/** The red jewel of the pilot lamp in its nickel bezel, glowing. */
inline void pilotLamp (juce::Graphics& g, float cx, float cy)
{
    g.setGradientFill (juce::ColourGradient (juce::Colour (0x90ff3018), cx, cy, juce::Colour (0x00ff3018), cx + 26.0f, cy,
                                             true));
    g.fillEllipse (cx - 26.0f, cy - 26.0f, 52.0f, 52.0f);
    g.setColour (juce::Colours::black.withAlpha (0.5f));
    g.fillEllipse (cx - 13.0f, cy - 12.0f, 26.0f, 27.0f);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xfff6f6f2), cx - 6.0f, cy - 12.0f, juce::Colour (0xff55554f),
                                             cx + 6.0f, cy + 12.0f, false));
    g.fillEllipse (cx - 12.5f, cy - 12.5f, 25.0f, 25.0f);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xffff7a50), cx - 2.0f, cy - 3.0f, juce::Colour (0xff8a0804),
                                             cx + 7.0f, cy + 8.0f, true));
    g.fillEllipse (cx - 9.0f, cy - 9.0f, 18.0f, 18.0f);
    // Facets of the jewel.
    for (int i = 0; i < 8; ++i)
    {
        const float a = juce::MathConstants<float>::twoPi * (float) i / 8.0f;
        g.setColour ((i % 2 == 0 ? juce::Colours::white : juce::Colour (0xff600000)).withAlpha (0.14f));
        juce::Path facet;
        facet.addTriangle (cx, cy, cx + 9.0f * std::cos (a), cy + 9.0f * std::sin (a),
                           cx + 9.0f * std::cos (a + 0.785f), cy + 9.0f * std::sin (a + 0.785f));
        g.fillPath (facet);
    }
    g.setColour (juce::Colours::white.withAlpha (0.85f));
    g.fillEllipse (cx - 5.0f, cy - 6.0f, 4.0f, 3.0f);
}

/** The vector layers over the textures: piping, bevels, wells and legends. */
inline void paintDetails (juce::Graphics& g)
{
    g.addTransform (juce::AffineTransform::scale ((float) width / windowWidth, (float) height / windowHeight));

    // Light falling from above: the top of the cabinet a touch brighter, the
    // bottom a touch darker.
    g.setGradientFill (juce::ColourGradient::vertical (juce::Colours::white.withAlpha (0.10f), 0.0f,
                                                       juce::Colours::transparentWhite, 40.0f));
    g.fillRect (0.0f, 0.0f, windowWidth, 40.0f);
    g.setGradientFill (juce::ColourGradient::vertical (juce::Colours::transparentBlack, 690.0f,
                                                       juce::Colours::black.withAlpha (0.25f), windowHeight));
    g.fillRect (0.0f, 690.0f, windowWidth, 40.0f);
    g.setGradientFill (juce::ColourGradient::horizontal (juce::Colours::black.withAlpha (0.22f), 0.0f,
                                                         juce::Colours::transparentBlack, 18.0f));
    g.fillRect (0.0f, 0.0f, 18.0f, windowHeight);
    g.setGradientFill (juce::ColourGradient::horizontal (juce::Colours::transparentBlack, windowWidth - 18.0f,
                                                         juce::Colours::black.withAlpha (0.22f), windowWidth));
    g.fillRect (windowWidth - 18.0f, 0.0f, 18.0f, windowHeight);

    // Grille: deeper towards its edges, framed by the cord.
    {
        juce::Path cloth;
        cloth.addRoundedRectangle (grille, grilleCorner);
        g.saveState();
        g.reduceClipRegion (cloth);
        const auto centre = grille.getCentre();
        g.setGradientFill (juce::ColourGradient (juce::Colours::transparentBlack, centre.x, centre.y,
                                                 juce::Colours::black.withAlpha (0.38f), grille.getX(), grille.getY(), true));
        g.fillRect (grille);
        g.setGradientFill (juce::ColourGradient::vertical (juce::Colours::black.withAlpha (0.45f), grille.getY(),
                                                           juce::Colours::transparentBlack, grille.getY() + 14.0f));
        g.fillRect (grille);
        g.restoreState();
        piping (g, grille, grilleCorner, 3.2f);
    }

    // Faceplate: a bevelled edge, a gold pinstripe and four screws.
    {
        const auto plate = faceplate;
        juce::Path outline;
        outline.addRoundedRectangle (plate, plateCorner);
        g.setColour (juce::Colours::black.withAlpha (0.5f));
        g.strokePath (outline, juce::PathStrokeType (2.2f), juce::AffineTransform::translation (0.0f, 1.2f));
        g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xff7b746a), plate.getY(),
                                                           juce::Colour (0xff141211), plate.getBottom()));
        g.strokePath (outline, juce::PathStrokeType (1.3f));

        juce::Path stripe;
        stripe.addRoundedRectangle (plate.reduced (6.0f), plateCorner - 3.0f);
        g.setColour (gold.withAlpha (0.85f));
        g.strokePath (stripe, juce::PathStrokeType (0.9f));

        const float left = plate.getX() + 13.0f, right = plate.getRight() - 13.0f;
        const float top = plate.getY() + 13.0f, bottom = plate.getBottom() - 13.0f;
        screw (g, left, top, 4.2f, 0.35f);
        screw (g, right, top, 4.2f, 1.1f);
        screw (g, left, bottom, 4.2f, 0.8f);
        screw (g, right, bottom, 4.2f, 0.15f);
    }

    // Top strip: wells behind the two meters and the pedalboard button, a
    // collar around the master volume.
    well (g, { 16.0f, 6.0f, 28.0f, 82.0f }, 3.0f, juce::Colour (0xff141210));
    well (g, { 1126.0f, 6.0f, 28.0f, 82.0f }, 3.0f, juce::Colour (0xff141210));
    well (g, { 55.0f, 18.0f, 106.0f, 60.0f }, 13.0f, juce::Colour (0xff2a2420));
    {
        const float cx = 1072.0f, cy = 48.0f;
        g.setColour (juce::Colours::black.withAlpha (0.35f));
        g.fillEllipse (cx - 41.5f, cy - 40.0f, 83.0f, 83.0f);
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xfffbf7ee), cx - 20.0f, cy - 38.0f,
                                                 juce::Colour (0xff7d715c), cx + 20.0f, cy + 40.0f, false));
        g.fillEllipse (cx - 41.0f, cy - 41.0f, 82.0f, 82.0f);
        g.setColour (juce::Colour (0xff3b302a));
        g.fillEllipse (cx - 39.0f, cy - 39.0f, 78.0f, 78.0f);
    }
    {
        const juce::Colour ink (0xff4b3062);
        g.setColour (ink);
        g.fillPath (textPath (legendFontFile, "IN", 6.0f, 0.2f, 30.0f, 95.5f));
        g.fillPath (textPath (legendFontFile, "OUT", 6.0f, 0.2f, 1140.0f, 95.5f));
    }

    // Faceplate legends, lined up with the controls above them.
    titleWithRules (g, "CLEAN CHANNEL", 350.0f, 437.0f, 206.0f, 494.0f);
    titleWithRules (g, "EQUALIZER", 610.0f, 437.0f, 508.0f, 712.0f);
    titleWithRules (g, "LEVEL", 810.0f, 437.0f, 764.0f, 856.0f);
    titleWithRules (g, "DRIVE CHANNEL", 350.0f, 703.0f, 206.0f, 494.0f);
    titleWithRules (g, "MASTER", 1001.0f, 503.0f, 866.0f, 1136.0f);

    legendText (g, "INPUT", 7.0f, 103.0f, 541.0f);
    legendText (g, "CHANNEL", 7.0f, 170.0f, 508.0f);
    legendText (g, "CABINET", 7.0f, 971.0f, 661.0f, juce::Justification::right);

    // Equaliser bands between the two rows of faders, each under its fader's track.
    const char* const bands[] = { "75", "240", "730", "2.2K", "6.5K" };
    for (int i = 0; i < 5; ++i)
        legendText (g, bands[i], 6.5f, 530.0f + 40.0f * (float) i, 576.0f, juce::Justification::horizontallyCentred, 0.08f);
    legendText (g, "HZ", 5.5f, 716.0f, 576.0f, juce::Justification::left, 0.1f);

    // Rules between the two channels and around the sections.
    rule (g, 206.0f, 559.0f, 494.0f, 559.0f);
    rule (g, 764.0f, 559.0f, 856.0f, 559.0f);
    rule (g, 500.0f, 448.0f, 500.0f, 704.0f);
    rule (g, 740.0f, 448.0f, 740.0f, 704.0f);
    rule (g, 860.0f, 448.0f, 860.0f, 704.0f);

    legendText (g, "BRINDLECREST  TWO CHANNEL VALVE AMPLIFIER", 5.5f, 1246.0f, 706.0f, juce::Justification::right, 0.25f);

    pilotLamp (g, 1212.0f, 548.0f);
}

inline juce::Image paint()
{
    juce::Image image (juce::Image::ARGB, width, height, true);
    paintTextures (image);
    juce::Graphics g (image);
    paintDetails (g);
    return image;
}
} // namespace panel

//==============================================================================
/** The "Brindlecrest" wordmark on a black enamel badge with a bright rim. */
inline juce::Image paintLogo()
{
    juce::Image image (juce::Image::ARGB, 160, 71, true);
    juce::Graphics g (image);

    const juce::Rectangle<float> badge (3.0f, 3.0f, 154.0f, 63.0f);
    g.setColour (juce::Colours::black.withAlpha (0.35f));
    g.fillRoundedRectangle (badge.translated (0.0f, 2.0f), 14.0f);
    g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xfff7f2e4), badge.getY(), juce::Colour (0xff8a7a58),
                                                       badge.getBottom()));
    g.fillRoundedRectangle (badge, 14.0f);
    const auto face = badge.reduced (2.6f);
    g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xff2c2622), face.getY(), juce::Colour (0xff0d0b0a),
                                                       face.getBottom()));
    g.fillRoundedRectangle (face, 11.5f);
    g.setColour (juce::Colour (0xffb8944f).withAlpha (0.8f));
    g.drawRoundedRectangle (face.reduced (2.6f), 9.0f, 0.8f);

    auto word = textPath (scriptFontFile, "Brindlecrest", 25.0f, 0.0f, 80.0f, 44.0f);
    // Fit the wordmark inside the badge with a little air either side.
    word.applyTransform (word.getTransformToScaleToFit (face.reduced (9.0f, 7.0f).withTrimmedBottom (6.0f), true));
    const auto b = word.getBounds();

    g.setColour (juce::Colours::black.withAlpha (0.8f));
    g.fillPath (word, juce::AffineTransform::translation (0.8f, 1.2f));
    g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xfffff1c2), b.getY(), juce::Colour (0xffc89a45),
                                                       b.getBottom()));
    g.fillPath (word);

    // A tapered swash under the word.
    juce::Path swash;
    const float y = b.getBottom() + 3.5f, x0 = b.getX() + 14.0f, x1 = b.getRight() - 6.0f;
    swash.startNewSubPath (x0, y + 0.5f);
    swash.quadraticTo (0.5f * (x0 + x1), y - 2.2f, x1, y - 1.0f);
    swash.quadraticTo (0.5f * (x0 + x1), y - 0.6f, x0, y + 0.5f);
    swash.closeSubPath();
    g.setColour (juce::Colour (0xffd6ad5c));
    g.fillPath (swash);

    // Gloss over the upper half of the enamel.
    g.setGradientFill (juce::ColourGradient::vertical (juce::Colours::white.withAlpha (0.16f), face.getY(),
                                                       juce::Colours::transparentWhite, face.getCentreY()));
    g.fillRoundedRectangle (face.withHeight (face.getHeight() * 0.5f), 11.5f);
    return image;
}

/** The input jack: a nickel hex nut and sleeve around a dark socket. */
inline juce::Image paintJack()
{
    juce::Image image (juce::Image::ARGB, 58, 60, true);
    juce::Graphics g (image);
    const float cx = 29.0f, cy = 29.0f;

    g.setColour (juce::Colours::black.withAlpha (0.45f));
    g.fillEllipse (cx - 26.0f, cy - 24.0f, 52.0f, 54.0f);

    const auto nut = hexagon (cx, cy, 26.0f, juce::MathConstants<float>::pi / 6.0f);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xfff8f8f4), cx - 14.0f, cy - 18.0f, juce::Colour (0xff5e5e5a),
                                             cx + 16.0f, cy + 22.0f, false));
    g.fillPath (nut);
    // Facets: each flat of the nut catches the light differently.
    for (int i = 0; i < 6; ++i)
    {
        const float a0 = juce::MathConstants<float>::pi / 6.0f + juce::MathConstants<float>::pi / 3.0f * (float) i;
        const float a1 = a0 + juce::MathConstants<float>::pi / 3.0f;
        juce::Path facet;
        facet.startNewSubPath (cx + 26.0f * std::cos (a0), cy + 26.0f * std::sin (a0));
        facet.lineTo (cx + 26.0f * std::cos (a1), cy + 26.0f * std::sin (a1));
        facet.lineTo (cx + 19.0f * std::cos (a1), cy + 19.0f * std::sin (a1));
        facet.lineTo (cx + 19.0f * std::cos (a0), cy + 19.0f * std::sin (a0));
        facet.closeSubPath();
        const float light = std::cos (0.5f * (a0 + a1) + 2.2f);
        g.setColour ((light > 0.0f ? juce::Colours::white : juce::Colours::black).withAlpha (std::abs (light) * 0.28f));
        g.fillPath (facet);
    }
    g.setColour (juce::Colour (0xff3c3c3a));
    g.strokePath (nut, juce::PathStrokeType (0.8f));

    // Washer, sleeve and socket.
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff5a5a56), cx, cy - 19.0f, juce::Colour (0xffe6e6e0), cx,
                                             cy + 19.0f, false));
    g.fillEllipse (cx - 18.5f, cy - 18.5f, 37.0f, 37.0f);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xfffdfdfb), cx - 6.0f, cy - 14.0f, juce::Colour (0xff77776f),
                                             cx + 6.0f, cy + 15.0f, false));
    g.fillEllipse (cx - 15.5f, cy - 15.5f, 31.0f, 31.0f);
    g.setColour (juce::Colour (0xff2e2e2c));
    g.drawEllipse (cx - 15.5f, cy - 15.5f, 31.0f, 31.0f, 0.8f);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff000000), cx, cy - 2.0f, juce::Colour (0xff3a3a38), cx,
                                             cy + 11.0f, true));
    g.fillEllipse (cx - 9.5f, cy - 9.5f, 19.0f, 19.0f);
    g.setColour (juce::Colours::white.withAlpha (0.35f));
    g.drawEllipse (cx - 9.5f, cy - 9.0f, 19.0f, 19.0f, 0.7f);
    return image;
}

/** The pedal's enclosure seen from above. Its face is left clear so that the
    pedal's own colour shows; the picture adds the bevelled edge, the gloss, a
    hammered finish, the screws and a dark band behind the pedal's name. The
    picture is shown stretched to 120, 150 or 180 by 280 pixels over a body
    that starts 8 pixels down and 3 in. */
inline juce::Image paintPedal()
{
    juce::Image image (juce::Image::ARGB, 300, 560, true);
    const juce::Rectangle<float> body (6.0f, 16.0f, 289.0f, 543.0f);
    constexpr float corner = 22.0f;

    // Hammered finish: soft light and dark dimples, see-through.
    {
        juce::Image::BitmapData bits (image, juce::Image::BitmapData::writeOnly);
        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
            {
                if (! panel::insideRounded (body.reduced (2.0f), corner, (float) x + 0.5f, (float) y + 0.5f))
                    continue;
                const float n = valueNoise ((float) x * 0.16f, (float) y * 0.16f, 71u)
                                - valueNoise ((float) x * 0.16f + 0.35f, (float) y * 0.16f + 0.35f, 71u);
                const float level = std::round (n * 10.0f) / 10.0f; // a few steps keep the file small
                bits.setPixelColour (x, y, (level > 0.0f ? juce::Colours::white : juce::Colours::black)
                                               .withAlpha (std::min (0.22f, std::abs (level) * 0.4f)));
            }
    }

    juce::Graphics g (image);
    juce::Path outline;
    outline.addRoundedRectangle (body, corner);

    // Gloss: the light falls on the upper left.
    g.saveState();
    g.reduceClipRegion (outline);
    g.setGradientFill (juce::ColourGradient (juce::Colours::white.withAlpha (0.30f), body.getX(), body.getY(),
                                             juce::Colours::transparentWhite, body.getCentreX(), body.getY() + 220.0f, false));
    g.fillRect (body);
    g.setGradientFill (juce::ColourGradient::vertical (juce::Colours::transparentBlack, body.getBottom() - 140.0f,
                                                       juce::Colours::black.withAlpha (0.25f), body.getBottom()));
    g.fillRect (body);
    g.restoreState();

    // Bevelled rim: bright along the top and left, dark along the bottom and right.
    g.setGradientFill (juce::ColourGradient (juce::Colours::white.withAlpha (0.75f), body.getX(), body.getY(),
                                             juce::Colours::black.withAlpha (0.7f), body.getRight(), body.getBottom(), false));
    g.strokePath (outline, juce::PathStrokeType (7.0f));
    g.setColour (juce::Colours::black.withAlpha (0.55f));
    g.strokePath (outline, juce::PathStrokeType (1.5f));
    juce::Path inner;
    inner.addRoundedRectangle (body.reduced (6.0f), corner - 6.0f);
    g.setColour (juce::Colours::black.withAlpha (0.28f));
    g.strokePath (inner, juce::PathStrokeType (1.6f));

    // The band behind the name (drawn by the pedal at 170 to 210 of 280).
    const juce::Rectangle<float> band (22.0f, 346.0f, 256.0f, 68.0f);
    g.setColour (juce::Colours::black.withAlpha (0.42f));
    g.fillRoundedRectangle (band, 10.0f);
    g.setColour (juce::Colours::white.withAlpha (0.35f));
    g.drawRoundedRectangle (band.translated (0.0f, 1.5f), 10.0f, 1.4f);
    g.setColour (juce::Colours::black.withAlpha (0.5f));
    g.drawRoundedRectangle (band, 10.0f, 1.4f);

    screw (g, 26.0f, 38.0f, 8.0f, 0.3f);
    screw (g, 274.0f, 38.0f, 8.0f, 1.2f);
    screw (g, 26.0f, 536.0f, 8.0f, 0.9f);
    screw (g, 274.0f, 536.0f, 8.0f, 0.1f);
    return image;
}

/** The footswitch: a status lamp over a nickel stomp button. The two
    pictures differ only in the lamp. */
inline juce::Image paintFootswitch (bool on)
{
    juce::Image image (juce::Image::ARGB, 75, 100, true);
    juce::Graphics g (image);

    // Lamp.
    const float lx = 37.5f, ly = 14.0f;
    if (on)
    {
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xb0ff3a22), lx, ly, juce::Colour (0x00ff2010), lx + 14.0f,
                                                 ly, true));
        g.fillEllipse (lx - 14.0f, ly - 14.0f, 28.0f, 28.0f);
    }
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xffd8d8d2), lx, ly - 8.0f, juce::Colour (0xff55554f), lx,
                                             ly + 8.0f, false));
    g.fillEllipse (lx - 8.0f, ly - 8.0f, 16.0f, 16.0f);
    g.setGradientFill (on ? juce::ColourGradient (juce::Colour (0xffffd9c8), lx - 1.5f, ly - 2.0f, juce::Colour (0xffe0160c),
                                                  lx + 4.0f, ly + 5.0f, true)
                          : juce::ColourGradient (juce::Colour (0xff7a2a24), lx - 1.5f, ly - 2.0f, juce::Colour (0xff2a0806),
                                                  lx + 4.0f, ly + 5.0f, true));
    g.fillEllipse (lx - 6.0f, ly - 6.0f, 12.0f, 12.0f);
    g.setColour (juce::Colours::white.withAlpha (on ? 0.85f : 0.45f));
    g.fillEllipse (lx - 3.6f, ly - 4.2f, 3.4f, 2.4f);

    // Switch: a hex nut with the round button on top.
    const float cx = 37.5f, cy = 64.0f;
    g.setColour (juce::Colours::black.withAlpha (0.45f));
    g.fillEllipse (cx - 31.0f, cy - 28.0f, 62.0f, 64.0f);
    const auto nut = hexagon (cx, cy, 31.0f);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xffeeeeea), cx - 18.0f, cy - 24.0f, juce::Colour (0xff4e4e4a),
                                             cx + 18.0f, cy + 28.0f, false));
    g.fillPath (nut);
    g.setColour (juce::Colour (0xff30302e));
    g.strokePath (nut, juce::PathStrokeType (1.0f));
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff454541), cx, cy - 22.0f, juce::Colour (0xffd0d0ca), cx,
                                             cy + 22.0f, false));
    g.fillEllipse (cx - 22.0f, cy - 22.0f, 44.0f, 44.0f);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xffffffff), cx - 8.0f, cy - 12.0f, juce::Colour (0xff73736d),
                                             cx + 10.0f, cy + 16.0f, true));
    g.fillEllipse (cx - 17.0f, cy - 17.0f, 34.0f, 34.0f);
    g.setColour (juce::Colour (0xff3a3a38).withAlpha (0.7f));
    g.drawEllipse (cx - 17.0f, cy - 17.0f, 34.0f, 34.0f, 1.0f);
    g.setColour (juce::Colours::black.withAlpha (0.18f));
    g.drawEllipse (cx - 11.0f, cy - 11.0f, 22.0f, 22.0f, 1.2f);
    g.setColour (juce::Colours::white.withAlpha (0.5f));
    g.drawEllipse (cx - 11.0f, cy - 10.0f, 22.0f, 22.0f, 0.8f);
    return image;
}

/** A bat-handle toggle switch: a nickel nut with the lever thrown up or down. */
inline juce::Image paintLever (bool up)
{
    juce::Image image (juce::Image::ARGB, 52, 52, true);
    juce::Graphics g (image);
    const float cx = 26.0f, cy = 26.0f;

    g.setColour (juce::Colours::black.withAlpha (0.45f));
    g.fillEllipse (cx - 15.5f, cy - 14.0f, 31.0f, 31.0f);
    const auto nut = hexagon (cx, cy, 15.5f);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xfff2f2ee), cx - 9.0f, cy - 12.0f, juce::Colour (0xff50504c),
                                             cx + 9.0f, cy + 13.0f, false));
    g.fillPath (nut);
    g.setColour (juce::Colour (0xff30302e));
    g.strokePath (nut, juce::PathStrokeType (0.8f));
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff4a4a46), cx, cy - 10.0f, juce::Colour (0xffdeded8), cx,
                                             cy + 10.0f, false));
    g.fillEllipse (cx - 10.0f, cy - 10.0f, 20.0f, 20.0f);
    g.setColour (juce::Colour (0xff161614));
    g.fillEllipse (cx - 5.5f, cy - 5.5f, 11.0f, 11.0f);

    // The lever, widening from its pivot to a rounded tip.
    const float dir = up ? -1.0f : 1.0f;
    const float tipY = cy + dir * 22.0f;
    juce::Path lever;
    lever.startNewSubPath (cx - 3.2f, cy);
    lever.lineTo (cx - 4.6f, tipY - dir * 3.0f);
    lever.quadraticTo (cx, tipY + dir * 2.2f, cx + 4.6f, tipY - dir * 3.0f);
    lever.lineTo (cx + 3.2f, cy);
    lever.closeSubPath();
    g.setColour (juce::Colours::black.withAlpha (0.45f));
    g.fillPath (lever, juce::AffineTransform::translation (1.6f, 2.2f));
    g.setGradientFill (juce::ColourGradient::horizontal (juce::Colour (0xff8c8c86), cx - 4.6f, juce::Colour (0xff6a6a64),
                                                         cx + 4.6f));
    g.fillPath (lever);
    g.setGradientFill (juce::ColourGradient::horizontal (juce::Colours::white.withAlpha (0.0f), cx - 4.0f,
                                                         juce::Colours::white.withAlpha (0.95f), cx - 0.8f));
    g.fillPath (lever, juce::AffineTransform::scale (0.55f, 1.0f, cx - 1.0f, cy));
    g.setColour (juce::Colour (0xff2c2c2a));
    g.strokePath (lever, juce::PathStrokeType (0.7f));
    // The tip catches the light.
    g.setColour (juce::Colours::white.withAlpha (0.8f));
    g.fillEllipse (cx - 2.4f, tipY - (up ? 0.4f : 3.4f), 4.0f, 2.6f);
    return image;
}

/** The fader cap: brushed aluminium with grip ridges and a black index line. */
inline juce::Image paintFaderThumb()
{
    juce::Image image (juce::Image::ARGB, 57, 102, true);
    juce::Graphics g (image);
    const juce::Rectangle<float> cap (3.0f, 1.0f, 51.0f, 100.0f);

    g.setGradientFill (juce::ColourGradient::horizontal (juce::Colour (0xff8e8e88), cap.getX(), juce::Colour (0xff6a6a64),
                                                         cap.getRight()));
    g.fillRoundedRectangle (cap, 7.0f);
    const auto top = cap.reduced (3.0f);
    g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xfff4f4f0), top.getY(), juce::Colour (0xffa8a8a2),
                                                       top.getBottom()));
    g.fillRoundedRectangle (top, 5.0f);
    for (int i = 0; i < 5; ++i)
    {
        const float dy = 9.0f + 7.0f * (float) i;
        for (float y : { cap.getCentreY() - dy, cap.getCentreY() + dy - 2.0f })
        {
            g.setColour (juce::Colours::black.withAlpha (0.28f));
            g.fillRect (top.getX() + 3.0f, y, top.getWidth() - 6.0f, 2.0f);
            g.setColour (juce::Colours::white.withAlpha (0.55f));
            g.fillRect (top.getX() + 3.0f, y + 2.0f, top.getWidth() - 6.0f, 1.0f);
        }
    }
    g.setColour (juce::Colour (0xff101010));
    g.fillRect (cap.getX(), cap.getCentreY() - 3.5f, cap.getWidth(), 7.0f);
    g.setColour (juce::Colour (0xff2e2e2c));
    g.drawRoundedRectangle (cap.reduced (0.4f), 7.0f, 1.0f);
    return image;
}

//==============================================================================
/** One picture of the window: its file in resources/, its size and its painter. */
struct Picture
{
    const char* file;
    int width, height;
    std::function<juce::Image()> paint;
};

/** Every picture, in the order the generator writes them. */
inline const std::vector<Picture>& pictures()
{
    static const std::vector<Picture> all {
        { "UI_fond.png", panel::width, panel::height, panel::paint },
        { "jack.png", 58, 60, paintJack },
        { "UI_logo2.png", 160, 71, paintLogo },
        { "UI_pedales.png", 300, 560, paintPedal },
        { "UI_pedale_on.png", 75, 100, [] { return paintFootswitch (true); } },
        { "UI_pedale_off.png", 75, 100, [] { return paintFootswitch (false); } },
        { "NewComponent_tsup.png", 52, 52, [] { return paintLever (true); } },
        { "NewComponent_tsdown.png", 52, 52, [] { return paintLever (false); } },
        { "keyGuiComponent_vsb.png", 57, 102, paintFaderThumb },
    };
    return all;
}

/** The picture as a PNG file's bytes. */
inline juce::MemoryBlock encodePng (const juce::Image& image)
{
    juce::MemoryOutputStream out;
    juce::PNGImageFormat().writeImageToStream (image, out);
    return out.getMemoryBlock();
}
} // namespace artwork
