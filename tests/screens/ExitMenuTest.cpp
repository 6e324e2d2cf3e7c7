#include "screens/ExitMenu.h"
#include "platform/NativeWindow.h"
#include "screens/ScreenTestSupport.h"

namespace pestrol::test {
namespace {

class ExitMenuTest : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        m_app->ShowStartScreen();
        Pass();
    }
    std::size_t Menus() const { return DialogsIn(kExitMenuLayer).size(); }
    // The menu's buttons in their dialog's middle (332, 200).
    void ClickRetry() { Click(332 + 10 + 54, 200 + 20 + 23); }
    void ClickClose() { Click(332 + 10 + 55, 200 + 80 + 23); }
    void ClickCancel() { Click(332 + 10 + 55, 200 + 140 + 23); }
};

TEST_F(ExitMenuTest, F12TwiceOpensOneMenuAndCancelLetsTheNextF12OpenAFreshOne)
{
    const int cursor = ShowCursor(true) - 1;
    ShowCursor(false);
    Key(vk::kF12);
    ASSERT_EQ(Menus(), 1u);
    IMDialog* first = DialogsIn(kExitMenuLayer)[0];
    EXPECT_EQ(Find<IMDialog>(first)->GetRect(), (Rect { 332, 200, 468, 400 }));
    Key(vk::kF12);
    EXPECT_EQ(Menus(), 1u);
    EXPECT_EQ(ShowCursor(true) - 1, cursor + 1) << "one show call per opening";
    ShowCursor(false);

    ClickCancel();
    EXPECT_EQ(Menus(), 0u);
    Key(vk::kF12);
    ASSERT_EQ(Menus(), 1u);
    ClickCancel();
    EXPECT_EQ(Menus(), 0u) << "the fresh menu works as the first";
}

TEST_F(ExitMenuTest, TheVeilKeepsTheMouseAwayFromTheScreenUnderneath)
{
    Key(vk::kF12);
    Click(732, 473); // the start button under the veil
    EXPECT_TRUE(m_app->instructions.empty());
    EXPECT_EQ(Window().GetMouseOverChild(), DialogsIn(kExitMenuLayer)[0]);
}

TEST_F(ExitMenuTest, RetryOutsideTheExerciseClosesOnlyTheMenu)
{
    IMDialog* start = TopScreen();
    Key(vk::kF12);
    ClickRetry();
    EXPECT_EQ(Menus(), 0u);
    EXPECT_EQ(DialogsIn(0), std::vector<IMDialog*> { start });
}

TEST_F(ExitMenuTest, RetryDuringTheExerciseEndsTheAttemptAndShowsTheStartScreenOnTop)
{
    Type(L"Лебедев");
    Key(vk::kReturn);
    Key(vk::kEscape);
    ASSERT_EQ(m_app->exercises.size(), 1u);
    Key(vk::kF12);
    ClickRetry();
    EXPECT_EQ(Menus(), 0u);
    EXPECT_EQ(m_app->ExerciseDialog(), nullptr);
    EXPECT_EQ(m_app->CurrentExercise(), L"Dialog1");
    const std::vector<IMDialog*> screens = DialogsIn(0);
    ASSERT_EQ(screens.size(), 2u) << "the end screen, then the start screen above it";
    EXPECT_EQ(Window().GetFocusedChild(), screens[1]);
    m_app->Results().SaveReport();
    EXPECT_EQ(SheetRows(ReportPath()).at(L"Лебедев").size(), 4u) << "the final rows";
}

TEST_F(ExitMenuTest, CloseSavesTheReportAndEndsTheProgram)
{
    Type(L"Соколова");
    Key(vk::kReturn);
    Key(vk::kF12);
    ClickClose();
    EXPECT_EQ(SheetRows(ReportPath()).count(L"Соколова"), 1u);
}

} // namespace
} // namespace pestrol::test
