// ACT: the selected procedure's points go into the plan, appended before the arrival or inserted.
#include "corvane/plan/procedure_activation.h"

#include <algorithm>

namespace corvane::plan {
namespace {

void WriteProcedurePoint(Waypoint& waypoint, const ProcedureEntry& point) {
  waypoint.lat = point.lat;
  waypoint.lon = point.lon;
  waypoint.ident = point.pointName;
  waypoint.kind = WaypointKind::kUserPoint;
  waypoint.info = point.procName;
}

// The leg of entry index from the one before it; an empty slot stays empty.
void MeasureLegTo(FlightPlan& plan, std::int32_t index) {
  if (index < FlightPlan::kCapacity && !plan[index].IsEndMarker()) plan[index].legNm = LegNm(plan, index - 1, index);
}

void AppendBeforeArrival(FlightPlan& plan, const ProcedureEntry& point) {
  const std::int32_t tail = plan.tail;
  DuplicateTail(plan);
  Waypoint& entry = plan[tail];
  WriteProcedurePoint(entry, point);
  entry.legNm = LegNm(plan, tail - 1, tail);
  entry.altitude = plan[tail - 1].altitude;
  entry.speed = plan[tail - 1].speed;
  MeasureLegTo(plan, tail + 1);
  plan.tail = tail + 1;
}

void InsertAtInsertIndex(FlightPlan& plan, const ProcedureEntry& point) {
  const std::int32_t at = plan.insertIndex;
  OpenEntryAt(plan, at);
  Waypoint& entry = plan[at];
  WriteProcedurePoint(entry, point);
  entry.legNm = LegNm(plan, at - 1, at);
  // The neighbour after it gives altitude and speed; at the end of a plan without arrival, the one before.
  const bool nextIsWaypoint = at + 1 < FlightPlan::kCapacity && !plan[at + 1].IsEndMarker();
  const Waypoint& neighbour = nextIsWaypoint ? plan[at + 1] : plan[at - 1];
  entry.altitude = neighbour.altitude;
  entry.speed = neighbour.speed;
  ++plan.insertIndex;
  ++plan.tail;
}

}  // namespace

ProcedureActivation ActivateSelectedProcedure(ProcedureTable& table, FlightPlan& plan) {
  ProcedureActivation activation;
  const std::int32_t first = table.selected;
  // Nothing shown (0, or an index a smaller table left behind), or past the last procedure.
  if (first < 1 || first >= table.endIndex()) return activation;
  const std::int32_t end = ProcedureRunEnd(table, first);
  const std::int32_t count = end - first;
  const ProcedureEntry& head = table.entries[static_cast<std::size_t>(first)];
  if (plan.tail < 1 || plan.tail >= FlightPlan::kCapacity) {
    activation.status = kNoDepartureForProcedureText;
    return activation;
  }
  if (plan.tail + count >= FlightPlan::kCapacity) {
    activation.status = kPlanFullForProcedureText;
    return activation;
  }
  if (plan.insertMode) {
    // Inserting before the departure or past the end would leave a gap or reach outside the plan.
    plan.insertIndex = std::clamp(plan.insertIndex, 1, plan.tail + 1);
  }
  for (std::int32_t e = first; e < end; ++e) {
    const ProcedureEntry& point = table.entries[static_cast<std::size_t>(e)];
    if (plan.insertMode) {
      InsertAtInsertIndex(plan, point);
    } else {
      AppendBeforeArrival(plan, point);
    }
  }
  // The point after the inserted ones now follows the procedure's last point.
  if (plan.insertMode) MeasureLegTo(plan, plan.insertIndex);
  table.selected = end;
  activation.pointsAdded = count;
  activation.status =
      "Added " + ProcedureTitle(head) + ": " + std::to_string(count) + (count == 1 ? " point" : " points");
  return activation;
}

}  // namespace corvane::plan
