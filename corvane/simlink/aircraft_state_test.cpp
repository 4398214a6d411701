// Aircraft polling: one batch into AircraftState, the traffic table, and what a failed tick leaves.
#include "corvane/simlink/aircraft_state.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "corvane/simlink/loopback_transport.h"
#include "corvane/simlink/memory_offset_server.h"
#include "corvane/simlink/sim_link.h"

namespace corvane::simlink {
namespace {

class PollTest : public ::testing::Test {
 protected:
  void Open() {
    SimLinkResult result;
    ASSERT_TRUE(link_.Open(0, result));
  }
  void FillAircraft() {
    server_.Set<std::uint16_t>(kOffsetMagneticVariation, 0xFFF0);
    server_.Set<std::int32_t>(kOffsetGroundSpeed, 65536 * 10);
    server_.Set(kOffsetLatitude, EncodeLatitude(52.3));
    server_.Set(kOffsetLongitude, EncodeLongitude(4.76));
    server_.Set(kOffsetAltitude, EncodeAltitude(3500));
    server_.Set(kOffsetHeading, EncodeHeading(90));
    server_.Set<std::uint16_t>(kOffsetWindSpeed, 25);
    server_.Set<std::uint16_t>(kOffsetWindDirection, EncodeWindDirection(5.01));
    server_.Set(kOffsetApHeading, EncodeApHeading(275.5));
    server_.Set(kOffsetApAltitude, EncodeApAltitude(6000.5));
    server_.Set<std::uint16_t>(kOffsetApVerticalSpeed, 0xFC18);
    server_.Set<std::uint16_t>(kOffsetApAirspeed, 250);
    server_.Set<std::int32_t>(kOffsetIndicatedAirspeed, 245 * 128);
    server_.Set<std::uint32_t>(kOffsetVsHold, 1);
  }

