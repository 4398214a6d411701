// The plan as an X-Plane flight plan (".fms"): version 3, which every X-Plane reads, and version 11,
// which X-Plane 11 and 12 write themselves.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/navdata/nav_tables.h"
#include "corvane/plan/flight_plan.h"

namespace corvane::exchange {

inline constexpr std::string_view kFmsFileFilter =
    "FMS files (*.fms)|*.fms|Text files (*.txt)|*.txt|All files (*.*)|*.*";
inline constexpr std::string_view kFmsFileExtension = "fms";

// The version-3 entry lines are padded with empty entries up to this count.
inline constexpr std::size_t kFmsEntryLines = 100;
inline constexpr std::string_view kFmsEmptyEntry = "0  ----  0      0.000000      0.000000";
// The header lines before the entries of each version.
inline constexpr std::size_t kFms3HeaderLines = 4;

// The name of a user point's coordinate: sign, 2 (latitude) or 3 (longitude) integer digits, point and
// 3 decimals, cut from the shortest decimal text of the value: -5.2537 gives "-05.253", 100.5 "+100.500".
std::string FmsLatitudeName(float latitude);
std::string FmsLongitudeName(float longitude);

// Version 3: "I", "3 version", "1", the number of the last entry line (counting from 0), then one
// line "type ident altitude lat lon" per entry (user points and profile markers as type 28 named by
// their position), padded to 100 entry lines.
std::vector<std::string> FmsLines(const plan::FlightPlan& plan);

// Version 11: "I", "1100 Version", ADEP (DEP for a departure that is no airport), ADES (DES),
// "NUMENR n", then n lines "type ident via altitude lat lon": via is ADEP or ADES on the departure
// and destination airports, the airway of the leg to a point on one, DRCT otherwise.
std::vector<std::string> Fms11Lines(const plan::FlightPlan& plan, const navdata::AirwaySegmentTable& airways);

}  // namespace corvane::exchange
