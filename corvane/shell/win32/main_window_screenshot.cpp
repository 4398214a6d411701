// MainWindow::SaveScreenshot: the window's client area as the screen shows it, under a caption band.
#include "main_window.h"
#include "png_file.h"

namespace corvane::shell::win32 {

bool MainWindow::SaveScreenshot(const std::filesystem::path& path) {
  RECT client{};
  GetClientRect(main_, &client);
  const int width = std::max<int>(client.right, 1);
  const int height = std::max<int>(client.bottom, 1);
  constexpr int kTitleHeight = 26;
  GdiCanvas picture(width, height + kTitleHeight);
  picture.SetPenColor(0x4A3A2B);
  picture.SetBrushColor(0x4A3A2B);
  picture.Rectangle(0, 0, width, kTitleHeight);
  map::Font font;
  font.name = "Tahoma";
  font.size = 9;
  font.style.bold = true;
  font.color = 0xFFFFFF;
  picture.SetFont(font);
  picture.TextOut(8, 6, form_->Caption);
  // Everything painted first, so the copy holds this moment's picture.
  RedrawWindow(main_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  HDC window = GetDC(main_);
  BitBlt(picture.dc(), 0, kTitleHeight, width, height, window, 0, 0, SRCCOPY);
  ReleaseDC(main_, window);
  return WritePng(path, width, picture.Height(), picture.Pixels());
}

}  // namespace corvane::shell::win32
