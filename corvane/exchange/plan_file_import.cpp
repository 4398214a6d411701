// Reading PLN and FMS plans into entries of the plan.
#include "corvane/exchange/plan_file_import.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <pugixml.hpp>
#include <sstream>

#include "corvane/plan/plan_files.h"
#include "corvane/plan/plan_listing.h"
#include "formats/conversion_error.h"
#include "formats/field_cut.h"
#include "formats/text_lines.h"

namespace corvane::exchange {
namespace {

using plan::Waypoint;
using plan::WaypointKind;

// A database point farther than this from the file's position is another point of the same name.
constexpr double kSameIdentNm = 2.0;

struct ReadError {
  std::string where;
  std::string reason;
};

std::optional<double> Number(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || result.ec != std::errc{} || result.ptr != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

bool Near(double lat, double lon, float rowLat, float rowLon) {
  return plan::DistanceNm(lat, lon, rowLat, rowLon) <= kSameIdentNm;
}

// The stored ident and info of the database's point of that kind and name nearest the position.
void MatchDatabase(Waypoint& entry, const navdata::NavDatabase& database) {
  const std::string_view name = formats::TrimBlanks(entry.ident);
  if (entry.kind == WaypointKind::kAirport) {
    for (std::size_t i = 0; !navdata::IsEndRow(database.airports[i]); ++i) {
      const navdata::AirportRow& row = database.airports[i];
      if (formats::TrimBlanks(row.ident) == name && Near(entry.lat, entry.lon, row.latitude, row.longitude)) {
        entry.ident = row.ident;
        entry.info = row.elevationText;
        return;
      }
    }
  } else if (entry.kind == WaypointKind::kVor || entry.kind == WaypointKind::kNdb) {
    for (std::size_t i = 0; !navdata::IsEndRow(database.beacons[i]); ++i) {
      const navdata::BeaconRow& row = database.beacons[i];
      if (plan::KindNumber(entry.kind) == static_cast<std::int32_t>(row.kind) &&
          formats::TrimBlanks(row.ident) == name && Near(entry.lat, entry.lon, row.latitude, row.longitude)) {
        entry.ident = row.ident;
        entry.info = row.frequencyText == " " ? std::string(".") : row.frequencyText;
        return;
      }
    }
  } else if (entry.kind == WaypointKind::kFix) {
    for (std::size_t i = 0; !navdata::IsEndRow(database.fixes[i]); ++i) {
      const navdata::FixRow& row = database.fixes[i];
      if (formats::TrimBlanks(row.ident) == name && Near(entry.lat, entry.lon, row.latitude, row.longitude)) {
        entry.ident = row.ident;
        return;
      }
    }
  }
}

// "N52° 18' 30.96"" (the degree sign in UTF-8 or Latin-1) as signed degrees.
std::optional<double> WorldCoordinate(std::string_view text, bool longitude) {
  text = formats::TrimBlanks(text);
  if (text.empty()) return std::nullopt;
  const char hemisphere = text.front();
  const bool negative = hemisphere == (longitude ? 'W' : 'S');
  if (!negative && hemisphere != (longitude ? 'E' : 'N')) return std::nullopt;
  std::string cleaned(text.substr(1));
  for (char& c : cleaned) {
    if (c == '\'' || c == '"' || static_cast<unsigned char>(c) >= 0x80) c = ' ';
  }
  std::istringstream parts(cleaned);
  std::string degrees, minutes, seconds, more;
  parts >> degrees >> minutes >> seconds;
  const auto d = Number(degrees), m = Number(minutes), s = Number(seconds);
  if (!d || !m || !s || (parts >> more) || *m >= 60 || *s >= 60) return std::nullopt;
  const double value = *d + *m / 60 + *s / 3600;
  if (value > (longitude ? 180.0 : 90.0)) return std::nullopt;
  return negative ? -value : value;
}

WaypointKind KindOfPlnType(std::string_view type) {
  if (type == "Airport") return WaypointKind::kAirport;
  if (type == "VOR") return WaypointKind::kVor;
  if (type == "NDB") return WaypointKind::kNdb;
  if (type == "Intersection") return WaypointKind::kFix;
  return WaypointKind::kUserPoint;
}

std::optional<ReadError> ReadPln(std::string_view text, std::vector<Waypoint>& entries, std::int32_t& cruiseFt) {
  pugi::xml_document document;
  const pugi::xml_parse_result parsed = document.load_buffer(text.data(), text.size());
  if (!parsed) return ReadError{"byte " + std::to_string(parsed.offset), parsed.description()};
  const pugi::xml_node flightPlan = document.child("SimBase.Document").child("FlightPlan.FlightPlan");
  if (!flightPlan) return ReadError{"SimBase.Document", "no FlightPlan.FlightPlan element"};
  cruiseFt = static_cast<std::int32_t>(Number(formats::TrimBlanks(flightPlan.child_value("CruisingAlt"))).value_or(0));
  int n = 0;
  for (const pugi::xml_node waypoint : flightPlan.children("ATCWaypoint")) {
    const std::string where = "ATCWaypoint " + std::to_string(++n);
    Waypoint entry;
    entry.kind = KindOfPlnType(formats::TrimBlanks(waypoint.child_value("ATCWaypointType")));
    // The ICAO block names the database point; the id is the simulator's label for it.
    std::string_view ident = formats::TrimBlanks(waypoint.child("ICAO").child_value("ICAOIdent"));
    if (ident.empty()) ident = formats::TrimBlanks(waypoint.attribute("id").value());
    // A label with blanks would split the plan's text line: such a point is a clicked point.
    const bool oneWord = !ident.empty() && ident.find_first_of(" \t") == std::string_view::npos;
    entry.ident = oneWord ? std::string(ident) : "FIX";
    const std::string position = waypoint.child_value("WorldPosition");
    const std::size_t first = position.find(','), second = position.find(',', first + 1);
    const auto lat = first == std::string::npos ? std::nullopt : WorldCoordinate(position.substr(0, first), false);
    const auto lon = first == std::string::npos
                         ? std::nullopt
                         : WorldCoordinate(std::string_view(position).substr(first + 1, second - first - 1), true);
    if (!lat || !lon) return ReadError{where, "WorldPosition '" + position + "' is no N/S, E/W position"};
    const auto altitude = second == std::string::npos ? std::optional<double>(0)
                                                      : Number(formats::TrimBlanks(position.substr(second + 1)));
    if (!altitude) return ReadError{where, "WorldPosition '" + position + "' has no altitude"};
    entry.lat = static_cast<float>(*lat);
    entry.lon = static_cast<float>(*lon);
    entry.altitude = static_cast<std::int32_t>(std::lround(*altitude));
    entries.push_back(std::move(entry));
  }
  return std::nullopt;
}

WaypointKind KindOfFmsType(std::string_view type) {
  if (type == "1") return WaypointKind::kAirport;
  if (type == "2") return WaypointKind::kNdb;
  if (type == "3") return WaypointKind::kVor;
  if (type == "11") return WaypointKind::kFix;
  return WaypointKind::kUserPoint;
}

// Version 3 rows: type ident altitude lat lon. Version 11 rows: type ident via altitude lat lon.
std::optional<ReadError> ReadFms(std::string_view text, std::vector<Waypoint>& entries) {
  std::istringstream in{std::string(text)};
  std::string line;
  int lineNumber = 0;
  bool version11 = false;
  std::optional<std::size_t> rowsLeft;
  while (std::getline(in, line)) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream fields(line);
    std::vector<std::string> f;
    for (std::string field; fields >> field;) f.push_back(field);
    const std::string where = "line " + std::to_string(lineNumber);
    if (lineNumber == 1) continue;  // "I" or "A": the line ends of the file's maker
    if (lineNumber == 2) {
      if (f.size() != 2 || (f[0] != "3" && f[0] != "1100")) return ReadError{where, "not FMS version 3 or 11"};
      version11 = f[0] == "1100";
      continue;
    }
    if (f.empty()) continue;
    if (!version11 && lineNumber == 3) continue;
    if (!version11 && lineNumber == 4) {
      const auto last = Number(f[0]);
      if (!last || *last < 0) return ReadError{where, "'" + line + "' is no waypoint count"};
      rowsLeft = static_cast<std::size_t>(*last) + 1;
      continue;
    }
    if (version11 && !rowsLeft) {
      if (f[0] == "NUMENR") {
        const auto count = f.size() == 2 ? Number(f[1]) : std::nullopt;
        if (!count || *count < 0) return ReadError{where, "'" + line + "' is no waypoint count"};
        rowsLeft = static_cast<std::size_t>(*count);
      }
      continue;  // ADEP, ADES, CYCLE, runways and procedures
    }
    // The padding after the last waypoint; files that count the rows rather than number the last
    // one end a row early.
    if (!rowsLeft || *rowsLeft == 0 || f[0] == "0") break;
    const std::size_t columns = version11 ? 6 : 5;
    if (f.size() != columns) {
      return ReadError{where,
                       "'" + line + "' has " + std::to_string(f.size()) + " fields, not " + std::to_string(columns)};
    }
    const std::size_t at = version11 ? 3 : 2;
    const auto altitude = Number(f[at]), lat = Number(f[at + 1]), lon = Number(f[at + 2]);
    if (!altitude || !lat || !lon || std::fabs(*lat) > 90 || std::fabs(*lon) > 180) {
      return ReadError{where, "'" + line + "' has no altitude, latitude and longitude"};
    }
    Waypoint entry;
    entry.kind = KindOfFmsType(f[0]);
    // A latitude/longitude point is named by its position; in the plan it is a clicked point.
    entry.ident = entry.kind == WaypointKind::kUserPoint ? "FIX" : f[1];
    entry.lat = static_cast<float>(*lat);
    entry.lon = static_cast<float>(*lon);
    entry.altitude = static_cast<std::int32_t>(std::lround(*altitude));
    entries.push_back(std::move(entry));
    --*rowsLeft;
  }
  if (!rowsLeft) return ReadError{"line " + std::to_string(lineNumber), "the file ends before its waypoint count"};
  if (*rowsLeft > (version11 ? 0u : 1u)) {
    return ReadError{"line " + std::to_string(lineNumber), "the file ends before its last waypoint"};
  }
  return std::nullopt;
}

}  // namespace

std::optional<ForeignPlanFormat> ForeignPlanFormatOf(std::string_view text) {
  // Windows tools often begin UTF-8 text with a byte order mark.
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  const std::string_view start = formats::TrimBlanks(text.substr(0, 200));
  if (start.starts_with("<?xml") || start.starts_with("<SimBase.Document")) return ForeignPlanFormat::kPln;
  if ((start.starts_with("I") || start.starts_with("A")) && start.size() > 1 &&
      (start[1] == '\r' || start[1] == '\n')) {
    return ForeignPlanFormat::kFms;
  }
  return std::nullopt;
}

ForeignPlanRead ReadForeignPlan(std::string_view text, ForeignPlanFormat format, const navdata::NavDatabase& database,
                                std::int32_t speedKt) {
  std::vector<Waypoint> entries;
  std::int32_t cruiseFt = 0;
  const std::optional<ReadError> error =
      format == ForeignPlanFormat::kPln ? ReadPln(text, entries, cruiseFt) : ReadFms(text, entries);
  if (error) return {nullptr, error->where + ": " + error->reason};
  if (entries.size() < 2)
    return {nullptr, "a plan needs two waypoints or more, this one has " + std::to_string(entries.size())};
  if (entries.size() > static_cast<std::size_t>(plan::FlightPlan::kCapacity)) {
    return {nullptr, std::to_string(entries.size()) + " waypoints, the plan holds " +
                         std::to_string(plan::FlightPlan::kCapacity)};
  }
  if (cruiseFt <= 0) {
    for (const Waypoint& entry : entries) cruiseFt = std::max(cruiseFt, entry.altitude);
  }
  auto plan = std::make_unique<plan::FlightPlan>();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    Waypoint& entry = entries[i];
    entry.info = ".";
    entry.speed = speedKt;
    if (entry.altitude == 0 && entry.kind != WaypointKind::kAirport) entry.altitude = cruiseFt;
    MatchDatabase(entry, database);
    const auto index = static_cast<std::int32_t>(i);
    (*plan)[index] = std::move(entry);
    if (index > 0) (*plan)[index].legNm = plan::LegNm(*plan, index - 1, index);
  }
  plan->tail = static_cast<std::int32_t>(entries.size()) - 1;
  return {std::move(plan), std::nullopt};
}

std::vector<std::string> PlanTextOfFile(const std::filesystem::path& path, const navdata::NavDatabase& database,
                                        std::string_view speedText) {
  const std::vector<std::string> lines = plan::LoadPlanFile(path);
  std::string text;
  for (std::size_t i = 0; i < lines.size() && i < 4; ++i) text += lines[i] + "\n";
  const std::optional<ForeignPlanFormat> format = ForeignPlanFormatOf(text);
  if (!format) return lines;
  text.clear();
  for (const std::string& line : lines) text += line + "\n";
  std::int32_t speedKt = 0;
  try {
    speedKt = formats::ParseInt(speedText);
  } catch (const formats::ConversionError&) {
    // A speed field being edited does not keep the plan out.
  }
  ForeignPlanRead read = ReadForeignPlan(text, *format, database, speedKt);
  if (read.error) throw formats::TextFileError(path, *read.error);
  return plan::ListPlan(*read.plan);
}

}  // namespace corvane::exchange
