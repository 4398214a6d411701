// The map frame on the window's QtCanvas at 1920 x 1080, beside clearing the image alone and beside the
// earlier canvas that opened a painter for every primitive.
#include <benchmark/benchmark.h>

#ifdef CORVANE_BENCH_HAVE_QT

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <cstdlib>
#include <memory>

#include "bench/bench_qt_application.h"
#include "bench/map_bench_data.h"
#include "corvane/map/map_frame.h"
#include "corvane/shell/qt/qt_canvas.h"

namespace {

using namespace corvane;

// The canvas as it was before: a new painter, pen and font for every primitive.
class PainterPerCallCanvas final : public map::Canvas {
 public:
  PainterPerCallCanvas(int width, int height) : image_(width, height, QImage::Format_RGB32) {}
  void SetPenColor(map::Color color) override { pen_ = shell::qt::ToQColor(color); }
  void SetBrushColor(map::Color color) override { brush_ = shell::qt::ToQColor(color); }
  void SetFont(const map::Font& font) override { font_ = font; }
  const map::Font& CurrentFont() const override { return font_; }
  void MoveTo(int x, int y) override { position_ = QPoint(x, y); }
  void LineTo(int x, int y) override {
    QPainter painter(&image_);
    painter.setPen(pen_);
    painter.drawLine(position_, QPoint(x, y));
    position_ = QPoint(x, y);
  }
  void TextOut(int x, int y, std::string_view text) override {
    QFont font(QString::fromStdString(font_.name));
    font.setPointSize(font_.size);
    font.setBold(font_.style.bold);
    const QString qtext = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    QPainter painter(&image_);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    painter.fillRect(QRect(x, y, metrics.horizontalAdvance(qtext), metrics.height()), brush_);
    painter.setPen(shell::qt::ToQColor(font_.color));
    painter.drawText(x, y + metrics.ascent(), qtext);
  }
  void Rectangle(int left, int top, int right, int bottom) override {
    QPainter painter(&image_);
    painter.fillRect(QRect(left, top, right - left, bottom - top), brush_);
    painter.setPen(pen_);
    painter.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
  }
  void CopyRect(const map::Rect&, const map::Canvas&, const map::Rect&) override {}
  int Width() const override { return image_.width(); }
  int Height() const override { return image_.height(); }

 private:
  QImage image_;
  QColor pen_, brush_;
  map::Font font_;
  QPoint position_;
};

template <typename CanvasType>
void ClearImage(benchmark::State& state) {
  bench::EnsureQtApplication();
  CanvasType canvas(3000, 2250);
  if constexpr (std::is_same_v<CanvasType, shell::qt::QtCanvas>)
    canvas.SetVisibleArea(bench::kWidthPx, bench::kHeightPx);
  for (auto _ : state) {
    canvas.SetPenColor(0);
    canvas.SetBrushColor(0);
    canvas.Rectangle(0, 0, canvas.Width(), canvas.Height());
    if constexpr (std::is_same_v<CanvasType, shell::qt::QtCanvas>) benchmark::DoNotOptimize(canvas.image().bits());
  }
}

// One frame as the window draws it: into the 3000 x 2250 map image, then copied to a paint box.
void BM_MapClearImageOnly_Qt(benchmark::State& state) { ClearImage<shell::qt::QtCanvas>(state); }
BENCHMARK(BM_MapClearImageOnly_Qt)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_MapDrawFrame_Qt(benchmark::State& state) {
  bench::EnsureQtApplication();
  std::vector<map::TrafficMark> traffic;
  const map::FrameInputs inputs = bench::EveryLayer(traffic);
  shell::qt::QtCanvas image(3000, 2250);
  image.SetVisibleArea(bench::kWidthPx, bench::kHeightPx);  // as the window sets it
  shell::qt::QtCanvas paintBox(bench::kWidthPx, bench::kHeightPx);
  map::MapView view;
  view.centre = bench::kSchiphol;
  view.rangeNm = 160;
  for (auto _ : state) {
    map::DrawMapFrame(image, view, inputs, bench::kWidthPx, bench::kHeightPx);
    map::PresentFrame(paintBox, image, bench::kWidthPx, bench::kHeightPx);
    benchmark::DoNotOptimize(paintBox.image().bits());
  }
}
BENCHMARK(BM_MapDrawFrame_Qt)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_MapDrawFrame_QtPainterPerCall(benchmark::State& state) {
  bench::EnsureQtApplication();
  std::vector<map::TrafficMark> traffic;
  const map::FrameInputs inputs = bench::EveryLayer(traffic);
  PainterPerCallCanvas image(3000, 2250);
  map::MapView view;
  view.centre = bench::kSchiphol;
  view.rangeNm = 160;
  for (auto _ : state) map::DrawMapFrame(image, view, inputs, bench::kWidthPx, bench::kHeightPx);
}
BENCHMARK(BM_MapDrawFrame_QtPainterPerCall)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

namespace corvane::bench {

void EnsureQtApplication() {
  static std::unique_ptr<QApplication> application = []() -> std::unique_ptr<QApplication> {
    if (QApplication::instance() != nullptr) return nullptr;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "corvane_bench";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QApplication>(argc, argv);
  }();
}

}  // namespace corvane::bench

#endif
