#include "platform/AutoResetEvent.h"

namespace pestrol {

void AutoResetEvent::Set()
{
    {
        std::lock_guard lock(m_guard);
        m_set = true;
    }
    m_changed.notify_one();
}

bool AutoResetEvent::WaitFor(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_guard);
    const bool woken = m_changed.wait_for(lock, timeout, [this] { return m_set; });
    m_set = false;
    return woken;
}

}  // namespace pestrol
