// The OK button of the plan panel: parse the text, autosave it, and say how the map follows.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "corvane/plan/flight_plan.h"

namespace corvane::plan {

struct MapCentre {
  double lat = 0;
  double lon = 0;
};

struct AcceptOutcome {
  std::optional<std::string> parseError;     // the panel stays open and nothing else happens
  std::optional<std::string> autosaveError;  // the plan is taken all the same
  std::optional<MapCentre> recentreOn;       // the departure, when the map is far from it
  bool resetDisplay = false;                 // at most a departure: back to the editing layers
};

// Whether the map moves to the departure: not while both whole-degree differences are within 10.
std::optional<MapCentre> RecentreForPlan(const FlightPlan& plan, MapCentre centre);

// OK: with at least one line, parse the memo into the plan and write it to the autosave file in
// the save folder; then recentre on the departure when far away and reset the display when the plan
// has no second entry. A text that does not read, or whose reading ends at a short line holding
// text, is reported and leaves the plan as it was.
AcceptOutcome AcceptPlanText(FlightPlan& plan, std::span<const std::string> memoLines, std::string_view saveFolder,
                             MapCentre centre);

}  // namespace corvane::plan
