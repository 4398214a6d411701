// The airport view's procedure buttons: SID and STAR load a table, < and > browse it, ACT copies the
// selected procedure into the plan.
#include <string>
#include <string_view>

#include "corvane/plan/procedure_activation.h"
#include "form1.h"

namespace corvane::shell {
namespace {

// Half the view height in degrees once procedures are loaded: wide enough for a whole SID or STAR.
constexpr float kProcedureViewZoom = 1.5f;

void LoadProcedureFile(TForm1& form, std::string_view fileName, const std::string& airportField) {
  const plan::ProcedureLoadResult result =
      plan::LoadProcedures(form.workingFolder, fileName, airportField, form.procedures);
  // A failed load keeps the previous table whole; every problem is named with its file and line.
  for (const navdata::LoadProblem& problem : result.problems) form.dialogs().ShowMessage(navdata::ProblemText(problem));
  if (result.outcome != plan::ProcedureLoadOutcome::kLoaded) return;
  form.AirportViewZoom = kProcedureViewZoom;
  const std::string selected = plan::SelectedProcedureText(form.procedures);
  form.SB1.text = selected.empty()
                      ? "No procedures of " + form.procedures.procedureAirport + " in " + std::string(fileName)
                      : selected;
}

}  // namespace

void TForm1::btSIDClick() { LoadProcedureFile(*this, plan::kSidFileName, edDEP.text); }

void TForm1::btSTRClick() { LoadProcedureFile(*this, plan::kStarFileName, edICAO.text); }

void TForm1::btSdNtClick() {
  procedures.selected = plan::NextProcedure(procedures);
  SB1.text = plan::SelectedProcedureText(procedures);
}

void TForm1::btSdPrClick() {
  procedures.selected = plan::PreviousProcedure(procedures);
  SB1.text = plan::SelectedProcedureText(procedures);
}

void TForm1::btSdEtClick() {
  const plan::ProcedureActivation activation = plan::ActivateSelectedProcedure(procedures, plan);
  if (!activation.status.empty()) SB1.text = activation.status;
}

}  // namespace corvane::shell
