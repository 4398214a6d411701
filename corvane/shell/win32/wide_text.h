// The model's UTF-8 text and the W functions' UTF-16 text.
#pragma once

#include <string>
#include <string_view>

namespace corvane::shell::win32 {

std::wstring ToWide(std::string_view text);
std::string FromWide(std::wstring_view text);

}  // namespace corvane::shell::win32
