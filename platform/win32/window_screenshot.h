// A window as the screen shows it, saved as a PNG file under a band carrying its caption.
#pragma once

#include <filesystem>
#include <string>

#include "platform/win32/windows_api.h"

namespace corvane::platform::win32 {

// The client area of the window, repainted first so the picture is this moment's, under a band of
// the window's caption scaled to its DPI. False when the file cannot be written.
bool SaveWindowScreenshot(HWND window, const std::filesystem::path& path);

}  // namespace corvane::platform::win32
