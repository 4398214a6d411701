// Controls from a layout table, scaled to the window's DPI.
#include "platform/win32/child_windows.h"

#include <stdexcept>

#include "platform/win32/dpi.h"

namespace corvane::platform::win32 {

HWND CreateChild(HWND parent, const ChildLayout& layout, HFONT font, int dpi, void* createParameter) {
  HWND child = CreateWindowExW(layout.extendedStyle, layout.windowClass, layout.text.c_str(), WS_CHILD | layout.style,
                               Scaled(layout.left, dpi), Scaled(layout.top, dpi), Scaled(layout.width, dpi),
                               Scaled(layout.height, dpi), parent, nullptr, GetModuleHandleW(nullptr), createParameter);
  if (child == nullptr) throw std::runtime_error("cannot create a control");
  if (font != nullptr) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

WNDCLASSW TopLevelWindowClass(WNDPROC procedure, const wchar_t* className) {
  WNDCLASSW description{};
  description.lpfnWndProc = procedure;
  description.hInstance = GetModuleHandleW(nullptr);
  description.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  description.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
  description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  description.lpszClassName = className;
  return description;
}

void PlaceChild(HWND child, int left, int top, int width, int height, int dpi) {
  SetWindowPos(child, nullptr, Scaled(left, dpi), Scaled(top, dpi), Scaled(width, dpi), Scaled(height, dpi),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void* OwnerOfWindow(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    void* owner = reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    return owner;
  }
  return reinterpret_cast<void*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

}  // namespace corvane::platform::win32
