// The IvAp flight plan (".fpl") for the IVAO network: the plan as an ATC route string with airways,
// written into a copy of the user's template file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/navdata/nav_tables.h"
#include "corvane/plan/flight_plan.h"

namespace corvane::exchange {

inline constexpr std::size_t kIvapTemplateLines = 24;
// Descent-profile markers, which are no route points.
inline constexpr std::string_view kProfileMarkerIdent = "*****";

// The departure ident, then words each followed by a blank: "DCT" and the next point, or an airway
// name and the point where the plan leaves it. Consecutive legs on one airway give its name once.
std::string BuildIvapRoute(const plan::FlightPlan& plan, const navdata::AirwaySegmentTable& airways);

struct IvapLevel {
  bool visual = true;      // VFR below flight level 181
  std::int32_t level = 0;  // hundreds of feet: the top of the plan's first climb
};
IvapLevel IvapLevelOf(const plan::FlightPlan& plan);

// The 24 lines of the flight plan from the template's lines; none when the template has fewer than 24.
std::optional<std::vector<std::string>> FillIvapTemplate(std::span<const std::string> templateLines,
                                                         std::string_view route, IvapLevel level);

struct IvapOutcome {
  std::string route;
  std::vector<std::string> routeMemoLines;   // appended to Memo1: two empty lines, "IvAp Route:", the route
  std::vector<std::string> flightPlanLines;  // Memo2: what was written, empty when nothing was
  std::optional<std::string> error;          // the template is missing, too short or cannot be replaced
};

// Builds the route and fills the template at templatePath, then saves the result over it. A missing
// or short template is reported and left as it is.
IvapOutcome WriteIvapFlightPlan(const plan::FlightPlan& plan, const navdata::AirwaySegmentTable& airways,
                                const std::filesystem::path& templatePath);
// The same, with the flight plan saved to outputPath and the template left as it is.
IvapOutcome WriteIvapFlightPlan(const plan::FlightPlan& plan, const navdata::AirwaySegmentTable& airways,
                                const std::filesystem::path& templatePath, const std::filesystem::path& outputPath);

}  // namespace corvane::exchange
