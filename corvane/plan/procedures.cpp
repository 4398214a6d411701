// Loading the procedure table from a procedure file, and moving the selection through its runs.
#include "corvane/plan/procedures.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <mutex>
#include <system_error>
#include <utility>

#include "corvane/navdata/data_file_name.h"
#include "corvane/navdata/table_loading.h"
#include "formats/field_cut.h"
#include "formats/text_lines.h"

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

// A procedure file read once and its header lines indexed by airport (columns 2-5), so that a press
// on a world file reads only the headers of the wanted airport. Read again when the file's size or
// time changes.
struct IndexedProcedureFile {
  std::filesystem::path path;
  std::filesystem::file_time_type time;
  std::uintmax_t size = 0;
  std::shared_ptr<const formats::TextFile> text;
  std::vector<std::pair<std::string, std::size_t>> headers;  // (airport columns, line index), sorted
};

std::string AirportColumns(std::string_view line) {
  return std::string(line.substr(procedure_columns::kAirportFirst - 1, 4));
}

// The file at path, from the cache when it is unchanged; nullptr with `error` set when unreadable.
std::shared_ptr<const IndexedProcedureFile> IndexedFile(const std::filesystem::path& path, std::string& error) {
  static std::mutex mutex;
  static std::vector<std::shared_ptr<const IndexedProcedureFile>> cache;  // one per file name (SID, STAR)
  std::error_code code;
  const auto time = std::filesystem::last_write_time(path, code);
  const auto size = code ? 0 : std::filesystem::file_size(path, code);
  const std::lock_guard lock(mutex);
  for (const auto& file : cache) {
    if (!code && file->path == path && file->time == time && file->size == size) return file;
  }
  auto indexed = std::make_shared<IndexedProcedureFile>();
  try {
    indexed->text = std::make_shared<formats::TextFile>(path);
  } catch (const formats::TextFileError& failure) {
    error = failure.what();
    return nullptr;
  }
  indexed->path = path;
  indexed->time = time;
  indexed->size = size;
  const formats::TextFile& lines = *indexed->text;
  for (std::size_t i = procedure_columns::kHeaderLines; i < lines.size(); ++i) {
    if (!lines[i].empty() && lines[i].front() == procedure_columns::kHeaderMark) {
      indexed->headers.emplace_back(AirportColumns(lines[i]), i);
    }
  }
  std::stable_sort(indexed->headers.begin(), indexed->headers.end(),
                   [](const auto& left, const auto& right) { return left.first < right.first; });
  std::erase_if(cache, [&](const auto& file) { return file->path == path; });
  if (!code) cache.push_back(indexed);
  return indexed;
}

// Line indexes of the headers that may belong to the typed airport (prefix compare), in file order.
std::vector<std::size_t> CandidateHeaders(const IndexedProcedureFile& file, std::string_view airport) {
  const std::string prefix(airport.substr(0, 4));
  std::vector<std::size_t> lines;
  auto it = std::lower_bound(file.headers.begin(), file.headers.end(), prefix,
                             [](const auto& header, const std::string& key) { return header.first < key; });
  for (; it != file.headers.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it) {
    lines.push_back(it->second);
  }
  std::sort(lines.begin(), lines.end());
  return lines;
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
  const std::optional<std::filesystem::path> path = navdata::FindFileIgnoringCase(dataFolder, fileName);
  if (!path) {
    result.problems.push_back({std::string(fileName), 0, "file not found in " + dataFolder.string()});
    return result;
  }
  std::string error;
  const std::shared_ptr<const IndexedProcedureFile> indexed = IndexedFile(*path, error);
  if (!indexed) {
    result.problems.push_back({path->filename().string(), 0, error});
    return result;
  }
  const std::string fileNameFound = path->filename().string();
  const formats::TextFile& lines = *indexed->text;

  ProcedureTable loaded;
  loaded.entries.resize(1);
  loaded.procedureAirport = airport;
  std::size_t pointsLeftOut = 0;
  std::size_t firstLineLeftOut = 0;
  for (const std::size_t header : CandidateHeaders(*indexed, airport)) {
    if (!IsHeaderOf(lines[header], airport)) continue;
    const std::string name(formats::TrimmedField(lines[header], kName));
    const std::string qualifier(formats::TrimmedField(lines[header], kQualifier));
    // The points run to an empty line or to the end of the file.
    for (std::size_t i = header + 1; i < lines.size() && !EndsPoints(lines[i]); ++i) {
      ProcedureEntry entry;
      try {
        entry = ReadPoint(lines[i], name, qualifier);
      } catch (const navdata::RowRejected& rejected) {
        result.problems.push_back({fileNameFound, i + 1, std::string(rejected.what()) + ": " + std::string(lines[i])});
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
    result.problems.push_back({fileNameFound, firstLineLeftOut,
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
