// PanPOS: moves the aircraft to the map centre with the given altitude and heading.
#pragma once

#include "controls.h"

namespace corvane::shell {

struct PositionPanelControls {
  Panel PanPOS;
  Edit edPosAlt, edPosHdg;
  Button btSetPosition, btSetPosClose;
};

}  // namespace corvane::shell
