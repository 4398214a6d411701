// The X-Plane bridge against the scripted X-Plane on the loopback: what corvane reads, the datarefs its
// commands write and the modes they engage, traffic, a slow X-Plane, one that stops and restarts.
#include "tools/simhost/xplane_backend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <functional>
#include <memory>
#include <thread>

#include "corvane/simlink/aircraft_state.h"
#include "corvane/simlink/loopback_transport.h"
#include "corvane/simlink/sim_commands.h"
#include "corvane/simlink/sim_link.h"
#include "tools/simhost/xplane_peer.h"

namespace corvane::simhost {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

XPlanePeerOptions Schiphol() {
  XPlanePeerOptions options;
  options.latitude = 52.5;
  options.longitude = -4.25;
  options.altitudeFt = 3012.5;
  options.headingDegTrue = 241.5;
  options.airspeedKt = 101.9;
  options.magneticVariationDeg = 1.75;
  options.windFromDegTrue = 270;
  options.windSpeedKt = 12;
  options.rate = 0;  // the aircraft stays where the test puts it
  return options;
}

// corvane's own link to the bridge, in process.
struct BridgeUnderTest {
  explicit BridgeUnderTest(int port, XPlaneOptions options = {})
      : backend(WithPort(options, port), [this](const std::string& line) { reports.push_back(line); }),
        transport(backend),
        link(transport, [](std::chrono::milliseconds) {}) {
    simlink::SimLinkResult result;
    EXPECT_TRUE(link.Open(0, result)) << static_cast<int>(result);
  }
  static XPlaneOptions WithPort(XPlaneOptions options, int port) {
    if (port != 0) options.address = "127.0.0.1:" + std::to_string(port);
    options.firstAnswerWait = 2000ms;  // a loaded machine's peer can be slow to start
    options.resubscribeInterval = 100ms;
    return options;
  }
  bool Poll(simlink::AircraftState& state, simlink::TrafficList& traffic) {
    return simlink::PollAircraft(link, state, traffic) == simlink::PollStatus::kConnected;
  }
  // Polls until `done` holds or the time is up.
  bool PollUntil(const std::function<bool(const simlink::AircraftState&)>& done, std::chrono::milliseconds limit = 5s) {
    simlink::AircraftState state;
    simlink::TrafficList traffic;
    const auto deadline = Clock::now() + limit;
    while (Clock::now() < deadline) {
      if (Poll(state, traffic) && done(state)) return true;
      std::this_thread::sleep_for(20ms);
      backend.Advance(0.02);
    }
    return false;
  }
  std::size_t Reports(const std::string& words) const {
    return std::count_if(reports.begin(), reports.end(),
                         [&](const std::string& line) { return line.find(words) != std::string::npos; });
  }

