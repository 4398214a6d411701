// PanAPV, PanSID and PanSTR: the airport view's selection panel and its procedure buttons.
#pragma once

#include "controls.h"

namespace corvane::shell {

struct AirportViewPanelControls {
  Panel PanAPV;
  Edit edDEP, edICAO;
  Button btViewDp, btViewAr, btClArp;
  Panel PanSID;
  Button btSID, btSdPr, btSdNt, btSdEt;
  Panel PanSTR;
  Button btSTR;
};

}  // namespace corvane::shell
