// Airport ranking and the capacity cut.
#include "tools/navimport/airport_selection.h"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <unordered_set>

namespace corvane::navimport {

bool IsIcaoIdent(std::string_view ident) {
  return ident.size() == 4 && std::all_of(ident.begin(), ident.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

std::vector<SourceAirport> SelectAirports(std::vector<SourceAirport> airports, std::size_t limit, ImportReport& report,
                                          std::string_view fileName) {
  std::vector<std::size_t> order(airports.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t left, std::size_t right) {
    const bool leftIcao = IsIcaoIdent(airports[left].ident);
    const bool rightIcao = IsIcaoIdent(airports[right].ident);
    if (leftIcao != rightIcao) {
      return leftIcao;
    }
    return airports[left].longestRunwayM > airports[right].longestRunwayM;
  });

  std::vector<SourceAirport> kept;
  kept.reserve(std::min(limit, airports.size()));
  std::unordered_set<std::string> keptIdents;
  std::size_t overCapacity = 0;
  for (const std::size_t index : order) {
    SourceAirport& airport = airports[index];
    if (airport.ident.empty() || airport.ident.size() > kMaxAirportIdentLength) {
      report.Drop(fileName, airport.lineNumber, "ident is not 1 to 4 characters", airport.ident);
      continue;
    }
    if (keptIdents.count(airport.ident) != 0) {
      report.Drop(fileName, airport.lineNumber, "ident already used by a higher-ranked airport", airport.ident);
      continue;
    }
    if (kept.size() >= limit) {
      char detail[96];
      std::snprintf(detail, sizeof detail, "%s, longest runway %.0f m", airport.ident.c_str(), airport.longestRunwayM);
      report.Drop(fileName, airport.lineNumber, "over the airport table's capacity (lowest rank)", detail);
      ++overCapacity;
      continue;
    }
    keptIdents.insert(airport.ident);
    kept.push_back(std::move(airport));
  }
  if (overCapacity != 0) {
    report.Note(std::string(fileName) + ": the airport table holds " + std::to_string(limit) + " rows here; kept " +
                "four-letter ICAO idents first, then the airports with the longest runways; " +
                std::to_string(overCapacity) + " left out");
  }
  std::sort(kept.begin(), kept.end(),
            [](const SourceAirport& left, const SourceAirport& right) { return left.ident < right.ident; });
  return kept;
}

}  // namespace corvane::navimport
