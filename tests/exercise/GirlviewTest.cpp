#include "exercise/girlview.h"
#include "gfx/GfxTestSupport.h"
#include "gui/IMDialogBase.h"
#include "platform/ResourceLibrary.h"
#include "platform/Utf8.h"

#include <map>
#include <string>

namespace pestrol::test {
namespace {

// A figure in a container of its own, on the real renderer with the program's pictures.
class Figure : public RendererTest {
protected:
    void SetUp() override
    {
        m_library = std::make_unique<ResourceLibrary>(EmbeddedResources(), std::filesystem::path{});
        ResourceLibrary::SetCurrent(m_library.get());
        RendererTest::SetUp();
        m_container = std::make_unique<IMDialog>(nullptr, Rect{0, 0, 250, 467}, 0);
        m_figure = std::make_unique<girlview>(m_container.get());
        m_container->HandleIdle(IMEvent(m_container.get(), code::kIdle));
    }
    void TearDown() override
    {
        m_figure.reset();
        m_container.reset();
        RendererTest::TearDown();
        ResourceLibrary::SetCurrent(nullptr);
    }

    ::testing::AssertionResult Shows(const IMPicture* layer, const std::wstring& image)
    {
        if (layer->HasTexture() && layer->GetTextureIndex() == Manager().FindTexture(image))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the layer does not show " << ToUtf8(image);
    }
    static Size SizeOf(const IMPicture* layer)
    {
        return {layer->GetWidth(), layer->GetHeight()};
    }
    std::vector<IMPicture*> Layers() const
    {
        const girlview& f = *m_figure;
        return {f.Body(),      f.Hand(),          f.Shoes(),         f.Top(),
                f.TieLayer(),  f.Bottom(),        f.GlassesLayer(),  f.HairFront(),
                f.HairBack(),  f.HeadwearLayer(), f.BagLayer(),      f.TrouserPatch()};
    }

