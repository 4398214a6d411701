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

}  // namespace corvane::shell
