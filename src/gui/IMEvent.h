#pragma once

#include <cstdint>

namespace pestrol {

class IMControl;

// What a notification carries: who raised it and why. Plain values made on the stack by
// the sender and passed by constant reference.
class IMEvent {
public:
    IMEvent(IMControl* sender, std::uint32_t code) : sender(sender), code(code) {}
    virtual ~IMEvent() = default;

    virtual bool Is(std::uint32_t c) const { return code == c; }

    IMControl* sender;
    std::uint32_t code;
};

// An event copied from a window message, with the message's two parameters.
class IMWindowsEvent : public IMEvent {
public:
    IMWindowsEvent(IMControl* sender, std::uint32_t code, std::uint32_t wParam,
                   std::uint32_t lParam)
        : IMEvent(sender, code), wParam(wParam), lParam(lParam) {}

    std::uint32_t wParam;
    std::uint32_t lParam;
};

}  // namespace pestrol
