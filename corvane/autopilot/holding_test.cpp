// Holding: the pattern's targets and progress tests, the leg timing, the holding speed and the wind.
#include "corvane/autopilot/holding.h"

#include <gtest/gtest.h>

#include "corvane/autopilot/recording_commands.h"
#include "corvane/map/map_colours.h"

namespace corvane::autopilot {
namespace {

using Writes = std::vector<std::string>;

const plan::DirectTarget kFix{11.0f, 5.0f, "SPY"};

AutopilotState HoldingAt(std::int32_t phase) {
  AutopilotState state;
  StartHold(state, kFix);
  state.hold.phase = phase;
  return state;
}

// South of the fix by the given distance, no wind, the autopilot already at the holding speed.
simlink::AircraftState AircraftSouthOfFix(double distanceNm, float heading) {
  simlink::AircraftState aircraft;
  aircraft.latitude = 11.0 - distanceNm / 60;
  aircraft.longitude = 5.0;
  aircraft.headingDegTrue = heading;
  aircraft.apAirspeedKt = 220;
  aircraft.apHeadingDeg = 90;  // set elsewhere: no pattern heading of these tests
  return aircraft;
}

TEST(Holding, OkStartsTheHoldAtItsFix) {
  AutopilotState state{.AutopilotMode = kModeLnavVnav};
  state.hold.legTicks = 55;
  const PanelUpdate expected{{map::ButtonLook{"Hd", true, map::kButtonGreen}, {}}, {}, {}, TimerAction::kStart};
  EXPECT_EQ(StartHold(state, kFix), expected);
  EXPECT_EQ(state.AutopilotMode, kModeHold);
  EXPECT_EQ(state.hold.phase, kHoldToFix);
  EXPECT_EQ(state.hold.legTicks, 0);
  EXPECT_EQ(state.hold.fix.name, "SPY");
}

TEST(Holding, PatternTargetsAndTurnProgress) {
  struct Case {
    std::int32_t phase;
    bool right;
    std::int32_t inbound;
    float heading;
    double distanceNm;
    Writes writes;
    std::int32_t nextPhase;
  };
  const Case cases[] = {
      {1, true, 358, 0, 30, {}, 1},  // flown to first
      {1, true, 358, 90, 1.9, {"hold 0.0"}, 2},
      {2, true, 358, 0, 30, {"hold 168.0"}, 2},
      {2, true, 358, 150, 30, {"hold 168.0"}, 3},  // 18 degrees to go
      {2, true, 358, 170, 30, {}, 2},              // just past: nearly a circle to go
      {3, true, 358, 178, 30, {}, 3},
      {4, true, 358, 178, 30, {"hold 348.0"}, 4},
      {4, true, 358, 330, 30, {"hold 348.0"}, 1},
      {2, false, 5, 0, 30, {"hold 195.0"}, 2},
      {2, false, 5, 210, 30, {"hold 195.0"}, 3},
      {3, false, 5, 185, 30, {}, 3},
      {4, false, 5, 185, 30, {"hold 15.0"}, 4},
      {4, false, 5, 40, 30, {"hold 15.0"}, 1},
      {2, true, 720, 150, 30, {"hold 170.0"}, 3},  // a typed 720 turns like 0, not for ever
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "phase " << c.phase << (c.right ? " right " : " left ") << c.inbound
                                    << " heading " << c.heading);
    AutopilotState state = HoldingAt(c.phase);
    HoldSettings settings;
    settings.rightTurns = c.right;
    settings.inboundHeadingDeg = c.inbound;
    RecordingCommands commands;
    RunHoldTick(state, AircraftSouthOfFix(c.distanceNm, c.heading), settings, 500, commands);
    EXPECT_EQ(commands.writes, c.writes);
    EXPECT_EQ(state.hold.phase, c.nextPhase);
  }
}

// The inbound heading and the pattern's targets are magnetic: with 20° of variation a true heading would
// end the turns 20° early or late.
TEST(Holding, TurnsAreJudgedByTheMagneticHeading) {
  struct Case {
    float heading;  // true
    Writes writes;
    std::int32_t nextPhase;
  };
  const Case cases[] = {{130, {"hold 170.0"}, 3}, {150, {}, 3}, {100, {"hold 170.0"}, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.heading);
    AutopilotState state = HoldingAt(kHoldTurnOutbound);
    HoldSettings settings;
    settings.inboundHeadingDeg = 360;
    simlink::AircraftState aircraft = AircraftSouthOfFix(30, c.heading);
    aircraft.magneticVariationDeg = -20;  // west: magnetic = true + 20
    RecordingCommands commands;
    RunHoldTick(state, aircraft, settings, 500, commands);
    EXPECT_EQ(commands.writes, c.writes);
    EXPECT_EQ(state.hold.phase, c.nextPhase);
  }
}

TEST(Holding, OutboundLegLastsItsMinutesInTimer4Ticks) {
  struct Case {
    std::uint32_t intervalMs;
    std::int32_t minutes;
    std::int32_t lastTick;
  };
  // An interval of 0 would divide by zero; it counts as 1 ms.
  const Case cases[] = {{300, 1, 201}, {500, 3, 361}, {0, 1, 60001}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.intervalMs);
    AutopilotState state = HoldingAt(kHoldTurnOutbound);
    state.hold.legTicks = 99;  // the outbound turn starts the count afresh
    HoldSettings settings;
    settings.legMinutes = c.minutes;
    RecordingCommands commands;
    const simlink::AircraftState aircraft = AircraftSouthOfFix(30, 160);
    RunHoldTick(state, aircraft, settings, c.intervalMs, commands);
    ASSERT_EQ(state.hold.phase, kHoldOutboundLeg);
    std::int32_t ticks = 0;
    while (state.hold.phase == kHoldOutboundLeg && ticks < 100000) {
      RunHoldTick(state, aircraft, settings, c.intervalMs, commands);
      ++ticks;
    }
    EXPECT_EQ(ticks, c.lastTick);
  }
}

TEST(Holding, SpeedInTheOutboundTurnAndTheWindCorrectedHeading) {
  for (std::int32_t phase = kHoldToFix; phase <= kHoldTurnInbound; ++phase) {
    SCOPED_TRACE(phase);
    AutopilotState state = HoldingAt(phase);
    simlink::AircraftState aircraft = AircraftSouthOfFix(30, 0);
    aircraft.apAirspeedKt = 250;
    RecordingCommands commands;
    RunHoldTick(state, aircraft, HoldSettings{}, 500, commands);
    EXPECT_EQ(!commands.writes.empty() && commands.writes.front() == "speed 220", phase == kHoldTurnOutbound);
  }
  // Outbound 178 with 40 kt from 270 at 200 kt: 12.3 degrees into the wind.
  AutopilotState state = HoldingAt(kHoldOutboundLeg);
  simlink::AircraftState aircraft = AircraftSouthOfFix(30, 178);
  aircraft.groundSpeedKt = 200;
  aircraft.windSpeedKt = 40;
  aircraft.windDirectionDegTrue = 270;
  RecordingCommands commands;
  commands.failing = true;
  EXPECT_EQ(RunHoldTick(state, aircraft, HoldSettings{}, 500, commands), "HOLD Hdg write failed");
  EXPECT_EQ(commands.writes, Writes{"hold 190.3"});
}

}  // namespace
}  // namespace corvane::autopilot
