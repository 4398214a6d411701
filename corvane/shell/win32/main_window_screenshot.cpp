// MainWindow::SaveScreenshot: the window's client area as the screen shows it, under a caption band.
#include "main_window.h"
#include "platform/win32/window_screenshot.h"

namespace corvane::shell::win32 {

bool MainWindow::SaveScreenshot(const std::filesystem::path& path) {
  return platform::win32::SaveWindowScreenshot(main_, path);
}

}  // namespace corvane::shell::win32
