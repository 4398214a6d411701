// The plan panel's exchange buttons: a route string in, PLN or FMS out, the IvAp flight plan, KML paths in.
#include "corvane/exchange/export_file.h"
#include "corvane/exchange/ivap_flight_plan.h"
#include "corvane/exchange/kml_route.h"
#include "corvane/plan/plan_files.h"
#include "corvane/plan/plan_listing.h"
#include "corvane/plan/route_import.h"
#include "form1.h"

namespace corvane::shell {
namespace {

// A path from a KML file stands alone on the map: the point layers and the airways go off.
map::LayerToggles LayersAfterKmlImport(map::LayerToggles layers) {
  layers.airports = false;
  layers.ndb = false;
  layers.fixes = false;
  layers.vor = false;
  layers.airwayMode = 0;
  return layers;
}

// Writes the IvAp file and shows its route and text; returns what went wrong, or the note of a plan
// that does not end at its destination.
std::optional<std::string> WriteIvapFile(TForm1& form) {
  exchange::IvapOutcome outcome =
      exchange::WriteIvapFlightPlan(form.plan, form.database->airwaySegments, plan::UserFilePath(form.edIvapFP.text));
  form.Memo1.lines.insert(form.Memo1.lines.end(), outcome.routeMemoLines.begin(), outcome.routeMemoLines.end());
  form.Memo2.lines = std::move(outcome.flightPlanLines);
  return outcome.error ? outcome.error : outcome.note;
}

}  // namespace

void TForm1::btImpClick() {
  btOK.enabled = false;
  const std::string typed = dialogs().InputBox(plan::kRouteImportTitle, plan::kRouteImportPrompt, plan::kDefaultRoute);
  plan::RouteImportOutcome outcome = plan::ImportRoute(plan, *database, typed, edCrsAlt.text, edCrsSpd.text);
  plan::KeepActiveWaypointInPlan(plan);
  if (outcome.errorMessage) {
    dialogs().ShowMessage(*outcome.errorMessage);
    return;
  }
  Memo1.lines = std::move(outcome.memoLines);
  if (outcome.departure) edDEP.text = *outcome.departure;
  if (outcome.arrival) edICAO.text = *outcome.arrival;
  if (outcome.routeSet) {
    // Reopened with the listing, which is parsed, autosaved and taken as if the user pressed FP and OK.
    btCancelClick();
    btFPClick();
    btOKClick();
  }
  // After the panel's FP, which clears the status line, so the user reads that the route is set.
  if (outcome.status) SB1.text = *outcome.status;
  if (outcome.messageTitle) dialogs().ShowMessage(plan::kCannotFinishRouteText, *outcome.messageTitle);
}

void TForm1::btExpClick() {
  const exchange::ExportFormat format = exchange::ExportFormatFor(rbFS.checked);
  Memo1.lines = exchange::ExportLines(plan, format, database->airwaySegments);
  const exchange::ExportFileKind kind = exchange::FileKindOf(format);
  SaveDialog3.filter = kind.filter;
  SaveDialog3.defaultExt = kind.defaultExtension;
  if (const std::optional<std::string> chosen = dialogs().SaveFile(SaveDialog3)) {
    const std::string fileName = plan::WithDefaultExtension(*chosen, SaveDialog3.defaultExt);
    SaveDialog3.initialDir = plan::FolderOfChosenFile(fileName);
    if (const auto error = exchange::SaveExportLines(fileName, Memo1.lines)) dialogs().ShowMessage(*error);
  }
  // Saved or not, the panel shows the plan again and the IvAp file follows it. Most users fly without
  // IvAp, so a missing template is told on the status line, not in a dialog on every export.
  Memo1.lines = plan::ListPlan(plan);
  const std::optional<std::string> ivapProblem = WriteIvapFile(*this);
  if (ivapProblem) SB1.text = *ivapProblem;
}

void TForm1::btIVAOClick() {
  if (const std::optional<std::string> problem = WriteIvapFile(*this)) dialogs().ShowMessage(*problem);
}

void TForm1::btKMLClick() {
  OpenDialog3.filter = exchange::kKmlFileFilter;
  const std::optional<std::string> chosen = dialogs().OpenFile(OpenDialog3);
  if (!chosen) return;
  OpenDialog3.initialDir = plan::FolderOfChosenFile(*chosen);
  exchange::KmlImport imported = exchange::ImportKmlFile(*chosen, database->airports);
  if (imported.error) {
    // The memo keeps what it had.
    dialogs().ShowMessage(*imported.error);
    return;
  }
  Memo1.lines = std::move(imported.planLines);
  btOK.enabled = true;
  SwitchLayersTo(LayersAfterKmlImport(layers));
}

}  // namespace corvane::shell
