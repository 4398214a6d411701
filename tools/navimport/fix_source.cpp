// Parsing fix rows: "lat lon ident" (600), then "terminal region type" (1101) and a name (1200).
#include "tools/navimport/fix_source.h"

#include "tools/navimport/source_fields.h"

namespace corvane::navimport {

namespace {

constexpr long kFirstTerminalVersion = 1101;

}  // namespace

bool IsVfrWaypointType(long packedType) { return packedType >= 0 && (packedType & 0xFF) == 'V'; }

std::vector<Fix> ReadFixes(const SourceFile& file, const GeoBox& box, ImportReport& report, ReferenceIndex* index) {
  const bool withTerminal = FormatVersion(file) >= kFirstTerminalVersion;
  std::vector<Fix> fixes;
  fixes.reserve(file.lines().size());
  std::size_t terminalFixes = 0;
  std::size_t vfrPoints = 0;
  ForEachDataLine(file, [&](std::size_t lineNumber, std::string_view line) {
    const LineFields fields(line);
    const auto latitude = ParseDecimal(fields[0]);
    const auto longitude = ParseDecimal(fields[1]);
    const bool shapeOk = withTerminal ? fields.size() >= 5 : fields.size() == 3;
    if (!shapeOk || !latitude || !longitude) {
      report.Drop(file.name(), lineNumber, "malformed fix row", line);
      return;
    }
    const std::string_view ident = fields[2];
    const std::string_view terminal = withTerminal ? fields[3] : kEnroute;
    const std::string_view region = fields[4];
    std::optional<long> type;
    if (fields.size() >= 6) {
      type = ParseWhole(fields[5]);
      if (!type) {
        report.Drop(file.name(), lineNumber, "waypoint type is not a number", line);
        return;
      }
    }
    if (*latitude < -90.0 || *latitude > 90.0 || *longitude < -180.0 || *longitude > 180.0) {
      report.Drop(file.name(), lineNumber, "position out of range", ident);
      return;
    }
    if (*latitude == 0.0 && *longitude == 0.0) {
      report.Drop(file.name(), lineNumber, "position 0/0 (would end the fix table early)", ident);
      return;
    }
    if (index != nullptr && withTerminal) {
      index->Add(ident, region, ReferenceKind::kFix, terminal, {*latitude, *longitude});
    }
    if (type && IsVfrWaypointType(*type)) {
      ++vfrPoints;
      return;
    }
    if (terminal != kEnroute) {
      ++terminalFixes;
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
  if (terminalFixes + vfrPoints != 0) {
    report.Note(file.name() + ": " + std::to_string(terminalFixes) + " terminal-area fixes and " +
                std::to_string(vfrPoints) +
                " VFR reporting points not written to NAVwpt.dat (kept for the procedures only)");
  }
  return fixes;
}

}  // namespace corvane::navimport
