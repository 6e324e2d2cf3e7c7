// The program's decoder composites onto a bKGD background and corrects for gAMA, as the
// images it was made for carry neither; a picture with either would not show as drawn
// (a bKGD turns every transparent pixel opaque).
#include "platform/ResourceLibrary.h"
#include "platform/Utf8.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <set>
#include <string>

namespace pestrol {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// The chunk types of a PNG file, in order; an "overrun" entry when a length is wrong.
std::set<std::string> ChunkTypes(const ResourceBlock& block)
{
    std::set<std::string> out;
    std::size_t at = kSignature.size();
    while (at + 8 <= block.size) {
        const std::uint8_t* p = block.data + at;
        const std::size_t length = (std::size_t(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
        out.insert(std::string(reinterpret_cast<const char*>(p + 4), 4));
        at += 12 + length;
    }
    if (at != block.size)
        out.insert("overrun");
    return out;
}

TEST(PictureChunks, NoPictureCarriesABackgroundOrAGamma)
{
    int pictures = 0;
    for (const ResourceBlock& block : EmbeddedResources()) {
        if (block.size < kSignature.size() || std::memcmp(block.data, kSignature.data(), 8) != 0)
            continue;
        ++pictures;
        const std::set<std::string> types = ChunkTypes(block);
        SCOPED_TRACE(ToUtf8(block.name));
        EXPECT_EQ(types.count("bKGD"), 0u);
        EXPECT_EQ(types.count("gAMA"), 0u);
        EXPECT_EQ(types.count("overrun"), 0u);
        EXPECT_EQ(types.count("IEND"), 1u);
    }
    EXPECT_GT(pictures, 100);
}

}  // namespace
}  // namespace pestrol
