// The figure's pictures as the program carries them: decodable, at their canvas size, with
// alpha, tintable where they must take a colour, and drawn so that the layers fit together.
#include "platform/ResourceLibrary.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <cstdint>
#include <optional>
#include <vector>

namespace pestrol {
namespace {

struct Picture {
    int width = 0;
    int height = 0;
    bool alpha = false;
    std::vector<std::uint8_t> rgba;  // straight RGBA, 4 bytes a pixel

    const std::uint8_t* At(int x, int y) const { return &rgba[(static_cast<std::size_t>(y) * width + x) * 4]; }
};

std::optional<Picture> Decode(std::span<const std::uint8_t> bytes)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
        return std::nullopt;
    Picture p;
    p.width = static_cast<int>(image.width);
    p.height = static_cast<int>(image.height);
    p.alpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    image.format = PNG_FORMAT_RGBA;
    p.rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, p.rgba.data(), 0, nullptr))
        return std::nullopt;
    return p;
}

const ResourceLibrary& Library()
{
    static const ResourceLibrary library(EmbeddedResources(), "/nonexistent/pack");
    return library;
}

std::optional<Picture> Embedded(int number)
{
    auto data = Library().FindNumbered(static_cast<std::uint16_t>(number));
    if (!data)
        return std::nullopt;
    return Decode(data->bytes());
}

std::optional<Picture> Embedded(std::wstring_view name)
{
    auto data = Library().FindNamed(name);
    if (!data)
        return std::nullopt;
    return Decode(*data);
}

constexpr int kGirlW = 250, kGirlH = 450, kBoyW = 242, kBoyH = 467;

struct Layer {
    int number;
    bool girl;
    bool tinted;  // white line art that takes the layer's colour
};

const Layer kLayers[] = {
    {111, true, false}, {112, true, true},  {114, true, true},  {115, true, true},  {116, true, true},
    {117, true, true},  {118, true, true},  {119, true, true},  {120, true, false}, {121, true, true},
    {122, true, true},  {123, true, true},  {124, true, true},  {125, true, false}, {126, true, true},
    {127, true, true},  {128, true, true},  {129, true, true},  {130, true, true},  {131, true, true},
    {133, true, true},  {134, true, true},  {153, true, true},  {155, true, false}, {135, false, false},
    {136, false, false}, {137, false, true}, {138, false, true}, {139, false, true}, {140, false, true},
    {141, false, true}, {142, false, true}, {143, false, false}, {144, false, true}, {146, false, false},
    {147, false, true}, {148, false, true}, {150, false, true}, {151, false, true}, {152, false, true},
    {154, false, false}, {156, false, true}, {157, false, true},
};

int OpaqueCount(const Picture& p)
{
    int n = 0;
    for (std::size_t i = 3; i < p.rgba.size(); i += 4)
        n += p.rgba[i] >= 128;
    return n;
}

// How far a pixel is from grey: 0 for white, grey and black.
int Saturation(const std::uint8_t* px)
{
    return std::max({px[0], px[1], px[2]}) - std::min({px[0], px[1], px[2]});
}

TEST(FigureArt, EveryLayerDecodesAtItsCanvasSizeWithAlpha)
{
    for (const Layer& layer : kLayers) {
        SCOPED_TRACE(layer.number);
        auto p = Embedded(layer.number);
        ASSERT_TRUE(p.has_value());
        EXPECT_EQ(p->width, layer.girl ? kGirlW : kBoyW);
        EXPECT_EQ(p->height, layer.girl ? kGirlH : kBoyH);
        EXPECT_TRUE(p->alpha);
        EXPECT_GT(OpaqueCount(*p), 200) << "a layer that shows nothing";
        EXPECT_LT(OpaqueCount(*p), p->width * p->height / 2) << "a layer that hides the others";
    }
}

