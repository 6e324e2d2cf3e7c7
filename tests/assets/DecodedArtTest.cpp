// The pictures as the program itself decodes them: a background chunk in a file would make
// every transparent pixel of a layer opaque.
#include "gfx/ImageDecoder.h"
#include "platform/ResourceLibrary.h"

#include <gtest/gtest.h>


namespace pestrol {
namespace {

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
