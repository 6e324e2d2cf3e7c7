#pragma once

#include "platform/Messages.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

union SDL_Event;

namespace pestrol {

// A message posted between threads by number, with its two parameters.
struct WindowMessage {
    MessageId message = 0;
    std::uint32_t wParam = 0;
    std::uint32_t lParam = 0;
};

// The number of the message called `name`: the same name always gives the same number,
// distinct from every other registered name and from the fixed window messages; 0 when
// no number is left.
MessageId RegisterMessage(std::wstring_view name);

// Queues a registered message for the main thread; safe from any thread. False when the
// number is not registered or the queue is not running.
bool PostRegisteredMessage(MessageId message, std::uint32_t wParam, std::uint32_t lParam);

// The registered message an event of the queue carries, for the window's translation.
std::optional<WindowMessage> ReadRegisteredMessage(const SDL_Event& event);

// Waits up to `timeoutMs` for the next event and answers the registered message it
// carries; other events are taken and dropped. For loops that only wait for messages.
std::optional<WindowMessage> WaitRegisteredMessage(std::uint32_t timeoutMs);

// Drops every queued message with one of these numbers.
void DiscardRegisteredMessages(std::span<const MessageId> messages);

// Keeps the event queue running while it lives, so that posted messages are kept.
class MessageQueue {
public:
    MessageQueue();
    ~MessageQueue();
    MessageQueue(const MessageQueue&) = delete;
    MessageQueue& operator=(const MessageQueue&) = delete;

    bool IsRunning() const { return m_running; }

private:
    bool m_running;
};

}  // namespace pestrol
