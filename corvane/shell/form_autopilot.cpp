// The autopilot on the form: the mode buttons, Timer4, the hold panel and "Calc Desc".
#include "button_style.h"
#include "corvane/autopilot/autopilot_commands.h"
#include "corvane/autopilot/autopilot_tick.h"
#include "corvane/autopilot/descent_profile.h"
#include "corvane/autopilot/holding.h"
#include "form1.h"
#include "link_loss.h"
#include "number_text.h"

namespace corvane::shell {
namespace {

void Apply(Button& button, const autopilot::ButtonUpdate& update) {
  if (update.look) Restyle(button, *update.look);
  if (update.enabled) button.enabled = *update.enabled;
}

}  // namespace

void TForm1::ApplyAutopilotPanel(const autopilot::PanelUpdate& update) {
  Apply(bbLNAV, update.ln);
  Apply(bbVNAV, update.vn);
  Apply(bbSPD, update.sp);
  if (update.timer4 == autopilot::TimerAction::kStart) Timer4.SetEnabled(true);
  if (update.timer4 == autopilot::TimerAction::kStop) Timer4.SetEnabled(false);
}

void TForm1::bbLNAVClick() {
  if (ResumeHeldAutopilot()) return;
  ApplyAutopilotPanel(autopilot::PressLnav(autopilot, plan));
}

void TForm1::bbVNAVClick() { ApplyAutopilotPanel(autopilot::PressVnav(autopilot)); }

void TForm1::bbSPDClick() { ApplyAutopilotPanel(autopilot::PressSpd(autopilot)); }

void TForm1::Timer4Timer() {
  if (AutopilotPaused()) return;  // no writes into a lost link, nor before Ln resumes the plan
  autopilot::TickSettings settings;
  settings.switchFactor = ParseInteger(APSwDist.text);
  settings.vnavActive = chClimb.checked;
  settings.spoilersActive = chSpoil.checked;
  settings.trackLegs = chTrackLegs.checked;
  settings.simulatorName = link().simulatorName();
  settings.timer4IntervalMs = Timer4.Interval();
  // The hold's fields are read only while holding, so a half-typed one cannot stop the plan being flown.
  if (autopilot.AutopilotMode == autopilot::kModeHold) {
    settings.hold = {StrToInt(edHldHdg.text), rbHldRgt.checked, StrToInt(edHldSpd.text), StrToInt(edHldTm.text)};
  }
  autopilot::SimLinkAutopilotCommands linkCommands(link());
  LinkWatchingCommands commands(linkCommands, [this] { return LinkLost(); });
  const autopilot::TickOutcome outcome = autopilot::RunAutopilotTick(autopilot, plan, aircraft, settings, commands);
  if (!outcome.status.empty()) SB1.text = outcome.status;
  if (outcome.ended) ApplyAutopilotPanel(outcome.panel);
}

void TForm1::btHldOKClick() {
  PanHLD.visible = false;
  ApplyAutopilotPanel(autopilot::StartHold(autopilot, HoldFix));
}

void TForm1::btHldClClick() { PanHLD.visible = false; }

void TForm1::btCalcDescClick() {
  const autopilot::DescentInputs inputs{
      .cruiseAltitudeFt = StrToInt(edCrsAlt.text),
      .cruiseSpeedKt = StrToInt(edCrsSpd.text),
      .descentSpeedKt = StrToInt(edDescSpd.text),
      .approachSpeedKt = StrToInt(edAppSpd.text),
      .finalApproachSpeedKt = StrToInt(edMinSpd.text),
      .climbFtPerNm = StrToInt(edClimb.text),
      .descentFtPerNm = StrToInt(edDesc.text),
  };
  const autopilot::DescentOutcome outcome = autopilot::CalcDescent(Memo1.lines, inputs, plan);
  plan::KeepActiveWaypointInPlan(plan);
  if (!outcome.built) {
    dialogs().ShowMessage(outcome.failure);
    return;
  }
  edCrsAlt.text = FormatInteger(outcome.cruiseAltitudeFt);
  Memo1.lines = outcome.listing;
  SwitchLayersTo(autopilot::LayersForProfile(layers));
  SwitchMapModeTo(map::MapMode::kMap);
}

}  // namespace corvane::shell
