// The skin pictures the program carries, read back with libpng exactly as they are
// embedded: every one present, in registration order, of the size and pixel format the
// toolkit lays out with, and without chunks that would make the decoder change colours.
#include "assets/DefaultSkin.h"
#include "platform/ResourceLibrary.h"

#include <gtest/gtest.h>

#include <png.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <string>
#include <vector>

namespace pestrol {
namespace {

using Rgba = std::array<std::uint8_t, 4>;

struct DecodedPng {
    bool ok = false;
    int width = 0;
    int height = 0;
    int colourType = -1;
    int bitDepth = 0;
    bool colourChunks = false;  // gAMA or bKGD: the program's decoder would alter colours
    std::vector<Rgba> pixels;   // row by row; opaque images get alpha 255

    Rgba At(int x, int y) const { return pixels.at(static_cast<std::size_t>(y) * width + x); }
};

struct MemoryReader {
    std::span<const std::uint8_t> bytes;
    std::size_t position = 0;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count)
{
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (reader->bytes.size() - reader->position < count)
        png_error(png, "read past the end of the data");
    std::memcpy(out, reader->bytes.data() + reader->position, count);
    reader->position += count;
}

void ReportNothing(png_structp png, png_const_charp) { png_longjmp(png, 1); }

// Kept free of objects with destructors between setjmp and the last libpng call.
bool DecodeInto(MemoryReader& reader, DecodedPng& out, std::vector<png_bytep>& rows)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, ReportNothing,
                                             ReportNothing);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &reader, ReadFromMemory);
    png_read_info(png, info);
    out.width = static_cast<int>(png_get_image_width(png, info));
    out.height = static_cast<int>(png_get_image_height(png, info));
    out.colourType = png_get_color_type(png, info);
    out.bitDepth = png_get_bit_depth(png, info);
    out.colourChunks = png_get_valid(png, info, PNG_INFO_gAMA | PNG_INFO_bKGD) != 0;
    if (out.bitDepth != 8 || (out.colourType != PNG_COLOR_TYPE_RGB &&
                              out.colourType != PNG_COLOR_TYPE_RGB_ALPHA))
        png_error(png, "not 8-bit RGB or RGBA");
    if (out.width > 4096 || out.height > 4096)
        png_error(png, "too large for a skin image");
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
    rows.resize(out.height);
    for (int y = 0; y < out.height; ++y)
        rows[y] = out.pixels[static_cast<std::size_t>(y) * out.width].data();
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

DecodedPng Decode(std::span<const std::uint8_t> bytes)
{
    DecodedPng out;
    if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0)
        return out;
    MemoryReader reader{bytes, 0};
    std::vector<png_bytep> rows;
    out.ok = DecodeInto(reader, out, rows);
    return out;
}

std::string Narrow(const wchar_t* name) { return std::string(name, name + std::wcslen(name)); }

std::span<const std::uint8_t> Embedded(const wchar_t* name)
{
    for (const ResourceBlock& block : EmbeddedResources())
        if (std::wcscmp(block.name, name) == 0)
            return {block.data, block.size};
    return {};
}

TEST(SkinImages, EveryImageDecodesToItsSizeAndFormat)
{
    for (const SkinImage& image : kSkin) {
        SCOPED_TRACE(Narrow(image.name));
        const DecodedPng png = Decode(Embedded(image.name));
        ASSERT_TRUE(png.ok) << "missing from the program or not a readable PNG";
        EXPECT_EQ(png.width, image.width);
        EXPECT_EQ(png.height, image.height);
        EXPECT_EQ(png.colourType, image.format == SkinFormat::RGBA ? PNG_COLOR_TYPE_RGB_ALPHA
                                                               : PNG_COLOR_TYPE_RGB);
        EXPECT_FALSE(png.colourChunks);
    }
}

TEST(SkinImages, SkinIsEmbeddedInRegistrationOrder)
{
    std::vector<std::wstring> embedded;
    for (const ResourceBlock& block : EmbeddedResources())
        embedded.emplace_back(block.name);
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < kRegisteredSkinCount; ++i)
        positions.push_back(static_cast<std::size_t>(
            std::find(embedded.begin(), embedded.end(), kSkin[i].name) - embedded.begin()));
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    EXPECT_LT(positions.back(), embedded.size());
}

TEST(SkinImages, ButtonsHaveTransparentCornersAndOpaqueMiddles)
{
    // Buttons are hit only on opaque pixels, so the rounded corners must let clicks through.
    for (const SkinImage& image : kSkin) {
        if (image.height != 47)
            continue;
        SCOPED_TRACE(Narrow(image.name));
        const DecodedPng png = Decode(Embedded(image.name));
        ASSERT_TRUE(png.ok);
        EXPECT_EQ(png.At(0, 0)[3], 0);
        EXPECT_EQ(png.At(image.width - 1, 0)[3], 0);
        EXPECT_EQ(png.At(image.width / 2, image.height / 2)[3], 255);
        EXPECT_EQ(png.At(4, image.height / 2)[3], 255);
    }
}

TEST(SkinImages, FlatPiecesHaveTheirExactColours)
{
    struct Pixel {
        const wchar_t* name;
        int x;
        int y;
        Rgba colour;
    };
    const Pixel cases[] = {
        {L"DefaultBackGround", 400, 300, {229, 230, 230, 255}},
        {L"DefaultBackGround", 400, 20, {216, 217, 217, 255}},
        {L"ScrollBackground", 7, 7, {223, 223, 224, 255}},
        {L"EditBarBackGround", 0, 0, {255, 255, 255, 255}},
        {L"EditBarBorderL", 0, 0, {0, 13, 13, 255}},
        {L"EditBarBorderL", 1, 0, {255, 255, 255, 255}},
        {L"EditBarBorderR", 7, 0, {0, 13, 13, 255}},
        {L"EditBarBorderR", 6, 0, {255, 255, 255, 255}},
        {L"EditBarBorderT", 0, 0, {0, 13, 13, 255}},
        {L"EditBarBorderB", 0, 7, {0, 13, 13, 255}},
        {L"EditBarBorderB", 0, 0, {255, 255, 255, 255}},
        {L"EditBarKaretka", 0, 0, {0, 0, 0, 255}},
        {L"EditBarKaretka", 0, 18, {0, 0, 0, 255}},
        {L"SelectionMask", 0, 0, {0, 86, 255, 28}},
        {L"MarkLineFeedHidden", 0, 0, {0, 0, 0, 0}},
        {L"EditBarCornerLT", 0, 0, {0, 0, 0, 0}},
        {L"EditBarCornerLT", 7, 7, {255, 255, 255, 255}},
        {L"EditBarCornerRB", 0, 0, {255, 255, 255, 255}},
    };
    for (const Pixel& c : cases) {
        SCOPED_TRACE(Narrow(c.name) + " at " + std::to_string(c.x) + "," + std::to_string(c.y));
        const DecodedPng png = Decode(Embedded(c.name));
        ASSERT_TRUE(png.ok);
        const Rgba got = png.At(c.x, c.y);
        if (c.colour[3] == 0)
            EXPECT_EQ(got[3], 0);
        else
            EXPECT_EQ(got, c.colour);
    }
}

}  // namespace
}  // namespace pestrol
