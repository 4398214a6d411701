// QtCanvas: the primitives paint into the image through one painter that stays open for the frame.
#include "qt_canvas.h"

#include "pixel_line.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPalette>
#include <algorithm>
#include <cstring>

namespace corvane::shell::qt {
namespace {

// A frame uses a handful of fonts (label, bold, larger status texts); a user changing fonts all day
// must not make the cache grow without end.
constexpr std::size_t kMaxCachedFonts = 16;
// Labels of a wide view with every layer on number a few thousand; a cache past this starts again
// (each label keeps a picture or two of a few kilobytes).
constexpr std::size_t kMaxCachedLabels = 20000;

}  // namespace

QColor ToQColor(map::Color color) {
  if (color & 0x80000000u) {
    const QPalette palette = QApplication::palette();
    switch (color & 0xFFu) {
      case 5: return palette.color(QPalette::Base);         // window
      case 8: return palette.color(QPalette::Text);         // window text
      case 15: return palette.color(QPalette::Button);      // button face
      case 18: return palette.color(QPalette::ButtonText);  // button text
      default: return palette.color(QPalette::Window);      // background and the rest
    }
  }
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

map::Color FromQColor(const QColor& color) {
  return static_cast<map::Color>(color.red()) | static_cast<map::Color>(color.green()) << 8 |
         static_cast<map::Color>(color.blue()) << 16;
}

QtCanvas::QtCanvas(int width, int height) : image_(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32) {
  image_.fill(Qt::black);
}

QtCanvas::~QtCanvas() { EndPainting(); }

QPainter& QtCanvas::Painter() {
  if (!painter_) {
    painter_ = std::make_unique<QPainter>(&image_);
    painter_->setPen(pen_);
    const QRect visible = VisibleRect();
    if (visible != image_.rect()) painter_->setClipRect(visible);
  }
  return *painter_;
}

QRect QtCanvas::VisibleRect() const {
  if (visibleWidth_ <= 0 || visibleHeight_ <= 0) return image_.rect();
  return QRect(0, 0, visibleWidth_, visibleHeight_).intersected(image_.rect());
}

void QtCanvas::SetVisibleArea(int width, int height) {
  if (width == visibleWidth_ && height == visibleHeight_) return;
  EndPainting();  // the next painter takes the new clip
  visibleWidth_ = width;
  visibleHeight_ = height;
}

QtCanvas::CachedLabel& QtCanvas::CachedFont::Label(std::string_view text) {
  const auto found = labels.find(text);
  if (found != labels.end()) return found->second;
  if (labels.size() >= kMaxCachedLabels) labels.clear();
  const QString qtext = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  CachedLabel label;
  label.text = QStaticText(qtext);
  label.widthPx = metrics.horizontalAdvance(qtext);
  label.text.setTextFormat(Qt::PlainText);
  label.text.prepare(QTransform(), font);
  return labels.emplace(std::string(text), std::move(label)).first->second;
}

void QtCanvas::EndPainting() const {
  if (!painter_) return;
  painter_->end();
  painter_.reset();
}

const QImage& QtCanvas::image() const {
  EndPainting();
  return image_;
}

void QtCanvas::Resize(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (width == image_.width() && height == image_.height()) return;
  EndPainting();
  QImage resized(width, height, QImage::Format_RGB32);
  resized.fill(Qt::black);
  QPainter painter(&resized);
  painter.drawImage(0, 0, image_);
  painter.end();
  image_ = std::move(resized);
}

void QtCanvas::SetPenColor(map::Color color) {
  if (color == penColor_) return;
  penColor_ = color;
  pen_.setColor(ToQColor(color));
  penPixel_ = pen_.color().rgb();
  if (painter_) painter_->setPen(pen_);
}

void QtCanvas::SetBrushColor(map::Color color) {
  if (color == brushColor_) return;
  brushColor_ = color;
  brush_ = ToQColor(color);
}

void QtCanvas::SetFont(const map::Font& font) {
  if (font == font_) return;
  if (font.color != font_.color) textColor_ = ToQColor(font.color);
  // The colour alone does not change the glyphs: the laid-out labels stay.
  if (font.name != font_.name || font.size != font_.size || font.style != font_.style) textFont_ = nullptr;
  font_ = font;
}

QtCanvas::CachedFont& QtCanvas::TextFont() {
  if (textFont_ != nullptr) return *textFont_;
  map::Font key = font_;
  key.color = map::kBlack;
  const auto found = std::find_if(fonts_.begin(), fonts_.end(), [&](const CachedFont& f) { return f.key == key; });
  if (found != fonts_.end()) return *(textFont_ = &*found);
  if (fonts_.size() >= kMaxCachedFonts) {
    fonts_.clear();
  }
  if (fonts_.capacity() < kMaxCachedFonts) fonts_.reserve(kMaxCachedFonts);  // entries never move
  QFont font(QString::fromStdString(font_.name));
  font.setPointSize(std::max(font_.size, 1));
  font.setBold(font_.style.bold);
  font.setItalic(font_.style.italic);
  font.setUnderline(font_.style.underline);
  fonts_.emplace_back(key, font);
  return *(textFont_ = &fonts_.back());
}

void QtCanvas::LineTo(int x, int y) {
  const QPoint end(x, y);
  const QRect visible = VisibleRect();
  // Airways and coastlines run far beyond the view: a line wholly to one side of it is left out.
  const bool outside = (x < visible.left() && penPosition_.x() < visible.left()) ||
                       (x > visible.right() && penPosition_.x() > visible.right()) ||
                       (y < visible.top() && penPosition_.y() < visible.top()) ||
                       (y > visible.bottom() && penPosition_.y() > visible.bottom());
  // The end point itself stays unpainted, as the platform's LineTo leaves it.
  if (end != penPosition_ && !outside) {
    // Thousands of short lines a frame: a painter call each costs far more than their pixels, so they
    // are written into the image directly (one pixel wide, solid, as the painter's pen would draw them).
    Painter();  // a painter begins on an image of its own (not shared): the pixels go where it paints
    DrawPixelLine(reinterpret_cast<std::uint32_t*>(image_.bits()), image_.bytesPerLine() / 4, visible, penPosition_,
                  end, penPixel_);
  }
  penPosition_ = end;
}

const QImage& QtCanvas::LabelImage(CachedLabel& label, const CachedFont& font) {
  // Few colours per text: more than this and the oldest picture is drawn again.
  constexpr std::size_t kMaxPicturesPerLabel = 4;
  for (const LabelPicture& picture : label.pictures) {
    if (picture.textColor == font_.color && picture.cellColor == brushColor_) return picture.image;
  }
  if (label.pictures.size() >= kMaxPicturesPerLabel) label.pictures.erase(label.pictures.begin());
  // The text cell is filled with the brush, as the platform's TextOut does with a solid brush.
  QImage image(std::max(label.widthPx, 1), std::max(font.metrics.height(), 1), QImage::Format_RGB32);
  image.fill(brush_);
  QPainter painter(&image);
  painter.setFont(font.font);
  painter.setPen(textColor_);
  painter.drawStaticText(0, 0, label.text);
  painter.end();
  label.pictures.push_back({font_.color, brushColor_, std::move(image)});
  return label.pictures.back().image;
}

void QtCanvas::TextOut(int x, int y, std::string_view text) {
  if (text.empty()) return;
  const QRect visible = VisibleRect();
  if (x >= visible.right() + 1 || y >= visible.bottom() + 1) return;
  CachedFont& cached = TextFont();
  const int heightPx = cached.metrics.height();
  if (y + heightPx <= 0) return;
  CachedLabel& label = cached.Label(text);
  if (x + label.widthPx <= 0) return;
  const QImage& picture = LabelImage(label, cached);
  // The label's rows are copied straight into the image: a painter call per label costs more than the
  // copy itself.
  const QRect target = QRect(x, y, picture.width(), picture.height()).intersected(visible);
  if (target.isEmpty()) return;
  Painter();  // see LineTo
  const qsizetype stride = image_.bytesPerLine();
  uchar* row = image_.bits() + target.top() * stride + target.left() * qsizetype{4};
  const std::size_t rowBytes = static_cast<std::size_t>(target.width()) * 4;
  const qsizetype pictureStride = picture.bytesPerLine();
  const uchar* from = picture.constBits() + (target.top() - y) * pictureStride + (target.left() - x) * qsizetype{4};
  for (int line = target.top(); line <= target.bottom(); ++line, row += stride, from += pictureStride) {
    std::memcpy(row, from, rowBytes);
  }
}

void QtCanvas::Rectangle(int left, int top, int right, int bottom) {
  if (right <= left || bottom <= top) return;
  QPainter& painter = Painter();
  // Only the visible part is filled; the clip keeps the outline to it as well.
  painter.fillRect(QRect(left, top, right - left, bottom - top).intersected(VisibleRect()), brush_);
  painter.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
}

void QtCanvas::CopyRect(const map::Rect& destination, const map::Canvas& source, const map::Rect& sourceRect) {
  const auto* qtSource = dynamic_cast<const QtCanvas*>(&source);
  if (qtSource == nullptr) return;
  const QImage& picture = qtSource->image();  // ends the source's frame
  const QRect to(destination.left, destination.top, destination.right - destination.left,
                 destination.bottom - destination.top);
  const QRect from(sourceRect.left, sourceRect.top, sourceRect.right - sourceRect.left,
                   sourceRect.bottom - sourceRect.top);
  if (qtSource == this) {
    // Copying within one image goes through a copy of the source part.
    const QImage part = picture.copy(from);
    Painter().drawImage(to, part);
  } else {
    Painter().drawImage(to, picture, from);
  }
  EndPainting();  // the copy is what the screen shows next
}

}  // namespace corvane::shell::qt
