// PanAP: the right strip with the autopilot modes, the plan and configuration buttons and the search box.
#pragma once

#include "controls.h"

namespace corvane::shell {

struct AutopilotPanelControls {
  Panel PanAP;
  Button bbLNAV, bbVNAV, bbSPD, btAPpr, btAPnxt, btColor, btCenter, btFP, btClr;
  Edit edSearch;
};

}  // namespace corvane::shell
