// Leg lengths, the edit primitives, the delete command and the active-waypoint buttons.
#include "corvane/plan/flight_plan.h"

#include <gtest/gtest.h>

#include <vector>

#include "corvane/navdata/nav_tables.h"
#include "corvane/plan/delete_command.h"

namespace corvane::plan {
namespace {

Waypoint Point(std::string ident, float lat, float lon, WaypointKind kind = WaypointKind::kFix) {
  Waypoint entry;
  entry.ident = std::move(ident);
  entry.lat = lat;
  entry.lon = lon;
  entry.kind = kind;
  entry.info = ".";
  entry.altitude = 33000;
  entry.speed = 320;
  return entry;
}

// Departure, the given points, and the arrival in the tail slot.
FlightPlan PlanOf(std::vector<Waypoint> points) {
  FlightPlan plan;
  for (std::size_t i = 0; i < points.size(); ++i) plan.entries[i] = points[i];
  plan.tail = static_cast<std::int32_t>(points.size()) - 1;
  for (std::int32_t i = 1; i <= plan.tail; ++i) plan[i].legNm = LegNm(plan, i - 1, i);
  return plan;
}

struct SegmentRow {
  float fromLatitude = 0, fromLongitude = 0, toLatitude = 0, toLongitude = 0;
  std::string fromIdent, toIdent;
};
const std::vector<SegmentRow> kNoSegments = {SegmentRow{}};

TEST(LegNm, FlatEarthWithTheMeanCosine) {
  struct Case {
    float latA, lonA, latB, lonB;
    std::int32_t legNm;
  } cases[] = {
      {0, 0, 0, 1, 60},                                       // one degree of longitude on the equator
      {60, 0, 60, 1, 30},                                     // half of it at 60 degrees
      {60, 1, 60, 0, 30},                                     // either direction
      {10, 20, 11, 20, 60},                                   // one degree of latitude anywhere
      {0, 0, 0, 0.0165f, 0},                                  // 0.99 nm is truncated to 0
      {50, 0, 51, 0, 60},    {-33.5f, 151, -33.5f, 152, 50},  // cos(33.5) = 0.8339
  };
  for (const Case& c : cases) {
    FlightPlan plan = PlanOf({Point("A", c.latA, c.lonA), Point("B", c.latB, c.lonB)});
    EXPECT_EQ(LegNm(plan, 0, 1), c.legNm) << c.latA << "/" << c.lonA << " to " << c.latB << "/" << c.lonB;
  }
  EXPECT_NEAR(DistanceNm(0, 0, 0, 0.0165), 0.99, 1e-9);
}

TEST(FlightPlanPrimitives, DuplicateTailAndEraseKeepInsideTheCapacity) {
  FlightPlan plan = PlanOf(
      {Point("EHAM ", 52.3f, 4.76f, WaypointKind::kAirport), Point("BIKF ", 63.98f, -22.6f, WaypointKind::kAirport)});
  DuplicateTail(plan);
  EXPECT_EQ(plan[2].ident, "BIKF ");
  EXPECT_EQ(plan.tail, 1);
  EraseEntry(plan);
  EXPECT_TRUE(plan[1].IsEndMarker());
  EXPECT_EQ(plan[1].ident, "");
  EXPECT_EQ(plan.ListedCount(), 1);

  plan.tail = FlightPlan::kCapacity - 1;
  EXPECT_FALSE(HasRoomForOneMore(plan));
  DuplicateTail(plan);  // would write entry 500
  plan.tail = FlightPlan::kCapacity - 2;
  EXPECT_TRUE(HasRoomForOneMore(plan));
}

TEST(DeleteEntry, RemovesTheWaypointBeforeTheTail) {
  FlightPlan plan =
      PlanOf({Point("EHAM ", 52.3f, 4.76f, WaypointKind::kAirport), Point("SPY", 52.5f, 4.85f, WaypointKind::kVor),
              Point("REDFA ", 53.5f, 3.0f), Point("BIKF ", 63.98f, -22.6f, WaypointKind::kAirport)});
  EXPECT_EQ(DeleteEntry(plan), "Deleting 11 REDFA ");
  EXPECT_EQ(plan.tail, 2);
  EXPECT_EQ(plan[2].ident, "BIKF ");
  EXPECT_EQ(plan[2].legNm, LegNm(plan, 1, 2));
  EXPECT_TRUE(plan[3].IsEndMarker());
  EXPECT_EQ(plan.ListedCount(), 3);
}

TEST(DeleteEntry, InInsertModeRemovesTheEntryBeforeTheInsertionPoint) {
  FlightPlan plan =
      PlanOf({Point("EHAM ", 52.3f, 4.76f, WaypointKind::kAirport), Point("SPY", 52.5f, 4.85f, WaypointKind::kVor),
              Point("REDFA ", 53.5f, 3.0f), Point("BIKF ", 63.98f, -22.6f, WaypointKind::kAirport)});
  plan.insertMode = true;
  plan.insertIndex = 2;
  EXPECT_EQ(DeleteEntry(plan), "Deleting 3 SPY");
  EXPECT_EQ(plan.tail, 2);
  EXPECT_EQ(plan.insertIndex, 1);
  EXPECT_EQ(plan[1].ident, "REDFA ");
  EXPECT_EQ(plan[1].legNm, LegNm(plan, 0, 1));
  EXPECT_EQ(plan[2].ident, "BIKF ");
  EXPECT_TRUE(plan[3].IsEndMarker());

  plan.insertIndex = 0;  // nothing before the insertion point
  EXPECT_EQ(DeleteEntry(plan), "");
  EXPECT_EQ(plan.tail, 2);
}

TEST(DeleteCommand, MapViewCases) {
  const Waypoint departure = Point("EHAM ", 52.3f, 4.76f, WaypointKind::kAirport);
  const Waypoint arrival = Point("BIKF ", 63.98f, -22.6f, WaypointKind::kAirport);
  struct Case {
    const char* name;
    FlightPlan plan;
    DeleteSource source;
    std::string status;
    std::int32_t tailAfter;
    std::int32_t listedAfter;
    bool reset;
  };
  FlightPlan departureOnly = PlanOf({departure});
  departureOnly.tail = 1;
  Case cases[] = {
      {"empty plan", FlightPlan{}, DeleteSource::kKey, "", 0, 0, false},
      {"departure only", departureOnly, DeleteSource::kKey, "Deleting 1 EHAM ", 0, 0, false},
      {"arrival by key", PlanOf({departure, arrival}), DeleteSource::kKey, "Deleting 1 BIKF ", 1, 1, false},
      {"arrival by middle button", PlanOf({departure, arrival}), DeleteSource::kMiddleButton, "Deleting 1 BIKF ", 1, 1,
       true},
      {"en-route point", PlanOf({departure, Point("SPY", 52.5f, 4.85f, WaypointKind::kVor), arrival}),
       DeleteSource::kKey, "Deleting 3 SPY", 1, 2, false},
  };
  for (Case& c : cases) {
    const DeleteOutcome outcome = DeleteCommandMapView(c.plan, kNoSegments, c.source);
    EXPECT_EQ(outcome.status, c.status) << c.name;
    EXPECT_EQ(c.plan.tail, c.tailAfter) << c.name;
    EXPECT_EQ(c.plan.ListedCount(), c.listedAfter) << c.name;
    EXPECT_EQ(outcome.resetDisplay, c.reset) << c.name;
  }
}

TEST(DeleteCommand, RebuildsTheAirwayNeighboursOfTheNewLastEnRoutePoint) {
  const std::vector<SegmentRow> segments = {
      {53.0f, 3.0f, 54.0f, 2.0f, "REDFA ", "NORKU "},
      {52.0f, 4.0f, 53.0f, 3.0f, "SPY", "REDFA "},
      {10.0f, 10.0f, 11.0f, 11.0f, "OTHER ", "NONE "},
      SegmentRow{},
  };
  FlightPlan plan = PlanOf({Point("EHAM ", 52.3f, 4.76f, WaypointKind::kAirport),
                            Point("SPY", 52.0f, 4.0f, WaypointKind::kVor), Point("REDFA ", 53.0f, 3.0f),
                            Point("NORKU ", 54.0f, 2.0f), Point("BIKF ", 63.98f, -22.6f, WaypointKind::kAirport)});
  DeleteCommandMapView(plan, segments, DeleteSource::kKey);
  EXPECT_EQ(plan.tail, 3);
  EXPECT_EQ(plan[2].ident, "REDFA ");
  EXPECT_FLOAT_EQ(plan.airwayPoints[0].lat, 54.0f);
  EXPECT_FLOAT_EQ(plan.airwayPoints[1].lat, 52.0f);
  EXPECT_EQ(plan.airwayPoints[2].lat, 0.0f);
  EXPECT_EQ(plan.airwayPoints[2].lon, 0.0f);
  EXPECT_EQ(plan[3].legNm, LegNm(plan, 2, 3));
}

TEST(UpdateAirwayNeighbours, ReadsTheAirwayTableBothWaysWithTrimmedIdents) {
  navdata::AirwaySegmentTable table;
  table.OpenForAppend(3);
  table.Append({52.0f, 4.0f, 53.0f, 3.0f, "UL980 ", "SPY ", "REDFA ", navdata::AirwayLevel::kHigh});
  table.Append({53.0f, 3.0f, 54.0f, 2.0f, "UL980 ", "REDFA ", "NORKU ", navdata::AirwayLevel::kHigh});
  table.Append({50.0f, 1.0f, 51.0f, 2.0f, "L10 ", "ABC ", "DEF ", navdata::AirwayLevel::kLow});
  table.Close();
  FlightPlan plan = PlanOf({Point("EHAM ", 52.3f, 4.76f, WaypointKind::kAirport), Point("REDFA", 53.0f, 3.0f)});
  UpdateAirwayNeighbours(plan, table);
  EXPECT_FLOAT_EQ(plan.airwayPoints[0].lat, 52.0f);  // from the segment that ends at REDFA
  EXPECT_FLOAT_EQ(plan.airwayPoints[1].lat, 54.0f);  // from the segment that starts there
  EXPECT_EQ(plan.airwayPoints[2].lat, 0.0f);

  // More neighbours than the list holds: it stays ended by its 0/0 entry.
  navdata::AirwaySegmentTable crowded;
  crowded.OpenForAppend(600);
  for (int i = 0; i < 600; ++i)
    crowded.Append(
        {53.0f, 3.0f, 54.0f, 2.0f + 0.001f * static_cast<float>(i), "X ", "REDFA ", "N ", navdata::AirwayLevel::kLow});
  crowded.Close();
  UpdateAirwayNeighbours(plan, crowded);
  EXPECT_NE(plan.airwayPoints[kAirwayPointCapacity - 2].lat, 0.0f);
  EXPECT_EQ(plan.airwayPoints[kAirwayPointCapacity - 1].lat, 0.0f);
}

TEST(ActiveWaypoint, ButtonsStayInsideThePlan) {
  FlightPlan plan = PlanOf({Point("A", 1, 1), Point("B", 2, 2), Point("C", 3, 3)});
  StepActiveWaypoint(plan, -1);
  EXPECT_EQ(plan.ActiveWaypointIndex, kNoActiveWaypoint);
  StepActiveWaypoint(plan, +1);
  EXPECT_EQ(plan.ActiveWaypointIndex, kNoActiveWaypoint);
  plan.ActiveWaypointIndex = 0;
  StepActiveWaypoint(plan, -1);
  EXPECT_EQ(plan.ActiveWaypointIndex, 0);
  StepActiveWaypoint(plan, +1);
  StepActiveWaypoint(plan, +1);
  StepActiveWaypoint(plan, +1);
  EXPECT_EQ(plan.ActiveWaypointIndex, 2);

  // A plan that shrank under the active waypoint pulls it back; "none" stays none.
  EraseEntryAt(plan, 2);
  KeepActiveWaypointInPlan(plan);
  EXPECT_EQ(plan.ActiveWaypointIndex, 1);
  ClearEntries(plan);
  KeepActiveWaypointInPlan(plan);
  EXPECT_EQ(plan.ActiveWaypointIndex, 0);
  plan.ActiveWaypointIndex = kNoActiveWaypoint;
  KeepActiveWaypointInPlan(plan);
  EXPECT_EQ(plan.ActiveWaypointIndex, kNoActiveWaypoint);
}

}  // namespace
}  // namespace corvane::plan
