// Search by name start and the result list lines.
#include "corvane/navdata/nav_search.h"

#include <charconv>
#include <cmath>
#include <numbers>

namespace corvane::navdata {
namespace {

// Collects matches into the result table until the limit is reached.
class MatchCollector {
 public:
  MatchCollector(SearchResultTable& results, std::string_view query, double centreLatitude, double centreLongitude)
      : results_(results),
        query_(query),
        centreLatitude_(centreLatitude),
        centreLongitude_(centreLongitude),
        centreCos_(std::cos(centreLatitude * std::numbers::pi / 180.0)) {}

  bool IsFull() const { return matchCount_ >= kMaxSearchMatches; }

  // Keeps the row when its name starts with the query; false once the limit is reached.
  bool Consider(const std::string& name, float latitude, float longitude) {
    if (!name.starts_with(query_)) return true;
    SearchResultRow& row = results_.rows[++matchCount_];
    row.name = name;
    row.latitude = latitude;
    row.longitude = longitude;
    row.distanceNm = static_cast<float>(DistanceFromCentreNm(latitude, longitude));
    return !IsFull();
  }

  std::size_t matchCount() const { return matchCount_; }

 private:
  double DistanceFromCentreNm(double latitude, double longitude) const {
    const double meanCos = (std::cos(latitude * std::numbers::pi / 180.0) + centreCos_) * 0.5;
    const double dx = (longitude - centreLongitude_) * meanCos;
    const double dy = latitude - centreLatitude_;
    return std::sqrt(dx * dx + dy * dy) * 60.0;
  }

  SearchResultTable& results_;
  std::string_view query_;
  double centreLatitude_;
  double centreLongitude_;
  double centreCos_;
  std::size_t matchCount_ = 0;
};

void ScanTables(const NavDatabase& database, MatchCollector& collector) {
  for (std::size_t i = 0; !IsEndRow(database.beacons[i]); ++i) {
    const BeaconRow& row = database.beacons[i];
    if (!collector.Consider(row.ident, row.latitude, row.longitude)) return;
  }
  for (std::size_t i = 0; !IsEndRow(database.airports[i]); ++i) {
    const AirportRow& row = database.airports[i];
    if (!collector.Consider(row.ident, row.latitude, row.longitude)) return;
  }
  // The fix table is walked to its first empty ident, which is the terminator's.
  for (std::size_t i = 0; !database.fixes[i].ident.empty(); ++i) {
    const FixRow& row = database.fixes[i];
    if (!collector.Consider(row.ident, row.latitude, row.longitude)) return;
  }
  for (std::size_t i = 0; !IsEndRow(database.airwaySegments[i]); ++i) {
    const AirwaySegmentRow& row = database.airwaySegments[i];
    if (!collector.Consider(row.airwayName, row.fromLatitude, row.fromLongitude)) return;
  }
}

// printf's "%W.Pf" for a finite double, without the locale.
void AppendFixed(std::string& out, double value, int precision, std::size_t width) {
  char buffer[64];
  const std::to_chars_result result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
  const std::size_t length = result.ec == std::errc{} ? static_cast<std::size_t>(result.ptr - buffer) : 0;
  if (length < width) out.append(width - length, ' ');
  out.append(buffer, length);
}

}  // namespace

std::string UpperCaseQuery(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

void ResetSearchResults(SearchResultTable& results) { results.rows.fill(SearchResultRow{}); }

std::vector<std::string> SearchNavDatabase(const NavDatabase& database, std::string_view query, double centreLatitude,
                                           double centreLongitude, SearchResultTable& results) {
  // Rows of an earlier, longer result would otherwise stand behind this list's closing line.
  ResetSearchResults(results);
  MatchCollector collector(results, query, centreLatitude, centreLongitude);
  ScanTables(database, collector);

  std::vector<std::string> lines;
  lines.reserve(collector.matchCount() + 2);
  lines.emplace_back(kSearchHeaderLine);
  for (std::size_t k = 1; k <= collector.matchCount(); ++k) {
    const SearchResultRow& row = results.rows[k];
    lines.push_back(SearchResultLine(row.name, row.latitude, row.longitude, row.distanceNm));
  }
  lines.emplace_back(collector.IsFull() ? kTooManyResultsLine : kNoMoreResultsLine);
  return lines;
}

std::string SearchResultLine(std::string_view name, float latitude, float longitude, float distanceNm) {
  std::string line;
  line.reserve(64);
  if (name.size() < 5) line.append(5 - name.size(), ' ');
  line.append(name);
  line.append("   ");
  AppendFixed(line, latitude, 8, 4);
  line.append("   ");
  AppendFixed(line, longitude, 8, 4);
  line.append("   ");
  AppendFixed(line, distanceNm, 0, 5);
  return line;
}

std::optional<SearchResultPosition> SearchResultAt(const SearchResultTable& results, std::size_t line) {
  if (line >= results.rows.size() || results.rows[line].name == kUnusedResultName) return std::nullopt;
  return SearchResultPosition{results.rows[line].latitude, results.rows[line].longitude};
}

ListPlacement CentreListOnPaintBox(int paintBoxWidth, int paintBoxHeight, int listWidth, int listHeight) {
  return {paintBoxWidth / 2 - listWidth / 2, paintBoxHeight / 2 - listHeight / 2};
}

}  // namespace corvane::navdata
