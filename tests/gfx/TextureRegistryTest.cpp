#include "gfx/FakeRenderDevice.h"
#include "gfx/GfxTestSupport.h"
#include "platform/ResourcePack.h"
#include "platform/Utf8.h"

#include "TestResources.h"

#include <unistd.h>

#include <fstream>

namespace pestrol::test {
namespace {

class Registry : public RendererTest {
protected:
    TextureIndex Register(
        const std::wstring& name, int width = 4, int height = 4, Colour colour = kWhite)
    {
        const auto png = MakePng(width, height, Solid(width, height, colour));
        return Manager().RegisterImage(name, png.data(), png.size());
    }
};

TEST_F(Registry, SharesANameAndFreesItWithTheLastRelease)
{
    const TextureIndex first = Register(L"PrintButton");
    EXPECT_EQ(Register(L"PrintButton"), first);
    EXPECT_EQ(Manager().GetRefCount(first), 2);
    EXPECT_EQ(Manager().FindTexture(L"PrintButton"), first);
    Manager().ReleaseTexture(first);
    EXPECT_EQ(Manager().GetRefCount(first), 1);
    Manager().ReleaseTextureByName(L"PrintButton");
    EXPECT_EQ(Manager().GetRefCount(first), 0);
    EXPECT_EQ(Manager().FindTexture(L"PrintButton"), Manager().SlotCount());
    Manager().ReleaseTexture(first); // a third release does nothing
    Manager().ReleaseTexture(Manager().SlotCount() + 5);
    EXPECT_EQ(Manager().SlotCount(), 1u);
}

TEST_F(Registry, KeepsIndicesStableAndReusesTheLastFreedFirst)
{
    EXPECT_EQ(Register(L"A"), 0u);
    EXPECT_EQ(Register(L"B"), 1u);
    EXPECT_EQ(Register(L"C"), 2u);
    Manager().ReleaseTextureByName(L"A");
    Manager().ReleaseTextureByName(L"B");
    EXPECT_EQ(Register(L"D"), 1u);
    EXPECT_EQ(Register(L"E"), 0u);
    EXPECT_EQ(Manager().SlotCount(), 3u);
    EXPECT_EQ(Manager().FindTexture(L"C"), 2u);
    EXPECT_EQ(Register(L"F"), 3u);
}

TEST_F(Registry, UnknownNamesAndEmptySlotsAnswerTheSlotCount)
{
    EXPECT_EQ(Manager().FindTexture(L"nothing"), 0u);
    Register(L"A");
    EXPECT_EQ(Manager().FindTexture(L"nothing"), 1u);
    EXPECT_EQ(Manager().AddTextureRef(7), 1u);
    EXPECT_EQ(Manager().AddTextureRef(0), 0u);
    EXPECT_EQ(Manager().GetRefCount(0), 2);
}

TEST_F(Registry, RoundsTexturesUpToPowersOfTwo)
{
    struct Case {
        int width, height, textureWidth, textureHeight;
    };
    const Case cases[] = { { 21, 21, 32, 32 }, { 800, 600, 1024, 1024 }, { 1, 1, 1, 1 },
        { 1, 19, 1, 32 }, { 148, 47, 256, 64 }, { 16, 16, 16, 16 } };
    for (const Case& c : cases) {
        const std::wstring name = std::to_wstring(c.width) + L"x" + std::to_wstring(c.height);
        const TextureIndex index = Register(name, c.width, c.height);
        EXPECT_EQ(Manager().GetImageRect(index), (Rect { 0, 0, c.width, c.height }));
        EXPECT_EQ(Manager().GetTextureSize(index), (Size { c.textureWidth, c.textureHeight }));
        EXPECT_EQ(Manager().GetTexturePitch(index), c.textureWidth * 4);
    }
}

TEST_F(Registry, KeepsAPixelCopyOutsideTheImageTransparent)
{
    const TextureIndex index = Register(L"red", 3, 2, 0xFFFF0000);
    EXPECT_EQ(Manager().GetTexturePixel(index, 2, 1), 0xFFFF0000u);
    EXPECT_EQ(Manager().GetTexturePixel(index, 3, 1), 0u);
    EXPECT_EQ(Manager().GetTexturePixel(index, 0, 2), 0u);
    EXPECT_EQ(Manager().GetTexturePixel(index, -1, 0), 0u);
    Manager().UnloadTexture(index);
    EXPECT_FALSE(Manager().IsTextureLoaded(index));
    EXPECT_EQ(Manager().GetTexturePixel(index, 1, 1), 0xFFFF0000u);
    EXPECT_TRUE(Manager().IsTextureLoaded(index)) << "reading the copy restores the texture";
    EXPECT_EQ(Manager().GetRefCount(index), 1);
}

TEST_F(Registry, BlankTexturesAreTransparentAndModifiable)
{
    const TextureIndex video = Manager().CreateBlankTexture(L"video", 320, 240);
    EXPECT_EQ(Manager().GetImageRect(video), (Rect { 0, 0, 320, 240 }));
    EXPECT_EQ(Manager().GetTextureSize(video), (Size { 512, 256 }));
    EXPECT_EQ(Manager().CreateBlankTexture(L"video", 1, 1), video);
    EXPECT_EQ(Manager().GetRefCount(video), 2);
    EXPECT_EQ(Manager().CreateBlankTexture(L"huge", 100000, 4), Manager().SlotCount());

    int seenHeight = 0;
    Manager().ModifyPixels(video, [&](std::uint8_t* pixels, int pitch, int height) {
        seenHeight = height;
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x)
                reinterpret_cast<Colour*>(pixels + y * pitch)[x] = 0xFF00FF00;
    });
    EXPECT_EQ(seenHeight, 240);
    Manager().BeginFrame();
    Manager().DrawTexture(video, { 0, 0, 320, 240 }, nullptr, kWhite, 0);
    EXPECT_EQ(PixelAt(100, 100), 0xFF00FF00u);
    EXPECT_EQ(Manager().GetTexturePixel(video, 100, 100), 0u) << "the copy stays blank";
}

class RegistryLoad : public Registry {
protected:
    void SetUp() override
    {
        Registry::SetUp();
        m_dir
            = std::filesystem::temp_directory_path() / ("pestrol-gfx-" + std::to_string(getpid()));
        std::filesystem::create_directories(m_dir);
        m_png = MakePng(5, 3, Solid(5, 3, 0xFF123456));
        ASSERT_TRUE(ResourcePack::Write(m_dir / "Animations.dll", { { 160, m_png } }));
        std::ofstream(m_dir / "160", std::ios::binary)
            .write(reinterpret_cast<const char*>(m_png.data()), std::streamsize(m_png.size()));
        m_library = std::make_unique<ResourceLibrary>(TestResources(), m_dir / "Animations.dll");
        ResourceLibrary::SetCurrent(m_library.get());
    }
    void TearDown() override
    {
        ResourceLibrary::SetCurrent(nullptr);
        std::filesystem::remove_all(m_dir);
        Registry::TearDown();
    }

