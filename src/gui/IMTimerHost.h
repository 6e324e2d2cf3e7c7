#pragma once

#include "gui/IMEvent.h"

#include <boost/signals2/connection.hpp>
#include <boost/signals2/signal.hpp>

#include <cstdint>

namespace pestrol {

// The main window's timers, fired by its message loop on the main thread: what the
// sound labels need of the window.
class IMTimerHost {
public:
    using TimerSignal = IMSignal<IMEvent>;

    virtual ~IMTimerHost() = default;

    // The main window's timers while the window exists: it sets itself when made and
    // clears the pointer when it goes.
    static IMTimerHost* Main();
    static void SetMain(IMTimerHost* host);

    // A new timer firing every `interval` milliseconds; ids start at 1, never reused.
    virtual std::int32_t AddTimer(std::uint32_t interval) = 0;
    // An empty connection for id 0 or an unknown id.
    virtual boost::signals2::connection ConnectTimer(std::int32_t id,
                                                     const TimerSignal::slot_type& handler) = 0;
    // Does nothing for id 0 or an unknown id; a handler may remove its own timer.
    virtual void RemoveTimer(std::int32_t id) = 0;
};

}  // namespace pestrol
