// The shell's handlers: close and destroy, the configuration panels, Hide Plane and the gradient clamps.
#include <clocale>
#include <system_error>

#include "form1.h"
#include "number_text.h"
#include "settings_file.h"

namespace corvane::shell {

void TForm1::FormClose() {
  std::setlocale(LC_NUMERIC, "C");
  std::error_code error;
  if (options_.dataFolder.empty()) workingFolder = std::filesystem::current_path(error);
  const SettingsSaveResult result = SaveSettings(*this, options_.settingsPath);
  for (const std::string& problem : result.badFields) dialogs_.ShowMessage(problem);
  if (result.writeError) dialogs_.ShowMessage("The settings were not saved: " + *result.writeError);
}

void TForm1::btHideClick() {
  layers.ownAircraftShown = !layers.ownAircraftShown;
  btHide.caption = layers.ownAircraftShown ? "Hide" : "Show";
}

void TForm1::ShowTimerIntervals() {
  Edit* edits[] = {&edTmr1, &edTmr2, &edTmr3, &edTmr4, &edTmr5};
  const std::array<Timer*, 5> timers = Timers();
  for (int i = 0; i < 5; ++i) edits[i]->text = FormatInteger(timers[i]->ConfiguredInterval());
}

void TForm1::btCfgTmrClick() {
  ShowTimerIntervals();
  CentreOnMap(PanTMR);
}

void TForm1::btTmrOKClick() {
  // A field that is not a number stops here: the intervals before it keep their new values, the panel stays.
  Timer1.SetInterval(StrToInterval(edTmr1.text));
  Timer2.SetInterval(StrToInterval(edTmr2.text));
  Timer3.SetInterval(StrToInterval(edTmr3.text));
  Timer4.SetInterval(StrToInterval(edTmr4.text));
  Timer5.SetInterval(StrToInterval(edTmr5.text));
  PanTMR.visible = false;
}

void TForm1::btAPSetClick() { CentreOnMap(PanAPConf); }
void TForm1::btAPset2Click() { CentreOnMap(PanAPConf); }
void TForm1::btApSetOKClick() { PanAPConf.visible = false; }

void TForm1::btColorClick() {
  if (PanCFG.visible) {
    PanCFG.visible = false;
  } else {
    CentreOnMap(PanCFG);
  }
}

void TForm1::btColOKClick() { PanCFG.visible = false; }
void TForm1::btSetPosCloseClick() { PanPOS.visible = false; }

void TForm1::ClampGradient(Edit& edit, int key) {
  if (key != kKeyEnter) return;
  const std::int32_t value = StrToInt(edit.text);
  if (value > 600) edit.text = "600";
  if (value < 100) edit.text = "100";
}

void TForm1::edClimbKeyUp(int key) { ClampGradient(edClimb, key); }
void TForm1::edDescKeyUp(int key) { ClampGradient(edDesc, key); }

}  // namespace corvane::shell
