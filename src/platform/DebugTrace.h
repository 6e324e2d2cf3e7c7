#pragma once

#include <string_view>

namespace pestrol {

// Writes a trace to stderr while PESTROL_DEBUG is set in the environment (to anything but
// empty or "0"); otherwise does nothing. There is no log file.
void DebugTrace(std::wstring_view text);

bool DebugTracesEnabled();

}  // namespace pestrol
