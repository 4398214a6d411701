// Flight plan: listing and parsing a full plan (with the snprintf listing beside it), and one
// map click picking from a crowded nearby list.
#include <benchmark/benchmark.h>

#include <clocale>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "corvane/plan/click_actions.h"
#include "corvane/plan/plan_listing.h"

namespace {

using namespace corvane::plan;

FlightPlan FullPlan() {
  FlightPlan plan;
  for (std::int32_t i = 0; i < FlightPlan::kCapacity; ++i) {
    plan[i].kind = WaypointKind::kFix;
    plan[i].ident = "WPT" + std::to_string(i % 100);
    plan[i].info = ".";
    plan[i].lat = 40.0f + 0.05f * static_cast<float>(i);
    plan[i].lon = -20.0f + 0.07f * static_cast<float>(i);
    plan[i].altitude = 33000;
    plan[i].speed = 320;
    if (i > 0) plan[i].legNm = LegNm(plan, i - 1, i);
  }
  plan.tail = FlightPlan::kCapacity - 1;
  return plan;
}

void BM_ListPlan500(benchmark::State& state) {
  const FlightPlan plan = FullPlan();
  for (auto _ : state) benchmark::DoNotOptimize(ListPlan(plan));
}
BENCHMARK(BM_ListPlan500);

// The same 500 lines through snprintf in the "C" locale, for comparison.
void BM_ListPlan500Snprintf(benchmark::State& state) {
  const FlightPlan plan = FullPlan();
  std::setlocale(LC_NUMERIC, "C");
  for (auto _ : state) {
    std::vector<std::string> lines;
    char buffer[160];
    for (const Waypoint& e : plan.entries) {
      std::snprintf(buffer, sizeof buffer, "%2d   %5s  %5d  %3d  %3d  %6s   %4.8f   %4.8f     ", KindNumber(e.kind),
                    e.ident.c_str(), e.altitude, e.speed, e.legNm, e.info.c_str(), static_cast<double>(e.lat),
                    static_cast<double>(e.lon));
      lines.emplace_back(buffer);
    }
    benchmark::DoNotOptimize(lines);
  }
}
BENCHMARK(BM_ListPlan500Snprintf);

void BM_ParsePlanText500(benchmark::State& state) {
  const std::vector<std::string> lines = ListPlan(FullPlan());
  FlightPlan plan;
  for (auto _ : state) benchmark::DoNotOptimize(ParsePlanText(lines, plan));
}
BENCHMARK(BM_ParsePlanText500);

// A right click among 20000 nearby points (a dense fix box), the plan reset every 400 clicks.
void BM_AddWaypointAmong20000(benchmark::State& state) {
  std::mt19937 random(7);
  std::uniform_real_distribution<float> lat(49.0f, 55.0f), lon(1.0f, 9.0f);
  std::vector<std::string> idents;
  for (int i = 0; i < 20000; ++i) idents.push_back("F" + std::to_string(i) + " ");
  std::vector<PickCandidate> candidates;
  for (int i = 0; i < 20000; ++i) candidates.push_back({i % 7 == 0 ? 3 : 11, lat(random), lon(random), idents[i], "."});
  candidates.push_back({});
  candidates.insert(candidates.begin(), PickCandidate{1, 52.3f, 4.76f, "EHAM ", "-11"});
  const PickContext context{candidates, ShownLayers{true, true, true, true}, 160, false};
  FlightPlan plan;
  int clicks = 0;
  for (auto _ : state) {
    if (clicks++ % 400 == 0) {
      ClearEntries(plan);
      AddWaypointAt(plan, context, {52.3f, 4.76f}, "33000", "320", nullptr);
    }
    benchmark::DoNotOptimize(AddWaypointAt(plan, context, {lat(random), lon(random)}, "33000", "320", nullptr));
  }
}
BENCHMARK(BM_AddWaypointAmong20000);

}  // namespace
