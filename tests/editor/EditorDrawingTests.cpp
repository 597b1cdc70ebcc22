// The window and its small components, checked on rendered pixels, drawn
// offscreen without a display.

#include "Drawing.h"
#include "EditorFixture.h"

#include "resources/Resources.h"

using namespace editortest;

namespace
{
juce::Image renderWindow (BrindlecrestAudioProcessorEditor& e)
{
    e.timerCallback();
    return e.createComponentSnapshot (e.getLocalBounds());
}

bool isWhitesmoke (juce::Colour c) { return c.getRed() > 235 && c.getGreen() > 235 && c.getBlue() > 235; }

/** True where the colour is close to `target`. */
bool near (juce::Colour c, juce::Colour target, int tolerance = 40)
{
    return std::abs (c.getRed() - target.getRed()) < tolerance && std::abs (c.getGreen() - target.getGreen()) < tolerance
           && std::abs (c.getBlue() - target.getBlue()) < tolerance;
}
} // namespace

TEST (EditorDrawing, TheWindowShowsThePanelJackAndVersionWithItsShadow)
{
    OpenEditor open;
    const auto image = renderWindow (*open.editor);

    // The panel picture covers the window: no pixel keeps the plain fill.
    const auto fill = open.editor->getLookAndFeel().findColour (juce::ResizableWindow::backgroundColourId);
    EXPECT_LT (drawing::countWhere (image, image.getBounds(), [&] (juce::Colour c) { return c == fill; }), 100);

    // "V1.0.1" in whitesmoke over a dark copy two pixels down and right.
    const juce::Rectangle<int> text (950, 410, 130, 20);
    EXPECT_GT (drawing::countWhere (image, text, isWhitesmoke), 40);
    int shadowed = 0, lit = 0;
    for (int y = text.getY(); y < text.getBottom(); ++y)
        for (int x = text.getX(); x < text.getRight(); ++x)
            if (isWhitesmoke (image.getPixelAt (x, y)) && ! isWhitesmoke (image.getPixelAt (x + 2, y + 2)))
            {
                ++lit;
                shadowed += near (image.getPixelAt (x + 2, y + 2), juce::Colours::darkgrey) ? 1 : 0;
            }
    EXPECT_GT (shadowed, lit / 3);

    // The jack is drawn at its size over the panel: its picture differs from the panel around it.
    const auto withoutJack = juce::ImageCache::getFromMemory (resource_UI_fond_png, resource_UI_fond_pngSize)
                                 .rescaled (1300, 730, juce::Graphics::highResamplingQuality);
    int changed = 0;
    for (int y = 546; y < 546 + 48; ++y)
        for (int x = 80; x < 80 + 46; ++x)
            changed += near (image.getPixelAt (x, y), withoutJack.getPixelAt (x, y), 12) ? 0 : 1;
    EXPECT_GT (changed, 46 * 48 / 3);
}

TEST (EditorDrawing, ThePedalboardShowsEachPedalInItsColourOnItsRow)
{
    OpenEditor open ([] (BrindlecrestAudioProcessor& p) { hostSets (p, "pedalboard", 1.0f); });
    const auto shown = renderWindow (*open.editor);

    // The middle of each pedal body, in window coordinates, by default place.
    struct Place
    {
        int pedal, x, width, rowX;
    };
    const Place places[] = { { 0, 25, 150, 0 }, { 2, 195, 120, 0 }, { 4, 335, 180, 0 }, { 1, 25, 150, 655 }, { 3, 195, 150, 655 } };
    for (const auto& place : places)
    {
        const auto body = PedalComponent::bodyColour ((int) open.processor->pedals[place.pedal].kind);
        const juce::Rectangle<int> area (place.rowX + place.x + 10, 95 + 5 + 60, place.width - 20, 120);
        const int matching = drawing::countWhere (shown, area, [&] (juce::Colour c) { return near (c, body, 70); });
        EXPECT_GT (matching, area.getWidth() * area.getHeight() / 4) << "pedal " << place.pedal;
    }

    // Hidden again, the band above the amplifier is the panel picture.
    hostSets (*open.processor, "pedalboard", 0.0f);
    const auto hidden = renderWindow (*open.editor);
    const juce::Rectangle<int> band (0, 95, 1300, 350);
    EXPECT_EQ (drawing::countWhere (hidden, band, [] (juce::Colour c) { return near (c, juce::Colours::blue, 70); }), 0);
}

