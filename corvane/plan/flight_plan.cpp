// The plan's distance rule and its edit primitives.
#include "corvane/plan/flight_plan.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace corvane::plan {

std::int32_t FlightPlan::ListedCount() const {
  std::int32_t count = 0;
  while (count < kCapacity && !(*this)[count].IsEndMarker()) ++count;
  return count;
}

double DistanceNm(double latitudeA, double longitudeA, double latitudeB, double longitudeB) {
  constexpr double kRadPerDeg = std::numbers::pi / 180.0;
  const double meanCosine = (std::cos(latitudeA * kRadPerDeg) + std::cos(latitudeB * kRadPerDeg)) * 0.5;
  const double dx = (longitudeB - longitudeA) * meanCosine;
  const double dy = latitudeB - latitudeA;
  return std::sqrt(dx * dx + dy * dy) * 60.0;
}

std::int32_t LegNm(const FlightPlan& plan, std::int32_t a, std::int32_t b) {
  const Waypoint& from = plan[a];
  const Waypoint& to = plan[b];
  return static_cast<std::int32_t>(DistanceNm(from.lat, from.lon, to.lat, to.lon));
}

bool HasRoomForOneMore(const FlightPlan& plan) { return plan.tail >= 0 && plan.tail + 1 < FlightPlan::kCapacity; }

void DuplicateTail(FlightPlan& plan) {
  if (!HasRoomForOneMore(plan)) return;
  plan[plan.tail + 1] = plan[plan.tail];
}

void OpenEntryAt(FlightPlan& plan, std::int32_t index) {
  for (std::int32_t j = plan.tail; j >= index; --j) plan[j + 1] = plan[j];
}

void EraseEntryAt(FlightPlan& plan, std::int32_t index) {
  if (index < 0 || index >= FlightPlan::kCapacity) return;
  plan[index] = Waypoint{};
}

void EraseEntry(FlightPlan& plan) { EraseEntryAt(plan, plan.tail); }

void ClearEntries(FlightPlan& plan) {
  // All 500, not only the first 100: a longer plan would otherwise leave stale entries behind a
  // shorter one that is parsed or built later.
  for (Waypoint& entry : plan.entries) entry = Waypoint{};
  plan.tail = 0;
}

std::string KindAndIdent(const Waypoint& entry) { return std::to_string(KindNumber(entry.kind)) + " " + entry.ident; }

std::string DeleteEntry(FlightPlan& plan) {
  if (plan.tail < 1 || plan.tail >= FlightPlan::kCapacity) return {};
  if (!plan.insertMode) {
    std::string status = "Deleting " + KindAndIdent(plan[plan.tail - 1]);
    plan[plan.tail - 1] = plan[plan.tail];
    EraseEntry(plan);
    --plan.tail;
    plan[plan.tail].legNm = plan.tail > 0 ? LegNm(plan, plan.tail - 1, plan.tail) : 0;
    return status;
  }
  if (plan.insertIndex < 1 || plan.insertIndex > plan.tail) return {};
  std::string status = "Deleting " + KindAndIdent(plan[plan.insertIndex - 1]);
  for (std::int32_t j = plan.insertIndex; j <= plan.tail; ++j) plan[j - 1] = plan[j];
  EraseEntry(plan);
  --plan.tail;
  --plan.insertIndex;
  plan[plan.insertIndex].legNm = plan.insertIndex > 0 ? LegNm(plan, plan.insertIndex - 1, plan.insertIndex) : 0;
  return status;
}

void StepActiveWaypoint(FlightPlan& plan, int step) {
  if (plan.ActiveWaypointIndex >= kNoActiveWaypoint) return;
  const std::int32_t last = std::max(0, plan.ListedCount() - 1);
  plan.ActiveWaypointIndex = std::clamp(plan.ActiveWaypointIndex + step, 0, last);
}

void KeepActiveWaypointInPlan(FlightPlan& plan) {
  if (plan.ActiveWaypointIndex >= kNoActiveWaypoint) return;
  const std::int32_t last = std::max(0, plan.ListedCount() - 1);
  plan.ActiveWaypointIndex = std::clamp(plan.ActiveWaypointIndex, 0, last);
}

}  // namespace corvane::plan
