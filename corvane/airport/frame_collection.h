// What the airport frame draws besides the layout, gathered from the tables before the frame.
#pragma once

#include <vector>

#include "corvane/airport/airport_frame.h"
#include "corvane/map/geo_pos.h"
#include "corvane/navdata/nav_tables.h"
#include "corvane/plan/procedures.h"

namespace corvane::airport {

// Half the side of the box, in degrees of latitude; the longitude side widens by 1 / cos(centre latitude).
inline constexpr double kNearBoxHalfDeg = 0.5;

// The beacons and fixes strictly inside the box around the centre, in table order.
void CollectNearBeacons(const navdata::BeaconTable& beacons, map::GeoPos centre, std::vector<NearBeacon>& out);
void CollectNearFixes(const navdata::FixTable& fixes, map::GeoPos centre, std::vector<NearFix>& out);

// The selected procedure's run, "name / qualifier", labelled with its point names; empty for none.
void CollectProcedurePreview(const plan::ProcedureTable& table, ProcedurePreview& out);

}  // namespace corvane::airport
