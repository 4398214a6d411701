// corvane-cli state [--timeout S]: opens the simulator link, polls once like the aircraft polling loop,
// prints AircraftState one field per line and the traffic list.
#include "corvane/cli/cli_state.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <thread>

#include "corvane/simlink/aircraft_state.h"
#include "corvane/simlink/platform_transport.h"
#include "corvane/simlink/sim_link.h"

namespace corvane::cli {
namespace {

using namespace corvane::simlink;

std::string Fixed(double value, int decimals) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  return std::string(text, result.ptr);
}

void PrintField(std::string_view name, const std::string& value) {
  std::printf("%.*s %s\n", static_cast<int>(name.size()), name.data(), value.c_str());
}

// The callsign as one word: control characters and blanks from the simulator would break the columns.
std::string PrintableCallsign(const char* callsign) {
  std::string text;
  for (int i = 0; i < 16 && callsign[i] != 0; ++i) {
    const unsigned char c = static_cast<unsigned char>(callsign[i]);
    text += (c > ' ' && c < 127) ? static_cast<char>(c) : '_';
  }
  return text.empty() ? "-" : text;
}

void PrintState(const AircraftState& s, const TrafficList& traffic) {
  PrintField("magvar", Fixed(s.magneticVariationDeg, 3));
  PrintField("groundspeed", std::to_string(s.groundSpeedKt));
  PrintField("latitude", Fixed(s.latitude, 6));
  PrintField("longitude", Fixed(s.longitude, 6));
  PrintField("altitude", Fixed(s.altitudeFt, 1));
  PrintField("heading", Fixed(s.headingDegTrue, 2));
  PrintField("wind_speed", std::to_string(s.windSpeedKt));
  PrintField("wind_dir", std::to_string(s.windDirectionDegTrue));
  PrintField("wind_dir_mag", std::to_string(s.windDirectionDegMagnetic));
  PrintField("ap_heading", std::to_string(s.apHeadingDeg));
  PrintField("ap_altitude", std::to_string(s.apAltitudeFt));
  PrintField("ap_vspeed", Fixed(s.apVerticalSpeedFpm, 0));
  PrintField("ap_airspeed", std::to_string(s.apAirspeedKt));
  PrintField("ias", std::to_string(s.indicatedAirspeedKt));
  PrintField("vs_hold", std::to_string(s.verticalSpeedHold));
  PrintField("traffic", std::to_string(traffic.count));
  for (int i = 0; i < traffic.count; ++i) {
    const TrafficEntry& entry = traffic.entries[i];
    std::printf("%u %s %s %s %s\n", entry.id, Fixed(entry.latitude, 6).c_str(), Fixed(entry.longitude, 6).c_str(),
                Fixed(entry.altitudeFt, 0).c_str(), PrintableCallsign(entry.callsign).c_str());
  }
}

bool ParseTimeout(std::span<char* const> args, double& timeoutSeconds) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view name = args[i];
    if (name != "--timeout" || i + 1 >= args.size()) return false;
    const std::string_view value = args[++i];
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), timeoutSeconds);
    if (error != std::errc() || end != value.data() + value.size() || timeoutSeconds < 0) return false;
  }
  return true;
}

}  // namespace

int RunStateCommand(std::span<char* const> args) {
  double timeoutSeconds = 0;
  if (!ParseTimeout(args, timeoutSeconds)) {
    std::fputs("usage: corvane-cli state [--timeout S]\n", stderr);
    return 2;
  }
  PlatformTransport transport;
  SimLink link(transport);
  // With a time-out, keep trying while the simulator is still starting.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
  SimLinkResult result;
  while (!link.Open(0, result) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  if (result != SimLinkResult::kOk) {
    std::fprintf(stderr, "corvane-cli state: cannot open the simulator link, result %u\n", ResultCode(result));
    return 1;
  }
  AircraftState state;
  TrafficList traffic;
  if (PollAircraft(link, state, traffic) != PollStatus::kConnected) {
    std::fputs("corvane-cli state: the simulator did not answer the aircraft state batch\n", stderr);
    return 1;
  }
  PrintState(state, traffic);
  return 0;
}

}  // namespace corvane::cli
