// The autopilot loop against a recording autopilot: search, waypoint switch, heading, VNAV, SPD and
// spoilers.
#include "corvane/autopilot/autopilot_tick.h"

#include <gtest/gtest.h>

#include <vector>

#include "corvane/autopilot/recording_commands.h"
#include "corvane/simlink/offset_codec.h"
#include "corvane/simlink/sim_commands.h"

namespace corvane::autopilot {
namespace {

using Writes = std::vector<std::string>;

// Waypoints due north of 10°N 5°E, one every degree (60 nm), with the given altitudes.
plan::FlightPlan NorthboundPlan(const std::vector<std::int32_t>& altitudes, std::int32_t speed = 250) {
  plan::FlightPlan plan;
  for (std::int32_t i = 0; i < static_cast<std::int32_t>(altitudes.size()); ++i) {
    plan[i] = plan::Waypoint{10.0f + i, 5.0f, "WPT", ".", plan::WaypointKind::kFix, altitudes[i], speed};
  }
  plan.tail = static_cast<std::int32_t>(altitudes.size()) - 1;
  return plan;
}

// On the plan's meridian, no wind, the autopilot set to a heading no test steers to.
simlink::AircraftState AircraftAt(double latitude, float heading = 0, std::int32_t groundSpeed = 0) {
  simlink::AircraftState aircraft;
  aircraft.apHeadingDeg = 180;
  aircraft.latitude = latitude;
  aircraft.longitude = 5.0;
  aircraft.headingDegTrue = heading;
  aircraft.groundSpeedKt = groundSpeed;
  return aircraft;
}

struct TickRun {
  TickOutcome outcome;
  Writes writes;
};

TickRun Tick(AutopilotState& state, plan::FlightPlan& plan, const simlink::AircraftState& aircraft,
             const TickSettings& settings = {}) {
  RecordingCommands commands;
  TickOutcome outcome = RunAutopilotTick(state, plan, aircraft, settings, commands);
  return {std::move(outcome), commands.writes};
}

TEST(AutopilotTick, SearchPicksTheFirstWaypointAheadButNeverTheLast) {
  struct Case {
    std::int32_t waypoints;
    double aircraftLatitude;
    std::int32_t active;  // 10000: the autopilot ended
  };
  const Case cases[] = {{1, 9, 10000}, {3, 11.5, 10000}, {3, 10.5, 1}, {3, 9.5, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.waypoints << " at " << c.aircraftLatitude);
    AutopilotState state{.AutopilotMode = kModeSearch};
    plan::FlightPlan plan = NorthboundPlan(std::vector<std::int32_t>(c.waypoints));
    const TickRun run = Tick(state, plan, AircraftAt(c.aircraftLatitude));
    EXPECT_EQ(plan.ActiveWaypointIndex, c.active);
    EXPECT_EQ(run.outcome.ended, c.active == 10000);
    EXPECT_EQ(run.outcome.panel, run.outcome.ended ? OffPanel() : PanelUpdate{});
    EXPECT_EQ(state.AutopilotMode, c.active == 10000 ? kModeOff : kModeSearch);
    EXPECT_EQ(run.writes, Writes{});
  }
}

TEST(AutopilotTick, HeadingIsWrittenOnlyMoreThanTwoDegreesOff) {
  // Bearing 0 from these headings: relative bearings 357, 358, 1 and 3.
  const std::pair<float, bool> cases[] = {{3, true}, {2, false}, {359, false}, {357, true}};
  for (const auto& [heading, written] : cases) {
    SCOPED_TRACE(heading);
    AutopilotState state{.AutopilotMode = kModeLnav};
    plan::FlightPlan plan = NorthboundPlan({0, 0, 0});
    plan.ActiveWaypointIndex = 1;
    simlink::AircraftState aircraft = AircraftAt(10.5, heading);
    aircraft.magneticVariationDeg = -2;  // west: the magnetic target is 2 more than the true bearing
    const TickRun run = Tick(state, plan, aircraft);
    EXPECT_EQ(run.writes, written ? Writes{"heading 2.0"} : Writes{});
    EXPECT_EQ(run.outcome.status, written ? "FSUIPC write OK" : "");
    EXPECT_EQ(state.distanceShownNm, 30);
  }
}

// Crabbing into a crosswind keeps the aircraft off the bearing: once the autopilot has the target, no
// more writes (else one every tick for the whole leg). It reads a written 2.0° back as 1.
TEST(AutopilotTick, AHeadingTheAutopilotAlreadyHasIsNotWrittenAgain) {
  const std::int32_t readBack = simlink::DecodeApHeading(simlink::EncodeApHeading(2.0));
  for (const auto& [apHeading, written] : {std::pair{readBack, false}, {2, true}, {358, true}}) {
    SCOPED_TRACE(apHeading);
    AutopilotState state{.AutopilotMode = kModeLnav};
    plan::FlightPlan plan = NorthboundPlan({0, 0, 0});
    plan.ActiveWaypointIndex = 1;
    simlink::AircraftState aircraft = AircraftAt(10.5, 352);
    aircraft.magneticVariationDeg = -2;
    aircraft.apHeadingDeg = apHeading;
    EXPECT_EQ(Tick(state, plan, aircraft).writes, written ? Writes{"heading 2.0"} : Writes{});
  }
}

// The simulator's autopilot as corvane sees it: every write goes through the offset codec, and the
// poll shows it only when the test says so.
class CodecAutopilot final : public AutopilotCommands {
 public:
  explicit CodecAutopilot(simlink::AircraftState& aircraft) : aircraft_(aircraft), shown_(aircraft) {}
  int headingWrites = 0, altitudeWrites = 0, verticalSpeedWrites = 0;

