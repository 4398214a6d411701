// The Canvas on a QImage: the map image IMG1 and the visible map PB1 of the window, and PNG output.
#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>

#include "corvane/map/canvas.h"

namespace corvane::shell::qt {

// 0x00BBGGRR to a QColor; system colours (top bit set) take the application palette's colour.
QColor ToQColor(map::Color color);
map::Color FromQColor(const QColor& color);

class QtCanvas final : public map::Canvas {
 public:
  QtCanvas(int width, int height);

  // A new size keeps what fits of the old picture.
  void Resize(int width, int height);
  const QImage& image() const { return image_; }

  void SetPenColor(map::Color color) override { pen_ = ToQColor(color); }
  void SetBrushColor(map::Color color) override { brush_ = ToQColor(color); }
  void SetFont(const map::Font& font) override { font_ = font; }
  const map::Font& CurrentFont() const override { return font_; }

  void MoveTo(int x, int y) override { penPosition_ = QPoint(x, y); }
  void LineTo(int x, int y) override;
  void TextOut(int x, int y, std::string_view text) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void CopyRect(const map::Rect& destination, const map::Canvas& source, const map::Rect& sourceRect) override;

  int Width() const override { return image_.width(); }
  int Height() const override { return image_.height(); }

 private:
  QImage image_;
  QColor pen_{Qt::black};
  QColor brush_{Qt::white};
  map::Font font_;
  QPoint penPosition_;
};

}  // namespace corvane::shell::qt
