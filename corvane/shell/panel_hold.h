// PanHLD: the holding pattern's fix, inbound heading, turn direction, speed and leg time.
#pragma once

#include "controls.h"

namespace corvane::shell {

struct HoldPanelControls {
  Panel PanHLD;
  Label lbHold;
  Edit edHldHdg;
  RadioButton rbHldLft, rbHldRgt;
  Edit edHldSpd, edHldTm;
  Button btHldOK, btHldCl;
};

}  // namespace corvane::shell
