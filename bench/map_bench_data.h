// The demo data around EHAM for the map benchmarks: the tables, the nearby lists and a frame with every layer.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "corvane/map/frame_inputs.h"
#include "corvane/map/nearby_refresh.h"
#include "corvane/navdata/nav_database_load.h"

namespace corvane::bench {

inline constexpr map::GeoPos kSchiphol{52.3086, 4.7639};
inline constexpr int kWidthPx = 1920;
inline constexpr int kHeightPx = 1080;

inline const navdata::NavDatabase& DemoDatabase() {
  static const auto database = [] {
    auto loaded = std::make_unique<navdata::NavDatabase>();
    // CORVANE_DEMO_DIR points at another copy of the demo folder.
    const char* folder = std::getenv("CORVANE_DEMO_DIR");
    navdata::LoadNavDatabase(
        *loaded,
        folder != nullptr ? std::filesystem::path(folder) : std::filesystem::path(CORVANE_SOURCE_DIR) / "data" / "demo",
        navdata::DatabaseSource::kXPlane);
    return loaded;
  }();
  return *database;
}

inline const map::NearbyLists& DemoLists() {
  static const auto lists = [] {
    auto built = std::make_unique<map::NearbyLists>();
    map::NearbyRefreshState state;
    while (!map::NearbyRefreshTick(state, DemoDatabase(), kSchiphol, {}, *built).cycleEnded) {
    }
    return built;
  }();
  return *lists;
}

// Every layer on, range 160, north-up, with a little traffic.
inline map::FrameInputs EveryLayer(std::vector<map::TrafficMark>& traffic) {
  map::FrameInputs inputs;
  inputs.nearby = &DemoLists();
  inputs.toggles = {.airports = true,
                    .vor = true,
                    .ndb = true,
                    .fixes = true,
                    .rangeRings = true,
                    .labels = true,
                    .geoMode = 2,
                    .trafficMode = 2,
                    .airwayMode = 2};
  for (int i = 0; i < 40; ++i) {
    traffic.push_back({float(kSchiphol.latitude + 0.05 * (i % 8)), float(kSchiphol.longitude + 0.07 * (i / 8)),
                       float(1000 * i), "KLM" + std::to_string(100 + i)});
  }
  inputs.traffic = traffic;
  inputs.aircraft = {.connected = true,
                     .latitude = kSchiphol.latitude,
                     .longitude = kSchiphol.longitude,
                     .altitudeFt = 3000,
                     .headingDegTrue = 240,
                     .groundSpeedKt = 180};
  return inputs;
}

}  // namespace corvane::bench
