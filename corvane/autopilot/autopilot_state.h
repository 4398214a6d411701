// The autopilot's own state: the mode, the last steering values and the holding pattern.
#pragma once

#include <cstdint>
#include <string_view>

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

struct AutopilotState {
  std::int32_t AutopilotMode = kModeOff;
  float targetHeadingDeg = 0;           // the last heading target, magnetic
  float distanceNm = 0;                 // to the active waypoint, or to the hold fix
  std::int32_t bearingDeg = 0;          // true, whole degrees
  std::int32_t relativeBearingDeg = 0;  // 0 … 359
  std::int32_t distanceShownNm = 0;     // truncated, for the map
  HoldState hold{};
  // The switch factor's fault is shown once, not on every tick while it lasts.
  bool switchFactorReported = false;
};

// "AP-OFF" … "AP-HOLD  " (two trailing blanks); an unknown mode reads as off.
std::string_view ModeText(std::int32_t mode);

}  // namespace corvane::autopilot
