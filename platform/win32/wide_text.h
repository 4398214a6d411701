// The model's UTF-8 text and the W functions' UTF-16 text; the data files' 8-bit text.
#pragma once

#include <string>
#include <string_view>

#include "platform/win32/windows_api.h"

namespace corvane::platform::win32 {

std::wstring ToWide(std::string_view text);
std::string FromWide(std::wstring_view text);
// Data files are 8-bit text read as Latin-1, as the Qt canvas reads them: each byte is the code point of
// its value, so "Keflav\xEDk" shows as Keflavík on both platforms.
std::wstring Latin1ToWide(std::string_view text);
// The text a window (an edit, a caption) shows, as UTF-8.
std::string WindowTextOf(HWND window);

}  // namespace corvane::platform::win32
