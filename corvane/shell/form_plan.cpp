// The flight plan's handlers: the plan panel, clicks on the map, the Delete key, plan files and search.
#include <algorithm>
#include <exception>
#include <vector>

#include "corvane/airport/airport_view_delete.h"
#include "corvane/exchange/plan_file_import.h"
#include "corvane/map/display_buttons.h"
#include "corvane/navdata/nav_search.h"
#include "corvane/plan/plan_display.h"
#include "corvane/plan/plan_files.h"
#include "corvane/plan/plan_listing.h"
#include "corvane/plan/plan_panel.h"
#include "form1.h"

namespace corvane::shell {
namespace {

// The nearby point list as the click actions see it, up to its end row.
std::vector<plan::PickCandidate> PickCandidates(const map::NearbyPointList& points) {
  std::vector<plan::PickCandidate> candidates;
  const std::size_t end = points.EndIndex();
  candidates.reserve(end);
  for (std::size_t i = 0; i < end; ++i) {
    const map::NearbyPoint& point = points[i];
    candidates.push_back({point.kind, point.latitude, point.longitude, point.ident, point.info1});
  }
  return candidates;
}

// Both plan file dialogs show the same filter and extension; only the title differs.
void PreparePlanFileDialog(FileDialog& dialog, std::string_view title) {
  dialog.filter = plan::kPlanFileFilter;
  dialog.defaultExt = plan::kPlanFileExtension;
  dialog.title = title;
}

}  // namespace

plan::PickContext TForm1::PlanPickContext(std::span<const plan::PickCandidate> candidates) const {
  return plan::PickContext{candidates, plan::ShownLayers{layers.airports, layers.vor, layers.ndb, layers.fixes},
                           view.rangeNm, Timer3.Enabled()};
}

void TForm1::SwitchLayersTo(const map::LayerToggles& wanted) {
  if (layers.airports != wanted.airports) bbARPClick();
  if (layers.vor != wanted.vor) bbVORClick();
  if (layers.ndb != wanted.ndb) bbNDBClick();
  if (layers.fixes != wanted.fixes) bbFIXClick();
  if (layers.rangeRings != wanted.rangeRings) bbRRClick();
  if (layers.labels != wanted.labels) bbINFClick();
  for (int clicks = 0; layers.geoMode != wanted.geoMode && clicks < 3; ++clicks) bbGEOClick();
  for (int clicks = 0; layers.airwayMode != wanted.airwayMode && clicks < 4; ++clicks) bbAWYClick();
}

// The plan panel.

void TForm1::btFPClick() {
  SB1.text.clear();
  CentreOnMap(PanFP);
  const bool hasPlan = plan.tail != 0;
  for (Button* button : {&btExp, &btIVAO, &btSV, &btCalcDesc, &btOK}) button->enabled = hasPlan;
  Memo1.lines = plan::ListPlan(plan);
}

void TForm1::btOKClick() {
  // The autosave goes to the save folder, never beside a loaded plan (a tracked file in a checkout, say).
  const plan::AcceptOutcome outcome =
      plan::AcceptPlanText(plan, Memo1.lines, planSaveFolder, {view.centre.latitude, view.centre.longitude});
  plan::KeepActiveWaypointInPlan(plan);
  if (outcome.parseError) {
    // The plan stays as it was; the panel stays open so the text can be mended.
    dialogs().ShowMessage(*outcome.parseError);
    return;
  }
  if (outcome.autosaveError) dialogs().ShowMessage(*outcome.autosaveError);
  if (outcome.recentreOn) view.centre = {outcome.recentreOn->lat, outcome.recentreOn->lon};
  PanFP.visible = false;
  if (outcome.resetDisplay) ResetDisplay();
}

void TForm1::btCancelClick() { PanFP.visible = false; }

void TForm1::btClrClick() {
  plan::ClearEntries(plan);
  plan::KeepActiveWaypointInPlan(plan);
  PanFP.visible = false;
  ResetDisplay();
}

void TForm1::btAPprClick() { plan::StepActiveWaypoint(plan, -1); }

void TForm1::btAPnxtClick() { plan::StepActiveWaypoint(plan, +1); }

// Deleting.

void TForm1::DeleteCommand(plan::DeleteSource source) {
  const plan::DeleteOutcome outcome = Timer3.Enabled()
                                          ? airport::DeleteCommandAirportView(plan)
                                          : plan::DeleteCommandMapView(plan, database->airwaySegments, source);
  plan::KeepActiveWaypointInPlan(plan);
  if (!outcome.status.empty()) SB1.text = outcome.status;
  if (outcome.resetDisplay) ResetDisplay();
}

// Clicks on the map.

void TForm1::PB1MouseUp(map::MouseButton button, int x, int y) {
  if (PanFP.visible) return;
  if (Timer3.Enabled()) {
    AirportViewMouseUp(button, x, y);
    return;
  }
  const map::MapClickAction action = map::MapClickActionFor(button, view.mode, autopilot.AutopilotMode != 0);
  if (action == map::MapClickAction::kNone) return;
  if (action == map::MapClickAction::kRecentre) {
    map::RecentreAt(view, x, y);
  } else {
    const std::optional<map::GeoPos> geo = map::ScreenToGeo(view, x, y);
    if (!geo) return;  // no map drawn yet, or a pole
    const plan::ClickPosition position{static_cast<float>(geo->latitude), static_cast<float>(geo->longitude)};
    switch (action) {
      case map::MapClickAction::kTuneRadio: TuneRadioTo(position); return;
      case map::MapClickAction::kAddWaypoint:
        if (!AddWaypointAt(position)) return;
        break;
      case map::MapClickAction::kDeleteWaypoint: DeleteCommand(plan::DeleteSource::kMiddleButton); break;
      case map::MapClickAction::kFlyDirectTo: FlyDirectTo(position); break;
      case map::MapClickAction::kHoldAt: HoldAt(position); break;
      default: break;
    }
  }
  if (map::ShowsCentreAfter(action)) SB1.text = map::CentreStatusText(view.centre);
}

bool TForm1::AddWaypointAt(plan::ClickPosition position) {
  const std::vector<plan::PickCandidate> candidates = PickCandidates(nearby->points);
  const plan::AddOutcome outcome = plan::AddWaypointAt(
      plan, PlanPickContext(candidates), position, edCrsAlt.text, edCrsSpd.text,
      [this](plan::FlightPlan& changed) { plan::UpdateAirwayNeighbours(changed, database->airwaySegments); });
  if (!outcome.status.empty()) SB1.text = outcome.status;
  if (outcome.errorMessage) {
    dialogs().ShowMessage(*outcome.errorMessage);
    return false;
  }
  if (outcome.arrivalSet) SwitchLayersTo(plan::LayersForEnRoutePicking(layers, plan[1].altitude));
  return !outcome.refused;
}

void TForm1::FlyDirectTo(plan::ClickPosition position) {
  const std::vector<plan::PickCandidate> candidates = PickCandidates(nearby->points);
  plan::SimLinkCommands commands(link());
  const plan::DirectToOutcome outcome = plan::FlyDirectTo(
      DirectTarget, PlanPickContext(candidates), position, view.centre.latitude, view.centre.longitude,
      aircraft.magneticVariationDeg,
      [this](const std::string& question) { return dialogs().Confirm(question, "Warning"); }, commands);
  if (!outcome.started) return;
  ApplyAutopilotPanel(autopilot::EnterDirect(autopilot, DirectTarget));
  directDistanceNm = outcome.distanceNm;
  SB1.text = outcome.status;
}

void TForm1::HoldAt(plan::ClickPosition position) {
  const std::vector<plan::PickCandidate> candidates = PickCandidates(nearby->points);
  const plan::HoldRequest request = plan::HoldAt(HoldFix, PlanPickContext(candidates), position, aircraft.apHeadingDeg);
  edHldTm.text = request.legTimeText;
  edHldHdg.text = request.inboundHeadingText;
  lbHold.caption = request.label;
  PanHLD.left = plan::HoldPanelLeft(PB1.width, PanHLD.width, PanAP.width);
  PanHLD.top = plan::kHoldPanelTop;
  PanHLD.visible = true;
}

void TForm1::TuneRadioTo(plan::ClickPosition position) {
  const std::vector<plan::PickCandidate> candidates = PickCandidates(nearby->points);
  plan::SimLinkCommands commands(link());
  // The runway labels of the airport last opened hold ILS frequencies too.
  const std::vector<plan::RadioLabel> labels = AirportViewRadioLabels();
  if (const auto status = plan::TuneRadioTo(PlanPickContext(candidates), position, labels, commands)) {
    SB1.text = *status;
  }
}

// Plan files.

void TForm1::btSVClick() {
  PreparePlanFileDialog(SaveDialog1, plan::kSavePlanTitle);
  const std::optional<std::string> chosen = dialogs().SaveFile(SaveDialog1);
  if (!chosen) return;
  const std::string fileName = plan::WithDefaultExtension(*chosen, SaveDialog1.defaultExt);
  SaveDialog1.initialDir = plan::FolderOfChosenFile(fileName);
  planSaveFolder = SaveDialog1.initialDir;
  try {
    plan::SavePlanFile(fileName, Memo1.lines);
  } catch (const std::exception& error) {
    dialogs().ShowMessage(error.what());
  }
}

void TForm1::btLDClick() {
  PreparePlanFileDialog(OpenDialog1, plan::kLoadPlanTitle);
  const std::optional<std::string> chosen = dialogs().OpenFile(OpenDialog1);
  if (!chosen) return;
  OpenDialog1.initialDir = plan::FolderOfChosenFile(*chosen);
  std::vector<std::string> lines;
  try {
    // PLN and FMS files of other planners come in as the listing of their plan.
    lines = exchange::PlanTextOfFile(*chosen, *database, edCrsSpd.text);
  } catch (const std::exception& error) {
    // The memo keeps its text when the file cannot be read.
    dialogs().ShowMessage(error.what());
    return;
  }
  Memo1.lines = std::move(lines);
  SaveDialog1.initialDir = OpenDialog1.initialDir;
  btOK.enabled = true;
  SwitchLayersTo(plan::LayersAfterLoad(layers));
}

// Search.

void TForm1::edSearchKeyDown(int key) {
  if (key != kKeyEnter) return;
  const std::string query = navdata::UpperCaseQuery(edSearch.text);
  if (query.size() <= 1) return;
  std::vector<std::string> lines =
      navdata::SearchNavDatabase(*database, query, view.centre.latitude, view.centre.longitude, searchResults);
  const navdata::ListPlacement placement = navdata::CentreListOnPaintBox(PB1.width, PB1.height, LB1.width, LB1.height);
  LB1.left = placement.left;
  LB1.top = placement.top;
  LB1.visible = true;
  LB1.lines = std::move(lines);
  LB1.itemIndex = -1;
}

void TForm1::LB1MouseUp() {
  if (LB1.itemIndex >= 0) {
    if (const auto position = navdata::SearchResultAt(searchResults, static_cast<std::size_t>(LB1.itemIndex))) {
      view.centre = {position->latitude, position->longitude};
    }
  }
  LB1.visible = false;
  navdata::ResetSearchResults(searchResults);
}

}  // namespace corvane::shell
