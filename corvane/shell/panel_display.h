// PanDisplay: the left strip of layer and mode buttons.
#pragma once

#include "controls.h"

namespace corvane::shell {

struct DisplayPanelControls {
  Panel PanDisplay;
  Button bbARP, bbVOR, bbNDB, bbFIX, bbINF, bbRR, btHide, bbTCAS, bbGEO, bbAWY, bbMAP, btTextP, btTextM;
};

}  // namespace corvane::shell
