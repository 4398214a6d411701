// "Track legs": leg steering, fly-by turns and the descent path.
#include "corvane/autopilot/leg_tracking.h"

#include <algorithm>
#include <cmath>

#include "corvane/autopilot/waypoint_geometry.h"

namespace corvane::autopilot {
namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kDegToRad = kPi / 180.0;
constexpr double kMetresPerSecondPerKt = 1852.0 / 3600.0;
constexpr double kMetresPerNm = 1852.0;
constexpr double kGravityMps2 = 9.80665;
// Time to close most of the distance off the line; shorter overshoots the aircraft's own heading hold.
constexpr double kCaptureSeconds = 40;
// Below this ground speed (on the ground, or a stale poll) the steering gains are those of this speed.
constexpr double kSlowestSteeringKt = 60;
constexpr double kStandardRateDegPerSec = 3;
constexpr double kAirlinerBankDeg = 25;
// Beyond this course change a fly-by would start absurdly early; the rest is flown as an intercept.
constexpr double kLargestAnticipatedTurnDeg = 120;
// The poll and the autopilot take about this long to start the turn after the switch.
constexpr double kRollInSeconds = 2;
constexpr double kHeadingHoldDeg = 0.75;
// Feet per minute of vertical speed for each foot off the path.
constexpr double kPathGainPerMinute = 3;

double SteeringSpeedKt(std::int32_t groundSpeedKt) { return std::max(double(groundSpeedKt), kSlowestSteeringKt); }

LegPoint PointOf(const plan::Waypoint& entry) { return {entry.lat, entry.lon}; }
LegPoint PointOf(const simlink::AircraftState& aircraft) { return {aircraft.latitude, aircraft.longitude}; }

// The leg out of the active waypoint; none at the plan's last waypoint.
std::optional<LegPosition> NextLegPosition(const plan::FlightPlan& plan, const simlink::AircraftState& aircraft) {
  const std::int32_t next = plan.ActiveWaypointIndex + 1;
  if (next >= plan::FlightPlan::kCapacity || plan[next].IsEndMarker()) return std::nullopt;
  return PositionOnLeg(PointOf(plan[plan.ActiveWaypointIndex]), PointOf(plan[next]), PointOf(aircraft));
}

}  // namespace

LegPosition ActiveLegPosition(const plan::FlightPlan& plan, const simlink::AircraftState& aircraft) {
  const std::int32_t active = plan.ActiveWaypointIndex;
  const LegPoint start = active > 0 ? PointOf(plan[active - 1]) : PointOf(aircraft);
  return PositionOnLeg(start, PointOf(plan[active]), PointOf(aircraft));
}

double InterceptDeg(double crossTrackNm, std::int32_t groundSpeedKt) {
  const double closingNmPerSec = SteeringSpeedKt(groundSpeedKt) / 3600.0;
  const double gainDegPerNm = 1.0 / (closingNmPerSec * kCaptureSeconds) / kDegToRad;
  return std::clamp(-crossTrackNm * gainDegPerNm, -kInterceptLimitDeg, kInterceptLimitDeg);
}

double TurnRadiusNm(std::int32_t groundSpeedKt) {
  const double speedKt = std::max(double(groundSpeedKt), 0.0);
  const double standardRateNm = speedKt / 3600.0 / (kStandardRateDegPerSec * kDegToRad);
  const double speedMps = speedKt * kMetresPerSecondPerKt;
  const double bankLimitedNm =
      speedMps * speedMps / (kGravityMps2 * std::tan(kAirlinerBankDeg * kDegToRad)) / kMetresPerNm;
  return std::max(standardRateNm, bankLimitedNm);
}

double TurnLeadNm(std::int32_t groundSpeedKt, double courseChangeDeg) {
  const double turnDeg = std::min(std::abs(courseChangeDeg), kLargestAnticipatedTurnDeg);
  const double rollInNm = std::max(double(groundSpeedKt), 0.0) / 3600.0 * kRollInSeconds;
  return TurnRadiusNm(groundSpeedKt) * std::tan(turnDeg / 2 * kDegToRad) + rollInNm;
}

std::int32_t WholeDegreeTarget(double headingDeg, std::optional<std::int32_t> lastTargetDeg) {
  if (lastTargetDeg && std::abs(SignedDifferenceDeg(headingDeg - *lastTargetDeg)) < kHeadingHoldDeg) {
    return *lastTargetDeg;
  }
  const auto nearest = static_cast<std::int32_t>(std::lround(headingDeg)) % 360;
  return nearest < 0 ? nearest + 360 : nearest;
}

bool SteerAlongActiveLeg(AutopilotState& state, const plan::FlightPlan& plan, const simlink::AircraftState& aircraft) {
  const plan::Waypoint& active = plan[plan.ActiveWaypointIndex];
  KeepGeometry(state, aircraft, active.lat, active.lon);

  // The turn onto the next leg starts its lead before the waypoint and is steered by the next leg's
  // line; the waypoint is passed, as an FMS sequences it, where the turn crosses its bisector.
  const LegPosition leg = ActiveLegPosition(plan, aircraft);
  const std::optional<LegPosition> next = NextLegPosition(plan, aircraft);
  const bool turning = next && leg.toGoNm <= TurnLeadNm(aircraft.groundSpeedKt,
                                                        SignedDifferenceDeg(next->courseDegTrue - leg.courseDegTrue));
  const LegPosition& steered = turning ? *next : leg;
  const double courseDegTrue = steered.courseDegTrue + InterceptDeg(steered.crossTrackNm, aircraft.groundSpeedKt);
  const double heading =
      WindCorrectedHeading(courseDegTrue - static_cast<double>(aircraft.magneticVariationDeg), aircraft.groundSpeedKt,
                           aircraft.windSpeedKt, aircraft.windDirectionDegTrue);
  state.trackedHeadingDeg = WholeDegreeTarget(heading, state.trackedHeadingDeg);
  state.targetHeadingDeg = static_cast<float>(*state.trackedHeadingDeg);
  if (!next) return leg.toGoNm <= 0;
  // Into the plan's first waypoint there is no line to hold, and the turn would circle it: passed at once.
  if (plan.ActiveWaypointIndex == 0) return turning;
  return turning && next->lengthNm - next->toGoNm >= leg.toGoNm;
}

double PathVerticalSpeedFpm(const plan::FlightPlan& plan, const simlink::AircraftState& aircraft) {
  const std::int32_t active = plan.ActiveWaypointIndex;
  const double endFt = plan[active].altitude;
  const double startFt = active > 0 ? plan[active - 1].altitude : aircraft.altitudeFt;
  const LegPosition leg = ActiveLegPosition(plan, aircraft);
  const double ftPerNm = leg.lengthNm > 0 ? (startFt - endFt) / leg.lengthNm : 0;
  const double pathFt = endFt + std::max(leg.toGoNm, 0.0) * ftPerNm;
  const double alongPathFpm = -ftPerNm * std::max(double(aircraft.groundSpeedKt), 0.0) / 60.0;
  const double verticalSpeedFpm = alongPathFpm + kPathGainPerMinute * (pathFt - aircraft.altitudeFt);
  if (endFt < aircraft.altitudeFt) return std::min(verticalSpeedFpm, 0.0);
  if (endFt > aircraft.altitudeFt) return std::max(verticalSpeedFpm, 0.0);
  return verticalSpeedFpm;
}

}  // namespace corvane::autopilot
