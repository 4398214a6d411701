// ACT: where a procedure's points go in the plan, what they carry, and what a second ACT adds.
#include "corvane/plan/procedure_activation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane::plan {
namespace {

Waypoint Point(std::string ident, float lat, float lon, std::int32_t altitude = 0, std::int32_t speed = 0) {
  Waypoint waypoint{lat, lon, std::move(ident), ".", WaypointKind::kFix, altitude, speed, 0};
  return waypoint;
}

const Waypoint kEham = Point("EHAM ", 52.3f, 4.76f, 33000, 320);
const Waypoint kBikf = Point("BIKF ", 64.0f, -22.6f, 33000, 320);
const Waypoint kSpy = Point("SPY", 52.54f, 4.85f, 24000, 300);

// The waypoints in order; the arrival, when there is one, stands at tail.
FlightPlan PlanOf(const std::vector<Waypoint>& waypoints, bool withArrival) {
  FlightPlan plan;
  for (std::size_t i = 0; i < waypoints.size(); ++i) plan.entries[i] = waypoints[i];
  for (std::int32_t i = 1; i < static_cast<std::int32_t>(waypoints.size()); ++i) plan[i].legNm = LegNm(plan, i - 1, i);
  plan.tail = static_cast<std::int32_t>(waypoints.size()) - (withArrival ? 1 : 0);
  return plan;
}

// "ident kind altitude speed leg info" for every listed entry.
std::vector<std::string> Describe(const FlightPlan& plan) {
  std::vector<std::string> lines;
  for (std::int32_t i = 0; i < plan.ListedCount(); ++i) {
    const Waypoint& w = plan[i];
    lines.push_back(w.ident + " " + std::to_string(KindNumber(w.kind)) + " " + std::to_string(w.altitude) + " " +
                    std::to_string(w.speed) + " " + std::to_string(w.legNm) + " " + w.info);
  }
  return lines;
}

// Entries 1-2 are ANDI1S over two runways (one run), entry 3 is BERG1S, entry 4 the end entry.
ProcedureTable Sids() {
  ProcedureTable table;
  table.entries = {{"", 1, 1, "", ""},
                   {"EH032", 52.26f, 4.59f, "ANDI1S", "RW24"},
                   {"ANDIK", 52.74f, 5.27f, "ANDI1S", "RW24"},
                   {"BERGI", 52.75f, 4.36f, "BERG1S", "RW24"},
                   {}};
  table.selected = 1;
  return table;
}

TEST(ActivateSelectedProcedure, PlacesThePointsAndLeavesTheSelectionAfterThem) {
  struct Case {
    std::string name;
    FlightPlan plan;
    bool insertMode;
    std::int32_t insertIndex, selected;
    std::vector<std::string> expected;
    std::int32_t tail, insertIndexAfter, selectedAfter;
  };
  const FlightPlan departureAndArrival = PlanOf({kEham, kSpy, kBikf}, true);
  const FlightPlan departureOnly = PlanOf({kEham}, false);
  const std::vector<Case> cases = {
      {"append before the arrival",
       departureAndArrival,
       false,
       0,
       1,
       {"EHAM  11 33000 320 0 .", "SPY 11 24000 300 14 .", "EH032 29 24000 300 19 ANDI1S",
        "ANDIK 29 24000 300 38 ANDI1S", "BIKF  11 33000 320 1103 ."},
       4,
       0,
       3},
      {"insert after the departure",
       departureAndArrival,
       true,
       1,
       1,
       {"EHAM  11 33000 320 0 .", "EH032 29 24000 300 6 ANDI1S", "ANDIK 29 24000 300 38 ANDI1S",
        "SPY 11 24000 300 19 .", "BIKF  11 33000 320 1102 ."},
       4,
       3,
       3},
      {"insert before the departure goes after it",
       departureAndArrival,
       true,
       0,
       3,
       {"EHAM  11 33000 320 0 .", "BERGI 29 24000 300 30 BERG1S", "SPY 11 24000 300 21 .", "BIKF  11 33000 320 1102 ."},
       3,
       2,
       4},
      {"append without arrival",
       departureOnly,
       false,
       0,
       3,
       {"EHAM  11 33000 320 0 .", "BERGI 29 33000 320 30 BERG1S"},
       2,
       0,
       4},
      {"insert without arrival",
       departureOnly,
       true,
       1,
       3,
       {"EHAM  11 33000 320 0 .", "BERGI 29 33000 320 30 BERG1S"},
       2,
       2,
       4},
      {"nothing selected", departureOnly, false, 0, 0, {"EHAM  11 33000 320 0 ."}, 1, 0, 0},
      {"past the last procedure", departureOnly, false, 0, 4, {"EHAM  11 33000 320 0 ."}, 1, 0, 4},
      {"no departure", FlightPlan{}, false, 0, 1, {}, 0, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FlightPlan plan = c.plan;
    plan.insertMode = c.insertMode;
    plan.insertIndex = c.insertIndex;
    ProcedureTable table = Sids();
    table.selected = c.selected;
    const ProcedureActivation activation = ActivateSelectedProcedure(table, plan);
    EXPECT_EQ(Describe(plan), c.expected);
    EXPECT_EQ(plan.tail, c.tail);
    EXPECT_EQ(plan.insertIndex, c.insertIndexAfter);
    EXPECT_EQ(table.selected, c.selectedAfter);
    EXPECT_EQ(activation.pointsAdded, c.tail - c.plan.tail);
  }
}

TEST(ActivateSelectedProcedure, ASecondActAddsTheFollowingProcedureThenNothing) {
  FlightPlan plan = PlanOf({kEham, kBikf}, true);
  ProcedureTable table = Sids();
  EXPECT_EQ(ActivateSelectedProcedure(table, plan).status, "Added ANDI1S RW24: 2 points");
  EXPECT_EQ(ActivateSelectedProcedure(table, plan).status, "Added BERG1S RW24: 1 point");
  EXPECT_EQ(ActivateSelectedProcedure(table, plan).status, "");
  EXPECT_EQ(plan.tail, 4);
  EXPECT_EQ(plan[3].ident, "BERGI");
  EXPECT_EQ(plan[4].ident, "BIKF ");
  // > from past the last procedure wraps to the first.
  table.selected = NextProcedure(table);
  EXPECT_EQ(SelectedProcedureText(table), "ANDI1S RW24: EH032 ANDIK");
}

TEST(ActivateSelectedProcedure, AddsAWholeProcedureOrNothing) {
  for (const std::int32_t tail : {FlightPlan::kCapacity - 3, FlightPlan::kCapacity - 2, FlightPlan::kCapacity - 1}) {
    for (const bool insertMode : {false, true}) {
      SCOPED_TRACE(std::to_string(tail) + (insertMode ? " insert" : " append"));
      FlightPlan plan;
      for (std::int32_t i = 0; i <= tail; ++i) plan[i] = Point("P", 50.0f + 0.01f * static_cast<float>(i), 4.0f);
      plan.tail = tail;
      plan.insertMode = insertMode;
      plan.insertIndex = tail + 1;
      ProcedureTable table = Sids();
      const ProcedureActivation activation = ActivateSelectedProcedure(table, plan);
      const bool fits = tail + 2 < FlightPlan::kCapacity;
      EXPECT_EQ(plan.tail, fits ? tail + 2 : tail);
      EXPECT_EQ(table.selected, fits ? 3 : 1);
      EXPECT_EQ(activation.status, fits ? "Added ANDI1S RW24: 2 points" : kPlanFullForProcedureText);
    }
  }
}

}  // namespace
}  // namespace corvane::plan
