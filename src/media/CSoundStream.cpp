#include "media/CSoundStream.h"

#include "gui/IMTimerHost.h"
#include "media/CSoundSource.h"
#include "media/CSoundSystem.h"
#include "platform/DebugTrace.h"
#include "platform/RegisteredMessages.h"

#include <algorithm>
#include <chrono>

namespace pestrol {

namespace {

// Half of one second of the source, in whole sample frames.
std::size_t HalfSecondBytes(const CSoundSource& source)
{
    const std::size_t frame = static_cast<std::size_t>(source.BytesPerFrame());
    const std::size_t second = static_cast<std::size_t>(source.Rate()) * frame;
    return second / 2 - (second / 2) % frame;
}

}  // namespace

CSoundStream::CSoundStream(CSoundSystem& owner, CSoundSource& source, std::uint32_t id)
    : m_owner(owner)
    , m_source(source)
    , m_halfSize(HalfSecondBytes(source))
    , m_buffer(owner.Mixer(), m_guard, source.Channels(), source.Rate(), 2 * m_halfSize)
    , m_id(id)
{
}

CSoundStream::~CSoundStream()
{
    Stop();
    if (m_worker.joinable())
        m_worker.join();
    RemoveLabelTimers();
}

bool CSoundStream::IsPlaying()
{
    std::lock_guard lock(m_guard);
    return m_state == kPlaying;
}

bool CSoundStream::Play()
{
    if (IsPlaying())
        return false;
    // The worker of the last run has left its loop; let it finish.
    if (m_worker.joinable())
        m_worker.join();
    {
        std::lock_guard lock(m_guard);
        m_secondHalfNext = true;
        DebugTrace(L" звук играет\n");
        if (!Prefill())
            return false;
        m_state = kPlaying;
        m_labelsCancelled = false;
    }
    StartLabelTimers();
    m_worker = std::thread(&CSoundStream::Work, this);
    PostRegisteredMessage(m_owner.StartedMessage(), m_id, 0);
    return true;
}

bool CSoundStream::Prefill()
{
    m_buffer.SetPosition(0);
    std::span<std::uint8_t> part = m_buffer.Lock(0, m_halfSize);
    if (part.empty())
        return false;
    const bool rewound = m_source.Rewind();
    if (rewound)
        FillFrom(part);
    m_endCount = 0;
    m_buffer.Unlock();
    return rewound;
}

// Fills `part` from the source and with silence after its end.
void CSoundStream::FillFrom(std::span<std::uint8_t> part)
{
    const std::size_t read = m_source.ReadPcm(part.data(), part.size());
    if (read == part.size())
        return;
    std::fill(part.begin() + static_cast<std::ptrdiff_t>(read), part.end(), 0);
    ++m_endCount;
}

bool CSoundStream::Stop()
{
    {
        std::lock_guard lock(m_guard);
        if (m_state != kPlaying)
            return false;
        DebugTrace(L" звук стой\n");
        m_buffer.Stop();
        m_command = kStopCommand;
    }
    RemoveLabelTimers();
    m_wake.Set();
    m_worker.join();
    return true;
}

void CSoundStream::AddLabel(std::uint32_t time, const LabelSignal::slot_type& handler)
{
    std::unique_ptr<LabelSignal>& label = m_labels[time];
    if (!label)
        label = std::make_unique<LabelSignal>();
    label->connect(handler);
    if (IsPlaying())
        return;
    auto at = std::lower_bound(m_labelTimes.begin(), m_labelTimes.end(), time);
    if (at == m_labelTimes.end() || *at != time)
        m_labelTimes.insert(at, time);
}

void CSoundStream::FireLabel(std::uint32_t time)
{
    auto it = m_labels.find(time);
    if (it != m_labels.end() && !it->second->empty())
        (*it->second)(m_id, time);
}

void CSoundStream::StartLabelTimers()
{
    RemoveLabelTimers();
    IMTimerHost* window = IMTimerHost::Main();
    if (window == nullptr)
        return;
    for (std::uint32_t time : m_labelTimes) {
        const std::int32_t timer = window->AddTimer(time);
        m_pendingTimers.push_back(timer);
        window->ConnectTimer(timer, [this, timer, time](const IMEvent&) {
            return OnLabelTimer(timer, time);
        });
    }
}

// Timers that outlived a run which ended by itself are removed here too.
void CSoundStream::RemoveLabelTimers()
{
    if (IMTimerHost* window = IMTimerHost::Main()) {
        for (std::int32_t timer : m_pendingTimers)
            window->RemoveTimer(timer);
    }
    m_pendingTimers.clear();
}

// Each label fires once: its timer goes as soon as it has fired.
std::int32_t CSoundStream::OnLabelTimer(std::int32_t timer, std::uint32_t time)
{
    std::erase(m_pendingTimers, timer);
    bool cancelled;
    {
        std::lock_guard lock(m_guard);
        cancelled = m_labelsCancelled;
    }
    if (!cancelled)
        PostRegisteredMessage(m_owner.LabelMessage(), m_id, time);
    IMTimerHost::Main()->RemoveTimer(timer);
    return 0;
}

void CSoundStream::Work()
{
    std::unique_lock lock(m_guard);
    m_buffer.Play();
    for (;;) {
        lock.unlock();
        const bool woken = m_wake.WaitFor(std::chrono::milliseconds(20));
        lock.lock();
        FillDueHalf();
        if (woken && m_command == kStopCommand)
            break;
    }
    m_command = 0;
    m_endCount = 0;
    m_state = kStopped;
    lock.unlock();
    DebugTrace(L" звук остановился\n");
    PostRegisteredMessage(m_owner.EndedMessage(), m_id, 0);
}

// The half behind the play position is the one to fill next.
bool CSoundStream::HalfIsDue() const
{
    const std::size_t position = m_buffer.Position();
    return m_secondHalfNext ? position < m_halfSize : position > m_halfSize;
}

void CSoundStream::FillDueHalf()
{
    if (!HalfIsDue())
        return;
    // The end count reached 2 when the half after the last data was written; now that
    // the play position has moved on once more, the last data has been played. The label
    // timers belong to the main thread, which drops those still pending when they fire.
    if (m_endCount == 2) {
        m_labelsCancelled = true;
        m_buffer.Stop();
        m_command = kStopCommand;
        m_endCount = 0;
        m_wake.Set();
    }
    std::span<std::uint8_t> part = m_buffer.Lock(m_secondHalfNext ? m_halfSize : 0, m_halfSize);
    if (!part.empty()) {
        FillFrom(part);
        m_buffer.Unlock();
    }
    m_secondHalfNext = !m_secondHalfNext;
}

}  // namespace pestrol
