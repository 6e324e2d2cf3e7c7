#include "gui/GuiTestSupport.h"
#include "gui/WindowTestSupport.h"
#include "gui/IMWindow.h"
#include "platform/NativeWindow.h"
#include "platform/RegisteredMessages.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

namespace pestrol::test {
namespace {

using Strings = std::vector<std::string>;

// The real main window on SDL's dummy video driver, fed with synthetic SDL events.
using Window = WindowTest;

TEST_F(Window, KeysBecomeVirtualKeyMessagesOfThePhysicalKey)
{
    struct Case {
        const char* name;
        SDL_Scancode code;
        std::uint16_t mod;
        SDL_Keycode sym;
        Messages down;
    };
    const Case cases[] = {
        {"F1", SDL_SCANCODE_F1, 0, 0, {{msg::kKeyDown, vk::kF1}}},
        {"F12", SDL_SCANCODE_F12, 0, 0, {{msg::kKeyDown, vk::kF12}}},
        {"Esc types 27", SDL_SCANCODE_ESCAPE, 0, 0, {{msg::kKeyDown, 27}, {msg::kChar, 27}}},
        {"Enter types 13", SDL_SCANCODE_RETURN, 0, 0, {{msg::kKeyDown, 13}, {msg::kChar, 13}}},
        {"keypad Enter", SDL_SCANCODE_KP_ENTER, 0, 0, {{msg::kKeyDown, 13}, {msg::kChar, 13}}},
        {"Backspace types 8", SDL_SCANCODE_BACKSPACE, 0, 0, {{msg::kKeyDown, 8}, {msg::kChar, 8}}},
        {"Tab types 9", SDL_SCANCODE_TAB, 0, 0, {{msg::kKeyDown, 9}, {msg::kChar, 9}}},
        {"Space (its character comes as text)", SDL_SCANCODE_SPACE, 0, 0, {{msg::kKeyDown, 32}}},
        {"Ctrl with the I/Ш key on a Russian layout", SDL_SCANCODE_I, KMOD_LCTRL, 0x0448,
         {{msg::kKeyDown, vk::kI}}},
        {"Alt with F4", SDL_SCANCODE_F4, KMOD_LALT, 0, {{msg::kSysKeyDown, vk::kF1 + 3}}},
        {"Left arrow", SDL_SCANCODE_LEFT, 0, 0, {{msg::kKeyDown, vk::kLeft}}},
        {"Delete", SDL_SCANCODE_DELETE, 0, 0, {{msg::kKeyDown, vk::kDelete}}},
    };
    for (const Case& c : cases) {
        Key(c.code, true, c.mod, c.sym);
        EXPECT_EQ(Drain(), c.down) << c.name;
        Key(c.code, false, c.mod, c.sym);
        const Messages up = Drain();
        ASSERT_EQ(up.size(), 1u) << c.name;
        EXPECT_EQ(up[0].first, (c.mod & KMOD_ALT) ? msg::kSysKeyUp : msg::kKeyUp) << c.name;
        EXPECT_EQ(up[0].second, c.down[0].second) << c.name;
    }
}

TEST_F(Window, TypedTextIsOneCharacterMessageEach)
{
    Text("Иван ё");
    EXPECT_EQ(Drain(), (Messages{{msg::kChar, L'И'}, {msg::kChar, L'в'}, {msg::kChar, L'а'},
                                 {msg::kChar, L'н'}, {msg::kChar, L' '}, {msg::kChar, L'ё'}}));
}

TEST_F(Window, MouseButtonsCarryTheHeldKeysAndDoubleClicks)
{
    Button(SDL_BUTTON_LEFT, true, 10, 20);
    Motion(11, 20, SDL_BUTTON_LMASK);
    Button(SDL_BUTTON_LEFT, false, 11, 20);
    Button(SDL_BUTTON_LEFT, true, 11, 20, 2);
    Button(SDL_BUTTON_LEFT, false, 11, 20, 2);
    Button(SDL_BUTTON_RIGHT, true, 11, 20, 2);
    Button(SDL_BUTTON_RIGHT, false, 11, 20, 2);
    Button(SDL_BUTTON_LEFT, true, 900, 20);  // in a letterbox bar: dropped
    Button(SDL_BUTTON_LEFT, false, 900, 20);
    EXPECT_EQ(Drain(), (Messages{{msg::kLButtonDown, mk::kLButton},
                                 {msg::kMouseMove, mk::kLButton},
                                 {msg::kLButtonUp, 0},
                                 {msg::kLButtonDblClk, mk::kLButton},
                                 {msg::kLButtonUp, 0},
                                 {msg::kRButtonDblClk, mk::kRButton},
                                 {msg::kRButtonUp, 0}}));
}

TEST_F(Window, TheTreeSeesALeftDoubleClickButNoRightOne)
{
    auto* target = new Plain(m_window, {0, 0, 100, 100});
    Pump();
    Log log;
    log.Watch(*target, "t");
    Motion(50, 50);
    Pump();
    log.entries.clear();
    for (std::uint8_t button : {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT}) {
        Button(button, true, 50, 50);
        Button(button, false, 50, 50);
        Button(button, true, 50, 50, 2);
        Button(button, false, 50, 50, 2);
    }
    Pump();
    EXPECT_EQ(log.entries,
              (Strings{"t.MouseButton:201", "t.Clicked:20c", "t.MouseButton:202",
                       "t.MouseButton:203", "t.DoubleClicked:203", "t.Clicked:20c",
                       "t.MouseButton:202", "t.MouseButton:204", "t.Clicked:20d",
                       "t.MouseButton:205", "t.MouseButton:205"}));
}

TEST_F(Window, TheWindowHearsKeysBeforeTheFocusChain)
{
    IMDialog* screen = m_window->CreateDialog(0, 0, 800, 600);
    Pump();
    screen->SetFocused(true);
    std::vector<std::string> order;
    m_window->KeyDown.connect([&](const IMKeyboardEvent&) { order.push_back("window"); return 0L; });
    screen->KeyDown.connect([&](const IMKeyboardEvent&) { order.push_back("screen"); return 0L; });
    Key(SDL_SCANCODE_F1, true);
    Pump();
    EXPECT_EQ(order, (Strings{"window", "screen"}));
}

TEST_F(Window, AHandlerMayCloseTheDialogThatRaisedItsEvent)
{
    bool deleted = false;
    IMDialog* screen = m_window->CreateDialog(0, 0, 800, 600);
    auto* button = new Plain(screen, {0, 0, 100, 100}, 0, &deleted);
    Pump();
    Pump();
    button->Clicked.connect([&](const IMMouseEvent&) { screen->Close(); return 0L; });
    int closed = 0;
    screen->Closed.connect([&](const IMEvent&) { ++closed; return 0L; });
    Motion(10, 10);
    Button(SDL_BUTTON_LEFT, true, 10, 10);
    Button(SDL_BUTTON_LEFT, false, 10, 10);
    Pump();
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(deleted);
    EXPECT_TRUE(m_window->Children().empty());
}

TEST_F(Window, TheQuitRequestClosesEverythingAndEndsTheLoop)
{
    bool deleted = false;
    new Plain(m_window->CreateDialog(0, 0, 10, 10), {}, 0, &deleted);
    Pump();
    Pump();
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    EXPECT_EQ(RunMessageLoop(*m_window), 0);
    m_window->FlushRemovals();
    EXPECT_TRUE(deleted);
}

TEST_F(Window, PostedMessagesFromOtherThreadsArrive)
{
    const MessageId message = RegisterMessage(L"WM_TEST_FROM_A_WORKER");
    std::thread([&] { PostRegisteredMessage(message, 7, 9); }).join();
    const Messages got = Drain();
    EXPECT_EQ(got, (Messages{{message, 7}}));
}

TEST_F(Window, MinimisingStopsDrawingButNotTheFrameCount)
{
    new Plain(m_window, {0, 0, 10, 10});
    Pump();
    m_window->SetDirty(true);
    m_window->WindowProc({msg::kSize, 1, 0});
    EXPECT_TRUE(m_window->IsInactive());
    m_window->Render();
    EXPECT_TRUE(m_window->IsDirty()) << "nothing was drawn";
    m_window->WindowProc({msg::kSize, 0, 0});
    m_window->Render();
    EXPECT_FALSE(m_window->IsDirty());
}

// Timers on real time, measured loosely.
TEST_F(Window, ATimerFiresOnceItsIntervalHasPassedAndNeverCatchesUp)
{
    using namespace std::chrono_literals;
    const std::int32_t id = m_window->AddTimer(50);
    EXPECT_EQ(id, 1);
    int fired = 0;
    m_window->ConnectTimer(id, [&](const IMEvent& e) { ++fired; EXPECT_EQ(e.m_code, 0u); return 0L; });
    const auto wait = m_window->FireTimers();
    EXPECT_EQ(fired, 0);
    ASSERT_TRUE(wait);
    EXPECT_LE(*wait, 50u);
    EXPECT_GE(*wait, 30u);
    std::this_thread::sleep_for(200ms);  // a busy loop
    m_window->FireTimers();
    EXPECT_EQ(fired, 1);
    m_window->FireTimers();
    EXPECT_EQ(fired, 1) << "no catching up";
    std::this_thread::sleep_for(60ms);
    m_window->FireTimers();
    EXPECT_EQ(fired, 2);
}

TEST_F(Window, AHandlerMayRemoveItsOwnTimerAndAddAnother)
{
    using namespace std::chrono_literals;
    const std::int32_t first = m_window->AddTimer(10);
    std::int32_t second = 0;
    int secondFired = 0;
    m_window->ConnectTimer(first, [&](const IMEvent&) {
        m_window->RemoveTimer(first);
        second = m_window->AddTimer(10);
        m_window->ConnectTimer(second, [&](const IMEvent&) { ++secondFired; return 0L; });
        return 0L;
    });
    std::this_thread::sleep_for(20ms);
    m_window->FireTimers();
    EXPECT_EQ(second, 2);
    EXPECT_EQ(secondFired, 0) << "visited in the same pass, but not yet due";
    std::this_thread::sleep_for(20ms);
    m_window->FireTimers();
    EXPECT_EQ(secondFired, 1);
    m_window->RemoveTimer(0);
    m_window->RemoveTimer(99);
    EXPECT_FALSE(m_window->ConnectTimer(0, [](const IMEvent&) { return 0L; }).connected());
    EXPECT_FALSE(m_window->ConnectTimer(first, [](const IMEvent&) { return 0L; }).connected());
    EXPECT_EQ(m_window->AddTimer(5), 3) << "ids are never reused";
}

TEST(Cursor, TheDisplayCounterShowsFromZeroUp)
{
    EXPECT_EQ(ShowCursor(false), -1);
    EXPECT_EQ(ShowCursor(false), -2);
    EXPECT_EQ(ShowCursor(true), -1);
    EXPECT_EQ(ShowCursor(true), 0);
}

}  // namespace
}  // namespace pestrol::test
