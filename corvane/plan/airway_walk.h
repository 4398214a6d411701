// Walking one airway of a route from one point to another, segment by segment, with up to six
// attempts; the segments walked stay used for the rest of the import.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/navdata/nav_tables.h"

namespace corvane::plan {

inline constexpr std::size_t kWalkBufferCapacity = 500;
inline constexpr std::size_t kUsedRowsCapacity = 1000;
inline constexpr int kAirwayWalkAttempts = 6;

// A point reached along the airway; the ident is a view into the airway table.
struct AirwayWalkPoint {
  std::string_view ident;
  float lat = 0;
  float lon = 0;
};

struct AirwayWalkResult {
  bool reached = false;
  std::vector<AirwayWalkPoint> points;  // from the first point after the start to the end point
  std::string lastKey;                  // the last point walked to, which the direct fallback names
};

// One per import: the list of used segments lives as long as this object.
class AirwayWalker {
 public:
  explicit AirwayWalker(const navdata::AirwaySegmentTable& segments);

  // Walks the airway named `via` from `start` to `end` (all three with their trailing blank). Each
  // step takes the first unused segment of the airway, in table order, that has the current point at
  // either end, and moves to its other end. A dead end is a failed attempt and the next one starts
  // again from `start`; so does a walk that would need more than 500 points or more than 1000 used
  // segments in this import. Appends "- POINT - AIRWAY" to the log for every step.
  AirwayWalkResult Walk(std::string_view start, std::string_view via, std::string_view end,
                        std::vector<std::string>& log);

 private:
  // The rows of the airway, in table order.
  std::vector<std::size_t> RowsOf(std::string_view via) const;

  const navdata::AirwaySegmentTable& segments_;
  std::vector<bool> used_;
  std::size_t usedCount_ = 0;
};

}  // namespace corvane::plan
