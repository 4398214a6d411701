// The descent profile: the climb and descent walks, the markers, the retries and their limits.
#include "corvane/autopilot/descent_profile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "corvane/autopilot/profile_markers.h"
#include "corvane/plan/plan_listing.h"

namespace corvane::autopilot {
namespace {

using Labels = std::vector<std::string>;

// A departure, fixes and an arrival due north from 10°N 5°E, legNm apart (just over, so that each leg
// truncates to legNm).
plan::FlightPlan MeridianPlan(int legs, double legNm, std::string departureFt = "0", std::string arrivalFt = "0") {
  plan::FlightPlan plan;
  for (int i = 0; i <= legs; ++i) {
    const bool airport = i == 0 || i == legs;
    plan[i] = plan::Waypoint{static_cast<float>(10 + i * (legNm + 0.004) / 60), 5.0f,
                             airport ? "APT" : "FIX" + std::to_string(i),
                             i == 0 ? departureFt : (i == legs ? arrivalFt : "."),
                             airport ? plan::WaypointKind::kAirport : plan::WaypointKind::kFix};
  }
  plan.tail = legs;
  return plan;
}

DescentInputs Inputs(std::int32_t cruiseFt) {
  DescentInputs inputs;
  inputs.cruiseAltitudeFt = cruiseFt;
  inputs.cruiseSpeedKt = 320;
  inputs.climbFtPerNm = 250;
  inputs.descentFtPerNm = 200;
  return inputs;
}

Labels MarkerLabels(const plan::FlightPlan& plan) {
  Labels labels;
  for (std::int32_t i = 0; i <= plan.tail; ++i) {
    if (IsMarker(plan[i])) labels.push_back(plan[i].info);
  }
  return labels;
}

void ExpectFinitePositions(const plan::FlightPlan& plan) {
  for (std::int32_t i = 0; i <= plan.tail; ++i) {
    EXPECT_TRUE(std::isfinite(plan[i].lat) && std::isfinite(plan[i].lon)) << "entry " << i;
  }
}

TEST(DescentProfile, TwentyMileLegsFromSeaLevelToFlightLevel330) {
  plan::FlightPlan plan = MeridianPlan(20, 20);
  const float lat1 = plan[1].lat;
  const float lat2 = plan[2].lat;
  const DescentOutcome outcome = BuildDescentProfile(plan, Inputs(33000));
  ASSERT_TRUE(outcome.built) << outcome.failure;
  EXPECT_EQ(outcome.cruiseAltitudeFt, 33000);
  EXPECT_EQ(outcome.listing, plan::ListPlan(plan));
  // 20 × 250 × 1.5 = 7500 at entry 1, 15000 at entry 2: 10000 ft a third of the way between them.
  EXPECT_EQ(plan[1].altitude, 7500);
  EXPECT_EQ(plan[1].speed, 250);
  ASSERT_EQ(plan[2].info, "FL100");
  EXPECT_NEAR(plan[2].lat, lat1 + (lat2 - lat1) / 3, 1e-5);
  EXPECT_EQ(plan[2].legNm, 6);
  EXPECT_EQ(plan[3].legNm, 14);
  EXPECT_EQ(plan[3].altitude, 13500);  // 10000 + 14 × 250 over the rest of that leg
  EXPECT_EQ(MarkerLabels(plan), (Labels{"FL100", "*TOC*", "*TOD*", "FL120", "*IAF*", "*FAF*"}));
  struct Expected {
    std::int32_t kind, altitude, speed;
  };
  const Expected markers[] = {{28, 10000, 250}, {28, 33000, 320}, {30, 33000, 320},
                              {30, 12000, 290}, {30, 6000, 250},  {30, 3000, 220}};
  int m = 0;
  for (std::int32_t i = 0; i <= plan.tail; ++i) {
    if (!IsMarker(plan[i])) continue;
    SCOPED_TRACE(plan[i].info);
    EXPECT_EQ(plan::KindNumber(plan[i].kind), markers[m].kind);
    EXPECT_EQ(plan[i].altitude, markers[m].altitude);
    EXPECT_EQ(plan[i].speed, markers[m].speed);
    ++m;
  }
  EXPECT_EQ(plan[plan.tail].altitude, 0);
  EXPECT_EQ(plan[plan.tail].speed, 160);
}

TEST(DescentProfile, CruiseRaisedForTheApproachWithoutLeftoverMarkers) {
  // C 4000 below F 5000 → 6000, below I 8000 → 8000. There the last leg's d reaches 8000 at once:
  // the "*IAF*" and "*TOD*" fall on the same entry and must not land at an undefined place.
  plan::FlightPlan plan = MeridianPlan(6, 20, "0", "2000");
  const DescentOutcome outcome = BuildDescentProfile(plan, Inputs(4000));
  ASSERT_TRUE(outcome.built) << outcome.failure;
  EXPECT_EQ(outcome.cruiseAltitudeFt, 8000);
  EXPECT_EQ(MarkerLabels(plan), (Labels{"*TOC*", "*TOD*", "*IAF*", "*FAF*"}));
  ExpectFinitePositions(plan);
  const std::int32_t tod = plan.tail - 3;
  ASSERT_EQ(plan[tod].info, "*TOD*");
  EXPECT_EQ(plan[tod].lat, plan[tod - 1].lat);
  EXPECT_EQ(plan[tod].legNm, 0);
}

TEST(DescentProfile, SpeedLimitMarkersOnlyWhereTheProfilePassesThem) {
  struct Case {
    std::int32_t cruiseFt;
    std::string departureFt, arrivalFt;
    std::int32_t builtFt;
    Labels labels;
  };
  const Case cases[] = {
      {11000, "0", "0", 11000, {"FL100", "*TOC*", "*TOD*", "*IAF*", "*FAF*"}},
      {11000, "0", "6000", 13000, {"FL100", "*TOC*", "*TOD*", "*IAF*", "*FAF*"}},  // raised to I, not past 12000
      {13000, "0", "5000", 13000, {"FL100", "*TOC*", "*TOD*", "FL120", "*IAF*", "*FAF*"}},
      // From an airport at or above 10000 ft no leg crosses it.
      {33000, "10500", "0", 33000, {"*TOC*", "*TOD*", "FL120", "*IAF*", "*FAF*"}},
      // At or above cruise there is no climb at all.
      {6000, "7000", "0", 6000, {"*TOD*", "*IAF*", "*FAF*"}},
      // The settings file's default cruise of 290 ft is raised to the approach altitudes.
      {290, "600", "0", 6290, {"*TOC*", "*TOD*", "*IAF*", "*FAF*"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.cruiseFt << " from " << c.departureFt << " to " << c.arrivalFt);
    plan::FlightPlan plan = MeridianPlan(20, 20, c.departureFt, c.arrivalFt);
    const DescentOutcome outcome = BuildDescentProfile(plan, Inputs(c.cruiseFt));
    ASSERT_TRUE(outcome.built) << outcome.failure;
    EXPECT_EQ(outcome.cruiseAltitudeFt, c.builtFt);
    EXPECT_EQ(MarkerLabels(plan), c.labels);
    ExpectFinitePositions(plan);
  }
}

TEST(DescentProfile, PressingTwiceGivesThePlanOfOnePress) {
  // Legs of 20.1 nm to an arrival at 50 ft: the approach markers split the last leg into parts whose
  // truncated lengths add up to less than its 20 nm. Only a leg recomputed from the positions keeps it.
  plan::FlightPlan plan;
  const std::vector<std::string> text = plan::ListPlan(MeridianPlan(20, 20.096, "0", "50"));
  const DescentOutcome once = CalcDescent(text, Inputs(33000), plan);
  ASSERT_TRUE(once.built) << once.failure;
  const DescentOutcome twice = CalcDescent(once.listing, Inputs(once.cruiseAltitudeFt), plan);
  ASSERT_TRUE(twice.built) << twice.failure;
  EXPECT_EQ(twice.listing, once.listing);
}

TEST(DescentProfile, PlansItCannotProfileStayAsTheTextGaveThem) {
  struct Case {
    const char* what;
    plan::FlightPlan plan;
    const char* failure;
  };
  plan::FlightPlan departureOnly = MeridianPlan(1, 20);
  departureOnly[1] = {};
  const Case cases[] = {
      {"too short for any cruise altitude", MeridianPlan(4, 5), "too short"},
      {"departure and arrival only", MeridianPlan(1, 200), "too short"},
      // Amsterdam, Spijkerboor, Heathrow: the climb cannot end at the one fix, whatever the cruise altitude.
      {"one short leg before the last", MeridianPlan(2, 14),
       "the climb must reach the cruise altitude before the last leg"},
      {"any of them", MeridianPlan(4, 5), "Add a waypoint or lower the cruise altitude"},
      {"no arrival", departureOnly, "needs a departure and an arrival"},
      {"no room for the markers", MeridianPlan(498, 1), "full"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    plan::FlightPlan plan = c.plan;
    const DescentOutcome outcome = BuildDescentProfile(plan, Inputs(33000));
    EXPECT_FALSE(outcome.built);
    EXPECT_NE(outcome.failure.find(c.failure), std::string::npos) << outcome.failure;
    EXPECT_EQ(outcome.cruiseAltitudeFt, 33000);
    EXPECT_EQ(plan::ListPlan(plan), plan::ListPlan(c.plan));
  }
}

}  // namespace
}  // namespace corvane::autopilot
