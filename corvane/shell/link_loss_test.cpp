// The simulator stops answering while the plan is flown in LNAV+VNAV+SPD, and comes back.
#include <gtest/gtest.h>

#include "corvane/simlink/sim_commands.h"
#include "form1.h"
#include "link_loss.h"
#include "plan_engage.h"
#include "standin/flight_model.h"
#include "test_form.h"

namespace corvane::shell {
namespace {

using testing::TemporaryFolder;
using testing::TestForm;

const std::vector<std::string> kPlan = {
    " 1    EHAM   3000  250    0     -11   52.32526016   4.75596380",
    " 3     SPY   3000  250   13  113.30   52.54027939   4.85378122",
    " 3     PAM   3000  250   25  117.80   52.33444214   5.09222221",
    " 1    EHLE   3000  250   25     -39   52.45812900   5.51780000",
};

struct Flight {
  Flight()
      : simulator([] {
          standin::FlightModelOptions options;
          options.xplane = true;
          options.latitude = 52.33;
          options.longitude = 4.76;
          options.headingDegTrue = 20;
          options.altitudeFt = 1500;
          options.airspeedKt = 250;
          return options;
        }()),
        test(folder.path() / "corvane.INI", folder.path(), &simulator.transport) {}

  TForm1& form() { return *test.form; }
  // One poll and one autopilot tick, half a second of flight apart.
  void Tick() {
    simulator.model.Step(0.5);
    form().Timer5Timer();
    if (form().Timer4.Enabled()) form().Timer4Timer();
  }
  void GoDead() {
    simulator.transport.faults.serverClass = simlink::ServerClass::kNone;
    simulator.transport.faults.failingSends = 1'000'000;
  }
  void ComeBack() {
    simulator.transport.faults.serverClass = simlink::ServerClass::kUipcMain;
    simulator.transport.faults.failingSends = 0;
  }

  TemporaryFolder folder;
  standin::InProcessSimulator simulator;
  TestForm test;
};

TEST(LinkLoss, ShownAtOnceNoWritesWhileLostPlanKeptAndLnResumesFromTheNewPosition) {
  enum class SeenBy { kPoll, kAutopilotWrite };
  enum class BackBy { kRetry, kCentreButton };
  const struct {
    SeenBy seenBy;
    BackBy backBy;
  } cases[] = {{SeenBy::kPoll, BackBy::kRetry}, {SeenBy::kAutopilotWrite, BackBy::kCentreButton}};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.seenBy));
    Flight flight;
    TForm1& form = flight.form();
    form.FormCreate();
    ASSERT_TRUE(form.connected);
    ASSERT_TRUE(EngagePlan(form, kPlan, "3000"));
    for (int i = 0; i < 20; ++i) flight.Tick();
    ASSERT_EQ(form.autopilot.AutopilotMode, autopilot::kModeLnavVnavSpd);
    ASSERT_GT(form.link().writesQueued(), 0u);
    const std::int32_t active = form.plan.ActiveWaypointIndex;
    const std::int32_t tail = form.plan.tail;
    ASSERT_NE(active, plan::kNoActiveWaypoint);

    flight.GoDead();
    const int attemptsBefore = flight.simulator.transport.sendAttempts();
    if (c.seenBy == SeenBy::kPoll) {
      form.Timer5Timer();
    } else {
      // The tick has writes to make: the autopilot shows another altitude than corvane last wrote.
      form.aircraft.apAltitudeFt = -1;
      form.autopilot.written = {};
      form.Timer4Timer();
    }
    // One failed batch (its nine sends) tells; nothing else is tried.
    EXPECT_EQ(flight.simulator.transport.sendAttempts() - attemptsBefore, simlink::SimLink::kSendAttempts);
    EXPECT_TRUE(form.linkLost);
    EXPECT_FALSE(form.connected);
    EXPECT_EQ(form.Caption, form.captionBase + " - Link lost to XPlane");
    EXPECT_EQ(form.SB1.text, kLinkLostStatus);
    EXPECT_EQ(form.bbLNAV.fontColor, map::kRed);

    const std::uint64_t writesAtLoss = form.link().writesQueued();
    const int attemptsAtLoss = flight.simulator.transport.sendAttempts();
    for (int i = 0; i < 20; ++i) flight.Tick();
    form.btCenterClick();
    EXPECT_EQ(form.SB1.text, kLinkStillLostStatus);
    form.bbLNAVClick();
    EXPECT_EQ(form.SB1.text, kResumeWaitsStatus);
    EXPECT_EQ(form.link().writesQueued(), writesAtLoss);
    EXPECT_EQ(flight.simulator.transport.sendAttempts(), attemptsAtLoss);
    EXPECT_EQ(form.autopilot.AutopilotMode, autopilot::kModeLnavVnavSpd);
    EXPECT_EQ(form.plan.ActiveWaypointIndex, active);
    EXPECT_EQ(form.plan.tail, tail);

    // Back, with the aircraft moved and turned while corvane could not see it: SPY behind, PAM ahead.
    flight.ComeBack();
    if (c.backBy == BackBy::kRetry) {
      form.Timer5Timer();
    } else {
      form.btCenterClick();
    }
    EXPECT_FALSE(form.linkLost);
    EXPECT_TRUE(form.connected);
    EXPECT_EQ(form.Caption, form.captionBase + " - Connected to XPlane");
    EXPECT_EQ(form.SB1.text, kLinkBackHeldStatus);
    EXPECT_EQ(simlink::SendPositionLatLon(form.link(), 52.45, 4.95), simlink::kWriteOk);
    EXPECT_EQ(simlink::SendPositionHeadingAltitude(form.link(), 100, 3000), simlink::kWriteOk);
    const std::uint64_t writesAtReturn = form.link().writesQueued();
    flight.Tick();
    EXPECT_EQ(form.link().writesQueued(), writesAtReturn);  // held until Ln

    form.bbLNAVClick();
    EXPECT_EQ(form.autopilot.AutopilotMode, autopilot::kModeLnavVnavSpd);
    EXPECT_EQ(form.bbLNAV.fontColor, map::kButtonGreen);
    EXPECT_EQ(form.plan.ActiveWaypointIndex, 2);
    for (int i = 0; i < 4; ++i) flight.Tick();
    EXPECT_GT(form.link().writesQueued(), writesAtReturn);
    EXPECT_FALSE(form.autopilotHeld);
  }
}

}  // namespace
}  // namespace corvane::shell
