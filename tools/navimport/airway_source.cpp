// Parsing airway rows: "from lat lon to lat lon type base top names" (640) or "from region type to
// region type direction level base top names" (1100), names joined by '-'.
#include "tools/navimport/airway_source.h"

#include <map>
#include <optional>
#include <utility>

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

// The end of a 1100 row at fields first..first+2 (ident region type), found in the index.
std::optional<AirwayPoint> ResolveEnd(const LineFields& fields, std::size_t first, const ReferenceIndex* index,
                                      std::string& error) {
  const std::string_view ident = fields[first];
  const std::string_view region = fields[first + 1];
  const auto type = ParseWhole(fields[first + 2]);
  if (!type || (*type != 2 && *type != 3 && *type != 11)) {
    error = "airway end type is not 2 (NDB), 3 (VHF) or 11 (fix)";
    return std::nullopt;
  }
  const auto point = index ? index->Find(ident, region, static_cast<ReferenceKind>(*type), kEnroute) : std::nullopt;
  if (!point) {
    error = "airway end not found among the enroute fixes and navaids";
    return std::nullopt;
  }
  return AirwayPoint{std::string(ident), point->latitudeDeg, point->longitudeDeg};
}

}  // namespace

std::vector<AirwaySegment> ReadAirwaySegments(const SourceFile& file, const GeoBox& box, ImportReport& report,
                                              const ReferenceIndex* index) {
  const bool byReference = FormatVersion(file) >= kFirstReferenceAirwayVersion;
  std::vector<AirwaySegment> segments;
  std::map<std::string, std::string> renamed;
  segments.reserve(file.lines().size() + file.lines().size() / 4);
  ForEachDataLine(file, [&](std::size_t lineNumber, std::string_view line) {
    const LineFields fields(line);
    std::optional<AirwayPoint> from;
    std::optional<AirwayPoint> to;
    std::optional<long> type, base, top;
    std::size_t namesField = 9;
    if (byReference) {
      // ident region type ident region type direction level base top names
      type = ParseWhole(fields[7]);
      base = ParseWhole(fields[8]);
      top = ParseWhole(fields[9]);
      const std::string_view direction = fields[6];
      if (fields.size() < 11 || !type || !base || !top || (direction != "N" && direction != "F" && direction != "B")) {
        report.Drop(file.name(), lineNumber, "malformed airway row", line);
        return;
      }
      std::string error;
      from = ResolveEnd(fields, 0, index, error);
      if (from) to = ResolveEnd(fields, 3, index, error);
      if (!from || !to) {
        report.Drop(file.name(), lineNumber, error, line);
        return;
      }
      // One-way "B" runs from the second end to the first: turned round, so a chain follows it.
      if (direction == "B") std::swap(from, to);
      namesField = 10;
    } else {
      const auto fromLatitude = ParseDecimal(fields[1]);
      const auto fromLongitude = ParseDecimal(fields[2]);
      const auto toLatitude = ParseDecimal(fields[4]);
      const auto toLongitude = ParseDecimal(fields[5]);
      type = ParseWhole(fields[6]);
      base = ParseWhole(fields[7]);
      top = ParseWhole(fields[8]);
      if (fields.size() < 10 || !fromLatitude || !fromLongitude || !toLatitude || !toLongitude || !type || !base ||
          !top) {
        report.Drop(file.name(), lineNumber, "malformed airway row", line);
        return;
      }
      from = AirwayPoint{std::string(fields[0]), *fromLatitude, *fromLongitude};
      to = AirwayPoint{std::string(fields[3]), *toLatitude, *toLongitude};
    }
    if (*type != 1 && *type != 2) {
      report.Drop(file.name(), lineNumber, "airway type is neither 1 (low) nor 2 (high)", line);
      return;
    }
    if (!InRange(from->latitudeDeg, from->longitudeDeg) || !InRange(to->latitudeDeg, to->longitudeDeg)) {
      report.Drop(file.name(), lineNumber, "position out of range", line);
      return;
    }
    if ((from->latitudeDeg == 0.0 && from->longitudeDeg == 0.0) ||
        (to->latitudeDeg == 0.0 && to->longitudeDeg == 0.0)) {
      report.Drop(file.name(), lineNumber, "point at 0/0 (marks the end of the airway table)", line);
      return;
    }
    if (!box.Contains(from->latitudeDeg, from->longitudeDeg) && !box.Contains(to->latitudeDeg, to->longitudeDeg)) {
      report.DropOutsideBox(file.name());
      return;
    }
    if (from->ident.find(',') != std::string::npos || to->ident.find(',') != std::string::npos ||
        fields.Rest(namesField).find(',') != std::string_view::npos) {
      report.Drop(file.name(), lineNumber, "comma in an ident or name (the airway file is comma-separated)", line);
      return;
    }
    const AirwayLevel level = *type == 2 ? AirwayLevel::kHigh : AirwayLevel::kLow;
    std::string_view names = fields.Rest(namesField);
    while (true) {
      const std::size_t dash = names.find('-');
      const std::string name = NameWithoutBlanks(names.substr(0, dash));
      if (name.empty()) {
        report.Drop(file.name(), lineNumber, "empty airway name", fields.Rest(namesField));
      } else {
        if (name.size() != names.substr(0, dash).size()) {
          renamed.emplace(std::string(names.substr(0, dash)), name);
        }
        segments.push_back(
            AirwaySegment{name, *from, *to, level, static_cast<int>(*base), static_cast<int>(*top), lineNumber});
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
