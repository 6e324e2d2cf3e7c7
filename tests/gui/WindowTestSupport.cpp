#include "gui/WindowTestSupport.h"

#include "gfx/IMResourceManager.h"
#include "platform/NativeWindow.h"

#include <cstring>
#include <thread>

namespace pestrol::test {

void WindowTest::SetUp()
{
    m_library = std::make_unique<ResourceLibrary>(EmbeddedResources(), std::filesystem::path{});
    ResourceLibrary::SetCurrent(m_library.get());
    m_window = CreateMainWindow(std::nullopt, L"test", true);
    ASSERT_EQ(MainWindow(), m_window);
    Drain();
}

void WindowTest::TearDown()
{
    delete m_window;
    EXPECT_EQ(MainWindow(), nullptr);
    EXPECT_EQ(IMTimerHost::Main(), nullptr);
    ResourceLibrary::SetCurrent(nullptr);
}

Messages WindowTest::Drain()
{
    Messages out;
    while (auto m = m_window->Native().PeekMessage())
        out.emplace_back(m->message, m->wParam);
    return out;
}

void WindowTest::Pump()
{
    while (auto m = m_window->Native().PeekMessage())
        m_window->WindowProc(*m);
    m_window->HandleIdle(IMEvent(m_window, code::kIdle));
}

void WindowTest::Run(std::chrono::milliseconds duration)
{
    const auto end = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < end) {
        Pump();
        m_window->Render();
        m_window->FireTimers();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void WindowTest::Key(SDL_Scancode code, bool down, std::uint16_t mod, SDL_Keycode sym)
{
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.scancode = code;
    e.key.keysym.sym = sym != 0 ? sym : SDL_GetKeyFromScancode(code);
    e.key.keysym.mod = mod;
    SDL_PushEvent(&e);
}

void WindowTest::Stroke(SDL_Scancode code)
{
    Key(code, true);
    Key(code, false);
}

void WindowTest::Text(const char* utf8)
{
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
    SDL_PushEvent(&e);
}

void WindowTest::Button(std::uint8_t button, bool down, int x, int y, std::uint8_t clicks)
{
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = button;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = clicks;
    e.button.x = x;
    e.button.y = y;
    SDL_PushEvent(&e);
}

void WindowTest::Motion(int x, int y, std::uint32_t state)
{
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    e.motion.state = state;
    SDL_PushEvent(&e);
}

void WindowTest::Click(int x, int y, std::uint8_t button)
{
    Motion(x, y);
    Button(button, true, x, y);
    Button(button, false, x, y);
}

}  // namespace pestrol::test
