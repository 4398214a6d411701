// The plan as an AceXML flight plan (".PLN") for Microsoft Flight Simulator.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "corvane/plan/flight_plan.h"

namespace corvane::exchange {

inline constexpr std::string_view kPlnFileFilter = "PLN files (*.PLN)|*.PLN|All files (*.*)|*.*";
inline constexpr std::string_view kPlnFileExtension = "PLN";

// Plans flown below this altitude are typed VFR.
inline constexpr std::int32_t kPlnIfrAltitudeFt = 15000;

// Degrees, minutes and seconds with the UTF-8 degree sign: N52° 30' 45.000" or E004° 30' 00.000".
// Degrees take 2 digits for a latitude and 3 for a longitude; seconds that round to 60.000 carry
// into the minutes.
std::string FormatPlnCoordinate(float value, bool isLongitude);

// The AceXML document: the departure (entry 0) and the destination (the plan's last airport) in the
// header, then every entry as a waypoint of its kind: airports, VORs, NDBs and fixes (intersections)
// with their ICAO ident, user points and profile markers as user waypoints. Idents are written
// without the tables' trailing blank, with XML's special characters escaped.
std::vector<std::string> PlnLines(const plan::FlightPlan& plan);

}  // namespace corvane::exchange
