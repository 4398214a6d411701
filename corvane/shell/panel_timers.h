// PanTMR: the five timer intervals, the nearby-data box sizes and the IvAp flight-plan file.
#pragma once

#include "controls.h"

namespace corvane::shell {

struct TimerPanelControls {
  Panel PanTMR;
  Edit edTmr1, edTmr2, edTmr3, edTmr4, edTmr5;
  GroupBox gbSizes;
  Edit edGeoSize, edArpSize, edBcnSize, edFixSize;
  GroupBox gbIvap;
  Edit edIvapFP;
  Button btTmrOK;
};

}  // namespace corvane::shell