  void Poll() { aircraft_ = shown_; }
  std::string SendApHeading(double deg) override {
    ++headingWrites;
    shown_.apHeadingDeg = simlink::DecodeApHeading(simlink::EncodeApHeading(deg));
    return std::string(simlink::kWriteOk);
  }
  std::string SendHoldHeading(double deg) override { return SendApHeading(deg); }
  std::string SendApAltitude(std::int32_t ft) override {
    ++altitudeWrites;
    shown_.apAltitudeFt = simlink::DecodeApAltitude(simlink::EncodeApAltitude(ft));
    return std::string(simlink::kWriteOk);
  }
  std::string SendApVerticalSpeed(std::int32_t fpm) override {
    ++verticalSpeedWrites;
    shown_.apVerticalSpeedFpm =
        simlink::DecodeApVerticalSpeed(static_cast<std::uint16_t>(simlink::EncodeApVerticalSpeed(fpm)));
    return std::string(simlink::kWriteOk);
  }
  std::string SendVerticalSpeedHoldOn() override { return std::string(simlink::kWriteOk); }
  std::string SendApAirspeed(std::int32_t) override { return std::string(simlink::kWriteOk); }
  std::string SendSpoilers(std::int32_t) override { return std::string(simlink::kWriteOk); }

 private:
  simlink::AircraftState& aircraft_;
  simlink::AircraftState shown_;
};

// An unchanged target is written once, whether the autopilot reads it back a degree or a foot lower
// (319° as 318, 170 ft as 169), the poll has not shown the write yet, or the rate is beyond the clamp.
TEST(AutopilotTick, AnUnchangedTargetIsWrittenOnce) {
  struct Case {
    float magneticVariationDeg;  // the heading target is the bearing 0 minus it
    double altitudeFt;
    std::int32_t targetAltitudeFt;
  };
  const Case cases[] = {
      {-319, 30000, 170},  // −3978 fpm: −2500 after the clamp
      {-2, 12000, 9000},   // −399 fpm
      {-45, 1000, 17000},  // 2600 after the clamp
      {-352, 8000, 600},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << -c.magneticVariationDeg << "° " << c.targetAltitudeFt << " ft");
    AutopilotState state{.AutopilotMode = kModeLnavVnav};
    const std::int32_t a = c.targetAltitudeFt;
    plan::FlightPlan plan = NorthboundPlan({0, a, a, a, a});  // level from 2 on: no climb phase
    plan.ActiveWaypointIndex = 3;
    simlink::AircraftState aircraft = AircraftAt(12.5, 90, 240);
    aircraft.magneticVariationDeg = c.magneticVariationDeg;
    aircraft.altitudeFt = c.altitudeFt;
    CodecAutopilot autopilot(aircraft);
    for (int tick = 0; tick < 6; ++tick) {
      RunAutopilotTick(state, plan, aircraft, TickSettings{}, autopilot);
      if (tick >= 2) autopilot.Poll();  // the first two ticks see the autopilot as it was
    }
    EXPECT_EQ(autopilot.headingWrites, 1);
    EXPECT_EQ(autopilot.altitudeWrites, 1);
    EXPECT_EQ(autopilot.verticalSpeedWrites, 1);
  }
}

// A write the simulator did not take is tried again on the next tick.
TEST(AutopilotTick, AFailedWriteIsTriedAgain) {
  AutopilotState state{.AutopilotMode = kModeLnavVnav};
  plan::FlightPlan plan = NorthboundPlan({0, 9000, 9000, 9000, 9000});
  plan.ActiveWaypointIndex = 3;
  simlink::AircraftState aircraft = AircraftAt(12.5, 90, 240);
  aircraft.altitudeFt = 12000;
  RecordingCommands commands;
  commands.failing = true;
  RunAutopilotTick(state, plan, aircraft, TickSettings{}, commands);
  RunAutopilotTick(state, plan, aircraft, TickSettings{}, commands);
  EXPECT_EQ(commands.writes,
            (Writes{"heading 0.0", "altitude 9000", "vs -399", "heading 0.0", "altitude 9000", "vs -399"}));
}

TEST(AutopilotTick, WaypointSwitchAtGroundSpeedOverFactor) {
  struct Case {
    double nmShort;  // of the active waypoint 1
    std::int32_t groundSpeed;
    std::optional<std::int32_t> factor;
    std::int32_t activeAfter;
  };
  const Case cases[] = {
      {1.9, 250, 100, 2},
      {2.1, 250, 100, 1},
      {0.1, 0, 100, 1},
      // A factor that would divide by zero or never switch is reported while it lasts, and nothing switches.
      {0.1, 250, 0, 1},
      {0.1, 250, std::nullopt, 1},
      {0.1, 250, -100, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.nmShort << " nm at " << c.groundSpeed << " / " << c.factor.value_or(-1));
    const bool fault = !c.factor || *c.factor < 1;
    AutopilotState state{.AutopilotMode = kModeLnav};
    plan::FlightPlan plan = NorthboundPlan({0, 0, 0, 0});
    plan.ActiveWaypointIndex = 1;
    TickSettings settings;
    settings.switchFactor = c.factor;
    // Heading 90: every tick writes a heading and has a status of its own.
    const simlink::AircraftState aircraft = AircraftAt(11 - c.nmShort / 60, 90, c.groundSpeed);
    EXPECT_EQ(Tick(state, plan, aircraft, settings).outcome.status, fault ? kSwitchFactorFault : "FSUIPC write OK");
    EXPECT_EQ(plan.ActiveWaypointIndex, c.activeAfter);
    EXPECT_EQ(Tick(state, plan, aircraft, settings).outcome.status == kSwitchFactorFault, fault);  // still there
    EXPECT_NE(Tick(state, plan, aircraft, TickSettings{}).outcome.status, kSwitchFactorFault);     // mended
  }
}

// A waypoint the aircraft passed advances the plan even when the switch distance is 0 (a factor above
// the ground speed, or none that reads), rather than have the aircraft circle it.
TEST(AutopilotTick, APassedWaypointAdvancesThePlan) {
  struct Case {
    std::optional<std::int32_t> factor;
    double nearestNm;  // short of waypoint 1 on the first tick
    double thenNm;     // beyond it on the second
    std::int32_t activeAfter;
  };
  const Case cases[] = {
      {300, 0.3, 0.6, 2},           // passed
      {std::nullopt, 0.3, 0.6, 2},  // passed, with the factor's fault still shown
      {300, 0.3, -0.2, 1},          // still closing
      {300, 0.3, 0.45, 1},          // not yet clearly further away
      {300, 3.0, 3.5, 1},           // never came near: a turn before it, not a passage
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.nearestNm << " then " << c.thenNm);
    AutopilotState state{.AutopilotMode = kModeLnav};
    plan::FlightPlan plan = NorthboundPlan({0, 0, 0, 0});
    plan.ActiveWaypointIndex = 1;
    TickSettings settings;
    settings.switchFactor = c.factor;
    Tick(state, plan, AircraftAt(11 - c.nearestNm / 60, 0, 250), settings);
    ASSERT_EQ(plan.ActiveWaypointIndex, 1);
    const TickRun run = Tick(state, plan, AircraftAt(11 + c.thenNm / 60, 0, 250), settings);
    EXPECT_EQ(plan.ActiveWaypointIndex, c.activeAfter);
    EXPECT_EQ(run.outcome.status == kSwitchFactorFault, !c.factor);
  }
}

