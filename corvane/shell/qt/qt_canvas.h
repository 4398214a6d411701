// The Canvas on a QImage: the map image IMG1 and the visible map PB1 of the window, and PNG output.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QStaticText>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "corvane/map/canvas.h"

namespace corvane::shell::qt {

// 0x00BBGGRR to a QColor; system colours (top bit set) take the application palette's colour.
QColor ToQColor(map::Color color);
map::Color FromQColor(const QColor& color);

// One painter stays open on the image from the first primitive of a frame until the picture is read
// (image(), or a CopyRect out of it); fonts are built once per distinct canvas font and the labels,
// which come back every frame, are laid out once.
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
  // Only the top-left width x height part is ever shown: nothing is drawn beyond it. 0 x 0: the whole image.
  void SetVisibleArea(int width, int height);

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
  // A label is drawn once into a small picture of its own (the text on its filled cell) and copied from
  // there every frame after: copying pixels costs far less than laying glyphs out again. The same text
  // comes in a few colours (an airway name in two layers, an ident as a point and as a route label).
  struct LabelPicture {
    map::Color textColor = 0;
    map::Color cellColor = 0;
    QImage image;
  };
  struct CachedLabel {
    QStaticText text;
    int widthPx = 0;
    std::vector<LabelPicture> pictures;
  };
  // Labels are looked up by their text without building a string first.
  struct LabelHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };
  struct CachedFont {
    CachedFont(const map::Font& fontKey, const QFont& qtFont) : key(fontKey), font(qtFont), metrics(qtFont) {}
    CachedLabel& Label(std::string_view text);

    map::Font key;
    QFont font;
    QFontMetrics metrics;
    std::unordered_map<std::string, CachedLabel, LabelHash, std::equal_to<>> labels;
  };

  const QImage& LabelImage(CachedLabel& label, const CachedFont& font);
  QPainter& Painter();
  void EndPainting() const;
  CachedFont& TextFont();
  QRect VisibleRect() const;

  QImage image_;
  mutable std::unique_ptr<QPainter> painter_;  // open while a frame is being drawn
  map::Color penColor_ = map::kBlack;
  map::Color brushColor_ = 0xFFFFFF;
  QPen pen_{QColor(Qt::black), 0};       // for rectangle outlines
  std::uint32_t penPixel_ = 0xFF000000;  // the pen colour as the image stores it, for lines  // cosmetic: one pixel
                                         // wide, the painter's fast line path
  QColor brush_{Qt::white};
  map::Font font_;
  QColor textColor_{Qt::black};
  QPoint penPosition_;
  int visibleWidth_ = 0;
  int visibleHeight_ = 0;
  std::vector<CachedFont> fonts_;
  CachedFont* textFont_ = nullptr;  // the entry for font_, found again after a SetFont
};

}  // namespace corvane::shell::qt
