// "Track legs": LNAV that holds the line of the active leg, as the map draws it, instead of steering
// straight at the waypoint, with fly-by turns onto the next leg; and VNAV past the climb that follows the
// straight path between the waypoints' altitudes, so each one is met at its waypoint.
#pragma once

#include <cstdint>
#include <optional>

#include "corvane/autopilot/autopilot_state.h"
#include "corvane/autopilot/leg_geometry.h"
#include "corvane/plan/flight_plan.h"
#include "corvane/simlink/aircraft_state.h"

namespace corvane::autopilot {

inline constexpr double kInterceptLimitDeg = 30;

// The leg into the active waypoint: from the waypoint before it, or from the aircraft into the plan's first.
LegPosition ActiveLegPosition(const plan::FlightPlan& plan, const simlink::AircraftState& aircraft);

// The angle to steer off the leg's course toward its line: it grows with the distance off, so that the
// line is closed in about the same time at any speed, and is held to ±kInterceptLimitDeg.
double InterceptDeg(double crossTrackNm, std::int32_t groundSpeedKt);

// The radius of a standard-rate turn at this ground speed, or of the 25° of bank an airliner holds to
// where standard rate would need more.
double TurnRadiusNm(std::int32_t groundSpeedKt);

// How far before the waypoint the turn onto the next leg starts, so that it ends on that leg's line.
double TurnLeadNm(std::int32_t groundSpeedKt, double courseChangeDeg);

// The whole-degree heading target: the nearest degree, kept while the heading stays within 0.75° of the
// last one, so that a heading wavering about a half degree is not written back and forth.
std::int32_t WholeDegreeTarget(double headingDeg, std::optional<std::int32_t> lastTargetDeg);

// LNAV along the active leg: the geometry to the active waypoint kept for the map, the whole-degree
// target (magnetic, wind-corrected) in state.targetHeadingDeg. True when the turn onto the next leg is due,
// or the aircraft is past the waypoint.
bool SteerAlongActiveLeg(AutopilotState& state, const plan::FlightPlan& plan, const simlink::AircraftState& aircraft);

// VNAV past the climb: the vertical speed that follows the straight path from the altitude of the
// active leg's start to that of the active waypoint, plus what brings the aircraft back onto it, never
// climbing toward a lower waypoint nor descending toward a higher one.
double PathVerticalSpeedFpm(const plan::FlightPlan& plan, const simlink::AircraftState& aircraft);

}  // namespace corvane::autopilot
