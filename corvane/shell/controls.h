// The state of the window's controls: what a widget shows, held without any toolkit.
#pragma once

#include <string>
#include <vector>

#include "corvane/map/canvas.h"

namespace corvane::shell {

using map::Color;

inline constexpr Color kColorBlack = 0x000000;
inline constexpr Color kColorGreen = 0x008000;
inline constexpr Color kColorBlue = 0xFF0000;
inline constexpr Color kColorSilver = 0xC0C0C0;
inline constexpr Color kColorSystemBackground = map::kSystemBackground;
inline constexpr Color kColorSystemButtonFace = 0x8000000F;

// Geometry is in pixels relative to the parent panel (or to the map for panels).
struct Control {
  std::string caption;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool visible = true;
  bool enabled = true;
};

// Push buttons and toggle buttons: toggles show their state through a bold, coloured caption.
struct Button : Control {
  bool bold = false;
  Color fontColor = kColorBlack;
};

// An edit field; its caption is the label shown beside it, unit is the text after it ("ft/nm").
struct Edit : Control {
  std::string text;
  std::string unit;
};

struct Label : Control {
  Color fontColor = kColorBlack;
};

struct CheckBox : Control {
  bool checked = false;
};

// Radio buttons of one group exclude each other.
struct RadioButton : Control {
  std::string group;
  bool checked = false;
};

struct Memo : Control {
  std::vector<std::string> lines;
  Color color = kColorSilver;
};

struct ListBox : Control {
  std::vector<std::string> lines;
  int itemIndex = -1;  // the selected line, -1 for none
  Color color = kColorSilver;
};

// A colour swatch; its brush colour is the colour in use.
struct Shape : Control {
  Color brushColor = kColorBlack;
};

struct GroupBox : Control {};

struct Panel : Control {
  Color color = kColorSystemButtonFace;
};

struct PaintBox : Control {};

// The off-screen map image: its size and the font of its canvas.
struct Image : Control {
  map::Font font;
};

struct StatusBar : Control {
  std::string text;
};

// The state of a file dialog between uses: its filter, default extension, title and initial folder.
struct FileDialog {
  std::string filter;
  std::string defaultExt;
  std::string title;
  std::string initialDir;
};

}  // namespace corvane::shell
