// Route import: the default route EHAM to BIKF on the demo data, and on a world conversion when one is
// found at $CORVANE_WORLD_DATA or /work/world-data (the navimport output of ../shared/data/xplane-navdata).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "bench/map_bench_data.h"
#include "corvane/plan/route_import.h"

namespace {

using namespace corvane;

const navdata::NavDatabase* WorldDatabase() {
  static const std::unique_ptr<navdata::NavDatabase> database = []() -> std::unique_ptr<navdata::NavDatabase> {
    const char* chosen = std::getenv("CORVANE_WORLD_DATA");
    const std::filesystem::path folder = chosen != nullptr ? chosen : "/work/world-data";
    if (!std::filesystem::exists(folder / "NAVawy.dat")) return nullptr;
    auto loaded = std::make_unique<navdata::NavDatabase>();
    navdata::LoadNavDatabase(*loaded, folder, navdata::DatabaseSource::kXPlane);
    return loaded;
  }();
  return database.get();
}

void ImportDefaultRoute(benchmark::State& state, const navdata::NavDatabase& database) {
  auto plan = std::make_unique<plan::FlightPlan>();
  for (auto _ : state) {
    const plan::RouteImportOutcome outcome = plan::ImportRoute(*plan, database, plan::kDefaultRoute, "33000", "320");
    if (!outcome.routeSet) {
      state.SkipWithError("the default route was not set");
      break;
    }
    benchmark::DoNotOptimize(outcome);
  }
  state.counters["waypoints"] = plan->tail;
  state.counters["airwayRows"] = static_cast<double>(database.airwaySegments.EndIndex());
}

void BM_ImportDefaultRouteDemo(benchmark::State& state) { ImportDefaultRoute(state, bench::DemoDatabase()); }
BENCHMARK(BM_ImportDefaultRouteDemo)->Unit(benchmark::kMillisecond);

void BM_ImportDefaultRouteWorld(benchmark::State& state) {
  if (WorldDatabase() == nullptr) {
    state.SkipWithError("no world conversion: set CORVANE_WORLD_DATA");
    return;
  }
  ImportDefaultRoute(state, *WorldDatabase());
}
BENCHMARK(BM_ImportDefaultRouteWorld)->Unit(benchmark::kMillisecond);

}  // namespace