TEST(FigureArt, TintedLayersAreWhiteAndGreyOnly)
{
    for (const Layer& layer : kLayers) {
        if (!layer.tinted)
            continue;
        SCOPED_TRACE(layer.number);
        auto p = Embedded(layer.number);
        ASSERT_TRUE(p.has_value());
        int coloured = 0;
        for (int y = 0; y < p->height; ++y)
            for (int x = 0; x < p->width; ++x)
                coloured += p->At(x, y)[3] > 0 && Saturation(p->At(x, y)) > 8;
        EXPECT_EQ(coloured, 0);
    }
}

TEST(FigureArt, ColouredLayersCarryColour)
{
    for (const Layer& layer : kLayers) {
        if (layer.tinted)
            continue;
        SCOPED_TRACE(layer.number);
        auto p = Embedded(layer.number);
        ASSERT_TRUE(p.has_value());
        int coloured = 0;
        for (int y = 0; y < p->height; ++y)
            for (int x = 0; x < p->width; ++x)
                coloured += p->At(x, y)[3] == 255 && Saturation(p->At(x, y)) > 40;
        EXPECT_GT(coloured, 100);
    }
}

// Short, medium and long versions of one garment or hair style.
TEST(FigureArt, LongerVersionsCoverClearlyMore)
{
    const int kSeries[][3] = {
        {115, 116, 114}, {139, 140, 138},                    // sleeves
        {123, 124, 112}, {147, 148, 137}, {127, 128, 126},  // trousers, shorts, skirts
        {130, 131, 129}, {118, 119, 117}, {150, 156, 151},  // hair in front
        {153, 134, 133}, {157, 152, 152},                    // hair behind (152 is also the short, hidden one)
    };
    for (const auto& series : kSeries) {
        SCOPED_TRACE(series[0]);
        int previous = 0;
        for (int i = 0; i < 3; ++i) {
            if (i > 0 && series[i] == series[i - 1])
                continue;
            auto p = Embedded(series[i]);
            ASSERT_TRUE(p.has_value());
            const int n = OpaqueCount(*p);
            EXPECT_GE(n, previous * 11 / 10) << series[i];
            previous = n;
        }
    }
}

// The panel's, the target frame's and the screens' pictures, at the sizes their places need.
TEST(ScreenArt, EveryPictureDecodesAtItsSize)
{
    struct Case {
        const wchar_t* name;
        int width, height;
        bool alpha;
    };
    const Case cases[] = {
        // Straight pieces and backgrounds are opaque; corners fade into the panel.
        {L"101", 2, 2, false},   {L"102", 2, 2, true},      {L"103", 2, 2, true},    {L"104", 2, 2, true},
        {L"105", 2, 2, true},    {L"106", 2, 2, false},     {L"107", 2, 2, false},   {L"108", 2, 2, false},
        {L"110", 16, 16, true},  {L"158", 500, 600, false}, {L"159", 300, 975, false}, {L"160", 188, 316, true},
        {L"170", 300, 600, true}, {L"171", 190, 318, true}, {L"KEYBOARDPIC", 524, 230, true},
        {L"MOUSE", 246, 246, true}, {L"KEYSPACE", 112, 14, false}, {L"oblako_png", 506, 356, true},
        {L"500", 64, 64, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.name, c.name + std::wcslen(c.name)));
        auto p = Embedded(std::wstring_view(c.name));
        ASSERT_TRUE(p.has_value());
        EXPECT_EQ(p->width, c.width);
        EXPECT_EQ(p->height, c.height);
        EXPECT_EQ(p->alpha, c.alpha);
    }
}

// The icons beside the panel's controls must fit between their control and their label.
TEST(ScreenArt, PanelIconsFitTheirPlaces)
{
    struct Case {
        int number, maxWidth, maxHeight;
    };
    const Case cases[] = {
        {161, 34, 28}, {162, 40, 28}, {174, 70, 43}, {175, 33, 50}, {176, 48, 38}, {178, 38, 28},
        {179, 42, 42}, {180, 38, 20}, {181, 70, 48}, {182, 80, 48}, {183, 80, 43}, {184, 38, 40},
        {185, 38, 30}, {186, 38, 40}, {189, 58, 48}, {190, 90, 48},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        auto p = Embedded(c.number);
        ASSERT_TRUE(p.has_value());
        EXPECT_TRUE(p->alpha);
        EXPECT_LE(p->width, c.maxWidth);
        EXPECT_LE(p->height, c.maxHeight);
        EXPECT_GE(p->width * p->height, 12 * 12) << "too small to recognise";
    }
}

