// QtCanvas: each primitive paints straight into the image with the canvas's pen, brush and font.
#include "qt_canvas.h"

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>

namespace corvane::shell::qt {

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

QtCanvas::QtCanvas(int width, int height) : image_(width, height, QImage::Format_RGB32) { image_.fill(Qt::black); }

void QtCanvas::Resize(int width, int height) {
  if (width == image_.width() && height == image_.height()) return;
  QImage resized(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
  resized.fill(Qt::black);
  QPainter painter(&resized);
  painter.drawImage(0, 0, image_);
  painter.end();
  image_ = std::move(resized);
}

void QtCanvas::LineTo(int x, int y) {
  QPainter painter(&image_);
  painter.setPen(pen_);
  painter.drawLine(penPosition_, QPoint(x, y));
  penPosition_ = QPoint(x, y);
}

void QtCanvas::TextOut(int x, int y, std::string_view text) {
  QFont font(QString::fromStdString(font_.name));
  font.setPointSize(std::max(font_.size, 1));
  font.setBold(font_.style.bold);
  font.setItalic(font_.style.italic);
  font.setUnderline(font_.style.underline);
  const QString qtext = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  QPainter painter(&image_);
  painter.setFont(font);
  const QFontMetrics metrics(font);
  // The text cell is filled with the brush, as the platform's TextOut does with a solid brush.
  painter.fillRect(QRect(x, y, metrics.horizontalAdvance(qtext), metrics.height()), brush_);
  painter.setPen(ToQColor(font_.color));
  painter.drawText(x, y + metrics.ascent(), qtext);
}

void QtCanvas::Rectangle(int left, int top, int right, int bottom) {
  if (right <= left || bottom <= top) return;
  QPainter painter(&image_);
  painter.fillRect(QRect(left, top, right - left, bottom - top), brush_);
  painter.setPen(pen_);
  painter.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
}

void QtCanvas::CopyRect(const map::Rect& destination, const map::Canvas& source, const map::Rect& sourceRect) {
  const auto* qtSource = dynamic_cast<const QtCanvas*>(&source);
  if (qtSource == nullptr) return;
  QPainter painter(&image_);
  painter.drawImage(QRect(destination.left, destination.top, destination.right - destination.left,
                          destination.bottom - destination.top),
                    qtSource->image_,
                    QRect(sourceRect.left, sourceRect.top, sourceRect.right - sourceRect.left,
                          sourceRect.bottom - sourceRect.top));
}

}  // namespace corvane::shell::qt
