// The programs' --sim choice: what each name hands the form, and the built-in simulator on the form's clock.
#include "corvane/shell/simulator_choice.h"

#include <gtest/gtest.h>

#include "corvane/simlink/aircraft_state.h"

namespace corvane::shell {
namespace {

TEST(SimulatorChoice, EachNameHandsOverATransportAndNoOtherNameIsTaken) {
  const auto none = MakeSimulatorConnection("none");
  ASSERT_TRUE(none.has_value());
  ASSERT_NE(none->transport, nullptr);
  EXPECT_EQ(none->transport->FindServer(), simlink::ServerClass::kNone);
  EXPECT_FALSE(none->advanceTo);

  // A separate stand-in is reached over the platform transport and flies on its own clock.
  const auto simhost = MakeSimulatorConnection("simhost");
  ASSERT_TRUE(simhost.has_value());
  EXPECT_NE(simhost->transport, nullptr);
  EXPECT_FALSE(simhost->sleep);
  EXPECT_FALSE(simhost->advanceTo);

  for (const char* name : {"", "SimHost", "builtin ", "fsuipc"}) EXPECT_FALSE(MakeSimulatorConnection(name)) << name;
}

TEST(SimulatorChoice, BuiltInAnswersAsXPlaneWithTrafficAndFliesOnTheFormsClock) {
  auto builtin = MakeSimulatorConnection("builtin");
  ASSERT_TRUE(builtin.has_value());
  ASSERT_NE(builtin->transport, nullptr);
  ASSERT_TRUE(builtin->advanceTo);
  simlink::SimLink link(*builtin->transport, builtin->sleep);
  simlink::SimLinkResult result;
  ASSERT_TRUE(link.Open(0, result));
  EXPECT_EQ(link.simulatorName(), "XPlane");

  simlink::AircraftState state;
  simlink::TrafficList traffic;
  const auto latitudeAt = [&](std::uint64_t nowMs) {
    builtin->advanceTo(nowMs);
    EXPECT_EQ(simlink::PollAircraft(link, state, traffic), simlink::PollStatus::kConnected);
    return state.latitude;
  };
  const double start = latitudeAt(0);
  EXPECT_NEAR(start, 52.3086, 1e-6);  // Amsterdam Schiphol
  traffic.count = 0;
  const double afterOneMinute = latitudeAt(60000);
  EXPECT_EQ(traffic.count, 6);
  // North at 250 kt indicated, 265 true at 3000 ft: about 4.4 nm in the minute.
  EXPECT_NEAR((afterOneMinute - start) * 60, 265.0 / 60, 0.05);
  // The same time again moves nothing; the next minute moves as far as the first.
  EXPECT_EQ(latitudeAt(60000), afterOneMinute);
  EXPECT_NEAR(latitudeAt(120000) - afterOneMinute, afterOneMinute - start, 1e-6);
  link.Close();
}

}  // namespace
}  // namespace corvane::shell
