// The drawing surface the map and airport painters draw on: a pen, a brush, a font and a few primitives.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane::map {

// Colours are 0x00BBGGRR (blue in the high byte); values with the top bit set name a system colour.
using Color = std::uint32_t;

inline constexpr Color kBlack = 0x000000;
inline constexpr Color kSystemBackground = 0x80000001;

struct FontStyle {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool operator==(const FontStyle&) const = default;
};

struct Font {
  std::string name = "Arial";
  int size = 8;  // points
  FontStyle style;
  Color color = kBlack;
  bool operator==(const Font&) const = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;  // exclusive, as the platform's rectangles are
  int bottom = 0;
  bool operator==(const Rect&) const = default;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual void SetPenColor(Color color) = 0;
  virtual void SetBrushColor(Color color) = 0;
  virtual void SetFont(const Font& font) = 0;
  virtual const Font& CurrentFont() const = 0;

  virtual void MoveTo(int x, int y) = 0;
  // Draws from the pen position to (x, y), leaving the end point itself unpainted, and moves the pen there.
  virtual void LineTo(int x, int y) = 0;
  virtual void TextOut(int x, int y, std::string_view text) = 0;
  // Outlined with the pen and filled with the brush; right and bottom are exclusive.
  virtual void Rectangle(int left, int top, int right, int bottom) = 0;
  // Copies a rectangle of another canvas into a rectangle of this one (scaled when the sizes differ).
  virtual void CopyRect(const Rect& destination, const Canvas& source, const Rect& sourceRect) = 0;

  virtual int Width() const = 0;
  virtual int Height() const = 0;
};

}  // namespace corvane::map