// The mark blinks over the keyboard picture's space bar: the bar must be there, keyed in
// the picture's key colours, exactly under the mark.
TEST(ScreenArt, SpaceBarLiesUnderTheMark)
{
    auto keyboard = Embedded(std::wstring_view(L"KEYBOARDPIC"));
    ASSERT_TRUE(keyboard.has_value());
    for (int x = 132; x < 240; x += 6) {
        EXPECT_EQ(keyboard->At(x, 160)[3], 255) << x;
        EXPECT_GT(keyboard->At(x, 160)[0], 240) << x;  // the light key top
    }
    EXPECT_LT(keyboard->At(127, 160)[0], 225);  // the gap before the bar
    EXPECT_LT(keyboard->At(244, 160)[0], 225);  // the gap after it
}

// The praise video, 320 x 200 at (93, 76), must lie on the cloud's white.
TEST(ScreenArt, PraiseVideoSitsInsideTheCloud)
{
    auto cloud = Embedded(std::wstring_view(L"oblako_png"));
    ASSERT_TRUE(cloud.has_value());
    for (int y = 70; y <= 282; y += 4)
        for (int x = 87; x <= 419; x += 4) {
            const std::uint8_t* px = cloud->At(x, y);
            ASSERT_TRUE(px[3] == 255 && px[0] == 255 && px[1] == 255 && px[2] == 255) << x << "," << y;
        }
}

// Straight-alpha "over", as the renderer blends a layer onto what lies below.
void Over(Picture& below, const Picture& above)
{
    for (std::size_t i = 0; i < below.rgba.size(); i += 4) {
        const int a = above.rgba[i + 3];
        for (int c = 0; c < 3; ++c)
            below.rgba[i + c] = static_cast<std::uint8_t>((above.rgba[i + c] * a + below.rgba[i + c] * (255 - a)) / 255);
    }
}

int PixelsNear(const Picture& p, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    int n = 0;
    for (std::size_t i = 0; i < p.rgba.size(); i += 4)
        n += std::abs(p.rgba[i] - r) < 6 && std::abs(p.rgba[i + 1] - g) < 6 && std::abs(p.rgba[i + 2] - b) < 6;
    return n;
}

// The body wears light-blue underwear; any top with any bottom must hide all of it.
TEST(FigureArt, EveryTopAndBottomHideTheUnderwear)
{
    struct Outfit {
        int body;
        std::vector<int> tops;
        std::vector<int> bottoms;
    };
    const Outfit outfits[] = {
        {111, {115, 116, 114}, {123, 124, 112, 127, 128, 126}},
        {136, {139, 140, 138}, {147, 148, 137}},
    };
    for (const Outfit& o : outfits) {
        auto body = Embedded(o.body);
        ASSERT_TRUE(body.has_value());
        ASSERT_GT(PixelsNear(*body, 0xA6, 0xD8, 0xF5), 100) << "the singlet colour changed";
        ASSERT_GT(PixelsNear(*body, 0x86, 0xC3, 0xEC), 100) << "the briefs colour changed";
        for (int top : o.tops)
            for (int bottom : o.bottoms) {
                SCOPED_TRACE(testing::Message() << top << " with " << bottom);
                Picture dressed = *body;
                Over(dressed, *Embedded(top));
                Over(dressed, *Embedded(bottom));
                EXPECT_EQ(PixelsNear(dressed, 0xA6, 0xD8, 0xF5), 0);
                EXPECT_EQ(PixelsNear(dressed, 0x86, 0xC3, 0xEC), 0);
            }
    }
}

}  // namespace
}  // namespace pestrol
