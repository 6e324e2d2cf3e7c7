#include "gui/IMList.h"
#include "gui/WindowTestSupport.h"

namespace pestrol::test {
namespace {

// A list of 200 by 100 at (20, 50) of a screen with three printers.
class Lists : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        m_screen = m_window->CreateDialog(0, 0, 800, 600);
        m_list = new IMList(m_screen);
        m_list->SetRect({20, 50, 220, 150});
        for (const wchar_t* name : {L"Принтер в классе", L"PDF", L"Учительская"})
            m_list->AddItem(name);
        Pump();
    }

    // Clicks line `i` through the window.
    void ClickLine(std::size_t i, std::uint8_t button = SDL_BUTTON_LEFT)
    {
        const Rect line = m_list->Items()[i]->GetRect();
        Click(20 + 1 + line.left + 3, 50 + 1 + line.top + 5, button);
        Pump();
    }

    IMDialog* m_screen = nullptr;
    IMList* m_list = nullptr;
};

TEST_F(Lists, StackLinesFromTheTopInOpaqueBlack)
{
    const auto& lines = m_list->Items();
    ASSERT_EQ(lines.size(), 3u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i]->GetRect().top, std::int32_t(i) * 16) << i;
        EXPECT_EQ(lines[i]->GetHeight(), 16) << i;
        EXPECT_EQ(lines[i]->GetStyle().colour, kOpaqueBlack) << i;
        EXPECT_EQ(lines[i]->GetParent(), m_list->GetItemsDialog()) << i;
    }
    EXPECT_EQ(m_list->GetItemsDialog()->GetRect(), (Rect{1, 1, 199, 99}));
    EXPECT_EQ(m_list->GetSelected(), nullptr);
    EXPECT_TRUE(m_list->GetSelectionMask()->IsHidden());
}

TEST_F(Lists, AClickSelectsALineBehindTheMask)
{
    ClickLine(1);
    EXPECT_EQ(m_list->GetSelected(), m_list->Items()[1]);
    EXPECT_FALSE(m_list->GetSelectionMask()->IsHidden());
    EXPECT_EQ(m_list->GetSelectionMask()->GetRect(), (Rect{0, 16, 198, 33}));
    ClickLine(2, SDL_BUTTON_RIGHT);
    EXPECT_EQ(m_list->GetSelected(), m_list->Items()[2]);
    EXPECT_EQ(m_list->GetSelectionMask()->GetRect(), (Rect{0, 32, 198, 49}));
    m_list->Select(nullptr);
    EXPECT_TRUE(m_list->GetSelectionMask()->IsHidden());
    EXPECT_EQ(m_list->GetSelected(), nullptr);
}

TEST_F(Lists, LinesBeyondTheBoxAreStillAdded)
{
    for (int i = 0; i < 6; ++i)
        m_list->AddItem(L"ещё");
    EXPECT_EQ(m_list->Items().back()->GetRect().top, 8 * 16);
}

}  // namespace
}  // namespace pestrol::test
