// Taking the edited plan text: parse, autosave, recentre, display reset.
#include "corvane/plan/plan_panel.h"

#include <exception>

#include "corvane/plan/plan_files.h"
#include "corvane/plan/plan_listing.h"

namespace corvane::plan {
namespace {

bool WithinTenDegrees(double difference) {
  const auto whole = static_cast<long long>(difference);
  return whole >= -10 && whole <= 10;
}

}  // namespace

std::optional<MapCentre> RecentreForPlan(const FlightPlan& plan, MapCentre centre) {
  // An empty plan has no departure to go to (its 0/0 end entry is no place to look at).
  if (plan[0].IsEndMarker()) return std::nullopt;
  const MapCentre departure{plan[0].lat, plan[0].lon};
  if (WithinTenDegrees(centre.lat - departure.lat) && WithinTenDegrees(centre.lon - departure.lon)) return std::nullopt;
  return departure;
}

AcceptOutcome AcceptPlanText(FlightPlan& plan, std::span<const std::string> memoLines, std::string_view saveFolder,
                             MapCentre centre) {
  AcceptOutcome outcome;
  if (!memoLines.empty()) {
    // The text is read into a copy: a text that does not read leaves the plan as it was.
    FlightPlan parsed = plan;
    std::optional<PlanTextError> error = ParsePlanText(memoLines, parsed);
    if (!error) error = TypedTextAfterThePlan(memoLines);
    if (error) {
      outcome.parseError = error->Message();
      return outcome;
    }
    plan = std::move(parsed);
    try {
      SavePlanFile(AutosavePath(saveFolder), memoLines);
    } catch (const std::exception& error) {
      outcome.autosaveError = std::string("Autosave failed: ") + error.what();
    }
  }
  outcome.recentreOn = RecentreForPlan(plan, centre);
  outcome.resetDisplay = plan[1].ident.empty();
  return outcome;
}

}  // namespace corvane::plan
