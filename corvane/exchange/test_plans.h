// Plans for the exchange tests, written entry by entry.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>

#include "corvane/plan/flight_plan.h"

namespace corvane::exchange::testing {

struct TestEntry {
  plan::WaypointKind kind;
  std::string ident;
  float lat;
  float lon;
  std::int32_t altitude = 33000;
};

// The entries in order; the last one is the tail entry.
inline std::unique_ptr<plan::FlightPlan> PlanOf(std::initializer_list<TestEntry> entries) {
  auto plan = std::make_unique<plan::FlightPlan>();
  std::int32_t i = 0;
  for (const TestEntry& entry : entries) {
    plan::Waypoint& waypoint = (*plan)[i];
    waypoint.kind = entry.kind;
    waypoint.ident = entry.ident;
    waypoint.info = ".";
    waypoint.lat = entry.lat;
    waypoint.lon = entry.lon;
    waypoint.altitude = entry.altitude;
    waypoint.speed = 320;
    if (i > 0) waypoint.legNm = plan::LegNm(*plan, i - 1, i);
    ++i;
  }
  plan->tail = i > 0 ? i - 1 : 0;
  return plan;
}

}  // namespace corvane::exchange::testing
