// The flight model driven through the real client in-process, on virtual time.
#include "standin/flight_model.h"

#include <gtest/gtest.h>

#include <cmath>

#include "corvane/simlink/aircraft_state.h"
#include "corvane/simlink/sim_commands.h"
#include "corvane/simlink/sim_link.h"

namespace corvane::standin {
namespace {

using namespace corvane::simlink;

class FlightModelTest : public ::testing::Test {
 protected:
  void Start(const FlightModelOptions& options) {
    link_.reset();  // the link closes through the transport of the simulator it was opened on
    simulator_ = std::make_unique<InProcessSimulator>(options);
    link_ = std::make_unique<SimLink>(simulator_->transport, [](std::chrono::milliseconds) {});
    SimLinkResult result;
    ASSERT_TRUE(link_->Open(0, result));
  }
  AircraftState Poll() {
    AircraftState state;
    EXPECT_EQ(PollAircraft(*link_, state, traffic_), PollStatus::kConnected);
    return state;
  }
  void Fly(double seconds) { simulator_->model.Step(seconds); }
  const AircraftTruth& Aircraft() const { return simulator_->model.aircraft(); }

  std::unique_ptr<InProcessSimulator> simulator_;
  std::unique_ptr<SimLink> link_;
  TrafficList traffic_;
};

TEST_F(FlightModelTest, PollingReadsTheStartState) {
  FlightModelOptions options;
  options.latitude = 52.3;
  options.longitude = 4.76;
  options.headingDegTrue = 90;
  options.altitudeFt = 5000;
  options.airspeedKt = 200;
  options.windDirectionDegTrue = 5;
  options.windSpeedKt = 20;
  options.magneticVariationDeg = 10;
  Start(options);
  EXPECT_EQ(link_->simulatorName(), "FlightSim");
  const AircraftState state = Poll();
  EXPECT_NEAR(state.latitude, 52.3, 1e-9);
  EXPECT_NEAR(state.longitude, 4.76, 1e-9);
  EXPECT_NEAR(state.headingDegTrue, 90, 1e-4);
  EXPECT_NEAR(state.altitudeFt, 5000, 0.01);
  EXPECT_EQ(state.indicatedAirspeedKt, 200);
  EXPECT_NEAR(state.magneticVariationDeg, 10, 0.006);
  EXPECT_EQ(state.windSpeedKt, 20);
  EXPECT_EQ(state.windDirectionDegTrue, 4);  // 5 degrees in 1/65536 turns truncates just below
  EXPECT_EQ(state.windDirectionDegMagnetic, 355);
  EXPECT_EQ(state.apHeadingDeg, 79);  // magnetic, truncated
  EXPECT_EQ(state.apAltitudeFt, 5000);
  EXPECT_EQ(state.apAirspeedKt, 200);
  EXPECT_EQ(state.verticalSpeedHold, 0u);
  // Holding course and height on the start values.
  Fly(60);
  EXPECT_NEAR(Aircraft().headingDegTrue, 90, 0.01);
  EXPECT_NEAR(Aircraft().altitudeFt, 5000, 0.5);
}

TEST_F(FlightModelTest, XPlaneHandshake) {
  FlightModelOptions options;
  options.xplane = true;
  Start(options);
  EXPECT_EQ(link_->simulatorName(), "XPlane");
  EXPECT_GT(link_->serverVersion(), 0x50000000u);
}

TEST_F(FlightModelTest, TurnsAtStandardRateTheShortWayWhenSlowEnough) {
  struct Case {
    double startDeg, magneticVariationDeg, apHeadingDeg, afterTenSeconds, afterMinute;
  };
  const Case cases[] = {
      {0, 0, 90, 30, 90}, {0, 0, 300, 330, 300}, {350, 0, 20, 20, 20}, {0, 10, 80, 30, 90}, {180, -5, 175, 170, 170},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.apHeadingDeg);
    FlightModelOptions options;
    options.headingDegTrue = c.startDeg;
    options.magneticVariationDeg = c.magneticVariationDeg;
    options.airspeedKt = 150;
    Start(options);
    EXPECT_EQ(SendApHeading(*link_, c.apHeadingDeg), "FSUIPC write OK");
    Fly(10);
    EXPECT_NEAR(Poll().headingDegTrue, c.afterTenSeconds, 0.02);
    Fly(50);
    EXPECT_NEAR(Poll().headingDegTrue, c.afterMinute, 0.02);
  }
}

// An airliner at cruise banks no more than 25 degrees and climbs slowly; descents are limited too.
TEST_F(FlightModelTest, FastAndHighTheAircraftTurnsAndClimbsWithinItsLimits) {
  FlightModelOptions options;
  options.altitudeFt = 33000;
  options.airspeedKt = 280;  // 465 kt true
  Start(options);
  SendApHeading(*link_, 90);
  SendApAltitude(*link_, 35000);
  SendApVerticalSpeed(*link_, 3000);
  SendVsHoldOn(*link_);
  Fly(10);
  EXPECT_NEAR(Aircraft().headingDegTrue, 10 * 1091.0 * std::tan(25 * 3.141592653589793 / 180) / 465.9, 0.3);
  EXPECT_NEAR(Aircraft().verticalSpeedFpm, 4000 - 0.08 * 33225, 5);  // 225 ft higher after 10 s
  SendApAltitude(*link_, 20000);
  SendApVerticalSpeed(*link_, -6000);
  Fly(10);
  EXPECT_EQ(Aircraft().verticalSpeedFpm, -FlightModel::kMaxDescentFpm);
}

TEST_F(FlightModelTest, ClimbsAndDescendsToCaptureTheTargetAltitude) {
  Start(FlightModelOptions{});  // 3000 ft
  SendApAltitude(*link_, 5000);
  Fly(60);
  EXPECT_NEAR(Aircraft().altitudeFt, 4500, 1);  // default 1500 ft/min
  Fly(60);
  EXPECT_NEAR(Aircraft().altitudeFt, 5000, 0.01);
  EXPECT_EQ(Aircraft().verticalSpeedFpm, 0);

  SendApAltitude(*link_, 2000);
  SendApVerticalSpeed(*link_, -1000);
  SendVsHoldOn(*link_);
  Fly(60);
  EXPECT_NEAR(Poll().altitudeFt, 4000, 1);
  EXPECT_NEAR(Aircraft().verticalSpeedFpm, -1000, 0.01);
  Fly(180);
  EXPECT_NEAR(Poll().altitudeFt, 2000, 0.01);
}

TEST_F(FlightModelTest, SlowsDownFasterWithSpoilers) {
  FlightModelOptions options;
  options.airspeedKt = 280;
  Start(options);
  SendApAirspeed(*link_, 200);
  Fly(10);
  const double cleanKt = Aircraft().indicatedAirspeedKt;
  EXPECT_NEAR(cleanKt, 265, 0.5);
  Fly(60);
  EXPECT_NEAR(Aircraft().indicatedAirspeedKt, 200, 0.01);

  Start(options);
  SendApAirspeed(*link_, 200);
  SendSpoilers(*link_, 30);  // 16380: fully out
  Fly(10);
  EXPECT_LT(Aircraft().indicatedAirspeedKt, cleanKt - 20);
  // A wrapped value below the table means retracted.
  SendSpoilers(*link_, 5);
  SendApAirspeed(*link_, 300);
  Fly(10);
  EXPECT_GT(Aircraft().indicatedAirspeedKt, 240);
}

TEST_F(FlightModelTest, WindDriftsTheTrackAndChangesGroundSpeed) {
  FlightModelOptions options;
  options.latitude = 0;
  options.longitude = 0;
  options.altitudeFt = 0;
  options.airspeedKt = 120;
  options.windDirectionDegTrue = 270;  // from the west
  options.windSpeedKt = 30;
  Start(options);
  Fly(3600);
  EXPECT_NEAR(Aircraft().latitude, 2.0, 0.01);   // 120 nm north
  EXPECT_NEAR(Aircraft().longitude, 0.5, 0.01);  // 30 nm east
  EXPECT_EQ(Poll().groundSpeedKt, 122);          // hypot(120, 30) = 123.7 kt, read back through whole m/s
}

TEST_F(FlightModelTest, PositionWritesMoveTheAircraft) {
  Start(FlightModelOptions{});
  EXPECT_EQ(SendPositionLatLon(*link_, -33.9, 151.177), "FSUIPC write OK");
  EXPECT_EQ(SendPositionHeadingAltitude(*link_, 271.5, 4500), "FSUIPC write OK");
  EXPECT_NEAR(Aircraft().latitude, -33.9, 1e-9);
  EXPECT_NEAR(Aircraft().longitude, 151.177, 1e-9);
  EXPECT_NEAR(Aircraft().headingDegTrue, 271.5, 1e-4);
  EXPECT_NEAR(Aircraft().altitudeFt, 4500, 0.01);
  Fly(1);
  const AircraftState state = Poll();
  EXPECT_NEAR(state.latitude, -33.9, 0.01);
  EXPECT_NEAR(state.longitude, 151.177 - 250.0 / 3600 / 60 / std::cos(33.9 * 3.14159265 / 180), 0.001);
}

TEST_F(FlightModelTest, RadiosAreStoredAndHandshakeWordsAreNot) {
  Start(FlightModelOptions{});
  EXPECT_EQ(TuneIls(*link_, "109.50 274 -2 "), "ILS Radio freq and course Set");
  EXPECT_EQ(TuneNdb(*link_, "NV", "352.00"), "NV NDB Radio freq Set");
  std::uint16_t nav1 = 0, course = 0, adf = 0;
  std::uint32_t simulatorWord = 0xFFFFFFFF;
  const std::uint32_t garbage = 0;
  SimLinkResult result;
  link_->Write(kOffsetSimulatorVersion, 4, &garbage, result);
  link_->Read(kOffsetNav1Frequency, 2, &nav1, result);
  link_->Read(kOffsetNav1Course, 2, &course, result);
  link_->Read(kOffsetAdfFrequency, 2, &adf, result);
  link_->Read(kOffsetSimulatorVersion, 4, &simulatorWord, result);
  ASSERT_TRUE(link_->Process(result));
  EXPECT_EQ(nav1, 0x0950);
  EXPECT_EQ(course, 274);
  EXPECT_EQ(adf, 0x0352);
  EXPECT_EQ(simulatorWord, 0xFADE000Cu);
}

TEST_F(FlightModelTest, TrafficStaysNearAndIsDeterministic) {
  FlightModelOptions options;
  options.trafficCount = 7;
  options.seed = 42;
  Start(options);
  Fly(600);
  Poll();
  ASSERT_EQ(traffic_.count, 7);
  for (int i = 0; i < traffic_.count; ++i) {
    const TrafficEntry& entry = traffic_.entries[i];
    EXPECT_NE(entry.id, 0u);
    EXPECT_LT(DistanceNm(entry.latitude, entry.longitude, Aircraft().latitude, Aircraft().longitude), 41);
    EXPECT_GE(std::strlen(entry.callsign), 4u);
    EXPECT_LE(std::strlen(entry.callsign), 7u);
  }
  FlightModel same(options);
  same.Step(600);
  EXPECT_EQ(same.traffic().aircraft()[3].latitude, simulator_->model.traffic().aircraft()[3].latitude);
  options.seed = 43;
  FlightModel other(options);
  other.Step(600);
  EXPECT_NE(other.traffic().aircraft()[3].latitude, same.traffic().aircraft()[3].latitude);

  options.trafficCount = 200;
  Start(options);
  Poll();
  EXPECT_EQ(traffic_.count, 96);
}

}  // namespace
}  // namespace corvane::standin
