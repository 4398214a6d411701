// The departure and arrival procedure table: loading one airport's procedures from "navsid.dat" or
// "navstar.dat", and choosing which procedure is shown and activated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/navdata/load_report.h"
#include "formats/dat_columns.h"

namespace corvane::plan {

inline constexpr std::string_view kSidFileName = "navsid.dat";
inline constexpr std::string_view kStarFileName = "navstar.dat";

// The procedure file layout, 1-based columns.
namespace procedure_columns {
inline constexpr std::size_t kHeaderLines = 3;
inline constexpr char kHeaderMark = '[';
inline constexpr std::size_t kAirportFirst = 2;  // compared over the length of the wanted ident
inline constexpr formats::Column kName{7, 12};
inline constexpr formats::Column kQualifier{14, 19};
inline constexpr formats::Column kPointName{15, 19};
inline constexpr formats::Column kLatitude{21, 30};
inline constexpr formats::Column kLongitude{32, 42};
// A point with this longitude is read but not kept.
inline constexpr float kSkippedLongitude = 181.0f;
}  // namespace procedure_columns

struct ProcedureEntry {
  std::string pointName;
  float lat = 0;
  float lon = 0;
  std::string procName;
  std::string qualifier;
};

// Entry 0 is a placeholder at (1, 1), the points start at entry 1 and the last entry is the end entry
// at (0, 0). A procedure is a run of consecutive entries with the same procName and qualifier: two
// runways of one SID are two procedures, while parts of one procedure written under one header join.
struct ProcedureTable {
  static constexpr std::size_t kCapacity = 10000;  // entries, placeholder and end entry included
  static constexpr std::size_t kMaxPoints = kCapacity - 2;

  std::vector<ProcedureEntry> entries{ProcedureEntry{"", 1.0f, 1.0f, "", ""}, ProcedureEntry{}};
  std::int32_t selected = 0;  // first entry of the shown procedure; 0 for none
  std::string procedureAirport;

  std::int32_t endIndex() const { return static_cast<std::int32_t>(entries.size()) - 1; }
  std::int32_t pointCount() const { return endIndex() - 1; }
};

enum class ProcedureLoadOutcome {
  kLoaded,     // the table holds the airport's procedures (possibly none)
  kNoAirport,  // the airport field is empty: the table is unchanged
  kFailed,     // the file is missing or a number does not convert: the table is unchanged
};

struct ProcedureLoadResult {
  ProcedureLoadOutcome outcome = ProcedureLoadOutcome::kFailed;
  std::vector<navdata::LoadProblem> problems;  // failures, and points left out over the capacity
};

// Reads the procedures of the airport typed in airportField (upper-cased, trimmed) from the file of
// the data folder whose name matches fileName without regard to case. Only a load that reads the
// whole file replaces the table; it then selects the first procedure, or none.
ProcedureLoadResult LoadProcedures(const std::filesystem::path& dataFolder, std::string_view fileName,
                                   std::string_view airportField, ProcedureTable& table);

// True when both entries belong to one run (the same name and qualifier).
bool SameProcedure(const ProcedureEntry& left, const ProcedureEntry& right);

// The first entry after the run that starts at first; the end entry for none or a stale index.
std::int32_t ProcedureRunEnd(const ProcedureTable& table, std::int32_t first);
// ProcedureRunEnd of the selected procedure.
inline std::int32_t SelectedEnd(const ProcedureTable& table) { return ProcedureRunEnd(table, table.selected); }

// The procedure after the selected one, the first after the last; 0 when the table has none.
std::int32_t NextProcedure(const ProcedureTable& table);
// The procedure before the selected one, the last before the first; 0 when the table has none.
std::int32_t PreviousProcedure(const ProcedureTable& table);

// "ANDI1S RW24": the procedure's name and its qualifier, when it has one.
std::string ProcedureTitle(const ProcedureEntry& entry);
// The selected procedure for the status line: "ANDI1S RW24: EH032 SPY NARIX"; empty for none.
std::string SelectedProcedureText(const ProcedureTable& table);

}  // namespace corvane::plan
