// ACT: copying the selected SID or STAR into the flight plan as user points.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "corvane/plan/flight_plan.h"
#include "corvane/plan/procedures.h"

namespace corvane::plan {

inline constexpr std::string_view kNoDepartureForProcedureText = "No Flightplan! Procedure not added";
inline constexpr std::string_view kPlanFullForProcedureText =
    "Flight plan is full (500 waypoints): procedure not added";

struct ProcedureActivation {
  std::int32_t pointsAdded = 0;
  std::string status;  // for the status line; empty when nothing was selected
};

// Copies the points of the selected procedure (the whole run of its name) into the plan: before the
// arrival, or at insertIndex in insert mode (insertIndex then points past them). Each point becomes a
// user point named after it, with the procedure name as info and the altitude and speed of its
// neighbour. The end of the run is found here, so a second ACT adds the following procedure whether
// or not the airport view has drawn in between; selected is left at the entry after the run.
// Nothing is added without a departure in the plan, nor when the whole procedure would not fit.
ProcedureActivation ActivateSelectedProcedure(ProcedureTable& table, FlightPlan& plan);

}  // namespace corvane::plan
