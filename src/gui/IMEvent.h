#pragma once

#include "platform/Messages.h"

#include <boost/signals2/signal.hpp>
#include <boost/signals2/trackable.hpp>

#include <cstdint>

namespace pestrol {

class IMControl;

// The system's own event codes; events copied from window messages carry the message number.
namespace code {
constexpr std::uint32_t kStateChange = 0;  // also a window timer
constexpr std::uint32_t kDraw = 15;
constexpr std::uint32_t kClose = 16;  // also the per-pass idle event
constexpr std::uint32_t kIdle = 16;
constexpr std::uint32_t kFocusIn = 17;
constexpr std::uint32_t kFocusOut = 18;
constexpr std::uint32_t kChecked = 19;
constexpr std::uint32_t kUnchecked = 20;
constexpr std::uint32_t kMouseEntered = 0x20B;
constexpr std::uint32_t kLeftClick = 0x20C;
constexpr std::uint32_t kRightClick = 0x20D;
constexpr std::uint32_t kMiddleClick = 0x20E;
constexpr std::uint32_t kMouseLeft = 0x2A3;
}  // namespace code

// Events are plain values made on the stack by the sender and passed by reference for the
// length of one dispatch.
class IMEvent {
public:
    IMEvent(IMControl* sender, std::uint32_t code) : m_sender(sender), m_code(code) {}
    virtual ~IMEvent() = default;

    virtual bool Is(std::uint32_t code) const { return m_code == code; }

    IMControl* m_sender;
    std::uint32_t m_code;
};

class IMWindowsEvent : public IMEvent {
public:
    IMWindowsEvent(IMControl* sender, std::uint32_t code, std::uint32_t wParam,
                   std::uint32_t lParam)
        : IMEvent(sender, code), m_wParam(wParam), m_lParam(lParam)
    {
    }

    std::uint32_t m_wParam;
    std::uint32_t m_lParam;
};

// x and y are in the coordinates of the control that receives the event; wParam holds the
// mouse-key flags (mk::), lParam is 0.
class IMMouseEvent : public IMWindowsEvent {
public:
    IMMouseEvent(IMControl* sender, std::uint32_t code, std::uint32_t wParam, std::int32_t x,
                 std::int32_t y)
        : IMWindowsEvent(sender, code, wParam, 0), m_x(x), m_y(y)
    {
    }

    virtual bool IsCode(std::uint32_t code) const { return Is(code); }

    std::int32_t m_x;
    std::int32_t m_y;
};

// wParam is the virtual-key code (key messages) or the character (kChar).
class IMKeyboardEvent : public IMWindowsEvent {
public:
    using IMWindowsEvent::IMWindowsEvent;

    virtual bool IsCode(std::uint32_t code) const { return Is(code); }
};

// A notification yields the last handler's result, or 0 when none ran.
struct LastResult {
    using result_type = long;
    template <class It>
    long operator()(It first, It last) const
    {
        long result = 0;
        for (; first != last; ++first)
            result = *first;
        return result;
    }
};

template <class Event>
using IMSignal = boost::signals2::signal<long(const Event&), LastResult>;

using IMConnection = boost::signals2::connection;
using IMTrackable = boost::signals2::trackable;

// Raises a notification only when it has handlers, with a copy of the event whose sender
// is the raising control.
template <class Event>
long Raise(IMSignal<Event>& signal, const Event& event, IMControl* sender)
{
    if (signal.empty())
        return 0;
    Event copy = event;
    copy.m_sender = sender;
    return signal(copy);
}

}  // namespace pestrol
