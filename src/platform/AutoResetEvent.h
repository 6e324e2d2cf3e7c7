#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace pestrol {

// A wake-up signal that one waiter consumes: Set wakes the next wait (or the current
// one), and the wait that sees it clears it again.
class AutoResetEvent {
public:
    void Set();
    // True when woken by Set, false when the time ran out.
    bool WaitFor(std::chrono::milliseconds timeout);

private:
    std::mutex m_guard;
    std::condition_variable m_changed;
    bool m_set = false;
};

}  // namespace pestrol
