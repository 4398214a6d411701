// xplane-peer: the scripted X-Plane as a program, to fly corvane through simhost --xplane-udp where no
// X-Plane runs. It serves until SIGINT or SIGTERM.
#include <charconv>
#include <csignal>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "tools/simhost/xplane_packets.h"
#include "tools/simhost/xplane_peer.h"

namespace {

constexpr const char* kUsage =
    "usage: xplane-peer [--port N] [--at LAT,LON] [--heading DEG] [--altitude FT] [--speed KT]\n"
    "                   [--magvar DEG] [--wind DIR/KT] [--rate FACTOR] [--beacon HOST:PORT]\n"
    "  a scripted X-Plane on UDP port N (default 49000, 0: a free one) for simhost --xplane-udp;\n"
    "  --beacon sends its beacon there once a second\n";

volatile std::sig_atomic_t g_stop = 0;
void RequestStop(int) { g_stop = 1; }

std::optional<double> Number(std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

bool Pair(std::string_view text, char separator, double& first, double& second) {
  const std::size_t at = text.find(separator);
  if (at == std::string_view::npos) return false;
  const auto a = Number(text.substr(0, at)), b = Number(text.substr(at + 1));
  if (!a || !b) return false;
  first = *a;
  second = *b;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace corvane::simhost;
  XPlanePeerOptions options;
  options.port = xplane::kDefaultPort;
  options.loopbackOnly = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view name = argv[i];
    if (name == "--help" || name == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (i + 1 >= argc) {
      std::fprintf(stderr, "xplane-peer: missing value after %s\n%s", argv[i], kUsage);
      return 2;
    }
    const std::string_view value = argv[++i];
    const std::optional<double> number = Number(value);
    bool ok = number.has_value();
    if (name == "--port")
      options.port = static_cast<int>(number.value_or(-1)), ok = ok && options.port >= 0 && options.port <= 65535;
    else if (name == "--heading")
      options.headingDegTrue = number.value_or(0);
    else if (name == "--altitude")
      options.altitudeFt = number.value_or(0);
    else if (name == "--speed")
      options.airspeedKt = number.value_or(0);
    else if (name == "--magvar")
      options.magneticVariationDeg = number.value_or(0);
    else if (name == "--rate")
      options.rate = number.value_or(0), ok = ok && options.rate > 0 && options.rate <= 1000;
    else if (name == "--at")
      ok = Pair(value, ',', options.latitude, options.longitude);
    else if (name == "--wind")
      ok = Pair(value, '/', options.windFromDegTrue, options.windSpeedKt);
    else if (name == "--beacon") {
      std::string error;
      options.beaconTo = ResolveUdpAddress(std::string(value), xplane::kBeaconPort, error);
      ok = options.beaconTo.has_value();
    } else {
      std::fprintf(stderr, "xplane-peer: unknown option %s\n%s", argv[i - 1], kUsage);
      return 2;
    }
    if (!ok) {
      std::fprintf(stderr, "xplane-peer: bad value for %s: '%s'\n", argv[i - 1], argv[i]);
      return 2;
    }
  }
  std::signal(SIGINT, RequestStop);
  std::signal(SIGTERM, RequestStop);
  XPlanePeer peer(options);
  if (peer.port() == 0) {
    std::fprintf(stderr, "xplane-peer: cannot open UDP port %d\n", options.port);
    return 1;
  }
  std::printf("xplane-peer: on UDP port %d at %.6f,%.6f, rate %g\n", peer.port(), options.latitude, options.longitude,
              options.rate);
  std::fflush(stdout);
  while (!g_stop) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  std::printf("xplane-peer: stopped\n");
  return 0;
}
