// Loaders of the line files: geo outlines by layer, and airways built from consecutive points.
#include "corvane/navdata/nav_loaders.h"
#include "corvane/navdata/nav_row_parsers.h"
#include "corvane/navdata/table_loading.h"
#include "formats/dat_columns.h"

namespace corvane::navdata {

void LoadGeoLines(GeoSegmentTable& geoSegments, const std::filesystem::path& folder, LoadReport& report) {
  namespace columns = formats::geo_columns;
  geoSegments.Clear();
  const DataFile file = OpenDataFile(folder, nav_file_names::kGeoLines, report);
  if (!file.text) return;
  TableFiller<GeoSegmentTable> filler(geoSegments, NavTableId::kGeoSegments, report, file.name, file.text->size());
  std::int32_t layer = columns::kFirstLayer;
  for (std::size_t index = 0; index < file.text->size(); ++index) {
    const std::string_view line = (*file.text)[index];
    if (line.starts_with(columns::kLayerPrefix)) {
      const std::size_t digitIndex = columns::kLayerDigitColumn - 1;
      const char digit = line.size() > digitIndex ? line[digitIndex] : '\0';
      if (digit >= '0' && digit <= '9') {
        layer = digit - '0';
      } else {
        report.problems.push_back(
            {file.name, index + 1,
             "layer line without a digit in column 7; layer " + std::to_string(layer) + " goes on"});
      }
      continue;
    }
    // No other comment lines are defined for this file; one can never be a segment.
    if (IsCommentLine(line)) continue;
    try {
      filler.Offer(ParseGeoSegmentRow(line, layer), index + 1);
    } catch (const RowRejected& rejected) {
      filler.Reject(index + 1, rejected.what());
    }
  }
}

void LoadAirways(AirwaySegmentTable& airwaySegments, const std::filesystem::path& folder, LoadReport& report) {
  airwaySegments.Clear();
  const DataFile file = OpenDataFile(folder, nav_file_names::kAirways, report);
  if (!file.text) return;
  TableFiller<AirwaySegmentTable> filler(airwaySegments, NavTableId::kAirwaySegments, report, file.name,
                                         file.text->size());
  // Each point after the first of the same airway completes a segment from the point before it. A point
  // that is left out breaks the chain: no segment is made across it, as the file has no such leg.
  AirwayPoint previous;
  bool havePrevious = false;
  for (std::size_t index = formats::airway_fields::kHeaderLines; index < file.text->size(); ++index) {
    const std::string_view line = (*file.text)[index];
    if (IsCommentLine(line)) continue;
    AirwayPoint point;
    try {
      point = ParseAirwayPoint(line);
    } catch (const RowRejected& rejected) {
      filler.Reject(index + 1, rejected.what());
      havePrevious = false;
      continue;
    }
    // A point at 0/0 would start a segment that ends the table: leave it out.
    if (point.latitude == 0 && point.longitude == 0) {
      ++report[NavTableId::kAirwaySegments].droppedAtOrigin;
      havePrevious = false;
      continue;
    }
    if (havePrevious && point.airwayName == previous.airwayName) {
      AirwaySegmentRow segment;
      segment.fromLatitude = previous.latitude;
      segment.fromLongitude = previous.longitude;
      segment.toLatitude = point.latitude;
      segment.toLongitude = point.longitude;
      segment.airwayName = point.airwayName;
      segment.fromIdent = std::move(previous.ident);
      segment.toIdent = point.ident;
      segment.level = point.level;
      filler.Offer(std::move(segment), index + 1);
    }
    previous = std::move(point);
    havePrevious = true;
  }
}

}  // namespace corvane::navdata
