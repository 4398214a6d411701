// Parsing nav.dat rows: type lat lon elevation frequency range extra ident name...
#include "tools/navimport/navaid_source.h"

#include "tools/navimport/source_fields.h"

namespace corvane::navimport {

namespace {

// Frequencies that the six-character field can say truthfully.
bool FrequencyFits(NavaidType type, long frequency) {
  if (type == NavaidType::kVor) {
    return frequency >= 10000 && frequency <= 99999;  // 100.00 to 999.99 MHz
  }
  return frequency >= 1 && frequency <= 9999;  // 001.00 to 9999.0 kHz
}

}  // namespace

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

Navaids ReadNavaids(const SourceFile& file, const GeoBox& box, ImportReport& report, ReferenceIndex* index) {
  const bool withRegion = FormatVersion(file) >= kFirstRegionNavVersion;
  const std::size_t nameField = withRegion ? 10 : 8;
  Navaids navaids;
  ForEachDataLine(file, [&](std::size_t lineNumber, std::string_view line) {
    const LineFields fields(line);
    const auto type = ParseWhole(fields[0]);
    if (!type) {
      report.Drop(file.name(), lineNumber, "row type is not a number", fields[0]);
      return;
    }
    const bool dme = *type == 12 || *type == 13;
    if (*type != 2 && *type != 3 && !dme) {
      return;
    }
    const auto latitude = ParseDecimal(fields[1]);
    const auto longitude = ParseDecimal(fields[2]);
    const auto frequency = ParseWhole(fields[4]);
    if (fields.size() < (withRegion ? 10u : 8u) || !latitude || !longitude || !frequency) {
      if (!dme) report.Drop(file.name(), lineNumber, "malformed navaid row", line);
      return;
    }
    const std::string_view ident = fields[7];
    if (*latitude < -90.0 || *latitude > 90.0 || *longitude < -180.0 || *longitude > 180.0) {
      if (!dme) report.Drop(file.name(), lineNumber, "position out of range", ident);
      return;
    }
    if (*latitude == 0.0 && *longitude == 0.0) {
      if (!dme) report.Drop(file.name(), lineNumber, "position 0/0 (marks the end of the beacon table)", ident);
      return;
    }
    const std::string_view terminal = withRegion ? fields[8] : kEnroute;
    const std::string_view region = withRegion ? fields[9] : std::string_view();
    if (index != nullptr && withRegion) {
      index->Add(ident, region, *type == 2 ? ReferenceKind::kNdb : ReferenceKind::kVhf, terminal,
                 {*latitude, *longitude});
    }
    if (dme) {
      return;
    }
    const auto navaidType = static_cast<NavaidType>(*type);
    const std::string_view name = fields.Rest(nameField);
    if (navaidType == NavaidType::kVor && EndsWith(name, "TACAN")) {
      report.Drop(file.name(), lineNumber, "TACAN (no bearing for a VHF receiver)", ident);
      return;
    }
    if (ident.size() > kMaxBeaconIdentLength) {
      report.Drop(file.name(), lineNumber, "ident longer than 4 characters", ident);
      return;
    }
    if (!FrequencyFits(navaidType, *frequency)) {
      report.Drop(file.name(), lineNumber, "frequency does not fit the frequency field",
                  std::string(ident) + " " + std::string(fields[4]));
      return;
    }
    if (!box.Contains(*latitude, *longitude)) {
      report.DropOutsideBox(file.name());
      return;
    }
    Navaid navaid{navaidType,
                  *latitude,
                  *longitude,
                  *frequency,
                  std::string(ident),
                  std::string(name),
                  std::string(terminal),
                  std::string(region),
                  lineNumber};
    (navaidType == NavaidType::kVor ? navaids.vors : navaids.ndbs).push_back(std::move(navaid));
  });
  return navaids;
}

unsigned long StoredFrequency(const Navaid& navaid) {
  if (navaid.type == NavaidType::kVor) {
    return static_cast<unsigned long>(navaid.frequency) * 10000UL;
  }
  return static_cast<unsigned long>(navaid.frequency) * 100UL;
}

}  // namespace corvane::navimport
