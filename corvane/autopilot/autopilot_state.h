// The autopilot's own state: the mode, the last steering values and the holding pattern.
#pragma once

#include <cstdint>
#include <optional>

#include "corvane/plan/click_actions.h"

namespace corvane::autopilot {

// AutopilotMode values. The active waypoint stays in the plan (FlightPlan::ActiveWaypointIndex), where
// the < and > buttons and the map already find it.
inline constexpr std::int32_t kModeOff = 0;
inline constexpr std::int32_t kModeSearch = 1;
inline constexpr std::int32_t kModeLnav = 2;
inline constexpr std::int32_t kModeLnavVnav = 3;
inline constexpr std::int32_t kModeLnavVnavSpd = 4;
inline constexpr std::int32_t kModeDirect = 5;
inline constexpr std::int32_t kModeHold = 6;

// Hold phases; 0 while not holding.
inline constexpr std::int32_t kHoldNone = 0;
inline constexpr std::int32_t kHoldToFix = 1;
inline constexpr std::int32_t kHoldTurnOutbound = 2;
inline constexpr std::int32_t kHoldOutboundLeg = 3;
inline constexpr std::int32_t kHoldTurnInbound = 4;

struct HoldState {
  plan::DirectTarget fix{};  // copied from the map's hold action when OK starts the hold
  std::int32_t phase = kHoldNone;
  std::int32_t legTicks = 0;  // Timer4 ticks flown on the outbound leg
};

// What corvane itself last wrote to the simulator's autopilot, as the autopilot reads it back. The poll
// lags the writes and the read-back is coarser than the write, so the read-back alone would have the
// same target written again tick after tick. Emptied whenever a mode button changes the mode.
struct LastWrites {
  std::optional<std::int32_t> headingDeg;
  std::optional<std::int32_t> altitudeFt;
  std::optional<std::int32_t> verticalSpeedFpm;
};

// The nearest the aircraft has come to the active waypoint, to tell a waypoint passed from one ahead.
struct WaypointPassage {
  std::int32_t index = -1;  // the active waypoint it belongs to
  float closestNm = 0;
};

struct AutopilotState {
  std::int32_t AutopilotMode = kModeOff;
  float targetHeadingDeg = 0;           // the last heading target, magnetic
  float distanceNm = 0;                 // to the active waypoint, or to the hold fix
  std::int32_t bearingDeg = 0;          // true, whole degrees
  std::int32_t relativeBearingDeg = 0;  // 0 … 359
  std::int32_t distanceShownNm = 0;     // truncated, for the map
  HoldState hold{};
  plan::DirectTarget direct{};  // where fly-direct steers; shown with its distance while direct
  LastWrites written{};
  WaypointPassage passage{};
  // VNAV was just engaged: its first tick writes the vertical speed the target needs, whatever the
  // simulator's autopilot was left with.
  bool verticalSpeedDue = false;
  // "Track legs": the whole-degree heading target, held against a heading that wavers about a half degree.
  std::optional<std::int32_t> trackedHeadingDeg{};
};

}  // namespace corvane::autopilot
