// "Track legs": the leg's line is closed on, turns start where they end on the next leg, the descent
// follows its path, and with the box off the tick writes what it always wrote.
#include "corvane/autopilot/leg_tracking.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "corvane/autopilot/autopilot_tick.h"
#include "corvane/autopilot/recording_commands.h"
#include "corvane/autopilot/waypoint_geometry.h"

namespace corvane::autopilot {
namespace {

constexpr double kDegToRad = 3.141592653589793 / 180.0;

plan::FlightPlan PlanOf(const std::vector<plan::Waypoint>& entries) {
  plan::FlightPlan plan;
  for (std::size_t i = 0; i < entries.size(); ++i) plan[static_cast<std::int32_t>(i)] = entries[i];
  plan.tail = static_cast<std::int32_t>(entries.size()) - 1;
  return plan;
}

plan::Waypoint At(float latitude, float longitude, std::int32_t altitudeFt = 0) {
  return plan::Waypoint{latitude, longitude, "WPT", ".", plan::WaypointKind::kFix, altitudeFt, 250};
}

// east of the 5°E meridian by this many nm, at 10.5°N.
simlink::AircraftState OffTheMeridian(double eastNm, double latitude = 10.5) {
  simlink::AircraftState aircraft;
  aircraft.latitude = latitude;
  aircraft.longitude = 5.0 + eastNm / 60 / std::cos(latitude * kDegToRad);
  aircraft.groundSpeedKt = 300;
  aircraft.apHeadingDeg = 180;
  return aircraft;
}

// The aircraft flying the target heading at once, one second at a time.
void FlyOneSecond(simlink::AircraftState& aircraft, double headingDeg) {
  const double nm = aircraft.groundSpeedKt / 3600.0;
  aircraft.latitude += nm * std::cos(headingDeg * kDegToRad) / 60;
  aircraft.longitude += nm * std::sin(headingDeg * kDegToRad) / 60 / std::cos(aircraft.latitude * kDegToRad);
  aircraft.headingDegTrue = static_cast<float>(headingDeg);
}

TEST(LegTracking, TheLegsLineIsClosedOnAtABoundedIntercept) {
  for (const double startNm : {-4.0, 0.6, 3.0}) {
    SCOPED_TRACE(startNm);
    plan::FlightPlan plan = PlanOf({At(10, 5), At(13, 5), At(14, 5)});
    plan.ActiveWaypointIndex = 1;
    AutopilotState state;
    simlink::AircraftState aircraft = OffTheMeridian(startNm);
    double offNm = std::abs(startNm);
    for (int second = 0; second < 600; ++second) {
      ASSERT_FALSE(SteerAlongActiveLeg(state, plan, aircraft));
      EXPECT_LE(std::abs(SignedDifferenceDeg(state.targetHeadingDeg)), kInterceptLimitDeg + 0.5);
      FlyOneSecond(aircraft, state.targetHeadingDeg);
      const double nowNm = std::abs(ActiveLegPosition(plan, aircraft).crossTrackNm);
      EXPECT_LE(nowNm, std::max(offNm, 0.03)) << second;
      offNm = nowNm;
    }
    EXPECT_LT(offNm, 0.03);
  }
}

// A right turn of 90° at 300 kt: a 2.81 nm radius (25° of bank) and 0.17 nm to roll in.
TEST(LegTracking, TheTurnStartsItsLeadEarlyAndTheWaypointIsPassedAtItsBisector) {
  EXPECT_NEAR(TurnLeadNm(300, 90), 2.98, 0.01);
  EXPECT_NEAR(TurnLeadNm(300, -90), 2.98, 0.01);
  EXPECT_NEAR(TurnLeadNm(300, 0), 0.17, 0.01);
  EXPECT_NEAR(TurnLeadNm(120, 60), 120 / 3600.0 / (3 * kDegToRad) * std::tan(30 * kDegToRad) + 0.07, 0.01);
  EXPECT_NEAR(TurnLeadNm(300, 170), TurnLeadNm(300, 120), 1e-9);

  struct Case {
    double toGoNm, eastNm;
    bool switched;
    std::int32_t targetDeg;
  };
  // On the old leg, inside the lead (steered onto the next leg, 2.8 nm right of it), past the bisector.
  for (const Case& c : {Case{3.2, 0, false, 0}, Case{2.8, 0, false, 60}, Case{0.3, 0.5, true, 85}}) {
    SCOPED_TRACE(c.toGoNm);
    plan::FlightPlan plan = PlanOf({At(10, 5), At(11, 5), At(11, 6)});
    plan.ActiveWaypointIndex = 1;
    AutopilotState state;
    const simlink::AircraftState aircraft = OffTheMeridian(c.eastNm, 11 - c.toGoNm / 60);
    EXPECT_EQ(SteerAlongActiveLeg(state, plan, aircraft), c.switched);
    EXPECT_EQ(state.targetHeadingDeg, c.targetDeg);
  }
  // Into the first waypoint, with no leg before it, the turn's start passes it (else it is circled).
  plan::FlightPlan plan = PlanOf({At(11, 5), At(11, 6)});
  plan.ActiveWaypointIndex = 0;
  AutopilotState state;
  EXPECT_FALSE(SteerAlongActiveLeg(state, plan, OffTheMeridian(0, 11 - 3.2 / 60)));
  EXPECT_TRUE(SteerAlongActiveLeg(state, plan, OffTheMeridian(0, 11 - 2.8 / 60)));
}

// Level at FL330 to the top of descent, then 350 ft/nm down to 12000 ft over the 60 nm leg after it.
TEST(LegTracking, VnavHoldsTheLevelToTheTopOfDescentAndMeetsTheNextAltitudeAtItsWaypoint) {
  struct Case {
    std::int32_t active;
    double latitude, altitudeFt, verticalSpeedFpm;
  };
  const Case cases[] = {
      {1, 10.5, 33000, 0},      // before the top of descent
      {1, 10.99, 33050, -150},  // a little high there: back down, no descent yet
      {2, 11.5, 22500, -1750},  // on the path: the path's own rate at 300 kt
      {2, 11.5, 22700, -2350},  // above it: steeper
      {2, 11.5, 21500, 0},      // below it: level until the path comes down
  };
  const plan::FlightPlan base = PlanOf({At(10, 5, 33000), At(11, 5, 33000), At(12, 5, 12000), At(13, 5, 2000)});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.latitude);
    plan::FlightPlan plan = base;
    plan.ActiveWaypointIndex = c.active;
    simlink::AircraftState aircraft = OffTheMeridian(0, c.latitude);
    aircraft.altitudeFt = c.altitudeFt;
    EXPECT_NEAR(PathVerticalSpeedFpm(plan, aircraft), c.verticalSpeedFpm, 20);
  }
  // Flown from the top of descent 300 ft high: at the waypoint within 50 ft of its altitude.
  plan::FlightPlan plan = base;
  plan.ActiveWaypointIndex = 2;
  simlink::AircraftState aircraft = OffTheMeridian(0, 11);
  aircraft.altitudeFt = 33300;
  while (aircraft.latitude < 12) {
    aircraft.altitudeFt += std::clamp(PathVerticalSpeedFpm(plan, aircraft), -2500.0, 2600.0) / 60;
    FlyOneSecond(aircraft, 0);
  }
  EXPECT_NEAR(aircraft.altitudeFt, 12000, 50);
}

// On a northbound leg with the aircraft 1 and 3 nm east of it: with the box off only the aircraft more
// than 2° off the bearing to the waypoint gets that bearing; with it on both get the course back to the line.
TEST(LegTracking, TheBoxOffWritesWhatTheSpecifiedLnavWrites) {
  struct Case {
    double eastNm;
    std::vector<std::string> writesOff, writesOn;
  };
  const Case cases[] = {{1, {}, {"heading 343.0"}}, {3, {"heading 354.0"}, {"heading 330.0"}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.eastNm);
    for (const bool trackLegs : {false, true}) {
      plan::FlightPlan plan = PlanOf({At(10, 5), At(11, 5), At(12, 5)});
      plan.ActiveWaypointIndex = 1;
      AutopilotState state{.AutopilotMode = kModeLnav};
      RecordingCommands commands;
      TickSettings settings;
      settings.trackLegs = trackLegs;
      RunAutopilotTick(state, plan, OffTheMeridian(c.eastNm), settings, commands);
      EXPECT_EQ(commands.writes, trackLegs ? c.writesOn : c.writesOff);
    }
  }
}

}  // namespace
}  // namespace corvane::autopilot
