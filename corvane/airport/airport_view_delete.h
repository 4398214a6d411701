// The delete command while the airport view runs (Delete key and middle mouse button).
#pragma once

#include "corvane/plan/delete_command.h"
#include "corvane/plan/flight_plan.h"

namespace corvane::airport {

// In insert mode the entry before the insertion point goes, but never the departure. Otherwise the
// waypoint before the arrival goes; a plan of a departure alone loses it, a plan of a departure and
// an arrival loses the arrival, as in the map view.
plan::DeleteOutcome DeleteCommandAirportView(plan::FlightPlan& plan);

}  // namespace corvane::airport
