#include "plan_engage.h"

namespace corvane::shell {

bool EngagePlan(TForm1& form, const std::vector<std::string>& planLines, const std::string& cruiseFt) {
  form.btFPClick();
  form.Memo1.lines = planLines;
  if (!cruiseFt.empty()) form.edCrsAlt.text = cruiseFt;
  form.btCalcDescClick();
  form.btCancelClick();
  if (form.plan.tail < 1) return false;
  form.bbLNAVClick();
  form.bbLNAVClick();
  form.bbVNAVClick();
  form.bbSPDClick();
  return true;
}

bool FlyPlanInArcView(TForm1& form, const std::vector<std::string>& planLines) {
  form.btApSetOKClick();
  if (!EngagePlan(form, planLines, {})) return false;
  form.SwitchMapModeTo(map::MapMode::kArc);
  return true;
}

}  // namespace corvane::shell
