// The FlightGear bridge against a scripted property server on the loopback: what corvane reads, what its
// commands set, and a FlightGear that goes away and comes back.
#include "tools/simhost/flightgear_backend.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <charconv>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <sstream>
#include <thread>
#include <utility>
#include <vector>

#include "corvane/simlink/aircraft_state.h"
#include "corvane/simlink/loopback_transport.h"
#include "corvane/simlink/sim_commands.h"
#include "corvane/simlink/sim_link.h"

namespace corvane::simhost {
namespace {

using namespace std::chrono_literals;

// A property server speaking the telnet protocol's data mode: `get` answers the value (empty when the
// property is missing), `set` answers nothing, `ls` lists the children, folders with a trailing '/'.
class ScriptedPropertyServer {
 public:
  explicit ScriptedPropertyServer(int port = 0, std::chrono::milliseconds answerDelay = {})
      : answerDelay_(answerDelay) {
    Start(port);
  }
  ~ScriptedPropertyServer() { Stop(); }

  int port() const { return port_; }
  void Set(const std::string& path, const std::string& value) {
    std::lock_guard lock(mutex_);
    properties_[path] = value;
  }
  std::string Value(const std::string& path) {
    std::lock_guard lock(mutex_);
    return properties_.count(path) ? properties_[path] : "";
  }
  std::vector<std::string> TakeSets() {
    std::lock_guard lock(mutex_);
    return std::exchange(sets_, {});
  }
  // Stops answering and closes the port, as a FlightGear that quits.
  void Stop() {
    running_ = false;
    if (thread_.joinable()) thread_.join();
    if (listener_ >= 0) close(listener_);
    listener_ = -1;
  }

 private:
  void Start(int port) {
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int on = 1;
    setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(listener_, 4) != 0) {
      ADD_FAILURE() << "cannot listen on port " << port;
      return;
    }
    socklen_t size = sizeof address;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
    running_ = true;
    thread_ = std::thread([this] { Serve(); });
  }

  void Serve() {
    std::vector<int> clients;
    std::map<int, std::string> pending;
    while (running_) {
      std::vector<pollfd> waiting{{listener_, POLLIN, 0}};
      for (int client : clients) waiting.push_back({client, POLLIN, 0});
      if (poll(waiting.data(), waiting.size(), 10) <= 0) continue;
      if (waiting[0].revents & POLLIN) clients.push_back(accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC));
      for (std::size_t i = 1; i < waiting.size(); ++i) {
        if (waiting[i].revents == 0) continue;
        const int client = waiting[i].fd;
        char buffer[4096];
        const ssize_t got = recv(client, buffer, sizeof buffer, 0);
        if (got <= 0) {
          close(client);
          std::erase(clients, client);
          continue;
        }
        std::string& text = pending[client];
        text.append(buffer, static_cast<std::size_t>(got));
        std::string answer;
        for (std::size_t end; (end = text.find("\r\n")) != std::string::npos; text.erase(0, end + 2))
          answer += Answer(text.substr(0, end));
        if (!answer.empty()) std::this_thread::sleep_for(answerDelay_);  // a simulator's slow frame
        send(client, answer.data(), answer.size(), MSG_NOSIGNAL);
      }
    }
    for (int client : clients) close(client);
  }

  std::string Answer(const std::string& line) {
    std::lock_guard lock(mutex_);
    std::istringstream words(line);
    std::string command, path, value;
    words >> command >> path;
    std::getline(words >> std::ws, value);
    if (command == "get") return (properties_.count(path) ? properties_[path] : "") + "\r\n";
    if (command == "set") {
      properties_[path] = value;
      sets_.push_back(path + " " + value);
      return "";
    }
    if (command != "ls") return "";
    std::string listing, last;
    for (const auto& [name, ignored] : properties_) {
      if (!name.starts_with(path + "/")) continue;
      const std::string rest = name.substr(path.size() + 1);
      const std::size_t slash = rest.find('/');
      const std::string child = slash == std::string::npos ? rest : rest.substr(0, slash + 1);
      if (child != last) listing += child + "\r\n";
      last = child;
    }
    return listing;
  }

  std::chrono::milliseconds answerDelay_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> running_{false};
  std::thread thread_;
  std::mutex mutex_;
  std::map<std::string, std::string> properties_;
  std::vector<std::string> sets_;
};

