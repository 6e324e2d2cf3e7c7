#pragma once

#include "gui/IMDialogBase.h"
#include "gui/IMTimerHost.h"
#include "platform/RegisteredMessages.h"

#include <map>
#include <memory>
#include <optional>
#include <string>

namespace pestrol {

class NativeWindow;

// The root of the control tree: a dialog without a parent that covers the desktop window.
// Its window procedure turns window messages into events for the tree; its timers are
// the system's only timers, fired by the message loop.
class IMWindow : public IMDialog, public IMTimerHost {
public:
    IMWindow(std::unique_ptr<NativeWindow> native);
    ~IMWindow() override;

    long Detach() override;
    long Update() override;
    virtual long Render();

    // Every message of the desktop window goes through here.
    long WindowProc(const WindowMessage& message);

    std::int32_t AddTimer(std::uint32_t interval) override;
    IMConnection ConnectTimer(std::int32_t id, const TimerSignal::slot_type& handler) override;
    void RemoveTimer(std::int32_t id) override;
    // Raises every timer whose interval has passed since it last fired; answers how many
    // milliseconds until the next one is due (nothing without timers).
    std::optional<std::uint32_t> FireTimers();

    NativeWindow& Native() { return *m_native; }
    bool IsInactive() const { return m_inactive; }

private:
    struct Timer {
        std::uint32_t interval;
        std::int64_t lastFiring;
        TimerSignal signal;
    };

    std::unique_ptr<NativeWindow> m_native;
    bool m_inactive = false;
    std::int32_t m_lastTimerId = 0;
    // Shared, so that a handler removing its own timer leaves the firing signal alive.
    std::map<std::int32_t, std::shared_ptr<Timer>> m_timers;
};

// Opens the desktop window (800 x 600, or the size of `rect`), the renderer on it and the
// root control; exits the process with a message when no window can be had. The
// renderer's exceptions pass through.
IMWindow* CreateMainWindow(std::optional<Rect> rect, const std::wstring& title, bool windowed);

// Runs until the quit message; answers 0.
int RunMessageLoop(IMWindow& window);

// The process-wide root while it exists.
IMWindow* MainWindow();

}  // namespace pestrol
