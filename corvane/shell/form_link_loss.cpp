// The simulator going and coming back: shown at once, no autopilot writes meanwhile, the plan kept, and
// Ln resuming it from wherever the aircraft is when the link is back.
#include "button_style.h"
#include "corvane/autopilot/waypoint_geometry.h"
#include "corvane/map/map_colours.h"
#include "form1.h"
#include "link_loss.h"

namespace corvane::shell {
namespace {

// The relative bearings that put a waypoint behind the aircraft, as the autopilot's search has them.
constexpr std::int32_t kBehindFromDeg = 100;
constexpr std::int32_t kBehindToDeg = 260;

}  // namespace

bool TForm1::LinkLost() {
  // A link that never opened has nothing to lose.
  if (linkLost || !connected) return linkLost;
  linkLost = true;
  connected = false;
  Caption = captionBase + std::string(kLinkLostCaption) + link_->simulatorName();
  SB1.text = kLinkLostStatus;
  // An engaged autopilot stays engaged on the panel, its Ln in red until it is resumed.
  if (autopilot.AutopilotMode != autopilot::kModeOff && !autopilotHeld) {
    autopilotHeld = true;
    lnLookBeforeLoss_ = {bbLNAV.caption, bbLNAV.bold, bbLNAV.fontColor};
    bbLNAV.fontColor = map::kRed;
  }
  return true;
}

void TForm1::LinkBack() {
  linkLost = false;
  connected = true;
  Caption = captionBase + " - Connected to " + link_->simulatorName();
  SB1.text = autopilotHeld ? kLinkBackHeldStatus : kLinkBackStatus;
}

bool TForm1::RetryLostLink() {
  // A fresh open finds a simulator that came back under a new window or process, as a new batch may not.
  link_->Close();
  if (!OpenLink()) return false;
  LinkBack();
  return true;
}

bool TForm1::ResumeHeldAutopilot() {
  if (!autopilotHeld) return false;
  if (linkLost) {
    SB1.text = kResumeWaitsStatus;
    return true;
  }
  autopilotHeld = false;
  Restyle(bbLNAV, lnLookBeforeLoss_);
  // A restarted simulator holds none of the targets written before: every one is written anew.
  autopilot.written = {};
  // The aircraft may have come back somewhere else: a waypoint now behind it gives way to the search.
  const std::int32_t active = plan.ActiveWaypointIndex;
  const bool onPlan =
      autopilot.AutopilotMode >= autopilot::kModeLnav && autopilot.AutopilotMode <= autopilot::kModeLnavVnavSpd;
  if (onPlan && active >= 0 && active < plan::FlightPlan::kCapacity && !plan[active].IsEndMarker()) {
    const std::int32_t relative = autopilot::GeometryTo(aircraft.latitude, aircraft.longitude, aircraft.headingDegTrue,
                                                        plan[active].lat, plan[active].lon)
                                      .relativeBearingDeg;
    if (relative > kBehindFromDeg && relative < kBehindToDeg) plan.ActiveWaypointIndex = plan::kNoActiveWaypoint;
  }
  SB1.text = kResumedStatus;
  if (Timer4.Enabled()) Timer4Timer();
  return true;
}

}  // namespace corvane::shell
