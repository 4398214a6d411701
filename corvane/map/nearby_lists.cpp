// End rows of the nearby lists.
#include "nearby_lists.h"

namespace corvane::map {

void ClearToEnd(NearbyPoint& row) {
  row.kind = 0;
  row.latitude = 0;
  row.longitude = 0;
  row.ident.assign(" ");
  row.info1.assign(" ");
  row.info2.assign(" ");
}

void ClearToEnd(NearbyAirway& row) {
  row.fromLatitude = row.fromLongitude = row.toLatitude = row.toLongitude = 0;
  row.airwayName.clear();
  row.level = 0;
}

void ClearToEnd(NearbyGeo& row) { row = NearbyGeo{}; }

void ClearToEnd(NearbyRunway& row) {
  row.latitude = row.longitude = row.headingDegTrue = row.halfLengthM = 0;
  row.designator.clear();
  row.extraText.clear();
}

}  // namespace corvane::map
