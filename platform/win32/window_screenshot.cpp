// SaveWindowScreenshot: a top-down DIB holding the caption band and a copy of the client area.
#include "platform/win32/window_screenshot.h"

#include <algorithm>
#include <cstdint>
#include <vector>

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

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -pictureHeight;  // top-down: row 0 is the top row
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC picture = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(picture, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
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

  // The DIB holds 0x00RRGGBB; the PNG writer takes 0x00BBGGRR.
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  std::vector<std::uint32_t> rgb(static_cast<size_t>(width) * static_cast<size_t>(pictureHeight));
  for (size_t i = 0; i < rgb.size(); ++i) {
    const std::uint32_t pixel = pixels[i];
    rgb[i] = ((pixel >> 16) & 0xFF) | (pixel & 0xFF00) | ((pixel & 0xFF) << 16);
  }
  SelectObject(picture, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(picture);
  return WritePng(path, width, pictureHeight, rgb);
}

}  // namespace corvane::platform::win32