// corvane's own link to the bridge, in process.
struct BridgeUnderTest {
  explicit BridgeUnderTest(int port)
      : backend(Options(port), [this](const std::string& line) { reports.push_back(line); }),
        transport(backend),
        link(transport, [](std::chrono::milliseconds) {}) {
    simlink::SimLinkResult result;
    EXPECT_TRUE(link.Open(0, result)) << static_cast<int>(result);
  }
  static FlightGearOptions Options(int port) {
    FlightGearOptions options;
    options.host = "127.0.0.1";
    options.port = port;
    options.replyTimeout = 2000ms;  // a loaded machine's scripted server can be slow too
    options.retryInterval = 50ms;
    return options;
  }
  // A poll, its batch answered, and a second poll that reads the answer.
  bool Poll(simlink::AircraftState& state, simlink::TrafficList& traffic) {
    if (simlink::PollAircraft(link, state, traffic) != simlink::PollStatus::kConnected) return false;
    const auto deadline = std::chrono::steady_clock::now() + 3s;
    while (backend.pollPending() && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(5ms);
      backend.Advance(0.005);
    }
    return simlink::PollAircraft(link, state, traffic) == simlink::PollStatus::kConnected;
  }

  std::vector<std::string> reports;
  FlightGearBackend backend;
  simlink::LoopbackTransport transport;
  simlink::SimLink link;
};

