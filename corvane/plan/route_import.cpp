// The route import: the token scan, the legs and the failure texts.
#include "corvane/plan/route_import.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "corvane/plan/airway_walk.h"
#include "corvane/plan/route_points.h"
#include "formats/field_cut.h"

namespace corvane::plan {
namespace {

// The departure: a four-letter airport ident and its blank.
constexpr std::size_t kDepartureLength = 5;

bool IsKeyword(std::string_view token) { return token == "DCT" || token == "SID" || token == "STAR"; }

// The route text with its two appended blanks, read token by token.
class RouteTokens {
 public:
  explicit RouteTokens(std::string_view typed) : text_(std::string(typed) + "  ") {}

  std::string Departure() const { return text_.substr(0, kDepartureLength); }

  // Another pair is read while the (1-based) position stands more than six characters before the end.
  bool MorePairs() const { return position_ + 1 + 6 < text_.size(); }

  // The next token with one blank appended; none when only blanks are left.
  std::optional<std::string> Next() {
    position_ = std::min(text_.find_first_not_of(' ', position_), text_.size());
    if (position_ == text_.size()) return std::nullopt;
    const std::size_t end = std::min(text_.find(' ', position_), text_.size());
    std::string token = text_.substr(position_, end - position_) + " ";
    position_ = end;
    return token;
  }

  bool TokenLeft() const { return text_.find_first_not_of(' ', position_) != std::string::npos; }

 private:
  std::string text_;
  std::size_t position_ = kDepartureLength - 1;
};

class RouteImport {
 public:
  RouteImport(FlightPlan& plan, const navdata::NavDatabase& database, CruiseValues cruise, RouteImportOutcome& outcome)
      : plan_(plan), database_(database), cruise_(cruise), outcome_(outcome), walker_(database.airwaySegments) {}

  void Run(std::string_view typed) {
    RouteTokens tokens(typed);
    prev_ = tokens.Departure();
    if (!AddPointByName(plan_, database_, prev_, cruise_)) {
      outcome_.status = prev_ + "not found!! Can NOT create route!!";
      return Stop(kDepartureNotFoundTitle);
    }
    Log(prev_);
    outcome_.departure = prev_;
    std::string fix;
    while (tokens.MorePairs()) {
      const std::optional<std::string> via = tokens.Next();
      const std::optional<std::string> next = via ? tokens.Next() : std::nullopt;
      if (!next) return Stop(kMissingPointTitle);
      fix = *next;
      Log(prev_ + "- " + *via + "- " + fix);
      const bool goOn = IsKeyword(formats::TrimBlanks(*via)) ? DirectLeg(*via, fix) : AirwayLeg(*via, fix);
      if (!goOn) return;
    }
    // A last token without its pair would otherwise be dropped while the route is reported as set.
    if (tokens.TokenLeft()) return Stop(kMissingPointTitle);
    if (!lastLookupFound_) {
      outcome_.status = fix + "NOT found!!";
      return Stop(kLastPointNotFoundTitle);
    }
    Log(fix);
    outcome_.arrival = fix;
    outcome_.status = std::string(kRouteSetText);
    plan_.insertIndex = 1;
    outcome_.routeSet = true;
  }

 private:
  // A DCT, SID or STAR leg. False when the import stops.
  bool DirectLeg(const std::string& via, const std::string& fix) {
    Log(prev_ + via + fix);
    if (!HasRoomForOneMore(plan_)) return StopPlanFull();
    if (!AddNearLastWaypoint(fix)) {
      outcome_.status = fix + "not found!!";
      Stop(kKeywordPointNotFoundTitle);
      return false;
    }
    lastLookupFound_ = true;
    prev_ = fix;
    return true;
  }

  // Along the airway, else direct; a point found neither way is reported and the import goes on.
  bool AirwayLeg(const std::string& via, const std::string& fix) {
    const AirwayWalkResult walk = walker_.Walk(prev_, via, fix, outcome_.memoLines);
    for (const AirwayWalkPoint& point : walk.points) {
      if (!AddPointAt(plan_, database_, point.lat, point.lon)) return StopPlanFull();
    }
    if (walk.reached) {
      prev_ = fix;
      return true;
    }
    Log(walk.lastKey + "DCT " + fix);
    if (!HasRoomForOneMore(plan_)) return StopPlanFull();
    lastLookupFound_ = AddNearLastWaypoint(fix);
    if (lastLookupFound_) {
      prev_ = fix;
    } else {
      outcome_.status = fix + "not found!!";
    }
    return true;
  }

  // The named point nearest the last waypoint.
  bool AddNearLastWaypoint(const std::string& name) {
    const Waypoint& last = plan_[plan_.tail - 1];
    return AddPointNear(plan_, database_, name, last.lat, last.lon, cruise_);
  }

  void Log(std::string line) { outcome_.memoLines.push_back(std::move(line)); }
  void Stop(std::string_view title) { outcome_.messageTitle = std::string(title); }
  bool StopPlanFull() {
    outcome_.status = std::string(kPlanFullText);
    Stop(kPlanFullTitle);
    return false;
  }

  FlightPlan& plan_;
  const navdata::NavDatabase& database_;
  CruiseValues cruise_;
  RouteImportOutcome& outcome_;
  AirwayWalker walker_;
  std::string prev_;  // the point reached so far
  bool lastLookupFound_ = true;
};

}  // namespace

RouteImportOutcome ImportRoute(FlightPlan& plan, const navdata::NavDatabase& database, std::string_view typedRoute,
                               std::string_view cruiseAltitudeText, std::string_view cruiseSpeedText) {
  RouteImportOutcome outcome;
  ClearEntries(plan);
  CruiseValues cruise;
  try {
    cruise = {formats::ParseInt(cruiseAltitudeText), formats::ParseInt(cruiseSpeedText)};
  } catch (const formats::ConversionError& error) {
    outcome.errorMessage = error.what();
    return outcome;
  }
  // A route pasted from a briefing often brings blanks, tabs or a line end around it.
  std::string typed(typedRoute);
  std::replace_if(
      typed.begin(), typed.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
  RouteImport(plan, database, cruise, outcome).Run(formats::TrimBlanks(typed));
  return outcome;
}

}  // namespace corvane::plan
