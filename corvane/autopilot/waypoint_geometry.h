// Steering geometry shared by LNAV, the search and the hold: distance and bearings to a point, the
// wind correction and the rule that decides when a heading is worth writing.
#pragma once

#include <cstdint>

namespace corvane::simlink {
struct AircraftState;
}

namespace corvane::autopilot {

struct AutopilotState;

struct WaypointGeometry {
  double distanceNm = 0;                // flat earth with the mean cosine, untruncated
  std::int32_t bearingDeg = 0;          // true, whole degrees
  std::int32_t relativeBearingDeg = 0;  // bearing minus aircraft heading, 0 … 359
};

WaypointGeometry GeometryTo(double aircraftLatitude, double aircraftLongitude, double headingDegTrue,
                            double pointLatitude, double pointLongitude);

// The geometry from the aircraft to a point, kept in the state for the map and the switch.
WaypointGeometry KeepGeometry(AutopilotState& state, const simlink::AircraftState& aircraft, float latitude,
                              float longitude);

// The heading corrected for the wind (above 50 kt ground speed and with any wind), then lifted by
// 360 when it fell below 0.
double WindCorrectedHeading(double headingDeg, std::int32_t groundSpeedKt, std::int32_t windSpeedKt,
                            std::int32_t windDirectionDegTrue);

// A heading difference folded into −180 … 180.
double SignedDifferenceDeg(double differenceDeg);

// The autopilot is only bothered when the aircraft is more than 2 degrees off to either side.
inline bool IsOffHeading(double differenceDeg) {
  const double signedDeg = SignedDifferenceDeg(differenceDeg);
  return signedDeg > 2 || signedDeg < -2;
}

}  // namespace corvane::autopilot
