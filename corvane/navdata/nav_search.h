// Search by the start of a name over beacons, airports, fixes and airways, and the lines of the
// result list that goes with it.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/navdata/nav_tables.h"

namespace corvane::navdata {

inline constexpr std::size_t kSearchResultCapacity = 100;
inline constexpr std::size_t kMaxSearchMatches = 97;
inline constexpr std::string_view kSearchHeaderLine = "Name    Lat                  Lon                   Dist";
inline constexpr std::string_view kTooManyResultsLine = "To many results";
inline constexpr std::string_view kNoMoreResultsLine = " ";
inline constexpr std::string_view kUnusedResultName = " ";

struct SearchResultRow {
  std::string name{kUnusedResultName};
  float latitude = 0;
  float longitude = 0;
  float distanceNm = 0;
};

// Row k belongs to line k of the list: row 0 to the header, rows 1 to 97 to the matches.
struct SearchResultTable {
  std::array<SearchResultRow, kSearchResultCapacity> rows;
};

void ResetSearchResults(SearchResultTable& results);

// The typed text as the search takes it: a-z upper-cased, every other byte as it is.
std::string UpperCaseQuery(std::string_view text);

// Fills results (after clearing it) with the matches of the upper-cased query, in the order beacons,
// airports, fixes, airway segments, at most 97, and returns the list lines: the header, one line per
// match, then "To many results" when the scan stopped at the limit, else a line of one blank.
std::vector<std::string> SearchNavDatabase(const NavDatabase& database, std::string_view query, double centreLatitude,
                                           double centreLongitude, SearchResultTable& results);

// One match line: "%5s   %4.8f   %4.8f   %5.0f" of name, latitude, longitude and distance.
std::string SearchResultLine(std::string_view name, float latitude, float longitude, float distanceNm);

struct SearchResultPosition {
  double latitude = 0;
  double longitude = 0;
};
// The position of the match on list line `line`; none for the header, the closing line or beyond.
std::optional<SearchResultPosition> SearchResultAt(const SearchResultTable& results, std::size_t line);

// Top-left corner that centres the list on the map paint box (halves truncated toward zero).
struct ListPlacement {
  int left = 0;
  int top = 0;
};
ListPlacement CentreListOnPaintBox(int paintBoxWidth, int paintBoxHeight, int listWidth, int listHeight);

}  // namespace corvane::navdata
