// Writing the X-Plane flight plan.
#include "corvane/exchange/fms_writer.h"

#include <algorithm>
#include <charconv>
#include <system_error>

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

}  // namespace

std::string FmsLatitudeName(float latitude) { return CoordinateName(latitude, 2); }
std::string FmsLongitudeName(float longitude) { return CoordinateName(longitude, 3); }

std::vector<std::string> FmsLines(const plan::FlightPlan& plan) {
  std::vector<std::string> lines = {"I", "3 version", "0"};
  const std::int32_t count = plan.ListedCount();
  for (std::int32_t i = 0; i < count; ++i) {
    const plan::Waypoint& entry = plan[i];
    const std::string position =
        formats::FixedDecimalText(entry.lat, 6) + "     " + formats::FixedDecimalText(entry.lon, 6);
    const std::string altitude = std::to_string(entry.altitude);
    if (IsNamedByPosition(entry.kind)) {
      lines.push_back("28  " + FmsLatitudeName(entry.lat) + "_" + FmsLongitudeName(entry.lon) + " " + altitude + "  " +
                      position);
    } else {
      lines.push_back(std::to_string(plan::KindNumber(entry.kind)) + "  " + entry.ident + "  " + altitude + "     " +
                      position);
    }
  }
  for (std::size_t entries = static_cast<std::size_t>(count); entries < kFmsEntryLines; ++entries) {
    lines.emplace_back(kFmsEmptyEntry);
  }
  return lines;
}

}  // namespace corvane::exchange
