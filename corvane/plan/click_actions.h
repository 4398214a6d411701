// What a click on the map does to the plan and the simulator: add a waypoint, fly direct, hold, tune.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "corvane/plan/flight_plan.h"
#include "corvane/plan/simulator_commands.h"

namespace corvane::plan {

// One entry of the nearby point list as the click actions see it.
struct PickCandidate {
  std::int32_t kind = 0;  // 1 airport, 2 NDB, 3 VOR, 4 ILS, 8 heliport, 11 fix
  float lat = 0;
  float lon = 0;
  std::string_view ident;
  std::string_view info;  // elevation text, frequency text, "." for a fix
};

// The point layers that are switched on; only shown kinds can be picked (ILS always, for tuning).
struct ShownLayers {
  bool airports = true;
  bool vor = false;
  bool ndb = false;
  bool fixes = false;
};

struct ClickPosition {
  float lat = 0;
  float lon = 0;
};

struct PickContext {
  std::span<const PickCandidate> candidates;  // walked up to the first 0/0 entry
  ShownLayers shown;
  std::int32_t rangeNm = 160;
  bool airportViewRunning = false;
};

// Nothing farther than this is ever picked.
inline constexpr double kFarthestPickNm = 640.0;

// Rebuilds the airway neighbours of the tail entry (UpdateAirwayNeighbours over the airway table).
using AirwayNeighbourRebuild = std::function<void(FlightPlan&)>;

struct AddOutcome {
  std::string status;                       // "Found ...", "Set ...", "Warning! ..." or why nothing was added
  bool arrivalSet = false;                  // the map switches to en-route picking (LayersForEnRoutePicking)
  std::optional<std::string> errorMessage;  // a cruise field that is not an integer
  bool refused = false;                     // the plan is full, or nothing to pick: nothing was added
};

// Why a right click added nothing: no shown object to pick, and the arrival stays where it is.
inline constexpr std::string_view kNothingPickedText =
    "Nothing added: no airport, VOR, NDB or fix is shown within 640 nm (ARP, VOR, NDB and FIX show them)";
inline constexpr std::string_view kNothingPickedInAirportViewText =
    "Nothing added: no VOR, NDB or fix is shown within 640 nm (VOR, NDB and FIX show them)";

// Right click with the autopilot off: the nearest shown airport, beacon or fix, or the clicked point,
// appended before the arrival (or inserted at insertIndex in insert mode). The departure takes the
// cruise altitude and speed texts. With an arrival and nothing shown to pick, the plan stays as it was.
// An airport picked en route becomes the arrival in place of the old one.
AddOutcome AddWaypointAt(FlightPlan& plan, const PickContext& context, ClickPosition position,
                         std::string_view cruiseAltitudeText, std::string_view cruiseSpeedText,
                         const AirwayNeighbourRebuild& rebuildAirwayNeighbours);

// "Found"/"Set" text of an entry: kind, ident, altitude, speed, leg, lat, lon and info.
std::string EntryValuesText(const Waypoint& entry);

// The point that fly-direct and hold actions steer to.
struct DirectTarget {
  float lat = 0;
  float lon = 0;
  std::string name;
};

// The nearest shown beacon or fix within a tenth of the range, else the clicked point named "FIX".
DirectTarget PickDirectTarget(const PickContext& context, ClickPosition position);

struct DirectToOutcome {
  bool started = false;  // the user said Yes: AutopilotMode 5, the LNAV button shows "Dt"
  std::int32_t bearingDeg = 0;
  std::int32_t distanceNm = 0;
  std::string status;
};

// Whole-degree flat-earth bearing from one position to another, as the direct-to steers.
std::int32_t FlatBearingDeg(double fromLat, double fromLon, double toLat, double toLon);

// Right click with the autopilot on: confirm "Fly direct NAME?", then command the heading from the
// map centre, corrected by the magnetic variation.
DirectToOutcome FlyDirectTo(DirectTarget& target, const PickContext& context, ClickPosition position, double centreLat,
                            double centreLon, double magneticVariationDeg,
                            const std::function<bool(const std::string& question)>& confirm,
                            SimulatorCommands& commands);

// What the holding panel shows when a hold is asked for.
struct HoldRequest {
  std::string legTimeText = "3";
  std::string inboundHeadingText;  // the autopilot heading now set in the simulator
  std::string label;               // "Holding at NAME"
};
inline constexpr int kHoldPanelTop = 100;
inline int HoldPanelLeft(int paintBoxWidth, int panelWidth, int autopilotStripWidth) {
  return paintBoxWidth / 2 - panelWidth / 2 - autopilotStripWidth;
}

// Middle click with the autopilot on: the hold target and the panel texts.
HoldRequest HoldAt(DirectTarget& target, const PickContext& context, ClickPosition position, double apHeadingDeg);

// A runway-end label row of the airport view: its position and the ILS text it shows.
struct RadioLabel {
  float lat = 0;
  float lon = 0;
  std::string_view text;
};

// Tunes the radio of the nearest shown NDB or VOR, or of any ILS, within 5 nm (airport-view labels
// are searched too). Returns the status text, or nothing when no beacon is near enough.
std::optional<std::string> TuneRadioTo(const PickContext& context, ClickPosition position,
                                       std::span<const RadioLabel> airportViewLabels, SimulatorCommands& commands);

}  // namespace corvane::plan
