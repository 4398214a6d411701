// The autopilot loop's tick.
#include "corvane/autopilot/autopilot_tick.h"

#include <cmath>
#include <cstdlib>

#include "corvane/autopilot/autopilot_writes.h"
#include "corvane/autopilot/leg_tracking.h"
#include "corvane/autopilot/vertical_navigation.h"
#include "corvane/autopilot/waypoint_geometry.h"

namespace corvane::autopilot {
namespace {

constexpr std::string_view kXPlane = "XPlane";
constexpr std::int32_t kSpoilerExcessKt = 15;
// A waypoint the aircraft came this near to, and is now this much further from again, has been passed.
constexpr float kPassedWithinNm = 2.0f;
constexpr float kPassedMarginNm = 0.2f;
// Within this of its target altitude the aircraft counts as level.
constexpr double kLevelWithinFt = 100;

bool IsPastPlan(const plan::FlightPlan& plan, std::int32_t index) {
  return index < 0 || index >= plan::FlightPlan::kCapacity || plan[index].IsEndMarker();
}

TickOutcome EndAutopilot(AutopilotState& state, plan::FlightPlan& plan) {
  state.AutopilotMode = kModeOff;
  plan.ActiveWaypointIndex = plan::kNoActiveWaypoint;
  return TickOutcome{{}, true, OffPanel()};
}

WaypointGeometry GeometryToEntry(const simlink::AircraftState& aircraft, const plan::Waypoint& entry) {
  return GeometryTo(aircraft.latitude, aircraft.longitude, aircraft.headingDegTrue, entry.lat, entry.lon);
}

// The first waypoint that is not behind the aircraft, never the last one; false when there is none.
bool SearchActiveWaypoint(plan::FlightPlan& plan, const simlink::AircraftState& aircraft) {
  for (std::int32_t index = 0;; ++index) {
    if (IsPastPlan(plan, index + 1)) return false;
    const std::int32_t relative = GeometryToEntry(aircraft, plan[index]).relativeBearingDeg;
    if (relative <= 100 || relative >= 260) {
      plan.ActiveWaypointIndex = index;
      return true;
    }
  }
}

// Steering to the active waypoint: the geometry kept for the map and the wind-corrected heading target.
void SteerToActive(AutopilotState& state, const plan::Waypoint& active, const simlink::AircraftState& aircraft) {
  const WaypointGeometry geometry = KeepGeometry(state, aircraft, active.lat, active.lon);
  const double target = geometry.bearingDeg - static_cast<double>(aircraft.magneticVariationDeg);
  state.targetHeadingDeg = static_cast<float>(
      WindCorrectedHeading(target, aircraft.groundSpeedKt, aircraft.windSpeedKt, aircraft.windDirectionDegTrue));
}

// True once the aircraft came near the active waypoint and is moving away from it again: passed, however
// small the switch distance (a factor above the ground speed makes it 0, and the aircraft would circle).
bool PassedActive(AutopilotState& state, std::int32_t active) {
  WaypointPassage& passage = state.passage;
  if (passage.index != active || state.distanceNm < passage.closestNm) passage = {active, state.distanceNm};
  return passage.closestNm < kPassedWithinNm && state.distanceNm > passage.closestNm + kPassedMarginNm;
}

// True when the aircraft is within the switch distance (ground speed / factor nm, in whole nm) or has
// passed the waypoint. A factor that is not a whole number above 0 is reported on every tick it lasts.
bool SwitchDue(AutopilotState& state, std::int32_t active, std::int32_t groundSpeedKt,
               std::optional<std::int32_t> factor, std::string& report) {
  const bool passed = PassedActive(state, active);
  if (!factor || *factor < 1) {
    report = kSwitchFactorFault;
    return passed;
  }
  return passed || groundSpeedKt / *factor > state.distanceNm;
}

void WriteHeading(AutopilotState& state, AutopilotCommands& commands, std::string& status) {
  status = commands.SendApHeading(state.targetHeadingDeg);
  RememberWrite(state.written.headingDeg, HeadingReadBackDeg(state.targetHeadingDeg), status);
}

// The vertical speed VNAV's first tick writes: what the target needs, or 0 when already level there.
std::int32_t EngagingVerticalSpeedFpm(std::int32_t targetFt, const AutopilotState& state,
                                      const simlink::AircraftState& aircraft) {
  if (std::abs(targetFt - aircraft.altitudeFt) < kLevelWithinFt) return 0;
  const double required =
      RequiredVerticalSpeedFpm(targetFt, aircraft.altitudeFt, aircraft.groundSpeedKt, state.distanceNm);
  return ClampedVerticalSpeedFpm(required);
}

void SendVerticalSpeed(AutopilotState& state, std::int32_t verticalSpeedFpm, AutopilotCommands& commands,
                       std::string& status) {
  status = commands.SendApVerticalSpeed(verticalSpeedFpm);
  RememberWrite(state.written.verticalSpeedFpm, verticalSpeedFpm, status);
  if (state.written.verticalSpeedFpm) state.verticalSpeedDue = false;
}

// Altitude, vertical speed and the X-Plane vertical-speed switch. False when the climb is still on
// and only the altitude is given.
bool FlyVertical(AutopilotState& state, const plan::FlightPlan& plan, const simlink::AircraftState& aircraft,
                 const TickSettings& settings, AutopilotCommands& commands, std::string& status) {
  const std::int32_t active = plan.ActiveWaypointIndex;
  const std::int32_t endOfClimb = EndOfClimbIndex(plan);
  const bool climbing = !settings.vnavActive && active <= endOfClimb;
  // During the climb the autopilot gets the first level altitude at once.
  const std::int32_t targetAltitude = climbing ? plan[endOfClimb].altitude : plan[active].altitude;
  if (!AltitudeAlreadySet(targetAltitude, aircraft.apAltitudeFt, state.written)) {
    status = commands.SendApAltitude(targetAltitude);
    RememberWrite(state.written.altitudeFt, AltitudeReadBackFt(targetAltitude), status);
  }
  // The autopilot may still hold the vertical speed of an earlier plan or mode.
  if (state.verticalSpeedDue)
    SendVerticalSpeed(state, EngagingVerticalSpeedFpm(targetAltitude, state, aircraft), commands, status);
  if (climbing) return false;

  const double required = settings.trackLegs && active > endOfClimb
                              ? PathVerticalSpeedFpm(plan, aircraft)
                              : RequiredVerticalSpeedFpm(plan[active].altitude, aircraft.altitudeFt,
                                                         aircraft.groundSpeedKt, state.distanceNm);
  const auto write = VerticalSpeedToWrite(required, aircraft.apVerticalSpeedFpm);
  if (write && !VerticalSpeedWrittenAlready(*write, state.written)) SendVerticalSpeed(state, *write, commands, status);
  // X-Plane leaves its vertical-speed mode off when a descent is set; switch it on.
  if (aircraft.verticalSpeedHold == 0 && aircraft.apVerticalSpeedFpm < 0 && settings.simulatorName == kXPlane) {
    status = commands.SendVerticalSpeedHoldOn();
  }
  return true;
}

// The waypoint's speed, and the speed brakes when well above the autopilot's speed.
void FlySpeed(const plan::FlightPlan& plan, const simlink::AircraftState& aircraft, const TickSettings& settings,
              AutopilotCommands& commands, std::string& status) {
  const std::int32_t targetSpeed = plan[plan.ActiveWaypointIndex].speed & 0xFFFF;
  if (targetSpeed != aircraft.apAirspeedKt) status = commands.SendApAirspeed(targetSpeed);
  if (!settings.spoilersActive) return;
  const std::int32_t over = aircraft.indicatedAirspeedKt - std::int32_t{aircraft.apAirspeedKt};
  if (over > kSpoilerExcessKt) status = commands.SendSpoilers(over);
}

}  // namespace

TickOutcome RunAutopilotTick(AutopilotState& state, plan::FlightPlan& plan, const simlink::AircraftState& aircraft,
                             const TickSettings& settings, AutopilotCommands& commands) {
  TickOutcome outcome;
  const std::int32_t mode = state.AutopilotMode;
  // Direct-to wrote its heading once; only its distance is kept for the map. The hold steers to its
  // fix and leaves the plan's waypoint alone.
  if (mode == kModeDirect) {
    KeepGeometry(state, aircraft, state.direct.lat, state.direct.lon);
    return outcome;
  }
  if (mode == kModeHold) {
    outcome.status = RunHoldTick(state, aircraft, settings.hold, settings.timer4IntervalMs, commands);
    return outcome;
  }
  if (plan.ActiveWaypointIndex == plan::kNoActiveWaypoint && !SearchActiveWaypoint(plan, aircraft)) {
    return EndAutopilot(state, plan);
  }
  if (mode == kModeOff || mode == kModeSearch) return outcome;

  // The plan may have shrunk under the active waypoint since the last tick.
  if (IsPastPlan(plan, plan.ActiveWaypointIndex)) return EndAutopilot(state, plan);
  std::string report;
  if (settings.trackLegs) {
    // The new leg's heading is written on the tick of the switch already.
    if (SteerAlongActiveLeg(state, plan, aircraft)) {
      ++plan.ActiveWaypointIndex;
      if (IsPastPlan(plan, plan.ActiveWaypointIndex)) return EndAutopilot(state, plan);
      SteerAlongActiveLeg(state, plan, aircraft);
    }
    if (!HeadingAlreadySet(state.targetHeadingDeg, aircraft.apHeadingDeg, state.written))
      WriteHeading(state, commands, outcome.status);
  } else {
    SteerToActive(state, plan[plan.ActiveWaypointIndex], aircraft);
    if (SwitchDue(state, plan.ActiveWaypointIndex, aircraft.groundSpeedKt, settings.switchFactor, report)) {
      ++plan.ActiveWaypointIndex;
      if (IsPastPlan(plan, plan.ActiveWaypointIndex)) return EndAutopilot(state, plan);
    }
    if (HeadingWriteNeeded(state.relativeBearingDeg, state.targetHeadingDeg, aircraft.apHeadingDeg, state.written))
      WriteHeading(state, commands, outcome.status);
  }
  if ((mode == kModeLnavVnav || mode == kModeLnavVnavSpd) &&
      FlyVertical(state, plan, aircraft, settings, commands, outcome.status) && mode == kModeLnavVnavSpd) {
    FlySpeed(plan, aircraft, settings, commands, outcome.status);
  }
  // The fault of the switch factor outranks the writes' texts for as long as it lasts.
  if (!report.empty()) outcome.status = report;
  return outcome;
}

}  // namespace corvane::autopilot
