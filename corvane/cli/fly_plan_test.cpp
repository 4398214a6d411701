// Closed loop: the form's autopilot flies the built-in stand-in on virtual time, a whole plan and a hold.
#include "fly_plan.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>

#include "corvane/shell/simulator_choice.h"
#include "corvane/simlink/loopback_transport.h"
#include "corvane/simlink/memory_offset_server.h"
#include "flying_form.h"
#include "testing/scratch_folder.h"

namespace corvane::shell {
namespace {

std::filesystem::path SourceDir() {
  const char* source = std::getenv("CORVANE_SOURCE_DIR");
  return source != nullptr ? source : ".";
}

// Amsterdam to Keflavik at FL330: every waypoint passed in order within the switch distance, the
// markers flown at their altitudes, and the autopilot letting go at the arrival; calm and in a crosswind.
TEST(FlyPlan, AmsterdamToKeflavikIsFlownToTheEnd) {
  struct Case {
    double windDirectionDeg, windSpeedKt;
    double crossTrackRmsNm;
  };
  for (const Case& c : {Case{0, 0, 2.0}, Case{270, 40, 1.0}}) {
    SCOPED_TRACE(c.windSpeedKt);
    FlyRequest request;
    request.dataFolder = SourceDir() / "data" / "demo";
    request.planPath = SourceDir() / "docs" / "eham-bikf.nav";
    request.cruiseFt = "33000";
    request.windDirectionDeg = c.windDirectionDeg;
    request.windSpeedKt = c.windSpeedKt;
    std::string error;
    const std::optional<FlyResult> result = FlyPlan(request, error);
    ASSERT_TRUE(result) << error;
    EXPECT_TRUE(result->finished);
    const std::vector<WaypointPassage>& passages = result->passages;
    ASSERT_EQ(passages.size(), 13u);
    for (std::size_t i = 1; i < passages.size(); ++i) {
      SCOPED_TRACE(passages[i].name);
      // Ground speed over the switch factor 100: at most 4.5 nm at these speeds.
      EXPECT_LT(passages[i].closestNm, 4.5);
      EXPECT_GT(passages[i].closestAtSample, passages[i - 1].closestAtSample);
      // Level-offs and the descent markers; the early descent at *TOD* is the waypoint switch's lead.
      if (passages[i].vnavTarget) {
        EXPECT_NEAR(passages[i].altitudeFt, passages[i].targetAltitudeFt, 1000);
      }
    }
    EXPECT_EQ(passages[3].name, "*TOC*");
    EXPECT_NEAR(passages[3].altitudeFt, 33000, 300);
    EXPECT_LT(result->summary.endDistanceNm, 3);
    EXPECT_LT(result->summary.crossTrackRmsNm, c.crossTrackRmsNm);
    EXPECT_LT(result->summary.writesPerMinute, 30);
  }
}

// "Holding at" a fix: OK flies to it and round the racetrack, back on the inbound course (magnetic, so
// 20° west of it is 340° true); "Ln" leaves it.
TEST(FlyPlan, HoldIsFlownRoundTheRacetrackAndLnLeavesIt) {
  struct Case {
    double variationDeg;
    bool trackLegs;  // the hold is flown alike either way
  };
  for (const auto [variationDeg, trackLegs] : {Case{0.0, false}, Case{-20.0, false}, Case{-20.0, true}}) {
    SCOPED_TRACE(testing::Message() << variationDeg << (trackLegs ? " tracking legs" : ""));
    standin::FlightModelOptions start;
    start.magneticVariationDeg = variationDeg;
    start.xplane = true;
    // 20 nm out on the inbound course, heading for the fix.
    const double inboundTrueRad = variationDeg * 3.141592653589793 / 180;
    start.latitude = 52.54 - 20.0 / 60 * std::cos(inboundTrueRad);
    start.longitude = 4.85 - 20.0 / 60 * std::sin(inboundTrueRad) / std::cos(52.4 * 3.141592653589793 / 180);
    start.headingDegTrue = std::fmod(360 + variationDeg, 360.0);
    start.altitudeFt = 5000;
    start.airspeedKt = 220;
    test_support::ScratchFolder folder;
    FlyingForm flying(folder / "corvane.INI", SourceDir() / "data" / "demo", MakeBuiltInSimulator(start));
    TForm1& form = flying.form();
    form.FormCreate();
    form.chTrackLegs.checked = trackLegs;
    flying.Advance(3000);
    form.HoldFix = {52.54f, 4.85f, "SPY"};
    form.edHldHdg.text = "360";
    form.edHldTm.text = "1";
    form.btHldOKClick();
    ASSERT_TRUE(form.Timer4.Enabled());
    EXPECT_EQ(form.bbLNAV.caption, "Hd");

    std::vector<std::int32_t> phases{form.autopilot.hold.phase};
    std::vector<double> inboundHeadings;  // as each lap reaches the fix
    for (int second = 0; second < 30 * 60 && inboundHeadings.size() < 2; ++second) {
      flying.Advance(1000);
      if (form.autopilot.hold.phase == phases.back()) continue;
      if (phases.back() == autopilot::kHoldToFix) inboundHeadings.push_back(form.aircraft.headingDegTrue);
      phases.push_back(form.autopilot.hold.phase);
    }
    EXPECT_EQ(phases, (std::vector<std::int32_t>{1, 2, 3, 4, 1, 2}));
    ASSERT_EQ(inboundHeadings.size(), 2u);
    EXPECT_LT(std::abs(std::remainder(inboundHeadings[1] - variationDeg, 360.0)), 5.0) << inboundHeadings[1];

    form.bbLNAVClick();
    EXPECT_EQ(form.autopilot.AutopilotMode, autopilot::kModeOff);
    EXPECT_EQ(form.autopilot.hold.phase, autopilot::kHoldNone);
    EXPECT_EQ(form.bbLNAV.caption, "Ln");
  }
}

// A running simulator that takes its time to answer: the form's clock still keeps step with the wall.
TEST(FlyPlan, TheClockKeepsStepWithTheWallAgainstASlowSimulator) {
  struct SlowServer : simlink::MemoryOffsetServer {
    std::uint32_t ServeBlock(std::span<std::byte> block) override {
      std::this_thread::sleep_for(std::chrono::milliseconds(60));
      return MemoryOffsetServer::ServeBlock(block);
    }
  };
  auto server = std::make_shared<SlowServer>();
  auto transport = std::make_shared<simlink::LoopbackTransport>(*server);
  SimulatorConnection connection;
  connection.transport = transport.get();
  connection.sleep = [](std::chrono::milliseconds) {};
  connection.owner = std::make_shared<std::pair<decltype(server), decltype(transport)>>(server, transport);
  test_support::ScratchFolder folder;
  FlyingForm flying(folder / "corvane.INI", SourceDir() / "data" / "demo", std::move(connection));
  flying.form().FormCreate();
  const auto start = std::chrono::steady_clock::now();
  const std::uint64_t startMs = flying.NowMs();
  for (int second = 0; second < 2; ++second) flying.Advance(1000);
  const auto wallMs =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(flying.NowMs() - startMs, 2000u);
  EXPECT_LT(wallMs, 2000 + 300) << "the time spent waiting was slept as well";
}

}  // namespace
}  // namespace corvane::shell
