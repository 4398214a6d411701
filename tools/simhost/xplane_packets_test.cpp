// X-Plane's packets against byte layouts built by hand from the published descriptions.
#include "tools/simhost/xplane_packets.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>

namespace corvane::simhost::xplane {
namespace {

// A packet written out byte by byte: header letters, then little-endian fields.
struct Bytes {
  Packet p;
  Bytes& Text(const std::string& text, std::size_t field) {
    for (std::size_t i = 0; i < field; ++i) p.push_back(std::byte(i < text.size() ? text[i] : 0));
    return *this;
  }
  Bytes& Le(std::uint64_t value, int count) {
    for (int i = 0; i < count; ++i) p.push_back(std::byte((value >> (8 * i)) & 0xFF));
    return *this;
  }
  Bytes& F32(float value) { return Le(std::bit_cast<std::uint32_t>(value), 4); }
  Bytes& F64(double value) { return Le(std::bit_cast<std::uint64_t>(value), 8); }
};

TEST(XPlanePacketsTest, RequestsAndWritesHaveTheDocumentedLayout) {
  const std::string latitude = "sim/flightmodel/position/latitude";
  const std::string element = "sim/cockpit2/tcas/targets/position/lat[3]";
  const struct {
    const char* what;
    std::optional<Packet> encoded;
    Packet expected;
  } cases[] = {
      {"subscribe 10 a second as index 7", EncodeRrefRequest({10, 7, latitude}),
       Bytes{}.Text("RREF", 5).Le(10, 4).Le(7, 4).Text(latitude, 400).p},
      {"unsubscribe", EncodeRrefRequest({0, 513, element}),
       Bytes{}.Text("RREF", 5).Le(0, 4).Le(513, 4).Text(element, 400).p},
      {"write 250 kt", EncodeDref({250.0f, "sim/cockpit/autopilot/airspeed"}),
       Bytes{}.Text("DREF", 5).F32(250.0f).Text("sim/cockpit/autopilot/airspeed", 500).p},
      {"write a negative vertical speed", EncodeDref({-1500.0f, "sim/cockpit/autopilot/vertical_velocity"}),
       Bytes{}.Text("DREF", 5).F32(-1500.0f).Text("sim/cockpit/autopilot/vertical_velocity", 500).p},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(c.encoded) << c.what;
    EXPECT_EQ(*c.encoded, c.expected) << c.what;
  }
  EXPECT_EQ(cases[0].expected.size(), kRrefRequestBytes);
  EXPECT_EQ(cases[2].expected.size(), kDrefBytes);
  EXPECT_FALSE(EncodeRrefRequest({1, 1, std::string(400, 'x')})) << "no room for the ending zero";
  EXPECT_TRUE(EncodeRrefRequest({1, 1, std::string(399, 'x')}));
  EXPECT_FALSE(EncodeDref({1, std::string(500, 'x')}));
}

TEST(XPlanePacketsTest, DecodesWhatTheOtherEndSends) {
  const Packet answer = Bytes{}.Text("RREF,", 5).Le(3, 4).F32(52.25f).Le(0xFFFFFFFF, 4).F32(-7.5f).p;
  const auto values = DecodeRrefAnswer(answer);
  ASSERT_TRUE(values);
  ASSERT_EQ(values->size(), 2u);
  EXPECT_EQ((*values)[0].index, 3);
  EXPECT_FLOAT_EQ((*values)[0].value, 52.25f);
  EXPECT_EQ((*values)[1].index, -1);
  EXPECT_FLOAT_EQ((*values)[1].value, -7.5f);

  const auto request = DecodeRrefRequest(Bytes{}.Text("RREF", 5).Le(5, 4).Le(2, 4).Text("sim/a", 400).p);
  ASSERT_TRUE(request);
  EXPECT_EQ(request->frequency, 5);
  EXPECT_EQ(request->index, 2);
  EXPECT_EQ(request->name, "sim/a");

  const auto write = DecodeDref(Bytes{}.Text("DREF", 5).F32(3.5f).Text("sim/b[2]", 500).p);
  ASSERT_TRUE(write);
  EXPECT_FLOAT_EQ(write->value, 3.5f);
  EXPECT_EQ(write->name, "sim/b[2]");

  const Packet vehx = Bytes{}.Text("VEHX", 5).Le(0, 4).F64(64.13).F64(-21.94).F64(52.5).F32(90).F32(0).F32(0).p;
  ASSERT_EQ(vehx.size(), kVehxBytes);
  const auto placed = DecodeVehx(vehx);
  ASSERT_TRUE(placed);
  EXPECT_DOUBLE_EQ(placed->latitude, 64.13);
  EXPECT_DOUBLE_EQ(placed->longitude, -21.94);
  EXPECT_DOUBLE_EQ(placed->elevationM, 52.5);
  EXPECT_FLOAT_EQ(placed->headingDegTrue, 90);
  EXPECT_EQ(EncodeVehx(*placed), vehx);

  // BECN: major 1, minor 2, host 1, version 120001, role 1, port 49000, the computer's name.
  Packet beacon = Bytes{}.Text("BECN", 5).Le(1, 1).Le(2, 1).Le(1, 4).Le(120001, 4).Le(1, 4).Le(49000, 2).p;
  Bytes name;
  name.Text("sim-pc", 7).Le(49010, 2);  // X-Plane 12 adds a port after the name
  beacon.insert(beacon.end(), name.p.begin(), name.p.end());
  const auto found = DecodeBeacon(beacon);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->versionNumber, 120001);
  EXPECT_EQ(found->port, 49000);
  EXPECT_EQ(found->computerName, "sim-pc");
}

TEST(XPlanePacketsTest, RefusesPacketsThatAreNotOfTheirKind) {
  Packet requestWithoutZero = Bytes{}.Text("RREF", 5).Le(1, 4).Le(1, 4).p;
  requestWithoutZero.resize(kRrefRequestBytes, std::byte{'x'});
  Packet dataRow = Bytes{}.Text("DATA", 5).Le(3, 4).p;
  const struct {
    const char* what;
    bool decoded;
  } cases[] = {
      {"answer cut inside a pair", DecodeRrefAnswer(Bytes{}.Text("RREF,", 5).Le(1, 4).Le(0, 2).p).has_value()},
      {"answer of another kind", DecodeRrefAnswer(dataRow).has_value()},
      {"request shorter than its field",
       DecodeRrefRequest(Bytes{}.Text("RREF", 5).Le(1, 4).Le(1, 4).Text("a", 20).p).has_value()},
      {"request name without its zero", DecodeRrefRequest(requestWithoutZero).has_value()},
      {"write cut short", DecodeDref(Bytes{}.Text("DREF", 5).F32(1).Text("sim/a", 20).p).has_value()},
      {"placement cut short", DecodeVehx(Bytes{}.Text("VEHX", 5).Le(0, 4).p).has_value()},
      {"beacon cut short", DecodeBeacon(Bytes{}.Text("BECN", 5).Le(1, 1).p).has_value()},
      {"three bytes", DecodeRrefAnswer(Bytes{}.Text("RRE", 3).p).has_value()},
  };
  for (const auto& c : cases) EXPECT_FALSE(c.decoded) << c.what;
  EXPECT_EQ(PacketKind(dataRow), "DATA");
  EXPECT_EQ(PacketKind(Bytes{}.Text("RR", 2).p), "");
}

}  // namespace
}  // namespace corvane::simhost::xplane
