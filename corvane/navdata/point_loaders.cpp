// Loaders of the fixed-column point files: airports, heliports, runway ends, beacons and fixes.
#include "corvane/navdata/nav_loaders.h"
#include "corvane/navdata/nav_row_parsers.h"
#include "corvane/navdata/table_loading.h"

namespace corvane::navdata {

namespace names = nav_file_names;

void LoadAirports(AirportTable& airports, const std::filesystem::path& folder, DatabaseSource source,
                  LoadReport& report) {
  airports.Clear();
  AppendFileRows(airports, NavTableId::kAirports, folder,
                 source == DatabaseSource::kFs ? names::kFsAirports : names::kXPlaneAirports, EmptyLines::kAreRows,
                 report,
                 [](std::string_view line) { return ParseAirportRow(line, AirportIdentStyle::kWithTrailingBlank); });
}

void LoadHeliports(HeliportTable& heliports, const std::filesystem::path& folder, DatabaseSource source,
                   LoadReport& report) {
  heliports.Clear();
  if (source != DatabaseSource::kFs) return;
  AppendFileRows(heliports, NavTableId::kHeliports, folder, names::kFsHeliports, EmptyLines::kAreRows, report,
                 ParseHeliportRow);
}

void LoadRunwayEnds(RunwayEndTable& runwayEnds, const std::filesystem::path& folder, DatabaseSource source,
                    LoadReport& report) {
  runwayEnds.Clear();
  AppendFileRows(runwayEnds, NavTableId::kRunwayEnds, folder,
                 source == DatabaseSource::kFs ? names::kFsRunways : names::kXPlaneRunways, EmptyLines::kAreRows,
                 report, ParseRunwayEndRow);
}

void LoadBeacons(BeaconTable& beacons, const std::filesystem::path& folder, DatabaseSource source, LoadReport& report) {
  const bool fs = source == DatabaseSource::kFs;
  beacons.Clear();
  // The VOR and ILS files may hold empty lines; elsewhere an empty line is a broken row.
  AppendFileRows(beacons, NavTableId::kBeacons, folder, fs ? names::kFsVors : names::kXPlaneVors, EmptyLines::kSkip,
                 report, [source](std::string_view line) { return ParseVorRow(line, source); });
  if (fs) AppendFileRows(beacons, NavTableId::kBeacons, folder, names::kFsIls, EmptyLines::kSkip, report, ParseIlsRow);
  AppendFileRows(beacons, NavTableId::kBeacons, folder, fs ? names::kFsNdbs : names::kXPlaneNdbs, EmptyLines::kAreRows,
                 report, ParseNdbRow);
}

void LoadFixes(FixTable& fixes, const std::filesystem::path& folder, LoadReport& report) {
  fixes.Clear();
  AppendFileRows(fixes, NavTableId::kFixes, folder, names::kFixes, EmptyLines::kAreRows, report, ParseFixRow);
}

}  // namespace corvane::navdata
