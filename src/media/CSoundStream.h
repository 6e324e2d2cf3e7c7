#pragma once

#include "platform/AutoResetEvent.h"
#include "platform/SoundBuffer.h"

#include <boost/signals2/signal.hpp>

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

namespace pestrol {

class CSoundSource;
class CSoundSystem;

// One playable sound: its source decoded by a worker thread into a one-second looping
// buffer, half a second ahead of the play position. What happens to it comes back to the
// main thread as the sound system's messages, which raise the signals below.
class CSoundStream {
public:
    using SoundSignal = boost::signals2::signal<std::int32_t(std::uint32_t id)>;
    using LabelSignal = boost::signals2::signal<std::int32_t(std::uint32_t id, std::uint32_t time)>;

    CSoundStream(CSoundSystem& owner, CSoundSource& source, std::uint32_t id);
    ~CSoundStream();
    CSoundStream(const CSoundStream&) = delete;
    CSoundStream& operator=(const CSoundStream&) = delete;

    // From the beginning; false while it plays already or when the start fails.
    bool Play();
    // False when it was not playing; otherwise returns once the worker has ended.
    bool Stop();
    bool IsPlaying();

    std::uint32_t Id() const { return m_id; }
    const CSoundSource& Source() const { return m_source; }
    SoundSignal& Started() { return m_started; }
    SoundSignal& Ended() { return m_ended; }
    SoundSignal& Stopped() { return m_stopped; }

    // A handler for the moment `time` ms after Play; labels are taken while stopped.
    void AddLabel(std::uint32_t time, const LabelSignal::slot_type& handler);
    // Raises the label's signal, for its message.
    void FireLabel(std::uint32_t time);

private:
    enum State : std::uint32_t { kStopped = 0, kPlaying = 1 };
    static constexpr std::uint32_t kStopCommand = 3;

    bool Prefill();
    void StartLabelTimers();
    void RemoveLabelTimers();
    std::int32_t OnLabelTimer(std::int32_t timer, std::uint32_t time);
    void Work();
    bool HalfIsDue() const;
    void FillDueHalf();
    void FillFrom(std::span<std::uint8_t> part);

    CSoundSystem& m_owner;
    CSoundSource& m_source;
    std::thread m_worker;
    std::uint32_t m_command = 0;
    AutoResetEvent m_wake;
    std::uint32_t m_state = kStopped;
    bool m_secondHalfNext = false;
    std::size_t m_halfSize;
    std::mutex m_guard;  // state, command, next half, end count, labels cancelled, buffer
    SoundBuffer m_buffer;
    std::uint32_t m_endCount = 0;
    bool m_labelsCancelled = false;
    SoundSignal m_started;
    SoundSignal m_ended;
    SoundSignal m_stopped;
    std::map<std::uint32_t, std::unique_ptr<LabelSignal>> m_labels;
    std::vector<std::uint32_t> m_labelTimes;
    std::vector<std::int32_t> m_pendingTimers;
    std::uint32_t m_id;
};

}  // namespace pestrol
