// Listing the plan as text and parsing it back, locale-free in both directions.
#include "corvane/plan/plan_listing.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

namespace corvane::plan {
namespace {

void AppendRightAligned(std::string& out, std::string_view text, std::size_t width) {
  if (text.size() < width) out.append(width - text.size(), ' ');
  out += text;
}

void AppendInteger(std::string& out, std::int32_t value, std::size_t width) {
  std::array<char, 16> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  AppendRightAligned(out, std::string_view(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data())), width);
}

// "%4.8f" of the float widened to double.
void AppendCoordinate(std::string& out, float value) {
  std::array<char, 400> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), static_cast<double>(value),
                                    std::chars_format::fixed, 8);
  AppendRightAligned(out, std::string_view(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data())), 4);
}

// Cuts the next token: skip blanks, then take characters up to the next blank.
std::string_view NextToken(std::string_view& rest) {
  const std::size_t start = rest.find_first_not_of(' ');
  if (start == std::string_view::npos) {
    rest = {};
    return {};
  }
  rest.remove_prefix(start);
  const std::size_t end = std::min(rest.find(' '), rest.size());
  const std::string_view token = rest.substr(0, end);
  rest.remove_prefix(end);
  return token;
}

std::optional<std::int32_t> ParseInteger(std::string_view token) {
  if (!token.empty() && token.front() == '+') token.remove_prefix(1);
  std::int32_t value = 0;
  const auto result = std::from_chars(token.data(), token.data() + token.size(), value);
  if (token.empty() || result.ec != std::errc{} || result.ptr != token.data() + token.size()) return std::nullopt;
  return value;
}

std::optional<float> ParseCoordinate(std::string_view token, double limitDeg) {
  if (!token.empty() && token.front() == '+') token.remove_prefix(1);
  double value = 0;
  const auto result = std::from_chars(token.data(), token.data() + token.size(), value);
  if (token.empty() || result.ec != std::errc{} || result.ptr != token.data() + token.size()) return std::nullopt;
  if (!std::isfinite(value) || std::fabs(value) > limitDeg) return std::nullopt;
  return static_cast<float>(value);
}

struct FieldError {
  std::string reason;
};

// The eight fields of one line, or what is wrong with it.
std::optional<FieldError> ParseLine(std::string_view line, Waypoint& entry) {
  static constexpr std::array<std::string_view, 8> kFieldNames = {"kind", "ident", "altitude", "speed",
                                                                  "leg",  "info",  "latitude", "longitude"};
  std::array<std::string_view, 8> tokens{};
  for (std::size_t field = 0; field < tokens.size(); ++field) {
    tokens[field] = NextToken(line);
    if (tokens[field].empty()) return FieldError{"the " + std::string(kFieldNames[field]) + " is missing"};
  }
  auto notInteger = [&](std::size_t field) {
    return FieldError{"'" + std::string(tokens[field]) + "' is not a valid integer value (" +
                      std::string(kFieldNames[field]) + ")"};
  };
  Waypoint parsed;
  const auto kind = ParseInteger(tokens[0]);
  if (!kind) return notInteger(0);
  parsed.kind = static_cast<WaypointKind>(*kind);
  parsed.ident = tokens[1];
  const auto altitude = ParseInteger(tokens[2]);
  if (!altitude) return notInteger(2);
  const auto speed = ParseInteger(tokens[3]);
  if (!speed) return notInteger(3);
  const auto leg = ParseInteger(tokens[4]);
  if (!leg) return notInteger(4);
  parsed.altitude = *altitude;
  parsed.speed = *speed;
  parsed.legNm = *leg;
  parsed.info = tokens[5];
  const auto lat = ParseCoordinate(tokens[6], 90.0);
  if (!lat) return FieldError{"'" + std::string(tokens[6]) + "' is not a latitude (-90 to 90)"};
  const auto lon = ParseCoordinate(tokens[7], 180.0);
  if (!lon) return FieldError{"'" + std::string(tokens[7]) + "' is not a longitude (-180 to 180)"};
  parsed.lat = *lat;
  parsed.lon = *lon;
  // An entry at 0/0 marks the end of the plan: it would hide every entry after it, which the next
  // save would then drop.
  if (parsed.IsEndMarker()) return FieldError{"a waypoint at 0/0 would end the plan here"};
  entry = std::move(parsed);
  return std::nullopt;
}

}  // namespace

std::string FormatPlanLine(const Waypoint& entry) {
  std::string line;
  line.reserve(96);
  AppendInteger(line, KindNumber(entry.kind), 2);
  line += "   ";
  AppendRightAligned(line, entry.ident, 5);
  line += "  ";
  AppendInteger(line, entry.altitude, 5);
  line += "  ";
  AppendInteger(line, entry.speed, 3);
  line += "  ";
  AppendInteger(line, entry.legNm, 3);
  line += "  ";
  AppendRightAligned(line, entry.info, 6);
  line += "   ";
  AppendCoordinate(line, entry.lat);
  line += "   ";
  AppendCoordinate(line, entry.lon);
  line += "     ";
  return line;
}

std::vector<std::string> ListPlan(const FlightPlan& plan) {
  std::vector<std::string> lines;
  std::int64_t totalNm = 0;
  const std::int32_t count = plan.ListedCount();
  for (std::int32_t i = 0; i < count; ++i) {
    lines.push_back(FormatPlanLine(plan[i]));
    totalNm += plan[i].legNm;
  }
  if (lines.size() >= 4) {
    lines.emplace_back();
    lines.push_back("Total distance is " + std::to_string(totalNm) + " nm.");
  }
  return lines;
}

std::string PlanTextError::Message() const { return "Plan line " + std::to_string(lineNumber) + ": " + reason; }

std::optional<PlanTextError> ParsePlanText(std::span<const std::string> lines, FlightPlan& plan) {
  ClearEntries(plan);
  std::optional<PlanTextError> tooLong;
  std::int32_t n = 0;
  do {
    if (n >= FlightPlan::kCapacity) {
      // The first 500 waypoints are kept as a plan of their own; the rest is reported.
      tooLong = PlanTextError{n + 1, "the plan holds at most " + std::to_string(FlightPlan::kCapacity) +
                                         " waypoints; the lines from here on are left out"};
      break;
    }
    const std::string_view line = static_cast<std::size_t>(n) < lines.size() ? std::string_view(lines[n]) : "";
    if (auto error = ParseLine(line, plan[n])) return PlanTextError{n + 1, std::move(error->reason)};
    ++n;
    plan.tail = n;
  } while (static_cast<std::size_t>(n) < lines.size() && lines[n].size() >= kShortestPlanLine);

  if (n > 1) {
    plan.tail = n - 1;
    for (std::int32_t i = 1; i < FlightPlan::kCapacity && !plan[i].ident.empty(); ++i)
      plan[i].legNm = LegNm(plan, i - 1, i);
  }
  return tooLong;
}

std::optional<PlanTextError> TypedTextAfterThePlan(std::span<const std::string> lines) {
  for (std::size_t n = 1; n < lines.size(); ++n) {
    const std::string& line = lines[n];
    if (line.size() >= kShortestPlanLine) continue;
    if (line.find_first_not_of(' ') == std::string::npos) return std::nullopt;
    return PlanTextError{static_cast<int>(n + 1), "'" + line +
                                                      "' is too short for a plan line (kind, ident, altitude, speed, "
                                                      "leg, info, latitude and longitude in more than 20 characters)"};
  }
  return std::nullopt;
}

}  // namespace corvane::plan
