// A canvas that keeps nothing: for runs that go through every timer but need no picture.
#pragma once

#include "corvane/map/canvas.h"

namespace corvane::map {

class DiscardingCanvas final : public Canvas {
 public:
  DiscardingCanvas(int width, int height) : width_(width), height_(height) {}

  void SetPenColor(Color) override {}
  void SetBrushColor(Color) override {}
  void SetFont(const Font& font) override { font_ = font; }
  const Font& CurrentFont() const override { return font_; }
  void MoveTo(int, int) override {}
  void LineTo(int, int) override {}
  void TextOut(int, int, std::string_view) override {}
  void Rectangle(int, int, int, int) override {}
  void CopyRect(const Rect&, const Canvas&, const Rect&) override {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }

 private:
  int width_;
  int height_;
  Font font_;
};

}  // namespace corvane::map
