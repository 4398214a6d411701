// The Canvas on a QImage: the map image IMG1 and the visible map PB1 of the window, and PNG output.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <memory>
#include <vector>

#include "corvane/map/canvas.h"

namespace corvane::shell::qt {

// 0x00BBGGRR to a QColor; system colours (top bit set) take the application palette's colour.
QColor ToQColor(map::Color color);
map::Color FromQColor(const QColor& color);

// One painter stays open on the image from the first primitive of a frame until the picture is read
// (image(), or a CopyRect out of it); fonts are built once per distinct canvas font.
class QtCanvas final : public map::Canvas {
 public:
  QtCanvas(int width, int height);
  ~QtCanvas() override;
  QtCanvas(const QtCanvas&) = delete;
  QtCanvas& operator=(const QtCanvas&) = delete;

  // A new size keeps what fits of the old picture.
  void Resize(int width, int height);
  // The finished picture: ends the open painter first.
  const QImage& image() const;

  void SetPenColor(map::Color color) override;
  void SetBrushColor(map::Color color) override;
  void SetFont(const map::Font& font) override;
  const map::Font& CurrentFont() const override { return font_; }

  void MoveTo(int x, int y) override { penPosition_ = QPoint(x, y); }
  void LineTo(int x, int y) override;
  void TextOut(int x, int y, std::string_view text) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void CopyRect(const map::Rect& destination, const map::Canvas& source, const map::Rect& sourceRect) override;

  int Width() const override { return image_.width(); }
  int Height() const override { return image_.height(); }

 private:
  struct CachedFont {
    map::Font key;
    QFont font;
    QFontMetrics metrics;
  };

  QPainter& Painter();
  void EndPainting() const;
  const CachedFont& TextFont();

  QImage image_;
  mutable std::unique_ptr<QPainter> painter_;  // open while a frame is being drawn
  map::Color penColor_ = map::kBlack;
  map::Color brushColor_ = 0xFFFFFF;
  QColor pen_{Qt::black};
  QColor brush_{Qt::white};
  map::Font font_;
  QPoint penPosition_;
  std::vector<CachedFont> fonts_;
  const CachedFont* textFont_ = nullptr;     // the entry for font_, found again after a SetFont
  mutable const CachedFont* painterFont_ = nullptr;  // the font the open painter holds
};

}  // namespace corvane::shell::qt