  std::vector<std::string> reports;
  XPlaneBackend backend;
  simlink::LoopbackTransport transport;
  simlink::SimLink link;
};

double Number(const std::string& text) {
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

void SetAutopilot(XPlanePeer& xplane) {
  xplane.Set("sim/cockpit/autopilot/heading_mag", 236);
  xplane.Set("sim/cockpit/autopilot/altitude", 3000);
  xplane.Set("sim/cockpit/autopilot/vertical_velocity", -500);
  xplane.Set("sim/cockpit/autopilot/airspeed", 100);
}

TEST(XPlaneBackendTest, CorvaneReadsTheAircraftFromItsDatarefs) {
  XPlanePeer xplane(Schiphol());
  SetAutopilot(xplane);
  BridgeUnderTest bridge(xplane.port());
  simlink::AircraftState s;
  simlink::TrafficList traffic;
  ASSERT_TRUE(bridge.Poll(s, traffic));
  EXPECT_EQ(bridge.link.simulatorName(), "XPlane");
  const struct {
    const char* field;
    double read, expected, tolerance;
  } cases[] = {
      {"latitude (a 32-bit float on the wire)", s.latitude, 52.5, 1e-5},
      {"longitude", s.longitude, -4.25, 1e-5},
      {"altitude (elevation in metres)", s.altitudeFt, 3012.5, 0.05},
      {"heading", s.headingDegTrue, 241.5, 1e-3},
      {"ground speed (m/s; 108 kt true into 10.5 kt of head wind)", double(s.groundSpeedKt), 97, 1},
      {"indicated airspeed", double(s.indicatedAirspeedKt), 101, 0},
      {"magnetic variation (true minus magnetic heading)", s.magneticVariationDeg, 1.75, 0.01},
      {"wind speed", double(s.windSpeedKt), 12, 0},
      {"wind direction", double(s.windDirectionDegTrue), 270, 0},
      {"autopilot heading", double(s.apHeadingDeg), 236, 0},
      {"autopilot altitude", double(s.apAltitudeFt), 2999, 1},
      {"autopilot vertical speed", s.apVerticalSpeedFpm, -500, 0},
      {"autopilot airspeed", double(s.apAirspeedKt), 100, 0},
      {"vertical-speed switch", double(s.verticalSpeedHold), 0, 0},
  };
  for (const auto& c : cases) EXPECT_NEAR(c.read, c.expected, c.tolerance) << c.field;
  EXPECT_EQ(traffic.count, 0);
  EXPECT_TRUE(xplane.TakeWrites().empty()) << "reading never writes a dataref";
}

// A value beyond its offset's range reads as the largest one, never wrapped round to a negative speed.
TEST(XPlaneBackendTest, ValuesBeyondTheOffsetsSaturate) {
  XPlanePeer xplane(Schiphol());
  xplane.Set("sim/flightmodel/position/indicated_airspeed", 1e9);
  BridgeUnderTest bridge(xplane.port());
  simlink::AircraftState s;
  simlink::TrafficList traffic;
  ASSERT_TRUE(bridge.Poll(s, traffic));
  EXPECT_GT(s.groundSpeedKt, 60000);
  EXPECT_GT(s.indicatedAirspeedKt, 16000000);
}

TEST(XPlaneBackendTest, CommandsWriteDatarefsAndEngageTheModes) {
  XPlanePeer xplane(Schiphol());
  SetAutopilot(xplane);
  BridgeUnderTest bridge(xplane.port());
  simlink::SimLink& link = bridge.link;
  const std::string ap = "sim/cockpit/autopilot/";
  const std::string radios = "sim/cockpit2/radios/actuators/";
  const struct {
    const char* command;
    std::function<std::string()> send;
    std::vector<std::string> writes;
  } cases[] = {
      {"heading, the autopilot off",
       [&] { return simlink::SendApHeading(link, 330); },
       {ap + "heading_mag 330", ap + "autopilot_mode 2", ap + "autopilot_state 2"}},
      {"heading, its mode on", [&] { return simlink::SendApHeading(link, 335); }, {ap + "heading_mag 335"}},
      {"altitude 1500 ft up, no switch: vertical speed at the default rate",
       [&] { return simlink::SendApAltitude(link, 4500); },
       {ap + "altitude 4500", ap + "vertical_velocity 1500", ap + "autopilot_state 16"}},
      {"vertical speed", [&] { return simlink::SendApVerticalSpeed(link, 700); }, {ap + "vertical_velocity 700"}},
      {"altitude within 100 ft: altitude hold",
       [&] { return simlink::SendApAltitude(link, 3050); },
       {ap + "altitude 3050", ap + "autopilot_state 16384"}},
      {"switch on near the target", [&] { return simlink::SendVsHoldOn(link); }, {}},
      {"altitude 1500 ft up with the switch: corvane's rate",
       [&] { return simlink::SendApAltitude(link, 4500); },
       {ap + "altitude 4500", ap + "autopilot_state 16"}},
      {"airspeed", [&] { return simlink::SendApAirspeed(link, 95); }, {ap + "airspeed 95", ap + "autopilot_state 1"}},
      {"spoilers at 30 kt over",
       [&] { return simlink::SendSpoilers(link, 30); },
       {"sim/cockpit2/controls/speedbrake_ratio 1"}},
      {"spoilers retracted (wrapped value)",
       [&] { return simlink::SendSpoilers(link, 5); },
       {"sim/cockpit2/controls/speedbrake_ratio 0"}},
      {"ILS",
       [&] { return simlink::TuneIls(link, "110.30 274"); },
       {radios + "nav1_frequency_hz 11030", radios + "nav1_obs_deg_mag_pilot 274"}},
      {"VOR on NAV2",
       [&] { return simlink::TuneVor(link, "SPY", "113.30", true); },
       {radios + "nav2_frequency_hz 11330"}},
      {"NDB", [&] { return simlink::TuneNdb(link, "MY", "337.00"); }, {radios + "adf1_frequency_hz 337"}},
  };
  for (const auto& c : cases) {
    // Each case starts from X-Plane's answers to the one before.
    ASSERT_TRUE(bridge.PollUntil([&](const simlink::AircraftState&) { return true; })) << c.command;
    std::this_thread::sleep_for(150ms);
    bridge.backend.Advance(0.15);
    xplane.TakeWrites();
    EXPECT_NE(c.send().find_first_of("OKS"), std::string::npos) << c.command;
    std::this_thread::sleep_for(50ms);
    const std::vector<std::string> writes = xplane.TakeWrites();
    ASSERT_EQ(writes.size(), c.writes.size()) << c.command << ": " << (writes.empty() ? "" : writes[0]);
    for (std::size_t i = 0; i < writes.size(); ++i) {
      const std::string name = writes[i].substr(0, writes[i].find(' '));
      EXPECT_EQ(name, c.writes[i].substr(0, c.writes[i].find(' '))) << c.command;
      EXPECT_NEAR(Number(writes[i].substr(name.size() + 1)), Number(c.writes[i].substr(name.size() + 1)), 0.01)
          << c.command << " " << name;
    }
  }
  EXPECT_EQ(xplane.Get("sim/cockpit/autopilot/autopilot_state"), 2 + 16 + 1) << "heading, vertical speed, speed";
}

TEST(XPlaneBackendTest, MovingTheAircraftPlacesItWithAllFourValues) {
  XPlanePeer xplane(Schiphol());
  BridgeUnderTest bridge(xplane.port());
  ASSERT_TRUE(bridge.PollUntil([](const simlink::AircraftState&) { return true; }));
  xplane.TakeWrites();
  simlink::SendPositionLatLon(bridge.link, 52.54, 4.85);
  simlink::SendPositionHeadingAltitude(bridge.link, 90, 2500);
  std::this_thread::sleep_for(50ms);
  const std::vector<std::string> writes = xplane.TakeWrites();
  ASSERT_EQ(writes.size(), 2u) << writes[0] << " " << writes.back();
  // The second placement keeps the position of the first, though no answer has shown it yet.
  double latitude = 0, longitude = 0, elevation = 0, heading = 0;
  ASSERT_EQ(std::sscanf(writes[1].c_str(), "VEHX %lf %lf %lf %lf", &latitude, &longitude, &elevation, &heading), 4);
  EXPECT_NEAR(latitude, 52.54, 1e-6);
  EXPECT_NEAR(longitude, 4.85, 1e-6);
  EXPECT_NEAR(elevation, 2500 * 0.3048, 0.01);
  EXPECT_NEAR(heading, 90, 1e-3);
  EXPECT_TRUE(bridge.PollUntil([](const simlink::AircraftState& s) { return std::abs(s.latitude - 52.54) < 1e-5; }));
}

// The peer's aircraft climbs at corvane's rate and the bridge hands it to altitude hold near the target.
TEST(XPlaneBackendTest, AVerticalSpeedClimbHandsOverToAltitudeHoldAtTheTarget) {
  XPlanePeerOptions options = Schiphol();
  options.rate = 20;
  XPlanePeer xplane(options);
  BridgeUnderTest bridge(xplane.port());
  ASSERT_TRUE(bridge.PollUntil([](const simlink::AircraftState&) { return true; }));
  simlink::SendApVerticalSpeed(bridge.link, 2000);
  simlink::SendVsHoldOn(bridge.link);
  simlink::SendApAltitude(bridge.link, 4000);
  EXPECT_TRUE(bridge.PollUntil([](const simlink::AircraftState& s) { return s.altitudeFt > 3500; }));
  EXPECT_NE(static_cast<int>(xplane.Get("sim/cockpit/autopilot/autopilot_state")) & xplane_modes::kVerticalSpeed, 0);
  EXPECT_TRUE(bridge.PollUntil([&](const simlink::AircraftState& s) {
    return std::abs(s.altitudeFt - 4000) < 20 &&
           (static_cast<int>(xplane.Get("sim/cockpit/autopilot/autopilot_state")) & xplane_modes::kAltitudeHold);
  })) << xplane.Get("sim/flightmodel/position/elevation") / 0.3048;
}

TEST(XPlaneBackendTest, TrafficComesFromTheTcasTargets) {
  XPlanePeer xplane(Schiphol());
  const std::string p = "sim/cockpit2/tcas/targets/position/";
  xplane.Set("sim/cockpit2/tcas/indicators/tcas_num_acf", 4);  // the user's aircraft and three others
  const struct {
    int target;
    double latitude, id;
  } targets[] = {
      {1, 52.6, 0x484A4B}, {2, 0, 7}, {3, 52.8, 0}, {4, 52.9, 9}};  // 2 has no position, 4 is beyond the count
  for (const auto& t : targets) {
    const std::string i = "[" + std::to_string(t.target) + "]";
    xplane.Set(p + "lat" + i, t.latitude);
    xplane.Set(p + "lon" + i, t.latitude == 0 ? 0 : 4.9);
    xplane.Set(p + "ele" + i, 762);
    xplane.Set("sim/cockpit2/tcas/targets/modeS_id" + i, t.id);
  }
  BridgeUnderTest bridge(xplane.port());
  simlink::AircraftState state;
  simlink::TrafficList traffic;
  ASSERT_TRUE(bridge.Poll(state, traffic));
  ASSERT_TRUE(bridge.PollUntil([&](const simlink::AircraftState&) {
    return simlink::PollAircraft(bridge.link, state, traffic) == simlink::PollStatus::kConnected && traffic.count == 2;
  }));
  EXPECT_EQ(traffic.entries[0].id, 0x484A4Bu);
  EXPECT_FLOAT_EQ(traffic.entries[0].latitude, 52.6f);
  EXPECT_NEAR(traffic.entries[0].altitudeFt, 2500, 0.1);
  EXPECT_FLOAT_EQ(traffic.entries[1].latitude, 52.8f);
  EXPECT_NE(traffic.entries[1].id, 0u) << "an id of 0 would read as an empty slot";
}

TEST(XPlaneBackendTest, AStoppedXPlaneFailsTheBatchesReportsOnceAndIsSubscribedAgain) {
  auto xplane = std::make_unique<XPlanePeer>(Schiphol());
  const int port = xplane->port();
  BridgeUnderTest bridge(port);
  simlink::AircraftState state;
  simlink::TrafficList traffic;
  ASSERT_TRUE(bridge.Poll(state, traffic));

  xplane.reset();
  // simhost's loop keeps taking what arrives while X-Plane is silent.
  for (const auto quiet = Clock::now() + 1200ms; Clock::now() < quiet;) {
    std::this_thread::sleep_for(20ms);
    bridge.backend.Advance(0.02);
  }
  for (int tick = 0; tick < 3; ++tick) {
    bridge.backend.Advance(0.1);
    EXPECT_EQ(simlink::PollAircraft(bridge.link, state, traffic), simlink::PollStatus::kBatchFailed);
    EXPECT_NE(simlink::SendApHeading(bridge.link, 90), simlink::kWriteOk);
  }
  EXPECT_NEAR(state.latitude, 52.5, 1e-5) << "the last values stay";
  EXPECT_EQ(bridge.Reports("stopped answering"), 1u);

  // A restarted X-Plane knows no subscriptions: the bridge's new ones bring the values back.
  XPlanePeerOptions moved = Schiphol();
  moved.port = port;
  moved.latitude = 52.51;
  XPlanePeer restarted(moved);
  EXPECT_TRUE(bridge.PollUntil([](const simlink::AircraftState& s) { return std::abs(s.latitude - 52.51) < 1e-5; }));
  EXPECT_TRUE(bridge.backend.answering());
  EXPECT_EQ(bridge.Reports("X-Plane answers again"), 1u) << ::testing::PrintToString(bridge.reports);
}

// X-Plane answering less often than asked: corvane's poll is served from the latest values at once.
TEST(XPlaneBackendTest, ASlowXPlaneNeverHoldsCorvaneUp) {
  XPlanePeerOptions options = Schiphol();
  options.maxAnswersPerSecond = 2;
  XPlanePeer xplane(options);
  BridgeUnderTest bridge(xplane.port());
  simlink::AircraftState state;
  simlink::TrafficList traffic;
  ASSERT_TRUE(bridge.Poll(state, traffic));
  xplane.Set("sim/flightmodel/position/elevation", 3100 * 0.3048);
  for (int tick = 0; tick < 6; ++tick) {
    const auto start = Clock::now();
    ASSERT_TRUE(bridge.Poll(state, traffic)) << "poll " << tick;
    EXPECT_LT(Clock::now() - start, 100ms) << "poll " << tick;
    std::this_thread::sleep_for(300ms);
  }
  EXPECT_NEAR(state.altitudeFt, 3100, 0.05) << "the answers are taken as they come";
  EXPECT_EQ(bridge.Reports("stopped"), 0u);
}

TEST(XPlaneBackendTest, WithoutAnAddressXPlaneIsFoundByItsBeacon) {
  int beaconPort = 0;
  {
    UdpSocket probe;
    std::string error;
    ASSERT_TRUE(probe.Open(0, true, error)) << error;
    beaconPort = probe.port();
  }
  XPlaneOptions options;
  options.beaconGroup = "127.0.0.1";
  options.beaconPort = beaconPort;
  XPlanePeerOptions peerOptions = Schiphol();
  peerOptions.beaconTo = UdpAddress{0x7F000001, static_cast<std::uint16_t>(beaconPort)};
  XPlanePeer xplane(peerOptions);
  BridgeUnderTest bridge(0, options);
  EXPECT_TRUE(bridge.PollUntil([](const simlink::AircraftState& s) { return std::abs(s.latitude - 52.5) < 1e-5; }));
  ASSERT_TRUE(bridge.backend.xplaneAddress());
  EXPECT_EQ(bridge.backend.xplaneAddress()->port, xplane.port()) << "the port the beacon announces";
  EXPECT_EQ(bridge.Reports("found X-Plane 120001"), 1u);
}

TEST(XPlaneBackendTest, StoppingTheBridgeEndsItsSubscriptions) {
  XPlanePeer xplane(Schiphol());
  {
    BridgeUnderTest bridge(xplane.port());
    ASSERT_TRUE(bridge.PollUntil([](const simlink::AircraftState&) { return true; }));
    EXPECT_EQ(xplane.subscriptionCount(), bridge.backend.mapping().subscriptions().size());
  }
  const auto deadline = Clock::now() + 2s;
  while (xplane.subscriptionCount() != 0 && Clock::now() < deadline) std::this_thread::sleep_for(10ms);
  EXPECT_EQ(xplane.subscriptionCount(), 0u);
}

}  // namespace
}  // namespace corvane::simhost
