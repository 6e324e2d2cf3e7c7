#include "gfx/ImageDecoder.h"
#include "gfx/FakeRenderDevice.h"
#include "gfx/GfxTestSupport.h"
#include "gfx/TextureRegistry.h"

#include <png.h>

#include <cstdlib>
#include <random>

namespace pestrol::test {
namespace {

const std::vector<Colour> kSix
    = { 0xFFFF0000, 0x8000FF00, 0x000000FF, 0xFF808080, 0xFFFFFFFF, 0x40102030 };

Colour GreyOf(Colour c, std::uint8_t alpha)
{
    const auto g = static_cast<std::uint8_t>((RedOf(c) + GreenOf(c) + BlueOf(c)) / 3);
    return MakeColour(alpha, g, g, g);
}

TEST(PngDecoder, GivesFourBytesPerPixelForEveryColourType)
{
    struct Case {
        const char* what;
        int colourType;
        int bitDepth;
        std::vector<Colour> expected;
    };
    std::vector<Colour> opaque, grey, greyAlpha;
    for (Colour c : kSix) {
        opaque.push_back(c | 0xFF000000);
        grey.push_back(GreyOf(c, 0xFF));
        greyAlpha.push_back(GreyOf(c, AlphaOf(c)));
    }
    const Case cases[] = {
        { "RGBA", PNG_COLOR_TYPE_RGB_ALPHA, 8, kSix },
        { "RGBA 16-bit", PNG_COLOR_TYPE_RGB_ALPHA, 16, kSix },
        { "RGB", PNG_COLOR_TYPE_RGB, 8, opaque },
        { "RGB 16-bit", PNG_COLOR_TYPE_RGB, 16, opaque },
        { "palette with transparency", PNG_COLOR_TYPE_PALETTE, 8, kSix },
        { "grey", PNG_COLOR_TYPE_GRAY, 8, grey },
        { "grey 16-bit", PNG_COLOR_TYPE_GRAY, 16, grey },
        { "grey with alpha", PNG_COLOR_TYPE_GRAY_ALPHA, 8, greyAlpha },
    };
    for (const Case& c : cases) {
        PngOptions options;
        options.colourType = c.colourType;
        options.bitDepth = c.bitDepth;
        const auto image = DecodePng(MakePng(3, 2, kSix, options));
        ASSERT_TRUE(image) << c.what;
        EXPECT_EQ(image->width, 3) << c.what;
        EXPECT_EQ(image->height, 2) << c.what;
        EXPECT_EQ(image->pixels, c.expected) << c.what;
    }
}

TEST(PngDecoder, TurnsTheTransparentGreyOfTrnsIntoAlpha)
{
    PngOptions options;
    options.colourType = PNG_COLOR_TYPE_GRAY;
    options.transparentGrey = 0x80;
    const auto image = DecodePng(MakePng(2, 1, { 0xFF808080, 0xFF404040 }, options));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels, (std::vector<Colour> { 0x00808080, 0xFF404040 }));
}

TEST(PngDecoder, CorrectsGammaForAScreenOf2_2)
{
    struct Case {
        double fileGamma;
        std::uint8_t expected;
    };
    const Case cases[] = { { 1 / 2.2, 0x80 }, { 1.0, 186 } };
    for (const Case& c : cases) {
        PngOptions options;
        options.gamma = c.fileGamma;
        const auto image = DecodePng(MakePng(1, 1, { 0xFF808080 }, options));
        ASSERT_TRUE(image);
        EXPECT_NEAR(RedOf(image->pixels[0]), c.expected, 1) << c.fileGamma;
        EXPECT_EQ(AlphaOf(image->pixels[0]), 0xFF);
    }
}

TEST(PngDecoder, CompositesOntoTheBackgroundOfBkgd)
{
    PngOptions options;
    options.background = 0xFFFF0000;
    const auto image = DecodePng(MakePng(3, 1, { 0x000000FF, 0xFF00FF00, 0x800000FF }, options));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels[0], 0xFFFF0000u);
    EXPECT_EQ(image->pixels[1], 0xFF00FF00u);
    EXPECT_NEAR(RedOf(image->pixels[2]), 0x7F, 1);
    EXPECT_NEAR(BlueOf(image->pixels[2]), 0x80, 1);
    EXPECT_EQ(AlphaOf(image->pixels[2]), 0xFF);
}

