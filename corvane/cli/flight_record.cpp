#include "flight_record.h"

#include <algorithm>
#include <cmath>

#include "corvane/autopilot/leg_geometry.h"
#include "corvane/autopilot/profile_markers.h"
#include "corvane/autopilot/vertical_navigation.h"

namespace corvane::shell {
namespace {

// Distance of P from the leg's rhumb line (the line the map draws), or from A for a leg of no length.
double CrossTrackNm(const plan::Waypoint& a, const plan::Waypoint& b, double latitude, double longitude) {
  const autopilot::LegPosition leg = autopilot::PositionOnLeg({a.lat, a.lon}, {b.lat, b.lon}, {latitude, longitude});
  return leg.lengthNm > 0 ? std::abs(leg.crossTrackNm) : plan::DistanceNm(latitude, longitude, a.lat, a.lon);
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
