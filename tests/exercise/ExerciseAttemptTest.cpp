#include "exercise/ExerciseScreenFixture.h"
#include "gfx/GfxTestSupport.h"
#include "platform/Utf8.h"

namespace pestrol::test {
namespace {

using namespace panel;

Size SizeOf(const IMPicture* layer)
{
    return {layer->GetWidth(), layer->GetHeight()};
}

using Attempt = ExerciseScreen;

TEST_F(Attempt, TheFirstTargetWaitsHiddenInItsFrameAndTheScreenShowsIt)
{
    IMDialog* frame = m_app->TargetFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetParent(), &Window());
    EXPECT_EQ(frame->GetRect(), (Rect{320, 20, 508, 336}));
    EXPECT_EQ(Window().LayerOf(frame), 50);
    EXPECT_TRUE(frame->IsHidden());
    EXPECT_EQ(m_app->CurrentExercise(), L"Dialog1");
    const auto& pictures = frame->Children().at(0);
    ASSERT_FALSE(pictures.empty());
    auto* panel = dynamic_cast<IMPicture*>(pictures.front());
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->GetRect(), (Rect{0, 0, 188, 316}));

    Open();
    EXPECT_FALSE(frame->IsHidden());
    EXPECT_FALSE(AppearancesEqual(*m_app->PupilFigure(), *m_app->TargetFigure()));
}

TEST_F(Attempt, TargetsAreDrawnAtSevenTenthsOfFullSize)
{
    struct Case {
        int sex;
        Size size;
    };
    for (const Case& c : {Case{kGirl, {174, 314}}, Case{kBoy, {169, 326}}}) {
        m_app->ReplaceTarget(SeedFor(c.sex));
        Pump();
        const girlview& target = *m_app->TargetFigure();
        EXPECT_EQ(target.GetAppearance().Sex, c.sex);
        EXPECT_EQ(target.Body()->GetParent(), m_app->TargetFrame());
        EXPECT_EQ(SizeOf(target.Body()), c.size);
        EXPECT_EQ(SizeOf(target.Top()), c.size);
        EXPECT_TRUE(m_app->TargetFrame()->IsHidden());
    }
    EXPECT_EQ(Window().Children().at(50).size(), 1u) << "replaced frames are gone";
}

TEST_F(Attempt, AnAttributeRightFromTheStartGetsAFewMilliseconds)
{
    m_app->ReplaceTarget(SeedFor(kGirl));
    Open();
    int right = 0;
    for (int i = 0; i < kAttributeCount; ++i) {
        const auto a = static_cast<Attribute>(i);
        const AttributeTimer& t = m_app->Timers()[i];
        SCOPED_TRACE(ToUtf8(kAttributeLabels[i]));
        if (Pupil().ValueOf(a) == Target().ValueOf(a)) {
            ++right;
            EXPECT_TRUE(t.matched);
            EXPECT_GE(t.time, 1);
            EXPECT_LE(t.time, 100);
        } else {
            EXPECT_FALSE(t.matched);
            EXPECT_EQ(t.time, -1);
        }
    }
    EXPECT_GE(right, 3) << "sex, tie and hair at least";
}

TEST_F(Attempt, RightWrongAndRightAgainAddsASecondInterval)
{
    m_app->ReplaceTarget(SeedFor(kGirl, [](const Appearance& a) { return !a.Glasses; }));
    Open();
    const int glasses = static_cast<int>(Attribute::Glasses);
    const std::int32_t first = m_app->Timers()[glasses].time;
    ASSERT_GE(first, 1);
    m_clock.step = 0;
    m_clock.now = 200000;
    Click(kGlassesBox);
    EXPECT_FALSE(m_app->Timers()[glasses].matched);
    const std::uint32_t mark = m_app->Mark();
    m_clock.now = 203000;
    Click(kGlassesBox);
    EXPECT_TRUE(m_app->Timers()[glasses].matched);
    EXPECT_EQ(m_app->Timers()[glasses].time, first + std::int32_t(203000 - mark));
    EXPECT_EQ(m_app->Mark(), 203000u);
}

TEST_F(Attempt, AnAttributeMadeRightTakesTheTimeSinceTheLastOneWas)
{
    m_app->ReplaceTarget(
        SeedFor(kGirl, [](const Appearance& a) { return a.Glasses && a.Headwear; }));
    Open();
    m_clock.step = 0;
    m_clock.now = 300000;
    Click(kGlassesBox);
    m_clock.now = 304500;
    Click(kHeadwearBox);
    EXPECT_EQ(m_app->Timers()[static_cast<int>(Attribute::Headwear)].time, 4500);
}

TEST_F(Attempt, RestartHidesTheTargetAndKeepsIt)
{
    Open();
    const girlview* target = m_app->TargetFigure();
    m_app->Restart();
    Pump();
    EXPECT_TRUE(m_app->TargetFrame()->IsHidden());
    EXPECT_EQ(m_app->TargetFigure(), target);
}

// Solves a target of each sex with the panel alone, and leaves pictures of the screen as
// it opens and as it is solved in the working directory, for a person to look at.
TEST_F(Attempt, AGeneratedTargetIsSolvedWithThePanelAlone)
{
    struct Case {
        int sex;
        const char* opened;
        const char* picture;
    };
    for (const Case& c : {Case{kGirl, "exercise_girl_opened.png", "exercise_girl.png"},
                          Case{kBoy, "exercise_boy_opened.png", "exercise_boy.png"}}) {
        SCOPED_TRACE(c.picture);
        m_app->ReplaceTarget(SeedFor(c.sex, [](const Appearance& a) {
            return a.Sex == kBoy ? a.Tie
                                 : a.Bag && a.HairType == kBraids && a.ShoeType == kHeeledShoes;
        }));
        Open();
        EXPECT_FALSE(AppearancesEqual(Pupil(), Target()));
        ASSERT_TRUE(WritePngFile(c.opened, 800, 600, Render()));
        Solve(Target());
        EXPECT_TRUE(AppearancesEqual(Pupil(), Target()));
        for (int i = 0; i < kAttributeCount; ++i) {
            const auto a = static_cast<Attribute>(i);
            if (Pupil().ValueOf(a) == Target().ValueOf(a)) {
                EXPECT_GE(m_app->Timers()[i].time, 1) << ToUtf8(kAttributeLabels[i]);
            }
        }

        const std::vector<Colour> frame = Render();
        ASSERT_TRUE(WritePngFile(c.picture, 800, 600, frame));
        const Colour besideTarget = frame[100 * 800 + 500];  // right of the small figure
        EXPECT_GT(BlueOf(besideTarget), RedOf(besideTarget)) << "the target's dark blue panel";
        m_app->ExerciseDialog()->Close();
        Pump();
    }
}

}  // namespace
}  // namespace pestrol::test
