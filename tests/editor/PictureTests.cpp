// The built-in pictures: what they decode to, and that the painters still
// produce them.

#include "resources/Resources.h"
#include "tools/artwork/Artwork.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
struct PictureCase
{
    const char* file;
    const char* const& data;
    const int& size;
    int width, height;
};

void PrintTo (const PictureCase& c, std::ostream* os) { *os << c.file; }

const PictureCase pictureCases[] = {
    { "UI_fond.png", resource_UI_fond_png, resource_UI_fond_pngSize, 1943, 1093 },
    { "jack.png", resource_jack_png, resource_jack_pngSize, 58, 60 },
    { "UI_logo2.png", resource_UI_logo2_png, resource_UI_logo2_pngSize, 160, 71 },
    { "UI_pedales.png", resource_UI_pedales_png, resource_UI_pedales_pngSize, 300, 560 },
    { "UI_pedale_on.png", resource_UI_pedale_on_png, resource_UI_pedale_on_pngSize, 75, 100 },
    { "UI_pedale_off.png", resource_UI_pedale_off_png, resource_UI_pedale_off_pngSize, 75, 100 },
    { "NewComponent_tsup.png", resource_NewComponent_tsup_png, resource_NewComponent_tsup_pngSize, 52, 52 },
    { "NewComponent_tsdown.png", resource_NewComponent_tsdown_png, resource_NewComponent_tsdown_pngSize, 52, 52 },
    { "keyGuiComponent_vsb.png", resource_keyGuiComponent_vsb_png, resource_keyGuiComponent_vsb_pngSize, 57, 102 },
};

class Picture : public testing::TestWithParam<PictureCase>
{
};

TEST_P (Picture, IsAnRgbaPngThatDecodesAtItsSize)
{
    const auto& c = GetParam();
    ASSERT_GT (c.size, 33);
    const auto* bytes = reinterpret_cast<const unsigned char*> (c.data);
    // Header chunk: 8-bit depth, colour type 6 (RGBA), not interlaced.
    EXPECT_EQ (std::memcmp (bytes + 12, "IHDR", 4), 0);
    EXPECT_EQ (bytes[24], 8);
    EXPECT_EQ (bytes[25], 6);
    EXPECT_EQ (bytes[28], 0);

    const auto image = juce::ImageCache::getFromMemory (c.data, c.size);
    ASSERT_TRUE (image.isValid());
    EXPECT_EQ (image.getWidth(), c.width);
    EXPECT_EQ (image.getHeight(), c.height);
    EXPECT_TRUE (image.hasAlphaChannel());
}

/** Repainting gives the very pixels that are built in (the encoder may
    write other bytes for them, so the decoded pixels are compared). */
TEST_P (Picture, IsWhatThePainterProduces)
{
    const auto& c = GetParam();
    ASSERT_TRUE (artwork::fontsAvailable()) << "the fonts-urw-base35 package is missing";

    const artwork::Picture* painter = nullptr;
    for (const auto& p : artwork::pictures())
        if (juce::String (p.file) == c.file)
            painter = &p;
    ASSERT_NE (painter, nullptr);

    const auto png = artwork::encodePng (painter->paint());
    const auto fresh = juce::ImageFileFormat::loadFrom (png.getData(), png.getSize());
    const auto builtIn = juce::ImageFileFormat::loadFrom (c.data, (size_t) c.size);
    ASSERT_EQ (fresh.getBounds(), builtIn.getBounds());

    const juce::Image::BitmapData a (fresh, juce::Image::BitmapData::readOnly);
    const juce::Image::BitmapData b (builtIn, juce::Image::BitmapData::readOnly);
    int differing = 0;
    for (int y = 0; y < a.height; ++y)
        differing += std::memcmp (a.getLinePointer (y), b.getLinePointer (y), (size_t) (a.width * a.pixelStride)) != 0 ? 1 : 0;
    EXPECT_EQ (differing, 0) << "rows differ: run tools/artwork/check.sh --write and commit the pictures";
}

INSTANTIATE_TEST_SUITE_P (BuiltIn, Picture, testing::ValuesIn (pictureCases),
                          [] (const testing::TestParamInfo<PictureCase>& param)
                          {
                              return juce::File::createLegalFileName (param.param.file).replaceCharacter ('.', '_')
                                  .toStdString();
                          });

TEST (Pictures, TheTwoLogoNamesShareOnePicture)
{
    EXPECT_EQ (resource_UI_logo2sm_png, resource_UI_logo2_png);
    EXPECT_EQ (resource_UI_logo2sm_pngSize, resource_UI_logo2_pngSize);
}

TEST (Pictures, ThePedalBodyIsClearWhereThePedalsColourShows)
{
    const auto body = juce::ImageCache::getFromMemory (resource_UI_pedales_png, resource_UI_pedales_pngSize);
    ASSERT_TRUE (body.isValid());
    // Mostly see-through in the middle of the face, solid along the rim.
    EXPECT_LT (body.getPixelAt (150, 250).getAlpha(), 100);
    EXPECT_LT (body.getPixelAt (150, 480).getAlpha(), 100);
    EXPECT_GT (body.getPixelAt (8, 280).getAlpha(), 150);
    // Clear outside the body, where the pedal's own drop shadow shows.
    EXPECT_EQ (body.getPixelAt (150, 4).getAlpha(), 0);
}
} // namespace
