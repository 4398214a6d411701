// A canvas that keeps every call with its coordinates and colours, for tests of the painters.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"

namespace corvane::map {

struct CanvasCall {
  enum class Kind { MoveTo, LineTo, TextOut, Rectangle, CopyRect };
  Kind kind = Kind::MoveTo;
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // point, or rectangle corners (for CopyRect: the destination)
  std::string text;                    // TextOut only
  Color penColor = kBlack;
  Color brushColor = kBlack;
  Font font;
};

class RecordingCanvas final : public Canvas {
 public:
  RecordingCanvas(int width, int height) : width_(width), height_(height) {}

  void SetPenColor(Color color) override { penColor_ = color; }
  void SetBrushColor(Color color) override { brushColor_ = color; }
  void SetFont(const Font& font) override { font_ = font; }
  const Font& CurrentFont() const override { return font_; }

  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void TextOut(int x, int y, std::string_view text) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void CopyRect(const Rect& destination, const Canvas& source, const Rect& sourceRect) override;

  int Width() const override { return width_; }
  int Height() const override { return height_; }

  const std::vector<CanvasCall>& Calls() const { return calls_; }
  void Clear() { calls_.clear(); }

 private:
  void Record(CanvasCall call);

  int width_;
  int height_;
  int penX_ = 0;
  int penY_ = 0;
  Color penColor_ = kBlack;
  Color brushColor_ = 0xFFFFFF;
  Font font_;
  std::vector<CanvasCall> calls_;
};

}  // namespace corvane::map
