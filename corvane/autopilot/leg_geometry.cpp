// Rhumb-line legs: the Mercator chart scaled at the aircraft for the distance off the line, the plan's
// flat-earth distance for the rest, so that the distance to go agrees with the distance to the waypoint.
#include "corvane/autopilot/leg_geometry.h"

#include <algorithm>
#include <cmath>

#include "corvane/plan/flight_plan.h"

namespace corvane::autopilot {
namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kDegToRad = kPi / 180.0;
constexpr double kEarthRadiusNm = 3440.065;
// The chart ends short of the poles, where it runs off to infinity.
constexpr double kChartLatitudeLimitDeg = 89.9;
constexpr double kNoLengthOnChart = 1e-9;

struct ChartVector {
  double x = 0;  // east, radians of longitude
  double y = 0;  // north, Mercator units
};

double MercatorY(double latitudeDeg) {
  const double latitude = std::clamp(latitudeDeg, -kChartLatitudeLimitDeg, kChartLatitudeLimitDeg) * kDegToRad;
  return std::log(std::tan(kPi / 4 + latitude / 2));
}

// From one point to the other on the chart, the short way round in longitude.
ChartVector ChartFrom(LegPoint from, LegPoint to) {
  return {std::remainder(to.longitude - from.longitude, 360.0) * kDegToRad,
          MercatorY(to.latitude) - MercatorY(from.latitude)};
}

}  // namespace

double RhumbCourseDeg(LegPoint start, LegPoint end) {
  const ChartVector leg = ChartFrom(start, end);
  if (std::hypot(leg.x, leg.y) < kNoLengthOnChart) return 0;
  const double course = std::atan2(leg.x, leg.y) / kDegToRad;
  return course < 0 ? course + 360 : course;
}

LegPosition PositionOnLeg(LegPoint start, LegPoint end, LegPoint aircraft) {
  LegPosition position;
  position.lengthNm = plan::DistanceNm(start.latitude, start.longitude, end.latitude, end.longitude);
  const ChartVector leg = ChartFrom(start, end);
  const double legChart = std::hypot(leg.x, leg.y);
  if (legChart < kNoLengthOnChart) {
    position.courseDegTrue = RhumbCourseDeg(aircraft, end);
    return position;
  }
  position.courseDegTrue = RhumbCourseDeg(start, end);
  const ChartVector fromStart = ChartFrom(start, aircraft);
  const ChartVector toEnd = ChartFrom(aircraft, end);
  const double chartScaleNm = std::cos(aircraft.latitude * kDegToRad) * kEarthRadiusNm;
  position.crossTrackNm = (leg.y * fromStart.x - leg.x * fromStart.y) / legChart * chartScaleNm;
  const double toEndNm = plan::DistanceNm(aircraft.latitude, aircraft.longitude, end.latitude, end.longitude);
  const double alongNm = std::sqrt(std::max(0.0, toEndNm * toEndNm - position.crossTrackNm * position.crossTrackNm));
  position.toGoNm = leg.x * toEnd.x + leg.y * toEnd.y >= 0 ? alongNm : -alongNm;
  return position;
}

}  // namespace corvane::autopilot
