// MapWidget: the paint box's picture is whatever the map drew onto its canvas.
#include "map_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace corvane::shell::qt {

MapWidget::MapWidget(QtCanvas& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(200, 150);
}

void MapWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, canvas_.image());
}

void MapWidget::resizeEvent(QResizeEvent*) {
  canvas_.Resize(width(), height());
  Q_EMIT Resized(width(), height());
}

void MapWidget::mouseReleaseEvent(QMouseEvent* event) {
  const QString button = event->button() == Qt::RightButton    ? QStringLiteral("right")
                         : event->button() == Qt::MiddleButton ? QStringLiteral("middle")
                                                               : QStringLiteral("left");
  const QPoint position = event->position().toPoint();
  Q_EMIT MouseReleased(button, position.x(), position.y());
}

void MapWidget::wheelEvent(QWheelEvent* event) { Q_EMIT Wheel(event->angleDelta().y()); }

}  // namespace corvane::shell::qt
