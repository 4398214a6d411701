// Taking the profile markers out of the plan and putting them in.
#include "corvane/autopilot/profile_markers.h"

#include <string>

namespace corvane::autopilot {
namespace {

struct Position {
  double lat = 0;
  double lon = 0;
};

Position PointOnLeg(const plan::FlightPlan& plan, std::int32_t at, double fraction) {
  const plan::Waypoint& from = plan[at - 1];
  const plan::Waypoint& to = plan[at];
  return {from.lat + fraction * (static_cast<double>(to.lat) - from.lat),
          from.lon + fraction * (static_cast<double>(to.lon) - from.lon)};
}

}  // namespace

bool IsMarker(const plan::Waypoint& entry) { return entry.ident == kMarkerIdent; }

void RemoveMarkers(plan::FlightPlan& plan) {
  for (std::int32_t i = 1; i < plan.tail;) {
    if (!IsMarker(plan[i])) {
      ++i;
      continue;
    }
    const std::int32_t bothLegs = plan[i].legNm + plan[i + 1].legNm;
    for (std::int32_t j = i; j < plan.tail; ++j) plan[j] = std::move(plan[j + 1]);
    plan::EraseEntryAt(plan, plan.tail);
    --plan.tail;
    plan[i].legNm = bothLegs;
  }
}

std::int32_t PartLegNm(const plan::FlightPlan& plan, std::int32_t at, double fraction) {
  const Position point = PointOnLeg(plan, at, fraction);
  const plan::Waypoint& from = plan[at - 1];
  return static_cast<std::int32_t>(plan::DistanceNm(from.lat, from.lon, point.lat, point.lon));
}

bool InsertMarker(plan::FlightPlan& plan, std::int32_t at, double fraction, std::int32_t legNm, const Marker& marker) {
  if (!plan::HasRoomForOneMore(plan)) return false;
  const Position point = PointOnLeg(plan, at, fraction);
  for (std::int32_t j = plan.tail; j >= at; --j) plan[j + 1] = std::move(plan[j]);
  ++plan.tail;
  plan::Waypoint& entry = plan[at];
  entry.lat = static_cast<float>(point.lat);
  entry.lon = static_cast<float>(point.lon);
  entry.ident = std::string(kMarkerIdent);
  entry.info = std::string(marker.label);
  entry.kind = marker.kind;
  entry.altitude = marker.altitudeFt;
  entry.speed = marker.speedKt;
  entry.legNm = legNm;
  plan[at + 1].legNm -= legNm;
  return true;
}

}  // namespace corvane::autopilot
