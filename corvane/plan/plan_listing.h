// The plan's text form: one listing line per waypoint, the total line, and parsing the text back.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "corvane/plan/flight_plan.h"

namespace corvane::plan {

// "%2d   %5s  %5d  %3d  %3d  %6s   %4.8f   %4.8f     " of kind, ident, altitude, speed, legNm, info,
// lat, lon, with "." as decimal point whatever the locale.
std::string FormatPlanLine(const Waypoint& entry);

// The listing: one line per entry up to the end entry; with 4 lines or more an empty line and
// "Total distance is N nm." follow.
std::vector<std::string> ListPlan(const FlightPlan& plan);

// Readers of a plan text stop at the first line of 20 characters or fewer (the first line excepted).
inline constexpr std::size_t kShortestPlanLine = 21;

struct PlanTextError {
  int lineNumber = 0;  // 1-based
  std::string reason;
  std::string Message() const;  // "Plan line 3: ..."
};

// Rebuilds the plan from the lines: the first line always, then every following line longer than
// 20 characters. On success the last parsed entry becomes the tail entry (with two lines or more)
// and the legs are recomputed. A line that does not convert stops the parse: the entries before it
// stay, tail counts them, and the error names the line.
std::optional<PlanTextError> ParsePlanText(std::span<const std::string> lines, FlightPlan& plan);

// The line that ends the reading of a typed plan, when it holds more than blanks: a waypoint typed
// too short to be read (" 3  RTM"), which would otherwise drop it and every line after it.
std::optional<PlanTextError> TypedTextAfterThePlan(std::span<const std::string> lines);

}  // namespace corvane::plan
