// PanCFG: the colour swatches, the database choice and the configuration buttons.
#pragma once

#include "controls.h"

namespace corvane::shell {

struct ConfigPanelControls {
  Panel PanCFG;
  GroupBox gbColours;
  Shape shBG, shARP, shVOR, shNDB, shFIX, shRoute, shSID, shAwh, shAwb, shAwl, shGEO, shGEO2, shGEO3, shGEO4, shRR,
      shArc, shBBG, shTBG;
  Label shText;  // shows "ABC" in the map label font; a right click opens the font dialog
  GroupBox gbDatabase;
  RadioButton rbFS, rbXP;
  Button btReset;
  Button btAPSet, btCfgTmr, btPosition, btColOK;
};

}  // namespace corvane::shell
