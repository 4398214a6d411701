// What a database load did: rows kept and left out per table, and every problem met on the way.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::navdata {

enum class NavTableId { kAirports, kRunwayEnds, kHeliports, kBeacons, kFixes, kAirwaySegments, kGeoSegments };
inline constexpr std::size_t kNavTableCount = 7;

// "AirportTable", "RunwayEndTable", ...
std::string_view NavTableName(NavTableId table);

struct TableLoadCount {
  std::size_t loaded = 0;
  std::size_t droppedAtOrigin = 0;  // rows at exactly 0/0, which would end the table
  std::size_t droppedBadRows = 0;   // rows that could not be read
  std::size_t droppedOverCapacity = 0;

  std::size_t dropped() const { return droppedAtOrigin + droppedBadRows + droppedOverCapacity; }
};

struct LoadProblem {
  std::string fileName;
  std::size_t lineNumber = 0;  // 1-based; 0 when the problem concerns the whole file
  std::string reason;
};

struct LoadReport {
  std::array<TableLoadCount, kNavTableCount> tables{};
  std::vector<LoadProblem> problems;

  TableLoadCount& operator[](NavTableId table) { return tables[static_cast<std::size_t>(table)]; }
  const TableLoadCount& operator[](NavTableId table) const { return tables[static_cast<std::size_t>(table)]; }
};

// "NAVapt.dat line 12: latitude (columns 6-15): 'x' is not a valid floating point value"
std::string ProblemText(const LoadProblem& problem);

}  // namespace corvane::navdata
