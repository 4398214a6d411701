// A plan flown from end to end: loaded, given its climb and descent profile, flown with LNAV, VNAV and
// SPD until the autopilot lets go, and judged by its flight record.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "flight_record.h"

namespace corvane::shell {

struct FlyRequest {
  std::filesystem::path dataFolder;
  std::filesystem::path settingsPath;  // empty: the settings' defaults, and nothing is written
  std::filesystem::path planPath;
  std::string simulator = "builtin";  // or "simhost": a running stand-in or bridge, in real time
  double windDirectionDeg = 0;        // the built-in stand-in's wind
  double windSpeedKt = 0;
  std::string cruiseFt;    // typed into the cruise altitude before "Calc Desc"; empty keeps it
  bool trackLegs = false;  // "Track legs" checked before the buttons are pressed; off keeps the settings' choice
};

struct FlyResult {
  std::vector<WaypointPassage> passages;
  FlightSummary summary;
  std::int64_t wallMs = 0;
  // Seconds in which a heading, altitude or vertical speed was written twice with the same value.
  std::uint64_t repeatedWriteSeconds = 0;
  bool finished = false;  // the autopilot let go before the longest flight's time ran out
};

// Nothing, with the reason in `error`, when the plan cannot be read, no simulator answers or the profile
// cannot be built.
std::optional<FlyResult> FlyPlan(const FlyRequest& request, std::string& error);

}  // namespace corvane::shell
