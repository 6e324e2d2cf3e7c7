#include "gui/IMEditBar.h"
#include "gui/IMScroll.h"
#include "screens/ScreenTestSupport.h"

namespace pestrol::test {
namespace {

using StartScreenTest = ScreensTest;

// The box of the description and its scroll bar.
constexpr std::int32_t kBoxHeight = 236;

TEST_F(StartScreenTest, TheNameFieldHasTheFocusAndEnterStartsOncePerPress)
{
    m_app->ShowStartScreen();
    Pass();
    IMDialog* start = TopScreen();
    IMEditBar* name = Find<IMEditBar>(start);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->GetRect(), (Rect { 135, 460, 655, 480 }));
    EXPECT_TRUE(name->HasFocus());
    EXPECT_EQ(Window().GetFocusedChild(), start);

    Key(vk::kReturn);
    EXPECT_EQ(m_app->instructions.size(), 1u);
    EXPECT_TRUE(m_app->IsInstructionActive());
    EXPECT_EQ(m_app->Results().Report(), nullptr) << "an empty name opens no report";
    EXPECT_EQ(TopScreen(), m_app->instructions[0]) << "the start screen has gone";
    EXPECT_EQ(DialogsIn(0).size(), 1u);
    Key(vk::kReturn);
    EXPECT_EQ(m_app->instructions.size(), 1u);
}

TEST_F(StartScreenTest, StartWithANameOpensThatPupilsWorksheet)
{
    m_app->ShowStartScreen();
    Pass();
    Type(L"Иванов");
    Click(732, 473);
    ASSERT_NE(m_app->Results().Report(), nullptr);
    EXPECT_EQ(m_app->Results().Report()->WorksheetName(), L"Иванов");
    EXPECT_EQ(m_app->PupilName(), L"Иванов");
    ASSERT_EQ(m_app->instructions.size(), 1u);
    Key(vk::kEscape);
    ASSERT_EQ(m_app->exercises.size(), 1u) << "Esc started the exercise";
    m_app->exercises[0]->Close();
    Pass();
    m_app->Results().SaveReport();
    const auto sheets = SheetRows(ReportPath());
    ASSERT_EQ(sheets.count(L"Иванов"), 1u);
    EXPECT_EQ(sheets.at(L"Иванов")[0][0], L"Время начала работы с упражнением");
}

TEST_F(StartScreenTest, TheExitPictureClosesTheWindowAndSavesTheReport)
{
    m_app->Results().OpenReport(L"Петров");
    m_app->ShowStartScreen();
    Pass();
    Click(765, 32);
    EXPECT_FALSE(SheetRows(ReportPath()).empty()) << "saved through the window's Closed";
    bool quit = false;
    while (auto m = Window().Native().PeekMessage())
        quit = quit || m->message == msg::kQuit;
    EXPECT_TRUE(quit);
}

// A description of `lines` lines of the box's font.
std::wstring Lines(int lines)
{
    std::wstring text;
    for (int i = 0; i < lines; ++i)
        text += L"Строка описания номер " + std::to_wstring(i + 1) + L"\n";
    return text;
}

TEST_F(StartScreenTest, TheScrollBarShowsOnlyForADescriptionTallerThanItsBox)
{
    struct Case {
        int lines;
        bool scrollable;
    };
    for (const Case c :
        { Case { 1, false }, Case { 12, false }, Case { 13, true }, Case { 40, true } }) {
        SCOPED_TRACE(c.lines);
        m_app->SetDescription(Lines(c.lines));
        m_app->ShowStartScreen();
        Pass();
        IMDialog* start = TopScreen();
        auto* scroll = Find<IMScroll>(start);
        ASSERT_NE(scroll, nullptr);
        EXPECT_EQ(scroll->GetRect(), (Rect { 712, 187, 726, 427 }));
        auto* caption = Find<IMCaption>(Find<IMDialog>(Find<IMDialog>(start)));
        ASSERT_NE(caption, nullptr);
        const std::int32_t height = caption->GetRect().Height();
        EXPECT_EQ(height > kBoxHeight, c.scrollable) << height;
        EXPECT_EQ(scroll->IsHidden(), !c.scrollable);
        EXPECT_EQ(scroll->GetMaximum(), height);
        EXPECT_EQ(scroll->GetPage(), kBoxHeight);
        start->Close();
        Pass();
    }
}

TEST_F(StartScreenTest, ScrollingMovesTheTextUpInsideTheBox)
{
    m_app->SetDescription(Lines(30));
    m_app->ShowStartScreen();
    Pass();
    IMDialog* start = TopScreen();
    auto* scroll = Find<IMScroll>(start);
    IMDialog* box = Find<IMDialog>(start);
    IMDialog* text = Find<IMDialog>(box);
    EXPECT_EQ(box->GetRect(), (Rect { 119, 187, 712, 423 }));
    const std::int32_t bottom = text->GetRect().bottom;
    scroll->SetValue(100);
    EXPECT_EQ(text->GetRect().top, -100);
    EXPECT_EQ(text->GetRect().bottom, bottom);
    scroll->SetValue(100000);
    EXPECT_EQ(text->GetRect().top, -(bottom - kBoxHeight)) << "the last line stays in the box";
}

} // namespace
} // namespace pestrol::test