    std::unique_ptr<ResourceLibrary> m_library;
    std::unique_ptr<IMDialog> m_container;
    std::unique_ptr<girlview> m_figure;
};

TEST_F(Figure, TwelveLayersInTheirDrawingLayersAllShownUntilTheFirstRefresh)
{
    const std::vector<std::int32_t> drawingLayers = {1, 3, 2, 2, 2, 2, 2, 2, 0, 2, 2, 3};
    const std::vector<std::wstring> images = {L"111", L"146", L"122", L"115", L"141", L"123",
                                              L"120", L"130", L"153", L"155", L"125", L"142"};
    const auto layers = Layers();
    for (std::size_t i = 0; i < layers.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(m_container->LayerOf(layers[i]), drawingLayers[i]);
        EXPECT_TRUE(Shows(layers[i], images[i]));
        EXPECT_FALSE(layers[i]->IsHidden());
        EXPECT_EQ(layers[i]->GetPosition(), (Point{0, 0}));
        EXPECT_EQ(layers[i]->colour, kWhite);
    }
    // Equal drawing layers keep the order of addition: the bottom comes after top and tie.
    const auto& two = m_container->Children().at(2);
    EXPECT_EQ(two[0], m_figure->Shoes());
    EXPECT_EQ(two[3], m_figure->Bottom());
}

TEST_F(Figure, EveryShownLayerTakesTheScaledSizeOfItsSexsBody)
{
    struct Case {
        float scale;
        int sex;
        Size size;
    };
    for (const Case& c : {Case{1.0f, kGirl, {250, 450}}, Case{1.0f, kBoy, {242, 467}},
                          Case{0.7f, kGirl, {174, 314}}, Case{0.7f, kBoy, {169, 326}}}) {
        m_figure->scaleX = m_figure->scaleY = c.scale;
        m_figure->SetTie(true);
        m_figure->SetBag(true);
        m_figure->SetGlasses(true);
        m_figure->SetHeadwear(true);
        m_figure->SetSex(c.sex);
        SCOPED_TRACE(std::to_string(c.scale) + " sex " + std::to_string(c.sex));
        for (IMPicture* layer : Layers())
            if (!layer->IsHidden()) {
                EXPECT_EQ(SizeOf(layer), c.size);
            }
        EXPECT_EQ(m_figure->Body()->GetPosition(), (Point{0, 0}));
    }
}

TEST_F(Figure, ImagesFollowTheAttributes)
{
    girlview& f = *m_figure;
    f.SetSleeveLength(kLong);
    EXPECT_TRUE(Shows(f.Top(), L"114"));
    f.SetBottomType(kSkirt);
    f.SetBottomLength(kMedium);
    EXPECT_TRUE(Shows(f.Bottom(), L"128"));
    f.SetShoeType(kHeeledShoes);
    EXPECT_TRUE(Shows(f.Shoes(), L"121"));
    f.SetGlasses(true);
    f.SetHeadwear(true);
    EXPECT_TRUE(Shows(f.GlassesLayer(), L"120"));
    EXPECT_TRUE(Shows(f.HeadwearLayer(), L"155"));

    // A girl with hat and glasses who becomes a boy keeps both, in the boy's pictures.
    f.SetBottomType(kBoysTrousers);
    f.SetShoeType(kBoysShoes);
    f.SetSex(kBoy);
    EXPECT_TRUE(Shows(f.Body(), L"136"));
    EXPECT_TRUE(Shows(f.Top(), L"138"));
    EXPECT_TRUE(Shows(f.Bottom(), L"148"));
    EXPECT_TRUE(Shows(f.Shoes(), L"144"));
    EXPECT_TRUE(Shows(f.GlassesLayer(), L"143"));
    EXPECT_TRUE(Shows(f.HeadwearLayer(), L"154"));
    EXPECT_FALSE(f.GlassesLayer()->IsHidden());
    EXPECT_FALSE(f.HeadwearLayer()->IsHidden());
}

TEST_F(Figure, WornAndCarriedThingsAndTheBoysHandAreShownOnlyWhenThey)
{
    girlview& f = *m_figure;
    f.Refresh();
    for (IMPicture* layer : {f.Hand(), f.TieLayer(), f.GlassesLayer(), f.HeadwearLayer(),
                             f.BagLayer(), f.TrouserPatch()})
        EXPECT_TRUE(layer->IsHidden());
    f.SetBag(true);
    EXPECT_FALSE(f.BagLayer()->IsHidden());
    f.SetTie(true);
    EXPECT_FALSE(f.TieLayer()->IsHidden());
    f.SetSex(kBoy);
    EXPECT_FALSE(f.Hand()->IsHidden());
    EXPECT_FALSE(f.TrouserPatch()->IsHidden());
}

TEST_F(Figure, HairLayersByTypeAndLength)
{
    struct Case {
        int type;
        int length;
        const wchar_t* front;
        const wchar_t* back;  // nullptr: hidden
    };
    const Case cases[] = {
        {kLooseHair, kShort, L"130", L"153"}, {kLooseHair, kMedium, L"131", L"134"},
        {kLooseHair, kLong, L"129", L"133"},  {kBoysHair, kShort, L"150", nullptr},
        {kBoysHair, kMedium, L"156", L"157"}, {kBoysHair, kLong, L"151", L"152"},
        {kBraids, kShort, L"118", nullptr},   {kBraids, kMedium, L"119", nullptr},
        {kBraids, kLong, L"117", nullptr},
    };
    girlview& f = *m_figure;
    for (const Case& c : cases) {
        f.SetHairType(c.type);
        f.SetHairLength(c.length);
        SCOPED_TRACE(std::to_string(c.type) + "/" + std::to_string(c.length));
        EXPECT_FALSE(f.HairFront()->IsHidden());
        EXPECT_TRUE(Shows(f.HairFront(), c.front));
        EXPECT_EQ(f.HairBack()->IsHidden(), c.back == nullptr);
        if (c.back != nullptr) {
            EXPECT_TRUE(Shows(f.HairBack(), c.back));
        }
        // Without hair the bare scalp is the front layer, whatever the type and length.
        f.SetHairPresent(false);
        EXPECT_TRUE(Shows(f.HairFront(), L"135"));
        EXPECT_FALSE(f.HairFront()->IsHidden());
        EXPECT_TRUE(f.HairBack()->IsHidden());
        f.SetHairPresent(true);
    }
}

TEST_F(Figure, ColoursTintTheirLayersAndSurviveImageChanges)
{
    girlview& f = *m_figure;
    f.SetBottomType(kSkirt);
    f.SetBottomColour(0xFF9900B7);
    f.SetHairColour(0xFFEC4D00);
    f.SetShoeColour(0xFF01A010);
    f.SetTopColour(0xFFFF0099);
    f.SetTieColour(0xFF006211);
    f.SetBottomLength(kLong);
    f.SetBottomType(kGirlsTrousers);
    f.SetHairType(kBraids);
    f.SetSleeveLength(kMedium);
    f.SetSex(kBoy);
    EXPECT_EQ(f.Bottom()->colour, 0xFF9900B7u);
    EXPECT_EQ(f.TrouserPatch()->colour, 0xFF9900B7u);
    EXPECT_EQ(f.HairFront()->colour, 0xFFEC4D00u);
    EXPECT_EQ(f.HairBack()->colour, 0xFFEC4D00u);
    EXPECT_EQ(f.Shoes()->colour, 0xFF01A010u);
    EXPECT_EQ(f.Top()->colour, 0xFFFF0099u);
    EXPECT_EQ(f.TieLayer()->colour, 0xFF006211u);
    for (IMPicture* layer : {f.Body(), f.Hand(), f.GlassesLayer(), f.HeadwearLayer(), f.BagLayer()})
        EXPECT_EQ(layer->colour, kWhite);
    const Appearance& a = f.GetAppearance();
    EXPECT_EQ(a.BottomColour, 0xFF9900B7u);
    EXPECT_EQ(a.HairColour, 0xFFEC4D00u);
    EXPECT_EQ(a.TieColour, 0xFF006211u);
}

TEST_F(Figure, EveryOperationRedrawsAndTellsChangedOnce)
{
    int changes = 0;
    const girlview* sender = nullptr;
    m_figure->Changed.connect([&](const girlview* f) {
        ++changes;
        sender = f;
    });
    GenerateTarget(*m_figure, 1796000000);
    // Each written attribute is one redraw: at least the five of both sexes.
    EXPECT_GE(changes, 10);
    EXPECT_EQ(sender, m_figure.get());
    changes = 0;
    m_figure->SetGlasses(!m_figure->GetAppearance().Glasses);
    EXPECT_EQ(changes, 1);
}

TEST_F(Figure, ATintedLayerDrawsInItsColour)
{
    girlview& f = *m_figure;
    f.SetTopColour(0xFFFF0000);
    Manager().BeginFrame();
    m_container->HandleDraw(IMEvent(m_container.get(), code::kDraw));
    // Somewhere on the blouse the white line art is now red.
    int red = 0;
    const auto frame = Frame();
    for (int y = 150; y < 250; ++y)
        for (int x = 60; x < 190; ++x)
            if (frame[y * 800 + x] == 0xFFFF0000u)
                ++red;
    EXPECT_GT(red, 100);
}

}  // namespace
}  // namespace pestrol::test
