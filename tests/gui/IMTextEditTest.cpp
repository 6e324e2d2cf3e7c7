#include "gui/IMEditBar.h"
#include "gui/IMTextEdit.h"
#include "gui/WindowTestSupport.h"

#include <chrono>

namespace pestrol::test {
namespace {

using namespace std::chrono_literals;

// An edit bar on a screen with the keyboard focus, typed into through the window.
class Editing : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        m_screen = m_window->CreateDialog(0, 0, 800, 600);
        m_bar = new IMEditBar(m_screen);
        m_bar->SetRect({30, 28, 330, 48});
        m_edit = m_bar->GetTextEdit();
        Pump();
        m_bar->SetFocused(true);
    }

    Rect Caret() const { return m_edit->GetCaret()->GetRect(); }
    // The caret's place for the edit's cursor, in the bar.
    Rect CaretAfter(std::int32_t index) const
    {
        const Rect text = m_edit->GetRect();
        const Rect c = m_edit->GetCharRect(index);
        return {text.left + c.right, text.top + c.top, text.left + c.right + 1, text.top + c.bottom};
    }

    IMDialog* m_screen = nullptr;
    IMEditBar* m_bar = nullptr;
    IMTextEdit* m_edit = nullptr;
};

TEST_F(Editing, TheBarLaysOutItsFrameAndText)
{
    EXPECT_EQ(m_edit->GetRect(), (Rect{3, 2, 299, 19}));
    EXPECT_TRUE(m_edit->HasFocus()) << "the bar passes its focus on";
    EXPECT_FALSE(m_edit->GetCaret()->IsHidden());
    EXPECT_EQ(m_edit->GetStyle().colour, kOpaqueBlack);
    m_bar->SetFocused(false);
    EXPECT_FALSE(m_edit->HasFocus());
    EXPECT_TRUE(m_edit->GetCaret()->IsHidden());
}

TEST_F(Editing, AnEmptyEditShowsACaretAsHighAsASpace)
{
    EXPECT_EQ(Caret(), (Rect{3, 2, 4, 18}));
}

TEST_F(Editing, TypesCyrillicAndErasesWithBackspace)
{
    Text("Иван");
    Pump();
    EXPECT_EQ(m_bar->GetText(), L"Иван");
    EXPECT_EQ(m_edit->GetCursor(), 4);
    EXPECT_EQ(Caret(), CaretAfter(3));
    Stroke(SDL_SCANCODE_BACKSPACE);
    Pump();
    EXPECT_EQ(m_bar->GetText(), L"Ива");
    EXPECT_EQ(m_edit->GetCursor(), 3);
    EXPECT_EQ(Caret(), CaretAfter(2));
}

TEST_F(Editing, TabEnterAndEscapeAreNotTyped)
{
    Text("abc");
    Stroke(SDL_SCANCODE_LEFT);
    Pump();
    for (SDL_Scancode key : {SDL_SCANCODE_TAB, SDL_SCANCODE_RETURN, SDL_SCANCODE_ESCAPE}) {
        Stroke(key);
        Pump();
        EXPECT_EQ(m_bar->GetText(), L"abc") << key;
        EXPECT_EQ(m_edit->GetCursor(), 2) << key;
    }
    for (std::uint32_t c : {8u, 9u, 10u, 13u, 27u})
        EXPECT_FALSE(IMTextEdit::IsTypable(c)) << c;
    for (std::uint32_t c : {0u, 7u, 11u, 12u, 32u, std::uint32_t(L'ё')})
        EXPECT_TRUE(IMTextEdit::IsTypable(c)) << c;
}

TEST_F(Editing, CursorKeysStopAtTheEndsAndDeleteErasesAfterTheCursor)
{
    Text("ab");
    Stroke(SDL_SCANCODE_RIGHT);
    Pump();
    EXPECT_EQ(m_edit->GetCursor(), 2);
    Stroke(SDL_SCANCODE_DELETE);
    Pump();
    EXPECT_EQ(m_bar->GetText(), L"ab") << "delete at the end";
    for (int i = 0; i < 3; ++i)
        Stroke(SDL_SCANCODE_LEFT);
    Stroke(SDL_SCANCODE_BACKSPACE);
    Pump();
    EXPECT_EQ(m_edit->GetCursor(), 0);
    EXPECT_EQ(m_bar->GetText(), L"ab") << "backspace at the start";
    EXPECT_EQ(Caret().left, m_edit->GetRect().left);
    Stroke(SDL_SCANCODE_DELETE);
    Pump();
    EXPECT_EQ(m_bar->GetText(), L"b");
}

TEST_F(Editing, TheBarScrollsItsTextToKeepTheCaretInside)
{
    const std::int32_t inside = m_bar->GetWidth() - 3;
    bool scrolled = false;
    for (int i = 0; i < 40; ++i) {
        Text("Ш");
        Pump();
        EXPECT_LE(Caret().right, inside) << i;
        EXPECT_EQ(Caret(), CaretAfter(i)) << i;
        if (m_edit->GetRect().left < 3) {
            scrolled = true;
            EXPECT_EQ(Caret().right, inside) << i;
            EXPECT_GE(m_edit->GetRect().right, Caret().right) << "the text is as wide as it needs";
        }
    }
    EXPECT_TRUE(scrolled);
    for (int i = 0; i < 40; ++i) {
        Stroke(SDL_SCANCODE_LEFT);
        Pump();
        EXPECT_GE(Caret().left, 0) << i;
    }
    EXPECT_EQ(m_edit->GetCursor(), 0);
    EXPECT_EQ(Caret().left, 2);
    EXPECT_EQ(m_edit->GetRect().left, 2);
}

TEST_F(Editing, UpAndDownKeepTheColumnBetweenWrappedLines)
{
    m_edit->wordWrap = true;
    m_edit->SetRect({3, 2, 60, 100});
    m_edit->SetText(L"aaa bbb ccc");
    const auto& lines = m_edit->GetLineStarts();
    ASSERT_GE(lines.size(), 2u);
    m_edit->SetCursor(lines[1] + 1);
    Stroke(SDL_SCANCODE_LEFT);
    Stroke(SDL_SCANCODE_RIGHT);  // the desired column is now 1
    Stroke(SDL_SCANCODE_UP);
    Pump();
    EXPECT_EQ(m_edit->GetCursor(), 1);
    Stroke(SDL_SCANCODE_DOWN);
    Pump();
    EXPECT_EQ(m_edit->GetCursor(), lines[1] + 1);
    Stroke(SDL_SCANCODE_UP);
    Stroke(SDL_SCANCODE_UP);
    Pump();
    EXPECT_EQ(m_edit->GetCursor(), 1) << "the first line has none above it";
}

TEST_F(Editing, OnlyAFocusedCaretBlinks)
{
    int toggles = 0;
    IMPicture* caret = m_edit->GetCaret();
    caret->Hidden.connect([&](const IMEvent&) { ++toggles; return 0L; });
    caret->Shown.connect([&](const IMEvent&) { ++toggles; return 0L; });
    Run(1100ms);
    EXPECT_GE(toggles, 1);
    EXPECT_LE(toggles, 2);
    m_bar->SetFocused(false);
    toggles = 0;
    Run(1100ms);
    EXPECT_EQ(toggles, 0);
    EXPECT_TRUE(caret->IsHidden());
}

}  // namespace
}  // namespace pestrol::test
