// DPI awareness and scaling through the functions each Windows version has, found by name.
#include "platform/win32/dpi.h"

#include <algorithm>
#include <string_view>

namespace corvane::platform::win32 {
namespace {

// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 and _PER_MONITOR_AWARE, as the system defines them.
const HANDLE kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4));
const HANDLE kPerMonitorAware = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-3));

template <typename Function>
Function UserFunction(const char* name) {
  HMODULE user = GetModuleHandleW(L"user32.dll");
  return user == nullptr ? nullptr : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user, name)));
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : kLayoutDpi;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kLayoutDpi;
}

}  // namespace

void DeclareDpiAwareness() {
  using SetContext = BOOL(WINAPI*)(HANDLE);
  if (const auto setContext = UserFunction<SetContext>("SetProcessDpiAwarenessContext")) {
    if (setContext(kPerMonitorAwareV2) || setContext(kPerMonitorAware)) return;
  }
  using SetAware = BOOL(WINAPI*)();
  if (const auto setAware = UserFunction<SetAware>("SetProcessDPIAware")) setAware();
}

int DpiOfWindow(HWND window) {
  using GetForWindow = UINT(WINAPI*)(HWND);
  static const auto getForWindow = UserFunction<GetForWindow>("GetDpiForWindow");
  if (getForWindow != nullptr && window != nullptr) {
    const UINT dpi = getForWindow(window);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return ScreenDpi();
}

void MoveToSuggestedRect(HWND window, LPARAM suggested) {
  const RECT& place = *reinterpret_cast<const RECT*>(suggested);
  SetWindowPos(window, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT NewMessageFont(int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  using ForDpi = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
  static const auto forDpi = UserFunction<ForDpi>("SystemParametersInfoForDpi");
  if (forDpi != nullptr && forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, static_cast<UINT>(dpi))) {
    return CreateFontIndirectW(&metrics.lfMessageFont);
  }
  // Older systems give the metrics at the screen's DPI.
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, ScreenDpi());
  return CreateFontIndirectW(&metrics.lfMessageFont);
}

HFONT NewFont(const wchar_t* face, int points, int dpi, bool bold, bool fixedPitch) {
  LOGFONTW description{};
  description.lfHeight = -MulDiv(points, dpi, 72);
  description.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfPitchAndFamily = fixedPitch ? FIXED_PITCH | FF_MODERN : DEFAULT_PITCH | FF_SWISS;
  const std::wstring_view name = face;
  std::copy_n(name.begin(), std::min<size_t>(name.size(), LF_FACESIZE - 1), description.lfFaceName);
  return CreateFontIndirectW(&description);
}

void ControlFonts::Make(int dpi) {
  Delete();
  text_ = NewMessageFont(dpi);
  fixedPitch_ = NewFont(L"Courier New", 9, dpi, false, true);
}

void ControlFonts::Delete() {
  if (text_ != nullptr) DeleteObject(text_);
  if (fixedPitch_ != nullptr) DeleteObject(fixedPitch_);
  text_ = fixedPitch_ = nullptr;
}

}  // namespace corvane::platform::win32