TEST(AutopilotTick, NoWaypointLeftEndsTheAutopilot) {
  // Switching past the last waypoint (2), or a plan that shrank below the active one (7).
  for (const std::int32_t active : {2, 7}) {
    SCOPED_TRACE(active);
    AutopilotState state{.AutopilotMode = kModeLnavVnavSpd};
    plan::FlightPlan plan = NorthboundPlan({0, 0, 0});
    plan.ActiveWaypointIndex = active;
    const TickRun run = Tick(state, plan, AircraftAt(12, 0, 250));
    EXPECT_TRUE(run.outcome.ended);
    EXPECT_EQ(run.outcome.panel, OffPanel());
    EXPECT_EQ(state.AutopilotMode, kModeOff);
    EXPECT_EQ(plan.ActiveWaypointIndex, 10000);
    EXPECT_EQ(run.writes, Writes{});
  }
}

TEST(AutopilotTick, HoldingLeavesThePlansWaypointAlone) {
  // On the plan's last waypoint, which is also the hold fix, at 250 kt: a switch would run past the plan.
  AutopilotState state;
  StartHold(state, plan::DirectTarget{11.0f, 5.0f, "WPT"});
  plan::FlightPlan plan = NorthboundPlan({0, 0});
  plan.ActiveWaypointIndex = 1;
  for (int tick = 0; tick < 3; ++tick) EXPECT_FALSE(Tick(state, plan, AircraftAt(11, 0, 250)).outcome.ended);
  EXPECT_EQ(plan.ActiveWaypointIndex, 1);
  EXPECT_EQ(state.AutopilotMode, kModeHold);
  EXPECT_EQ(state.hold.phase, kHoldTurnOutbound);
}

