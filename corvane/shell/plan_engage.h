// What a pilot does to have a plan flown: the plan into the plan panel, "Calc Desc", then "Ln" twice, "Vn"
// and "Sp".
#pragma once

#include <string>
#include <vector>

#include "form1.h"

namespace corvane::shell {

// cruiseFt, when not empty, is typed into the cruise altitude first. False when the profile could not be
// built (the form's message box said why); the autopilot is then left off.
bool EngagePlan(TForm1& form, const std::vector<std::string>& planLines, const std::string& cruiseFt);

// What a window's --fly does: the autopilot settings taken as they stand, the plan engaged and, when it
// is, shown heading-up in the arc view. False as EngagePlan.
bool FlyPlanInArcView(TForm1& form, const std::vector<std::string>& planLines);

}  // namespace corvane::shell
