#pragma once

#include "gfx/IMResourceManager.h"
#include "platform/ResourceLibrary.h"

#include <SDL.h>

#include <cstdlib>

namespace pestrol::bench {

// A hidden window with the manager and the program's skin, on the software renderer.
class Screen {
public:
    Screen()
        : m_library(EmbeddedResources(), {})
    {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_RENDER_DRIVER", "software", 0);
        ResourceLibrary::SetCurrent(&m_library);
        SDL_InitSubSystem(SDL_INIT_VIDEO);
        m_window = SDL_CreateWindow("bench", 0, 0, 800, 600, SDL_WINDOW_HIDDEN);
        CreateRenderer(m_window, true);
    }
    ~Screen()
    {
        DestroyRenderer();
        SDL_DestroyWindow(m_window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        ResourceLibrary::SetCurrent(nullptr);
    }

private:
    ResourceLibrary m_library;
    SDL_Window* m_window = nullptr;
};

} // namespace pestrol::bench
