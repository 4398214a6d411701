// Pictures whose pixels the program reads and writes itself: a top-down 32-bit DIB section, row 0 the top
// row, each pixel 0x00RRGGBB (memory order B, G, R, 0).
#pragma once

#include <cstdint>

#include "platform/win32/windows_api.h"

namespace corvane::platform::win32 {

// A width x height DIB section for dc, its pixels at *bits; null (and *bits untouched) when the system
// cannot make it.
HBITMAP NewTopDownDib(HDC dc, int width, int height, void** bits);

// A DIB pixel as 0x00BBGGRR, the order of COLORREF and of the PNG writer.
inline std::uint32_t ColorRefOfDibPixel(std::uint32_t pixel) {
  return ((pixel >> 16) & 0xFF) | (pixel & 0xFF00) | ((pixel & 0xFF) << 16);
}

}  // namespace corvane::platform::win32