TEST(JpegDecoder, DecodesColourAndGreyAsOpaquePixels)
{
    const auto colour = DecodeJpeg(MakeJpeg(16, 8, Solid(16, 8, 0xFF2080C0)));
    ASSERT_TRUE(colour);
    EXPECT_EQ(colour->width, 16);
    EXPECT_EQ(colour->height, 8);
    EXPECT_NEAR(RedOf(colour->pixels[5]), 0x20, 3);
    EXPECT_NEAR(GreenOf(colour->pixels[5]), 0x80, 3);
    EXPECT_NEAR(BlueOf(colour->pixels[5]), 0xC0, 3);
    EXPECT_EQ(AlphaOf(colour->pixels[5]), 0xFF);

    const auto grey = DecodeImage(MakeJpeg(8, 8, Solid(8, 8, 0xFF606060), true));
    ASSERT_TRUE(grey);
    EXPECT_NEAR(RedOf(grey->pixels[0]), 0x60, 2);
    EXPECT_EQ(RedOf(grey->pixels[0]), BlueOf(grey->pixels[0]));
}

// A PNG that claims 20000 x 20000 pixels: refused before its pixels would be allocated.
std::vector<std::uint8_t> HugePng()
{
    std::vector<std::uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, png_size_t length) {
            auto* o = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(p));
            o->insert(o->end(), data, data + length);
        },
        nullptr);
    png_set_IHDR(png, info, 20000, 20000, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
        PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_destroy_write_struct(&png, &info);
    const std::uint8_t iend[] = { 0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82 };
    out.insert(out.end(), std::begin(iend), std::end(iend));
    return out;
}

std::vector<std::uint8_t> Cut(std::vector<std::uint8_t> bytes, std::size_t length)
{
    bytes.resize(std::min(length, bytes.size()));
    return bytes;
}

std::vector<std::uint8_t> Flip(std::vector<std::uint8_t> bytes, std::size_t at)
{
    bytes[at % bytes.size()] ^= 0x5A;
    return bytes;
}

TEST(ImageDecoder, RefusesDamagedData)
{
    const auto png = MakePng(16, 16, Solid(16, 16, 0xFF336699));
    const auto jpeg = MakeJpeg(16, 16, Solid(16, 16, 0xFF336699));
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
    };
    const Case cases[] = {
        { "empty", {} },
        { "PNG signature only", Cut(png, 8) },
        { "PNG cut in its header", Cut(png, 20) },
        { "PNG cut in its pixels", Cut(png, png.size() / 2) },
        { "PNG without its end", Cut(png, png.size() - 12) },
        { "PNG with a damaged pixel chunk", Flip(png, png.size() - 20) },
        { "PNG with a damaged header", Flip(png, 18) },
        { "PNG of 20000 x 20000", HugePng() },
        { "JPEG cut after its header", Cut(jpeg, 200) },
        { "JPEG cut short", Cut(jpeg, jpeg.size() - 40) },
        { "JPEG without its start marker", Flip(jpeg, 1) },
        { "text", { 'h', 'e', 'l', 'l', 'o' } },
    };
    for (const Case& c : cases)
        EXPECT_FALSE(DecodeImage(c.bytes)) << c.what;

    TextureRegistry registry(std::make_unique<FakeRenderDevice>(8));
    for (const Case& c : cases)
        EXPECT_EQ(registry.RegisterImage(L"bad", c.bytes.data(), c.bytes.size()), 0u) << c.what;
    EXPECT_EQ(registry.RegisterImage(L"bad", nullptr, 100), 0u);
    EXPECT_EQ(registry.SlotCount(), 0u);
}

// Random damage of every kind must end in a picture of consistent size or in nothing.
TEST(ImageDecoder, SurvivesRandomlyDamagedData)
{
    PngOptions options;
    options.gamma = 0.45455;
    const std::vector<std::vector<std::uint8_t>> seeds = {
        MakePng(24, 12, Solid(24, 12, 0x80FF8000), options),
        MakeJpeg(24, 12, Solid(24, 12, 0xFF0080FF)),
    };
    std::mt19937 random(517);
    int decoded = 0;
    for (int round = 0; round < 600; ++round) {
        auto bytes = seeds[round % 2];
        const int damage = 1 + int(random() % 4);
        for (int i = 0; i < damage; ++i)
            bytes[8 + random() % (bytes.size() - 8)] = static_cast<std::uint8_t>(random());
        if (random() % 3 == 0)
            bytes.resize(random() % bytes.size());
        if (auto image = DecodeImage(bytes)) {
            ++decoded;
            ASSERT_LE(image->width, kMaxImageSide);
            ASSERT_EQ(image->pixels.size(), std::size_t(image->width) * image->height);
        }
    }
    RecordProperty("decoded", decoded);
}

} // namespace
} // namespace pestrol::test
