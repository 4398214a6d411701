// Gathering the airport frame's beacons, fixes and procedure preview.
#include "corvane/airport/frame_collection.h"

#include <cmath>

#include "corvane/map/paint_support.h"

namespace corvane::airport {
namespace {

struct NearBox {
  map::GeoPos centre;
  double halfLongitudeDeg;

  explicit NearBox(map::GeoPos c) : centre(c), halfLongitudeDeg(kNearBoxHalfDeg / map::CosDeg(c.latitude)) {}
  bool Contains(double latitude, double longitude) const {
    return std::abs(latitude - centre.latitude) < kNearBoxHalfDeg &&
           std::abs(longitude - centre.longitude) < std::abs(halfLongitudeDeg);
  }
};

}  // namespace

void CollectNearBeacons(const navdata::BeaconTable& beacons, map::GeoPos centre, std::vector<NearBeacon>& out) {
  out.clear();
  const NearBox box(centre);
  for (std::size_t i = 0; !navdata::IsEndRow(beacons[i]); ++i) {
    const navdata::BeaconRow& row = beacons[i];
    if (!box.Contains(row.latitude, row.longitude)) continue;
    out.push_back({row.kind, row.latitude, row.longitude, row.ident, row.frequencyText, row.name});
  }
}

void CollectNearFixes(const navdata::FixTable& fixes, map::GeoPos centre, std::vector<NearFix>& out) {
  out.clear();
  const NearBox box(centre);
  for (std::size_t i = 0; !navdata::IsEndRow(fixes[i]); ++i) {
    const navdata::FixRow& row = fixes[i];
    if (box.Contains(row.latitude, row.longitude)) out.push_back({row.latitude, row.longitude, row.ident});
  }
}

void CollectProcedurePreview(const plan::ProcedureTable& table, ProcedurePreview& out) {
  out.title.clear();
  out.points.clear();
  if (table.selected <= 0 || table.selected >= table.endIndex()) return;
  const plan::ProcedureEntry& first = table.entries[static_cast<std::size_t>(table.selected)];
  out.title = first.procName + " / " + first.qualifier;
  const std::int32_t end = plan::SelectedEnd(table);
  for (std::int32_t i = table.selected; i < end; ++i) {
    const plan::ProcedureEntry& entry = table.entries[static_cast<std::size_t>(i)];
    out.points.push_back({entry.lat, entry.lon, entry.pointName});
  }
}

}  // namespace corvane::airport
