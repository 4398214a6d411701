// The delete command of the map view (Delete key and middle mouse button).
#pragma once

#include <string>
#include <utility>

#include "corvane/plan/flight_plan.h"

namespace corvane::plan {

enum class DeleteSource { kKey, kMiddleButton };

struct DeleteOutcome {
  std::string status;         // "Deleting <kind> <ident>", empty when nothing was deleted
  bool resetDisplay = false;  // the arrival was removed by the middle button: ResetPlanDisplay follows
};

// A departure alone: it goes. Departure and arrival: the arrival goes. Longer plans: the waypoint
// before the tail entry (or before the insertion point) goes and the airway neighbours follow.
template <typename SegmentTable>
DeleteOutcome DeleteCommandMapView(FlightPlan& plan, const SegmentTable& airwaySegments, DeleteSource source) {
  DeleteOutcome outcome;
  if (plan.tail == 1 && plan[1].ident.empty()) {
    plan.tail = 0;
    outcome.status = "Deleting " + KindAndIdent(plan[0]);
    EraseEntry(plan);
  } else if (plan.tail == 1) {
    outcome.status = "Deleting " + KindAndIdent(plan[1]);
    EraseEntry(plan);
    outcome.resetDisplay = source == DeleteSource::kMiddleButton;
  } else if (plan.tail > 1) {
    outcome.status = "Deleting " + KindAndIdent(plan[plan.tail - 1]);
    // In insert mode the entry before the insertion point goes, and DeleteEntry names it.
    if (std::string named = DeleteEntry(plan); !named.empty()) outcome.status = std::move(named);
    if (plan.tail > 2) {
      --plan.tail;
      UpdateAirwayNeighbours(plan, airwaySegments);
      ++plan.tail;
    }
    plan[plan.tail].legNm = LegNm(plan, plan.tail - 1, plan.tail);
  }
  return outcome;
}

}  // namespace corvane::plan
