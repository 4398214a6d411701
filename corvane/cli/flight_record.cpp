#include "flight_record.h"

#include <algorithm>
#include <cmath>

#include "corvane/autopilot/profile_markers.h"
#include "corvane/autopilot/vertical_navigation.h"

namespace corvane::shell {
namespace {

constexpr double kDegToRad = 3.141592653589793 / 180.0;

// Distance of P from the rhumb line through A and B (a straight line on a Mercator chart, scaled at P):
// the path an aircraft flies that steers the flat-earth bearing to B, as the autopilot does.
double CrossTrackNm(const plan::Waypoint& a, const plan::Waypoint& b, double latitude, double longitude) {
  constexpr double kEarthRadiusNm = 3440.065;
  const auto mercatorY = [](double latitudeDeg) {
    return std::log(std::tan(3.141592653589793 / 4 + latitudeDeg * kDegToRad / 2));
  };
  const double legX = (b.lon - a.lon) * kDegToRad, legY = mercatorY(b.lat) - mercatorY(a.lat);
  const double pointX = (longitude - a.lon) * kDegToRad, pointY = mercatorY(latitude) - mercatorY(a.lat);
  const double legLength = std::hypot(legX, legY);
  const double offChart =
      legLength < 1e-12 ? std::hypot(pointX, pointY) : std::abs(legX * pointY - legY * pointX) / legLength;
  return offChart * std::cos(latitude * kDegToRad) * kEarthRadiusNm;
}

}  // namespace

FlightRecord::FlightRecord(const plan::FlightPlan& plan, bool vnavActive) {
  const std::int32_t endOfClimb = autopilot::EndOfClimbIndex(plan);
  for (std::int32_t i = 0; i <= plan.tail && i < plan::FlightPlan::kCapacity; ++i) {
    const plan::Waypoint& entry = plan[i];
    WaypointPassage passage;
    passage.name = autopilot::IsMarker(entry) ? entry.info : entry.ident;
    passage.targetAltitudeFt = entry.altitude;
    // The arrival is where the autopilot lets go, a switch distance short of it: not an altitude it flies to.
    passage.vnavTarget = i > 0 && i < plan.tail && (vnavActive || i > endOfClimb);
    passages_.push_back(passage);
  }
  arrival_ = plan[plan.tail];
}

void FlightRecord::Sample(const plan::FlightPlan& plan, const simlink::AircraftState& aircraft, bool onLeg) {
  ++samples_;
  for (std::size_t i = 0; i < passages_.size(); ++i) {
    const plan::Waypoint& entry = plan[static_cast<std::int32_t>(i)];
    const double distanceNm = plan::DistanceNm(aircraft.latitude, aircraft.longitude, entry.lat, entry.lon);
    if (distanceNm < passages_[i].closestNm) {
      passages_[i].closestNm = distanceNm;
      passages_[i].altitudeFt = aircraft.altitudeFt;
      passages_[i].closestAtSample = samples_;
    }
  }
  const std::int32_t active = plan.ActiveWaypointIndex;
  if (!onLeg || active < 1 || active > plan.tail) return;
  const double crossTrackNm = CrossTrackNm(plan[active - 1], plan[active], aircraft.latitude, aircraft.longitude);
  crossTrackSquares_ += crossTrackNm * crossTrackNm;
  crossTrackMaxNm_ = std::max(crossTrackMaxNm_, crossTrackNm);
  ++legSamples_;
}

FlightSummary FlightRecord::Summary(double flownMinutes, std::uint64_t writes,
                                    const simlink::AircraftState& last) const {
  FlightSummary summary;
  summary.flownMinutes = flownMinutes;
  summary.crossTrackRmsNm = legSamples_ > 0 ? std::sqrt(crossTrackSquares_ / static_cast<double>(legSamples_)) : 0;
  summary.crossTrackMaxNm = crossTrackMaxNm_;
  for (const WaypointPassage& passage : passages_) {
    if (!passage.vnavTarget) continue;
    summary.altitudeErrorMaxFt =
        std::max(summary.altitudeErrorMaxFt, std::abs(passage.altitudeFt - passage.targetAltitudeFt));
  }
  summary.writesPerMinute = flownMinutes > 0 ? static_cast<double>(writes) / flownMinutes : 0;
  summary.endDistanceNm = plan::DistanceNm(last.latitude, last.longitude, arrival_.lat, arrival_.lon);
  return summary;
}

}  // namespace corvane::shell
