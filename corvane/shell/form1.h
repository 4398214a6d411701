// TForm1: the main window as a headless model: every control's state, the shell's members and handlers.
#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "control_registry.h"
#include "controls.h"
#include "corvane/airport/airport_frame.h"
#include "corvane/airport/airport_layout.h"
#include "corvane/autopilot/autopilot_buttons.h"
#include "corvane/autopilot/autopilot_state.h"
#include "corvane/map/canvas.h"
#include "corvane/map/frame_inputs.h"
#include "corvane/map/layer_toggles.h"
#include "corvane/map/map_click.h"
#include "corvane/map/map_colours.h"
#include "corvane/map/map_view.h"
#include "corvane/map/nearby_lists.h"
#include "corvane/map/nearby_refresh.h"
#include "corvane/navdata/load_report.h"
#include "corvane/navdata/nav_search.h"
#include "corvane/navdata/nav_tables.h"
#include "corvane/plan/click_actions.h"
#include "corvane/plan/delete_command.h"
#include "corvane/plan/flight_plan.h"
#include "corvane/plan/procedures.h"
#include "corvane/simlink/aircraft_state.h"
#include "corvane/simlink/ipc_transport.h"
#include "corvane/simlink/sim_link.h"
#include "dialogs.h"
#include "panel_airport_view.h"
#include "panel_ap_settings.h"
#include "panel_autopilot.h"
#include "panel_config.h"
#include "panel_display.h"
#include "panel_flight_plan.h"
#include "panel_hold.h"
#include "panel_position.h"
#include "panel_timers.h"
#include "timer_set.h"

