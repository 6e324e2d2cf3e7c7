#include "gfx/GfxTestSupport.h"
#include "gfx/IMStateView.h"
#include "gfx/IMTextureView.h"

namespace pestrol::test {
namespace {

class Views : public RendererTest {
protected:
    // A 4 x 1 strip with alphas 255, 254, 128 and 0.
    TextureIndex Strip()
    {
        const auto png = MakePng(4, 1, { 0xFFFFFFFF, 0xFEFFFFFF, 0x80FFFFFF, 0x00FFFFFF });
        return Manager().RegisterImage(L"strip", png.data(), png.size());
    }
};

TEST_F(Views, EmptyViewOnlyCleansItself)
{
    IMEmptyView view;
    view.SetRect({ 1, 2, 30, 40 });
    EXPECT_TRUE(view.IsDirty());
    view.Draw();
    EXPECT_FALSE(view.IsDirty());
    view.SetRect({ 1, 2, 30, 40 });
    EXPECT_FALSE(view.IsDirty()) << "the same rectangle changes nothing";
    view.MoveTo(10, 20);
    EXPECT_EQ(view.GetRect(), (Rect { 10, 20, 39, 58 }));
    view.SetSize(5, 6);
    EXPECT_EQ(view.GetRect(), (Rect { 10, 20, 15, 26 }));
    EXPECT_EQ(view.GetPosition(), (Point { 10, 20 }));
    EXPECT_TRUE(view.HitTest({ 10, 20 }));
    EXPECT_FALSE(view.HitTest({ 15, 20 }));
}

TEST_F(Views, TextureViewHoldsExactlyOneReference)
{
    const TextureIndex strip = Strip();
    {
        IMTextureView view;
        view.SetImage(L"strip");
        EXPECT_EQ(Manager().GetRefCount(strip), 2);
        view.SetImage(L"strip");
        EXPECT_EQ(Manager().GetRefCount(strip), 2) << "the same name again";
        EXPECT_EQ(view.GetSourceRect(), (Rect { 0, 0, 4, 1 }));
        view.SetImage(L"no such picture");
        EXPECT_FALSE(view.HasTexture());
        EXPECT_EQ(Manager().GetRefCount(strip), 1);
        view.SetImageIndex(strip);
        EXPECT_EQ(Manager().GetRefCount(strip), 2);
    }
    EXPECT_EQ(Manager().GetRefCount(strip), 1);
}

TEST_F(Views, TextureViewIsHitWhereThePictureIsOpaqueEnough)
{
    Strip();
    IMTextureView view;
    view.SetImage(L"strip");
    view.SetRect({ 100, 50, 140, 60 }); // each pixel 10 wide
    struct Case {
        Colour tint;
        int threshold;
        bool hits[4];
    };
    const Case cases[] = {
        { kWhite, 255, { true, false, false, false } },
        { kWhite, 128, { true, true, true, false } },
        { kWhite, 0, { true, true, true, true } },
        { 0x80FFFFFF, 1, { false, false, false, false } },
        { 0x80FFFFFF, 0, { true, true, true, true } },
    };
    for (const Case& c : cases) {
        view.colour = c.tint;
        view.hitThreshold = c.threshold;
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(view.HitTest({ 105 + 10 * i, 55 }), c.hits[i])
                << std::hex << c.tint << " threshold " << std::dec << c.threshold << " pixel " << i;
    }
    view.hitThreshold = 0;
    EXPECT_FALSE(view.HitTest({ 140, 55 })) << "outside the rectangle";
    view.angle = 3.14159265f; // upside down: the opaque pixel is now on the right
    view.hitThreshold = 255;
    view.colour = kWhite;
    EXPECT_TRUE(view.HitTest({ 135, 55 }));
    EXPECT_FALSE(view.HitTest({ 105, 55 }));
}

TEST_F(Views, TextureViewDrawsItsPictureTintedAndCleansItself)
{
    Strip();
    IMTextureView view;
    view.SetImage(L"strip");
    view.SetRect({ 0, 0, 40, 10 });
    view.colour = 0xFFFF0000;
    Manager().BeginFrame();
    view.Draw();
    EXPECT_FALSE(view.IsDirty());
    EXPECT_EQ(PixelAt(5, 5), 0xFFFF0000u);
    EXPECT_EQ(PixelAt(35, 5), kOpaqueBlack);
}

TEST_F(Views, StateViewFallsBackToTheNormalPicture)
{
    for (const wchar_t* name : { L"normal", L"hover", L"pressed" }) {
        const auto png = MakePng(2, 2, Solid(2, 2, kWhite));
        Manager().RegisterImage(name, png.data(), png.size());
    }
    IMStateView view;
    view.SetStateImages(L"normal", L"", L"hover", L"pressed");
    EXPECT_EQ(view.GetTextureIndex(), Manager().FindTexture(L"normal"));
    view.SetState(IMStateView::kDisabled);
    EXPECT_EQ(view.GetTextureIndex(), Manager().FindTexture(L"normal"));
    view.SetState(IMStateView::kPressed);
    EXPECT_EQ(view.GetTextureIndex(), Manager().FindTexture(L"pressed"));
    view.SetHoverImage(L"normal");
    EXPECT_EQ(view.GetTextureIndex(), Manager().FindTexture(L"pressed"))
        << "seen at the next change";
    view.SetState(IMStateView::kHover);
    EXPECT_EQ(view.GetTextureIndex(), Manager().FindTexture(L"normal"));
    EXPECT_EQ(Manager().GetRefCount(Manager().FindTexture(L"normal")), 2);
    EXPECT_EQ(Manager().GetRefCount(Manager().FindTexture(L"pressed")), 1);
}

} // namespace
} // namespace pestrol::test