//==============================================================================
namespace
{
/** A pedal picture that is clear everywhere, so the body shows unmixed. */
const juce::MemoryBlock& clearPicture() { return drawing::solidPng (juce::Colours::transparentBlack, 300, 560); }

class PedalBodyColour : public testing::TestWithParam<int>
{
};
} // namespace

TEST_P (PedalBodyColour, FollowsTheKindWithTheNameInWhiteAndNothingAboveTheBody)
{
    const int kind = GetParam();
    const juce::Colour expected[] = { juce::Colours::blue, juce::Colours::purple, juce::Colours::darkgoldenrod,
                                      juce::Colours::darkgreen, juce::Colours::darkgrey };
    auto pedal = std::make_unique<Pedal>();
    pedal->init ((Pedal_type) kind);

    PedalComponent view (clearPicture().getData(), (int) clearPicture().getSize());
    view.setPedal (pedal.get());
    view.setBounds (0, 0, 120, 320);
    const auto image = drawing::render (120, 320, [&] (juce::Graphics& g) { view.paintEntireComponent (g, true); });

    EXPECT_EQ (image.getPixelAt (60, 150), expected[kind]);
    EXPECT_EQ (image.getPixelAt (60, 300), expected[kind]);
    // The strip for the arrows stays clear.
    EXPECT_EQ (drawing::countWhere (image, { 0, 0, 120, 40 }, [] (juce::Colour c) { return c.getAlpha() > 0; }), 0);
    // The name, in white, within its band.
    const auto white = [] (juce::Colour c) { return c.getRed() > 200 && c.getGreen() > 200 && c.getBlue() > 200; };
    const auto rows = drawing::rowsWhere (image, white);
    EXPECT_GE (rows.first, 210);
    EXPECT_LT (rows.last, 250);
}

INSTANTIATE_TEST_SUITE_P (Kinds, PedalBodyColour, testing::Range (0, 5));

TEST (SmallComponents, APedalPictureThatDoesNotDecodeLeavesTheBodyAndName)
{
    auto pedal = std::make_unique<Pedal>();
    pedal->init (pedalDelay);
    PedalComponent view (drawing::brokenPng().getData(), (int) drawing::brokenPng().getSize());
    view.setPedal (pedal.get());
    view.setBounds (0, 0, 150, 320);
    const auto image = drawing::render (150, 320, [&] (juce::Graphics& g) { view.paintEntireComponent (g, true); });
    EXPECT_EQ (image.getPixelAt (75, 150), juce::Colours::darkgreen);
    EXPECT_GT (drawing::countWhere (image, { 0, 210, 150, 40 }, [] (juce::Colour c) { return c.getRed() > 200; }), 20);
}

TEST (SmallComponents, ACaptionReadsDownItsColumnOneLetterPerLine)
{
    titleComponent title;
    title.setComponentID ("S E N D");
    title.setBounds (0, 0, 25, 350);
    const auto image = drawing::render (25, 350, [&] (juce::Graphics& g) { title.paintEntireComponent (g, true); });

    // Count the separate bands of inked rows: one per letter.
    int bands = 0;
    bool inBand = false;
    for (int y = 0; y < image.getHeight(); ++y)
    {
        bool inked = false;
        for (int x = 0; x < image.getWidth() && ! inked; ++x)
            inked = image.getPixelAt (x, y).getAlpha() > 100;
        bands += inked && ! inBand ? 1 : 0;
        inBand = inked;
    }
    EXPECT_EQ (bands, 4);
    // Translucent white.
    const auto columns = drawing::columnsWhere (image, [] (juce::Colour c) { return c.getAlpha() > 150; });
    EXPECT_GE (columns.first, 0);
    EXPECT_LT (columns.last, 25);
}

TEST (SmallComponents, BothPedalRowsDarkenWhatIsBehindThemByHalf)
{
    PedalBoardComponent board;
    PedalLoopComponent loop;
    for (juce::Component* row : { static_cast<juce::Component*> (&board), static_cast<juce::Component*> (&loop) })
    {
        row->setBounds (0, 0, 200, 100);
        const auto image = drawing::render (200, 100, [&] (juce::Graphics& g) { row->paintEntireComponent (g, true); },
                                            juce::Colours::white);
        EXPECT_TRUE (near (image.getPixelAt (100, 50), juce::Colour (0xff7f7f7f), 3)) << image.getPixelAt (100, 50).toString();
        EXPECT_TRUE (near (image.getPixelAt (199, 50), juce::Colour (0xff7f7f7f), 3));
    }
}
