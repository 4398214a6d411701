// "corvane --render": the options, and one frame from the data folder with the nearby lists fully built.
#include "map_render.h"

#include <charconv>
#include <memory>

#include "corvane/airport/airport_frame.h"
#include "corvane/airport/airport_view.h"
#include "corvane/airport/frame_collection.h"
#include "corvane/map/map_frame.h"
#include "corvane/map/nearby_refresh.h"
#include "corvane/navdata/data_file_name.h"
#include "corvane/navdata/nav_database_load.h"
#include "corvane/navdata/nav_search.h"
#include "corvane/plan/flight_plan.h"
#include "corvane/plan/plan_files.h"
#include "corvane/plan/plan_listing.h"
#include "corvane/plan/procedures.h"

namespace corvane::shell {
namespace {

// The airport view's zoom limits, and its zoom after a SID or STAR is loaded.
constexpr float kMinRenderZoomDeg = 0.0001f;
constexpr float kMaxRenderZoomDeg = 2.0f;
constexpr float kProcedureZoomDeg = 1.5f;

template <typename Number>
bool ParseNumber(std::string_view text, Number& value) {
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && result.ec == std::errc() && result.ptr == text.data() + text.size();
}

bool ParsePair(std::string_view text, char separator, std::string_view& first, std::string_view& second) {
  const std::size_t at = text.find(separator);
  if (at == std::string_view::npos) return false;
  first = text.substr(0, at);
  second = text.substr(at + 1);
  return true;
}

// The names are the captions of the display buttons; GEO2, AWH/AWB/AWL and TCS2 pick a later state.
bool ApplyLayer(std::string_view name, map::LayerToggles& layers) {
  if (name == "ARP")
    layers.airports = true;
  else if (name == "VOR")
    layers.vor = true;
  else if (name == "NDB")
    layers.ndb = true;
  else if (name == "FIX")
    layers.fixes = true;
  else if (name == "INF")
    layers.labels = true;
  else if (name == "RR")
    layers.rangeRings = true;
  else if (name == "GEO")
    layers.geoMode = 1;
  else if (name == "GEO2")
    layers.geoMode = 2;
  else if (name == "AWH")
    layers.airwayMode = 1;
  else if (name == "AWB")
    layers.airwayMode = 2;
  else if (name == "AWL")
    layers.airwayMode = 3;
  else if (name == "TCS")
    layers.trafficMode = 1;
  else if (name == "TCS2")
    layers.trafficMode = 2;
  else
    return false;
  return true;
}

// A list names every layer that is on; the others are off (the own-aircraft symbol stays shown).
bool ParseLayers(std::string_view list, map::LayerToggles& layers) {
  layers = map::LayerToggles{};
  layers.airports = layers.vor = layers.ndb = layers.fixes = layers.labels = layers.rangeRings = false;
  layers.geoMode = layers.airwayMode = layers.trafficMode = 0;
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    if (!ApplyLayer(list.substr(0, comma), layers)) return false;
    list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
  }
  return true;
}

bool ParseMode(std::string_view text, map::MapMode& mode) {
  if (text == "arc")
    mode = map::MapMode::kArc;
  else if (text == "rose")
    mode = map::MapMode::kRose;
  else if (text == "map")
    mode = map::MapMode::kMap;
  else
    return false;
  return true;
}

bool ParseOption(std::string_view option, std::string_view value, RenderRequest& request, bool& known) {
  known = true;
  std::string_view first, second;
  if (option == "--data") {
    request.dataFolder = std::filesystem::path(value);
    return !value.empty();
  }
  if (option == "--center") {
    return ParsePair(value, ',', first, second) && ParseNumber(first, request.centre.latitude) &&
           ParseNumber(second, request.centre.longitude) && request.centre.latitude > -90 &&
           request.centre.latitude < 90 && request.centre.longitude >= -180 && request.centre.longitude <= 180;
  }
  if (option == "--range") {
    return ParseNumber(value, request.rangeNm) && request.rangeNm >= map::kMinRangeNm &&
           request.rangeNm <= map::kMaxRangeNm;
  }
  if (option == "--mode") return ParseMode(value, request.mode);
  if (option == "--heading") {
    return ParseNumber(value, request.headingDegTrue) && request.headingDegTrue >= 0 && request.headingDegTrue <= 360;
  }
  if (option == "--layers") return ParseLayers(value, request.layers);
  if (option == "--plan") {
    request.planFile = std::filesystem::path(value);
    return !value.empty();
  }
  if (option == "--airport") {
    request.airport = value;
    return !value.empty();
  }
  if (option == "--sid" || option == "--star") {
    if (!request.procedureFile.empty()) return false;  // one procedure at a time
    request.procedureFile = option == "--sid" ? plan::kSidFileName : plan::kStarFileName;
    request.procedureName = value;
    return !value.empty();
  }
  if (option == "--zoom") {
    float zoom = 0;
    if (!ParseNumber(value, zoom) || !(zoom >= kMinRenderZoomDeg && zoom <= kMaxRenderZoomDeg)) return false;
    request.zoomDeg = zoom;
    return true;
  }
  if (option == "--size") {
    return ParsePair(value, 'x', first, second) && ParseNumber(first, request.widthPx) &&
           ParseNumber(second, request.heightPx) && request.widthPx >= 16 && request.heightPx >= 16 &&
           request.widthPx <= kMaxRenderWidthPx && request.heightPx <= kMaxRenderHeightPx;
  }
  known = false;
  return false;
}

navdata::DatabaseSource SourceOf(const std::filesystem::path& folder) {
  return navdata::FindFileIgnoringCase(folder, "NAVapt.dat") ? navdata::DatabaseSource::kXPlane
                                                             : navdata::DatabaseSource::kFs;
}

// The plan's waypoints as the frame draws them; the problem when the file did not read.
std::optional<std::string> ReadRoute(const std::filesystem::path& planFile, std::vector<map::RouteWaypoint>& route) {
  auto plan = std::make_unique<plan::FlightPlan>();
  std::optional<std::string> problem;
  try {
    const std::vector<std::string> lines = plan::LoadPlanFile(planFile);
    if (const auto error = plan::ParsePlanText(lines, *plan)) problem = planFile.string() + ": " + error->Message();
  } catch (const std::exception& error) {
    problem = error.what();
  }
  for (const plan::Waypoint& entry : plan->entries) {
    if (entry.IsEndMarker()) break;
    route.push_back({entry.lat, entry.lon, entry.ident, entry.info});
  }
  return problem;
}

// The airport view of the request, with the route and the selected procedure; problems are added.
void DrawAirportView(const RenderRequest& request, const navdata::NavDatabase& database,
                     std::span<const map::RouteWaypoint> route, map::Canvas& canvas,
                     std::vector<std::string>& problems) {
  const std::string ident = navdata::UpperCaseQuery(request.airport);
  auto layout = std::make_unique<airport::AirportLayout>();
  airport::LayoutFileCache files;
  const airport::AirportLoadResult result =
      airport::LoadAirportLayout(files, request.dataFolder, SourceOf(request.dataFolder), ident, *layout);
  for (const auto& problem : result.problems) problems.push_back(navdata::ProblemText(problem));
  const std::optional<map::GeoPos> centre = airport::LayoutCentre(*layout);
  if (!result.loaded() || !centre) problems.push_back(ident + ": " + (result.loaded() ? "no layout" : result.failure));

  airport::ProcedurePreview preview;
  if (!request.procedureFile.empty()) {
    plan::ProcedureTable table;
    const plan::ProcedureLoadResult loaded =
        plan::LoadProcedures(request.dataFolder, request.procedureFile, ident, table);
    for (const auto& problem : loaded.problems) problems.push_back(navdata::ProblemText(problem));
    table.selected = 0;
    const std::string wanted = navdata::UpperCaseQuery(request.procedureName);
    for (std::int32_t i = 1; i < table.endIndex() && table.selected == 0; ++i) {
      if (table.entries[static_cast<std::size_t>(i)].procName == wanted) table.selected = i;
    }
    if (table.selected == 0 && loaded.outcome == plan::ProcedureLoadOutcome::kLoaded) {
      problems.push_back(std::string(request.procedureFile) + ": no procedure " + wanted + " for " + ident);
    }
    airport::CollectProcedurePreview(table, preview);
  }

  airport::AirportFrameInputs inputs;
  std::vector<airport::NearBeacon> beacons;
  std::vector<airport::NearFix> fixes;
  inputs.centre = centre.value_or(request.centre);
  airport::CollectNearBeacons(database.beacons, inputs.centre, beacons);
  airport::CollectNearFixes(database.fixes, inputs.centre, fixes);
  inputs.common.toggles = request.layers;
  inputs.common.route = route;
  inputs.common.windowWidth = request.widthPx;
  inputs.common.windowHeight = request.heightPx;
  inputs.layout = layout.get();
  inputs.zoomDeg =
      request.zoomDeg.value_or(request.procedureFile.empty() ? airport::kAirportViewStartZoom : kProcedureZoomDeg);
  inputs.ident = ident;
  inputs.beacons = beacons;
  inputs.fixes = fixes;
  inputs.preview = &preview;
  airport::DrawAirportFrame(canvas, inputs, request.widthPx, request.heightPx);
}

}  // namespace

