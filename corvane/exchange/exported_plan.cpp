// The departure, destination and idents shared by the export writers.
#include "corvane/exchange/exported_plan.h"

#include <algorithm>

#include "formats/field_cut.h"

namespace corvane::exchange {

std::string_view ExportIdent(const plan::Waypoint& entry) { return formats::TrimBlanks(entry.ident); }

bool IsProfileMarker(const plan::Waypoint& entry) {
  return entry.kind == plan::WaypointKind::kClimbMarker || entry.kind == plan::WaypointKind::kDescentMarker ||
         ExportIdent(entry) == kProfileMarkerIdent;
}

PlanEnds PlanEndsOf(const plan::FlightPlan& plan) {
  PlanEnds ends;
  ends.count = plan.ListedCount();
  const std::int32_t last = std::max(0, ends.count - 1);
  ends.destination = last;
  for (std::int32_t i = last; i > 0; --i) {
    if (plan[i].kind == plan::WaypointKind::kAirport) {
      ends.destination = i;
      ends.destinationIsAirport = true;
      break;
    }
  }
  if (ends.count < 2 || (ends.destination == last && ends.destinationIsAirport)) return ends;
  const std::string lastIdent(ExportIdent(plan[last]));
  if (ends.destinationIsAirport) {
    ends.note = "The plan ends at " + lastIdent + ", not at an airport: filed to " +
                std::string(ExportIdent(plan[ends.destination])) + ", its last airport";
  } else {
    ends.note = "The plan ends at " + lastIdent + " and has no destination airport";
  }
  return ends;
}

std::int32_t HighestAltitudeFt(const plan::FlightPlan& plan) {
  const std::int32_t count = plan.ListedCount();
  std::int32_t highest = 0;
  for (std::int32_t i = 0; i < count; ++i) highest = std::max(highest, plan[i].altitude);
  return highest;
}

}  // namespace corvane::exchange
