// The pictures as the program itself decodes them: a colour chunk in a file (a background
// to composite onto, a gamma) would change every pixel the registry gets.
#include "gfx/ImageDecoder.h"
#include "platform/ResourceLibrary.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace pestrol {
namespace {

bool HasChunk(std::span<const std::uint8_t> png, const char* kind)
{
    for (std::size_t i = 8; i + 8 <= png.size();) {
        const std::size_t length = (std::size_t(png[i]) << 24) | (std::size_t(png[i + 1]) << 16) |
                                   (std::size_t(png[i + 2]) << 8) | png[i + 3];
        if (std::memcmp(png.data() + i + 4, kind, 4) == 0)
            return true;
        i += 12 + length;
    }
    return false;
}

TEST(DecodedArt, NoPictureCarriesABackgroundOrGamma)
{
    for (const ResourceBlock& block : EmbeddedResources()) {
        const std::span<const std::uint8_t> bytes(block.data, block.size);
        if (bytes.size() < 8 || bytes[0] != 0x89 || bytes[1] != 'P')
            continue;
        for (const char* kind : {"bKGD", "gAMA", "iCCP"})
            EXPECT_FALSE(HasChunk(bytes, kind)) << kind << " in " << std::string(block.name, block.name + std::wcslen(block.name));
    }
}

TEST(DecodedArt, LayersAndTheCloudStayTransparentAroundTheirShapes)
{
    for (const wchar_t* name : {L"111", L"114", L"136", L"141", L"153", L"oblako_png", L"160"}) {
        const ResourceLibrary library(EmbeddedResources(), {});
        const auto bytes = library.FindNamed(name);
        ASSERT_TRUE(bytes);
        const auto image = DecodePng(*bytes);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->pixels.front() >> 24, 0u) << "top-left corner of a layer";
        EXPECT_EQ(image->pixels.back() >> 24, 0u) << "bottom-right corner of a layer";
    }
}

}  // namespace
}  // namespace pestrol
