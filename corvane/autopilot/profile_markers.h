// The profile's marker waypoints ("FL100", "*TOC*", "*TOD*", "FL120", "*IAF*", "*FAF*") and the two
// plan edits that take them out and put them in.
#pragma once

#include <cstdint>
#include <string_view>

#include "corvane/plan/flight_plan.h"

namespace corvane::autopilot {

inline constexpr std::string_view kMarkerIdent = "*****";
inline constexpr std::string_view kTopOfClimbLabel = "*TOC*";

struct Marker {
  plan::WaypointKind kind = plan::WaypointKind::kClimbMarker;
  std::string_view label;
  std::int32_t altitudeFt = 0;
  std::int32_t speedKt = 0;
};

bool IsMarker(const plan::Waypoint& entry);

// Removes every marker between the first and the tail entry; the entry after a removed one takes
// over both legs.
void RemoveMarkers(plan::FlightPlan& plan);

// Inserts the marker at index at (1 … tail) at the fraction of the way from entry at − 1 to entry
// at, with the given leg; the leg of the entry after it is shortened by as much. False, with the
// plan unchanged, when the plan is full.
bool InsertMarker(plan::FlightPlan& plan, std::int32_t at, double fraction, std::int32_t legNm, const Marker& marker);

// The leg from entry at − 1 to the point at the fraction of the way to entry at, truncated.
std::int32_t PartLegNm(const plan::FlightPlan& plan, std::int32_t at, double fraction);

}  // namespace corvane::autopilot
