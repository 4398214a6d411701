// The mode buttons of PanAP ("Ln", "Vn", "Sp"): what a press changes, how the buttons then look and
// whether Timer4 starts or stops. The window applies the update to its controls.
#pragma once

#include <optional>

#include "corvane/autopilot/autopilot_state.h"
#include "corvane/map/display_buttons.h"
#include "corvane/plan/flight_plan.h"

namespace corvane::autopilot {

enum class TimerAction { kNone, kStart, kStop };

// What changes on one button; an empty field leaves that part of the button as it is.
struct ButtonUpdate {
  std::optional<map::ButtonLook> look;
  std::optional<bool> enabled;
  bool operator==(const ButtonUpdate&) const = default;
};

struct PanelUpdate {
  ButtonUpdate ln, vn, sp;
  TimerAction timer4 = TimerAction::kNone;
  bool operator==(const PanelUpdate&) const = default;
};

// "Ln": off → search → LNAV → off, and from the VNAV modes straight to off. From direct or the hold it
// goes back to LNAV on the plan, from the first waypoint ahead (off, Timer4 still running, when the plan
// is empty). An empty plan refuses search and LNAV (nothing changes).
PanelUpdate PressLnav(AutopilotState& state, plan::FlightPlan& plan);
// "Vn": LNAV → LNAV+VNAV, and from either VNAV mode back to LNAV. Engaging VNAV has its first tick
// write the vertical speed the target needs.
PanelUpdate PressVnav(AutopilotState& state);
// "Sp": LNAV+VNAV ↔ LNAV+VNAV+SPD.
PanelUpdate PressSpd(AutopilotState& state);
// The map's "Fly direct" to the target took effect: direct mode, which also ends a hold; "Ln" shows "Dt".
PanelUpdate EnterDirect(AutopilotState& state, const plan::DirectTarget& target);

// All three buttons back to their plain captions, "Vn" and "Sp" disabled, Timer4 stopped.
PanelUpdate OffPanel();

}  // namespace corvane::autopilot
