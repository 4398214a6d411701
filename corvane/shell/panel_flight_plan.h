// PanFP: the flight-plan text and its buttons.
#pragma once

#include "controls.h"

namespace corvane::shell {

struct FlightPlanPanelControls {
  Panel PanFP;
  Memo Memo1, Memo2;
  Button btOK, btCancel, btSV, btLD, btImp, btExp, btIVAO, btKML, btCalcDesc, btAPset2, btArpInfo;
};

}  // namespace corvane::shell
