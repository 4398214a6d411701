// The plan as the export writers see it: idents without the blank the tables keep, the departure,
// the destination airport and the cruise altitude, decided once for every format.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "corvane/plan/flight_plan.h"

namespace corvane::exchange {

// Descent-profile markers, which are no route points.
inline constexpr std::string_view kProfileMarkerIdent = "*****";

// The ident as other software must read it: "EHAM " from the airport table is "EHAM".
std::string_view ExportIdent(const plan::Waypoint& entry);

// Profile markers (by kind or by the "*****" ident) are positions, not points of an ATC route.
bool IsProfileMarker(const plan::Waypoint& entry);

struct PlanEnds {
  std::int32_t count = 0;        // the entries before the end marker
  std::int32_t destination = 0;  // the last airport after entry 0; the last entry when there is none
  bool destinationIsAirport = false;
  // Said to the user when the plan does not end at its destination airport.
  std::optional<std::string> note;
};

// The departure is entry 0. The destination is the plan's last airport: a plan that stops at a fix
// (an import that ended early) is still filed to where it flies, and the note says so.
PlanEnds PlanEndsOf(const plan::FlightPlan& plan);

// The largest altitude of the listed entries, and 0 when none is above 0.
std::int32_t HighestAltitudeFt(const plan::FlightPlan& plan);

}  // namespace corvane::exchange
