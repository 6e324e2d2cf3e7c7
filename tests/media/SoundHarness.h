#pragma once

#include "gui/IMTimerHost.h"
#include "media/CSoundSystem.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace pestrol::test {

// What the sound system needs of the main window: its timers, fired the way its message
// loop fires them, and the loop itself, handing every registered message to the sounds.
class FakeWindow : public IMTimerHost {
public:
    FakeWindow() { SetMain(this); }
    ~FakeWindow() override { SetMain(nullptr); }
    FakeWindow(const FakeWindow&) = delete;
    FakeWindow& operator=(const FakeWindow&) = delete;

    std::int32_t AddTimer(std::uint32_t interval) override;
    boost::signals2::connection ConnectTimer(std::int32_t id,
                                             const TimerSignal::slot_type& handler) override;
    void RemoveTimer(std::int32_t id) override;
    std::size_t TimerCount() const { return m_timers.size(); }

    // Runs the loop for `duration`, or until `done` says so after a message.
    void Run(CSoundSystem& sounds, std::chrono::milliseconds duration,
             const std::function<bool()>& done = {});

private:
    struct Timer {
        std::uint32_t interval;
        std::chrono::steady_clock::time_point last;
        TimerSignal signal;
    };
    void FireDueTimers();

    std::int32_t m_lastId = 0;
    std::map<std::int32_t, std::unique_ptr<Timer>> m_timers;
    std::vector<std::unique_ptr<Timer>> m_removed;  // kept until their handlers return
};

// What the handlers heard, in order, in seconds since the recorder was made.
class Recorder {
public:
    struct Heard {
        std::string what;
        std::uint32_t id;
        std::uint32_t time;
        double at;
    };

    std::function<std::int32_t(std::uint32_t)> Sound(const std::string& what);
    std::function<std::int32_t(std::uint32_t, std::uint32_t)> Label();

    // Connects to the three signals of the stream, as "started", "ended", "stopped".
    void Listen(CSoundStream& stream);

    double Now() const;
    int Count(const std::string& what) const;
    const Heard* First(const std::string& what) const;
    std::vector<std::string> Order() const;
    const std::vector<Heard>& All() const { return m_heard; }

private:
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
    std::vector<Heard> m_heard;
};

}  // namespace pestrol::test
