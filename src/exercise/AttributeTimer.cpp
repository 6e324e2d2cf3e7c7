#include "exercise/AttributeTimer.h"

namespace pestrol {

void TimeAttributes(const Appearance& pupil, const Appearance& target, std::uint32_t& mark,
                    AttributeTimers& timers, const MillisecondClock& clock)
{
    for (int i = 0; i < kAttributeCount; ++i) {
        const auto attribute = static_cast<Attribute>(i);
        AttributeTimer& timer = timers[i];
        if (pupil.ValueOf(attribute) != target.ValueOf(attribute)) {
            timer.matched = false;
            continue;
        }
        if (timer.matched)
            continue;
        timer.matched = true;
        if (timer.time == -1)
            timer.time = 0;
        // Unsigned, so that the interval stays right across the counter's wrap.
        timer.time += static_cast<std::int32_t>(clock() - mark);
        mark = clock();
    }
}

}  // namespace pestrol
