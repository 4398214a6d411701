// The distance box's target.
#include "corvane/autopilot/shown_target.h"

#include "corvane/autopilot/profile_markers.h"

namespace corvane::autopilot {

std::optional<ShownTarget> ShownTargetOf(const AutopilotState& state, const plan::FlightPlan& plan) {
  if (state.AutopilotMode == kModeDirect) return ShownTarget{state.direct.name, state.distanceShownNm};
  if (state.AutopilotMode == kModeHold) return ShownTarget{state.hold.fix.name, state.distanceShownNm};
  const std::int32_t active = plan.ActiveWaypointIndex;
  if (active < 0 || active >= plan::FlightPlan::kCapacity) return std::nullopt;
  const plan::Waypoint& entry = plan[active];
  return ShownTarget{IsMarker(entry) ? entry.info : entry.ident, state.distanceShownNm};
}

}  // namespace corvane::autopilot
