// Airport view: loading the layout of EHAM, the first time (reading and indexing the files) and again
// (the files kept), and one diagram frame of EHAM, in logic alone and on the window's QtCanvas at
// 1920 x 1080. The data folder is $CORVANE_DATA, else data/demo.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "bench/map_bench_data.h"
#include "corvane/airport/airport_frame.h"
#include "corvane/airport/airport_layout.h"
#include "corvane/airport/frame_collection.h"
#include "corvane/map/discarding_canvas.h"
#include "corvane/map/map_frame.h"

#ifdef CORVANE_BENCH_HAVE_QT
#include "bench/bench_qt_application.h"
#include "corvane/shell/qt/qt_canvas.h"
#endif

namespace {

using namespace corvane;

std::filesystem::path DataFolder() {
  const char* folder = std::getenv("CORVANE_DATA");
  return folder != nullptr ? std::filesystem::path(folder)
                           : std::filesystem::path(CORVANE_SOURCE_DIR) / "data" / "demo";
}

void LoadLayout(benchmark::State& state, bool keepFiles) {
  airport::LayoutFileCache keptFiles;
  airport::AirportLayout layout;
  for (auto _ : state) {
    airport::LayoutFileCache freshFiles;
    const airport::AirportLoadResult result = airport::LoadAirportLayout(
        keepFiles ? keptFiles : freshFiles, DataFolder(), navdata::DatabaseSource::kXPlane, "EHAM", layout);
    if (!result.loaded()) {
      state.SkipWithError(result.failure.c_str());
      return;
    }
    benchmark::DoNotOptimize(layout.items.data());
  }
  state.counters["items"] = static_cast<double>(layout.items.size());
}

void BM_AirportLayoutFirstOpen(benchmark::State& state) { LoadLayout(state, false); }
void BM_AirportLayoutLaterOpen(benchmark::State& state) { LoadLayout(state, true); }
BENCHMARK(BM_AirportLayoutFirstOpen)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_AirportLayoutLaterOpen)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// What a Timer3 tick over EHAM gathers and draws: the demo layout, beacons, fixes, the plan's first
// legs, every layer on and the aircraft on the ground, connected.
struct EhamFrame {
  airport::AirportLayout layout;
  std::vector<map::TrafficMark> traffic;
  std::vector<airport::NearBeacon> beacons;
  std::vector<airport::NearFix> fixes;
  airport::ProcedurePreview preview;
  airport::AirportFrameInputs inputs;
  bool loaded = false;

  EhamFrame() {
    airport::LayoutFileCache files;
    loaded = airport::LoadAirportLayout(files, DataFolder(), navdata::DatabaseSource::kXPlane, "EHAM", layout).loaded();
    inputs.common = bench::EveryLayer(traffic);
    inputs.layout = &layout;
    inputs.centre = airport::LayoutCentre(layout).value_or(bench::kSchiphol);
    inputs.ident = "EHAM";
    inputs.preview = &preview;
  }

  // Collection and drawing, as Timer3Timer does them each tick.
  void Draw(map::Canvas& image) {
    airport::CollectNearBeacons(bench::DemoDatabase().beacons, inputs.centre, beacons);
    airport::CollectNearFixes(bench::DemoDatabase().fixes, inputs.centre, fixes);
    inputs.beacons = beacons;
    inputs.fixes = fixes;
    airport::DrawAirportFrame(image, inputs, bench::kWidthPx, bench::kHeightPx);
  }
};

void BM_AirportDrawFrame_Logic(benchmark::State& state) {
  EhamFrame frame;
  if (!frame.loaded) {
    state.SkipWithError("no EHAM layout");
    return;
  }
  map::DiscardingCanvas canvas(3000, 2250);
  for (auto _ : state) {
    frame.Draw(canvas);
    benchmark::ClobberMemory();
  }
  state.counters["items"] = static_cast<double>(frame.layout.items.size());
}
BENCHMARK(BM_AirportDrawFrame_Logic)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

#ifdef CORVANE_BENCH_HAVE_QT
void BM_AirportDrawFrame_Qt(benchmark::State& state) {
  bench::EnsureQtApplication();
  EhamFrame frame;
  if (!frame.loaded) {
    state.SkipWithError("no EHAM layout");
    return;
  }
  shell::qt::QtCanvas image(3000, 2250);
  image.SetVisibleArea(bench::kWidthPx, bench::kHeightPx);
  shell::qt::QtCanvas paintBox(bench::kWidthPx, bench::kHeightPx);
  for (auto _ : state) {
    frame.Draw(image);
    map::PresentFrame(paintBox, image, bench::kWidthPx, bench::kHeightPx);
    benchmark::DoNotOptimize(paintBox.image().bits());
  }
}
BENCHMARK(BM_AirportDrawFrame_Qt)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
#endif

}  // namespace
