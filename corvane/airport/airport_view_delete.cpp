// Deleting from the plan while the airport view runs.
#include "corvane/airport/airport_view_delete.h"

namespace corvane::airport {

plan::DeleteOutcome DeleteCommandAirportView(plan::FlightPlan& plan) {
  plan::DeleteOutcome outcome;
  if (plan.insertMode) {
    if (plan.insertIndex > 1) outcome.status = plan::DeleteEntry(plan);
    return outcome;
  }
  if (plan.tail > 1) {
    outcome.status = plan::DeleteEntry(plan);
  } else if (plan.tail == 1) {
    // The entry named is the one that goes; the plan never keeps an arrival behind an empty departure.
    const bool departureAlone = plan[1].ident.empty();
    outcome.status = "Deleting " + plan::KindAndIdent(plan[departureAlone ? 0 : 1]);
    if (departureAlone) plan.tail = 0;
    plan::EraseEntry(plan);
  }
  return outcome;
}

}  // namespace corvane::airport
