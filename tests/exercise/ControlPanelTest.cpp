#include "exercise/ExerciseScreenFixture.h"
#include "gui/IMCRButtons.h"
#include "gui/IMScroll.h"
#include "gui/IMSlider.h"
#include "platform/Utf8.h"

#include <map>

namespace pestrol::test {
namespace {

using namespace panel;
using Changes = std::map<Attribute, std::uint32_t>;

constexpr Colour kGrey = 0x80000000;
constexpr Colour kBlack = 0xFF000000;

// Which attributes differ between two appearances, with their new values.
Changes Diff(const Appearance& before, const Appearance& after)
{
    Changes out;
    for (int i = 0; i < kAttributeCount; ++i) {
        const auto a = static_cast<Attribute>(i);
        if (before.ValueOf(a) != after.ValueOf(a))
            out[a] = after.ValueOf(a);
    }
    return out;
}

std::vector<Colour> Tints(const std::vector<IMPicture*>& swatches)
{
    std::vector<Colour> out;
    for (const IMPicture* s : swatches)
        out.push_back(s->colour);
    return out;
}

template <std::size_t N>
std::vector<Colour> Listed(const std::array<Colour, N>& palette)
{
    return {palette.begin(), palette.end()};
}

// The colour of the caption whose text is `text` somewhere on the panel.
Colour LabelColour(IMDialog* dialog, const std::wstring& text)
{
    for (const auto& [layer, list] : dialog->Children()) {
        for (IMControl* child : list) {
            if (auto* caption = dynamic_cast<IMCaption*>(child);
                caption && caption->GetText() == text)
                return caption->GetStyle().colour;
            if (auto* inner = dynamic_cast<IMDialog*>(child))
                if (Colour c = LabelColour(inner, text); c != 0)
                    return c;
        }
    }
    return 0;
}

class ControlsOfThePanel : public ExerciseScreen {
protected:
    void SetUp() override
    {
        ExerciseScreen::SetUp();
        Open();
    }
    Colour Label(const std::wstring& text) { return LabelColour(Panel().Content(), text); }
    Changes After(const std::function<void()>& action)
    {
        const Appearance before = Pupil();
        action();
        return Diff(before, Pupil());
    }
};

TEST_F(ControlsOfThePanel, OpensAsAGirlInWhiteWithHairOnAndLockedAndTieOffAndLocked)
{
    ControlPanel& p = Panel();
    EXPECT_EQ(Diff(Appearance{}, Pupil()), Changes{});
    EXPECT_TRUE(p.GirlButton()->IsChecked());
    EXPECT_FALSE(p.BoyButton()->IsChecked());
    EXPECT_TRUE(p.TrousersButton()->IsChecked());
    EXPECT_TRUE(p.HairCheckBox()->IsChecked());
    EXPECT_FALSE(p.HairCheckBox()->IsEnabled());
    EXPECT_FALSE(p.TieCheckBox()->IsChecked());
    EXPECT_FALSE(p.TieCheckBox()->IsEnabled());
    EXPECT_EQ(Label(L"Галстук"), 0x803366CCu);
    EXPECT_EQ(Label(L"Сумочка"), kBlack);
    EXPECT_EQ(Scroll(), 0);
    EXPECT_EQ(p.ScrollBar()->GetRect(), (Rect{284, 0, 300, 600}));
    EXPECT_EQ(p.Content()->GetRect(), (Rect{0, 0, 300, 975}));
    EXPECT_EQ(p.ScrollBar()->GetMaximum(), 975);
    EXPECT_EQ(p.ScrollBar()->GetPage(), 600);
    const girlview& figure = *m_app->PupilFigure();
    EXPECT_EQ(figure.Body()->GetParent()->GetRect(), (Rect{550, 150, 800, 617}));
    EXPECT_EQ(figure.Body()->GetRect(), (Rect{0, 0, 250, 450})) << "ends at the screen's corner";
}

TEST_F(ControlsOfThePanel, EveryControlChangesExactlyItsAttribute)
{
    struct Case {
        const char* name;
        std::function<void()> action;
        Changes expected;
    };
    const Case girl[] = {
        {"headwear", [&] { Click(kHeadwearBox); }, {{Attribute::Headwear, 1}}},
        {"glasses", [&] { Click(kGlassesBox); }, {{Attribute::Glasses, 1}}},
        {"bag", [&] { Click(kBagBox); }, {{Attribute::Bag, 1}}},
        {"hair length", [&] { Drag(kHairLengthSlider, 0, 2); }, {{Attribute::HairLength, 2}}},
        {"braids", [&] { Click(kBraidsBox); }, {{Attribute::HairType, kBraids}}},
        {"loose hair", [&] { Click(kBraidsBox); }, {{Attribute::HairType, kLooseHair}}},
        {"hair colour",
         [&] { Click(Swatch(kHairSwatches, 1)); },
         {{Attribute::HairColour, kHairPalette[1]}}},
        {"sleeves", [&] { Drag(kSleeveSlider, 0, 1); }, {{Attribute::SleeveLength, 1}}},
        {"top colour",
         [&] { Click(Swatch(kTopSwatches, 2)); },
         {{Attribute::TopColour, kTopPalettes[kGirl][2]}}},
        {"skirt", [&] { Click(kSkirtRadio); }, {{Attribute::BottomType, kSkirt}}},
        {"trousers", [&] { Click(kTrousersRadio); }, {{Attribute::BottomType, kGirlsTrousers}}},
        {"bottom length", [&] { Drag(kBottomLengthSlider, 0, 2); }, {{Attribute::BottomLength, 2}}},
        {"bottom colour",
         [&] { Click(Swatch(kBottomSwatches, 3)); },
         {{Attribute::BottomColour, kBottomPalettes[kGirl][3]}}},
        {"heel", [&] { Click(kHeelBox); }, {{Attribute::ShoeType, kHeeledShoes}}},
        {"shoe colour",
         [&] { Click(Swatch(kShoeSwatches, 0)); },
         {{Attribute::ShoeColour, kShoePalettes[kGirl][0]}}},
        {"headwear off", [&] { Click(kHeadwearBox); }, {{Attribute::Headwear, 0}}},
        {"sleeves back", [&] { Drag(kSleeveSlider, 1, 0); }, {{Attribute::SleeveLength, 0}}},
        {"the tie of a girl", [&] { Click(kTieBox); }, {}},
        {"the hair of a girl", [&] { Click(kHairBox); }, {}},
        {"a girl's white tie swatch", [&] { Click(Swatch(kTieSwatches, 2)); }, {}},
        {"the girl again", [&] { Click(kGirlRadio); }, {}},
    };
    for (const Case& c : girl)
        EXPECT_EQ(After(c.action), c.expected) << c.name;

    Click(kBoyRadio);
    const Case boy[] = {
        {"tie", [&] { Click(kTieBox); }, {{Attribute::Tie, 1}}},
        {"tie colour",
         [&] { Click(Swatch(kTieSwatches, 3)); },
         {{Attribute::TieColour, kTiePalettes[kBoy][3]}}},
        {"hair colour",
         [&] { Click(Swatch(kHairSwatches, 2)); },
         {{Attribute::HairColour, kHairPalette[2]}}},
        {"hair off whitens it",
         [&] { Click(kHairBox); },
         {{Attribute::HairPresent, 0}, {Attribute::HairColour, kWhite}}},
        {"hair on", [&] { Click(kHairBox); }, {{Attribute::HairPresent, 1}}},
        {"the bag of a boy", [&] { Click(kBagBox); }, {}},
        {"the heel of a boy", [&] { Click(kHeelBox); }, {}},
        {"the skirt of a boy", [&] { Click(kSkirtRadio); }, {}},
        {"the braids of a boy", [&] { Click(kBraidsBox); }, {}},
        {"the boy again", [&] { Click(kBoyRadio); }, {}},
    };
    for (const Case& c : boy)
        EXPECT_EQ(After(c.action), c.expected) << c.name;
}

TEST_F(ControlsOfThePanel, TheBoyForcesHisValuesWhitensTheColoursAndLocksWhatIsNotHis)
{
    Click(kBagBox);
    Click(kHeelBox);
    Click(kGlassesBox);
    Drag(kSleeveSlider, 0, 2);
    Click(Swatch(kTopSwatches, 0));
    Click(Swatch(kShoeSwatches, 1));
    Click(Swatch(kHairSwatches, 2));
    Click(kBoyRadio);

    const Appearance& a = Pupil();
    EXPECT_EQ(a.Sex, kBoy);
    EXPECT_EQ(a.ShoeType, kBoysShoes);
    EXPECT_EQ(a.BottomType, kBoysTrousers);
    EXPECT_EQ(a.HairType, kBoysHair);
    EXPECT_FALSE(a.Bag);
    EXPECT_TRUE(a.HairPresent) << "the boy inherits the girl's hair";
    EXPECT_TRUE(a.Glasses) << "glasses and the sleeves survive the switch";
    EXPECT_EQ(a.SleeveLength, kLong);
    for (Colour c : {a.ShoeColour, a.TopColour, a.BottomColour, a.TieColour, a.HairColour})
        EXPECT_EQ(c, kWhite);

    ControlPanel& p = Panel();
    EXPECT_FALSE(p.BagCheckBox()->IsChecked());
    EXPECT_FALSE(p.HeelCheckBox()->IsChecked());
    for (IMControl* locked :
         {static_cast<IMControl*>(p.BagCheckBox()), static_cast<IMControl*>(p.HeelCheckBox()),
          static_cast<IMControl*>(p.SkirtButton()), static_cast<IMControl*>(p.BraidsCheckBox())})
        EXPECT_FALSE(locked->IsEnabled());
    EXPECT_TRUE(p.TieCheckBox()->IsEnabled());
    EXPECT_TRUE(p.HairCheckBox()->IsEnabled());
    EXPECT_TRUE(p.HairCheckBox()->IsChecked());
    for (const wchar_t* grey : {L"Сумочка", L"Каблук", L"Юбка", L"Косички"})
        EXPECT_EQ(Label(grey), kGrey) << ToUtf8(grey);
    EXPECT_EQ(Label(L"Галстук"), 0xFF3366CCu);

    EXPECT_EQ(Tints(p.Swatches(ControlPanel::kShoeRow)), Listed(kShoePalettes[kBoy]));
    EXPECT_EQ(Tints(p.Swatches(ControlPanel::kTopRow)), Listed(kTopPalettes[kBoy]));
    EXPECT_EQ(Tints(p.Swatches(ControlPanel::kBottomRow)), Listed(kBottomPalettes[kBoy]));
    EXPECT_EQ(Tints(p.Swatches(ControlPanel::kTieRow)), Listed(kTiePalettes[kBoy]));
    EXPECT_EQ(Tints(p.Swatches(ControlPanel::kHairRow)), Listed(kHairPalette));

    const girlview& figure = *m_app->PupilFigure();
    EXPECT_EQ(figure.Body()->GetParent()->GetPosition(), (Point{568, 148}));
    EXPECT_EQ(figure.Body()->GetRect(), (Rect{0, 0, 242, 467}))
        << "10 beyond the right edge, 15 below";
    for (const IMPicture* layer :
         {figure.Shoes(), figure.Top(), figure.Bottom(), figure.TrouserPatch(), figure.TieLayer(),
          figure.HairFront(), figure.HairBack()})
        EXPECT_EQ(layer->colour, kWhite);

    Click(kGirlRadio);
    EXPECT_TRUE(p.BagCheckBox()->IsEnabled());
    EXPECT_FALSE(Pupil().Bag) << "what the boy dropped stays dropped";
    EXPECT_EQ(Pupil().ShoeType, kFlatShoes);
    EXPECT_EQ(Label(L"Сумочка"), kBlack);
    EXPECT_EQ(Tints(p.Swatches(ControlPanel::kShoeRow)), Listed(kShoePalettes[kGirl]));
    EXPECT_EQ(Tints(p.Swatches(ControlPanel::kTieRow)), (std::vector<Colour>(4, kWhite)));
    EXPECT_EQ(figure.Body()->GetParent()->GetPosition(), (Point{550, 150}));
}

TEST_F(ControlsOfThePanel, ASkirtedGirlSwitchedToABoyAndBackWearsTrousers)
{
    Click(kSkirtRadio);
    EXPECT_EQ(Pupil().BottomType, kSkirt);
    Click(kBoyRadio);
    EXPECT_EQ(Pupil().BottomType, kBoysTrousers);
    EXPECT_TRUE(Panel().TrousersButton()->IsChecked());
    EXPECT_FALSE(Panel().SkirtButton()->IsChecked());
    Click(kGirlRadio);
    EXPECT_EQ(Pupil().BottomType, kGirlsTrousers);
    EXPECT_TRUE(Panel().TrousersButton()->IsChecked());
    EXPECT_TRUE(Panel().SkirtButton()->IsEnabled());
}

TEST_F(ControlsOfThePanel, ABoyCannotHaveBraids)
{
    Click(kBraidsBox);
    EXPECT_EQ(Pupil().HairType, kBraids);
    Click(kBoyRadio);
    EXPECT_EQ(Pupil().HairType, kBoysHair);
    EXPECT_FALSE(Panel().BraidsCheckBox()->IsChecked());
    EXPECT_FALSE(Panel().BraidsCheckBox()->IsEnabled());
    Click(kGirlRadio);
    EXPECT_EQ(Pupil().HairType, kLooseHair);
    EXPECT_TRUE(Panel().BraidsCheckBox()->IsEnabled());
}

TEST_F(ControlsOfThePanel, ABoyWithoutHairHasNoHairLengthOrColourUntilHairComesBack)
{
    Drag(kHairLengthSlider, 0, 1);
    Click(kBoyRadio);
    Click(Swatch(kHairSwatches, 1));
    Click(kHairBox);
    const girlview& figure = *m_app->PupilFigure();
    ControlPanel& p = Panel();
    EXPECT_FALSE(Pupil().HairPresent);
    EXPECT_EQ(Pupil().HairColour, kWhite);
    EXPECT_FALSE(p.HairLengthSlider()->IsEnabled());
    for (const IMPicture* swatch : p.Swatches(ControlPanel::kHairRow))
        EXPECT_FALSE(swatch->IsEnabled());
    EXPECT_EQ(Label(L"Длина волос"), kGrey);
    EXPECT_EQ(Label(L"Цвет волос"), kGrey);
    EXPECT_TRUE(figure.HairBack()->IsHidden());
    EXPECT_EQ(figure.HairFront()->colour, kWhite);

    EXPECT_EQ(After([&] { Drag(kHairLengthSlider, 1, 2); }), Changes{}) << "the disabled slider";
    EXPECT_EQ(After([&] { Click(Swatch(kHairSwatches, 0)); }), Changes{}) << "a disabled swatch";

    Click(kHairBox);
    EXPECT_TRUE(Pupil().HairPresent);
    EXPECT_EQ(Pupil().HairLength, kMedium) << "the slider's length";
    EXPECT_EQ(Pupil().HairColour, kWhite);
    EXPECT_TRUE(p.HairLengthSlider()->IsEnabled());
    EXPECT_EQ(Label(L"Длина волос"), kBlack);
    EXPECT_FALSE(figure.HairBack()->IsHidden()) << "the boy's medium hair has a back";
}

TEST_F(ControlsOfThePanel, ScrolledToTheEndItShowsTheShoesGroup)
{
    // Every group's frame is drawn with the same pictures: the sex group's lines, at the
    // top, show what the shoe group's look like.
    std::vector<Colour> frame = Render();
    const auto at = [&](int y) { return frame[y * 800 + 100]; };
    const Colour topLine = at(5 + 7);
    const Colour bottomLine = at(5 + 90 - 2);
    const int shoeTop = 890 + 7 - 375;
    const int shoeBottom = 890 + 75 - 2 - 375;
    EXPECT_NE(at(shoeTop), topLine) << "not there before scrolling";

    ScrollToBottom();
    EXPECT_EQ(Scroll(), 375);
    EXPECT_EQ(Panel().Content()->GetRect(), (Rect{0, -375, 300, 600}));
    frame = Render();
    EXPECT_EQ(at(shoeTop), topLine);
    EXPECT_EQ(at(shoeBottom), bottomLine);
    EXPECT_LT(shoeBottom, 600) << "the whole group is inside the panel";
    // Clicks reach the shoe controls where they are shown now.
    EXPECT_EQ(After([&] { ClickAt({28, 925 - 375 + 8}); }),
              (Changes{{Attribute::ShoeType, kHeeledShoes}}));
    ScrollToTop();
    EXPECT_EQ(Scroll(), 0);
    EXPECT_EQ(Panel().Content()->GetPosition(), (Point{0, 0}));
}

TEST_F(ControlsOfThePanel, TheArrowsStepTheContentByATenthOfAPage)
{
    ClickAt({292, 592});
    EXPECT_EQ(Scroll(), 60);
    EXPECT_EQ(Panel().Content()->GetPosition(), (Point{0, -60}));
    ClickAt({292, 8});
    EXPECT_EQ(Scroll(), 0);
}

}  // namespace
}  // namespace pestrol::test
