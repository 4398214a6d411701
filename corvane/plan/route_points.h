// The three ways a route import adds a point to the plan: by name, by name nearest a reference
// position, and the fix or beacon nearest a position (or the position itself).
#pragma once

#include <cstdint>
#include <string_view>

#include "corvane/navdata/nav_tables.h"
#include "corvane/plan/flight_plan.h"

namespace corvane::plan {

// The cruise fields' values, which the departure takes.
struct CruiseValues {
  std::int32_t altitudeFt = 0;
  std::int32_t speedKt = 0;
};

// Nothing farther than this is ever taken for a named point.
inline constexpr double kFarthestRoutePointNm = 640.0;
// An airway point farther than this from every fix and beacon becomes a user point named "FIX".
inline constexpr double kAirwayPointSnapNm = 2.0;

// Whether a table row's ident stands for the name (which carries its trailing blank). Airports and
// fixes: the ident begins with the name. Beacons, whose idents are stored trimmed: the trimmed texts
// are equal; an ILS never matches, as it never enters the plan.
bool IdentMatchesName(std::string_view ident, std::string_view name);
bool BeaconMatchesName(const navdata::BeaconRow& beacon, std::string_view name);

// Appends the first beacon, else airport, else fix that matches the name. False when nothing
// matches or the plan is full; the plan is then unchanged but for the copy of the tail entry.
bool AddPointByName(FlightPlan& plan, const navdata::NavDatabase& database, std::string_view name, CruiseValues cruise);

// Appends the matching beacon, airport or fix nearest the reference position (strictly nearer wins,
// so on a tie the earlier table and row win). False when none is nearer than 640 nm or the plan is full.
bool AddPointNear(FlightPlan& plan, const navdata::NavDatabase& database, std::string_view name, double refLatitude,
                  double refLongitude, CruiseValues cruise);

// Appends the fix, or a strictly nearer beacon, nearest the position; farther than 2 nm from all of
// them, the position itself as the user point "FIX". False only when the plan is full.
bool AddPointAt(FlightPlan& plan, const navdata::NavDatabase& database, double latitude, double longitude);

}  // namespace corvane::plan