TEST(AutopilotTick, VnavClimbsToTheFirstLevelAltitudeThenFliesThePath) {
  struct Case {
    bool vnavActive;
    std::int32_t active;
    std::string_view simulator;
    Writes writes;
  };
  // Altitudes 0, 4000, 9000, 9000 (end of climb at 3), 3000. The aircraft is 30 nm short of the
  // active waypoint at 8000 ft and 240 kt; the autopilot is at 9000 ft and −100 fpm.
  const Case cases[] = {
      {false, 1, "XPlane", {}},  // climbing: only the first level altitude, already set
      {true, 1, "FlightSim", {"altitude 4000", "vs -532"}},
      {false, 4, "FlightSim", {"altitude 3000", "vs -665"}},
      {false, 4, "XPlane", {"altitude 3000", "vs -665", "vs hold on"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.active << " " << c.vnavActive << " " << c.simulator);
    AutopilotState state{.AutopilotMode = kModeLnavVnav};
    plan::FlightPlan plan = NorthboundPlan({0, 4000, 9000, 9000, 3000});
    plan.ActiveWaypointIndex = c.active;
    simlink::AircraftState aircraft = AircraftAt(10 + c.active - 0.5, 0, 240);
    aircraft.altitudeFt = 8000;
    aircraft.apAltitudeFt = 9000;
    aircraft.apVerticalSpeedFpm = -100;
    TickSettings settings;
    settings.vnavActive = c.vnavActive;
    settings.simulatorName = c.simulator;
    EXPECT_EQ(Tick(state, plan, aircraft, settings).writes, c.writes);
  }
}

// Engaging VNAV writes the vertical speed its target needs, or 0 when level there: a descent the
// autopilot kept from an earlier plan would otherwise go on below a level one. Once only.
TEST(AutopilotTick, EngagingVnavWritesTheVerticalSpeedTheTargetNeeds) {
  struct Case {
    double altitudeFt;
    std::int32_t active;  // the climb lasts to 2
    std::string vsWrite;
  };
  const Case cases[] = {{2965, 1, "vs 0"}, {2965, 3, "vs 0"}, {2000, 1, "vs 134"}, {5000, 3, "vs -265"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.altitudeFt << " ft, active " << c.active);
    AutopilotState state{.AutopilotMode = kModeLnav};
    PressVnav(state);
    plan::FlightPlan plan = NorthboundPlan({0, 3000, 3000, 3000, 3000});
    plan.ActiveWaypointIndex = c.active;
    simlink::AircraftState aircraft = AircraftAt(10 + c.active - 0.5, 0, 240);
    aircraft.altitudeFt = c.altitudeFt;
    aircraft.apAltitudeFt = simlink::DecodeApAltitude(simlink::EncodeApAltitude(3000));
    aircraft.apVerticalSpeedFpm = -340;
    RecordingCommands commands;
    RunAutopilotTick(state, plan, aircraft, TickSettings{}, commands);
    RunAutopilotTick(state, plan, aircraft, TickSettings{}, commands);
    EXPECT_EQ(commands.writes, Writes{c.vsWrite});
  }
}

TEST(AutopilotTick, SpeedAndSpoilers) {
  struct Case {
    bool spoilersActive;
    std::int32_t indicated;
    Writes writes;
  };
  const Case cases[] = {
      {true, 270, {"speed 240", "spoilers 20"}},  // sent as 819 × (20 − 10) = 8190
      {true, 265, {"speed 240"}},                 // 15 over is not enough
      {false, 300, {"speed 240"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.indicated);
    AutopilotState state{.AutopilotMode = kModeLnavVnavSpd};
    // Level at 9000 ft past the end of the climb (2), 30 nm short of waypoint 3; the low 16 bits of
    // the speed count.
    plan::FlightPlan plan = NorthboundPlan({0, 9000, 9000, 9000, 9000}, 240 + 0x10000);
    plan.ActiveWaypointIndex = 3;
    simlink::AircraftState aircraft = AircraftAt(12.5, 0, 240);
    aircraft.altitudeFt = 9000;
    aircraft.apAltitudeFt = 9000;
    aircraft.apAirspeedKt = 250;
    aircraft.indicatedAirspeedKt = c.indicated;
    TickSettings settings;
    settings.spoilersActive = c.spoilersActive;
    EXPECT_EQ(Tick(state, plan, aircraft, settings).writes, c.writes);
  }
}

}  // namespace
}  // namespace corvane::autopilot
