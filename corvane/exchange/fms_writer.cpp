// Writing the X-Plane flight plan.
#include "corvane/exchange/fms_writer.h"

#include <algorithm>
#include <charconv>
#include <system_error>

#include "corvane/exchange/airway_legs.h"
#include "corvane/exchange/exported_plan.h"
#include "formats/plain_decimal.h"

namespace corvane::exchange {
namespace {

using plan::WaypointKind;

std::string CoordinateName(float value, std::size_t integerDigits) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  std::string_view text(buffer, result.ec == std::errc{} ? static_cast<std::size_t>(result.ptr - buffer) : 0);
  if (!text.empty() && text.front() == '-') text.remove_prefix(1);
  const std::size_t point = std::min(text.find('.'), text.size());
  std::string name(1, value < 0 ? '-' : '+');
  if (point < integerDigits) name.append(integerDigits - point, '0');
  name.append(text.substr(0, point));
  name += '.';
  const std::string_view decimals = point < text.size() ? text.substr(point + 1, 3) : std::string_view{};
  name.append(decimals);
  name.append(3 - decimals.size(), '0');
  return name;
}

bool IsNamedByPosition(WaypointKind kind) {
  return kind == WaypointKind::kClimbMarker || kind == WaypointKind::kUserPoint || kind == WaypointKind::kDescentMarker;
}

// Airports, NDBs, VORs and fixes keep their type; every other entry is a latitude/longitude point.
std::int32_t RowType(const plan::Waypoint& entry) {
  return IsNamedByPosition(entry.kind) ? 28 : plan::KindNumber(entry.kind);
}

std::string RowIdent(const plan::Waypoint& entry) {
  if (IsNamedByPosition(entry.kind)) return CoordinateName(entry.lat, 2) + "_" + CoordinateName(entry.lon, 3);
  return std::string(ExportIdent(entry));
}

}  // namespace

std::string FmsLatitudeName(float latitude) { return CoordinateName(latitude, 2); }
std::string FmsLongitudeName(float longitude) { return CoordinateName(longitude, 3); }

std::vector<std::string> FmsLines(const plan::FlightPlan& plan) {
  const std::int32_t count = plan.ListedCount();
  std::vector<std::string> lines = {"I", "3 version", "1", std::to_string(std::max(0, count - 1))};
  for (std::int32_t i = 0; i < count; ++i) {
    const plan::Waypoint& entry = plan[i];
    const std::string position =
        formats::FixedDecimalText(entry.lat, 6) + "     " + formats::FixedDecimalText(entry.lon, 6);
    const std::string altitude = std::to_string(entry.altitude);
    lines.push_back(std::to_string(RowType(entry)) + "  " + RowIdent(entry) + "  " + altitude + "     " + position);
  }
  for (std::size_t entries = static_cast<std::size_t>(count); entries < kFmsEntryLines; ++entries) {
    lines.emplace_back(kFmsEmptyEntry);
  }
  return lines;
}

std::vector<std::string> Fms11Lines(const plan::FlightPlan& plan, const navdata::AirwaySegmentTable& airways) {
  const PlanEnds ends = PlanEndsOf(plan);
  const bool departureIsAirport = plan[0].kind == WaypointKind::kAirport;
  std::vector<std::string> via(static_cast<std::size_t>(ends.count), "DRCT");
  for (const RouteLeg& leg : RouteLegsOf(plan, ends.count - 1, airways)) {
    if (!leg.airway.empty()) via[static_cast<std::size_t>(leg.to)] = leg.airway;
  }
  std::vector<std::string> lines = {"I", "1100 Version"};
  if (ends.count > 0) {
    lines.push_back((departureIsAirport ? "ADEP " : "DEP ") + RowIdent(plan[0]));
    lines.push_back((ends.destinationIsAirport ? "ADES " : "DES ") + RowIdent(plan[ends.destination]));
    if (departureIsAirport) via.front() = "ADEP";
    if (ends.destinationIsAirport) via[static_cast<std::size_t>(ends.destination)] = "ADES";
  }
  lines.push_back("NUMENR " + std::to_string(ends.count));
  for (std::int32_t i = 0; i < ends.count; ++i) {
    const plan::Waypoint& entry = plan[i];
    lines.push_back(std::to_string(RowType(entry)) + " " + RowIdent(entry) + " " + via[static_cast<std::size_t>(i)] +
                    " " + formats::FixedDecimalText(entry.altitude, 6) + " " + formats::FixedDecimalText(entry.lat, 6) +
                    " " + formats::FixedDecimalText(entry.lon, 6));
  }
  return lines;
}

}  // namespace corvane::exchange
