// TForm1 construction: the nine steps that run before the window's create event.
#include "form1.h"

#include <algorithm>
#include <clocale>
#include <system_error>
#include <variant>

#include "settings_file.h"
#include "version.h"

namespace corvane::shell {
namespace {

// Numbers in files and edits use "." whatever the user's locale; the process is kept in the "C" numeric locale.
void ForcePointDecimalSeparator() { std::setlocale(LC_NUMERIC, "C"); }

std::filesystem::path ReadWorkingFolder(const FormOptions& options) {
  std::error_code error;
  if (!options.dataFolder.empty()) return std::filesystem::absolute(options.dataFolder, error);
  return std::filesystem::current_path(error);
}

}  // namespace

TForm1::TForm1(FormOptions options, Dialogs& dialogs, map::Canvas& imageCanvas, map::Canvas& paintBoxCanvas)
    : options_(std::move(options)),
      dialogs_(dialogs),
      imageCanvas_(imageCanvas),
      paintBoxCanvas_(paintBoxCanvas),
      link_(std::make_unique<simlink::SimLink>(*options_.transport, options_.sleep)) {
  BuildLayout();
  ForcePointDecimalSeparator();
  workingFolder = ReadWorkingFolder(options_);
  settingsProblems_ = ApplySettings(IniDocument::Load(options_.settingsPath), *this);
  SaveDialog1.initialDir = planSaveFolder;
  ShowTimerIntervals();
  imageCanvas_.SetFont(IMG1.font);
  ColourPanels();
  layers = map::LayerToggles{};
  view.mode = map::MapMode::kMap;
  autopilot = {};
  plan.ActiveWaypointIndex = plan::kNoActiveWaypoint;
  SizeStrips();
  StyleLayerButtons();
  captionBase = "Corvane V" + std::string(ProgramFileVersion());
  Caption = captionBase;
}

void TForm1::ColourPanels() {
  for (Panel* panel : {&PanAP, &PanDisplay, &PanSID, &PanSTR, &PanAPV}) panel->color = shBBG.brushColor;
  Memo1.color = shTBG.brushColor;
  Memo2.color = shTBG.brushColor;
  LB1.color = shTBG.brushColor;
}

void TForm1::StyleLayerButtons() {
  for (Button* button : {&bbARP, &bbGEO, &bbRR, &bbINF}) button->bold = true;
  for (Button* button : {&bbARP, &bbRR, &bbINF}) button->fontColor = kColorGreen;
  bbGEO.fontColor = kColorBlue;
}

void TForm1::SizeStrips() {
  PanAP.height = PB1.height;
  PanAP.left = PB1.width - kAutopilotStripOffsetPx;
  PanDisplay.height = PB1.height;
}

void TForm1::SetPaintBoxSize(int width, int height) {
  PB1.width = width;
  PB1.height = height;
  SizeStrips();
  KeepOpenPanelsInside();
}

void TForm1::KeepOpenPanelsInside() {
  // A panel opened in a larger window would otherwise hang off this one, its OK out of reach; one
  // larger than the box keeps its top-left corner, where its text and first buttons are.
  const auto keepInside = [this](Control& control) {
    if (!control.visible) return;
    control.left = std::max(0, std::min(control.left, PB1.width - control.width));
    control.top = std::max(0, std::min(control.top, PB1.height - control.height));
  };
  for (const ControlEntry& entry : registry_.Entries()) {
    if (!entry.parent.empty()) continue;
    if (auto* const* panel = std::get_if<Panel*>(&entry.control); panel && *panel != &PanAP && *panel != &PanDisplay) {
      keepInside(**panel);
    }
  }
  keepInside(LB1);
}

void TForm1::CentreOnMap(Panel& panel) const {
  // Integer halves truncate toward zero, as the platform's division does.
  panel.left = PB1.width / 2 - panel.width / 2;
  panel.top = PB1.height / 2 - panel.height / 2;
  panel.visible = true;
}

}  // namespace corvane::shell
