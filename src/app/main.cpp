// For now the program only opens its window, shows it black and closes it again on any
// key or when the window is closed; the exercise grows into it.
#include "platform/ResourceLibrary.h"

#include <SDL.h>

#include <cstdio>

namespace {

constexpr char kTitle[] = "00517 Тренажер «Пестроль»";

int Fail(const char* what)
{
    std::fprintf(stderr, "%s: %s\n", what, SDL_GetError());
    SDL_Quit();
    return 1;
}

}  // namespace

int main()
{
    pestrol::ResourceLibrary resources(pestrol::EmbeddedResources(),
                                       pestrol::ExecutableDirectory() / "Animations.dll");
    pestrol::ResourceLibrary::SetCurrent(&resources);

    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return Fail("SDL_Init");
    SDL_Rect bounds{0, 0, 800, 600};
    SDL_GetDisplayBounds(0, &bounds);
    SDL_Window* window =
        SDL_CreateWindow(kTitle, bounds.x, bounds.y, bounds.w, bounds.h,
                         SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS);
    if (window == nullptr)
        return Fail("SDL_CreateWindow");
    if (SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, 0)) {
        SDL_RenderSetLogicalSize(renderer, 800, 600);
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        SDL_RenderPresent(renderer);
        SDL_Event event;
        while (SDL_WaitEvent(&event) && event.type != SDL_QUIT && event.type != SDL_KEYDOWN &&
               event.type != SDL_MOUSEBUTTONDOWN) {
        }
        SDL_DestroyRenderer(renderer);
    }
    SDL_DestroyWindow(window);
    SDL_Quit();
    pestrol::ResourceLibrary::SetCurrent(nullptr);
    return 0;
}