double Number(const std::string& text) {
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

void SetAircraft(ScriptedPropertyServer& flightGear) {
  for (const auto& [path, value] : std::vector<std::pair<std::string, std::string>>{
           {"/position/latitude-deg", "52.5"},
           {"/position/longitude-deg", "-4.25"},
           {"/position/altitude-ft", "3012.5"},
           {"/orientation/heading-deg", "241.5"},
           {"/velocities/groundspeed-kt", "97.3"},
           {"/velocities/airspeed-kt", "101.9"},
           {"/environment/magnetic-variation-deg", "1.75"},
           {"/environment/wind-speed-kt", "12"},
           {"/environment/wind-from-heading-deg", "270"},
           {"/autopilot/settings/heading-bug-deg", "236"},
           {"/autopilot/settings/target-altitude-ft", "3000"},
           {"/autopilot/settings/vertical-speed-fpm", "-500"},
           {"/autopilot/settings/target-speed-kt", "100"},
       })
    flightGear.Set(path, value);
}

TEST(FlightGearBackendTest, CorvaneReadsTheAircraftFromItsProperties) {
  ScriptedPropertyServer flightGear;
  SetAircraft(flightGear);
  BridgeUnderTest bridge(flightGear.port());
  simlink::AircraftState s;
  simlink::TrafficList traffic;
  ASSERT_TRUE(bridge.Poll(s, traffic));
  const struct {
    const char* field;
    double read, expected, tolerance;
  } cases[] = {
      {"latitude", s.latitude, 52.5, 1e-6},
      {"longitude", s.longitude, -4.25, 1e-6},
      {"altitude", s.altitudeFt, 3012.5, 0.01},
      {"heading", s.headingDegTrue, 241.5, 1e-4},
      {"ground speed (m/s truncated, then knots)", double(s.groundSpeedKt), 97, 0},
      {"indicated airspeed", double(s.indicatedAirspeedKt), 101, 0},
      {"magnetic variation", s.magneticVariationDeg, 1.75, 0.01},
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
  EXPECT_TRUE(flightGear.TakeSets().empty()) << "reading never sets a property";
}

TEST(FlightGearBackendTest, CommandsSetPropertiesAndEngageTheLocks) {
  ScriptedPropertyServer flightGear;
  SetAircraft(flightGear);
  BridgeUnderTest bridge(flightGear.port());
  simlink::SimLink& link = bridge.link;
  const struct {
    const char* command;
    std::function<std::string()> send;
    std::vector<std::pair<std::string, std::string>> sets;  // numbers compare within 0.01
  } cases[] = {
      {"heading",
       [&] { return simlink::SendApHeading(link, 330); },
       {{"/autopilot/settings/heading-bug-deg", "330"}, {"/autopilot/locks/heading", "dg-heading-hold"}}},
      {"altitude",
       [&] { return simlink::SendApAltitude(link, 4500); },
       {{"/autopilot/settings/target-altitude-ft", "4500"}, {"/autopilot/locks/altitude", "altitude-hold"}}},
      {"vertical speed",
       [&] { return simlink::SendApVerticalSpeed(link, 700); },
       {{"/autopilot/settings/vertical-speed-fpm", "700"}, {"/autopilot/locks/altitude", "altitude-hold"}}},
      {"switch on, 1500 ft below the target",
       [&] { return simlink::SendVsHoldOn(link); },
       {{"/autopilot/locks/altitude", "vertical-speed-hold"}}},
      {"airspeed",
       [&] { return simlink::SendApAirspeed(link, 95); },
       {{"/autopilot/settings/target-speed-kt", "95"}, {"/autopilot/locks/speed", "speed-with-throttle"}}},
      {"spoilers at 30 kt over", [&] { return simlink::SendSpoilers(link, 30); }, {{"/controls/flight/spoilers", "1"}}},
      {"spoilers retracted (wrapped value)",
       [&] { return simlink::SendSpoilers(link, 5); },
       {{"/controls/flight/spoilers", "0"}}},
      {"ILS",
       [&] { return simlink::TuneIls(link, "110.30 274"); },
       {{"/instrumentation/nav[0]/frequencies/selected-mhz", "110.3"},
        {"/instrumentation/nav[0]/radials/selected-deg", "274"}}},
      {"VOR on NAV2",
       [&] { return simlink::TuneVor(link, "SPY", "113.30", true); },
       {{"/instrumentation/nav[1]/frequencies/selected-mhz", "113.3"}}},
      {"NDB",
       [&] { return simlink::TuneNdb(link, "MY", "337.00"); },
       {{"/instrumentation/adf[0]/frequencies/selected-khz", "337"}}},
      {"position",
       [&] { return simlink::SendPositionLatLon(link, 52.54, 4.85); },
       {{"/position/latitude-deg", "52.54"}, {"/position/longitude-deg", "4.85"}}},
      {"heading and altitude",
       [&] { return simlink::SendPositionHeadingAltitude(link, 90, 2500); },
       {{"/orientation/heading-deg", "90"}, {"/position/altitude-ft", "2500"}}},
  };
  for (const auto& c : cases) {
    flightGear.TakeSets();
    EXPECT_NE(c.send().find_first_of("OKS"), std::string::npos) << c.command;
    // The sets arrive with the next round trip at the latest.
    simlink::AircraftState state;
    simlink::TrafficList traffic;
    ASSERT_TRUE(bridge.Poll(state, traffic)) << c.command;
    const std::vector<std::string> sets = flightGear.TakeSets();
    ASSERT_EQ(sets.size(), c.sets.size()) << c.command << ": " << (sets.empty() ? "" : sets[0]);
    for (std::size_t i = 0; i < sets.size(); ++i) {
      const std::string path = sets[i].substr(0, sets[i].find(' ')), value = sets[i].substr(path.size() + 1);
      EXPECT_EQ(path, c.sets[i].first) << c.command;
      if (std::isdigit(static_cast<unsigned char>(value[0])) || value[0] == '-')
        EXPECT_NEAR(Number(value), Number(c.sets[i].second), 0.01) << c.command << " " << path;
      else
        EXPECT_EQ(value, c.sets[i].second) << c.command << " " << path;
    }
  }
}

TEST(FlightGearBackendTest, AVerticalSpeedClimbHandsOverToAltitudeHoldAtTheTarget) {
  ScriptedPropertyServer flightGear;
  SetAircraft(flightGear);
  BridgeUnderTest bridge(flightGear.port());
  simlink::AircraftState state;
  simlink::TrafficList traffic;
  simlink::SendApAltitude(bridge.link, 4000);
  simlink::SendVsHoldOn(bridge.link);
  ASSERT_TRUE(bridge.Poll(state, traffic));
  EXPECT_EQ(flightGear.Value("/autopilot/locks/altitude"), "vertical-speed-hold");
  flightGear.Set("/position/altitude-ft", "3950");
  // The bridge sees the aircraft near the target within a round trip or two and sends the lock with a
  // later one; the answers come as FlightGear gives them, so a loaded machine may take a few more.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  do {
    ASSERT_TRUE(bridge.Poll(state, traffic));
  } while (flightGear.Value("/autopilot/locks/altitude") != "altitude-hold" &&
           std::chrono::steady_clock::now() < deadline);
  EXPECT_EQ(flightGear.Value("/autopilot/locks/altitude"), "altitude-hold");
  EXPECT_EQ(state.verticalSpeedHold, 1u) << "the switch reads back as corvane set it";
}

TEST(FlightGearBackendTest, TrafficComesFromTheAiModels) {
  ScriptedPropertyServer flightGear;
  SetAircraft(flightGear);
  const struct {
    std::string path, valid, callsign, latitude;
  } models[] = {
      {"/ai/models/aircraft", "true", "KLM1234", "52.6"},
      {"/ai/models/aircraft[1]", "false", "GONE", "52.7"},  // removed, its node not yet reused
      {"/ai/models/multiplayer[2]", "true", "PH-ABC", "52.8"},
      {"/ai/models/carrier", "true", "Nimitz", "52.9"},  // a ship
  };
  for (const auto& m : models) {
    flightGear.Set(m.path + "/valid", m.valid);
    flightGear.Set(m.path + "/id", "7");
    flightGear.Set(m.path + "/callsign", m.callsign);
    flightGear.Set(m.path + "/position/latitude-deg", m.latitude);
    flightGear.Set(m.path + "/position/longitude-deg", "4.9");
    flightGear.Set(m.path + "/position/altitude-ft", "2500");
  }
  flightGear.Set("/ai/models/count", "4");
  BridgeUnderTest bridge(flightGear.port());
  simlink::AircraftState state;
  simlink::TrafficList traffic;
  ASSERT_TRUE(bridge.Poll(state, traffic));  // lists the models
  ASSERT_TRUE(bridge.Poll(state, traffic));  // and reads them
  ASSERT_EQ(traffic.count, 2);
  EXPECT_STREQ(traffic.entries[0].callsign, "KLM1234");
  EXPECT_FLOAT_EQ(traffic.entries[0].latitude, 52.6f);
  EXPECT_FLOAT_EQ(traffic.entries[0].altitudeFt, 2500.0f);
  EXPECT_STREQ(traffic.entries[1].callsign, "PH-ABC");
}

TEST(FlightGearBackendTest, ALostFlightGearFailsTheBatchesReportsOnceAndIsFoundAgain) {
  auto flightGear = std::make_unique<ScriptedPropertyServer>();
  const int port = flightGear->port();
  SetAircraft(*flightGear);
  BridgeUnderTest bridge(port);
  simlink::AircraftState state;
  simlink::TrafficList traffic;
  ASSERT_TRUE(bridge.Poll(state, traffic));

  flightGear.reset();
  for (int tick = 0; tick < 3; ++tick) {
    bridge.backend.Advance(0.1);
    EXPECT_EQ(simlink::PollAircraft(bridge.link, state, traffic), simlink::PollStatus::kBatchFailed);
    EXPECT_NE(simlink::SendApHeading(bridge.link, 90), simlink::kWriteOk);
  }
  EXPECT_NEAR(state.latitude, 52.5, 1e-6) << "the last values stay";
  const auto stopped = std::count_if(bridge.reports.begin(), bridge.reports.end(),
                                     [](const std::string& line) { return line.find("stopped") != std::string::npos; });
  EXPECT_EQ(stopped, 1);

  flightGear = std::make_unique<ScriptedPropertyServer>(port);
  SetAircraft(*flightGear);
  flightGear->Set("/position/latitude-deg", "52.51");
  const auto deadline = std::chrono::steady_clock::now() + 5s;
  while ((!bridge.Poll(state, traffic) || state.latitude != 52.51) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(20ms);
    bridge.backend.Advance(0.02);
  }
  EXPECT_NEAR(state.latitude, 52.51, 1e-6);
  EXPECT_TRUE(bridge.backend.answering());
  EXPECT_NE(bridge.reports.back().find("answers again"), std::string::npos) << bridge.reports.back();
}

// FlightGear answers once a frame, some hundred milliseconds under load: corvane's poll must not wait.
TEST(FlightGearBackendTest, ASlowFlightGearNeverHoldsCorvaneUp) {
  ScriptedPropertyServer flightGear(0, 400ms);
  SetAircraft(flightGear);
  BridgeUnderTest bridge(flightGear.port());
  simlink::AircraftState state;
  simlink::TrafficList traffic;
  ASSERT_TRUE(bridge.Poll(state, traffic));
  flightGear.Set("/position/altitude-ft", "3100");
  for (int tick = 0; tick < 3; ++tick) {
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(simlink::PollAircraft(bridge.link, state, traffic), simlink::PollStatus::kConnected);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 200ms) << "poll " << tick;
    std::this_thread::sleep_for(500ms);
    bridge.backend.Advance(0.5);
  }
  EXPECT_NEAR(state.altitudeFt, 3100, 0.01) << "the answers are taken as they come";
  EXPECT_TRUE(bridge.backend.answering());

  // After a pause longer than the reply time-out the old answers are not served: the poll waits.
  flightGear.Set("/position/altitude-ft", "3200");
  std::this_thread::sleep_for(2100ms);
  ASSERT_EQ(simlink::PollAircraft(bridge.link, state, traffic), simlink::PollStatus::kConnected);
  EXPECT_NEAR(state.altitudeFt, 3200, 0.01);
}

}  // namespace
}  // namespace corvane::simhost
