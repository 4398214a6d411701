// PB1: the map paint box, showing its canvas and passing mouse and wheel events on.
#pragma once

#include <QWidget>

#include "qt_canvas.h"

namespace corvane::shell::qt {

class MapWidget : public QWidget {
  Q_OBJECT
 public:
  MapWidget(QtCanvas& canvas, QWidget* parent);

 Q_SIGNALS:
  void Resized(int width, int height);
  void MouseReleased(const QString& button, int x, int y);
  void Wheel(int delta);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  QtCanvas& canvas_;
};

}  // namespace corvane::shell::qt
