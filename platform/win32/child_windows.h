// A window's controls made from a layout table: each row names the system's window class, its styles,
// its place in pixels at 96 DPI and its text; the rows are made and placed at the window's own DPI.
#pragma once

#include <string>

#include "platform/win32/windows_api.h"

namespace corvane::platform::win32 {

struct ChildLayout {
  const wchar_t* windowClass = L"STATIC";
  DWORD style = 0;  // WS_CHILD is always added
  DWORD extendedStyle = 0;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::wstring text;
};

// Makes the child in the given font, at dpi; createParameter reaches the window's WM_NCCREATE. Throws
// std::runtime_error when the system cannot make it.
HWND CreateChild(HWND parent, const ChildLayout& layout, HFONT font, int dpi, void* createParameter = nullptr);
// Moves a child to a place of the 96-DPI layout, at dpi.
void PlaceChild(HWND child, int left, int top, int width, int height, int dpi);

// The description of a program's own window class: the arrow cursor, the application icon and the
// system's face colour as background, for `procedure` under `className`; register it with RegisterClassW.
WNDCLASSW TopLevelWindowClass(WNDPROC procedure, const wchar_t* className);

// The object a window was made for: kept in its user data when the window is created with the object as
// its creation parameter, then returned for every later message. Null before WM_NCCREATE.
void* OwnerOfWindow(HWND window, UINT message, LPARAM lParam);

}  // namespace corvane::platform::win32
