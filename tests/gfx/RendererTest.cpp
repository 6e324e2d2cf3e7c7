#include "gfx/GfxTestSupport.h"

#include <SDL.h>

#include <cstdlib>
#include <numbers>

namespace pestrol::test {
namespace {

// The software and GL renderers round blends differently by one step.
::testing::AssertionResult Near(Colour actual, Colour expected, int tolerance = 1)
{
    const int shifts[] = { 24, 16, 8, 0 };
    for (int s : shifts) {
        if (std::abs(int((actual >> s) & 0xFF) - int((expected >> s) & 0xFF)) > tolerance)
            return ::testing::AssertionFailure()
                << std::hex << "0x" << actual << " is not near 0x" << expected;
    }
    return ::testing::AssertionSuccess();
}

class Renderer : public RendererTest {
protected:
    TextureIndex Image(const wchar_t* name, int width, int height, Colour colour)
    {
        const auto png = MakePng(width, height, Solid(width, height, colour));
        return Manager().RegisterImage(name, png.data(), png.size());
    }
    void Draw(TextureIndex index, Rect dest, Colour tint = kWhite, float angle = 0,
        const Rect* source = nullptr)
    {
        Manager().DrawTexture(index, dest, source, tint, angle);
    }
};

TEST_F(Renderer, StartsWindowedAt800By600AndClearsToOpaqueBlack)
{
    EXPECT_EQ(Manager().GetBackBufferSize(), (Size { 800, 600 }));
    EXPECT_EQ(Manager().GetViewport(), (Rect { 0, 0, 800, 600 }));
    Manager().BeginFrame();
    EXPECT_EQ(PixelAt(0, 0), kOpaqueBlack);
    EXPECT_EQ(PixelAt(799, 599), kOpaqueBlack);
}

TEST_F(Renderer, DrawsTintedTranslucentAndPartialQuads)
{
    const TextureIndex white = Image(L"white", 16, 16, kWhite);
    std::vector<Colour> halves(16 * 16);
    for (int i = 0; i < 16 * 16; ++i)
        halves[i] = i % 16 < 8 ? 0xFFFF0000 : 0xFF0000FF;
    const auto halvesPng = MakePng(16, 16, halves);
    const TextureIndex split
        = Manager().RegisterImage(L"halves", halvesPng.data(), halvesPng.size());
    Manager().BeginFrame();
    Draw(white, { 10, 10, 26, 26 }, 0xFF00FF00);
    Draw(white, { 40, 10, 56, 26 }, 0x80FFFFFF);
    const Rect right { 8, 0, 16, 16 };
    Draw(split, { 70, 10, 86, 26 }, kWhite, 0, &right);
    Draw(white, { 100, 10, 100, 26 }); // empty: nothing

    EXPECT_TRUE(Near(PixelAt(10, 10), 0xFF00FF00));
    EXPECT_TRUE(Near(PixelAt(25, 25), 0xFF00FF00));
    EXPECT_EQ(PixelAt(26, 26), kOpaqueBlack) << "right and bottom are exclusive";
    EXPECT_TRUE(Near(PixelAt(48, 18), 0xFF808080));
    EXPECT_TRUE(Near(PixelAt(70, 10), 0xFF0000FF)) << "only the right half of the image";
    EXPECT_TRUE(Near(PixelAt(85, 25), 0xFF0000FF));
    EXPECT_EQ(PixelAt(100, 18), kOpaqueBlack);
}

TEST_F(Renderer, StretchesAndRotatesAboutTheCentre)
{
    const TextureIndex white = Image(L"white", 4, 4, kWhite);
    Manager().BeginFrame();
    Draw(white, { 300, 300, 340, 310 }, kWhite, std::numbers::pi_v<float> / 2);
    EXPECT_TRUE(Near(PixelAt(320, 288), kWhite)) << "a 40 x 10 bar stands upright";
    EXPECT_TRUE(Near(PixelAt(320, 321), kWhite));
    EXPECT_EQ(PixelAt(302, 305), kOpaqueBlack);
    EXPECT_EQ(PixelAt(338, 305), kOpaqueBlack);
}

TEST_F(Renderer, NestedOriginsAndClipRectanglesAddUp)
{
    const TextureIndex white = Image(L"white", 16, 16, kWhite);
    Manager().BeginFrame();
    // A dialog at (100, 50) clipped to itself, holding a child dialog at (10, 20) whose
    // clip reaches past its parent's right edge.
    const Point saved = Manager().GetOrigin();
    const Rect savedClip = Manager().GetViewport();
    Manager().SetOrigin({ 100, 50 });
    Manager().SetViewport(savedClip.Intersect({ 100, 50, 120, 90 }));
    Draw(white, { 10, 20, 26, 36 });
    const Point inner { 110, 70 };
    Manager().SetOrigin(inner);
    Manager().SetViewport(Manager().GetViewport().Intersect({ 110, 70, 200, 80 }));
    Draw(white, { 0, 12, 16, 28 });
    Manager().SetOrigin(saved);
    Manager().SetViewport(savedClip);
    Draw(white, { 0, 0, 16, 16 });

    EXPECT_TRUE(Near(PixelAt(110, 70), kWhite));
    EXPECT_TRUE(Near(PixelAt(119, 85), kWhite));
    EXPECT_EQ(PixelAt(120, 70), kOpaqueBlack) << "clipped by the parent at x 120";
    EXPECT_EQ(PixelAt(109, 70), kOpaqueBlack);
    EXPECT_EQ(PixelAt(115, 89), kOpaqueBlack) << "the inner quad is clipped to y < 80";
    EXPECT_TRUE(Near(PixelAt(15, 15), kWhite)) << "origin and clip restored";
}

TEST_F(Renderer, DeviceLossAndRestoreGiveIdenticalPixels)
{
    std::vector<Colour> pattern(32 * 20);
    for (std::size_t i = 0; i < pattern.size(); ++i)
        pattern[i] = MakeColour(static_cast<std::uint8_t>(i * 7), static_cast<std::uint8_t>(i),
            static_cast<std::uint8_t>(i * 3), static_cast<std::uint8_t>(255 - i));
    const auto png = MakePng(32, 20, pattern);
    const TextureIndex image = Manager().RegisterImage(L"pattern", png.data(), png.size());
    auto frame = [&] {
        Manager().BeginFrame();
        Draw(image, { 5, 5, 37, 25 });
        Draw(image, { 50, 5, 114, 45 }, 0xC0FF8040);
        return Frame();
    };
    const auto before = frame();
    Manager().EndFrame();

    EXPECT_FALSE(Manager().IsDeviceLost());
    SDL_Event reset {};
    reset.type = SDL_RENDER_DEVICE_RESET;
    SDL_PushEvent(&reset);
    EXPECT_TRUE(Manager().IsDeviceLost());
    EXPECT_TRUE(Manager().RestoreDevice());
    EXPECT_FALSE(Manager().IsDeviceLost());
    EXPECT_FALSE(Manager().IsTextureLoaded(image));
    EXPECT_EQ(Manager().GetViewport(), (Rect { 0, 0, 800, 600 }));

    EXPECT_EQ(frame(), before);
    EXPECT_TRUE(Manager().IsTextureLoaded(image));
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

TEST_F(Renderer, CountsFramesAndIdlePasses)
{
    Manager().BeginFrame();
    Manager().EndFrame();
    Manager().CountIdlePass();
    EXPECT_EQ(Manager().FrameCount(), 2u);
}

TEST(RendererStartUp, RefusedDeviceThrowsTheFixedMessageAndLeavesNoManager)
{
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
    try {
        CreateRenderer(nullptr, true);
        ADD_FAILURE() << "no window, no device";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Не могу создать устройство Direct3D");
    }
    EXPECT_EQ(ResourceManager(), nullptr);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

} // namespace
} // namespace pestrol::test
