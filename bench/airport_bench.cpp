// Airport view: loading the layout of EHAM from the demo data, the first time (reading and indexing
// the files) and again (the files kept). The data folder is $CORVANE_DATA, else data/demo.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "corvane/airport/airport_layout.h"

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

}  // namespace