RenderParse ParseRenderArguments(std::span<const std::string> arguments) {
  RenderParse parse;
  if (arguments.empty() || arguments[0].starts_with("--")) {
    parse.error = "--render needs the output file";
    return parse;
  }
  RenderRequest request;
  request.outputPath = arguments[0];
  for (std::size_t i = 1; i < arguments.size(); i += 2) {
    const std::string& option = arguments[i];
    if (i + 1 >= arguments.size()) {
      parse.error = option + " needs a value";
      return parse;
    }
    const std::string& value = arguments[i + 1];
    bool known = true;
    if (!ParseOption(option, value, request, known)) {
      parse.error = known ? "bad value '" + value + "' for " + option : "unknown option " + option;
      return parse;
    }
  }
  parse.request = std::move(request);
  return parse;
}

std::vector<std::string> RenderMapFrame(const RenderRequest& request, map::Canvas& canvas) {
  std::vector<std::string> problems;
  auto database = std::make_unique<navdata::NavDatabase>();
  const navdata::LoadReport report =
      navdata::LoadNavDatabase(*database, request.dataFolder, SourceOf(request.dataFolder));
  for (const auto& problem : report.problems) problems.push_back(navdata::ProblemText(problem));

  // Every block of one full refresh cycle, so the frame sees complete lists.
  auto lists = std::make_unique<map::NearbyLists>();
  map::NearbyRefreshState refresh;
  while (!map::NearbyRefreshTick(refresh, *database, request.centre, {}, *lists).cycleEnded) {
  }

  std::vector<map::RouteWaypoint> route;
  if (!request.planFile.empty()) {
    if (auto problem = ReadRoute(request.planFile, route)) problems.push_back(std::move(*problem));
  }
  if (!request.airport.empty()) {
    DrawAirportView(request, *database, route, canvas, problems);
    return problems;
  }

  map::FrameInputs inputs;
  inputs.nearby = lists.get();
  inputs.toggles = request.layers;
  inputs.route = route;
  inputs.aircraft.latitude = request.centre.latitude;
  inputs.aircraft.longitude = request.centre.longitude;
  inputs.aircraft.headingDegTrue = request.headingDegTrue;
  // The autopilot holds the heading flown, so its selected-heading line lies under the drift line.
  inputs.aircraft.apHeadingDeg = map::TruncToInt(request.headingDegTrue + 0.5f) % 360;
  inputs.windowWidth = request.widthPx;
  inputs.windowHeight = request.heightPx;
  map::MapView view;
  view.centre = request.centre;
  view.rangeNm = request.rangeNm;
  view.mode = request.mode;
  map::DrawMapFrame(canvas, view, inputs, request.widthPx, request.heightPx);
  return problems;
}

}  // namespace corvane::shell
