// The mode buttons' transitions and looks.
#include "corvane/autopilot/autopilot_buttons.h"

#include "corvane/map/map_colours.h"

namespace corvane::autopilot {
namespace {

map::ButtonLook Plain(const char* caption) { return {caption, false, map::kDefaultFontColor}; }
map::ButtonLook Engaged(const char* caption) { return {caption, true, map::kButtonGreen}; }

// Back from direct-to or the hold to LNAV on the plan: the search picks the first waypoint ahead.
PanelUpdate BackToPlan(AutopilotState& state, plan::FlightPlan& plan) {
  state.hold.phase = kHoldNone;
  // "Vn" and "Sp" may still show the VNAV look they had before; LNAV shows them plain.
  PanelUpdate update = OffPanel();
  if (plan[0].IsEndMarker()) {
    state.AutopilotMode = kModeOff;
    update.timer4 = TimerAction::kNone;
    return update;
  }
  state.AutopilotMode = kModeLnav;
  plan.ActiveWaypointIndex = plan::kNoActiveWaypoint;
  update.ln.look = Engaged("Ln");
  update.vn.enabled = true;
  update.timer4 = TimerAction::kStart;
  return update;
}

}  // namespace

PanelUpdate OffPanel() {
  PanelUpdate update;
  update.ln.look = Plain("Ln");
  update.vn = {Plain("Vn"), false};
  update.sp = {Plain("Sp"), false};
  update.timer4 = TimerAction::kStop;
  return update;
}

PanelUpdate PressLnav(AutopilotState& state, plan::FlightPlan& plan) {
  state.written = {};
  if (state.AutopilotMode == kModeDirect || state.AutopilotMode == kModeHold) return BackToPlan(state, plan);
  std::int32_t next = state.AutopilotMode + 1;
  if (next > kModeLnav) next = kModeOff;
  if (next == kModeOff) {
    state.AutopilotMode = kModeOff;
    return OffPanel();
  }
  if (plan[0].IsEndMarker()) return {};
  state.AutopilotMode = next;
  PanelUpdate update;
  update.timer4 = TimerAction::kStart;
  if (next == kModeSearch) {
    plan.ActiveWaypointIndex = plan::kNoActiveWaypoint;
    update.ln.look = map::ButtonLook{"Ln", true, map::kButtonBlue};
  } else {
    update.ln.look = Engaged("Ln");
    update.vn.enabled = true;
  }
  return update;
}

PanelUpdate PressVnav(AutopilotState& state) {
  PanelUpdate update;
  if (state.AutopilotMode == kModeLnav) {
    state.AutopilotMode = kModeLnavVnav;
    state.written = {};
    state.verticalSpeedDue = true;
    update.vn.look = Engaged("Vn");
    update.sp.enabled = true;
  } else if (state.AutopilotMode == kModeLnavVnav || state.AutopilotMode == kModeLnavVnavSpd) {
    state.AutopilotMode = kModeLnav;
    update.vn.look = Plain("Vn");
    update.sp = {Plain("Sp"), false};
  }
  return update;
}

PanelUpdate PressSpd(AutopilotState& state) {
  PanelUpdate update;
  if (state.AutopilotMode == kModeLnavVnav) {
    state.AutopilotMode = kModeLnavVnavSpd;
    update.sp.look = Engaged("Sp");
  } else if (state.AutopilotMode == kModeLnavVnavSpd) {
    state.AutopilotMode = kModeLnavVnav;
    update.sp.look = Plain("Sp");
  }
  return update;
}

PanelUpdate EnterDirect(AutopilotState& state, const plan::DirectTarget& target) {
  state.AutopilotMode = kModeDirect;
  state.direct = target;
  state.written = {};
  state.hold.phase = kHoldNone;
  PanelUpdate update;
  update.ln.look = Engaged("Dt");
  return update;
}

}  // namespace corvane::autopilot
