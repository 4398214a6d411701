// Building the IvAp route and flight plan.
#include "corvane/exchange/ivap_flight_plan.h"

#include "corvane/exchange/export_file.h"
#include "formats/text_lines.h"

namespace corvane::exchange {
namespace {

using navdata::AirwaySegmentRow;
using navdata::AirwaySegmentTable;

// The plan ends at the first entry without an ident (and at its capacity).
std::string_view IdentAt(const plan::FlightPlan& plan, std::int32_t index) {
  return index < plan::FlightPlan::kCapacity ? std::string_view(plan[index].ident) : std::string_view{};
}

bool Joins(const AirwaySegmentRow& segment, std::string_view a, std::string_view b) {
  return (segment.fromIdent.starts_with(a) && segment.toIdent.starts_with(b)) ||
         (segment.fromIdent.starts_with(b) && segment.toIdent.starts_with(a));
}

// The first segment joining a and b whose airway name starts with `airway` (any airway when empty).
const AirwaySegmentRow* FindJoining(const AirwaySegmentTable& airways, std::string_view airway, std::string_view a,
                                    std::string_view b) {
  for (std::size_t i = 0; !airways[i].fromIdent.empty(); ++i) {
    if (airways[i].airwayName.starts_with(airway) && Joins(airways[i], a, b)) return &airways[i];
  }
  return nullptr;
}

// Characters `count` from the 1-based position `first`, as much of them as the text has.
std::string Cut(std::string_view text, long long first, long long count) {
  if (first < 1) first = 1;
  if (count <= 0 || first > static_cast<long long>(text.size())) return {};
  return std::string(text.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(count)));
}

}  // namespace

std::string BuildIvapRoute(const plan::FlightPlan& plan, const AirwaySegmentTable& airways) {
  std::string route = std::string(IdentAt(plan, 0)) + " ";
  std::string airway;
  std::int32_t i = 0;
  do {
    while (IdentAt(plan, i) == kProfileMarkerIdent) ++i;
    const std::string a = std::string(IdentAt(plan, i)) + " ";
    while (IdentAt(plan, i + 1) == kProfileMarkerIdent) ++i;
    const std::string b = std::string(IdentAt(plan, i + 1)) + " ";
    if (!airway.empty() && FindJoining(airways, airway, a, b) != nullptr) {
      // The leg goes on along the same airway.
    } else if (const AirwaySegmentRow* segment = FindJoining(airways, {}, a, b)) {
      if (!airway.empty()) route += airway + a;
      airway = segment->airwayName;
    } else if (airway.empty()) {
      route += "DCT " + b;
    } else {
      route += airway + a + "DCT " + b;
      airway.clear();
    }
    ++i;
  } while (!IdentAt(plan, i + 1).empty());
  return route;
}

IvapLevel IvapLevelOf(const plan::FlightPlan& plan) {
  std::int32_t highestFt = 0;
  for (std::int32_t i = 0; i < plan::FlightPlan::kCapacity && plan[i].altitude > highestFt; ++i) {
    highestFt = plan[i].altitude;
  }
  const std::int32_t level = highestFt / 100;
  return {level < 181, level};
}

std::optional<std::vector<std::string>> FillIvapTemplate(std::span<const std::string> templateLines,
                                                         std::string_view route, IvapLevel level) {
  if (templateLines.size() < kIvapTemplateLines) return std::nullopt;
  const auto length = static_cast<long long>(route.size());
  const std::string destination = Cut(route, length - 4, 4);
  const bool visual = level.visual;
  return std::vector<std::string>{
      templateLines[0],
      templateLines[1],
      visual ? "RULES=V" : "RULES=I",
      templateLines[3],
      "NUMBER=1",
      templateLines[5],
      templateLines[6],
      templateLines[7],
      templateLines[8],
      "DEPICAO=" + Cut(route, 1, 4),
      templateLines[10],
      templateLines[11],
      visual ? "SPEED=180" : "SPEED=400",
      visual ? "LEVELTYPE=V" : "LEVELTYPE=F",
      visual ? std::string("LEVEL=") : "LEVEL=" + std::to_string(level.level),
      // Without the departure in front and the destination word at the end.
      "ROUTE=" + Cut(route, 5, length - 10),
      "DESTICAO=" + destination,
      templateLines[17],
      "ALTICAO=" + destination,
      "ALTICAO2=" + destination,
      "OTHER=CORVANE CONTROLLED/FRIENDSHIP TEN FOUR",
      templateLines[21],
      "POB=3",
      templateLines[23],
  };
}

IvapOutcome WriteIvapFlightPlan(const plan::FlightPlan& plan, const AirwaySegmentTable& airways,
                                const std::filesystem::path& templatePath) {
  return WriteIvapFlightPlan(plan, airways, templatePath, templatePath);
}

IvapOutcome WriteIvapFlightPlan(const plan::FlightPlan& plan, const AirwaySegmentTable& airways,
                                const std::filesystem::path& templatePath, const std::filesystem::path& outputPath) {
  IvapOutcome outcome;
  outcome.route = BuildIvapRoute(plan, airways);
  outcome.routeMemoLines = {"", "", "IvAp Route:", outcome.route};
  std::vector<std::string> templateLines;
  try {
    templateLines = formats::ReadTextLines(templatePath);
  } catch (const formats::TextFileError& error) {
    outcome.error = "IvAp flight plan not written: " + std::string(error.what());
    return outcome;
  }
  std::optional<std::vector<std::string>> filled = FillIvapTemplate(templateLines, outcome.route, IvapLevelOf(plan));
  if (!filled) {
    outcome.error = "IvAp flight plan not written: the template " + templatePath.string() + " has " +
                    std::to_string(templateLines.size()) + " lines, " + std::to_string(kIvapTemplateLines) +
                    " are needed";
    return outcome;
  }
  if (auto error = SaveExportLines(outputPath, *filled)) {
    outcome.error = "IvAp flight plan not written: " + *error;
    return outcome;
  }
  outcome.flightPlanLines = std::move(*filled);
  return outcome;
}

}  // namespace corvane::exchange
