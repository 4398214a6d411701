// What the map's distance box names: the fly-direct target or the hold fix while they are flown, else
// the active waypoint, a profile marker by its label rather than its "*****".
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "corvane/autopilot/autopilot_state.h"
#include "corvane/plan/flight_plan.h"

namespace corvane::autopilot {

struct ShownTarget {
  std::string ident;
  std::int32_t distanceNm = 0;  // truncated, as the last tick measured it
};

// Nothing when the plan has no active waypoint outside direct-to and the hold.
std::optional<ShownTarget> ShownTargetOf(const AutopilotState& state, const plan::FlightPlan& plan);

}  // namespace corvane::autopilot
