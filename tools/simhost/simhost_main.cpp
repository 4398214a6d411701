// simhost: serves the FSUIPC offset space on Linux and Windows, from the stand-in's aircraft or, on Linux,
// from FlightGear or from X-Plane.
#include <csignal>
#include <cstdio>
#include <memory>
#include <span>
#include <string>

#include "formats/program_version.h"
#include "tools/simhost/simhost_options.h"
#include "tools/simhost/stand_in_backend.h"
#ifdef _WIN32
#include "tools/simhost/win32_ipc_server.h"
#else
#include "tools/simhost/flightgear_backend.h"
#include "tools/simhost/ipc_server.h"
#endif
#include "tools/simhost/xplane_backend.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;

void RequestStop(int) { g_stop = 1; }

}  // namespace

int main(int argc, char** argv) {
  using namespace corvane::simhost;
  SimhostOptions options;
  std::string error;
  if (!ParseSimhostOptions(std::span<char* const>(argv + 1, static_cast<std::size_t>(argc - 1)), options, error)) {
    std::fprintf(stderr, "simhost: %s\n%s", error.c_str(), kSimhostUsage);
    return 2;
  }
  if (options.help) {
    std::fputs(kSimhostUsage, stdout);
    return 0;
  }
  if (options.version) {
    std::fputs(corvane::formats::VersionLine("simhost").c_str(), stdout);
    return 0;
  }

  std::signal(SIGINT, RequestStop);
  std::signal(SIGTERM, RequestStop);
#ifdef SIGPIPE
  std::signal(SIGPIPE, SIG_IGN);
#endif

  std::unique_ptr<SimulatorBackend> backend;
  char serving[200];
  const auto report = [](const std::string& line) {
    std::printf("simhost: %s\n", line.c_str());
    std::fflush(stdout);
  };
  if (options.xplaneUdp) {
    XPlaneOptions xplane;
    xplane.address = options.xplaneAddress;
    if (!xplane.address.empty() && !ResolveUdpAddress(xplane.address, corvane::simhost::xplane::kDefaultPort, error)) {
      std::fprintf(stderr, "simhost: --xplane-udp: %s\n", error.c_str());
      return 2;
    }
    backend = std::make_unique<XPlaneBackend>(xplane, report);
    std::snprintf(serving, sizeof serving, " for X-Plane at %s",
                  xplane.address.empty() ? "the address of its beacon" : xplane.address.c_str());
  } else if (!options.flightGearHost.empty()) {
#ifdef _WIN32
    std::fprintf(stderr, "simhost: the FlightGear bridge is built for Linux only\n");
    return 2;
#else
    FlightGearOptions flightGear;
    flightGear.host = options.flightGearHost;
    flightGear.port = options.flightGearPort;
    flightGear.xplane = options.model.xplane;
    backend = std::make_unique<FlightGearBackend>(flightGear, [](const std::string& line) {
      std::printf("simhost: %s\n", line.c_str());
      std::fflush(stdout);
    });
    std::snprintf(serving, sizeof serving, " for FlightGear at %s:%d", flightGear.host.c_str(), flightGear.port);
#endif
  } else {
    auto standIn = std::make_unique<StandInBackend>(options.model, options.timeFactor);
    const corvane::standin::AircraftTruth& aircraft = standIn->model().aircraft();
    std::snprintf(serving, sizeof serving, ", aircraft at %.6f,%.6f heading %.1f altitude %.0f ft, %d traffic",
                  aircraft.latitude, aircraft.longitude, aircraft.headingDegTrue, aircraft.altitudeFt,
                  options.model.trafficCount);
    backend = std::move(standIn);
  }
  IpcServer server(*backend);
  if (!server.Listen(error)) {
    std::fprintf(stderr, "simhost: %s\n", error.c_str());
    return 1;
  }
  std::printf("simhost: %s server on %s%s\n", options.model.xplane ? "XPlane" : "FlightSim",
              server.socketPath().c_str(), serving);
  std::fflush(stdout);
  server.Run(options.verbose, g_stop);
  std::printf("simhost: stopped\n");
  return 0;
}