namespace corvane::shell {

struct FormOptions {
  std::filesystem::path settingsPath;          // the settings file, normally the program's path with ".INI"
  std::filesystem::path dataFolder;            // empty: the current folder
  simlink::IpcTransport* transport = nullptr;  // how the simulator is reached; must outlive the form
  simlink::SimLink::SleepFunction sleep;       // the link's pauses; empty: real sleeping
};

class TForm1 : public DisplayPanelControls,
               public AutopilotPanelControls,
               public FlightPlanPanelControls,
               public ConfigPanelControls,
               public TimerPanelControls,
               public ApSettingsPanelControls,
               public HoldPanelControls,
               public PositionPanelControls,
               public AirportViewPanelControls {
 public:
  // Construction steps 1 to 9: tables, decimal point, working folder, settings, colours, start values,
  // strips, layer buttons, caption. imageCanvas is the drawing surface of IMG1, paintBoxCanvas the
  // visible map PB1.
  TForm1(FormOptions options, Dialogs& dialogs, map::Canvas& imageCanvas, map::Canvas& paintBoxCanvas);
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // The window's own controls.
  PaintBox PB1;
  Image IMG1;
  StatusBar SB1;
  ListBox LB1;
  FileDialog OpenDialog1, OpenDialog2, OpenDialog3, SaveDialog1, SaveDialog2, SaveDialog3;
  Timer Timer1{200}, Timer2{500}, Timer3{200}, Timer4{100}, Timer5{500};
  // Timer1 ... Timer5, numbered as TimerTick numbers them.
  std::array<Timer*, 5> Timers() { return {&Timer1, &Timer2, &Timer3, &Timer4, &Timer5}; }

  // The window itself.
  std::string Caption;
  int formLeft = 100, formTop = 100, formWidth = 800, formHeight = 600;

  // Shell members.
  std::string captionBase;
  std::filesystem::path workingFolder;
  bool connected = false;
  // The simulator stopped answering: the last values stay, greyed, and Timer5 reopens the link meanwhile.
  bool linkLost = false;
  // The autopilot was engaged when the link was lost: it writes nothing until Ln resumes it.
  bool autopilotHeld = false;
  map::LayerToggles layers;
  map::MapView view;
  autopilot::AutopilotState autopilot;  // the mode, the last steering values and the hold
  plan::FlightPlan plan;                // with its tail, insert state and ActiveWaypointIndex
  // The plans' save folder of the settings: where SAVE last wrote, and where the autosave goes. The
  // save dialog starts there, and after LOAD proposes the folder of the loaded plan instead.
  std::string planSaveFolder;
  std::unique_ptr<navdata::NavDatabase> database = std::make_unique<navdata::NavDatabase>();
  navdata::SearchResultTable searchResults;  // row k belongs to line k of LB1
  plan::DirectTarget DirectTarget;           // where fly-direct steers to
  plan::DirectTarget HoldFix;                // the fix "Holding at" chose, flown when PanHLD's OK is pressed
  std::int32_t directDistanceNm = 0;         // from the map centre when fly-direct started
  navdata::LoadReport loadReport;            // of the last database load
  simlink::AircraftState aircraft;
  simlink::TrafficList traffic;
  // The rows near the map centre that the frame draws, and the refresh that rebuilds them.
  std::unique_ptr<map::NearbyLists> nearby = std::make_unique<map::NearbyLists>();
  map::NearbyRefreshState refresh;
  // The SIDs or STARs last loaded by btSID or btSTR; the airport view previews the selected one.
  plan::ProcedureTable procedures;
  // The airport view: the layout it shows, where it looks (set by a load and by a left click), its zoom,
  // and the ident as typed, upper-cased.
  airport::AirportLayout airportLayout;
  map::GeoPos airportCentre;
  float AirportViewZoom = 1.0f;
  std::string viewedAirport;

  const ControlRegistry& Controls() const { return registry_; }
  Dialogs& dialogs() { return dialogs_; }
  map::Canvas& imageCanvas() { return imageCanvas_; }
  map::Canvas& paintBoxCanvas() { return paintBoxCanvas_; }
  const FormOptions& options() const { return options_; }
  simlink::SimLink& link() { return *link_; }
  const simlink::SimLink& link() const { return *link_; }

  // The map paint box took a new size (the window was shown or resized): the strips follow it.
  void SetPaintBoxSize(int width, int height);

  // Window events.
  void FormCreate();
  void FormClose();
  void FormDestroy();

  // The loops.
  void Timer1Timer();  // the map frame (form_map_timers.cpp)
  void Timer2Timer();  // the nearby-data refresh
  void Timer4Timer();  // the autopilot (form_autopilot.cpp)
  void Timer5Timer();
  // Runs the handler of Timer1 ... Timer5 (index 0 ... 4) where one is built.
  void TimerTick(int timerIndex);

  // Buttons of the shell.
  void btCenterClick();
  void btResetClick();
  void btPositionClick();
  void btSetPositionClick();
  void btHideClick();
  void btCfgTmrClick();
  void btTmrOKClick();
  void btAPSetClick();
  void btAPset2Click();
  void btApSetOKClick();
  void btColorClick();
  void btColOKClick();
  void btSetPosCloseClick();
  void edClimbKeyUp(int key);
  void edDescKeyUp(int key);

  // Left = PB1 width / 2 - panel width / 2, top likewise (integer halves); then the panel is shown.
  void CentreOnMap(Panel& panel) const;

  // The moving map's display panel, colours and zoom (form_map.cpp).
  void bbARPClick();
  void bbVORClick();
  void bbNDBClick();
  void bbFIXClick();
  void bbINFClick();
  void bbRRClick();
  void bbTCASClick();
  void bbGEOClick();
  void bbAWYClick();
  void bbMAPClick();
  void btTextPClick();
  void btTextMClick();
  // A right click on a colour swatch; shText opens the font dialog instead.
  void ShapeContextPopup(Shape& shape);
  void shTextContextPopup();
  // Presses MAP until the map shows the wanted mode, so the button shows it too.
  void SwitchMapModeTo(map::MapMode mode);
  // The display reset of a cleared or confirmed plan: the layer buttons restyled to match.
  void ResetDisplay();
  void FormMouseWheel(int wheelDelta);
  void FormKeyDown(int virtualKey);
  // The colours of the swatches as the map reads them.
  map::MapColours MapColours() const;

  // The flight plan's panel, map clicks, plan files and search (form_plan.cpp).
  void btFPClick();
  void btOKClick();
  void btCancelClick();
  void btClrClick();
  void btAPprClick();
  void btAPnxtClick();
  void btSVClick();
  void btLDClick();
  // The Delete key and the middle mouse button of the map view.
  void DeleteCommand(plan::DeleteSource source);
  void PB1MouseUp(map::MouseButton button, int x, int y);
  // The map-click actions; AddWaypointAt returns false when its own message must stay on the status line.
  bool AddWaypointAt(plan::ClickPosition position);
  void FlyDirectTo(plan::ClickPosition position);
  void HoldAt(plan::ClickPosition position);
  void TuneRadioTo(plan::ClickPosition position);
  void edSearchKeyDown(int key);
  void LB1MouseUp();

  // Plans in and out: route import, PLN or FMS export, the IvAp flight plan, KML paths (form_exchange.cpp).
  void btImpClick();
  void btExpClick();
  void btIVAOClick();
  void btKMLClick();

  // The autopilot's buttons, the hold panel and the descent profile (form_autopilot.cpp).
  void bbLNAVClick();
  void bbVNAVClick();
  void bbSPDClick();
  void btHldOKClick();
  void btHldClClick();
  void btCalcDescClick();

  // The airport view's procedure buttons (form_procedures.cpp).
  void btSIDClick();
  void btSTRClick();
  void btSdPrClick();
  void btSdNtClick();
  void btSdEtClick();

  // The airport view: its panel's buttons and edits, its loop and the layout it shows (form_airport.cpp).
  void btArpInfoClick();
  void btViewArClick();
  void btViewDpClick();
  void btClArpClick();
  void edICAOKeyUp(int key);
  void edDEPKeyUp(int key);
  void Timer3Timer();

 private:
  void BuildLayout();
  void ColourPanels();
  void StyleLayerButtons();
  void SizeStrips();
  // Open panels and the search list are moved back inside the paint box.
  void KeepOpenPanelsInside();
  void ClampGradient(Edit& edit, int key);
  void ShowTimerIntervals();
  void RunStartSequence();
  void LoadDatabase();
  bool OpenLink();
  map::FrameInputs CollectFrameInputs();
  // CP bold and blue while the map does not follow the aircraft.
  void ShowWhetherTheMapFollows();
  // A localizer of the nearby lists whose course does not read is named on the status line, once.
  void ReportUnreadLocalizers();
  plan::PickContext PlanPickContext(std::span<const plan::PickCandidate> candidates) const;
  // Moves the layer switches to the wanted state through their buttons, so each button shows it.
  void SwitchLayersTo(const map::LayerToggles& wanted);
  // Restyles and enables the mode buttons as an autopilot transition says, and starts or stops Timer4.
  void ApplyAutopilotPanel(const autopilot::PanelUpdate& update);
  // The simulator going and coming back (form_link_loss.cpp).
  // The batch that failed meant the simulator is gone (it was connected); true while it is lost.
  bool LinkLost();
  void LinkBack();
  bool RetryLostLink();
  bool AutopilotPaused() const { return linkLost || autopilotHeld; }
  // Ln on a held autopilot: resumes it once the link is back; false when nothing was held.
  bool ResumeHeldAutopilot();
  // The airport view's helpers (form_airport.cpp).
  void OpenAirportView(const std::string& identText);
  void PlaceAirportPanels();
  void WriteOnWindow(std::string_view text);
  void AirportViewMouseUp(map::MouseButton button, int x, int y);
  std::vector<plan::RadioLabel> AirportViewRadioLabels() const;
  airport::AirportFrameInputs CollectAirportFrameInputs();

  FormOptions options_;
  Dialogs& dialogs_;
  map::Canvas& imageCanvas_;
  map::Canvas& paintBoxCanvas_;
  ControlRegistry registry_;
  std::unique_ptr<simlink::SimLink> link_;
  // The frame's copies of the plan, the traffic and the airway points; their storage is kept between ticks.
  std::vector<map::RouteWaypoint> frameRoute_;
  std::vector<map::TrafficMark> frameTraffic_;
  std::vector<map::AirwayPoint> frameAirwayPoints_;
  std::set<std::string> reportedLocalizers_;
  // The airport view's files, kept between opens, and its frame's copies of the tables' nearby rows.
  airport::LayoutFileCache layoutFiles_;
  std::vector<airport::NearBeacon> airportBeacons_;
  std::vector<airport::NearFix> airportFixes_;
  airport::ProcedurePreview airportPreview_;
  map::ButtonLook lnLookBeforeLoss_;  // what Ln showed before the link was lost
  // The settings that took their default because the file's value was unusable; shown at create.
  std::vector<std::string> settingsProblems_;
};

inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyDelete = 0x2E;
inline constexpr int kAutopilotStripOffsetPx = 53;

}  // namespace corvane::shell
