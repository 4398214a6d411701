// The airport-layout file "corvanxX_apt.dat": the X-Plane rows the airport view takes, re-written in
// X-Plane's own column layout so that the view finds every field at its column.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/navimport/airport_source.h"

namespace corvane::navimport {

// The opening lines (file kind, version and licence line) and the closing line of the file.
std::vector<std::string> LayoutFileHeaderLines(std::string_view sourceNote);
inline constexpr std::string_view kLayoutFileEnd = "99";

// Header row: "1", elevation in feet right-aligned in columns 5-10, " 1 0 ", ident from column 16,
// a blank and the name.
std::string LayoutHeaderRow(const SourceAirport& airport);

// One source row (codes 100, 102, 10, 110 to 114) re-written; nullopt with `error` set when the row
// is malformed or a field the view reads would not fit its column.
std::optional<std::string> LayoutRow(std::string_view sourceRow, std::string& error);

// The airport's lines in the order the view reads them: a blank separator line, the header, the
// runways (100), the helipads (102), then taxiways (10) and pavement outlines (110 with their nodes)
// in file order. Other rows (lights, signs, line features and their nodes) stay out. Rows that
// cannot be written are added to `errors`.
void AppendAirportLayout(const SourceAirport& airport, std::string& out, std::vector<std::string>& errors);

}  // namespace corvane::navimport
