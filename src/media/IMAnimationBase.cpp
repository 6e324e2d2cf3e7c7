#include "media/IMAnimationBase.h"

#include "gui/IMLoopPace.h"
#include "platform/Clock.h"
#include "platform/DebugTrace.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <stdexcept>

namespace pestrol {

namespace {

constexpr std::uint64_t kPeriodUnitsPerSecond = 60000;

} // namespace

template <class View>
IMAnimationBase<View>::IMAnimationBase(IMDialog* parent, std::int32_t layer)
    : IMViewControl<View>(parent, layer)
{
}

template <class View> long IMAnimationBase<View>::Play()
{
    this->RaiseState(Started, code::kStateChange);
    this->RaiseState(FrameChanged, code::kStateChange);
    m_playing = true;
    m_startTime = ReadCounter();
    return 0;
}

template <class View> long IMAnimationBase<View>::Stop()
{
    m_playing = false;
    return this->RaiseState(Finished, code::kStateChange);
}

template <class View>
void IMAnimationBase<View>::OnFinished(const IMSignal<IMEvent>::slot_type& handler)
{
    Finished.connect(handler);
}

template <class View> void IMAnimationBase<View>::SetFramePeriod(std::int32_t period)
{
    m_framePeriod = std::max(period, 1);
}

template <class View> std::uint64_t IMAnimationBase<View>::ReadCounter() const
{
    return PerformanceCounter();
}

template <class View> std::uint64_t IMAnimationBase<View>::CounterFrequency() const
{
    return PerformanceFrequency();
}

template <class View> long IMAnimationBase<View>::Update()
{
    if (!m_playing)
        return 0;
    RequestFastPass();
    const std::uint64_t ticks = ReadCounter() - m_startTime;
    const std::uint64_t frequency = std::max<std::uint64_t>(CounterFrequency(), 1);
    // Split so that the product cannot overflow however long the animation runs.
    const std::uint64_t elapsed = ticks / frequency * kPeriodUnitsPerSecond
        + ticks % frequency * kPeriodUnitsPerSecond / frequency;
    Advance(static_cast<std::int64_t>(elapsed / std::uint64_t(m_framePeriod)));
    return 0;
}

// The range is counted in 64 bits: its last frame is the largest 32-bit number until the
// view finds the end of its frames.
template <class View> void IMAnimationBase<View>::Advance(std::int64_t index)
{
    const std::int64_t first = this->GetFirstFrame();
    const std::int64_t span = std::int64_t(this->GetLastFrame()) - first;
    if (span < 0) {
        Stop();
        return;
    }
    const auto target = static_cast<std::int32_t>(first + index % (span + 1));
    if (target == this->GetCurrentFrame())
        return;
    if (index > span) {
        Stop();
        return;
    }
    this->RaiseState(FrameChanged, code::kStateChange);
    try {
        this->ShowFrame(target);
    } catch (const std::runtime_error& error) {
        // A video damaged past its headers ends where the damage is, so that whoever waits
        // for it to finish is not left waiting.
        DebugTrace(L"Animation: " + FromUtf8(error.what()) + L"\n");
        Stop();
    }
}

template class IMAnimationBase<IMTheoraView>;

} // namespace pestrol
