// Which airway each leg of the plan follows, from the airway segment table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "corvane/navdata/nav_tables.h"
#include "corvane/plan/flight_plan.h"

namespace corvane::exchange {

struct RouteLeg {
  std::int32_t from = 0;  // plan entries; profile markers between them are stepped over
  std::int32_t to = 0;
  std::string airway;  // without its blank; empty for a direct leg
};

// The legs between the route points of entries 0 ... last. A leg stays on the airway of the leg before
// it while that airway joins its two points; otherwise it takes the first airway of the table that
// does, and goes direct when none does. Idents are compared without their trailing blanks.
std::vector<RouteLeg> RouteLegsOf(const plan::FlightPlan& plan, std::int32_t last,
                                  const navdata::AirwaySegmentTable& airways);

}  // namespace corvane::exchange
