#include "platform/Clock.h"

#include <SDL.h>

namespace pestrol {

std::uint64_t PerformanceCounter()
{
    return SDL_GetPerformanceCounter();
}

std::uint64_t PerformanceFrequency()
{
    return SDL_GetPerformanceFrequency();
}

std::uint32_t TickCount()
{
    return static_cast<std::uint32_t>(SDL_GetTicks64());
}

std::time_t CalendarSeconds()
{
    return std::time(nullptr);
}

}  // namespace pestrol
