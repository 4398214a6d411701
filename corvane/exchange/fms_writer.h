// The plan as an X-Plane flight plan (".fms").
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/plan/flight_plan.h"

namespace corvane::exchange {

inline constexpr std::string_view kFmsFileFilter =
    "FMS files (*.fms)|*.fms|Text files (*.txt)|*.txt|All files (*.*)|*.*";
inline constexpr std::string_view kFmsFileExtension = "fms";

// The entry lines are padded with empty entries up to this count.
inline constexpr std::size_t kFmsEntryLines = 100;
inline constexpr std::string_view kFmsEmptyEntry = "0  ----  0      0.000000      0.000000";

// The name of a user point's coordinate: sign, 2 (latitude) or 3 (longitude) integer digits, point and
// 3 decimals, cut from the shortest decimal text of the value: -5.2537 gives "-05.253", 100.5 "+100.500".
std::string FmsLatitudeName(float latitude);
std::string FmsLongitudeName(float longitude);

// "I", "3 version", "0", then one line per entry (user points and profile markers as type 28 named
// by their position), padded to 100 entry lines.
std::vector<std::string> FmsLines(const plan::FlightPlan& plan);

}  // namespace corvane::exchange
