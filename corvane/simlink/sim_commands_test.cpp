// Simulator commands: what lands in which offset, and the status texts of success and failure.
#include "corvane/simlink/sim_commands.h"

#include <gtest/gtest.h>

#include <functional>

#include "corvane/simlink/aircraft_state.h"
#include "corvane/simlink/loopback_transport.h"
#include "corvane/simlink/memory_offset_server.h"
#include "corvane/simlink/sim_link.h"

namespace corvane::simlink {
namespace {

class CommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SimLinkResult result;
    ASSERT_TRUE(link_.Open(0, result));
  }
  void BreakSends() { transport_.faults.failingSends = 1000; }

  MemoryOffsetServer server_;
  LoopbackTransport transport_{server_};
  SimLink link_{transport_, [](std::chrono::milliseconds) {}};
};

TEST_F(CommandsTest, EachCommandWritesItsOffsetAndNamesItsFailure) {
  struct Case {
    const char* what;
    std::function<std::string(SimLink&)> send;
    std::uint32_t offset;
    std::uint32_t sizeBytes;
    std::uint64_t expectedRaw;
    const char* failureText;
  };
  const Case cases[] = {
      {"ap heading", [](SimLink& l) { return SendApHeading(l, 359.99); }, kOffsetApHeading, 2, 65534,
       "APHdg write failed"},
      {"hold heading", [](SimLink& l) { return SendHoldHeading(l, 360.0); }, kOffsetApHeading, 2, 0,
       "HOLD Hdg write failed"},
      {"ap altitude", [](SimLink& l) { return SendApAltitude(l, 1000); }, kOffsetApAltitude, 4, 19975373,
       "APAlt write failed"},
      {"ap vertical speed", [](SimLink& l) { return SendApVerticalSpeed(l, -1000); }, kOffsetApVerticalSpeed, 2, 0xFC18,
       "APVSpd write failed"},
      {"vs hold", [](SimLink& l) { return SendVsHoldOn(l); }, kOffsetVsHold, 4, 1, "VS mode write failed"},
      {"ap airspeed", [](SimLink& l) { return SendApAirspeed(l, 250); }, kOffsetApAirspeed, 2, 250,
       "APSpd write failed"},
      {"spoilers", [](SimLink& l) { return SendSpoilers(l, 16); }, kOffsetSpoilers, 4, 4914, "Spoilers write failed"},
      {"spoilers below 10", [](SimLink& l) { return SendSpoilers(l, 9); }, kOffsetSpoilers, 4, 64717,
       "Spoilers write failed"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    server_.Set<std::uint64_t>(c.offset, 0xA5A5A5A5A5A5A5A5);
    EXPECT_EQ(c.send(link_), "FSUIPC write OK");
    const std::uint64_t mask = c.sizeBytes == 8 ? ~0ull : (1ull << (8 * c.sizeBytes)) - 1;
    const std::uint64_t after = server_.Get<std::uint64_t>(c.offset);
    EXPECT_EQ(after & mask, c.expectedRaw);
    EXPECT_EQ(after & ~mask, 0xA5A5A5A5A5A5A5A5 & ~mask);  // nothing beyond the field
    BreakSends();
    EXPECT_EQ(c.send(link_), c.failureText);
    transport_.faults = {};
  }
}

TEST_F(CommandsTest, SetPositionMovesWhatPollingReads) {
  EXPECT_EQ(SendPositionLatLon(link_, -33.9, 151.177), "FSUIPC write OK");
  EXPECT_EQ(SendPositionHeadingAltitude(link_, 271.5, 4500), "FSUIPC write OK");
  AircraftState state;
  ASSERT_TRUE(ReadAircraftState(link_, state));
  EXPECT_NEAR(state.latitude, -33.9, 1e-12);
  EXPECT_NEAR(state.longitude, 151.177, 1e-12);
  EXPECT_NEAR(state.headingDegTrue, 271.5, 1e-4);
  EXPECT_NEAR(state.altitudeFt, 4500, 1e-3);
  BreakSends();
  EXPECT_EQ(SendPositionLatLon(link_, 1, 2), "Position write failed");
  EXPECT_EQ(SendPositionHeadingAltitude(link_, 1, 2), "Position write failed");
}

TEST_F(CommandsTest, IlsTunesFrequencyThenCourse) {
  EXPECT_EQ(TuneIls(link_, "109.50 274 -2 "), "ILS Radio freq and course Set");
  EXPECT_EQ(server_.Get<std::uint16_t>(kOffsetNav1Frequency), 0x0950);
  EXPECT_EQ(server_.Get<std::uint16_t>(kOffsetNav1Course), 274);

  // First batch fails: the course is not sent.
  server_.Set<std::uint16_t>(kOffsetNav1Course, 0);
  BreakSends();
  EXPECT_EQ(TuneIls(link_, "110.30 090 1  "), "ILS Radio freq write failed!");
  transport_.faults = {};
  EXPECT_EQ(server_.Get<std::uint16_t>(kOffsetNav1Course), 0);

  // Second batch fails.
  transport_.faults.sendsBeforeFailing = 1;
  transport_.faults.failingSends = 9;
  EXPECT_EQ(TuneIls(link_, "110.30 090 1  "), "Freq and course write failed!");
  EXPECT_EQ(server_.Get<std::uint16_t>(kOffsetNav1Frequency), 0x1030);
  transport_.faults = {};

  // A text without a course: the frequency goes out, the course does not.
  EXPECT_EQ(TuneIls(link_, "110.30"), "Freq and course write failed!");
  EXPECT_EQ(TuneIls(link_, "xyz"), "ILS Radio freq write failed!");
}

TEST_F(CommandsTest, VorGoesToNav2WhileTheAirportViewRuns) {
  EXPECT_EQ(TuneVor(link_, "SPY 113.95", "113.95", false), "SPY 113.95 VOR Radio freq Set");
  EXPECT_EQ(server_.Get<std::uint16_t>(kOffsetNav1Frequency), 0x1395);
  EXPECT_EQ(TuneVor(link_, "PAM 117.80", "117.80", true), "PAM 117.80 VOR Radio freq Set");
  EXPECT_EQ(server_.Get<std::uint16_t>(kOffsetNav2Frequency), 0x1780);
  EXPECT_EQ(server_.Get<std::uint16_t>(kOffsetNav1Frequency), 0x1395);
  EXPECT_EQ(TuneVor(link_, "BAD", "11.", false), "BAD VOR Radio freq write failed!");
  BreakSends();
  EXPECT_EQ(TuneVor(link_, "SPY", "113.95", false), "SPY VOR Radio freq write failed!");
}

TEST_F(CommandsTest, NdbUsesTheFirstThreeDigits) {
  EXPECT_EQ(TuneNdb(link_, "NV 1750", "1750"), "NV 1750 NDB Radio freq Set");
  EXPECT_EQ(server_.Get<std::uint16_t>(kOffsetAdfFrequency), 0x0175);
  EXPECT_EQ(TuneNdb(link_, "X", "35"), "X NDB Radio freq write failed!");
  BreakSends();
  EXPECT_EQ(TuneNdb(link_, "NV", "352.00"), "NV NDB Radio freq write failed!");
}

TEST(CommandsClosedTest, ClosedLinkFailsEveryCommand) {
  MemoryOffsetServer server;
  LoopbackTransport transport{server};
  SimLink link{transport, [](std::chrono::milliseconds) {}};
  EXPECT_EQ(SendApHeading(link, 90), "APHdg write failed");
  EXPECT_EQ(TuneIls(link, "109.50 274 -2 "), "ILS Radio freq write failed!");
}

}  // namespace
}  // namespace corvane::simlink
