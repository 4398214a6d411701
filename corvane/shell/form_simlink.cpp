// The start sequence and the simulator side of the shell: connect, reconnect, poll, set position, close.
#include <cmath>
#include <string>

#include "corvane/simlink/sim_commands.h"
#include "form1.h"
#include "formats/conversion_error.h"
#include "link_loss.h"
#include "number_text.h"
#include "settings_file.h"

namespace corvane::shell {
namespace {

constexpr std::uint32_t kAnySimulator = 0;

double StrToFloat(const std::string& text) {
  if (auto value = ParseFloat(text)) return *value;
  throw formats::ConversionError(text, "floating point value");
}

}  // namespace

bool TForm1::OpenLink() {
  simlink::SimLinkResult result{};
  return link_->Open(kAnySimulator, result);
}

void TForm1::RunStartSequence() {
  // The simulator that answers decides the data family; switching it reloads once.
  for (int pass = 0; pass < 2; ++pass) {
    LoadDatabase();
    if (!OpenLink()) return;
    const std::string& simulator = link_->simulatorName();
    const bool switchToXPlane = rbFS.checked && simulator == "XPlane";
    const bool switchToFlightSim = rbXP.checked && simulator == "FlightSim";
    if ((switchToXPlane || switchToFlightSim) && pass == 0) {
      rbXP.checked = switchToXPlane;
      rbFS.checked = switchToFlightSim;
      link_->Close();
      continue;
    }
    Caption = captionBase + " - Connected to " + simulator;
    Timer5.SetEnabled(true);
    connected = true;
    return;
  }
}

void TForm1::FormCreate() {
  if (!settingsProblems_.empty()) dialogs_.ShowMessage(SettingsProblemsText(options_.settingsPath, settingsProblems_));
  RunStartSequence();
}

void TForm1::FormDestroy() {
  if (!connected && !linkLost) return;
  Timer5.SetEnabled(false);
  link_->Close();
  connected = false;
}

void TForm1::btCenterClick() {
  if (linkLost) {
    if (!RetryLostLink()) SB1.text = kLinkStillLostStatus;
    return;
  }
  if (connected) {
    view.followAircraft = true;
    return;
  }
  if (OpenLink()) {
    connected = true;
    Caption = captionBase + " - Connected to " + link_->simulatorName();
    Timer5.SetEnabled(true);
  } else {
    Caption = captionBase + " - NOT Connected";
  }
}

void TForm1::btResetClick() {
  // Polling stops with the link, so no tick reads a closed link; a successful start restarts it.
  Timer5.SetEnabled(false);
  link_->Close();
  connected = false;
  linkLost = false;
  RunStartSequence();
}

void TForm1::Timer5Timer() {
  // While the simulator is gone each tick tries a quick open instead of a batch that waits out its retries.
  if (linkLost && !RetryLostLink()) return;
  const simlink::PollStatus status = simlink::PollAircraft(*link_, aircraft, traffic);
  if (status == simlink::PollStatus::kLinkFailed) connected = false;
  if (status == simlink::PollStatus::kBatchFailed && connected) LinkLost();
  if (status == simlink::PollStatus::kConnected) connected = true;
  const std::string caption = simlink::PollCaption(status, captionBase, *link_);
  if (!caption.empty()) Caption = caption;
}

void TForm1::btPositionClick() {
  CentreOnMap(PanPOS);
  edPosAlt.text = FormatInteger(static_cast<std::int64_t>(std::trunc(aircraft.altitudeFt)));
  edPosHdg.text = FormatInteger(static_cast<std::int64_t>(std::trunc(aircraft.headingDegTrue)));
}

void TForm1::btSetPositionClick() {
  if (!connected) return;
  SB1.text = simlink::SendPositionLatLon(*link_, view.centre.latitude, view.centre.longitude);
  const double headingDegTrue = StrToFloat(edPosHdg.text);
  const double altitudeFt = StrToFloat(edPosAlt.text);
  SB1.text = simlink::SendPositionHeadingAltitude(*link_, headingDegTrue, altitudeFt);
}

void TForm1::TimerTick(int timerIndex) {
  switch (timerIndex) {
    case 0: Timer1Timer(); break;
    case 1: Timer2Timer(); break;
    case 2: Timer3Timer(); break;
    case 3: Timer4Timer(); break;
    case 4: Timer5Timer(); break;
    default: break;
  }
}

}  // namespace corvane::shell
