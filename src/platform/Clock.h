#pragma once

#include <cstdint>
#include <ctime>

namespace pestrol {

// The high-resolution counter for window timers and auto-repeat, and its ticks per second.
std::uint64_t PerformanceCounter();
std::uint64_t PerformanceFrequency();

// Milliseconds since the program started, wrapping at 2^32 like the multimedia timer:
// exercise timing, frame statistics and animations.
std::uint32_t TickCount();

// Calendar seconds since 1970: the results' start time and total time, random seeds.
std::time_t CalendarSeconds();

}  // namespace pestrol
