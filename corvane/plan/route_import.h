// Route import: a route string as filed (departure, then pairs of airway or keyword and next point,
// ending with the arrival) turned into the plan, with the log of the legs it built.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/navdata/nav_tables.h"
#include "corvane/plan/flight_plan.h"

namespace corvane::plan {

inline constexpr std::string_view kRouteImportTitle = "Route Import";
inline constexpr std::string_view kRouteImportPrompt = "Enter the route";
inline constexpr std::string_view kDefaultRoute = "EHAM SID SPY UL7 SUM UM125 SIDER G11 MY G3 SKARD STAR BIKF";

// The message box text of every failure; its title names the failure.
inline constexpr std::string_view kCannotFinishRouteText = "Can not finish route!";
inline constexpr std::string_view kDepartureNotFoundTitle = "Error";
inline constexpr std::string_view kMissingPointTitle = "Error01";
inline constexpr std::string_view kKeywordPointNotFoundTitle = "Error07";
inline constexpr std::string_view kLastPointNotFoundTitle = "Error09";
inline constexpr std::string_view kPlanFullTitle = "Plan full";

inline constexpr std::string_view kRouteSetText = "Route set!!";

struct RouteImportOutcome {
  std::vector<std::string> memoLines;       // the log of the legs, for Memo1
  std::optional<std::string> status;        // the status line's new text; none leaves it as it is
  std::optional<std::string> messageTitle;  // show kCannotFinishRouteText under this title
  std::optional<std::string> errorMessage;  // a cruise field that is not a whole number: nothing imported
  std::optional<std::string> departure;     // for edDEP
  std::optional<std::string> arrival;       // for edICAO
  bool routeSet = false;                    // list, parse, autosave and accept the plan (Cancel, FP, OK)
};

// Replaces the plan with the route typed (all 500 entries are cleared first). On success insertIndex
// is 1. After a failure the plan holds the waypoints added up to the failing leg.
//
// Tokens are runs of non-blank characters; the departure is always the first five characters. DCT,
// SID and STAR legs go to the named point nearest the last waypoint; any other leg walks that airway
// (AirwayWalker) and, failing six times, goes direct. A token without its pair ends the import with
// "Error01", wherever it stands; a plan that fills up ends it with "Plan full".
RouteImportOutcome ImportRoute(FlightPlan& plan, const navdata::NavDatabase& database, std::string_view typedRoute,
                               std::string_view cruiseAltitudeText, std::string_view cruiseSpeedText);

}  // namespace corvane::plan