    std::filesystem::path m_dir;
    std::vector<std::uint8_t> m_png;
    std::unique_ptr<ResourceLibrary> m_library;
};

TEST_F(RegistryLoad, ReadsNumbersAsResourcesAndEverythingElseAsFiles)
{
    const TextureIndex fromPack = Manager().LoadImage(L"160");
    ASSERT_NE(fromPack, Manager().SlotCount());
    EXPECT_EQ(Manager().GetImageRect(fromPack), (Rect { 0, 0, 5, 3 }));
    EXPECT_EQ(Manager().GetTexturePixel(fromPack, 4, 2), 0xFF123456u);
    EXPECT_EQ(Manager().LoadImage(L"00160"), 1u) << "another name, decoded anew";

    const std::wstring file = FromUtf8((m_dir / "160").string());
    const TextureIndex fromFile = Manager().LoadImage(file);
    EXPECT_NE(fromFile, fromPack);
    EXPECT_EQ(Manager().GetImageRect(fromFile), (Rect { 0, 0, 5, 3 }));
    EXPECT_EQ(Manager().LoadImage(file), fromFile);
    EXPECT_EQ(Manager().GetRefCount(fromFile), 2);
}

TEST_F(RegistryLoad, RegistersNothingForWhatCannotBeDecodedOrFound)
{
    const std::wstring missing[] = {
        L" 160", // not a number: a file that does not exist
        L"111", // an embedded resource that is no picture
        L"500", // in neither the program nor the pack
        L"/nonexistent/picture.png",
        L"",
    };
    for (const std::wstring& name : missing) {
        EXPECT_EQ(Manager().LoadImage(name), 0u) << ToUtf8(name);
        EXPECT_EQ(Manager().FindTexture(name), 0u);
    }
    EXPECT_EQ(Manager().SlotCount(), 0u);
}

TEST(RegistryMemory, UnloadsAnotherTextureWhenTextureMemoryRunsOut)
{
    TextureRegistry registry(std::make_unique<FakeRenderDevice>(2));
    const auto png = MakePng(2, 2, Solid(2, 2, kWhite));
    const TextureIndex a = registry.RegisterImage(L"A", png.data(), png.size());
    const TextureIndex b = registry.RegisterImage(L"B", png.data(), png.size());
    const TextureIndex c = registry.RegisterImage(L"C", png.data(), png.size());
    EXPECT_EQ(c, 2u);
    EXPECT_FALSE(registry.IsTextureLoaded(a)) << "the first other texture made room";
    EXPECT_TRUE(registry.IsTextureLoaded(b));

    registry.RestoreTexture(a);
    EXPECT_TRUE(registry.IsTextureLoaded(a));
    EXPECT_FALSE(registry.IsTextureLoaded(b));
    EXPECT_EQ(registry.GetTexturePixel(b, 1, 1), kWhite) << "B comes back from its copy";
    EXPECT_EQ(registry.GetRefCount(a) + registry.GetRefCount(b) + registry.GetRefCount(c), 3);
}

TEST(RegistryMemory, GivesUpWhenNothingIsLeftToUnload)
{
    TextureRegistry registry(std::make_unique<FakeRenderDevice>(0));
    const auto png = MakePng(2, 2, Solid(2, 2, kWhite));
    EXPECT_EQ(registry.RegisterImage(L"A", png.data(), png.size()), 0u);
    EXPECT_EQ(registry.SlotCount(), 0u);
}

} // namespace
} // namespace pestrol::test
