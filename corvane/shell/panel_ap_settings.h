// PanAPConf: cruise and approach targets, climb and descent gradients, the waypoint switch factor.
#pragma once

#include "controls.h"

namespace corvane::shell {

struct ApSettingsPanelControls {
  Panel PanAPConf;
  Edit edCrsAlt, edCrsSpd, edDescSpd, edAppSpd, edMinSpd, APSwDist;
  GroupBox gbClimb;
  CheckBox chClimb;
  Edit edClimb;
  GroupBox gbDescend;
  CheckBox chSpoil;
  Edit edDesc;
  Button btApSetOK;
};

}  // namespace corvane::shell
