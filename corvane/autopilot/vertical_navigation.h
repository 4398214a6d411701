// VNAV's arithmetic: where the climb ends in the plan, the vertical speed that arrives at the
// waypoint's altitude, and when that speed is worth writing.
#pragma once

#include <cstdint>
#include <optional>

#include "corvane/plan/flight_plan.h"

namespace corvane::autopilot {

inline constexpr std::int32_t kLowestVerticalSpeedFpm = -2500;
inline constexpr std::int32_t kHighestVerticalSpeedFpm = 2600;

// The first entry from index 2 on whose altitude equals the one before it: the first level leg, which
// follows "*TOC*" in a profiled plan. The scan stays inside the plan; a plan without a level leg
// climbs to its last entry.
std::int32_t EndOfClimbIndex(const plan::FlightPlan& plan);

// Feet per minute, truncated, to reach the target altitude at the waypoint. At the waypoint itself
// (distance 0) there is nothing left to climb or descend over: 0, level at the altitude.
double RequiredVerticalSpeedFpm(std::int32_t targetAltitudeFt, double altitudeFt, std::int32_t groundSpeedKt,
                                float distanceNm);

// The required speed held to what the autopilot is given: −2500 … 2600 (0 for a value that is not a number).
std::int32_t ClampedVerticalSpeedFpm(double requiredFpm);

// The clamped value to write when the required speed differs from the autopilot's by more than 200,
// unless the autopilot already has that clamped value: a rate beyond the clamp is written once.
std::optional<std::int32_t> VerticalSpeedToWrite(double requiredFpm, double autopilotFpm);

}  // namespace corvane::autopilot
