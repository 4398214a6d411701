// Building the IvAp route and flight plan.
#include "corvane/exchange/ivap_flight_plan.h"

#include <algorithm>
#include <cctype>

#include "corvane/exchange/airway_legs.h"
#include "corvane/exchange/export_file.h"
#include "formats/field_cut.h"
#include "formats/text_lines.h"

namespace corvane::exchange {
namespace {

// An aerodrome field takes a four-letter location indicator only.
std::string AerodromeOf(const plan::Waypoint& entry) {
  const std::string_view ident = ExportIdent(entry);
  const bool fourLetters =
      entry.kind == plan::WaypointKind::kAirport && ident.size() == 4 &&
      std::all_of(ident.begin(), ident.end(), [](unsigned char c) { return std::isalnum(c) != 0; });
  return std::string(fourLetters ? ident : kNoAerodrome);
}

std::vector<std::string> RouteWords(const plan::FlightPlan& plan, std::int32_t last,
                                    const navdata::AirwaySegmentTable& airways) {
  std::vector<std::string> words;
  std::string airway;
  std::int32_t exit = 0;
  for (const RouteLeg& leg : RouteLegsOf(plan, last, airways)) {
    if (!airway.empty() && leg.airway == airway) {
      exit = leg.to;
      continue;
    }
    if (!airway.empty()) words.insert(words.end(), {airway, std::string(ExportIdent(plan[exit]))});
    airway = leg.airway;
    exit = leg.to;
    if (airway.empty()) words.insert(words.end(), {"DCT", std::string(ExportIdent(plan[leg.to]))});
  }
  if (!airway.empty()) words.insert(words.end(), {airway, std::string(ExportIdent(plan[exit]))});
  return words;
}

std::string Joined(std::span<const std::string> words) {
  std::string text;
  for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
  return text;
}

// "KEY" of a "KEY=value" line, blanks around it removed; empty for any other line.
std::string_view KeyOf(std::string_view line) {
  const std::size_t equals = line.find('=');
  return equals == std::string_view::npos ? std::string_view{} : formats::TrimBlanks(line.substr(0, equals));
}

}  // namespace

IvapLevel IvapLevelOf(const plan::FlightPlan& plan) {
  const std::int32_t count = plan.ListedCount();
  std::int32_t highestFt = count > 0 ? plan[0].altitude : 0;
  for (std::int32_t i = 1; i < count && plan[i].altitude > highestFt; ++i) highestFt = plan[i].altitude;
  const std::int32_t level = std::max(0, highestFt / 100);
  return {level < 181, level};
}

IvapFlight IvapFlightOf(const plan::FlightPlan& plan, const navdata::AirwaySegmentTable& airways) {
  const PlanEnds ends = PlanEndsOf(plan);
  IvapFlight flight;
  flight.departure = AerodromeOf(plan[0]);
  flight.destination = ends.destinationIsAirport ? AerodromeOf(plan[ends.destination]) : std::string(kNoAerodrome);
  flight.words = RouteWords(plan, ends.destination, airways);
  flight.level = IvapLevelOf(plan);
  flight.note = ends.note;
  return flight;
}

std::string BuildIvapRoute(const plan::FlightPlan& plan, const navdata::AirwaySegmentTable& airways) {
  const PlanEnds ends = PlanEndsOf(plan);
  std::string route = std::string(ExportIdent(plan[0])) + " ";
  for (const std::string& word : RouteWords(plan, ends.destination, airways)) route += word + " ";
  return route;
}

IvapFill FillIvapTemplate(std::span<const std::string> templateLines, const IvapFlight& flight) {
  const bool visual = flight.level.visual;
  // The route field leaves out the destination, which has a field of its own.
  std::span<const std::string> route(flight.words);
  if (!route.empty() && flight.destination != kNoAerodrome && route.back() == flight.destination) {
    route = route.first(route.size() - 1);
  }
  const std::string values[] = {
      visual ? "V" : "I",
      "1",
      flight.departure,
      visual ? "180" : "400",
      visual ? "V" : "F",
      visual ? std::string() : std::to_string(flight.level.level),
      Joined(route),
      flight.destination,
      flight.destination,
      flight.destination,
      "CORVANE CONTROLLED/FRIENDSHIP TEN FOUR",
      "3",
  };
  IvapFill fill;
  std::vector<bool> found(std::size(kIvapFilledKeys), false);
  for (const std::string& line : templateLines) {
    const std::string_view key = KeyOf(line);
    const auto* known = std::find(std::begin(kIvapFilledKeys), std::end(kIvapFilledKeys), key);
    if (key.empty() || known == std::end(kIvapFilledKeys)) {
      fill.lines.push_back(line);
      continue;
    }
    const auto index = static_cast<std::size_t>(known - std::begin(kIvapFilledKeys));
    found[index] = true;
    fill.lines.push_back(std::string(key) + "=" + values[index]);
  }
  for (std::size_t i = 0; i < found.size(); ++i) {
    if (!found[i]) fill.missingKeys.emplace_back(kIvapFilledKeys[i]);
  }
  return fill;
}

IvapOutcome WriteIvapFlightPlan(const plan::FlightPlan& plan, const navdata::AirwaySegmentTable& airways,
                                const std::filesystem::path& templatePath) {
  return WriteIvapFlightPlan(plan, airways, templatePath, templatePath);
}

IvapOutcome WriteIvapFlightPlan(const plan::FlightPlan& plan, const navdata::AirwaySegmentTable& airways,
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
  const IvapFlight flight = IvapFlightOf(plan, airways);
  IvapFill filled = FillIvapTemplate(templateLines, flight);
  if (!filled.missingKeys.empty()) {
    outcome.error = "IvAp flight plan not written: the template " + templatePath.string() + " lacks the key" +
                    (filled.missingKeys.size() > 1 ? "s " : " ") + Joined(filled.missingKeys);
    return outcome;
  }
  if (auto error = SaveExportLines(outputPath, filled.lines)) {
    outcome.error = "IvAp flight plan not written: " + *error;
    return outcome;
  }
  outcome.flightPlanLines = std::move(filled.lines);
  outcome.note = flight.note;
  return outcome;
}

}  // namespace corvane::exchange
