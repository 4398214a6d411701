// Airway segments from X-Plane's awy.dat (version 640) and earth_awy.dat (1100).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "tools/navimport/geo_box.h"
#include "tools/navimport/import_report.h"
#include "tools/navimport/reference_index.h"
#include "tools/navimport/source_file.h"

namespace corvane::navimport {

struct AirwayPoint {
  std::string ident;
  double latitudeDeg = 0.0;
  double longitudeDeg = 0.0;
};

// Which levels a segment serves; a segment listed both low and high serves both.
enum class AirwayLevel : unsigned { kLow = 1, kHigh = 2, kBoth = 3 };

// One segment of one named airway ("A1-UA1" in the source gives one segment per name).
struct AirwaySegment {
  std::string airwayName;
  AirwayPoint from;
  AirwayPoint to;
  AirwayLevel level = AirwayLevel::kLow;
  int baseFl = 0;
  int topFl = 0;
  std::size_t lineNumber = 0;  // in the source, for the report
};

// Segments with at least one end inside the box, so that an airway leaving the region still shows
// where it goes. Bad rows are reported and left out. A 1100 row names its ends by ident, region and
// type; they are looked up among the enroute points of `index`, and a row with an end not found is
// reported and left out. A one-way segment flown from the second end ("B") is turned round.
std::vector<AirwaySegment> ReadAirwaySegments(const SourceFile& file, const GeoBox& box, ImportReport& report,
                                              const ReferenceIndex* index = nullptr);

// The first version whose rows name their ends instead of giving their positions.
inline constexpr long kFirstReferenceAirwayVersion = 1100;

}  // namespace corvane::navimport
