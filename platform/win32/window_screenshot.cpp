// SaveWindowScreenshot: a top-down DIB holding the caption band and a copy of the client area.
#include "platform/win32/window_screenshot.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/win32/dib_section.h"
#include "platform/win32/dpi.h"
#include "platform/win32/png_file.h"

namespace corvane::platform::win32 {

bool SaveWindowScreenshot(HWND window, const std::filesystem::path& path) {
  RECT client{};
  GetClientRect(window, &client);
  const int dpi = DpiOfWindow(window);
  const int width = std::max<int>(client.right, 1);
  const int height = std::max<int>(client.bottom, 1);
  const int bandHeight = Scaled(26, dpi);
  const int pictureHeight = height + bandHeight;

  void* bits = nullptr;
  HDC picture = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = NewTopDownDib(picture, width, pictureHeight, &bits);
  if (picture == nullptr || bitmap == nullptr) {
    if (bitmap != nullptr) DeleteObject(bitmap);
    if (picture != nullptr) DeleteDC(picture);
    return false;
  }
  HGDIOBJ oldBitmap = SelectObject(picture, bitmap);
  const RECT band = {0, 0, width, bandHeight};
  HBRUSH bandBrush = CreateSolidBrush(RGB(0x2B, 0x3A, 0x4A));
  FillRect(picture, &band, bandBrush);
  DeleteObject(bandBrush);
  HFONT font = NewFont(L"Tahoma", 9, dpi, true);
  HGDIOBJ oldFont = SelectObject(picture, font);
  SetBkMode(picture, TRANSPARENT);
  SetTextColor(picture, RGB(0xFF, 0xFF, 0xFF));
  std::wstring caption(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  caption.resize(static_cast<size_t>(GetWindowTextW(window, caption.data(), static_cast<int>(caption.size()))));
  TextOutW(picture, Scaled(8, dpi), Scaled(6, dpi), caption.c_str(), static_cast<int>(caption.size()));
  SelectObject(picture, oldFont);
  DeleteObject(font);

  // Everything painted first, so the copy holds this moment's picture.
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  HDC screen = GetDC(window);
  BitBlt(picture, 0, bandHeight, width, height, screen, 0, 0, SRCCOPY);
  ReleaseDC(window, screen);
  GdiFlush();

  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  std::vector<std::uint32_t> rgb(static_cast<size_t>(width) * static_cast<size_t>(pictureHeight));
  for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = ColorRefOfDibPixel(pixels[i]);
  SelectObject(picture, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(picture);
  return WritePng(path, width, pictureHeight, rgb);
}

}  // namespace corvane::platform::win32
