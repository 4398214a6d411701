// Loading the procedure table from a procedure file, and moving the selection through its runs.
#include "corvane/plan/procedures.h"

#include <cctype>
#include <utility>

#include "corvane/navdata/table_loading.h"
#include "formats/field_cut.h"

namespace corvane::plan {
namespace {

std::string UpperTrimmed(std::string_view text) {
  std::string upper(formats::TrimBlanks(text));
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

// Typed idents are compared as prefixes, as everywhere in the program.
bool IsHeaderOf(std::string_view line, std::string_view airport) {
  using namespace procedure_columns;
  if (line.empty() || line.front() != kHeaderMark) return false;
  return line.substr(kAirportFirst - 1, airport.size()) == airport;
}

// A line of blanks ends the points as an empty one does, rather than failing as a point.
bool EndsPoints(std::string_view line) { return formats::TrimBlanks(line).empty(); }

ProcedureEntry ReadPoint(std::string_view line, const std::string& name, const std::string& qualifier) {
  using namespace procedure_columns;
  ProcedureEntry entry;
  entry.pointName = std::string(formats::TrimmedField(line, kPointName));
  entry.lat = navdata::FloatField(line, kLatitude, "latitude");
  entry.lon = navdata::FloatField(line, kLongitude, "longitude");
  entry.procName = name;
  entry.qualifier = qualifier;
  return entry;
}

}  // namespace

ProcedureLoadResult LoadProcedures(const std::filesystem::path& dataFolder, std::string_view fileName,
                                   std::string_view airportField, ProcedureTable& table) {
  using namespace procedure_columns;
  ProcedureLoadResult result;
  const std::string airport = UpperTrimmed(airportField);
  if (airport.empty()) {
    result.outcome = ProcedureLoadOutcome::kNoAirport;
    return result;
  }
  navdata::LoadReport report;
  const navdata::DataFile file = navdata::OpenDataFile(dataFolder, fileName, report);
  if (!file.text) {
    result.problems = std::move(report.problems);
    return result;
  }
  const formats::TextFile& lines = *file.text;

  ProcedureTable loaded;
  loaded.entries.resize(1);
  loaded.procedureAirport = airport;
  std::size_t pointsLeftOut = 0;
  std::size_t firstLineLeftOut = 0;
  for (std::size_t i = kHeaderLines; i < lines.size(); ++i) {
    if (!IsHeaderOf(lines[i], airport)) continue;
    const std::string name(formats::TrimmedField(lines[i], kName));
    const std::string qualifier(formats::TrimmedField(lines[i], kQualifier));
    // The points run to an empty line or to the end of the file.
    for (++i; i < lines.size() && !EndsPoints(lines[i]); ++i) {
      ProcedureEntry entry;
      try {
        entry = ReadPoint(lines[i], name, qualifier);
      } catch (const navdata::RowRejected& rejected) {
        result.problems.push_back({file.name, i + 1, std::string(rejected.what()) + ": " + std::string(lines[i])});
        return result;
      }
      if (entry.lon == kSkippedLongitude) continue;
      if (loaded.entries.size() > ProcedureTable::kMaxPoints) {
        if (pointsLeftOut++ == 0) firstLineLeftOut = i + 1;
        continue;
      }
      loaded.entries.push_back(std::move(entry));
    }
  }
  loaded.entries.emplace_back();
  loaded.selected = loaded.pointCount() > 0 ? 1 : 0;
  if (pointsLeftOut > 0) {
    result.problems.push_back({file.name, firstLineLeftOut,
                               "procedure table is full (" + std::to_string(ProcedureTable::kMaxPoints) +
                                   " points); points left out from here on: " + std::to_string(pointsLeftOut)});
  }
  table = std::move(loaded);
  result.outcome = ProcedureLoadOutcome::kLoaded;
  return result;
}

bool SameProcedure(const ProcedureEntry& left, const ProcedureEntry& right) {
  return left.procName == right.procName && left.qualifier == right.qualifier;
}

std::int32_t ProcedureRunEnd(const ProcedureTable& table, std::int32_t first) {
  const std::int32_t end = table.endIndex();
  if (first < 1 || first >= end) return end;
  const ProcedureEntry& head = table.entries[static_cast<std::size_t>(first)];
  std::int32_t e = first + 1;
  while (e < end && SameProcedure(table.entries[static_cast<std::size_t>(e)], head)) ++e;
  return e;
}

std::int32_t NextProcedure(const ProcedureTable& table) {
  if (table.pointCount() <= 0) return 0;
  const std::int32_t end = ProcedureRunEnd(table, table.selected);
  return end >= table.endIndex() ? 1 : end;
}

std::int32_t PreviousProcedure(const ProcedureTable& table) {
  if (table.pointCount() <= 0) return 0;
  const std::int32_t selected = table.selected;
  std::int32_t e = (selected < 2 || selected > table.endIndex()) ? table.endIndex() - 1 : selected - 1;
  // Back to the first entry of the run, never onto the placeholder.
  while (e > 1 &&
         SameProcedure(table.entries[static_cast<std::size_t>(e - 1)], table.entries[static_cast<std::size_t>(e)])) {
    --e;
  }
  return e;
}

std::string ProcedureTitle(const ProcedureEntry& entry) {
  return entry.qualifier.empty() ? entry.procName : entry.procName + " " + entry.qualifier;
}

std::string SelectedProcedureText(const ProcedureTable& table) {
  const std::int32_t first = table.selected;
  if (first < 1 || first >= table.endIndex()) return {};
  std::string text = ProcedureTitle(table.entries[static_cast<std::size_t>(first)]) + ":";
  const std::int32_t end = ProcedureRunEnd(table, first);
  for (std::int32_t e = first; e < end; ++e) text += " " + table.entries[static_cast<std::size_t>(e)].pointName;
  return text;
}

}  // namespace corvane::plan
