#include "platform/RegisteredMessages.h"

#include <SDL.h>

#include <map>
#include <mutex>
#include <set>
#include <string>

namespace pestrol {

namespace {

struct Registry {
    std::mutex guard;
    std::map<std::wstring, MessageId, std::less<>> byName;
    std::set<MessageId> numbers;
};

Registry& TheRegistry()
{
    static Registry registry;
    return registry;
}

bool IsRegistered(MessageId message)
{
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.guard);
    return registry.numbers.count(message) != 0;
}

}  // namespace

MessageId RegisterMessage(std::wstring_view name)
{
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.guard);
    if (auto it = registry.byName.find(name); it != registry.byName.end())
        return it->second;
    const Uint32 number = SDL_RegisterEvents(1);
    if (number == static_cast<Uint32>(-1))
        return 0;
    registry.byName.emplace(name, number);
    registry.numbers.insert(number);
    return number;
}

bool PostRegisteredMessage(MessageId message, std::uint32_t wParam, std::uint32_t lParam)
{
    if (!IsRegistered(message))
        return false;
    SDL_Event event{};
    event.user.type = message;
    event.user.timestamp = SDL_GetTicks();
    event.user.data1 = reinterpret_cast<void*>(static_cast<std::uintptr_t>(wParam));
    event.user.data2 = reinterpret_cast<void*>(static_cast<std::uintptr_t>(lParam));
    return SDL_PushEvent(&event) == 1;
}

std::optional<WindowMessage> ReadRegisteredMessage(const SDL_Event& event)
{
    if (!IsRegistered(event.type))
        return std::nullopt;
    return WindowMessage{
        event.type,
        static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(event.user.data1)),
        static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(event.user.data2))};
}

std::optional<WindowMessage> WaitRegisteredMessage(std::uint32_t timeoutMs)
{
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, static_cast<int>(timeoutMs)) != 1)
        return std::nullopt;
    return ReadRegisteredMessage(event);
}

void DiscardRegisteredMessages(std::span<const MessageId> messages)
{
    for (MessageId message : messages) {
        if (message != 0)
            SDL_FlushEvent(message);
    }
}

MessageQueue::MessageQueue() : m_running(SDL_InitSubSystem(SDL_INIT_EVENTS) == 0) {}

MessageQueue::~MessageQueue()
{
    if (m_running)
        SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

}  // namespace pestrol
