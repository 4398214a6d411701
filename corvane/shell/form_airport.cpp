// The airport view's handlers: ARP Info, the two ">" buttons and their edits, BACK, its loop Timer3,
// and its clicks.

#include "corvane/airport/airport_view.h"
#include "corvane/airport/frame_collection.h"
#include "corvane/map/map_colours.h"
#include "corvane/map/map_frame.h"
#include "corvane/navdata/nav_search.h"
#include "form1.h"
#include "formats/field_cut.h"

namespace corvane::shell {
namespace {

// Where the window writes why the view did not open.
constexpr int kMessageX = 200;
constexpr int kMessageY = 100;
constexpr std::string_view kNoFlightPlan = "No Flightplan!";
// A destination ident shorter than this means there is no plan to show.
constexpr std::size_t kShortestPlanIdent = 3;

// The problems of a load that opened: the first with its place, and how many more.
std::string ProblemsStatus(const airport::AirportLoadResult& result) {
  if (result.problems.empty()) return {};
  std::string text = navdata::ProblemText(result.problems.front());
  if (result.problems.size() > 1) text += " (and " + std::to_string(result.problems.size() - 1) + " more)";
  return text;
}

}  // namespace

void TForm1::PlaceAirportPanels() {
  PanAPV.left = PB1.width - PanAPV.width;
  PanAPV.top = PB1.height - PanAPV.height;
  PanSTR.left = PanSID.left;
}

void TForm1::WriteOnWindow(std::string_view text) {
  map::Font font = IMG1.font;
  font.color = map::kRed;
  paintBoxCanvas().SetFont(font);
  paintBoxCanvas().TextOut(kMessageX, kMessageY, text);
}

void TForm1::OpenAirportView(const std::string& identText) {
  procedures.selected = 0;
  Timer3.SetEnabled(false);
  // The map stays stopped while the airport view is open.
  Timer1.SetEnabled(false);
  PlaceAirportPanels();
  PanAPV.visible = true;
  PanSID.visible = true;
  PanSTR.visible = true;

  // The airport whose ident is the typed text whole: "E" is no airport, and the plan's "BIKF " is BIKF.
  viewedAirport = navdata::UpperCaseQuery(formats::TrimBlanks(identText));
  const navdata::DatabaseSource source = rbFS.checked ? navdata::DatabaseSource::kFs : navdata::DatabaseSource::kXPlane;
  const airport::AirportLoadResult result =
      airport::LoadAirportLayout(layoutFiles_, workingFolder, source, viewedAirport, airportLayout);
  const std::optional<map::GeoPos> centre = airport::LayoutCentre(airportLayout);
  if (!result.loaded() || !centre) {
    const std::string failure = result.loaded() ? std::string(airport::kAirportNotFound) : result.failure;
    WriteOnWindow(failure);
    SB1.text = failure;
    return;
  }
  SB1.text = ProblemsStatus(result);
  airportCentre = *centre;
  view.centre = *centre;
  AirportViewZoom = airport::kAirportViewStartZoom;
  Timer3.SetEnabled(true);
}

void TForm1::btViewArClick() {
  plan.insertMode = false;
  OpenAirportView(edICAO.text);
}

void TForm1::btViewDpClick() {
  // Points added in the departure's view go in right after the departure.
  plan.insertMode = true;
  plan.insertIndex = 1;
  OpenAirportView(edDEP.text);
}

void TForm1::edICAOKeyUp(int key) {
  plan.insertMode = false;
  if (key == kKeyEnter) btViewArClick();
}

void TForm1::edDEPKeyUp(int key) {
  plan.insertMode = true;
  if (key == kKeyEnter) btViewDpClick();
}

void TForm1::btArpInfoClick() {
  PanFP.visible = false;
  Timer1.SetEnabled(false);
  plan.insertMode = false;
  PlaceAirportPanels();
  PanAPV.visible = true;
  PanSID.visible = true;
  PanSTR.visible = true;
  const std::int32_t listed = plan.ListedCount();
  const std::string destination = listed > 0 ? plan[listed - 1].ident : std::string();
  if (destination.size() < kShortestPlanIdent) {
    WriteOnWindow(kNoFlightPlan);
    SB1.text = kNoFlightPlan;
    return;
  }
  edICAO.text = destination;
  edDEP.text = plan[0].ident;
  OpenAirportView(edICAO.text);
}

void TForm1::btClArpClick() {
  Timer3.SetEnabled(false);
  PanAPV.visible = false;
  PanSID.visible = false;
  PanSTR.visible = false;
  Timer1.SetEnabled(true);
  plan.insertMode = false;
  procedures.selected = 0;
  // Back on the map, the map is back on the aircraft.
  view.followAircraft = true;
}

airport::AirportFrameInputs TForm1::CollectAirportFrameInputs() {
  airport::CollectNearBeacons(database->beacons, airportCentre, airportBeacons_);
  airport::CollectNearFixes(database->fixes, airportCentre, airportFixes_);
  airport::CollectProcedurePreview(procedures, airportPreview_);
  airport::AirportFrameInputs inputs;
  inputs.common = CollectFrameInputs();
  inputs.layout = &airportLayout;
  inputs.centre = airportCentre;
  inputs.zoomDeg = AirportViewZoom;
  inputs.ident = viewedAirport;
  inputs.beacons = airportBeacons_;
  inputs.fixes = airportFixes_;
  inputs.preview = &airportPreview_;
  return inputs;
}

void TForm1::Timer3Timer() {
  SizeStrips();
  PlaceAirportPanels();
  const airport::AirportFrameInputs inputs = CollectAirportFrameInputs();
  airport::DrawAirportFrame(imageCanvas(), inputs, PB1.width, PB1.height);
  map::PresentFrame(paintBoxCanvas(), imageCanvas(), PB1.width, PB1.height);
}

std::vector<plan::RadioLabel> TForm1::AirportViewRadioLabels() const {
  std::vector<plan::RadioLabel> labels;
  for (const airport::LayoutItem& item : airportLayout.items) {
    if (item.kind == airport::kLabelKind) labels.push_back({item.latitude, item.longitude, item.label});
  }
  return labels;
}

void TForm1::AirportViewMouseUp(map::MouseButton button, int x, int y) {
  const airport::AirportViewGeometry geometry =
      airport::MakeAirportViewGeometry(airportCentre, AirportViewZoom, PB1.width, PB1.height);
  const std::optional<map::GeoPos> clicked = airport::AirportViewToGeo(geometry, x, y);
  if (!clicked) return;
  const plan::ClickPosition position{static_cast<float>(clicked->latitude), static_cast<float>(clicked->longitude)};
  switch (button) {
    case map::MouseButton::kLeft:
      // The nearby lists follow the view, so that right clicks pick around the new centre.
      airportCentre = {position.lat, position.lon};
      view.centre = airportCentre;
      break;
    case map::MouseButton::kRight:
      if (autopilot.AutopilotMode == 0) {
        AddWaypointAt(position);
      } else {
        TuneRadioTo(position);
      }
      break;
    case map::MouseButton::kMiddle: DeleteCommand(plan::DeleteSource::kMiddleButton); break;
  }
}

}  // namespace corvane::shell
