// Loader of the user's additions: sections of airports, VORs, NDBs, runway ends and fixes, each
// appended after the rows of the main files.
#include <array>

#include "corvane/navdata/nav_loaders.h"
#include "corvane/navdata/nav_row_parsers.h"
#include "corvane/navdata/table_loading.h"
#include "formats/dat_columns.h"
#include "formats/field_cut.h"

namespace corvane::navdata {
namespace {

namespace user_file = formats::user_file;

// Reads the rows of one section, starting at index (the line after the header): every line of at
// least the row length is a row; the first shorter line ends the section and is consumed.
template <typename Table, typename ParseRow>
std::size_t AppendSection(Table& table, NavTableId tableId, const DataFile& file, std::size_t index, LoadReport& report,
                          ParseRow parseRow) {
  const formats::TextFile& text = *file.text;
  std::size_t end = index;
  while (end < text.size() && text[end].size() >= user_file::kMinRowLength) ++end;
  TableFiller<Table> filler(table, tableId, report, file.name, end - index);
  for (; index < end; ++index) {
    try {
      filler.Offer(parseRow(text[index]), index + 1);
    } catch (const RowRejected& rejected) {
      filler.Reject(index + 1, rejected.what());
    }
  }
  return end < text.size() ? end + 1 : end;
}

bool IsSectionHeader(const formats::TextFile& text, std::size_t index, std::string_view header) {
  return index < text.size() && formats::CutField(text[index], user_file::kSectionHeader) == header;
}

}  // namespace

void LoadUserData(NavDatabase& database, const std::filesystem::path& folder, LoadReport& report) {
  const DataFile file = OpenDataFile(folder, nav_file_names::kUserData, report, /*optional=*/true);
  if (!file.text) return;
  const formats::TextFile& text = *file.text;

  // Each section is looked for where the previous one ended; one that is not there is skipped.
  std::size_t index = 0;
  if (IsSectionHeader(text, index, user_file::kAirportSection)) {
    index = AppendSection(database.airports, NavTableId::kAirports, file, index + 1, report,
                          [](std::string_view line) { return ParseAirportRow(line, AirportIdentStyle::kTrimmed); });
  }
  if (IsSectionHeader(text, index, user_file::kVorSection)) {
    index = AppendSection(database.beacons, NavTableId::kBeacons, file, index + 1, report,
                          [](std::string_view line) { return ParseUserBeaconRow(line, BeaconKind::kVor); });
  }
  if (IsSectionHeader(text, index, user_file::kNdbSection)) {
    index = AppendSection(database.beacons, NavTableId::kBeacons, file, index + 1, report,
                          [](std::string_view line) { return ParseUserBeaconRow(line, BeaconKind::kNdb); });
  }
  if (IsSectionHeader(text, index, user_file::kRunwaySection)) {
    index = AppendSection(database.runwayEnds, NavTableId::kRunwayEnds, file, index + 1, report, ParseRunwayEndRow);
  }
  if (IsSectionHeader(text, index, user_file::kFixSection)) {
    index = AppendSection(database.fixes, NavTableId::kFixes, file, index + 1, report, ParseFixRow);
  }

  // Whatever follows was never read (a section out of order, say): tell the user rather than lose it.
  while (index < text.size() && formats::TrimBlanks(text[index]).empty()) ++index;
  if (index < text.size()) {
    report.problems.push_back({file.name, index + 1,
                               "not read from here on: sections are read in the order #APT, #VOR, #NDB, #RWY, "
                               "#FIX, each starting on the line after the previous section's closing line"});
  }
}

}  // namespace corvane::navdata