  MemoryOffsetServer server_;
  LoopbackTransport transport_{server_};
  SimLink link_{transport_, [](std::chrono::milliseconds) {}};
  AircraftState state_;
  TrafficList traffic_;
};

TEST_F(PollTest, OneTickFillsEveryField) {
  Open();
  FillAircraft();
  ASSERT_EQ(PollAircraft(link_, state_, traffic_), PollStatus::kConnected);
  EXPECT_FLOAT_EQ(state_.magneticVariationDeg, -0.087890625f);
  EXPECT_EQ(state_.groundSpeedKt, 19);
  EXPECT_NEAR(state_.latitude, 52.3, 1e-12);
  EXPECT_NEAR(state_.longitude, 4.76, 1e-12);
  EXPECT_NEAR(state_.altitudeFt, 3500, 1e-3);
  EXPECT_NEAR(state_.headingDegTrue, 90, 1e-4);
  EXPECT_EQ(state_.windSpeedKt, 25);
  EXPECT_EQ(state_.windDirectionDegTrue, 5);
  EXPECT_EQ(state_.windDirectionDegMagnetic, 5);  // 5 + 0.088 + 0.5 truncates to 5
  EXPECT_EQ(state_.apHeadingDeg, 275);
  EXPECT_EQ(state_.apAltitudeFt, 6000);
  EXPECT_EQ(state_.apVerticalSpeedFpm, -1000.0f);
  EXPECT_EQ(state_.apAirspeedKt, 250);
  EXPECT_EQ(state_.indicatedAirspeedKt, 245);
  EXPECT_EQ(state_.verticalSpeedHold, 1u);
  EXPECT_EQ(PollCaption(PollStatus::kConnected, "Corvane V1.0", link_), "Corvane V1.0 - Connected to FlightSim");
}

TEST_F(PollTest, NarrowOffsetsArriveZeroExtended) {
  // The bytes after a 2-byte offset must not leak into its value.
  Open();
  FillAircraft();
  server_.Set<std::uint16_t>(kOffsetApVerticalSpeed + 2, 0xFFFF);
  server_.Set<std::uint16_t>(kOffsetApHeading + 2, 0xFFFF);
  server_.Set<std::uint16_t>(kOffsetMagneticVariation + 2, 0xFFFF);
  ASSERT_EQ(PollAircraft(link_, state_, traffic_), PollStatus::kConnected);
  EXPECT_EQ(state_.apVerticalSpeedFpm, -1000.0f);
  EXPECT_EQ(state_.apHeadingDeg, 275);
  EXPECT_FLOAT_EQ(state_.magneticVariationDeg, -0.087890625f);
}

TEST_F(PollTest, FailedOpenAndFailedBatch) {
  EXPECT_EQ(PollAircraft(link_, state_, traffic_), PollStatus::kLinkFailed);
  EXPECT_EQ(PollCaption(PollStatus::kLinkFailed, "Corvane V1.0", link_), "CORVANE - FSUIPC Failed");
  Open();
  FillAircraft();
  ASSERT_EQ(PollAircraft(link_, state_, traffic_), PollStatus::kConnected);
  server_.Set(kOffsetLatitude, EncodeLatitude(10.0));
  transport_.faults.failingSends = 9;
  EXPECT_EQ(PollAircraft(link_, state_, traffic_), PollStatus::kBatchFailed);
  EXPECT_EQ(PollCaption(PollStatus::kBatchFailed, "Corvane V1.0", link_), "");
  EXPECT_NEAR(state_.latitude, 52.3, 1e-12);
}

void PutSlot(MemoryOffsetServer& server, int slot, std::uint32_t id, float latitude, const char* atcId) {
  const std::uint32_t base = kOffsetTrafficTable + slot * kTrafficSlotBytes;
  server.Set(base, id);
  server.Set(base + 4, latitude);
  server.Set(base + 8, latitude + 1);
  server.Set(base + 12, 9000.0f);
  for (std::uint32_t i = 0; atcId[i] != 0; ++i) server.Set(base + kTrafficCallsignByte + i, atcId[i]);
}

TEST_F(PollTest, TrafficSkipsEmptySlotsAndCutsCallsigns) {
  Open();
  PutSlot(server_, 1, 4711, 52.5f, "KLM1234XYZ");
  PutSlot(server_, 95, 12, -33.5f, "QF1");
  ASSERT_EQ(PollAircraft(link_, state_, traffic_), PollStatus::kConnected);
  ASSERT_EQ(traffic_.count, 2);
  EXPECT_EQ(traffic_.entries[0].id, 4711u);
  EXPECT_FLOAT_EQ(traffic_.entries[0].latitude, 52.5f);
  EXPECT_FLOAT_EQ(traffic_.entries[0].longitude, 53.5f);
  EXPECT_FLOAT_EQ(traffic_.entries[0].altitudeFt, 9000.0f);
  EXPECT_STREQ(traffic_.entries[0].callsign, "KLM1234");
  EXPECT_STREQ(traffic_.entries[1].callsign, "QF1");

  // A failed traffic read keeps the list; the state read of the same tick still counts.
  PutSlot(server_, 1, 0, 0.0f, "");
  server_.Set(kOffsetLatitude, EncodeLatitude(10.0));
  transport_.faults.sendsBeforeFailing = 1;
  transport_.faults.failingSends = 9;
  EXPECT_EQ(PollAircraft(link_, state_, traffic_), PollStatus::kConnected);
  EXPECT_NEAR(state_.latitude, 10.0, 1e-12);
  EXPECT_EQ(traffic_.count, 2);
  EXPECT_EQ(PollAircraft(link_, state_, traffic_), PollStatus::kConnected);
  EXPECT_EQ(traffic_.count, 1);
  EXPECT_EQ(traffic_.entries[0].id, 12u);
}

TEST(DecodeTrafficTest, FullTableFillsTheList) {
  std::vector<std::byte> table(kTrafficTableBytes);
  for (int slot = 0; slot < kTrafficSlots; ++slot) {
    const std::uint32_t id = 100 + slot;
    std::memcpy(table.data() + slot * kTrafficSlotBytes, &id, 4);
  }
  TrafficList traffic;
  DecodeTraffic(std::span<const std::byte, kTrafficTableBytes>(table.data(), kTrafficTableBytes), traffic);
  ASSERT_EQ(traffic.count, 96);
  EXPECT_EQ(traffic.entries[95].id, 195u);
}

}  // namespace
}  // namespace corvane::simlink
