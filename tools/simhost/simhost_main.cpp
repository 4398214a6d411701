// simhost: the stand-in simulator. Serves the FSUIPC offset space on Linux and Windows and flies one aircraft.
#include <csignal>
#include <cstdio>
#include <span>
#include <string>

#include "standin/flight_model.h"
#include "tools/simhost/simhost_options.h"
#ifdef _WIN32
#include "tools/simhost/win32_ipc_server.h"
#else
#include "tools/simhost/ipc_server.h"
#endif

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

  std::signal(SIGINT, RequestStop);
  std::signal(SIGTERM, RequestStop);
#ifdef SIGPIPE
  std::signal(SIGPIPE, SIG_IGN);
#endif

  corvane::standin::FlightModel model(options.model);
  IpcServer server(model);
  if (!server.Listen(error)) {
    std::fprintf(stderr, "simhost: %s\n", error.c_str());
    return 1;
  }
  const corvane::standin::AircraftTruth& aircraft = model.aircraft();
  std::printf("simhost: %s server on %s, aircraft at %.6f,%.6f heading %.1f altitude %.0f ft, %d traffic\n",
              options.model.xplane ? "XPlane" : "FlightSim", server.socketPath().c_str(), aircraft.latitude,
              aircraft.longitude, aircraft.headingDegTrue, aircraft.altitudeFt, options.model.trafficCount);
  std::fflush(stdout);
  server.Run(options.timeFactor, options.verbose, g_stop);
  std::printf("simhost: stopped\n");
  return 0;
}
