// The moving map on the demo data around EHAM: one frame on the recording canvas and one refresh tick,
// each beside clearing the image alone.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string_view>
#include <vector>

#include "bench/map_bench_data.h"
#include "corvane/map/map_frame.h"
#include "corvane/map/nearby_refresh.h"
#include "corvane/map/recording_canvas.h"

namespace {

using namespace corvane;
using bench::DemoDatabase;
using bench::EveryLayer;
using bench::kHeightPx;
using bench::kSchiphol;
using bench::kWidthPx;

// A canvas that draws nothing: the frame's own logic without any drawing cost.
class NullCanvas final : public map::Canvas {
 public:
  void SetPenColor(map::Color) override {}
  void SetBrushColor(map::Color) override {}
  void SetFont(const map::Font& font) override { font_ = font; }
  const map::Font& CurrentFont() const override { return font_; }
  void MoveTo(int, int) override {}
  void LineTo(int, int) override {}
  void TextOut(int, int, std::string_view) override {}
  void Rectangle(int, int, int, int) override {}
  void CopyRect(const map::Rect&, const map::Canvas&, const map::Rect&) override {}
  int Width() const override { return 3000; }
  int Height() const override { return 2250; }

 private:
  map::Font font_;
};

void BM_MapDrawFrame_NullCanvas(benchmark::State& state) {
  std::vector<map::TrafficMark> traffic;
  const map::FrameInputs inputs = EveryLayer(traffic);
  NullCanvas canvas;
  map::MapView view;
  view.centre = kSchiphol;
  view.rangeNm = 160;
  for (auto _ : state) {
    map::DrawMapFrame(canvas, view, inputs, kWidthPx, kHeightPx);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MapDrawFrame_NullCanvas)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_MapClearImageOnly_Recording(benchmark::State& state) {
  map::RecordingCanvas canvas(3000, 2250);
  for (auto _ : state) {
    canvas.Clear();
    canvas.SetPenColor(0);
    canvas.SetBrushColor(0);
    canvas.Rectangle(0, 0, canvas.Width(), canvas.Height());
    benchmark::DoNotOptimize(canvas.Calls().data());
  }
}
BENCHMARK(BM_MapClearImageOnly_Recording)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_MapDrawFrame_Recording(benchmark::State& state) {
  std::vector<map::TrafficMark> traffic;
  const map::FrameInputs inputs = EveryLayer(traffic);
  map::RecordingCanvas canvas(3000, 2250);
  map::MapView view;
  view.centre = kSchiphol;
  view.rangeNm = 160;
  for (auto _ : state) {
    canvas.Clear();
    map::DrawMapFrame(canvas, view, inputs, kWidthPx, kHeightPx);
    benchmark::DoNotOptimize(canvas.Calls().data());
  }
  state.counters["calls"] = double(canvas.Calls().size());
}
BENCHMARK(BM_MapDrawFrame_Recording)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// One whole refresh cycle per iteration; the counters give the median and the longest tick in microseconds.
void BM_MapNearbyRefreshCycle(benchmark::State& state) {
  const navdata::NavDatabase& database = DemoDatabase();
  map::NearbyLists lists;
  std::vector<double> tickUs;
  for (auto _ : state) {
    map::NearbyRefreshState refresh;
    tickUs.clear();
    bool ended = false;
    while (!ended) {
      const auto start = std::chrono::steady_clock::now();
      ended = map::NearbyRefreshTick(refresh, database, kSchiphol, {}, lists).cycleEnded;
      tickUs.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
  }
  std::sort(tickUs.begin(), tickUs.end());
  state.counters["ticks"] = double(tickUs.size());
  state.counters["median_tick_us"] = tickUs[tickUs.size() / 2];
  state.counters["max_tick_us"] = tickUs.back();
}
BENCHMARK(BM_MapNearbyRefreshCycle)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
