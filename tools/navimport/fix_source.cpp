// Parsing fix.dat rows: lat lon ident.
#include "tools/navimport/fix_source.h"

#include "tools/navimport/source_fields.h"

namespace corvane::navimport {

std::vector<Fix> ReadFixes(const SourceFile& file, const GeoBox& box, ImportReport& report) {
  std::vector<Fix> fixes;
  fixes.reserve(file.lines().size());
  ForEachDataLine(file, [&](std::size_t lineNumber, std::string_view line) {
    const LineFields fields(line);
    const auto latitude = ParseDecimal(fields[0]);
    const auto longitude = ParseDecimal(fields[1]);
    if (fields.size() != 3 || !latitude || !longitude) {
      report.Drop(file.name(), lineNumber, "malformed fix row", line);
      return;
    }
    const std::string_view ident = fields[2];
    if (*latitude < -90.0 || *latitude > 90.0 || *longitude < -180.0 || *longitude > 180.0) {
      report.Drop(file.name(), lineNumber, "position out of range", ident);
      return;
    }
    if (*latitude == 0.0 && *longitude == 0.0) {
      report.Drop(file.name(), lineNumber, "position 0/0 (would end the fix table early)", ident);
      return;
    }
    if (ident.size() > kMaxFixIdentLength) {
      report.Drop(file.name(), lineNumber, "ident longer than 5 characters", ident);
      return;
    }
    if (!box.Contains(*latitude, *longitude)) {
      report.DropOutsideBox(file.name());
      return;
    }
    fixes.push_back(Fix{*latitude, *longitude, std::string(ident), lineNumber});
  });
  return fixes;
}

}  // namespace corvane::navimport
