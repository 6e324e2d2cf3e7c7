#include "screens/EndScreen.h"
#include "gui/IMButtonBase.h"
#include "screens/ScreenTestSupport.h"

namespace pestrol::test {
namespace {

class EndScreenTest : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        m_app->ShowStartScreen();
        Pass();
    }
    // The end screen's buttons in the order they were made: Print, Save As, Retry,
    // Close, exit.
    std::vector<IMButton*> Buttons() const
    {
        std::vector<IMButton*> buttons;
        for (const auto& [layer, list] : TopScreen()->Children())
            for (IMControl* child : list)
                if (auto* button = dynamic_cast<IMButton*>(child))
                    buttons.push_back(button);
        return buttons;
    }
};

TEST_F(EndScreenTest, WithoutANameTheReportButtonsAreGreyAndDoNothing)
{
    RunToEndScreen(L"");
    EXPECT_EQ(m_app->Results().Report(), nullptr);
    const std::vector<IMButton*> buttons = Buttons();
    ASSERT_EQ(buttons.size(), 5u);
    for (IMButton* button : { buttons[0], buttons[1] }) {
        EXPECT_FALSE(button->IsEnabled());
        EXPECT_EQ(button->GetColour(), kUnavailableTint);
        EXPECT_TRUE(button->Clicked.empty()) << "no handler";
    }
    Click(30 + 42, 490 + 23);
    Click(128 + 74, 490 + 23);
    EXPECT_EQ(DialogsIn(0).size(), 1u) << "nothing opened over the end screen";
    for (IMButton* button : { buttons[2], buttons[3], buttons[4] })
        EXPECT_TRUE(button->IsEnabled());
}

TEST_F(EndScreenTest, WithAReportPrintAndSaveAsAreConnected)
{
    RunToEndScreen(L"Сидорова");
    const std::vector<IMButton*> buttons = Buttons();
    ASSERT_EQ(buttons.size(), 5u);
    EXPECT_EQ(buttons[0]->GetRect(), (Rect { 30, 490, 114, 537 }));
    EXPECT_EQ(buttons[1]->GetRect(), (Rect { 128, 490, 276, 537 }));
    for (IMButton* button : { buttons[0], buttons[1] }) {
        EXPECT_TRUE(button->IsEnabled());
        EXPECT_EQ(button->GetColour(), kWhite);
        EXPECT_EQ(button->Clicked.num_slots(), 1u);
    }
}

TEST_F(EndScreenTest, EnterRunsTheExerciseAgainOnlyAfterAClickGaveTheScreenTheFocus)
{
    RunToEndScreen(L"Кузнецов");
    IMDialog* end = TopScreen();
    Key(vk::kReturn);
    EXPECT_EQ(m_app->exercises.size(), 1u) << "the end screen has no focus yet";
    EXPECT_EQ(TopScreen(), end);

    Click(400, 100);
    Key(vk::kReturn);
    ASSERT_EQ(m_app->exercises.size(), 2u) << "the exercise again, without start screen";
    EXPECT_EQ(m_app->instructions.size(), 1u) << "and without instruction";
    EXPECT_EQ(TopScreen(), m_app->exercises[1]);
    Key(vk::kReturn);
    EXPECT_EQ(m_app->exercises.size(), 2u);

    m_app->exercises[1]->Close();
    Pass();
    m_app->Results().SaveReport();
    const Rows rows = SheetRows(ReportPath()).at(L"Кузнецов");
    ASSERT_EQ(rows.size(), 8u) << "two sets of start, count, total and empty rows";
    EXPECT_EQ(rows[4][0], L"Время начала работы с упражнением");
}

TEST_F(EndScreenTest, RetryBuildsTheStartScreenAndCloses)
{
    RunToEndScreen(L"Орлов");
    IMDialog* end = TopScreen();
    Click(535 + 54, 490 + 23);
    ASSERT_EQ(DialogsIn(0).size(), 1u);
    EXPECT_NE(TopScreen(), end);
    EXPECT_EQ(Window().GetFocusedChild(), TopScreen()) << "the name field has the focus";
    RunToEndScreen(L"Орлов");
    m_app->Results().SaveReport();
    EXPECT_EQ(SheetRows(ReportPath()).at(L"Орлов").size(), 8u) << "both attempts kept";
}

TEST_F(EndScreenTest, CloseEndsTheProgramAndSavesTheReport)
{
    RunToEndScreen(L"Волкова");
    Click(660 + 55, 490 + 23);
    EXPECT_EQ(SheetRows(ReportPath()).at(L"Волкова").size(), 4u);
}

} // namespace
} // namespace pestrol::test
