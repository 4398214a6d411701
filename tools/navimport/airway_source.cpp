// Parsing awy.dat rows: from lat lon to lat lon type base top name[-name...].
#include "tools/navimport/airway_source.h"

#include <map>

#include "tools/navimport/source_fields.h"

namespace corvane::navimport {

namespace {

bool InRange(double latitude, double longitude) {
  return latitude >= -90.0 && latitude <= 90.0 && longitude >= -180.0 && longitude <= 180.0;
}

// The reader's airway name ends at its first blank, so "MT E" becomes "MTE".
std::string NameWithoutBlanks(std::string_view name) {
  std::string out;
  for (const char c : name) {
    if (c != ' ' && c != '\t') {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::vector<AirwaySegment> ReadAirwaySegments(const SourceFile& file, const GeoBox& box, ImportReport& report) {
  std::vector<AirwaySegment> segments;
  std::map<std::string, std::string> renamed;
  segments.reserve(file.lines().size() + file.lines().size() / 4);
  ForEachDataLine(file, [&](std::size_t lineNumber, std::string_view line) {
    const LineFields fields(line);
    const auto fromLatitude = ParseDecimal(fields[1]);
    const auto fromLongitude = ParseDecimal(fields[2]);
    const auto toLatitude = ParseDecimal(fields[4]);
    const auto toLongitude = ParseDecimal(fields[5]);
    const auto type = ParseWhole(fields[6]);
    const auto base = ParseWhole(fields[7]);
    const auto top = ParseWhole(fields[8]);
    if (fields.size() < 10 || !fromLatitude || !fromLongitude || !toLatitude || !toLongitude || !type || !base ||
        !top) {
      report.Drop(file.name(), lineNumber, "malformed airway row", line);
      return;
    }
    if (*type != 1 && *type != 2) {
      report.Drop(file.name(), lineNumber, "airway type is neither 1 (low) nor 2 (high)", line);
      return;
    }
    if (!InRange(*fromLatitude, *fromLongitude) || !InRange(*toLatitude, *toLongitude)) {
      report.Drop(file.name(), lineNumber, "position out of range", line);
      return;
    }
    if ((*fromLatitude == 0.0 && *fromLongitude == 0.0) || (*toLatitude == 0.0 && *toLongitude == 0.0)) {
      report.Drop(file.name(), lineNumber, "point at 0/0 (marks the end of the airway table)", line);
      return;
    }
    if (!box.Contains(*fromLatitude, *fromLongitude) && !box.Contains(*toLatitude, *toLongitude)) {
      report.DropOutsideBox(file.name());
      return;
    }
    if (fields[0].find(',') != std::string_view::npos || fields[3].find(',') != std::string_view::npos ||
        fields.Rest(9).find(',') != std::string_view::npos) {
      report.Drop(file.name(), lineNumber, "comma in an ident or name (the airway file is comma-separated)", line);
      return;
    }
    const AirwayLevel level = *type == 2 ? AirwayLevel::kHigh : AirwayLevel::kLow;
    std::string_view names = fields.Rest(9);
    while (true) {
      const std::size_t dash = names.find('-');
      const std::string name = NameWithoutBlanks(names.substr(0, dash));
      if (name.empty()) {
        report.Drop(file.name(), lineNumber, "empty airway name", fields.Rest(9));
      } else {
        if (name.size() != names.substr(0, dash).size()) {
          renamed.emplace(std::string(names.substr(0, dash)), name);
        }
        segments.push_back(AirwaySegment{name,
                                         {std::string(fields[0]), *fromLatitude, *fromLongitude},
                                         {std::string(fields[3]), *toLatitude, *toLongitude},
                                         level,
                                         static_cast<int>(*base),
                                         static_cast<int>(*top),
                                         lineNumber});
      }
      if (dash == std::string_view::npos) {
        break;
      }
      names.remove_prefix(dash + 1);
    }
  });
  for (const auto& [source, written] : renamed) {
    report.Note(file.name() + ": airway \"" + source + "\" written as \"" + written +
                "\" (the reader's airway name ends at the first blank)");
  }
  return segments;
}

}  // namespace corvane::navimport
