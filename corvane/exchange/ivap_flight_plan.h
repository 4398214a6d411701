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

#include "corvane/exchange/exported_plan.h"
#include "corvane/navdata/nav_tables.h"
#include "corvane/plan/flight_plan.h"

namespace corvane::exchange {

// What an aerodrome field holds when there is no four-letter airport to name, as ICAO files it.
inline constexpr std::string_view kNoAerodrome = "ZZZZ";

struct IvapLevel {
  bool visual = true;      // VFR below flight level 181
  std::int32_t level = 0;  // hundreds of feet: the top of the plan's first climb
};
// The walk starts at entry 0's own altitude, which may be below 0 (a departure below sea level).
IvapLevel IvapLevelOf(const plan::FlightPlan& plan);

struct IvapFlight {
  std::string departure;           // four letters, or kNoAerodrome
  std::string destination;         // the plan's last airport, or kNoAerodrome
  std::vector<std::string> words;  // the route from the departure: "DCT" and a point, or an airway and its exit
  IvapLevel level;
  std::optional<std::string> note;  // the plan does not end at its destination
};
IvapFlight IvapFlightOf(const plan::FlightPlan& plan, const navdata::AirwaySegmentTable& airways);

// The departure ident, then words each followed by a blank: "DCT" and the next point, or an airway
// name and the point where the plan leaves it. Consecutive legs on one airway give its name once.
std::string BuildIvapRoute(const plan::FlightPlan& plan, const navdata::AirwaySegmentTable& airways);

// The keys the flight plan fills; every one must be in the template.
inline constexpr std::string_view kIvapFilledKeys[] = {"RULES", "NUMBER",   "DEPICAO", "SPEED",    "LEVELTYPE", "LEVEL",
                                                       "ROUTE", "DESTICAO", "ALTICAO", "ALTICAO2", "OTHER",     "POB"};

struct IvapFill {
  std::vector<std::string> lines;        // the template with the filled keys' values replaced
  std::vector<std::string> missingKeys;  // filled keys the template lacks: nothing is written then
};
// Replaces the value of every filled key wherever it stands; every other line stays as it is.
IvapFill FillIvapTemplate(std::span<const std::string> templateLines, const IvapFlight& flight);

struct IvapOutcome {
  std::string route;
  std::vector<std::string> routeMemoLines;   // appended to Memo1: two empty lines, "IvAp Route:", the route
  std::vector<std::string> flightPlanLines;  // Memo2: what was written, empty when nothing was
  std::optional<std::string> error;          // the template is missing, lacks keys or cannot be replaced
  std::optional<std::string> note;           // written, but the plan does not end at its destination
};

// Builds the route and fills the template at templatePath, then saves the result over it. A missing
// template or one without the keys is reported and left as it is.
IvapOutcome WriteIvapFlightPlan(const plan::FlightPlan& plan, const navdata::AirwaySegmentTable& airways,
                                const std::filesystem::path& templatePath);
// The same, with the flight plan saved to outputPath and the template left as it is.
IvapOutcome WriteIvapFlightPlan(const plan::FlightPlan& plan, const navdata::AirwaySegmentTable& airways,
                                const std::filesystem::path& templatePath, const std::filesystem::path& outputPath);

}  // namespace corvane::exchange
