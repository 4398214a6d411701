// Adding route points to the plan from the airport, beacon and fix tables.
#include "corvane/plan/route_points.h"

#include <cmath>
#include <optional>

#include "formats/field_cut.h"

namespace corvane::plan {
namespace {

using navdata::AirportRow;
using navdata::BeaconRow;
using navdata::FixRow;

// The distance from the position to the row when it is strictly smaller than best. A row whose
// latitude difference alone reaches best is passed over without the cosines: the full rule could
// only give it a distance at least as large, so the outcome is the same.
std::optional<double> NearerThan(double best, double latitude, double longitude, float rowLatitude,
                                 float rowLongitude) {
  const double dy = static_cast<double>(rowLatitude) - latitude;
  if (std::fabs(dy) * 60.0 >= best) return std::nullopt;
  const double distance = DistanceNm(latitude, longitude, rowLatitude, rowLongitude);
  if (distance < best) return distance;
  return std::nullopt;
}

void WriteBeacon(Waypoint& entry, const BeaconRow& beacon) {
  entry.lat = beacon.latitude;
  entry.lon = beacon.longitude;
  entry.ident = beacon.ident;
  entry.kind = static_cast<WaypointKind>(beacon.kind);
  // A blank would split the listing line into one token too many.
  entry.info = beacon.frequencyText == " " ? std::string(".") : beacon.frequencyText;
}

void WriteAirport(Waypoint& entry, const AirportRow& airport) {
  entry.lat = airport.latitude;
  entry.lon = airport.longitude;
  entry.ident = airport.ident;
  entry.kind = WaypointKind::kAirport;
  entry.info = airport.elevationText;
}

void WriteFix(Waypoint& entry, const FixRow& fix) {
  entry.lat = fix.latitude;
  entry.lon = fix.longitude;
  entry.ident = fix.ident;
  entry.kind = WaypointKind::kFix;
  entry.info = ".";
}

// The new entry's leg, altitude and speed, then the tail moves on. The departure takes the cruise values.
void Append(FlightPlan& plan, CruiseValues cruise) {
  Waypoint& entry = plan[plan.tail];
  if (plan.tail == 0) {
    entry.altitude = cruise.altitudeFt;
    entry.speed = cruise.speedKt;
    entry.legNm = 0;
  } else {
    entry.legNm = LegNm(plan, plan.tail - 1, plan.tail);
    entry.altitude = plan[plan.tail - 1].altitude;
    entry.speed = plan[plan.tail - 1].speed;
  }
  ++plan.tail;
}

bool IsUsableBeacon(const BeaconRow& beacon) { return beacon.kind != navdata::BeaconKind::kIls; }

// The first matching beacon, else airport, else fix, written into the entry.
bool WriteFirstMatch(Waypoint& entry, const navdata::NavDatabase& database, std::string_view name) {
  for (std::size_t i = 0; !navdata::IsEndRow(database.beacons[i]); ++i) {
    if (!BeaconMatchesName(database.beacons[i], name)) continue;
    WriteBeacon(entry, database.beacons[i]);
    return true;
  }
  for (std::size_t i = 0; !navdata::IsEndRow(database.airports[i]); ++i) {
    if (!IdentMatchesName(database.airports[i].ident, name)) continue;
    WriteAirport(entry, database.airports[i]);
    return true;
  }
  for (std::size_t i = 0; !database.fixes[i].ident.empty(); ++i) {
    if (!IdentMatchesName(database.fixes[i].ident, name)) continue;
    WriteFix(entry, database.fixes[i]);
    return true;
  }
  return false;
}

}  // namespace

bool IdentMatchesName(std::string_view ident, std::string_view name) { return ident.starts_with(name); }

bool BeaconMatchesName(const BeaconRow& beacon, std::string_view name) {
  const std::string_view trimmed = formats::TrimBlanks(name);
  return IsUsableBeacon(beacon) && !trimmed.empty() && formats::TrimBlanks(beacon.ident) == trimmed;
}

bool AddPointByName(FlightPlan& plan, const navdata::NavDatabase& database, std::string_view name,
                    CruiseValues cruise) {
  if (!HasRoomForOneMore(plan)) return false;
  DuplicateTail(plan);
  Waypoint& entry = plan[plan.tail];
  const bool found = WriteFirstMatch(entry, database, name);
  if (found) Append(plan, cruise);
  return found;
}

bool AddPointNear(FlightPlan& plan, const navdata::NavDatabase& database, std::string_view name, double refLatitude,
                  double refLongitude, CruiseValues cruise) {
  if (!HasRoomForOneMore(plan)) return false;
  DuplicateTail(plan);
  Waypoint& entry = plan[plan.tail];
  double best = kFarthestRoutePointNm;
  bool found = false;
  auto consider = [&](float latitude, float longitude, auto write) {
    if (const auto distance = NearerThan(best, refLatitude, refLongitude, latitude, longitude)) {
      best = *distance;
      found = true;
      write();
    }
  };
  for (std::size_t i = 0; !navdata::IsEndRow(database.beacons[i]); ++i) {
    const BeaconRow& row = database.beacons[i];
    if (BeaconMatchesName(row, name)) consider(row.latitude, row.longitude, [&] { WriteBeacon(entry, row); });
  }
  for (std::size_t i = 0; !navdata::IsEndRow(database.airports[i]); ++i) {
    const AirportRow& row = database.airports[i];
    if (IdentMatchesName(row.ident, name)) consider(row.latitude, row.longitude, [&] { WriteAirport(entry, row); });
  }
  for (std::size_t i = 0; !database.fixes[i].ident.empty(); ++i) {
    const FixRow& row = database.fixes[i];
    if (IdentMatchesName(row.ident, name)) consider(row.latitude, row.longitude, [&] { WriteFix(entry, row); });
  }
  if (found) Append(plan, cruise);
  return found;
}

bool AddPointAt(FlightPlan& plan, const navdata::NavDatabase& database, double latitude, double longitude) {
  if (!HasRoomForOneMore(plan)) return false;
  DuplicateTail(plan);
  Waypoint& entry = plan[plan.tail];
  double best = kFarthestRoutePointNm;
  for (std::size_t i = 0; !database.fixes[i].ident.empty() && best > 0; ++i) {
    const FixRow& row = database.fixes[i];
    if (const auto distance = NearerThan(best, latitude, longitude, row.latitude, row.longitude)) {
      best = *distance;
      WriteFix(entry, row);
    }
  }
  // Nothing is strictly nearer than 0, so a point on a fix skips the beacons.
  for (std::size_t i = 0; !navdata::IsEndRow(database.beacons[i]) && best > 0; ++i) {
    const BeaconRow& row = database.beacons[i];
    if (!IsUsableBeacon(row)) continue;
    if (const auto distance = NearerThan(best, latitude, longitude, row.latitude, row.longitude)) {
      best = *distance;
      WriteBeacon(entry, row);
    }
  }
  if (best > kAirwayPointSnapNm) {
    entry.lat = static_cast<float>(latitude);
    entry.lon = static_cast<float>(longitude);
    entry.ident = "FIX";
    entry.kind = WaypointKind::kUserPoint;
    entry.info = ".";
  }
  Append(plan, CruiseValues{});
  return true;
}

}  // namespace corvane::plan
