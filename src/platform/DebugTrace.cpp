#include "platform/DebugTrace.h"

#include "platform/Utf8.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace pestrol {

bool DebugTracesEnabled()
{
    static const bool enabled = [] {
        const char* value = std::getenv("PESTROL_DEBUG");
        return value != nullptr && *value != '\0' && std::strcmp(value, "0") != 0;
    }();
    return enabled;
}

void DebugTrace(std::wstring_view text)
{
    if (!DebugTracesEnabled())
        return;
    const std::string bytes = ToUtf8(text);
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
    std::fflush(stderr);
}

}  // namespace pestrol
