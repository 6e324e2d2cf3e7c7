#pragma once

#include "exercise/Appearance.h"

#include <boost/function.hpp>

#include <array>
#include <cstdint>

namespace pestrol {

// The multimedia timer's millisecond count, replaceable so that tests can set the time.
using MillisecondClock = boost::function<std::uint32_t()>;

// How long the pupil took to get one attribute right: the total of the intervals that
// ended with it becoming right; -1 while it never was.
struct AttributeTimer {
    bool matched = false;
    std::int32_t time = -1;
};
using AttributeTimers = std::array<AttributeTimer, kAttributeCount>;

// One check of the attempt: every attribute that has just become equal to the target's
// (plain equality, in attribute order) takes the interval since `mark`, which then moves
// to that moment; an attribute that differs waits to become right again.
void TimeAttributes(const Appearance& pupil, const Appearance& target, std::uint32_t& mark,
                    AttributeTimers& timers, const MillisecondClock& clock);

}  // namespace pestrol
