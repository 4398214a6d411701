// PanAPConf: cruise and approach targets, climb and descent gradients, the waypoint switch factor and
// whether the legs are tracked.
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
  CheckBox chTrackLegs;  // "Track legs": LNAV holds the leg's line, VNAV the descent path
  Button btApSetOK;
};

}  // namespace corvane::shell
