// Sharp on a high-DPI screen: the program declares itself DPI-aware, and each window scales its layout,
// given in pixels at 96 dots per inch, and its fonts by the DPI of the monitor it is on.
#pragma once

#include "platform/win32/windows_api.h"

// Older headers lack the message a window gets when it moves to a monitor of another DPI.
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace corvane::platform::win32 {

inline constexpr int kLayoutDpi = 96;

// Per-monitor awareness where the system offers it, system-wide awareness on older systems. The newer
// functions are looked up at run time: the system or the headers may lack them.
void DeclareDpiAwareness();
// The DPI of the monitor the window is on, or the screen's where the system cannot tell per window.
int DpiOfWindow(HWND window);
// A length of the 96-DPI layout at dpi, and a length at dpi back in the layout.
inline int Scaled(int length, int dpi) { return MulDiv(length, dpi, kLayoutDpi); }
inline int Unscaled(int length, int dpi) { return MulDiv(length, kLayoutDpi, dpi); }
// Takes the place and size the system suggests with WM_DPICHANGED (its lParam): where the user put the
// window, at the new DPI's size.
void MoveToSuggestedRect(HWND window, LPARAM suggested);
// The system's message font (the controls' font) at dpi; the caller deletes it.
HFONT NewMessageFont(int dpi);
// A font of the given face and point size at dpi; the caller deletes it.
HFONT NewFont(const wchar_t* face, int points, int dpi, bool bold = false, bool fixedPitch = false);

// A window's two control fonts at its DPI: the system's message font, and 9-point Courier New for the
// lists. Made anew at each DPI, deleted with the object.
class ControlFonts {
 public:
  ControlFonts() = default;
  ~ControlFonts() { Delete(); }
  ControlFonts(const ControlFonts&) = delete;
  ControlFonts& operator=(const ControlFonts&) = delete;

  void Make(int dpi);
  HFONT text() const { return text_; }
  HFONT fixedPitch() const { return fixedPitch_; }

 private:
  void Delete();
  HFONT text_ = nullptr;
  HFONT fixedPitch_ = nullptr;
};

}  // namespace corvane::platform::win32
