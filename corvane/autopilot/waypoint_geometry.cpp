// Steering geometry in the plan's flat-earth rule.
#include "corvane/autopilot/waypoint_geometry.h"

#include <cmath>

#include "corvane/autopilot/autopilot_state.h"
#include "corvane/plan/click_actions.h"
#include "corvane/plan/flight_plan.h"
#include "corvane/simlink/aircraft_state.h"

namespace corvane::autopilot {

WaypointGeometry GeometryTo(double aircraftLatitude, double aircraftLongitude, double headingDegTrue,
                            double pointLatitude, double pointLongitude) {
  WaypointGeometry geometry;
  geometry.distanceNm = plan::DistanceNm(aircraftLatitude, aircraftLongitude, pointLatitude, pointLongitude);
  geometry.bearingDeg = plan::FlatBearingDeg(aircraftLatitude, aircraftLongitude, pointLatitude, pointLongitude);
  auto relative = static_cast<std::int32_t>(std::trunc(geometry.bearingDeg - headingDegTrue));
  if (relative < 0) relative += 360;
  geometry.relativeBearingDeg = relative;
  return geometry;
}

double WindCorrectedHeading(double headingDeg, std::int32_t groundSpeedKt, std::int32_t windSpeedKt,
                            std::int32_t windDirectionDegTrue) {
  if (groundSpeedKt > 50 && windSpeedKt > 0) {
    // The wind's angle off the nose, folded so that a head or tail wind gives 0 and a pure cross wind ±90.
    double angle = windDirectionDegTrue - headingDeg;
    angle = angle > 180 ? 360 - angle : -angle;
    if (angle > 90) angle = 180 - angle;
    if (angle < -90) angle = -180 - angle;
    headingDeg -= static_cast<double>(windSpeedKt) / groundSpeedKt * angle * 0.7;
  }
  if (headingDeg < 0) headingDeg += 360;
  return headingDeg;
}

double SignedDifferenceDeg(double differenceDeg) {
  double folded = std::fmod(differenceDeg, 360.0);
  if (folded > 180) folded -= 360;
  if (folded < -180) folded += 360;
  return folded;
}

WaypointGeometry KeepGeometry(AutopilotState& state, const simlink::AircraftState& aircraft, float latitude,
                              float longitude) {
  const WaypointGeometry geometry =
      GeometryTo(aircraft.latitude, aircraft.longitude, aircraft.headingDegTrue, latitude, longitude);
  state.distanceNm = static_cast<float>(geometry.distanceNm);
  state.bearingDeg = geometry.bearingDeg;
  state.relativeBearingDeg = geometry.relativeBearingDeg;
  state.distanceShownNm = static_cast<std::int32_t>(state.distanceNm);
  return geometry;
}

}  // namespace corvane::autopilot
