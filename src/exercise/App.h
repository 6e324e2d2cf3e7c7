#pragma once

#include "app/IMApp.h"
#include "exercise/AttributeTimer.h"
#include "exercise/girlview.h"

#include <cstdint>
#include <ctime>
#include <memory>

namespace pestrol {

// The appearance exercise: the pupil dresses a drawn child the way the computer's variant
// in the small frame is dressed, and the time each attribute took is kept.
class App : public IMApp<App> {
public:
    App();

    long Restart() override;
    long Init() override;

    // The exercise screen, and a new attempt on the current target.
    void BuildExerciseScreen(IMDialog* screen);
    // Runs after every change of the pupil's figure: times the attributes that became
    // right and compares the whole appearance with the target's.
    void OnFigureChanged(const girlview* pupil);

    // Discards the target with its frame and draws a new one, hidden, from `now`
    // (calendar seconds).
    void ReplaceTarget(std::time_t now);
    void SetClock(MillisecondClock clock) { m_clock = std::move(clock); }

    IMDialog* TargetFrame() const { return m_targetFrame; }
    const girlview* TargetFigure() const { return m_target.get(); }
    // The figure of the latest exercise screen.
    const girlview* PupilFigure() const { return m_pupil.get(); }
    const AttributeTimers& Timers() const { return m_timers; }
    // The start of the attempt, then the latest moment an attribute became right.
    std::uint32_t Mark() const { return m_mark; }

private:
    void PrepareTarget(std::time_t now);
    void CompleteAttempt();

    IMDialog* m_targetFrame = nullptr;
    std::unique_ptr<girlview> m_target;
    // Replaced by the next screen; its layers go with their screen.
    std::unique_ptr<girlview> m_pupil;
    std::uint32_t m_mark = 0;
    AttributeTimers m_timers{};
    MillisecondClock m_clock = &TickCount;
};

}  // namespace pestrol
