#pragma once

#include "gui/IMWindow.h"
#include "platform/ResourceLibrary.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <utility>
#include <vector>

namespace pestrol::test {

using Messages = std::vector<std::pair<MessageId, std::uint32_t>>;

// The real main window on SDL's dummy video driver, with the program's resources and
// skin, fed with synthetic SDL events that take the window's own message path.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Takes every queued message without handling it.
    Messages Drain();
    // Handles every queued message and runs one pass of the loop.
    void Pump();
    // Passes of the message loop, drawing and timers included, for `duration` of real time.
    void Run(std::chrono::milliseconds duration);

    static void Key(SDL_Scancode code, bool down, std::uint16_t mod = KMOD_NONE,
                    SDL_Keycode sym = 0);
    // Down and up.
    static void Stroke(SDL_Scancode code);
    static void Text(const char* utf8);
    static void Button(std::uint8_t button, bool down, int x, int y, std::uint8_t clicks = 1);
    static void Motion(int x, int y, std::uint32_t state = 0);
    // Moves there, presses and releases the button.
    static void Click(int x, int y, std::uint8_t button = SDL_BUTTON_LEFT);

    IMWindow* m_window = nullptr;

private:
    std::unique_ptr<ResourceLibrary> m_library;
};

}  // namespace pestrol::test
