#pragma once

#include <string>
#include <string_view>

namespace pestrol {

// Texts are wide strings (one character each); files, paths and terminals take UTF-8.
// Characters that are no Unicode scalar value become U+FFFD, and so do malformed bytes.
std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view bytes);

}  // namespace pestrol
