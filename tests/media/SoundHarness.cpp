#include "media/SoundHarness.h"

#include "platform/RegisteredMessages.h"

namespace pestrol::test {

using Clock = std::chrono::steady_clock;

std::int32_t FakeWindow::AddTimer(std::uint32_t interval)
{
    auto timer = std::make_unique<Timer>();
    timer->interval = interval;
    timer->last = Clock::now();
    m_timers.emplace(++m_lastId, std::move(timer));
    return m_lastId;
}

boost::signals2::connection FakeWindow::ConnectTimer(std::int32_t id,
                                                     const TimerSignal::slot_type& handler)
{
    auto it = m_timers.find(id);
    return it == m_timers.end() ? boost::signals2::connection() : it->second->signal.connect(handler);
}

void FakeWindow::RemoveTimer(std::int32_t id)
{
    auto it = m_timers.find(id);
    if (it == m_timers.end())
        return;
    it->second->signal.disconnect_all_slots();
    m_removed.push_back(std::move(it->second));
    m_timers.erase(it);
}

void FakeWindow::FireDueTimers()
{
    for (auto it = m_timers.begin(); it != m_timers.end();) {
        auto next = std::next(it);
        Timer& timer = *it->second;
        const auto elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - timer.last);
        if (static_cast<std::uint32_t>(elapsed.count()) >= timer.interval) {
            timer.last = Clock::now();
            if (!timer.signal.empty())
                timer.signal(IMEvent(nullptr, 0));
        }
        it = next;
    }
    m_removed.clear();
}

void FakeWindow::Run(CSoundSystem& sounds, std::chrono::milliseconds duration,
                     const std::function<bool()>& done)
{
    const Clock::time_point end = Clock::now() + duration;
    while (Clock::now() < end) {
        FireDueTimers();
        if (auto message = WaitRegisteredMessage(1)) {
            sounds.HandleSoundMessage(message->message, message->wParam, message->lParam);
            if (done && done())
                return;
        }
    }
}

std::function<std::int32_t(std::uint32_t)> Recorder::Sound(const std::string& what)
{
    return [this, what](std::uint32_t id) {
        m_heard.push_back({what, id, 0, Now()});
        return 0;
    };
}

std::function<std::int32_t(std::uint32_t, std::uint32_t)> Recorder::Label()
{
    return [this](std::uint32_t id, std::uint32_t time) {
        m_heard.push_back({"label", id, time, Now()});
        return 0;
    };
}

void Recorder::Listen(CSoundStream& stream)
{
    stream.Started().connect(Sound("started"));
    stream.Ended().connect(Sound("ended"));
    stream.Stopped().connect(Sound("stopped"));
}

double Recorder::Now() const
{
    return std::chrono::duration<double>(Clock::now() - m_start).count();
}

int Recorder::Count(const std::string& what) const
{
    int n = 0;
    for (const Heard& h : m_heard)
        n += h.what == what;
    return n;
}

const Recorder::Heard* Recorder::First(const std::string& what) const
{
    for (const Heard& h : m_heard) {
        if (h.what == what)
            return &h;
    }
    return nullptr;
}

std::vector<std::string> Recorder::Order() const
{
    std::vector<std::string> order;
    for (const Heard& h : m_heard)
        order.push_back(h.what);
    return order;
}

}  // namespace pestrol::test
