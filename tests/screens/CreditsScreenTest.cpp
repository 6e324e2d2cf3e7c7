#include "screens/CreditsScreen.h"
#include "platform/NativeWindow.h"
#include "screens/ExitMenu.h"
#include "screens/ScreenTestSupport.h"

#include <SDL.h>

namespace pestrol::test {
namespace {

class CreditsTest : public ScreensTest {
protected:
    void TearDown() override
    {
        SDL_SetModState(KMOD_NONE);
        ScreensTest::TearDown();
    }
    void CtrlI()
    {
        SDL_SetModState(KMOD_LCTRL);
        Key(0x49);
        SDL_SetModState(KMOD_NONE);
    }
    std::size_t Open() const { return DialogsIn(CreditsScreen::kLayer).size(); }
    void ClickExit() { Click(765, 32); }
    static int CursorCount()
    {
        const int count = ShowCursor(true) - 1;
        ShowCursor(false);
        return count;
    }
};

TEST_F(CreditsTest, CtrlITwiceOpensOneScreenAndAfterClosingOpensAgain)
{
    Key(0x49);
    EXPECT_EQ(Open(), 0u) << "I without Ctrl";
    CtrlI();
    ASSERT_EQ(Open(), 1u);
    CtrlI();
    EXPECT_EQ(Open(), 1u);
    ClickExit();
    EXPECT_EQ(Open(), 0u);
    EXPECT_FALSE(CreditsScreen::IsOpen());
    CtrlI();
    EXPECT_EQ(Open(), 1u);
    ClickExit();
}

TEST_F(CreditsTest, TheCursorCountComesBackToWhereItWas)
{
    const int start = CursorCount();
    for (const int before : { -1, 0, 1, 3 }) {
        SCOPED_TRACE(before);
        while (CursorCount() < before)
            ShowCursor(true);
        while (CursorCount() > before)
            ShowCursor(false);
        CtrlI();
        EXPECT_EQ(CursorCount(), std::max(before + 1, 2)) << "shown while open";
        ClickExit();
        EXPECT_EQ(CursorCount(), before);
    }
    while (CursorCount() > start)
        ShowCursor(false);
    while (CursorCount() < start)
        ShowCursor(true);
}

TEST_F(CreditsTest, TheCreditsLieAboveTheExitMenu)
{
    Key(vk::kF12);
    CtrlI();
    ASSERT_EQ(DialogsIn(kExitMenuLayer).size(), 1u);
    MoveTo(765, 32);
    EXPECT_EQ(Window().GetMouseOverChild(), DialogsIn(CreditsScreen::kLayer)[0]);
    ClickExit();
    EXPECT_EQ(Open(), 0u);
    EXPECT_EQ(DialogsIn(kExitMenuLayer).size(), 1u) << "the menu stays";
}

} // namespace
} // namespace pestrol::test
