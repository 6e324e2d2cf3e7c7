#pragma once

#include <span>

namespace pestrol {

// The images every screen may use, by name, in the order they are registered at start-up
// and released at shut-down. Each is a block of the program's resources under its name.
std::span<const wchar_t* const> DefaultSkinNames();

} // namespace pestrol
