// The airway walk of a route import.
#include "corvane/plan/airway_walk.h"

namespace corvane::plan {

AirwayWalker::AirwayWalker(const navdata::AirwaySegmentTable& segments)
    : segments_(segments), used_(segments.EndIndex(), false) {}

std::vector<std::size_t> AirwayWalker::RowsOf(std::string_view via) const {
  // Every step looks for the first matching row in table order; keeping the airway's rows in that
  // order spares rescanning the whole table at each step without changing which row is found.
  std::vector<std::size_t> rows;
  for (std::size_t row = 0; row < used_.size(); ++row) {
    if (segments_[row].airwayName == via) rows.push_back(row);
  }
  return rows;
}

AirwayWalkResult AirwayWalker::Walk(std::string_view start, std::string_view via, std::string_view end,
                                    std::vector<std::string>& log) {
  const std::vector<std::size_t> rows = RowsOf(via);
  AirwayWalkResult result;
  std::string_view key = start;
  for (int attempt = 1; attempt <= kAirwayWalkAttempts; ++attempt) {
    key = start;
    result.points.clear();
    while (true) {
      std::size_t found = used_.size();
      for (std::size_t row : rows) {
        const navdata::AirwaySegmentRow& segment = segments_[row];
        if (!used_[row] && (segment.fromIdent == key || segment.toIdent == key)) {
          found = row;
          break;
        }
      }
      // A dead end, or a walk that would overfill the used list or the buffer: this attempt failed.
      if (found == used_.size() || usedCount_ >= kUsedRowsCapacity || result.points.size() >= kWalkBufferCapacity) {
        break;
      }
      used_[found] = true;
      ++usedCount_;
      const navdata::AirwaySegmentRow& segment = segments_[found];
      result.points.push_back(segment.fromIdent == key
                                  ? AirwayWalkPoint{segment.toIdent, segment.toLatitude, segment.toLongitude}
                                  : AirwayWalkPoint{segment.fromIdent, segment.fromLatitude, segment.fromLongitude});
      key = result.points.back().ident;
      log.push_back("- " + std::string(key) + "- " + segment.airwayName);
      if (key == end) {
        result.reached = true;
        result.lastKey = key;
        return result;
      }
    }
  }
  result.points.clear();
  result.lastKey = key;
  return result;
}

}  // namespace corvane::plan
