#pragma once

#include "gui/IMViewControl.h"
#include "media/IMTheoraView.h"

#include <cstdint>

namespace pestrol {

// A control that plays its view's frames in real time: the frame shown follows the time
// since Play, so a slow program skips frames rather than falling behind. When the frames
// run out it stops and raises Finished.
template <class View> class IMAnimationBase : public IMViewControl<View> {
public:
    IMAnimationBase(IMDialog* parent, std::int32_t layer);

    long Play();
    long Stop();
    void OnFinished(const IMSignal<IMEvent>::slot_type& handler);
    long Update() override;

    bool IsPlaying() const { return m_playing; }
    // In 1/60,000 s: 60,000 divided by the frames per second.
    std::int32_t GetFramePeriod() const { return m_framePeriod; }
    void SetFramePeriod(std::int32_t period);

    IMSignal<IMEvent> Started;
    IMSignal<IMEvent> Finished;
    IMSignal<IMEvent> FrameChanged;

protected:
    // The counter that times playback, and its ticks per second.
    virtual std::uint64_t ReadCounter() const;
    virtual std::uint64_t CounterFrequency() const;

private:
    void Advance(std::int64_t index);

    std::uint64_t m_startTime = 0;
    std::int32_t m_framePeriod = 2400;
    bool m_playing = false;
};

extern template class IMAnimationBase<IMTheoraView>;

} // namespace pestrol
