// Choosing which airports go into the airport table when there are more than it holds.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "tools/navimport/airport_source.h"
#include "tools/navimport/import_report.h"

namespace corvane::navimport {

// The reader keeps four characters of an airport ident.
inline constexpr std::size_t kMaxAirportIdentLength = 4;

// True for an ident of four capital letters (an ICAO location indicator).
bool IsIcaoIdent(std::string_view ident);

// Keeps at most `limit` airports, ranked: ICAO idents (four letters) before the others, then the
// longest runway first, then file order. Idents longer than four characters (the reader would cut
// them and they could clash) and a second airport with an ident already kept are dropped. Every
// airport left out is reported with its reason. The kept airports come back sorted by ident.
std::vector<SourceAirport> SelectAirports(std::vector<SourceAirport> airports, std::size_t limit, ImportReport& report,
                                          std::string_view fileName);

}  // namespace corvane::navimport
