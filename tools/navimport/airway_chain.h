// Chaining airway segments into runs of consecutive points in route order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/navimport/airway_source.h"
#include "tools/navimport/import_report.h"

namespace corvane::navimport {

// The segment that ends at a run's point (from the point before it).
struct AirwayLeg {
  AirwayLevel level = AirwayLevel::kLow;
  int baseFl = 0;
  int topFl = 0;
};

// One unbroken chain of an airway: points[k - 1] to points[k] is a segment with legs[k - 1].
struct AirwayRun {
  std::string airwayName;
  std::vector<AirwayPoint> points;
  std::vector<AirwayLeg> legs;  // points.size() - 1 entries
};

// Groups the segments by airway name and chains each group. A group that is one path gives one run
// from one end to the other (starting at the end met first in the source); a fork, a loop or a gap
// gives several runs that together use every segment once (at a fork the straighter way is
// followed). A segment listed twice (also reversed) is used once; listed low and high it serves
// both levels. Runs come ordered by airway name. `fileName` names the source in the report for
// segments that cannot be used.
std::vector<AirwayRun> ChainAirways(const std::vector<AirwaySegment>& segments, ImportReport& report,
                                    std::string_view fileName);

// Reorders the runs so that no two runs of one name follow each other: the reader joins consecutive
// points of one name into segments, so adjacent runs of one name would be bridged by a false segment.
// Returns false (runs left in their order) only when that cannot be done (one name holds more than
// half of the runs, plus one).
bool OrderRunsApart(std::vector<AirwayRun>& runs);

// Segments the reader makes of the runs (one less than the points of each run).
std::size_t CountSegments(const std::vector<AirwayRun>& runs);

}  // namespace corvane::navimport
