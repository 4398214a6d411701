// The flight plan: up to 500 waypoints ended by a 0/0 entry, its tail slot and the edit primitives.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "formats/field_cut.h"

namespace corvane::plan {

enum class WaypointKind : std::int32_t {
  kEmpty = 0,
  kAirport = 1,
  kNdb = 2,
  kVor = 3,
  kFix = 11,
  kClimbMarker = 28,    // "FL100", "*TOC*"
  kUserPoint = 29,      // a clicked position, or a route or procedure point not in the database
  kDescentMarker = 30,  // "*FAF*", "*IAF*", "FL120", "*TOD*"
};

inline constexpr std::int32_t KindNumber(WaypointKind kind) { return static_cast<std::int32_t>(kind); }

struct Waypoint {
  float lat = 0;
  float lon = 0;
  std::string ident;  // as the database stores it, "FIX" for a clicked point
  std::string info;   // elevation text, frequency text, "." or a profile label
  WaypointKind kind = WaypointKind::kEmpty;
  std::int32_t altitude = 0;  // feet
  std::int32_t speed = 0;     // knots
  std::int32_t legNm = 0;     // from the previous entry, truncated; 0 for entry 0

  // The entry that ends the plan for every reader.
  bool IsEndMarker() const { return lat == 0 && lon == 0; }
};

// The airway neighbours of the tail waypoint, which the map marks; ended by a 0/0 entry.
struct AirwayPoint {
  float lat = 0;
  float lon = 0;
};
inline constexpr std::size_t kAirwayPointCapacity = 500;
using AirwayPointList = std::array<AirwayPoint, kAirwayPointCapacity>;

inline constexpr std::int32_t kNoActiveWaypoint = 10000;

struct FlightPlan {
  static constexpr std::int32_t kCapacity = 500;

  std::array<Waypoint, kCapacity> entries;
  std::int32_t tail = 0;         // the slot the next appended waypoint is written into
  std::int32_t insertIndex = 0;  // where insert-mode additions go
  bool insertMode = false;
  std::int32_t ActiveWaypointIndex = kNoActiveWaypoint;
  AirwayPointList airwayPoints{};

  Waypoint& operator[](std::int32_t index) { return entries[static_cast<std::size_t>(index)]; }
  const Waypoint& operator[](std::int32_t index) const { return entries[static_cast<std::size_t>(index)]; }

  // Number of entries a reader sees: those before the first 0/0 entry (or all 500).
  std::int32_t ListedCount() const;
};

// The program's one distance rule: flat earth with the mean cosine of the two latitudes, 60 nm per degree.
double DistanceNm(double latitudeA, double longitudeA, double latitudeB, double longitudeB);
// The leg between entries a and b, truncated toward zero.
std::int32_t LegNm(const FlightPlan& plan, std::int32_t a, std::int32_t b);

// Copies every field of entry tail to entry tail + 1; does nothing when tail + 1 is outside the plan.
void DuplicateTail(FlightPlan& plan);
// Moves entries index ... tail one place up, leaving entry index free for a new one; tail stays. The
// caller has made sure entry tail + 1 is within the plan.
void OpenEntryAt(FlightPlan& plan, std::int32_t index);
// Empties entry tail.
void EraseEntry(FlightPlan& plan);
void EraseEntryAt(FlightPlan& plan, std::int32_t index);
// Empties every entry and sets tail to 0; the insert state and the active waypoint stay.
void ClearEntries(FlightPlan& plan);

// Removes the waypoint before the tail entry, or before the insertion point in insert mode. Returns
// the status text "Deleting <kind> <ident>"; an empty text when there is nothing before it to delete.
std::string DeleteEntry(FlightPlan& plan);

// True when one more entry fits (an append or an insert writes up to index tail + 1).
bool HasRoomForOneMore(const FlightPlan& plan);
inline constexpr std::string_view kPlanFullText = "Flight plan is full (500 waypoints): waypoint not added";

// "<kind> <ident>" as the delete and warning texts show an entry.
std::string KindAndIdent(const Waypoint& entry);

// Keeps the active waypoint inside the plan when the buttons < and > step it.
void StepActiveWaypoint(FlightPlan& plan, int step);
// After the plan shrank (delete, clear, a shorter text): an active waypoint past the last entry
// moves back to the last one, so the autopilot never steers to an entry that is gone.
void KeepActiveWaypointInPlan(FlightPlan& plan);

// Rebuilds the airway neighbours of the entry at tail from the airway segment table (any table whose
// rows carry fromIdent, toIdent and the from/to positions, ended by a row whose from-point is 0/0).
template <typename SegmentTable>
void UpdateAirwayNeighbours(FlightPlan& plan, const SegmentTable& segments) {
  const std::string_view ident = formats::TrimBlanks(plan[plan.tail].ident);
  std::size_t count = 0;
  auto add = [&](float lat, float lon) {
    if (count + 1 < kAirwayPointCapacity) plan.airwayPoints[count++] = {lat, lon};
  };
  for (std::size_t row = 0;; ++row) {
    const auto& segment = segments[row];
    if (segment.fromLatitude == 0 && segment.fromLongitude == 0) break;
    if (formats::TrimBlanks(segment.fromIdent) == ident) add(segment.toLatitude, segment.toLongitude);
    if (formats::TrimBlanks(segment.toIdent) == ident) add(segment.fromLatitude, segment.fromLongitude);
  }
  plan.airwayPoints[count] = {};
}

}  // namespace corvane::plan
