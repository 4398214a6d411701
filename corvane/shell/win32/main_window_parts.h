// What the parts of MainWindow share: its window classes, the property that finds it from a control,
// the status line's height and its timers' identifiers.
#pragma once

#include "main_window.h"

namespace corvane::shell::win32::main_window_parts {

inline constexpr wchar_t kMainClass[] = L"CorvaneMainWindow";
inline constexpr wchar_t kPanelClass[] = L"CorvanePanel";
inline constexpr wchar_t kMapClass[] = L"CorvaneMap";
inline constexpr wchar_t kOwnerProperty[] = L"CorvaneMainWindow";
inline constexpr int kStatusHeight = 20;
inline constexpr UINT_PTR kFirstTimerId = 1;  // Timer1 ... Timer5 are 1 ... 5
inline constexpr UINT_PTR kFlightTimerId = 100;
inline constexpr UINT kFlightIntervalMs = 50;

// The controls' colours. The "background" system colour, which the strips and their swatch take by default,
// is the desktop's colour to the system; on a window's controls it stands for the window's own face.
inline COLORREF ControlColour(Color color) {
  return ToColorRef(color == kColorSystemBackground ? kColorSystemButtonFace : color);
}

}  // namespace corvane::shell::win32::main_window_parts
